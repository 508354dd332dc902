// The version resource of a file on disk.
#pragma once

#include <windows.h>

#include <cstdint>

// The major product version of the file's fixed version resource (the high
// word of dwProductVersionMS); 0 for a file without one, a null or empty path.
uint32_t FileProductMajorVersion(const wchar_t* path);
