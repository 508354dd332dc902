// The wait cursor while a sheet or dialog asks the device and the user's
// thread waits for its answer (up to the device session's time-outs and
// retries).  Put one on the stack around the question:
//   { ScopedWaitCursor wait; ok = isAccessOk(address); }
// The cursor in place before comes back when it goes out of scope.
#pragma once

#include <windows.h>

class ScopedWaitCursor {
 public:
  ScopedWaitCursor();
  ~ScopedWaitCursor();
  ScopedWaitCursor(const ScopedWaitCursor&) = delete;
  ScopedWaitCursor& operator=(const ScopedWaitCursor&) = delete;

 private:
  HCURSOR previous_;
};
