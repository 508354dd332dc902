#include "dproc/dialogs/list_rows_win.h"

namespace {

// The list's own procedure, kept as a property of the list.
constexpr wchar_t kPreviousProc[] = L"FullRowPaintPrevious";

LRESULT CALLBACK FullRowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, kPreviousProc));
  if (message == WM_PAINT) {
    RECT update;
    if (GetUpdateRect(window, &update, FALSE)) {
      ValidateRect(window, nullptr);
      RECT client;
      GetClientRect(window, &client);
      update.left = client.left;
      update.right = client.right;
      InvalidateRect(window, &update, FALSE);
    }
  }
  if (previous == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

}  // namespace

void PaintFullRows(HWND list) {
  if (list == nullptr || GetPropW(list, kPreviousProc) != nullptr) return;
  const LONG_PTR previous = GetWindowLongPtrW(list, GWLP_WNDPROC);
  if (!SetPropW(list, kPreviousProc, reinterpret_cast<HANDLE>(previous))) return;
  SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FullRowProc));
}

void StopPaintingFullRows(HWND list) {
  if (list == nullptr) return;
  const auto previous = reinterpret_cast<LONG_PTR>(GetPropW(list, kPreviousProc));
  if (previous == 0) return;
  SetWindowLongPtrW(list, GWLP_WNDPROC, previous);
  RemovePropW(list, kPreviousProc);
}
