// A trace line for the driver developer: why a call failed.  In debug
// builds it goes to the debugger (OutputDebugStringA; elsewhere stderr); in
// release builds (NDEBUG) it compiles to nothing and its arguments are not
// evaluated.  Used only where a failure would otherwise be silent: a
// sibling library that does not load or bind, a refused DEVMODE, printer
// data that cannot be read.
#pragma once

#ifdef NDEBUG
#define DRV_TRACE(...) ((void)0)
#else
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#ifdef _WIN32
#include <windows.h>
#endif

inline void DrvTraceLine(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(line, sizeof line - 1, format, args);
  va_end(args);
  const size_t end = length < 0 ? 0 : (static_cast<size_t>(length) < sizeof line - 2 ? static_cast<size_t>(length) : sizeof line - 2);
  line[end] = '\n';
  line[end + 1] = '\0';
#ifdef _WIN32
  OutputDebugStringA(line);
#else
  std::fputs(line, stderr);
#endif
}
#define DRV_TRACE(...) DrvTraceLine("driver: " __VA_ARGS__)
#endif
