#include "common/win/wait_cursor_win.h"

ScopedWaitCursor::ScopedWaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}

ScopedWaitCursor::~ScopedWaitCursor() { SetCursor(previous_); }
