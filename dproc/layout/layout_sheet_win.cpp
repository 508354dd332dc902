#include "dproc/layout/layout_sheet_win.h"

#include <commctrl.h>

#include <cstring>
#include <cwchar>
#include <initializer_list>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/records/nup_kinds.h"
#include "common/text/page_ranges.h"
#include "common/win/driver_help.h"
#include "common/win/win_version.h"
#include "dproc/constraints/drop_list_filter_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/dialogs/sheet_tab_tips_win.h"
#include "dproc/finishing/finishing_marks.h"
#include "dproc/layout/layout_dialogs_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/layout/layout_rules.h"
#include "dproc/layout/nup_items_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/orientation_rules.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/sheets/sheet_memory.h"
#include "dproc/sheets/sheet_user_papers_win.h"
#include "dproc/startup/description_loader_win.h"


namespace {

enum : int {
  kPreview = 1235,
  kNupBox = 1779,
  kStyleButton = 1124,
  kCombinationBox = 1296,
  kCombinationCombo = 1031,
  kRotateBox = 1289,
  kSaveBlankBox = 1290,
  kChapterBox = 1294,
  kChapterEdit = 1147,
  kChapterExample = 1035,
  kDoubleSidesLabel = 1065,
  kDoubleSidesCombo = 1286,
  kAdhesiveBox = 1230,
  kBookletButton = 1128,
  kBindingEdgeLabel = 1049,
  kBindingEdgeCombo = 1046,
  kBindingShiftBox = 1288,
  kMarginButton = 1052,
  kImageShiftBox = 1291,
  kShiftButton = 1212,
  kPrintPositionButton = 1204,
  kViewToggle = 1130,
  kDefaultButton = 1032,
};

constexpr uint16_t kOnePagePerSheet = 64865;
constexpr BYTE kCpsuiDuplexItem = 7;
// The chapter edit reads at most this many bytes of narrow text.
constexpr size_t kChapterReadBytes = 259;

const int kLockList[] = {1235, 1123, 1130, 1131, 1132, 1133, 1134, 1779, 1025, 1065, 1286, 1230,
                         1049, 1046, 1288, 1289, 1290, 1291, 1204, 1294, 1035, 1147, 1032};
const int kAlwaysHidden[] = {1130, 1296, 1031, 1289, 2211, 1294, 1147, 1035, 2209, 1230, 1113,
                             1065, 1286, 1128, 1049, 1046, 1288, 1052, 2212, 1291, 1212, 1204};

const DWORD kHelpIds[] = {
    1199, DWORD(-1), 1235, DWORD(-1), 1123, DWORD(-1), 1131, 9570, 1132, 9570, 1133, 9580, 1134, 9590,
    1069, DWORD(-1), 1112, 2010, 1779, 2025, 1025, 2020, 1296, 2010, 1031, 2010, 1124, 2030, 1125, 2030,
    1289, 2040, 1290, 2050, 2279, 2050, 2211, 2500, 1294, 2500, 1147, 2500, 1035, 2500, 1135, DWORD(-1),
    1065, 2060, 1113, 2060, 1286, 2060, 1230, 2555, 1074, DWORD(-1), 1128, 2510, 1049, 2520, 1046, 2520,
    2223, 2520, 1288, 2530, 1052, 2532, 2224, 2530, 2212, 2540, 1291, 2540, 1212, 2542, 1204, 2550,
    1015, DWORD(-1), 1016, DWORD(-1), 1201, 9520, 1130, 11000, 1032, 9510, 0, 0};


// The code page of the stored chapter list and its lead-byte ranges.
unsigned g_chapterCodePage = 0;
CPINFO g_codePageInfo = {};
UINT ChapterCodePage() { return g_chapterCodePage != 0 ? g_chapterCodePage : CP_ACP; }
bool IsLeadOfCodePage(uint8_t b) {
  for (int i = 0; i + 1 < MAX_LEADBYTES && g_codePageInfo.LeadByte[i] != 0; i += 2) {
    if (b >= g_codePageInfo.LeadByte[i] && b <= g_codePageInfo.LeadByte[i + 1]) return true;
  }
  return false;
}
// Shows a narrow chapter list in edit 1147.
void SetChapterText(HWND dialog, const char* narrow) {
  wchar_t wide[kChapterTextBytes + 2] = {};
  MultiByteToWideChar(ChapterCodePage(), 0, narrow, -1, wide, static_cast<int>(kChapterTextBytes + 1));
  SetDlgItemTextW(dialog, 1147, wide);
}

SheetCtx* Ctx(HWND dialog) { return reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }
const ModelInfo* Model() { return ProcessModelInfo(); }
bool Flag(ModelFeature feature) { return Model() != nullptr && Model()->features[feature] != 0; }
bool BookletByDriver() { return Flag(kMfBookletPrint); }
bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void SetCheck(HWND dialog, int id, uint8_t on) { CheckDlgButton(dialog, id, on != 0 ? BST_CHECKED : BST_UNCHECKED); }
void Changed(HWND dialog) { NoteSheetChange(dialog, GetPrivDevMode(SheetCtxOf(dialog))); }
int32_t Check(HWND dialog, int id) {
  return RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(id));
}
bool OnPluginHost(const SheetCtx* ctx) { return !IsSessionPage(ctx); }

intptr_t RunDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context) {
  return RunSheetDialog(owner, templateId, proc, context);
}

// --- Lists.

bool g_portraitFilter = true;
bool KeepCombination(const OptionHead* row) {
  static const char* const kPortrait[] = {"TwoInOne", "TwoRepeat", "TwoRepeatR_U", "TwoRepeatR_D"};
  static const char* const kLandscape[] = {"TwoInOne", "TwoRepeat", "TwoRepeatR_L", "TwoRepeatR_R"};
  for (const char* keyword : g_portraitFilter ? kPortrait : kLandscape) {
    if (std::strncmp(row->keyword, keyword, sizeof row->keyword) == 0) return true;
  }
  return false;
}
bool g_offerBooklet = true;
bool KeepDuplex(const OptionHead* row) { return g_offerBooklet || row->value != 3; }

void FillCombination(HWND dialog, const DocDMode* doc) {
  g_portraitFilter = IsEffectivePortrait(Model(), doc, false) != 0;
  const OptionHead* rows = Model() != nullptr ? reinterpret_cast<const OptionHead*>(Model()->combinations) : nullptr;
  FillOptionCombo(dialog, kCombinationCombo, rows, KeepCombination);
  SelectOptionValue(dialog, kCombinationCombo, Fields(*doc).nLayoutMode);
}

void FillDuplex(HWND dialog, const SheetCtx* ctx, const DocDMode* doc) {
  g_offerBooklet = !(OnPluginHost(ctx) && GetWinVersionClass() == kWinNT4);
  FillOptionCombo(dialog, kDoubleSidesCombo, FindOptionTable("DoubleSides"), KeepDuplex);
  const uint8_t sides = Fields(*doc).nDuplex;
  if (sides >= 1 && sides <= 3) SelectOptionValue(dialog, kDoubleSidesCombo, sides);
  else SendDlgItemMessageW(dialog, kDoubleSidesCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

// The binding edges the sheet's layout allows; null when it allows none.
const OptionHead* BindingEdgeRows(const DocDMode* doc) {
  if (!Flag(kMfBindingEdge4)) return FindOptionTable("BindingEdge_MFP");
  const int side = GetBindingSide(doc);
  if (side == 0) return FindOptionTable("BindingEdge_PRN_Portrait");
  if (side == 1) return FindOptionTable("BindingEdge_PRN_Landscape");
  return nullptr;
}

// The stored edge is selected; an edge the list lacks gives way to the
// current (or first) item, whose value the settings take.
void SelectBindingEdge(HWND dialog, DocDMode* doc) {
  HWND combo = GetDlgItem(dialog, kBindingEdgeCombo);
  const LRESULT current = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (SelectOptionValue(dialog, kBindingEdgeCombo, Fields(*doc).nBinding)) return;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  if (count <= 0 && current < 0) return;
  const LRESULT pick = current >= 0 && current < count ? current : 0;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(pick), 0);
  if (const OptionItem* row = SelectedOptionRow(dialog, kBindingEdgeCombo)) {
    Fields(*doc).nBinding = static_cast<uint8_t>(row->value);
  }
}

void FillBindingEdge(HWND dialog, DocDMode* doc) {
  const OptionHead* rows = BindingEdgeRows(doc);
  FillOptionCombo(dialog, kBindingEdgeCombo, rows);
  if (rows != nullptr) EnableCtrlIfVisible(GetDlgItem(dialog, kBindingEdgeCombo), TRUE);
  else EnableWindow(GetDlgItem(dialog, kBindingEdgeCombo), FALSE);
  SelectBindingEdge(dialog, doc);
}

// --- Readers.  Each returns false when its control has nothing to give.

bool ReadNupKind(HWND dialog, const SheetCtx* ctx, DocDMode* doc) {
  const OptionItem* row = SelectedOptionRow(dialog, kNupCombo);
  if (row == nullptr) return false;
  DocFields& f = Fields(*doc);
  f.nNup = static_cast<uint8_t>(row->value);
  f.byPosterPages = PosterPagesOf(f.nNup);
  SyncCpsuiNupItem(ctx, doc);
  return true;
}

void TakeFitZoom(DocDMode* doc) {
  if (Fields(*doc).bScaleAuto != 1) return;
  const int32_t fit = CalcFitZoom(Model(), doc);
  if (fit > 0) Fields(*doc).nScale = static_cast<int16_t>(fit);
}

bool ReadDuplex(HWND dialog, const SheetCtx* ctx, DocDMode* doc) {
  const OptionItem* row = SelectedOptionRow(dialog, kDoubleSidesCombo);
  if (row == nullptr) return false;
  DocFields& f = Fields(*doc);
  f.nDuplex = static_cast<uint8_t>(row->value);
  const DuplexChoice choice = ChooseDuplexText(f.nDuplex, BookletByDriver(), Flag(kMfAdhesiveBind), f.bMusenToji,
                                               IsPaperRotated(Model(), doc) != 0);
  wchar_t text[33] = {};
  if (HMODULE images = DialogFrameworkModules().images) LoadStringW(images, choice.stringId, text, 33);
  if (text[0] != 0) SelectCpsuiItemOption(ctx, kCpsuiDuplexItem, text);
  if (DEVMODEW* pub = GetCtxPublicDevMode(ctx)) pub->dmDuplex = choice.dmDuplex;
  TakeFitZoom(doc);
  return true;
}

// --- The page.

void ApplyLockList(HWND dialog, const SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

void ShowValues(HWND dialog, const SheetCtx* ctx, DocDMode* doc) {
  const DocFields& f = Fields(*doc);
  SetCheck(dialog, kNupBox, f.bNup);
  LayoutSheetSelectNup(dialog, ctx);
  SetCheck(dialog, kCombinationBox, f.bLayout);
  SelectOptionValue(dialog, kCombinationCombo, f.nLayoutMode);
  SetCheck(dialog, kAdhesiveBox, f.bMusenToji);
  SelectBindingEdge(dialog, doc);
  SetCheck(dialog, kBindingShiftBox, f.bBinding);
  SetCheck(dialog, kRotateBox, f.bRotate180);
  SetCheck(dialog, kSaveBlankBox, f.bStopBlankPaper);
  SetCheck(dialog, kImageShiftBox, f.bImgShift);
  SetCheck(dialog, kChapterBox, f.bChapterMode);
  char narrow[sizeof f.szChapterPage + 1] = {};
  std::memcpy(narrow, f.szChapterPage, sizeof f.szChapterPage);
  SetChapterText(dialog, narrow);
}

void Init(HWND dialog, SheetCtx* ctx) {
  SetLayoutSheetTooltip(DialogTooltipOf(dialog));
  if (OnPluginHost(ctx)) {
    ShowEnableCtrl(dialog, kSaveBlankBox, FALSE);
    ShowEnableCtrl(dialog, 2279, FALSE);
  }
  auto hide = [dialog](std::initializer_list<int> ids) {
    for (int id : ids) ShowEnableCtrl(dialog, id, FALSE);
  };
  if (!Flag(kMfEngine2in1)) hide({2210, 1296, 1031});
  if (!Flag(kMfChapter)) hide({1294, 1147, 1035, 2211});
  if (!Flag(kMfAdhesiveBind)) hide({1230, 2209});
  if (!BookletByDriver() || (OnPluginHost(ctx) && GetWinVersionClass() == kWinNT4)) hide({1128});
  if (!Flag(kMfBindingShift)) hide({1288, 1052, 2224});
  if (!Flag(kMfImageShift)) hide({1291, 1212, 2212});
  if (!Flag(kMfPrintPosition)) hide({1204});
  ApplyLockList(dialog, ctx);
  for (int id : kAlwaysHidden) ShowEnableCtrl(dialog, id, FALSE);
}

}  // namespace

void LayoutSheetEnableControls(HWND dialog, const SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const DocFields& f = Fields(*doc);
  auto enable = [dialog](int id, bool on) {
    if (on) EnableCtrlIfVisible(GetDlgItem(dialog, id), TRUE);
    else EnableWindow(GetDlgItem(dialog, id), FALSE);
  };
  enable(kStyleButton, f.bNup != 0);
  enable(kNupCombo, f.bNup != 0);
  const bool driverBooklet = f.nDuplex == 3 && BookletByDriver();
  for (int id : {kBindingShiftBox, kBindingEdgeCombo, kMarginButton, kBindingEdgeLabel}) enable(id, !driverBooklet);
  enable(kBookletButton, driverBooklet);
  enable(kCombinationCombo, f.bLayout != 0);
  enable(kMarginButton, f.bBinding != 0 && !driverBooklet);
  enable(kShiftButton, f.bImgShift != 0);
  enable(kChapterEdit, f.bChapterMode != 0);
  enable(kChapterExample, f.bChapterMode != 0);
  EnableWebLinkButton(dialog, ctx);
  ApplyLockList(dialog, ctx);
}

namespace {

// The settings' fix-ups as one step: each change marks the page changed.
void RunFixUps(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  const int changed = FixUpEmfOnlyNup(ctx) | FixUpEmfOnlyDuplex(ctx) | FixUpBindingEdge(ctx) | FixUpNupStyle(doc) |
                      FixUpBookletBinding(doc) | FixUpCombinationOrder(Model(), doc);
  if (changed != 0) Changed(dialog);
}

void Activate(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  RunFixUps(dialog, ctx, doc);
  FillNupCombo(dialog, ctx);
  FillCombination(dialog, doc);
  FillDuplex(dialog, ctx, doc);
  FillBindingEdge(dialog, doc);
  SendDlgItemMessageW(dialog, kChapterEdit, EM_LIMITTEXT, kChapterTextBytes, 0);
  ShowValues(dialog, ctx, doc);
  LayoutSheetEnableControls(dialog, ctx);
}

// Refuses leaving the page with the focus on a control.
bool Refuse(HWND dialog, int id) {
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
  return false;
}

// A list that has nothing to give refuses the page only while the user can
// see it and choose from it; a hidden or disabled list keeps its setting.
bool ListFails(HWND dialog, int id) {
  return Visible(dialog, id) && IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool CheckChapterList(HWND dialog) {
  wchar_t text[kRangeListCapacity] = {};
  GetDlgItemTextW(dialog, kChapterEdit, text, static_cast<int>(kRangeListCapacity));
  if (text[0] == 0) {
    ShowMessageBox(dialog, 1, 3, 120, MB_ICONEXCLAMATION, 0, 0);
    return false;
  }
  SetPageRangeLimits(9999, 30);
  char16_t buffer[kRangeListCapacity] = {};
  std::memcpy(buffer, text, sizeof text);
  char16_t* overlap = nullptr;
  const int status = FormatRangeList(buffer, &overlap);
  const bool ok = !ShowPageRangeMessage(dialog, status, overlap, 234);
  if (ok) SetDlgItemTextW(dialog, kChapterEdit, reinterpret_cast<const wchar_t*>(buffer));
  if (overlap != nullptr) FreeRangeBlock(overlap);
  return ok;
}

bool MayLeave(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return true;
  DocFields& f = Fields(*doc);
  f.bNup = Checked(dialog, kNupBox) ? 1 : 0;
  if (!ReadNupKind(dialog, ctx, doc) && ListFails(dialog, kNupCombo)) return Refuse(dialog, kNupCombo);
  f.bLayout = Checked(dialog, kCombinationBox) ? 1 : 0;
  TakeFitZoom(doc);
  if (const OptionItem* row = SelectedOptionRow(dialog, kCombinationCombo)) {
    f.nLayoutMode = static_cast<uint8_t>(row->value);
  } else if (ListFails(dialog, kCombinationCombo)) {
    return Refuse(dialog, kCombinationCombo);
  }
  if (!ReadDuplex(dialog, ctx, doc) && ListFails(dialog, kDoubleSidesCombo)) return Refuse(dialog, kDoubleSidesCombo);
  if (const OptionItem* row = SelectedOptionRow(dialog, kBindingEdgeCombo)) {
    f.nBinding = static_cast<uint8_t>(row->value);
  } else if (f.nDuplex != 3 && ListFails(dialog, kBindingEdgeCombo)) {
    return Refuse(dialog, kBindingEdgeCombo);
  }
  f.bBinding = Checked(dialog, kBindingShiftBox) ? 1 : 0;
  f.bRotate180 = Checked(dialog, kRotateBox) ? 1 : 0;
  f.bStopBlankPaper = Checked(dialog, kSaveBlankBox) ? 1 : 0;
  f.bChapterMode = Checked(dialog, kChapterBox) ? 1 : 0;
  f.bImgShift = Checked(dialog, kImageShiftBox) ? 1 : 0;
  // The chapter list is checked while the user can see and mend it.
  if (f.bChapterMode != 0 && Visible(dialog, kChapterEdit) && !CheckChapterList(dialog)) {
    return Refuse(dialog, kChapterEdit);
  }
  char narrow[kChapterReadBytes + 1] = {};
  const size_t kept = ReadChapterText(dialog, narrow, sizeof narrow);
  std::memset(f.szChapterPage, 0, sizeof f.szChapterPage);
  std::memcpy(f.szChapterPage, narrow, kept);
  DeriveLayoutFields(doc, BookletByDriver(), GetWinVersionClass());
  return true;
}

// --- Changes.

void AfterChange(HWND dialog, SheetCtx* ctx) {
  Changed(dialog);
  LayoutSheetEnableControls(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

// The N-up kind's change, committed by the skeleton (the binding below).
bool CommitNupKind(HWND dialog, SheetCtx* ctx);

void OpenStyle(HWND dialog, SheetCtx* ctx) {
  const intptr_t result = RunDialog(dialog, kStyleSettingTemplate, StyleSettingDlgProc, reinterpret_cast<LPARAM>(ctx));
  if (result == IDOK) {
    Activate(dialog, ctx);
    LayoutSheetSelectNup(dialog, ctx);
    CommitNupKind(dialog, ctx);
    AfterChange(dialog, ctx);
  } else {
    LayoutSheetSelectNup(dialog, ctx);
  }
  InvalidateRect(dialog, nullptr, FALSE);
}

void OpenSettingDialog(HWND dialog, SheetCtx* ctx, uint16_t templateId, DLGPROC proc) {
  if (RunDialog(dialog, templateId, proc, reinterpret_cast<LPARAM>(ctx)) == IDOK) AfterChange(dialog, ctx);
}

void Defaults(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  SetFocusCtrl(dialog, kDefaultButton);
  DocDMode defaults;
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = Fields(*doc);
  const DocFields& d = Fields(defaults);
  const DocDMode before = *doc;
  if (f.bNup != d.bNup || f.nNup != d.nNup) {
    f.bNup = d.bNup;
    f.nNup = d.nNup;
    f.byNupPages = d.byNupPages;
  }
  f.bLayout = d.bLayout;
  f.nLayoutMode = d.nLayoutMode;
  FixUpCombinationOrder(Model(), doc);
  f.nDuplex = d.nDuplex;
  f.bMusenToji = d.bMusenToji;
  f.bBinding = d.bBinding;
  f.nBinding = d.nBinding;
  AdjustBindingEdge(Model(), doc);
  f.bRotate180 = d.bRotate180;
  f.bStopBlankPaper = d.bStopBlankPaper;
  f.bImgShift = d.bImgShift;
  f.byBindingUnit = d.byBindingUnit;
  f.byImageShiftUnit = d.byImageShiftUnit;
  f.byPBUnit = d.byPBUnit;
  f.byTABShiftUnit = d.byTABShiftUnit;
  f.bChapterMode = d.bChapterMode;
  std::memcpy(f.szChapterPage, d.szChapterPage, sizeof f.szChapterPage);
  if (GetWinVersionClass() >= kWin2000) {
    f.byNupPages = d.byNupPages;
    f.byBookletOrder = 1;
    f.bNupBorder = 0;
    f.bPosterBorder = d.bPosterBorder;
  }
  FillCombination(dialog, doc);
  FillDuplex(dialog, ctx, doc);
  FillBindingEdge(dialog, doc);
  ShowValues(dialog, ctx, doc);
  if (std::memcmp(&before, doc, sizeof before) != 0) {
    FixUpStaplePosition(ctx);
    FixUpPunchPosition(Model(), doc);
    Check(dialog, 0);
    DispPageHint(dialog, ctx, kLayoutSheetTemplate);
    Changed(dialog);
  }
  LayoutSheetEnableControls(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

void ChapterTyped(HWND dialog, DocDMode* doc) {
  char narrow[kChapterReadBytes + 1] = {};
  ReadChapterText(dialog, narrow, sizeof narrow);
  // The edit's text is cut when what it shows is more than what is kept.
  wchar_t shown[kChapterReadBytes + 1] = {}, kept[kChapterReadBytes + 1] = {};
  GetDlgItemTextW(dialog, kChapterEdit, shown, static_cast<int>(kChapterReadBytes + 1));
  MultiByteToWideChar(ChapterCodePage(), 0, narrow, -1, kept, static_cast<int>(kChapterReadBytes + 1));
  if (std::wcscmp(shown, kept) != 0) {
    DWORD start = 0, end = 0;
    SendDlgItemMessageW(dialog, kChapterEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SetChapterText(dialog, narrow);
    SendDlgItemMessageW(dialog, kChapterEdit, EM_SETSEL, start, end);
  }
  if (std::strncmp(narrow, Fields(*doc).szChapterPage, sizeof Fields(*doc).szChapterPage) != 0) Changed(dialog);
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return false;
  switch (id) {
    case kNupCombo:
      return true;
    case kChapterEdit:
      if (code == EN_UPDATE) ChapterTyped(dialog, doc);
      return true;
    case kStyleButton:
      OpenStyle(dialog, ctx);
      return true;
    case kBookletButton:
      OpenSettingDialog(dialog, ctx, kBookletSettingTemplate, BookletSettingDlgProc);
      return true;
    case kPrintPositionButton:
      OpenSettingDialog(dialog, ctx, kPrintPositionTemplate, PrintPositionDlgProc);
      return true;
    case kShiftButton:
      OpenSettingDialog(dialog, ctx, kImageShiftTemplate, ImageShiftDlgProc);
      return true;
    case kMarginButton:
      OpenSettingDialog(dialog, ctx, kBindingMarginTemplate, BindingMarginDlgProc);
      return true;
    case kDefaultButton:
      Defaults(dialog, ctx, doc);
      return true;
    default:
      return false;
  }
}

// --- Pictures.

void DrawDuplexItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  const DocDMode* doc = GetPrivDevMode(Ctx(dialog));
  if (item->itemID == static_cast<UINT>(-1) || doc == nullptr) return DrawItemFocus(item);
  const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
  const bool landscape = GetEffectiveOrientation(Model(), doc) == 2;
  const uint32_t value = row != nullptr ? row->value : 1;
  const int cell = value == 1 ? 0 : value == 2 ? 1 : 3;
  DrawItemBackground(item);
  DrawBitmapText(item, DialogFrameworkModules().images, landscape ? 449 : 451, landscape ? 450 : 452, cell,
                 row != nullptr ? reinterpret_cast<const wchar_t*>(row->text) : L"", 32, 32);
}

void DrawCombinationItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  const DocDMode* doc = GetPrivDevMode(Ctx(dialog));
  if (item->itemID == static_cast<UINT>(-1) || doc == nullptr) return DrawItemFocus(item);
  const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
  const bool portrait = GetEffectiveOrientation(Model(), doc) == 1;
  int image = 178, mask = 180;
  switch (row != nullptr ? row->value : 99) {
    case 0: image = portrait ? 965 : 963; mask = portrait ? 966 : 964; break;
    case 1: image = portrait ? 973 : 967; mask = portrait ? 974 : 968; break;
    case 2: image = 969; mask = 970; break;
    case 3: image = 971; mask = 972; break;
    case 4: image = 978; mask = 977; break;
    case 5: image = 975; mask = 976; break;
    default: break;
  }
  DrawItemBackground(item);
  DrawBitmapText(item, DialogFrameworkModules().images, image, mask, 0,
                 row != nullptr ? reinterpret_cast<const wchar_t*>(row->text) : L"", 32, 32);
}

void DrawBindingEdgeItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  const DocDMode* doc = GetPrivDevMode(Ctx(dialog));
  if (item->itemID == static_cast<UINT>(-1) || doc == nullptr) return DrawItemFocus(item);
  const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
  uint32_t k = row != nullptr ? row->value : 0;
  if (k == kAutoBinding) k = GetPaperFeedDirection(Model(), doc);
  const bool portrait = IsEffectivePortrait(Model(), doc, false) != 0;
  static const int kCells[] = {0, 1, 4, 5, 6, 7, 2, 3};
  int cell = 0;
  if (k < 8) cell = kCells[k];
  else if (k == 15) cell = portrait ? 0 : 6;
  else if (k == 16) cell = portrait ? 1 : 7;
  else if (k == 17) cell = portrait ? 2 : 4;
  const bool simplex = Fields(*doc).nDuplex == 1;
  DrawItemBackground(item);
  DrawBitmapText(item, DialogFrameworkModules().images, simplex ? 6069 : 6071, simplex ? 6070 : 6072, cell,
                 row != nullptr ? reinterpret_cast<const wchar_t*>(row->text) : L"", 32, 32);
  // A refused edge carries the refusal mark over its picture.
  if (row != nullptr && row->flag != 0) {
    DrawMaskedBitmap(item->hDC, DialogFrameworkModules().images, 779, 780, item->rcItem.left + 2,
                     item->rcItem.top);
  }
}

bool DrawItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  SheetCtx* ctx = Ctx(dialog);
  switch (item->CtlID) {
    case kNupCombo: LayoutSheetDrawNupItem(dialog, item); return true;
    case kDoubleSidesCombo: DrawDuplexItem(dialog, item); return true;
    case kCombinationCombo: DrawCombinationItem(dialog, item); return true;
    case kBindingEdgeCombo: DrawBindingEdgeItem(dialog, item); return true;
    case kPreview:
      if (ctx != nullptr) DrawLayoutPreview(kLayoutSheetTemplate, dialog, item, ctx, false);
      return true;
    default:
      return false;
  }
}

}  // namespace

void SetChapterCodePage(unsigned codePage) { g_chapterCodePage = codePage; }

size_t ReadChapterText(HWND dialog, char* out, size_t capacity) {
  if (capacity == 0) return 0;
  wchar_t wide[kChapterReadBytes + 1] = {};
  GetDlgItemTextW(dialog, kChapterEdit, wide, static_cast<int>(kChapterReadBytes + 1));
  const UINT page = ChapterCodePage();
  if (!GetCPInfo(page, &g_codePageInfo)) g_codePageInfo = CPINFO{};
  char narrow[kChapterReadBytes + 1] = {};
  const int n = WideCharToMultiByte(page, 0, wide, -1, narrow, static_cast<int>(kChapterReadBytes), nullptr,
                                    nullptr);
  const size_t length = n > 0 ? std::strlen(narrow) : 0;
  size_t kept = ChapterTextCut(reinterpret_cast<const uint8_t*>(narrow), length, IsLeadOfCodePage);
  if (kept + 1 > capacity) kept = capacity - 1;
  std::memcpy(out, narrow, kept);
  out[kept] = '\0';
  return kept;
}

namespace {

INT_PTR InitPage(HWND dialog, SheetCtx* ctx) {
  Init(dialog, ctx);
  return FALSE;
}

INT_PTR PageCommand(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM) {
  return Command(dialog, ctx, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
}

bool PageDrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) { return DrawItem(dialog, item); }

void PageDestroyed(HWND dialog) {
  if (LayoutSheetTooltip() == DialogTooltipOf(dialog)) SetLayoutSheetTooltip(nullptr);
}

// The controls the sheet skeleton commits, and what a new value brings.
void CombinationSwitched(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  TakeFitZoom(doc);
  FixUpCombinationOrder(Model(), doc);
  FillCombination(dialog, doc);
}
void AdhesiveSwitched(HWND, SheetCtx* ctx) { TakeFitZoom(GetPrivDevMode(ctx)); }
void BindingEdgeChosen(HWND, SheetCtx* ctx) {
  FixUpStaplePosition(ctx);
  FixUpPunchPosition(Model(), GetPrivDevMode(ctx));
}
bool ReadOptionInto(HWND dialog, int comboId, uint8_t* field) {
  const OptionItem* row = SelectedOptionRow(dialog, comboId);
  if (row != nullptr) *field = static_cast<uint8_t>(row->value);
  return true;
}
bool ReadCombinationKind(HWND d, SheetCtx* c) { return ReadOptionInto(d, kCombinationCombo, &Fields(*GetPrivDevMode(c)).nLayoutMode); }
void ShowCombinationKind(HWND d, SheetCtx* c) { SelectOptionValue(d, kCombinationCombo, Fields(*GetPrivDevMode(c)).nLayoutMode); }
bool ReadBindingEdge(HWND d, SheetCtx* c) { return ReadOptionInto(d, kBindingEdgeCombo, &Fields(*GetPrivDevMode(c)).nBinding); }
void ShowBindingEdge(HWND d, SheetCtx* c) { SelectOptionValue(d, kBindingEdgeCombo, Fields(*GetPrivDevMode(c)).nBinding); }
void EnableRules(HWND dialog, SheetCtx* ctx) { LayoutSheetEnableControls(dialog, ctx); }

// N-up on or off: the lists that follow it.
void SyncNup(HWND, SheetCtx* ctx) { SyncCpsuiNupItem(ctx, GetPrivDevMode(ctx)); }
void NupSwitchFixUps(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  SyncCpsuiNupItem(ctx, doc);
  FixUpBindingEdge(ctx);
  FillBindingEdge(dialog, doc);
  FixUpNupStyle(doc);
  FixUpCombinationOrder(Model(), doc);
  FillCombination(dialog, doc);
}

// A new duplex mode: the lists that follow it, and the mode before booklet
// printing kept for the Basic sheet's "Manual" zoom.
bool ReadDuplexKind(HWND d, SheetCtx* c) {
  ReadDuplex(d, c, GetPrivDevMode(c));
  return true;
}
void ShowDuplexKind(HWND d, SheetCtx* c) { SelectOptionValue(d, kDoubleSidesCombo, Fields(*GetPrivDevMode(c)).nDuplex); }
void DuplexFixUps(HWND dialog, SheetCtx* ctx, const uint8_t* old) {
  DocDMode* doc = GetPrivDevMode(ctx);
  FixUpBindingEdge(ctx);
  FillBindingEdge(dialog, doc);
  FixUpNupStyle(doc);
  FixUpBookletBinding(doc);
  FixUpCombinationOrder(Model(), doc);
  FillCombination(dialog, doc);
  if (Fields(*doc).nDuplex == 3 && old[0] != 3) ProcessSheetMemory().duplexBeforeBooklet = old[0];
}

// The binding edge may have moved with the glue binding: the staple and
// punch positions it rules out are marked.
void AdhesiveAfter(HWND dialog, SheetCtx* ctx) {
  MarkStaplePunchByEdge(ProcessModelInfo(), GetPrivDevMode(ctx));
  InvalidateRect(dialog, nullptr, FALSE);
}

// A new N-up kind brings its style and poster pages; the three go back
// together, and the preview keeps the old kind and style while it is
// checked.  A poster keeps the kind before it for the Basic sheet's
// "Manual" zoom.
const BoundField kNupKindFields[] = {
    {DOC_FIELD_AT(nPageLayout), 1, kPreviewSlotNupStyle}, DOC_BOUND_FIELD(byPosterPages), {}};
bool ReadNupKindChoice(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (!ReadNupKind(dialog, ctx, doc)) return false;
  FixUpNupStyle(doc);
  return true;
}
void ShowNupKind(HWND dialog, SheetCtx* ctx) {
  SyncCpsuiNupItem(ctx, GetPrivDevMode(ctx));
  LayoutSheetSelectNup(dialog, ctx);
}
void NupKindFixUps(HWND dialog, SheetCtx* ctx, const uint8_t* old) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocFields& f = Fields(*doc);
  FixUpBindingEdge(ctx);
  FixUpNupStyle(doc);
  FixUpCombinationOrder(Model(), doc);
  FillCombination(dialog, doc);
  if (f.nNup != old[0] && f.bNup != 0 && IsPosterNupKind(f.nNup)) ProcessSheetMemory().nupKindBeforePoster = old[0];
}
void NupKindAfter(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  FillBindingEdge(dialog, doc);
  FixUpBindingEdge(ctx);
  SelectBindingEdge(dialog, doc);
}

const DialogBinding kBindings[] = {
    {.controlId = kNupCombo, .notify = CBN_SELENDOK, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nNup), .bytes = 1,
     .read = ReadNupKindChoice, .show = ShowNupKind, .after = NupKindAfter, .previewSlot = kPreviewSlotNupKind,
     .changedFrom = NupKindFixUps, .alsoKeeps = kNupKindFields},
    {.controlId = kNupBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox, .at = DOC_FIELD_AT(bNup), .bytes = 1,
     .after = SyncNup, .changed = NupSwitchFixUps, .previewSlot = kPreviewSlotNup},
    {.controlId = kDoubleSidesCombo, .notify = CBN_SELENDOK, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nDuplex),
     .bytes = 1, .read = ReadDuplexKind, .show = ShowDuplexKind, .previewSlot = kPreviewSlotDoubleSides,
     .changedFrom = DuplexFixUps},
    {.controlId = kCombinationBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox, .at = DOC_FIELD_AT(bLayout),
     .bytes = 1, .changed = CombinationSwitched, .previewSlot = kPreviewSlotCombination},
    {.controlId = kCombinationCombo, .notify = CBN_SELENDOK, .kind = BindKind::kCustom,
     .at = DOC_FIELD_AT(nLayoutMode), .bytes = 1, .read = ReadCombinationKind, .show = ShowCombinationKind},
    {.controlId = kBindingEdgeCombo, .notify = CBN_SELENDOK, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nBinding),
     .bytes = 1, .read = ReadBindingEdge, .show = ShowBindingEdge, .changed = BindingEdgeChosen},
    {.controlId = kAdhesiveBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox, .at = DOC_FIELD_AT(bMusenToji),
     .bytes = 1, .after = AdhesiveAfter, .changed = AdhesiveSwitched},
    {kBindingShiftBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bBinding), 1},
    {kRotateBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bRotate180), 1},
    {kSaveBlankBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bStopBlankPaper), 1},
    {kChapterBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bChapterMode), 1},
    {kImageShiftBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bImgShift), 1},
    {},
};

bool CommitNupKind(HWND dialog, SheetCtx* ctx) {
  return CommitBinding(dialog, ctx, kBindings[0], kLayoutSheetTemplate, EnableRules, true);
}

const SheetComboHeight kComboHeights[] = {
    {kNupCombo, kLayoutItemHeight}, {kBindingEdgeCombo, kLayoutItemHeight},
    {kCombinationCombo, kLayoutItemHeight}, {kDoubleSidesCombo, kLayoutItemHeight}, {0, 0}};

// The Easy Set list draws its mark before each name.
constexpr uint16_t kEasySetList = 1132;
int32_t EasySetListMargin() { return static_cast<int32_t>(LOWORD(GetDialogBaseUnits()) & ~1u) + 34; }
const ClipListMargin kClipMargins[] = {{kEasySetList, EasySetListMargin}, {0, 0}};

const DocumentSheet kLayoutSheet = {
    .pageId = kLayoutSheetTemplate,
    .preview = PreviewAreaStep::kAfterUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 2,
    .helpIds = kHelpIds,
    .pageHelpTopic = 2000,
    .comboHeights = kComboHeights,
    .init = InitPage,
    .setActive = Activate,
    .killActive = MayLeave,
    .apply = nullptr,
    .command = PageCommand,
    .drawItem = PageDrawItem,
    .destroy = PageDestroyed,
    .other = nullptr,
    .textSection = "Property_2",
    .hintPageId = kLayoutSheetTemplate,
    .bindings = kBindings,
    .enableRules = EnableRules,
    .clipTitle = L"Layout Tab",
    .clipMargins = kClipMargins,
};

}  // namespace

INT_PTR CALLBACK LayoutSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // Any notification but the frame's own keeps the lock list disabled
  // while the settings may not be changed.
  if (message == WM_NOTIFY && lParam != 0) {
    SheetCtx* ctx = SheetCtxOf(dialog);
    const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
    if (ctx != nullptr && code != static_cast<UINT>(PSN_HELP) && code != static_cast<UINT>(PSN_APPLY) &&
        code != static_cast<UINT>(PSN_SETACTIVE) && code != static_cast<UINT>(PSN_KILLACTIVE)) {
      ApplyLockList(dialog, ctx);
    }
  }
  return RunDocumentSheet(kLayoutSheet, dialog, message, wParam, lParam);
}

namespace {
HWND g_sheetTooltip = nullptr;
}  // namespace

HWND LayoutSheetTooltip() { return g_sheetTooltip; }
void SetLayoutSheetTooltip(HWND tooltip) { g_sheetTooltip = tooltip; }
