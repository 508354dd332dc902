// Paths of the source and build trees as the test program sees them.
#pragma once
#include <string>

namespace testsupport {

// A path below the source tree, in the form the program's own file
// functions take (under Wine the Unix tree is reached through drive Z:).
std::string SourcePath(const std::string& relative);
// The same below the build tree.
std::string BinaryPath(const std::string& relative);

#ifdef _WIN32
// The folder of the running test program, with its closing backslash.
std::wstring ProgramFolder();
// True when a file or folder of that name exists.
bool FileExists(const std::wstring& path);
#endif

}  // namespace testsupport
