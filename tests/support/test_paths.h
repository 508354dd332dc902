// Paths of the source and build trees as the test program sees them.
#pragma once
#include <string>

namespace testsupport {

// A path below the source tree, in the form the program's own file
// functions take (under Wine the Unix tree is reached through drive Z:).
std::string SourcePath(const std::string& relative);
// The same below the build tree.
std::string BinaryPath(const std::string& relative);

}  // namespace testsupport
