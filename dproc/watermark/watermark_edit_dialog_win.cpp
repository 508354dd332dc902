#include "dproc/watermark/watermark_edit_dialog_win.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "common/records/doc_fields.h"
#include "dproc/constraints/watermark_stop_facts.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/model/edit_items.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/startup/watermark_defaults.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/watermark/watermark_list_item_win.h"
#include "dproc/watermark/watermark_lists.h"
#include "dproc/watermark/watermark_session_win.h"

namespace {

enum : int {
  kList = 1681,
  kUp = 1679,
  kDown = 1680,
  kName = 1677,
  kText = 1678,
  kNewAdd = 1602,
  kDelete = 1684,
  kPreview = kWatermarkPreviewControl,
  kBarY = 1696,
  kBarX = 1697,
  kEditX = 1443,
  kSpinX = 1444,
  kEditY = 1447,
  kSpinY = 1448,
  kCenter = 1342,
  kEditAngle = 1344,
  kSpinAngle = 1346,
  kFont = 1350,
  kStyle = 1352,
  kColour = 1351,
  kEditSize = 1689,
  kSpinSize = 1349,
  kFrame = 1692,
  kSwatch = 1451,
  kDensity = 1675,
  kSharing = 1581,
  kTransparent = 1056,
  kFirstPage = 1054,
  kRepeat = 1234,
  kDefault = 1032,
};

constexpr int kMinSize = 7, kMaxSize = 600, kMinAngle = -180, kMaxAngle = 180, kMinPos = -100, kMaxPos = 100;

const DWORD kHelpIds[] = {1450, 5250, 1681, 5250, 1679, 5250, 1680, 5250, 1682, 5110, 1677, 5110, 1683, 5120,
                          1678, 5120, 1602, 5260, 1684, 5270, 1693, DWORD(-1), 1439, 5190, 1696, 5190, 1698, 5190,
                          1699, 5190, 1440, 5190, 1697, 5190, 1700, 5190, 1701, 5190, 1441, 5200, 1442, 5210,
                          1443, 5210, 1444, 5210, 1445, 5210, 1446, 5220, 1447, 5220, 1448, 5220, 1449, 5220,
                          1342, 5230, 1383, 5160, 1344, 5160, 1346, 5160, 1384, 5160, 1685, 5130, 1350, 5130,
                          1686, 5150, 1352, 5150, 1687, 5170, 1351, 5170, 1688, 5140, 1689, 5140, 1349, 5140,
                          1690, 5140, 1691, 5180, 1692, 5180, 1385, 5280, 1451, 5280, 1694, 5280, 1675, 5280,
                          1695, 5280, 1581, 5240, 1056, 5030, 1054, 5040, 1234, 5050, 1069, DWORD(-1), 1032, 9510,
                          0, 0};

const int kEditControls[] = {1677, 1678, 1350, 1352, 1351, 1675, 1689, 1349, 1344,
                             1346, 1692, 1696, 1697, 1443, 1444, 1447, 1448, 1342};
const int kLockList[] = {1450, 1681, 1679, 1680, 1682, 1677, 1683, 1678, 1602, 1684, 1685, 1350, 1686,
                         1352, 1687, 1351, 1675, 1688, 1689, 1349, 1690, 1383, 1344, 1346, 1384, 1691,
                         1692, 1696, 1698, 1699, 1697, 1700, 1701, 1441, 1442, 1443, 1444, 1445, 1446,
                         1447, 1448, 1449, 1342, 1385, 1694, 1695, 1581, 1056, 1054, 1234, 1032};

// The data of one list item: which list, and the watermark.
#pragma pack(push, 1)
struct ItemBlock {
  uint32_t isPublic;
  WaterMarkInfo mark;
};
#pragma pack(pop)

// Set while the dialog writes its own controls, so their change
// notifications are not read back.
bool g_showing = false;

DocDMode* Doc(SheetCtx* ctx) { return GetPrivDevMode(ctx); }
WaterMarkInfo& Mark(SheetCtx* ctx) { return *SettingsWatermark(Doc(ctx)); }
uint16_t& Pos(SheetCtx* ctx) { return Fields(*Doc(ctx)).wWmkListPos; }
WatermarkSession* Session(SheetCtx* ctx) { return WatermarkSessionOf(ctx); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
LRESULT Count(HWND dialog) { return SendDlgItemMessageW(dialog, kList, LB_GETCOUNT, 0, 0); }
LRESULT Selected(HWND dialog) { return SendDlgItemMessageW(dialog, kList, LB_GETCURSEL, 0, 0); }

ItemBlock* BlockOf(HWND dialog, LRESULT index) {
  if (index < 0 || index >= Count(dialog)) return nullptr;
  const LRESULT data = SendDlgItemMessageW(dialog, kList, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == LB_ERR || data == 0 ? nullptr : reinterpret_cast<ItemBlock*>(data);
}

void CountItems(HWND dialog, uint32_t* publicCount, uint32_t* privateCount) {
  for (LRESULT i = 0; i < Count(dialog); ++i) {
    if (const ItemBlock* b = BlockOf(dialog, i)) ++*(b->isPublic != 0 ? publicCount : privateCount);
  }
}

std::wstring ItemText(HWND list, LRESULT index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::wcslen(text.c_str()));
  return text;
}

// Puts `text` with `data` at `to` in place of the item at `from`, selected.
void ReplaceItem(HWND list, LRESULT from, LRESULT to, const std::wstring& text) {
  const LRESULT data = SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(from), 0);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(from), 0);
  SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(to), reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(to), data);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(to), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

bool Administrable(SheetCtx* ctx) { return MayAdministerWatermarks(ctx); }

void CopyText(char16_t* to, size_t units, const wchar_t* from) {
  size_t n = 0;
  for (; n + 1 < units && from[n] != 0; ++n) to[n] = static_cast<char16_t>(from[n]);
  std::memset(to + n, 0, (units - n) * sizeof(char16_t));
}
std::wstring Text(HWND dialog, int id, int capacity) {
  std::wstring text(static_cast<size_t>(capacity), L'\0');
  const int n = GetDlgItemTextW(dialog, id, text.data(), capacity);
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return text;
}
bool ReadNumber(HWND dialog, int id, int low, int high, int* out) {
  const std::wstring text = Text(dialog, id, 16);
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  const long value = std::wcstol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != L'\0' || value < low || value > high) return false;
  *out = static_cast<int>(value);
  return true;
}
void SetNumber(HWND dialog, int id, int value) { SetDlgItemInt(dialog, id, static_cast<UINT>(value), TRUE); }
void Focus(HWND dialog, int id) { PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE); }
void RedrawPreview(HWND dialog) { InvalidateRect(GetDlgItem(dialog, kPreview), nullptr, FALSE); }
void RedrawSwatch(HWND dialog) { InvalidateRect(GetDlgItem(dialog, kSwatch), nullptr, FALSE); }
int32_t Constraints(HWND dialog, int id) { return RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(id)); }

void SetupFont(SheetCtx* ctx) {
  if (WatermarkSession* s = Session(ctx)) SetupWatermarkFont(&s->preview, &Mark(ctx));
}

int CALLBACK AddFontFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM combo) {
  if (font->lfFaceName[0] == L'@') return 1;
  HWND list = reinterpret_cast<HWND>(combo);
  if (SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(font->lfFaceName)) < 0) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
  }
  return 1;
}

// --- Showing the edited watermark.

void ShowValues(HWND dialog, SheetCtx* ctx) {
  g_showing = true;
  const WaterMarkInfo mark = Mark(ctx);
  wchar_t name[32] = {}, text[130] = {}, face[33] = {};
  std::memcpy(name, mark.szWmkTitle, sizeof mark.szWmkTitle);
  std::memcpy(text, mark.szWmkStr, sizeof mark.szWmkStr);
  std::memcpy(face, mark.szFontName, sizeof mark.szFontName);
  name[31] = text[128] = face[31] = 0;
  SetDlgItemTextW(dialog, kName, name);
  SetDlgItemTextW(dialog, kText, text);
  // A face the computer lacks is listed by its name, so the record keeps it.
  LRESULT at = SendDlgItemMessageW(dialog, kFont, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face));
  if (at < 0 && face[0] != 0) at = SendDlgItemMessageW(dialog, kFont, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face));
  SendDlgItemMessageW(dialog, kFont, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  SetNumber(dialog, kEditSize, mark.wSize);
  SelectOptionRow(dialog, kStyle, static_cast<uint32_t>(mark.nStyle));
  SetNumber(dialog, kEditAngle, mark.nAngle);
  SendDlgItemMessageW(dialog, kDensity, TBM_SETPOS, TRUE, 255 - static_cast<LPARAM>(mark.crColor & 0xFF));
  SelectOptionRow(dialog, kFrame, mark.wFrame);
  SetNumber(dialog, kEditX, mark.ptWmkPosX);
  SendDlgItemMessageW(dialog, kBarX, TBM_SETPOS, TRUE, mark.ptWmkPosX);
  SetNumber(dialog, kEditY, mark.ptWmkPosY);
  SendDlgItemMessageW(dialog, kBarY, TBM_SETPOS, TRUE, -mark.ptWmkPosY);
  const WatermarkSession* s = Session(ctx);
  CheckDlgButton(dialog, kSharing, s != nullptr && s->sharing == kSharingPublic ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kTransparent, mark.bBkGrnd != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kFirstPage, mark.bFstPg != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kRepeat, mark.bMultiStamp != 0 ? BST_CHECKED : BST_UNCHECKED);
  g_showing = false;
}

// Disables a control; one that holds the focus hands it on first.
void EnableKeepFocus(HWND dialog, int id, bool on) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return;
  if (!on && GetFocus() == control) {
    SendMessageW(dialog, WM_NEXTDLGCTL, id == kDown, FALSE);
  }
  EnableCtrlIfVisible(control, on ? TRUE : FALSE);
}

void UpdateStates(HWND dialog, SheetCtx* ctx) {
  const bool a = Administrable(ctx);
  uint32_t p = 0, q = 0;
  CountItems(dialog, &p, &q);
  const WatermarkSession* s = Session(ctx);
  const bool shared = s == nullptr || s->sharing == kSharingPublic;
  const bool builtIn = shared && Mark(ctx).szKey[0] != '\0';
  const bool empty = p + q == 0;
  const bool editable = !empty && (shared ? a : true);
  WatermarkEditFacts& facts = ProcessWatermarkEditFacts();
  facts = {a, p, q, Selected(dialog) >= 0, shared, builtIn};
  for (int id : kEditControls) EnableKeepFocus(dialog, id, editable);
  bool sharing = false;
  if (a) sharing = shared ? (q < kMaxPrivateWatermarks && !builtIn) : p < kMaxPublicWatermarks;
  EnableKeepFocus(dialog, kSharing, sharing && !empty);
  EnableKeepFocus(dialog, kNewAdd, a ? (p < kMaxPublicWatermarks || q < kMaxPrivateWatermarks) : q < kMaxPrivateWatermarks);
  EnableKeepFocus(dialog, kDelete, !empty && (shared ? a && !builtIn : true));
  const uint16_t pos = Pos(ctx);
  EnableKeepFocus(dialog, kUp, pos >= 1 && !empty);
  EnableKeepFocus(dialog, kDown, pos + 1u < p + q);
  for (int id : {kTransparent, kFirstPage, kRepeat, kDefault}) EnableKeepFocus(dialog, id, !empty);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableKeepFocus(dialog, id, false);
  }
}

// --- The list.

void FillList(HWND dialog, SheetCtx* ctx) {
  HWND list = GetDlgItem(dialog, kList);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  if (const WatermarkSession* s = Session(ctx)) {
    for (uint32_t i = 0; i < s->orderCount; ++i) {
      const WatermarkTitle name = TitleOf(s->order[i]);
      const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.text));
      if (at < 0) continue;
      auto* block = static_cast<ItemBlock*>(LocalAlloc(LPTR, sizeof(ItemBlock)));
      if (block == nullptr) continue;
      block->isPublic = s->order[i].bPublic != 0 ? 1 : 0;
      FindSessionWatermark(*s, s->order[i], &block->mark);
      SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(block));
    }
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void FreeBlocks(HWND dialog) {
  for (LRESULT i = 0; i < Count(dialog); ++i) {
    if (ItemBlock* b = BlockOf(dialog, i)) LocalFree(b);
    SendDlgItemMessageW(dialog, kList, LB_SETITEMDATA, static_cast<WPARAM>(i), 0);
  }
}

void SyncSelection(HWND dialog, SheetCtx* ctx) {
  if (Count(dialog) > 0) {
    if (Pos(ctx) >= Count(dialog)) {
      Pos(ctx) = 0;
      NoteSheetChange(dialog, Doc(ctx));
    }
    if (const ItemBlock* b = BlockOf(dialog, Pos(ctx))) {
      if (std::memcmp(&b->mark, &Mark(ctx), sizeof(WaterMarkInfo)) != 0) Mark(ctx) = b->mark;
      if (WatermarkSession* s = Session(ctx)) s->sharing = b->isPublic != 0 ? kSharingPublic : kSharingPrivate;
    }
    SendDlgItemMessageW(dialog, kList, LB_SETCURSEL, Pos(ctx), 0);
  }
  UpdateStates(dialog, ctx);
}

// Reads every control into the edited watermark; false (with the focus on
// the control, and a message for the name and text) at the first that
// cannot be taken.
bool Validate(HWND dialog, SheetCtx* ctx) {
  WaterMarkInfo& mark = Mark(ctx);
  const std::wstring name = Text(dialog, kName, 62);
  if (name.empty()) {
    ShowMessageBox(dialog, 1, 3, 140, MB_ICONEXCLAMATION, 0, 0);
    Focus(dialog, kName);
    return false;
  }
  char16_t title[32] = {};
  CopyText(title, 32, name.c_str());
  for (LRESULT i = 0; i < Count(dialog); ++i) {
    const ItemBlock* b = BlockOf(dialog, i);
    if (i == Pos(ctx) || b == nullptr) continue;
    if (std::memcmp(b->mark.szWmkTitle, title, sizeof title) == 0) {
      std::wstring shown(reinterpret_cast<const wchar_t*>(title));
      ShowMessageBoxStr(dialog, 1, 4, 180, MB_ICONEXCLAMATION, shown.c_str(), nullptr);
      Focus(dialog, kName);
      return false;
    }
  }
  std::memcpy(mark.szWmkTitle, title, sizeof title);
  const std::wstring text = Text(dialog, kText, 62);
  if (text.empty()) {
    ShowMessageBox(dialog, 1, 3, 141, MB_ICONEXCLAMATION, 0, 0);
    Focus(dialog, kText);
    return false;
  }
  CopyText(mark.szWmkStr, 129, text.c_str());
  const LRESULT font = SendDlgItemMessageW(dialog, kFont, CB_GETCURSEL, 0, 0);
  if (font >= 0) {
    wchar_t face[64] = {};
    if (SendDlgItemMessageW(dialog, kFont, CB_GETLBTEXTLEN, static_cast<WPARAM>(font), 0) < 64) {
      SendDlgItemMessageW(dialog, kFont, CB_GETLBTEXT, static_cast<WPARAM>(font), reinterpret_cast<LPARAM>(face));
      CopyText(mark.szFontName, 32, face);
    }
  }
  int value = 0;
  if (!ReadNumber(dialog, kEditSize, kMinSize, kMaxSize, &value)) return Focus(dialog, kEditSize), false;
  mark.wSize = static_cast<uint16_t>(value);
  uint32_t option = 0;
  if (!SelectedOptionValue(dialog, kStyle, &option)) return Focus(dialog, kStyle), false;
  mark.nStyle = static_cast<int16_t>(option);
  if (!ReadNumber(dialog, kEditAngle, kMinAngle, kMaxAngle, &value)) return Focus(dialog, kEditAngle), false;
  mark.nAngle = static_cast<int16_t>(value);
  const LRESULT density = SendDlgItemMessageW(dialog, kDensity, TBM_GETPOS, 0, 0);
  const BYTE grey = static_cast<BYTE>(255 - (density < 0 ? 0 : density > 255 ? 255 : density));
  mark.crColor = RGB(grey, grey, grey);
  if (!SelectedOptionValue(dialog, kFrame, &option)) return Focus(dialog, kFrame), false;
  mark.wFrame = static_cast<uint16_t>(option);
  if (!ReadNumber(dialog, kEditX, kMinPos, kMaxPos, &value)) return Focus(dialog, kEditX), false;
  mark.ptWmkPosX = value;
  if (!ReadNumber(dialog, kEditY, kMinPos, kMaxPos, &value)) return Focus(dialog, kEditY), false;
  mark.ptWmkPosY = value;
  if (WatermarkSession* s = Session(ctx)) s->sharing = Checked(dialog, kSharing) ? kSharingPublic : kSharingPrivate;
  mark.bBkGrnd = Checked(dialog, kTransparent) ? 1 : 0;
  mark.bFstPg = Checked(dialog, kFirstPage) ? 1 : 0;
  mark.bMultiStamp = Checked(dialog, kRepeat) ? 1 : 0;
  SetupFont(ctx);
  return true;
}

// Puts the edited watermark back into its item and takes the selected
// item's; true when the list is empty or the switch was made.
bool CommitSelection(HWND dialog, SheetCtx* ctx) {
  if (Count(dialog) == 0) return true;
  const LRESULT selected = Selected(dialog);
  if (selected < 0 || !Validate(dialog, ctx)) return false;
  if (ItemBlock* b = BlockOf(dialog, Pos(ctx))) {
    b->mark = Mark(ctx);
    const WatermarkSession* s = Session(ctx);
    b->isPublic = s != nullptr && s->sharing == kSharingPublic ? 1 : 0;
  }
  if (const ItemBlock* b = BlockOf(dialog, selected)) {
    Mark(ctx) = b->mark;
    if (WatermarkSession* s = Session(ctx)) s->sharing = b->isPublic != 0 ? kSharingPublic : kSharingPrivate;
  }
  Pos(ctx) = static_cast<uint16_t>(selected);
  return true;
}

void Refresh(HWND dialog, SheetCtx* ctx) {
  SetupFont(ctx);
  RedrawPreview(dialog);
  ShowValues(dialog, ctx);
  UpdateStates(dialog, ctx);
  RedrawSwatch(dialog);
}

// The edited watermark back into its item and the selected one taken, then
// the constraint pass over the list, whose refusal keeps the old place;
// false when the edited one could not be taken back.
bool SwitchSelection(HWND dialog, SheetCtx* ctx) {
  const uint16_t kept = Pos(ctx);
  if (!CommitSelection(dialog, ctx)) {
    SyncSelection(dialog, ctx);
    return false;
  }
  if (ConstraintRefused(Constraints(dialog, kList))) {
    Pos(ctx) = kept;
    SyncSelection(dialog, ctx);
  }
  DispPageHint(dialog, ctx, kWatermarkEditTemplate);
  return true;
}

void SelectionChanged(HWND dialog, SheetCtx* ctx) {
  if (SwitchSelection(dialog, ctx)) Refresh(dialog, ctx);
}

// The name edit renames the selected item as the user types.
void NameChanged(HWND dialog) {
  const LRESULT at = Selected(dialog);
  if (at < 0) return;
  const std::wstring name = Text(dialog, kName, 62);
  HWND list = GetDlgItem(dialog, kList);
  if (ItemText(list, at) != name) ReplaceItem(list, at, at, name);
}

// An edit of a number: the field takes it when it is in range.
void NumberChanged(HWND dialog, SheetCtx* ctx, int id) {
  WaterMarkInfo& mark = Mark(ctx);
  int value = 0;
  switch (id) {
    case kEditSize:
      if (ReadNumber(dialog, id, kMinSize, kMaxSize, &value)) mark.wSize = static_cast<uint16_t>(value);
      SetupFont(ctx);
      break;
    case kEditAngle:
      if (ReadNumber(dialog, id, kMinAngle, kMaxAngle, &value)) mark.nAngle = static_cast<int16_t>(value);
      break;
    case kEditX:
      if (ReadNumber(dialog, id, kMinPos, kMaxPos, &value)) {
        mark.ptWmkPosX = value;
        SendDlgItemMessageW(dialog, kBarX, TBM_SETPOS, TRUE, value);
      }
      break;
    case kEditY:
      if (ReadNumber(dialog, id, kMinPos, kMaxPos, &value)) {
        mark.ptWmkPosY = value;
        SendDlgItemMessageW(dialog, kBarY, TBM_SETPOS, TRUE, -value);
      }
      break;
    default: return;
  }
  SetupFont(ctx);
  RedrawPreview(dialog);
}

void NewAdd(HWND dialog, SheetCtx* ctx) {
  if (!SwitchSelection(dialog, ctx)) return;
  uint32_t publicCount = 0, privateCount = 0;
  CountItems(dialog, &publicCount, &privateCount);
  const bool a = Administrable(ctx);
  if (!(a && publicCount < kMaxPublicWatermarks) && privateCount >= kMaxPrivateWatermarks) return;
  if (publicCount + privateCount >= kMaxWatermarkOrder) return;
  auto* block = static_cast<ItemBlock*>(LocalAlloc(LPTR, sizeof(ItemBlock)));
  if (block == nullptr) return;
  block->isPublic = a && publicCount < kMaxPublicWatermarks ? 1 : 0;
  block->mark = NewWatermarkRecord();
  HWND list = GetDlgItem(dialog, kList);
  const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
  if (at < 0) {
    LocalFree(block);
    return;
  }
  SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(block));
  Pos(ctx) = static_cast<uint16_t>(at);
  SyncSelection(dialog, ctx);
  Refresh(dialog, ctx);
  Focus(dialog, kName);
  Constraints(dialog, kList);
}

void Delete(HWND dialog, SheetCtx* ctx) {
  const LRESULT at = Selected(dialog);
  if (at < 0) return;
  const std::wstring name = ItemText(GetDlgItem(dialog, kList), at);
  if (ShowMessageBoxStr(dialog, 5, 6, 320, MB_YESNO | MB_ICONQUESTION, name.c_str(), nullptr) != IDYES) return;
  if (ItemBlock* b = BlockOf(dialog, at)) LocalFree(b);
  SendDlgItemMessageW(dialog, kList, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  if (Count(dialog) == 0) {
    Pos(ctx) = 0;
    Mark(ctx) = NewWatermarkRecord();
  } else {
    Pos(ctx) = static_cast<uint16_t>(at < Count(dialog) ? at : at - 1);
    SyncSelection(dialog, ctx);
  }
  Refresh(dialog, ctx);
  Constraints(dialog, 0);
  DispPageHint(dialog, ctx, kWatermarkEditTemplate);
  UpdateStates(dialog, ctx);
}

void Move(HWND dialog, SheetCtx* ctx, int step) {
  const LRESULT at = Selected(dialog);
  const LRESULT to = at + step;
  if (at < 0 || to < 0 || to >= Count(dialog)) return;
  HWND list = GetDlgItem(dialog, kList);
  ReplaceItem(list, at, to, ItemText(list, at));
  Pos(ctx) = static_cast<uint16_t>(to);
  UpdateStates(dialog, ctx);
}

void SharingChanged(HWND dialog, SheetCtx* ctx) {
  WatermarkSession* s = Session(ctx);
  if (s == nullptr) return;
  const uint8_t kept = s->sharing;
  s->sharing = Checked(dialog, kSharing) ? kSharingPublic : kSharingPrivate;
  if (ConstraintRefused(Constraints(dialog, kSharing))) {
    s->sharing = kept;
    CheckDlgButton(dialog, kSharing, kept == kSharingPublic ? BST_CHECKED : BST_UNCHECKED);
  }
  if (ItemBlock* b = BlockOf(dialog, Selected(dialog))) b->isPublic = s->sharing == kSharingPublic ? 1 : 0;
  DispPageHint(dialog, ctx, kWatermarkEditTemplate);
  InvalidateRect(GetDlgItem(dialog, kList), nullptr, TRUE);
  UpdateStates(dialog, ctx);
}

// --- The skeleton's handlers.

void Init(HWND dialog, SheetCtx* ctx) {
  WatermarkSession* s = Session(ctx);
  if (s != nullptr) {
    const COLORREF colour = Mark(ctx).crColor & 0x00FFFFFF;
    bool known = false;
    for (COLORREF c : s->customColors) known = known || c == colour;
    if (!known) s->customColors[0] = colour;
    if (s->orderCount == 0) Mark(ctx) = NewWatermarkRecord();
  }
  SetWatermarkSessionPaper(ctx);
  SetupFont(ctx);
  ShowEnableCtrl(dialog, 1687, FALSE);
  ShowEnableCtrl(dialog, kColour, FALSE);
  const int limit = GetCtxSessionFlag(ctx) != 0 ? 60 : 30;
  SendDlgItemMessageW(dialog, kName, EM_LIMITTEXT, 31, 0);
  SetEditItemLimit(dialog, ctx, kText, limit);
  FillList(dialog, ctx);
  if (HDC dc = GetDC(dialog)) {
    LOGFONTW all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &all, AddFontFamily, reinterpret_cast<LPARAM>(GetDlgItem(dialog, kFont)), 0);
    ReleaseDC(dialog, dc);
  }
  SendDlgItemMessageW(dialog, kEditSize, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessageW(dialog, kSpinSize, UDM_SETRANGE32, kMinSize, kMaxSize);
  FillOptionRowsByName(dialog, kStyle, "WM_Style");
  SendDlgItemMessageW(dialog, kEditAngle, EM_LIMITTEXT, 4, 0);
  SendDlgItemMessageW(dialog, kSpinAngle, UDM_SETRANGE32, kMinAngle, kMaxAngle);
  SendDlgItemMessageW(dialog, kDensity, TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
  SendDlgItemMessageW(dialog, kDensity, TBM_SETPAGESIZE, 0, 32);
  SendDlgItemMessageW(dialog, kDensity, TBM_SETTICFREQ, 32, 0);
  FillOptionRowsByName(dialog, kFrame, "WM_Box");
  for (int id : {kEditX, kEditY}) SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, 4, 0);
  for (int id : {kSpinX, kSpinY}) SendDlgItemMessageW(dialog, id, UDM_SETRANGE32, kMinPos, kMaxPos);
  for (int id : {kBarX, kBarY}) {
    SendDlgItemMessageW(dialog, id, TBM_SETRANGEMIN, FALSE, kMinPos);
    SendDlgItemMessageW(dialog, id, TBM_SETRANGEMAX, FALSE, kMaxPos);
    SendDlgItemMessageW(dialog, id, TBM_SETPAGESIZE, 0, 10);
    SendDlgItemMessageW(dialog, id, TBM_SETLINESIZE, 0, 1);
  }
  SyncSelection(dialog, ctx);
  ShowValues(dialog, ctx);
}

void Started(HWND dialog, SheetCtx* ctx) {
  UpdateStates(dialog, ctx);
  Constraints(dialog, kList);
}

void EnableRules(HWND dialog, SheetCtx* ctx) { UpdateStates(dialog, ctx); }

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (id == kList && code == LBN_SELCHANGE) {
    if (Selected(dialog) != Pos(ctx)) SelectionChanged(dialog, ctx);
    return true;
  }
  if (code == EN_CHANGE) {
    if (g_showing) return true;
    if (id == kName) NameChanged(dialog);
    else if (id == kText) {
      CopyText(Mark(ctx).szWmkStr, 129, Text(dialog, kText, 130).c_str());
      SetupFont(ctx);
      RedrawPreview(dialog);
    } else {
      NumberChanged(dialog, ctx, id);
    }
    return true;
  }
  if (id == kFont && code == CBN_SELENDOK) {
    const LRESULT at = SendDlgItemMessageW(dialog, kFont, CB_GETCURSEL, 0, 0);
    wchar_t face[64] = {};
    if (at >= 0 && SendDlgItemMessageW(dialog, kFont, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0) < 64) {
      SendDlgItemMessageW(dialog, kFont, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(face));
      CopyText(Mark(ctx).szFontName, 32, face);
      SetupFont(ctx);
      RedrawPreview(dialog);
    }
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kNewAdd: NewAdd(dialog, ctx); return true;
    case kDelete: Delete(dialog, ctx); return true;
    case kUp: Move(dialog, ctx, -1); return true;
    case kDown: Move(dialog, ctx, 1); return true;
    case kSharing: SharingChanged(dialog, ctx); return true;
    case kCenter:
      SetNumber(dialog, kEditX, 0);
      SetNumber(dialog, kEditY, 0);
      return true;
    default: return false;
  }
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  struct Range {
    int id, low, high, extra;
  };
  for (const Range& r : {Range{kEditSize, kMinSize, kMaxSize, 70}, Range{kEditAngle, kMinAngle, kMaxAngle, 71},
                         Range{kEditX, kMinPos, kMaxPos, 72}, Range{kEditY, kMinPos, kMaxPos, 72}}) {
    int value = 0;
    if (Count(dialog) > 0 && !ReadNumber(dialog, r.id, r.low, r.high, &value)) {
      ShowMessageBox(dialog, 1, 2, r.extra, MB_ICONEXCLAMATION, r.low, r.high);
      SetFocus(GetDlgItem(dialog, r.id));
      return false;
    }
  }
  if (Count(dialog) > 0 && Selected(dialog) < 0) SendDlgItemMessageW(dialog, kList, LB_SETCURSEL, Pos(ctx), 0);
  if (!SwitchSelection(dialog, ctx)) return false;
  WatermarkSession* s = Session(ctx);
  if (s == nullptr) return true;
  s->publicCount = s->privateCount = s->orderCount = 0;
  for (LRESULT i = 0; i < Count(dialog); ++i) {
    const ItemBlock* b = BlockOf(dialog, i);
    if (b == nullptr || s->orderCount >= kMaxWatermarkOrder) continue;
    if (b->isPublic != 0) {
      if (s->publicCount >= kMaxPublicWatermarks) continue;
      s->publicMarks[s->publicCount++] = b->mark;
    } else {
      if (s->privateCount >= kMaxPrivateWatermarks) continue;
      s->privateMarks[s->privateCount++] = b->mark;
    }
    WMOrderEntry& entry = s->order[s->orderCount++];
    entry.bPublic = b->isPublic != 0 ? 1 : 0;
    std::memcpy(entry.szName, b->mark.szWmkTitle, sizeof entry.szName);
  }
  s->changed = true;
  return true;
}

void Defaults(HWND dialog, SheetCtx* ctx) {
  SetFocusCtrl(dialog, kDefault);
  WaterMarkInfo fresh = NewWatermarkRecord();
  CopyText(fresh.szWmkTitle, 32, Text(dialog, kName, 62).c_str());
  CopyText(fresh.szWmkStr, 129, Text(dialog, kText, 130).c_str());
  const WatermarkSession* s = Session(ctx);
  const WaterMarkInfo& mark = Mark(ctx);
  if (s != nullptr && s->sharing == kSharingPublic && mark.szKey[0] != '\0') {
    const size_t rows = CountDefaultWatermarks(g_defaultWatermarks, kDefaultWatermarks);
    for (size_t i = 0; i < rows; ++i) {
      if (_strnicmp(g_defaultWatermarks[i].szKey, mark.szKey, sizeof mark.szKey) == 0) {
        fresh = g_defaultWatermarks[i];
        break;
      }
    }
  }
  Mark(ctx) = fresh;
  Refresh(dialog, ctx);
  NameChanged(dialog);
}

bool DrawItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  switch (item->CtlID) {
    case kList: {
      if (static_cast<int>(item->itemID) < 0) {
        if (item->itemAction == ODA_FOCUS) DrawFocusRect(item->hDC, &item->rcItem);
        return true;
      }
      const ItemBlock* b = BlockOf(dialog, static_cast<LRESULT>(item->itemID));
      DrawWatermarkListItem(item, DialogFrameworkModules().images, b == nullptr || b->isPublic != 0, true);
      return true;
    }
    case kPreview:
      if (WatermarkSession* s = Session(ctx)) DrawWatermarkPreview(&s->preview, dialog, Doc(ctx));
      return true;
    case kSwatch: {
      const LRESULT density = SendDlgItemMessageW(dialog, kDensity, TBM_GETPOS, 0, 0);
      const BYTE grey = static_cast<BYTE>(255 - (density < 0 ? 0 : density > 255 ? 255 : density));
      HBRUSH brush = CreateSolidBrush(RGB(grey, grey, grey));
      HGDIOBJ oldBrush = SelectObject(item->hDC, brush);
      HGDIOBJ oldPen = SelectObject(item->hDC, GetStockObject(BLACK_PEN));
      Rectangle(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom);
      SelectObject(item->hDC, oldPen);
      SelectObject(item->hDC, oldBrush);
      DeleteObject(brush);
      return true;
    }
    default: return false;
  }
}

void Destroyed(HWND dialog) { FreeBlocks(dialog); }

const DialogBinding kBindings[] = {
    {.controlId = kStyle, .notify = CBN_SELENDOK, .kind = BindKind::kDropList, .at = DOC_FIELD_AT(WmkInfo_nStyle),
     .bytes = 2},
    {.controlId = kFrame, .notify = CBN_SELENDOK, .kind = BindKind::kDropList, .at = DOC_FIELD_AT(WmkInfo_wFrame),
     .bytes = 2},
    {kTransparent, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(WmkInfo_bBkGrnd), 1},
    {kFirstPage, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(WmkInfo_bFstPg), 1},
    {kRepeat, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(WmkInfo_bMultiStamp), 1},
    {},
};

const DocumentDialog kDialog = {
    .templateId = kWatermarkEditTemplate,
    .textSection = "Dlg_Watermark",
    .helpIds = kHelpIds,
    .helpTopic = 5000,
    .clipTitle = L"Edit Watermark Tab",
    .bindings = kBindings,
    .init = Init,
    .started = Started,
    .enableRules = EnableRules,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
    .destroy = Destroyed,
};

// The track bars move the position and the density.
void Scrolled(HWND dialog, HWND bar) {
  SheetCtx* ctx = SheetCtxOf(dialog);
  if (ctx == nullptr || GetPrivDevMode(ctx) == nullptr) return;
  const LRESULT position = SendMessageW(bar, TBM_GETPOS, 0, 0);
  switch (GetDlgCtrlID(bar)) {
    case kBarX: SetNumber(dialog, kEditX, static_cast<int>(position)); break;
    case kBarY: SetNumber(dialog, kEditY, static_cast<int>(-position)); break;
    case kDensity: {
      const BYTE grey = static_cast<BYTE>(255 - (position < 0 ? 0 : position > 255 ? 255 : position));
      Mark(ctx).crColor = RGB(grey, grey, grey);
      SetupFont(ctx);
      RedrawSwatch(dialog);
      RedrawPreview(dialog);
      break;
    }
    default: break;
  }
}

}  // namespace

INT_PTR CALLBACK WaterMarkEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_HSCROLL || message == WM_VSCROLL) && lParam != 0) {
    Scrolled(dialog, reinterpret_cast<HWND>(lParam));
  }
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
