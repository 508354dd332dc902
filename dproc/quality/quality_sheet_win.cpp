#include "dproc/quality/quality_sheet_win.h"

#include <commctrl.h>

#include <cstring>
#include <initializer_list>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/quality/color_adjustment_dialog_win.h"
#include "dproc/quality/font_settings_dialog_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/sheets/sheet_context.h"

namespace {

enum : int {
  kResolutionLabel = 1165,
  kResolutionList = 1013,
  kPatternLabel = 1304,
  kPatternList = 1307,
  kCompressionLabel = 1299,
  kCompressionList = 1300,
  kPrintBlackBox = 2355,
  kPrintBlackList = 2356,
  kSmoothingBox = 2344,
  kSmoothingList = 2345,
  kThinningBox = 2352,
  kThinningList = 2353,
  kTonerSaveBox = 1009,
  kDraftBox = 2350,
  kColorAdjustButton = 1295,
  kFontButton = 1301,
  kDefaultButton = 1032,
};

constexpr uint32_t kItemHeight = 16;
// The print-quality item of the common property-sheet interface.
constexpr BYTE kCpsuiPrintQualityItem = 5;

// Disabled while the document settings may not be changed.  The two dialog
// buttons stay: their dialogs lock their own controls.
const int kLockList[] = {1236, 1123, 1130, 1131, 1132, 1133, 1134, 2344, 2345, 1009, 2350,
                         1165, 1013, 1304, 1307, 1299, 1300, 2352, 2353, 2355, 2356, 1032};

const DWORD kHelpIds[] = {
    1199, DWORD(-1), 1236, DWORD(-1), 1123, DWORD(-1), 1069, DWORD(-1), 1135, DWORD(-1), 1074, DWORD(-1),
    1015, DWORD(-1), 1016, DWORD(-1), 1131, 9570,      1132, 9570,      1133, 9580,      1134, 9590,
    1292, 6010,      1060, 6010,      1061, 6010,      1832, 6500,      1833, 6500,      1834, 6510,
    1835, 6510,      1295, 6020,      1117, 6030,      1019, 6030,      1028, 6030,      1119, 6040,
    1007, 6040,      1165, 6050,      1297, 6050,      1013, 6050,      1167, 6082,      1009, 6082,
    2257, 6061,      2256, 6061,      2259, 6062,      2258, 6062,      1168, 6070,      1310, 6070,
    1299, 6080,      1300, 6080,      1301, 6090,      1129, 6100,      1304, 6110,      1307, 6110,
    2213, 6120,      1298, 6120,      2343, 6084,      2344, 6084,      2345, 6084,      2354, 6081,
    2355, 6081,      2356, 6081,      2349, 6083,      2350, 6083,      2351, 6085,      2352, 6085,
    2353, 6085,      1201, 9520,      1130, 11000,     1032, 9510,      0,    0};

const SheetComboHeight kComboHeights[] = {{kResolutionList, kItemHeight}, {kCompressionList, kItemHeight},
                                          {kPatternList, kItemHeight},    {kSmoothingList, kItemHeight},
                                          {kThinningList, kItemHeight},   {kPrintBlackList, kItemHeight},
                                          {0, 0}};

const ModelInfo* Model() { return ProcessModelInfo(); }
bool Flag(ModelFeature feature) { return Model() != nullptr && Model()->features[feature] != 0; }
bool SmoothingLevels() { return Flag(kMfSmoothing) && Flag(kMfSmoothingOp); }
bool ThinningLevels() { return Flag(kMfThinning) && Flag(kMfThinningOp); }
// Pattern, image compression and print black are shown on the user
// interface core's own sheet session only; a plug-in host (or a page
// without context) has them hidden, and takes the resolution into its
// DEVMODE head and print-quality item.
bool OnSession(const SheetCtx* ctx) { return IsSessionPage(ctx) != FALSE; }

const OptionHead* ResolutionRows() {
  return Model() != nullptr ? reinterpret_cast<const OptionHead*>(Model()->resolutions) : nullptr;
}
const OptionHead* SmoothingRows() {
  return Model() != nullptr ? reinterpret_cast<const OptionHead*>(Model()->smoothingOptions) : nullptr;
}
const OptionHead* ThinningRows() {
  return Model() != nullptr ? reinterpret_cast<const OptionHead*>(Model()->thinningOptions) : nullptr;
}

void FillList(HWND dialog, int id, const OptionHead* rows) { FillOptionRows(dialog, id, rows); }
void SelectValue(HWND dialog, int id, uint32_t value) { SelectOptionRow(dialog, id, value); }
const OptionHead* SelectedRow(HWND dialog, int id) { return SelectedOptionHead(dialog, id); }
// The rows of the model's resolution list (at most 64).
template <typename Visit>
void ForEachRow(const OptionHead* row, Visit visit) {
  for (int n = 0; row != nullptr && row->size >= sizeof(OptionHead) && row->keyword[0] != '\0' && n < 64;
       ++n, row = NextOptionRow(row)) {
    visit(row);
  }
}
int Count(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0)); }

// --- The resolution: the entry's value, its two resolutions and its
// keyword number; in the core's session also the DEVMODE head and the
// print-quality item.

bool ReadResolution(HWND dialog, SheetCtx* ctx) {
  const OptionHead* selected = SelectedRow(dialog, kResolutionList);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (selected == nullptr || doc == nullptr) return false;
  const ResolutionItem* found = nullptr;
  ForEachRow(ResolutionRows(), [&](const OptionHead* row) {
    if (found == nullptr && row->value == selected->value && row->size >= sizeof(ResolutionItem)) {
      found = reinterpret_cast<const ResolutionItem*>(row);
    }
  });
  DocFields& f = Fields(*doc);
  f.byResolution = static_cast<uint8_t>(selected->value);
  if (found == nullptr) return true;
  f.nResoH = static_cast<int16_t>(found->values[0]);
  f.nResoV = static_cast<int16_t>(found->values[1]);
  f.nResoBit = static_cast<int16_t>(found->resolution);
  if (!OnSession(ctx)) {
    if (DEVMODEW* pub = GetCtxPublicDevMode(ctx)) {
      pub->dmPrintQuality = f.nResoH;
      pub->dmYResolution = f.nResoV;
    }
    SetCpsuiItemSel(ctx, kCpsuiPrintQualityItem, f.byResolution);
  }
  return true;
}
void ShowResolution(HWND dialog, SheetCtx* ctx) {
  if (const DocDMode* doc = GetPrivDevMode(ctx)) SelectValue(dialog, kResolutionList, Fields(*doc).byResolution);
}

// A level or mode list: the selected entry's value into a one-byte field.
bool ReadByte(HWND dialog, SheetCtx* ctx, int id, uint32_t at) {
  const OptionHead* row = SelectedRow(dialog, id);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (row == nullptr || doc == nullptr) return false;
  DocBytes(doc)[at] = static_cast<uint8_t>(row->value);
  return true;
}
void ShowByte(HWND dialog, SheetCtx* ctx, int id, uint32_t at) {
  if (const DocDMode* doc = GetPrivDevMode(ctx)) SelectValue(dialog, id, DocBytes(doc)[at]);
}
#define BYTE_LIST(name, id, field)                                                                        \
  bool Read##name(HWND d, SheetCtx* c) { return ReadByte(d, c, id, DOC_FIELD_AT(field)); }               \
  void Show##name(HWND d, SheetCtx* c) { ShowByte(d, c, id, DOC_FIELD_AT(field)); }
BYTE_LIST(Smoothing, kSmoothingList, nSmoothing)
BYTE_LIST(Thinning, kThinningList, nThinning)
BYTE_LIST(PrintBlack, kPrintBlackList, nPrintBlack)
BYTE_LIST(Pattern, kPatternList, nColorPattern)
BYTE_LIST(Compression, kCompressionList, nCompressMode)
#undef BYTE_LIST

// --- The page.

void ApplyLockList(HWND dialog, const SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

void UpdateControlStates(HWND dialog, SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const DocFields& f = Fields(*doc);
  if (Count(dialog, kResolutionList) == 1) {
    EnableWindow(GetDlgItem(dialog, kResolutionLabel), FALSE);
    EnableWindow(GetDlgItem(dialog, kResolutionList), FALSE);
  }
  auto level = [dialog](int id, uint8_t on) {
    EnableCtrlIfVisible(GetDlgItem(dialog, id), on != 0);
    if (on != 0 && Count(dialog, id) == 1) EnableWindow(GetDlgItem(dialog, id), FALSE);
  };
  if (SmoothingLevels()) level(kSmoothingList, f.bSmoothing);
  if (ThinningLevels()) level(kThinningList, f.bThinning);
  EnableCtrlIfVisible(GetDlgItem(dialog, kPrintBlackList), f.bPrintBlack != 0);
  EnableWebLinkButton(dialog, ctx);
  ApplyLockList(dialog, ctx);
}

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  auto hide = [dialog](std::initializer_list<int> ids) {
    for (int id : ids) ShowEnableCtrl(dialog, id, FALSE);
  };
  if (!Flag(kMfColorAdjust)) hide({kColorAdjustButton});
  if (!Flag(kMfDnstTonerSave)) hide({kTonerSaveBox, 1167});
  if (!Flag(kMfDnstDraftPrint)) hide({kDraftBox, 2349});
  if (!Flag(kMfSmoothing)) hide({kSmoothingBox, 2343});
  if (!SmoothingLevels()) hide({kSmoothingList});
  if (!Flag(kMfThinning)) hide({kThinningBox, 2351});
  if (!ThinningLevels()) hide({kThinningList});
  if (OnSession(ctx)) {
    if (!Flag(kMfPatternQuality)) hide({kPatternLabel, kPatternList});
    if (!Flag(kMfImageCompression)) hide({kCompressionLabel, kCompressionList});
  } else {
    hide({kPatternLabel, kPatternList, kCompressionLabel, kCompressionList, kPrintBlackBox, 2354, kPrintBlackList});
  }
  return FALSE;
}

void CheckBox(HWND dialog, int id, uint8_t on) { CheckDlgButton(dialog, id, on != 0 ? BST_CHECKED : BST_UNCHECKED); }

// The controls from the settings; with `refill` the lists are filled anew.
void ShowSettings(HWND dialog, SheetCtx* ctx, bool refill) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const DocFields& f = Fields(*doc);
  if (Flag(kMfSmoothing)) {
    CheckBox(dialog, kSmoothingBox, f.bSmoothing);
    if (Flag(kMfSmoothingOp)) {
      if (refill) FillList(dialog, kSmoothingList, SmoothingRows());
      SelectValue(dialog, kSmoothingList, f.nSmoothing);
    }
  }
  if (Flag(kMfDnstDraftPrint)) CheckBox(dialog, kDraftBox, f.bDraftPrint);
  if (Flag(kMfDnstTonerSave)) CheckBox(dialog, kTonerSaveBox, f.bTonerSave);
  if (Flag(kMfThinning)) {
    CheckBox(dialog, kThinningBox, f.bThinning);
    if (Flag(kMfThinningOp)) {
      if (refill) FillList(dialog, kThinningList, ThinningRows());
      SelectValue(dialog, kThinningList, f.nThinning);
    }
  }
  if (OnSession(ctx)) {
    if (Flag(kMfPatternQuality)) {
      if (refill) FillList(dialog, kPatternList, FindOptionTable("Pattern"));
      SelectValue(dialog, kPatternList, f.nColorPattern);
    }
    if (Flag(kMfImageCompression)) {
      if (refill) FillList(dialog, kCompressionList, FindOptionTable("ImageCompression"));
      SelectValue(dialog, kCompressionList, f.nCompressMode);
    }
  }
  FillList(dialog, kResolutionList, ResolutionRows());
  FillList(dialog, kPrintBlackList, FindOptionTable("PrintWithBlack_op"));
  SelectValue(dialog, kResolutionList, f.byResolution);
  CheckBox(dialog, kPrintBlackBox, f.bPrintBlack);
  SelectValue(dialog, kPrintBlackList, f.nPrintBlack);
  UpdateControlStates(dialog, ctx);
}

void Activate(HWND dialog, SheetCtx* ctx) { ShowSettings(dialog, ctx, true); }

// Leaving the page writes every shown control back; a list without a
// selection keeps its field.
bool MayLeave(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return true;
  DocFields& f = Fields(*doc);
  auto box = [dialog](int id) -> uint8_t { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; };
  if (Flag(kMfSmoothing)) {
    f.bSmoothing = box(kSmoothingBox);
    if (Flag(kMfSmoothingOp)) ReadSmoothing(dialog, ctx);
  }
  if (Flag(kMfDnstDraftPrint)) f.bDraftPrint = box(kDraftBox);
  if (Flag(kMfDnstTonerSave)) f.bTonerSave = box(kTonerSaveBox);
  if (Flag(kMfThinning)) {
    f.bThinning = box(kThinningBox);
    if (Flag(kMfThinningOp)) ReadThinning(dialog, ctx);
  }
  if (OnSession(ctx)) {
    if (Flag(kMfPatternQuality)) ReadPattern(dialog, ctx);
    if (Flag(kMfImageCompression)) ReadCompression(dialog, ctx);
  }
  ReadResolution(dialog, ctx);
  f.bPrintBlack = box(kPrintBlackBox);
  ReadPrintBlack(dialog, ctx);
  return true;
}

// Default: the fields of the page from the default settings; the JPEG
// ratio and sampling rate follow the compression only when it changed.
void Defaults(HWND dialog, SheetCtx* ctx) {
  SetFocusCtrl(dialog, kDefaultButton);
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  if (doc == nullptr || !CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = Fields(*doc);
  const DocFields& d = Fields(defaults);
  bool changed = false;
  auto take = [&changed](auto& field, const auto& value) {
    if (field == value) return false;
    field = value;
    changed = true;
    return true;
  };
  take(f.bSmoothing, d.bSmoothing);
  take(f.nSmoothing, d.nSmoothing);
  take(f.bDraftPrint, d.bDraftPrint);
  if (take(f.byResolution, d.byResolution)) {
    f.nResoH = d.nResoH;
    f.nResoV = d.nResoV;
    f.nResoBit = d.nResoBit;
  }
  take(f.bTonerSave, d.bTonerSave);
  if (take(f.nCompressMode, d.nCompressMode)) {
    f.nJpegCompressRatio = d.nJpegCompressRatio;
    f.nJpegSamplingRate = d.nJpegSamplingRate;
  }
  take(f.nColorPattern, d.nColorPattern);
  take(f.bThinning, d.bThinning);
  take(f.nThinning, d.nThinning);
  take(f.bPrintBlack, d.bPrintBlack);
  take(f.nPrintBlack, d.nPrintBlack);
  if (changed) {
    RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
    DispPageHint(dialog, ctx, kQualitySheetTemplate);
    NoteSheetChange(dialog, doc);
  }
  ShowSettings(dialog, ctx, false);
  InvalidateRect(dialog, nullptr, FALSE);
}

intptr_t RunDialog(HWND owner, uint16_t templateId, DLGPROC proc, SheetCtx* ctx) {
  return RunSheetDialog(owner, templateId, proc, reinterpret_cast<LPARAM>(ctx));
}

INT_PTR Command(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != BN_CLICKED) return FALSE;
  if (LOWORD(wParam) == kDefaultButton) {
    Defaults(dialog, ctx);
    return TRUE;
  }
  if (LOWORD(wParam) == kColorAdjustButton) {
    if (RunDialog(dialog, kColorAdjustmentTemplate, ColorAdjustmentDlgProc, ctx) == IDOK) {
      NoteSheetChange(dialog, GetPrivDevMode(ctx));
      UpdateControlStates(dialog, ctx);
    }
    InvalidateRect(dialog, nullptr, FALSE);
    return TRUE;
  }
  if (LOWORD(wParam) == kFontButton) {
    // OK marks the page changed even when nothing changed.
    if (RunDialog(dialog, kFontSettingsTemplate, FontSettingsDlgProc, ctx) == IDOK) {
      NoteSheetChange(dialog, GetPrivDevMode(ctx));
      UpdateControlStates(dialog, ctx);
    }
    return TRUE;
  }
  return FALSE;
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  switch (item->CtlID) {
    case kResolutionList: case kCompressionList: case kPatternList:
    case kSmoothingList: case kThinningList: case kPrintBlackList:
      DrawOptionRowItem(dialog, item);
      return true;
    default:
      return false;
  }
}

// Check boxes repaint the page, so that the preview follows.
void Repaint(HWND dialog, SheetCtx*) { InvalidateRect(dialog, nullptr, FALSE); }

constexpr uint32_t kResolutionBytes = DOC_FIELD_AT(nResoBit) + 2 - DOC_FIELD_AT(byResolution);
const DialogBinding kBindings[] = {
    {.controlId = kSmoothingBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox, .at = DOC_FIELD_AT(bSmoothing),
     .bytes = 1, .after = Repaint},
    {.controlId = kTonerSaveBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox, .at = DOC_FIELD_AT(bTonerSave),
     .bytes = 1, .after = Repaint},
    {.controlId = kDraftBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox, .at = DOC_FIELD_AT(bDraftPrint),
     .bytes = 1, .after = Repaint},
    {.controlId = kThinningBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox, .at = DOC_FIELD_AT(bThinning),
     .bytes = 1, .after = Repaint},
    {.controlId = kPrintBlackBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox, .at = DOC_FIELD_AT(bPrintBlack),
     .bytes = 1, .after = Repaint},
    {kResolutionList, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(byResolution), kResolutionBytes, 0,
     ReadResolution, ShowResolution},
    {kSmoothingList, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nSmoothing), 1, 0, ReadSmoothing, ShowSmoothing},
    {kThinningList, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nThinning), 1, 0, ReadThinning, ShowThinning},
    {kPrintBlackList, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nPrintBlack), 1, 0, ReadPrintBlack,
     ShowPrintBlack},
    {kPatternList, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nColorPattern), 1, 0, ReadPattern, ShowPattern},
    {kCompressionList, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nCompressMode), 1, 0, ReadCompression,
     ShowCompression},
    {},
};

const DocumentSheet kQualitySheet = {
    .pageId = kQualitySheetTemplate,
    .preview = PreviewAreaStep::kAfterUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 6,
    .helpIds = kHelpIds,
    .pageHelpTopic = 6000,
    .comboHeights = kComboHeights,
    .init = Init,
    .setActive = Activate,
    .killActive = MayLeave,
    .apply = nullptr,
    .command = Command,
    .drawItem = DrawItem,
    .destroy = nullptr,
    .other = nullptr,
    .textSection = "Property_6",
    .hintPageId = kQualitySheetTemplate,
    .bindings = kBindings,
    .enableRules = UpdateControlStates,
};

}  // namespace

INT_PTR CALLBACK QualitySheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kQualitySheet, dialog, message, wParam, lParam);
}
