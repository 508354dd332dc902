#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/name_duplicate_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "dproc/constraints/hint_text.h"
#include "dproc/constraints/page_hints.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/dialog_ui_state.h"
#include "dproc/dialogs/hint_texts.h"
#include "dproc/model/user_paper_list.h"
#include "dproc/sheets/owner_draw_win.h"

namespace {

constexpr uint16_t kBulbImage = 410, kBulbMask = 411;

HintLayout g_layouts[kPageHintRows] = {};

const char16_t* HintEntry(uint32_t n) { return DialogText(kHintStr, n); }

void AppendEntry(char16_t* text, uint32_t n) {
  const char16_t* entry = HintEntry(n);
  if (entry == nullptr) return;
  char16_t line[kMessageUnits + 1] = {};
  for (size_t i = 0; i < kMessageUnits && entry[i] != 0; ++i) line[i] = entry[i];
  AppendHintLine(text, kStateHintUnits, line);
}

bool EditEmpty(HWND dialog, int id) {
  HWND edit = GetDlgItem(dialog, id);
  return edit == nullptr || GetWindowTextLengthW(edit) == 0;
}

uint16_t UserPaperCount(const SheetCtx* ctx) {
  SheetUiState* state = GetUIState(ctx);
  if (state == nullptr) return 0;
  uint16_t count = 0;
  std::memcpy(&count, state->bytes + kUiStateUserPapersAt, sizeof count);
  return count;
}

}  // namespace

HintLayout* GetHintLayout(uint32_t hintPageId) {
  const PageHintList* rows = PageHintTable();
  for (size_t i = 0; i < kPageHintRows && rows[i].pageId != 0; ++i) {
    if (rows[i].pageId == hintPageId) return &g_layouts[i];
  }
  return nullptr;
}

void ResetHintLayouts() { std::memset(g_layouts, 0, sizeof g_layouts); }

void GetCtrlRectInParent(HWND control, RECT* rect) {
  GetClientRect(control, rect);
  MapWindowPoints(control, GetParent(control), reinterpret_cast<POINT*>(rect), 2);
}

void InitHintLayout(HWND dialog, HintLayout* layout) {
  if (HWND text = GetDlgItem(dialog, kHintTextControl)) GetCtrlRectInParent(text, &layout->text);
  if (HWND bulb = GetDlgItem(dialog, kHintBulbControl)) GetCtrlRectInParent(bulb, &layout->bulb);
  if (HMODULE images = DialogFrameworkModules().images) {
    if (HBITMAP bitmap = LoadBitmapW(images, MAKEINTRESOURCEW(kBulbImage))) {
      const SIZE size = GetBitmapSize(bitmap);
      RECT& r = layout->bulb;
      const LONG w = r.right - r.left, h = r.bottom - r.top;
      const LONG cx = r.left + w / 2, cy = r.top + h / 2;
      const LONG nw = size.cx > w ? size.cx : w, nh = size.cy > h ? size.cy : h;
      r = {cx - nw / 2, cy - nh / 2, cx - nw / 2 + nw, cy - nh / 2 + nh};
      DeleteObject(bitmap);
    }
  }
  layout->initialised = 1;
}

void ShowHintArea(HWND dialog, uint32_t hintPageId) {
  HintLayout* layout = GetHintLayout(hintPageId);
  if (layout == nullptr) return;
  if (layout->initialised == 0) InitHintLayout(dialog, layout);
  const RECT& t = layout->text;
  const RECT& b = layout->bulb;
  if (HWND c = GetDlgItem(dialog, kHintTextControl)) MoveWindow(c, t.left, t.top, t.right - t.left, t.bottom - t.top, TRUE);
  if (HWND c = GetDlgItem(dialog, kHintBulbControl)) MoveWindow(c, b.left, b.top, b.right - b.left, b.bottom - b.top, TRUE);
}

void HideHintArea(HWND dialog, uint32_t hintPageId) {
  HintLayout* layout = GetHintLayout(hintPageId);
  if (layout == nullptr) return;
  if (layout->initialised == 0) InitHintLayout(dialog, layout);
  if (HWND c = GetDlgItem(dialog, kHintTextControl)) MoveWindow(c, 0, 0, 0, 0, TRUE);
  if (HWND c = GetDlgItem(dialog, kHintBulbControl)) MoveWindow(c, 0, 0, 0, 0, TRUE);
}

void SetHintItemText(HWND dialog, int controlId, const char16_t* text) {
  std::vector<char16_t> work(kHintBufferUnits + 1, 0);
  HintTextForEdit(text, work.data(), work.size());
  SetDlgItemTextW(dialog, controlId, reinterpret_cast<const wchar_t*>(work.data()));
}

bool BuildStateHint(HWND dialog, const SheetCtx* ctx, uint32_t pageId, char16_t* text) {
  const size_t before = std::char_traits<char16_t>::length(text);
  SheetUiState* state = GetUIState(ctx);
  const DialogUiState* dialogState = DialogStateOf(state);
  switch (pageId) {
    case 101:
      if (const DocDMode* doc = GetPrivDevMode(ctx)) {
        if (reinterpret_cast<const uint8_t*>(doc)[1412] == 3) AppendEntry(text, 75);
      }
      break;
    case 104:
      if (dialogState != nullptr && dialogState->overlayHint == 0) AppendEntry(text, 150);
      break;
    case 115:
      if (UserPaperCount(ctx) > 0 && EditEmpty(dialog, 1553)) AppendEntry(text, 291);
      break;
    case 2225:
      if (UserPaperCount(ctx) < 10) AppendEntry(text, 290);
      break;
    case 132: {
      const uint32_t flags = dialogState != nullptr ? dialogState->reasonFlags : 0;
      AppendEntry(text, (flags & kReasonOutputMethod3) != 0 ? 56 : (flags & kReasonOtherOutput) != 0 ? 57 : 58);
      break;
    }
    case 151:
      // The user-defined paper dialog opened outside the core's own sheets.
      if (!IsSessionPage(ctx)) AppendEntry(text, 13);
      break;
    case 171: AppendEntry(text, GetFocus() == GetDlgItem(dialog, 1945) ? 301 : 300); break;
    case 177: {
      const char16_t* entry = HintEntry(304);
      if (entry != nullptr && entry[0] != 0) AppendEntry(text, 304);
      break;
    }
    case 180:
      if (GetFocus() != nullptr && GetFocus() == GetDlgItem(dialog, 2053)) AppendEntry(text, 302);
      break;
    case 2516: {
      HWND list = GetDlgItem(dialog, 1563);
      AppendEntry(text, list != nullptr && SendMessageW(list, 0x1004 /* LVM_GETITEMCOUNT */, 0, 0) > 0 ? 201 : 200);
      break;
    }
    case 2517:
      if (EditEmpty(dialog, 1572)) {
        AppendEntry(text, 202);
      } else if (CheckFormNameDuplicate(dialog) == 0) {
        AppendEntry(text, 204);
      }
      break;
    default: break;
  }
  return std::char_traits<char16_t>::length(text) != before;
}

void DispPageHint(HWND dialog, const SheetCtx* ctx, uint32_t pageId) {
  std::vector<char16_t> text(kHintBufferUnits, 0);
  const bool state = BuildStateHint(dialog, ctx, pageId, text.data());
  const ModelInfo* model = ProcessModelInfo();
  const uint32_t hintPage = HintPageOf(pageId, model != nullptr ? model->features[kMfOverlayMgrType] : 0);
  const MessageTables* tables = DialogFrameworkModules().texts;
  const char16_t* hintTable = tables != nullptr ? tables->tables[kHintStr] : nullptr;
  if (AppendListedHints(FindPageHints(hintPage), hintTable, text.data(), kHintBufferUnits)) {
    ShowHintArea(dialog, hintPage);
    SetHintItemText(dialog, kHintTextControl, text.data());
    return;
  }
  if (!state) {
    HideHintArea(dialog, hintPage);
    return;
  }
  if (hintPage == 132) {
    const char16_t* entry = HintEntry(55);
    if (entry != nullptr) SetHintItemText(dialog, 2229, entry);
  }
  ShowHintArea(dialog, hintPage);
  SetHintItemText(dialog, kHintTextControl, text.data());
}

void DrawHintBulbItem(HWND, const DRAWITEMSTRUCT* item) {
  HMODULE images = DialogFrameworkModules().images;
  if (images == nullptr || item == nullptr) return;
  HBITMAP image = LoadBitmapW(images, MAKEINTRESOURCEW(kBulbImage));
  HBITMAP mask = LoadBitmapW(images, MAKEINTRESOURCEW(kBulbMask));
  if (image != nullptr && mask != nullptr) {
    const SIZE size = GetBitmapSize(image);
    const RECT& r = item->rcItem;
    const int x = r.left + (r.right - r.left) / 2 - size.cx / 2;
    const int y = r.top + (r.bottom - r.top) / 2 - size.cy / 2;
    HDC memory = CreateCompatibleDC(item->hDC);
    HGDIOBJ old = SelectObject(memory, mask);
    BitBlt(item->hDC, x, y, size.cx, size.cy, memory, 0, 0, SRCAND);
    SelectObject(memory, image);
    BitBlt(item->hDC, x, y, size.cx, size.cy, memory, 0, 0, SRCINVERT);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  if (image != nullptr) DeleteObject(image);
  if (mask != nullptr) DeleteObject(mask);
}
