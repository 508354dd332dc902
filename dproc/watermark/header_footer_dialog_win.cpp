#include "dproc/watermark/header_footer_dialog_win.h"

#include <commctrl.h>

#include <cstdlib>
#include <initializer_list>
#include <cwchar>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/option_rows_win.h"

namespace {

enum : int {
  kNumbering = 1579,
  kNumberingPages = 1708,
  kStartNumber = 1714,
  kStartNumberSpin = 1715,
  kType = 1706,
  kColour = 1039,
  kDate = 1583,
  kDatePages = 1045,
  kPageNumber = 1585,
  kPageNumberPages = 1051,
  kStartPage = 1370,
  kStartPageSpin = 1376,
  kPageStartNumber = 1372,
  kPageStartNumberSpin = 1378,
};
constexpr int kLowest = 1, kHighest = 9999;

const DWORD kHelpIds[] = {1702, 5410, 1579, 5410, 1710, 5420, 1708, 5420, 1712, 5430, 1714, 5430, 1715, 5430,
                          1716, 5430, 1705, 5440, 1706, 5440, 1717, 5450, 1039, 5450, 1703, 5460, 1583, 5460,
                          1041, 5470, 1045, 5470, 1704, 5480, 1585, 5480, 1048, 5490, 1051, 5490, 1604, 5500,
                          1370, 5500, 1376, 5500, 1390, 5500, 1606, 5510, 1372, 5510, 1378, 5510, 1392, 5510,
                          1015, DWORD(-1), 1016, DWORD(-1), 1069, DWORD(-1), 1032, 9510, 0, 0};
const int kLockList[] = {1702, 1579, 1710, 1708, 1712, 1714, 1715, 1716, 1705, 1706, 1717, 1039, 1703, 1583, 1041,
                         1045, 1704, 1585, 1048, 1051, 1604, 1370, 1376, 1390, 1606, 1372, 1378, 1392, 1032};

struct NumberEdit {
  int edit, spin;
  int16_t DocFields::*field;
};
const NumberEdit kNumbers[] = {{kStartNumber, kStartNumberSpin, &DocFields::nNumberingStartNum},
                               {kStartPage, kStartPageSpin, &DocFields::nPageStampStartPage},
                               {kPageStartNumber, kPageStartNumberSpin, &DocFields::nPageStampStartNum}};

bool Flag(ModelFeature feature) {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[feature] != 0;
}

// The edit's number when it reads as 1 to 9999.
bool ReadNumber(HWND dialog, int id, int16_t* out) {
  wchar_t text[16] = {};
  GetDlgItemTextW(dialog, id, text, 16);
  wchar_t* end = nullptr;
  const long value = std::wcstol(text, &end, 10);
  if (end == text || *end != L'\0' || value < kLowest || value > kHighest) return false;
  *out = static_cast<int16_t>(value);
  return true;
}

void ShowNumbers(HWND dialog, SheetCtx* ctx) {
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  for (const NumberEdit& n : kNumbers) SetDlgItemInt(dialog, n.edit, static_cast<UINT>(f.*n.field), TRUE);
}

void EnableRules(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = Fields(*GetPrivDevMode(ctx));
  auto enable = [&](std::initializer_list<int> ids, bool on) {
    for (int id : ids) EnableCtrlIfVisible(GetDlgItem(dialog, id), on ? TRUE : FALSE);
  };
  enable({1705, 1706, 1710, 1708, 1712, 1714, 1715, 1716, 1717, 1039}, f.bNumbering != 0);
  enable({1041, 1045}, f.bDateStamp != 0);
  enable({1048, 1051, 1604, 1370, 1376, 1390, 1606, 1372, 1378, 1392}, f.bPageStamp != 0);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void Init(HWND dialog, SheetCtx* ctx) {
  for (const NumberEdit& n : kNumbers) {
    SendDlgItemMessageW(dialog, n.edit, EM_LIMITTEXT, 4, 0);
    SendDlgItemMessageW(dialog, n.spin, UDM_SETRANGE32, kLowest, kHighest);
  }
  FillOptionRowsByName(dialog, kType, "HF_Type");
  FillOptionRowsByName(dialog, kNumberingPages, "HF_PagetoPrint");
  FillOptionRowsByName(dialog, kColour, "HF_Color");
  FillOptionRowsByName(dialog, kDatePages, "HF_DatePagetoPrint");
  FillOptionRowsByName(dialog, kPageNumberPages, "HF_PrintPage");
  if (!Flag(kMfNumberDlgType)) {
    ShowEnableCtrl(dialog, 1705, FALSE);
    ShowEnableCtrl(dialog, kType, FALSE);
  }
  if (!Flag(kMfNumberDlgColor)) {
    ShowEnableCtrl(dialog, 1717, FALSE);
    ShowEnableCtrl(dialog, kColour, FALSE);
  }
  ShowNumbers(dialog, ctx);
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  for (const NumberEdit& n : kNumbers) {
    if (id != n.edit) continue;
    // An unreadable or out-of-range number never reaches the settings.
    int16_t value = 0;
    if (code == EN_CHANGE && ReadNumber(dialog, id, &value)) Fields(*GetPrivDevMode(ctx)).*n.field = value;
    return true;
  }
  return false;
}

bool Ok(HWND dialog, SheetCtx*) {
  for (int id : {kType, kColour, kNumberingPages, kDatePages, kPageNumberPages}) {
    uint32_t value = 0;
    if (IsWindowVisible(GetDlgItem(dialog, id)) && !SelectedOptionValue(dialog, id, &value)) {
      SetFocus(GetDlgItem(dialog, id));
      return false;
    }
  }
  for (const NumberEdit& n : kNumbers) {
    int16_t value = 0;
    if (!ReadNumber(dialog, n.edit, &value)) {
      SetFocus(GetDlgItem(dialog, n.edit));
      return false;
    }
  }
  return true;
}

void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  const DocFields& d = Fields(defaults);
  f.nNumberingType = d.nNumberingType;
  f.nNumberingDensity = d.nNumberingDensity;
  f.nNumberingColor = d.nNumberingColor;
  f.nNumberingMode = d.nNumberingMode;
  f.nDateStampMode = d.nDateStampMode;
  f.nPageStampMode = d.nPageStampMode;
  f.bNumbering = d.bNumbering;
  f.bDateStamp = d.bDateStamp;
  f.bPageStamp = d.bPageStamp;
  f.nNumberingStartNum = d.nNumberingStartNum;
  f.nPageStampStartPage = d.nPageStampStartPage;
  f.nPageStampStartNum = d.nPageStampStartNum;
  ShowNumbers(dialog, ctx);
}

const DialogBinding kBindings[] = {
    {kNumbering, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bNumbering), 1},
    {kDate, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bDateStamp), 1},
    {kPageNumber, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bPageStamp), 1},
    {kType, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nNumberingType), 1},
    {kNumberingPages, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nNumberingMode), 1},
    {kColour, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nNumberingColor), 1},
    {kDatePages, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nDateStampMode), 1},
    {kPageNumberPages, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nPageStampMode), 1},
    {},
};

const DocumentDialog kDialog = {
    .templateId = kHeaderFooterTemplate,
    .textSection = "Dlg_HeaderFooter",
    .helpIds = kHelpIds,
    .helpTopic = 5400,
    .clipTitle = L"Header / Footer Detail Dialog",
    .bindings = kBindings,
    .init = Init,
    .enableRules = EnableRules,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
};

}  // namespace

INT_PTR CALLBACK HeaderFooterDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
