// The error policy at the C boundary: no exception leaves an exported
// function.  A failure (std::bad_alloc from a container, most likely)
// becomes the function's documented failure result and leaves a trace line
// for the driver developer.  Two forms of the same guard:
//
//   - a short export runs its body through GuardExport:
//       return GuardExport("Name", failure, [&] { return Work(...); });
//   - a longer one is a function-try-block whose handler returns
//     ExportFailed:
//       extern "C" BOOL WINAPI Name(...) try {
//         ...
//       } catch (...) {
//         return ExportFailed("Name", BOOL{FALSE});
//       }
#pragma once

#include <exception>
#include <type_traits>
#include <utility>

#include "common/win/drv_trace.h"

// Inside a catch handler only: traces the exception being handled.
inline void TraceExportException(const char* where) noexcept {
#ifdef NDEBUG
  (void)where;
#else
  try {
    throw;
  } catch (const std::exception& e) {
    DRV_TRACE("%s: %s", where, e.what());
  } catch (...) {
    DRV_TRACE("%s: unknown exception", where);
  }
#endif
}

// Inside a catch handler only: traces the exception and gives `failure`
// back as the export's result.
template <typename R>
R ExportFailed(const char* where, R failure) noexcept {
  TraceExportException(where);
  return failure;
}
inline void ExportFailed(const char* where) noexcept { TraceExportException(where); }

// Runs `body` and returns its result, or `failure` when it throws.
// `where` names the export in the trace.
template <typename R, typename Body>
R GuardExport(const char* where, R failure, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return ExportFailed(where, failure);
  }
}

// The same for an export without a result: a failure leaves it having
// done nothing more.
template <typename Body>
void GuardExport(const char* where, Body&& body) noexcept {
  static_assert(std::is_void_v<decltype(body())>);
  try {
    std::forward<Body>(body)();
  } catch (...) {
    ExportFailed(where);
  }
}
