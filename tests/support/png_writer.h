// A small PNG writer: 24-bit colour, the image data stored in uncompressed
// deflate blocks.  Enough for pictures of windows that people look at and
// that tests keep.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Writes 32-bit top-down BGRA pixels (the alpha byte is ignored) as a PNG
// file; false when the pixels do not match the size or the file cannot be
// written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace testsupport
