// The copy-protect edit dialog: a tab control with the print-item page and
// the method page.  At its start it asks the device for the stamps it has
// registered; a page change and OK first let the page store what it shows.
// The print-item page chooses what the stamp is made of (a string, the
// date and time, the serial number, a distribution number, the job number:
// at least one) and the size and angle of its text.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

#include "common/records/doc_fields.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/watermark/copy_protect_dialogs_win.h"
#include "dproc/watermark/date_time_format_dialog_win.h"

namespace {

constexpr char kSection[] = "Dlg_CopyProtectEdit";

DocFields& F(SheetCtx* ctx) { return Fields(*GetPrivDevMode(ctx)); }

// ------------------------------------------------------------ print items

enum : int {
  kStringBox = 2128, kStampList = 2129, kDateBox = 2130, kDateLabel = 2131, kDateText = 2132, kDateButton = 2133,
  kSerialBox = 2134, kDistributionBox = 2135, kDistributionStop = 2230, kNumberLabel = 2136, kNumberText = 2137,
  kNumberButton = 2138, kJobBox = 2139, kSizeList = 2142, kAngleList = 2144,
};
constexpr int kAtLeastOneTitleRow = 7, kAtLeastOneTextRow = 260, kMessageRowChars = 290;

const DWORD kItemHelpIds[] = {2127, 4720, 2128, 4730, 2129, 4730, 2130, 4740, 2131, 4750, 2132, 4750, 2133, 4760,
                              2134, 4770, 2135, 4780, 2136, 4790, 2137, 4790, 2138, 4800, 2139, 4810, 2140, 4820,
                              2141, 4830, 2142, 4830, 2143, 4840, 2144, 4840, 1032, 9510, 0,    0};
const int kItemLockList[] = {2127, 2128, 2129, 2130, 2131, 2132, 2134, 2135, 2136, 2137,
                             2139, 2140, 2141, 2142, 2143, 2144, 1032};
const SheetComboHeight kItemComboHeights[] = {{kAngleList, 32}, {0, 0}};

bool AnyItemOn(const DocFields& f) {
  return f.bStamp != 0 || f.bTimeDate != 0 || f.bSerialNo != 0 || f.bDistributionNumber != 0 || f.bJobNumber != 0;
}

void ShowDateText(HWND page, SheetCtx* ctx) {
  wchar_t text[32] = {};
  if (StoredDateTimeSample(*GetPrivDevMode(ctx), kDateTimeTargetCopyProtect, text, 32)) {
    SetDlgItemTextW(page, kDateText, text);
  }
}

void ShowNumberText(HWND page, SheetCtx* ctx) {
  const std::u16string text = DistributionNumberText(F(ctx).dwStartNumber, F(ctx).bDigit != 0);
  SetDlgItemTextW(page, kNumberText, reinterpret_cast<const wchar_t*>(text.c_str()));
}

void ItemEnableRules(HWND page, SheetCtx* ctx) {
  DocFields& f = F(ctx);
  // At least one item stays on: String comes back, with a word why when the
  // description has one.
  if (!AnyItemOn(f)) {
    ShowResMessage(page, kAtLeastOneTitleRow * kMessageRowChars, kAtLeastOneTextRow * kMessageRowChars, 0);
    SetFocus(GetDlgItem(page, kStringBox));
    f.bStamp = 1;
    CheckDlgButton(page, kStringBox, BST_CHECKED);
  }
  EnableCtrlIfVisible(GetDlgItem(page, kStampList), f.bStamp != 0 ? TRUE : FALSE);
  for (int id : {kDateLabel, kDateText, kDateButton}) {
    EnableCtrlIfVisible(GetDlgItem(page, id), f.bTimeDate != 0 ? TRUE : FALSE);
  }
  for (int id : {kNumberLabel, kNumberText, kNumberButton}) {
    EnableCtrlIfVisible(GetDlgItem(page, id), f.bDistributionNumber != 0 ? TRUE : FALSE);
  }
  if (CopyProtectDialogType() == 2) {
    for (int id : {kDistributionStop, kDistributionBox, kNumberLabel, kNumberText, kNumberButton, kJobBox}) {
      ShowEnableCtrl(page, id, FALSE);
    }
  }
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kItemLockList) EnableWindow(GetDlgItem(page, id), FALSE);
  }
  ShowDateText(page, ctx);
  ShowNumberText(page, ctx);
}

void FillItemLists(HWND page, SheetCtx* ctx) {
  FillCopyProtectStampList(page, ctx);
  FillOptionRowsByName(page, kSizeList, "CPE_TextSize");
  FillOptionRowsByName(page, kAngleList, "CPE_TextAngle");
}

void ItemInit(HWND page, SheetCtx* ctx) {
  DocFields& f = F(ctx);
  if (!AnyItemOn(f)) {
    f.bStamp = 1;
    f.nStampType = 0;
    f.nFixedStamp = 1;
  }
  FillItemLists(page, ctx);
}

bool ReadStamp(HWND page, SheetCtx* ctx) { return GetCopyProtectStampItem(page, ctx); }
void ShowStamp(HWND page, SheetCtx* ctx) { SelectCopyProtectStampItem(page, ctx); }

const DialogBinding kItemBindings[] = {
    {kStringBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bStamp), 1},
    {kDateBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bTimeDate), 1},
    {kSerialBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bSerialNo), 1},
    {kDistributionBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bDistributionNumber), 1},
    {kJobBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bJobNumber), 1},
    // The stamp's kind, preset number and device number change together.
    {kStampList, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nStampType), 3, 0, ReadStamp, ShowStamp},
    {kSizeList, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nPatternSize), 1},
    {kAngleList, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nAngle), 2},
    {},
};

bool ItemCommand(HWND page, SheetCtx* ctx, int id, int code) {
  if (code != BN_CLICKED) return false;
  if (id == kDateButton) {
    SetDateTimeTarget(ctx, kDateTimeTargetCopyProtect);
    if (RunSheetDialog(page, kDateTimeFormatTemplate, DateTimeFormatDlgProc, reinterpret_cast<LPARAM>(ctx)) == IDOK) {
      ShowDateText(page, ctx);
    }
    return true;
  }
  if (id == kNumberButton) {
    if (RunSheetDialog(page, kDistributionNumberTemplate, ShareNumberDlgProc, reinterpret_cast<LPARAM>(ctx)) == IDOK) {
      ShowNumberText(page, ctx);
    }
    return true;
  }
  return false;
}

void ItemDefaults(HWND page, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = F(ctx);
  const DocFields& d = Fields(defaults);
  f.bStamp = d.bStamp;
  f.nStampType = d.nStampType;
  f.nFixedStamp = d.nFixedStamp;
  f.nRecordStamp = d.nRecordStamp;
  f.bTimeDate = d.bTimeDate;
  f.CP_DateTime_wDateFormat = d.CP_DateTime_wDateFormat;
  f.CP_DateTime_bTimeFormat = d.CP_DateTime_bTimeFormat;
  f.CP_DateTime_wTimeFormat = d.CP_DateTime_wTimeFormat;
  f.bSerialNo = d.bSerialNo;
  f.bDistributionNumber = d.bDistributionNumber;
  f.dwStartNumber = d.dwStartNumber;
  f.bDigit = d.bDigit;
  f.bJobNumber = d.bJobNumber;
  f.nPatternSize = d.nPatternSize;
  f.nAngle = d.nAngle;
  (void)page;
}

bool ItemDraw(HWND, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kAngleList)) return false;
  if (item->itemID == static_cast<UINT>(-1)) return true;
  DrawItemBackground(item);
  const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
  if (row != nullptr) {
    const int cell = row->value == 0 ? 2 : row->value == 1 ? 1 : 0;
    DrawBitmapText(item, DialogFrameworkModules().images, 11100, 11101, cell, OptionRowDisplayText(row), 32, 32);
  }
  if ((item->itemState & (ODS_FOCUS | ODS_SELECTED)) != 0) DrawItemFocus(item);
  return true;
}

// What the page shows, stored (the checks and lists a user may have set
// without a notice).
void StoreItems(HWND page, SheetCtx* ctx) {
  DocFields& f = F(ctx);
  const struct {
    int id;
    uint8_t* field;
  } boxes[] = {{kStringBox, &f.bStamp}, {kDateBox, &f.bTimeDate}, {kSerialBox, &f.bSerialNo},
               {kDistributionBox, &f.bDistributionNumber}, {kJobBox, &f.bJobNumber}};
  for (const auto& b : boxes) {
    if (IsWindowVisible(GetDlgItem(page, b.id))) *b.field = IsDlgButtonChecked(page, b.id) == BST_CHECKED ? 1 : 0;
  }
  GetCopyProtectStampItem(page, ctx);
  uint32_t value = 0;
  if (SelectedOptionValue(page, kSizeList, &value)) f.nPatternSize = static_cast<uint8_t>(value);
  if (SelectedOptionValue(page, kAngleList, &value)) f.nAngle = static_cast<int16_t>(value);
}

bool ItemMessage(HWND page, SheetCtx* ctx, UINT message, WPARAM, LPARAM, INT_PTR* result) {
  if (message == kCopyProtectPageActivate) {
    RunSheetConstraints(page, DialogTooltipOf(page), 0);
    FillItemLists(page, ctx);
    ShowBindings(page, ctx, kItemBindings);
    ItemEnableRules(page, ctx);
  } else if (message == kCopyProtectPageLeave) {
    bool anyChecked = false;
    for (int id : {kStringBox, kDateBox, kSerialBox, kDistributionBox, kJobBox}) {
      anyChecked = anyChecked || IsDlgButtonChecked(page, id) == BST_CHECKED;
    }
    if (!anyChecked) {
      ItemEnableRules(page, ctx);
    } else {
      StoreItems(page, ctx);
    }
  } else {
    return false;
  }
  SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
  *result = TRUE;
  return true;
}

const DocumentDialog kItemPage = {
    .templateId = kCopyProtectItemPage,
    .textSection = kSection,
    .helpIds = kItemHelpIds,
    .bindings = kItemBindings,
    .comboHeights = kItemComboHeights,
    .init = ItemInit,
    .enableRules = ItemEnableRules,
    .command = ItemCommand,
    .defaults = ItemDefaults,
    .drawItem = ItemDraw,
    .other = ItemMessage,
};

// ------------------------------------------------------------ edit dialog

enum : int { kTab = 2125 };
constexpr int kPageCount = 2;
const DWORD kEditHelpIds[] = {0, 0};
constexpr wchar_t kPagesProp[] = L"VeldranCopyProtectPages";

struct EditPages {
  HWND pages[kPageCount] = {};
  int current = 0;
};

EditPages* PagesOf(HWND dialog) { return static_cast<EditPages*>(GetPropW(dialog, kPagesProp)); }
HWND CurrentPage(HWND dialog) {
  const EditPages* p = PagesOf(dialog);
  return p != nullptr && p->current >= 0 && p->current < kPageCount ? p->pages[p->current] : nullptr;
}

void ShowPage(HWND page, bool on) {
  if (page == nullptr) return;
  ShowWindow(page, on ? SW_SHOW : SW_HIDE);
  EnableWindow(page, on ? TRUE : FALSE);
}

// The page's answer to page-leave: true when it may be left.
bool LeavePage(HWND page) {
  if (page == nullptr) return true;
  SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
  SendMessageW(page, kCopyProtectPageLeave, 0, 0);
  return GetWindowLongPtrW(page, DWLP_MSGRESULT) == 0;
}

void ActivatePage(HWND page) {
  if (page == nullptr) return;
  SendMessageW(page, kCopyProtectPageActivate, 0, 0);
  ShowPage(page, true);
}

const wchar_t* TabTitle(const char* key) {
  return reinterpret_cast<const wchar_t*>(DispStringText(DialogTextTable(kSection), key));
}

bool CreatePages(HWND dialog, SheetCtx* ctx, EditPages* p) {
  HWND tab = GetDlgItem(dialog, kTab);
  const uint16_t templates[kPageCount] = {
      kCopyProtectItemPage, CopyProtectDialogType() == 2 ? kCopyProtectShortMethodPage : kCopyProtectMethodPage};
  const DLGPROC procs[kPageCount] = {CopyProtectItemPageProc, CopyProtectPatternPageProc};
  const char* const titles[kPageCount] = {"CPE_PrintItem", "CPE_CompositeMethod"};
  for (int i = 0; i < kPageCount; ++i) {
    HWND page = CreateDialogParamW(DialogFrameworkModules().templates, MAKEINTRESOURCEW(templates[i]), dialog,
                                   procs[i], reinterpret_cast<LPARAM>(ctx));
    if (page == nullptr) return false;
    p->pages[i] = page;
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    const wchar_t* title = TabTitle(titles[i]);
    item.pszText = const_cast<wchar_t*>(title != nullptr && title[0] != L'\0' ? title : L" ");
    item.lParam = reinterpret_cast<LPARAM>(page);
    SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  PlacePagesInTab(dialog, kTab, p->pages, kPageCount);
  p->current = 0;
  ActivatePage(p->pages[0]);
  return true;
}

void EditInit(HWND dialog, SheetCtx* ctx) {
  QueryDeviceStamps(dialog, ctx);
  auto* p = new EditPages;
  SetPropW(dialog, kPagesProp, p);
  if (!CreatePages(dialog, ctx, p)) {
    EndDialog(dialog, IDCANCEL);
    return;
  }
  PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kTab)), TRUE);
}

void EditEnableRules(HWND dialog, SheetCtx* ctx) {
  if (!CanChangeDocSettings(ctx)) EnableWindow(GetDlgItem(dialog, kDefaultButtonId), FALSE);
}

// Default belongs to the page shown.
bool EditCommand(HWND dialog, SheetCtx*, int id, int code) {
  if (id != kDefaultButtonId || code != BN_CLICKED) return false;
  if (HWND page = CurrentPage(dialog)) SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, code), 0);
  return true;
}

bool EditOk(HWND dialog, SheetCtx*) { return LeavePage(CurrentPage(dialog)); }

bool EditNotify(HWND dialog, SheetCtx*, const NMHDR* n, LRESULT* result) {
  if (n->idFrom != static_cast<UINT_PTR>(kTab)) return false;
  EditPages* p = PagesOf(dialog);
  if (p == nullptr) return false;
  if (n->code == TCN_SELCHANGING) {
    const bool stay = !LeavePage(CurrentPage(dialog));
    if (!stay) ShowPage(CurrentPage(dialog), false);
    *result = stay ? TRUE : FALSE;
    return true;
  }
  if (n->code == TCN_SELCHANGE) {
    p->current = static_cast<int>(SendMessageW(n->hwndFrom, TCM_GETCURSEL, 0, 0));
    ActivatePage(CurrentPage(dialog));
    return true;
  }
  return false;
}

void EditDestroy(HWND dialog) {
  EditPages* p = static_cast<EditPages*>(RemovePropW(dialog, kPagesProp));
  if (p == nullptr) return;
  for (HWND page : p->pages) {
    if (page != nullptr) DestroyWindow(page);
  }
  delete p;
}

const DocumentDialog kEditDialog = {
    .templateId = kCopyProtectEditTemplate,
    .textSection = kSection,
    .helpIds = kEditHelpIds,
    .helpTopic = 4700,
    .clipTitle = L"Copy Protect Dialog",
    .init = EditInit,
    .enableRules = EditEnableRules,
    .command = EditCommand,
    .ok = EditOk,
    .notify = EditNotify,
    .destroy = EditDestroy,
};

}  // namespace

INT_PTR CALLBACK CopyProtectItemPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kItemPage, page, message, wParam, lParam);
}

INT_PTR CALLBACK CopyProtectEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kEditDialog, dialog, message, wParam, lParam);
}
