// A page of the sheet skeleton for the Easy Set tests: the Basic or Layout
// template with one bound check box (N-up), the constraint pass that
// accepts every change, the texts of the area's combo box, and what a
// person does in the Edit dialog and its file dialogs.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

#include "common/records/doc_fields.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/watermark/watermark_session_win.h"

namespace easyset_test {

inline constexpr int kNupCheck = 1779;

inline const DialogBinding kBindings[] = {
    {kNupCheck, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bNup), 1, 0},
    {},
};

inline void ShowSettings(HWND dialog, SheetCtx* ctx) { ShowBindings(dialog, ctx, kBindings); }

inline const DocumentSheet kSheet = {
    .pageId = 101,
    .preview = PreviewAreaStep::kNone,
    .skipDropListFilter = false,
    .logoLayout = 0,
    .helpIds = nullptr,
    .pageHelpTopic = 0,
    .comboHeights = nullptr,
    .init = nullptr,
    .setActive = ShowSettings,
    .killActive = nullptr,
    .apply = nullptr,
    .command = nullptr,
    .drawItem = nullptr,
    .destroy = nullptr,
    .other = nullptr,
    .bindings = kBindings,
};

inline INT_PTR CALLBACK SheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kSheet, dialog, message, wParam, lParam);
}

// A fresh watermark of that name and text.
inline WaterMarkInfo Watermark(const std::u16string& title, const std::u16string& text) {
  WaterMarkInfo m = NewWatermarkRecord();
  std::memcpy(m.szWmkTitle, title.data(), title.size() * 2);
  std::memcpy(m.szWmkStr, text.data(), text.size() * 2);
  return m;
}

// A watermark's name.
inline std::u16string TitleText(const WaterMarkInfo& mark) {
  char16_t text[32] = {};
  std::memcpy(text, mark.szWmkTitle, sizeof text);
  text[31] = 0;
  return text;
}

inline int32_t AcceptAll(HWND, HWND, uint16_t) { return 0; }

inline std::wstring ComboText(HWND combo, int index) {
  wchar_t text[64] = {};
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

// Chooses entry `index` of the Edit dialog's list as a click does.
inline void ChooseEasySetEntry(HWND edit, int index) {
  HWND list = GetDlgItem(edit, 1907);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(edit, WM_COMMAND, MAKEWPARAM(1907, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// The part of the Easy Set file dialogs that shows the name and comment.
inline HWND EasySetFileNamePart(HWND fileDialog) {
  for (HWND child = GetWindow(fileDialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgItem(child, 1901) != nullptr && GetDlgItem(child, 1906) != nullptr) return child;
  }
  return nullptr;
}

// A path typed into the file name box of a file dialog.
inline void TypeFilePath(HWND fileDialog, const std::wstring& path) {
  HWND name = GetDlgItem(fileDialog, 0x47c);  // the file name combo box
  if (name == nullptr) name = GetDlgItem(fileDialog, 0x480);
  SetWindowTextW(name, path.c_str());
}

}  // namespace easyset_test
