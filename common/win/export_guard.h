// The error policy at the C boundary: no exception leaves an exported
// function.  Each export runs its body through GuardExport, which turns an
// exception (std::bad_alloc from a container, most likely) into the
// function's documented failure result and leaves a trace line for the
// driver developer.
#pragma once

#include <exception>
#include <type_traits>
#include <utility>

#include "common/win/drv_trace.h"

// Runs `body` and returns its result, or `failure` when it throws.
// `where` names the export in the trace.
template <typename R, typename Body>
R GuardExport(const char* where, R failure, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (const std::exception& e) {
    DRV_TRACE("%s: %s", where, e.what());
  } catch (...) {
    DRV_TRACE("%s: unknown exception", where);
  }
  (void)where;
  return failure;
}

// The same for an export without a result: a failure leaves it having
// done nothing more.
template <typename Body>
void GuardExport(const char* where, Body&& body) noexcept {
  static_assert(std::is_void_v<decltype(body())>);
  try {
    std::forward<Body>(body)();
  } catch (const std::exception& e) {
    DRV_TRACE("%s: %s", where, e.what());
  } catch (...) {
    DRV_TRACE("%s: unknown exception", where);
  }
  (void)where;
}
