// The simple copy-protect dialog (a stamp and a background pattern, for a
// model whose copy-protect dialog is of type 3) and the distribution number
// dialog of the print-item page (where counting starts, and whether the
// number is printed with eight digits).
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

#include "common/records/doc_fields.h"
#include "common/text/number_text.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/watermark/copy_protect_dialogs_win.h"

namespace {

DocFields& F(SheetCtx* ctx) { return Fields(*GetPrivDevMode(ctx)); }

// ------------------------------------------------------------- simple

const DWORD kSimpleHelpIds[] = {2367, 4731, 2129, 4731, 2154, 4920, 2155, 4920,
                                1032, 9510, 1069, DWORD(-1), 1015, DWORD(-1), 1016, DWORD(-1), 0, 0};
const int kSimpleLockList[] = {2367, 2129, 2154, 2155, 1032};

bool ReadStamp(HWND dialog, SheetCtx* ctx) { return GetCopyProtectStampItem(dialog, ctx); }
void ShowStamp(HWND dialog, SheetCtx* ctx) { SelectCopyProtectStampItem(dialog, ctx); }
bool ReadPattern(HWND dialog, SheetCtx* ctx) { return GetCopyProtectPatternItem(dialog, ctx); }
void ShowPattern(HWND dialog, SheetCtx* ctx) { SelectCopyProtectPatternItem(dialog, ctx); }

const DialogBinding kSimpleBindings[] = {
    {2129, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nStampType), 3, 0, ReadStamp, ShowStamp},
    {2155, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nBackPattern), 1, 0, ReadPattern, ShowPattern},
    {},
};

void SimpleInit(HWND dialog, SheetCtx* ctx) {
  FillCopyProtectStampList(dialog, ctx);
  FillCopyProtectPatternList(dialog, ctx);
}

void SimpleRules(HWND dialog, SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : kSimpleLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

bool SimpleOk(HWND dialog, SheetCtx* ctx) {
  GetCopyProtectStampItem(dialog, ctx);
  GetCopyProtectPatternItem(dialog, ctx);
  return true;
}

void SimpleDefaults(HWND, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = F(ctx);
  const DocFields& d = Fields(defaults);
  f.nStampType = d.nStampType;
  f.nFixedStamp = d.nFixedStamp;
  f.nRecordStamp = d.nRecordStamp;
  f.nBackPattern = d.nBackPattern;
}

const DocumentDialog kSimpleDialog = {
    .templateId = kCopyProtectSimpleTemplate,
    .textSection = "Dlg_CopyProtectEdit",
    .helpIds = kSimpleHelpIds,
    .helpTopic = 4700,
    .clipTitle = L"Copy Protect Dialog",
    .bindings = kSimpleBindings,
    .init = SimpleInit,
    .enableRules = SimpleRules,
    .ok = SimpleOk,
    .defaults = SimpleDefaults,
};

// ------------------------------------------------- distribution number

enum : int { kNumber = 2109, kNumberSpin = 2110, kFixedDigits = 2167, kNeededDigits = 2168, kPreview = 2169 };
const DWORD kNumberHelpIds[] = {2165, 5950, 2109, 5950, 2110, 5950, 2166, 5950, 2167, 5960, 2168, 5970,
                                2088, 5980, 2169, 5980, 1069, DWORD(-1), 1015, DWORD(-1), 1016, DWORD(-1),
                                1032, 9510, 0,    0};
const int kNumberLockList[] = {2165, 2109, 2110, 2166, 2167, 2168, 2088, 2169, 1032};

void ShowPreview(HWND dialog, SheetCtx* ctx) {
  const std::u16string text = DistributionNumberText(F(ctx).dwStartNumber, F(ctx).bDigit != 0);
  SetDlgItemTextW(dialog, kPreview, reinterpret_cast<const wchar_t*>(text.c_str()));
}

void ShowNumber(HWND dialog, SheetCtx* ctx) {
  SendDlgItemMessageW(dialog, kNumberSpin, UDM_SETPOS32, 0, static_cast<LPARAM>(F(ctx).dwStartNumber));
  SetDlgItemInt(dialog, kNumber, F(ctx).dwStartNumber, FALSE);
  ShowPreview(dialog, ctx);
}

// The number typed when it lies in the range.
bool ReadNumber(HWND dialog, uint32_t* out) {
  wchar_t text[16] = {};
  GetDlgItemTextW(dialog, kNumber, text, 16);
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text, &end, 10);
  if (end == text || *end != L'\0' || value < kDistributionNumberLowest || value > kDistributionNumberHighest) {
    return false;
  }
  *out = static_cast<uint32_t>(value);
  return true;
}

void NumberInit(HWND dialog, SheetCtx* ctx) {
  SendDlgItemMessageW(dialog, kNumber, EM_LIMITTEXT, 8, 0);
  SendDlgItemMessageW(dialog, kNumberSpin, UDM_SETBASE, 10, 0);
  SendDlgItemMessageW(dialog, kNumberSpin, UDM_SETRANGE32, kDistributionNumberLowest, kDistributionNumberHighest);
  ShowNumber(dialog, ctx);
}

void NumberRules(HWND dialog, SheetCtx* ctx) {
  ShowPreview(dialog, ctx);
  if (CanChangeDocSettings(ctx)) return;
  for (int id : kNumberLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

bool NumberCommand(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (id != kNumber) return false;
  if (code == EN_CHANGE) {
    wchar_t text[16] = {};
    GetDlgItemTextW(dialog, kNumber, text, 16);
    SetDlgItemNumberText(dialog, kNumber, text, FALSE, FALSE);
    uint32_t value = 0;
    if (ReadNumber(dialog, &value)) {
      F(ctx).dwStartNumber = value;
      ShowPreview(dialog, ctx);
    }
  }
  return true;
}

bool NumberOk(HWND dialog, SheetCtx* ctx) {
  uint32_t value = 0;
  if (!ReadNumber(dialog, &value)) {
    SetFocusCtrl(dialog, kNumber);
    return false;
  }
  F(ctx).dwStartNumber = value;
  F(ctx).bDigit = IsDlgButtonChecked(dialog, kNeededDigits) == BST_CHECKED ? 1 : 0;
  return true;
}

void NumberDefaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  F(ctx).dwStartNumber = Fields(defaults).dwStartNumber;
  F(ctx).bDigit = Fields(defaults).bDigit;
  ShowNumber(dialog, ctx);
}

void AfterDigits(HWND dialog, SheetCtx* ctx) { ShowPreview(dialog, ctx); }

const DialogBinding kNumberBindings[] = {
    {kFixedDigits, BN_CLICKED, BindKind::kRadio, DOC_FIELD_AT(bDigit), 4, 0, nullptr, nullptr, AfterDigits},
    {kNeededDigits, BN_CLICKED, BindKind::kRadio, DOC_FIELD_AT(bDigit), 4, 1, nullptr, nullptr, AfterDigits},
    {},
};

const DocumentDialog kNumberDialog = {
    .templateId = kDistributionNumberTemplate,
    .textSection = "Dlg_DistributionNumEdit",
    .helpIds = kNumberHelpIds,
    .helpTopic = 5940,
    .clipTitle = L"Distribution Number Dialog",
    .bindings = kNumberBindings,
    .init = NumberInit,
    .enableRules = NumberRules,
    .command = NumberCommand,
    .ok = NumberOk,
    .defaults = NumberDefaults,
};

}  // namespace

INT_PTR CALLBACK CopyProtectSimpleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kSimpleDialog, dialog, message, wParam, lParam);
}

INT_PTR CALLBACK ShareNumberDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kNumberDialog, dialog, message, wParam, lParam);
}
