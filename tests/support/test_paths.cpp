#include "tests/support/test_paths.h"

namespace testsupport {
namespace {

std::string Join(const char* root, const std::string& relative) {
#ifdef _WIN32
  std::string path = std::string("Z:") + root + "/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
#else
  return std::string(root) + "/" + relative;
#endif
}

}  // namespace

std::string SourcePath(const std::string& relative) { return Join(DRIVER_SOURCE_DIR, relative); }
std::string BinaryPath(const std::string& relative) { return Join(DRIVER_BINARY_DIR, relative); }

}  // namespace testsupport
