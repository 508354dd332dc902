// The Cover Page sheet (template 113): front and back covers with their kinds
// and trays, the post inserter's covers, the per-page settings list, and
// transparency interleaving with its kind and tray.  The per-page lists'
// editor is not part of this driver yet: its button stays disabled.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <initializer_list>

#include "common/qxd/disp_string_table.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/constraints/constraint_pass_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/easyset/user_side_data_win.h"
#include "dproc/finishing/finishing_sheets_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/feature_table.h"
#include "dproc/perpage/per_page_dialogs_win.h"
#include "dproc/perpage/per_page_list_rows.h"
#include "dproc/perpage/per_page_session_win.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/sheets/per_page_ui_lists.h"

namespace {

enum : int {
  kFrontBox = 1148,
  kFrontKindList = 1305,
  kFrontTrayLabel = 1308,
  kFrontTrayList = 1311,
  kBackBox = 1150,
  kBackKindList = 1314,
  kBackTrayLabel = 1315,
  kBackTrayList = 1316,
  kInsertFrontBox = 1216,
  kInsertFrontList = 1325,
  kInsertBackBox = 1157,
  kInsertBackList = 1328,
  kPerPageBox = 1159,
  kPerPageList = 1222,
  kPerPageEditButton = 1215,
  kInterleaveBox = 1214,
  kInterleaveStop = 1154,
  kInterleaveKindList = 1320,
  kInterleaveKindMate = 1319,
  kInterleaveTrayStop = 1155,
  kInterleaveTrayLabel = 1321,
  kInterleaveTrayList = 1322,
  kDefaultButton = 1032,
};

constexpr int kOptionItemHeight = 16;
constexpr int kPictureItemHeight = 32;

const int kLockList[] = {1235, 1123, 1130, 1131, 1132, 1133, 1134, 1148, 1305, 1308, 1311,
                         1150, 1314, 1315, 1316, 1159, 1222, 1214, 1320, 1321, 1322, 1032};

const DWORD kHelpIds[] = {
    1199, DWORD(-1), 1235, DWORD(-1), 1123, DWORD(-1), 1069, DWORD(-1), 1135, DWORD(-1), 1074, DWORD(-1),
    1015, DWORD(-1), 1016, DWORD(-1), 1131, 9570,      1132, 9570,      1133, 9580,      1134, 9590,
    1217, 3010,      1148, 3010,      1305, 3010,      1151, 3020,      1308, 3020,      1311, 3020,
    1152, 3030,      1150, 3030,      1314, 3030,      1153, 3040,      1315, 3040,      1316, 3040,
    1154, 3070,      1214, 3070,      1320, 3070,      1155, 3080,      1321, 3080,      1322, 3080,
    2214, 3100,      1159, 3100,      1222, 3100,      1215, 3110,      1216, 3120,      1325, 3120,
    2277, 3120,      1157, 3130,      1328, 3130,      2278, 3130,      1201, 9520,      1130, 11000,
    1032, 9510,      0,    0};

const SheetComboHeight kComboHeights[] = {
    {kFrontKindList, kPictureItemHeight}, {kBackKindList, kPictureItemHeight},
    {kInterleaveKindList, kPictureItemHeight}, {kPerPageList, kOptionItemHeight},
    {kFrontTrayList, kOptionItemHeight}, {kBackTrayList, kOptionItemHeight},
    {kInterleaveTrayList, kOptionItemHeight}, {kInsertFrontList, kOptionItemHeight},
    {kInsertBackList, kOptionItemHeight}, {0, 0}};

const ModelInfo* Model() { return ProcessModelInfo(); }
bool Flag(ModelFeature feature) { return Model() != nullptr && Model()->features[feature] != 0; }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
void Enable(HWND dialog, int id, bool on) { EnableCtrlIfVisible(GetDlgItem(dialog, id), on ? TRUE : FALSE); }
const OptionHead* Rows(const void* list) { return reinterpret_cast<const OptionHead*>(list); }

// --- The ten per-page lists as option rows: the list's own name when it
// has one, else the description's name of the row.

PerPageListRows g_perPageRows;

void BuildPerPageRows(SheetUiState* state) {
  PerPageUiLists* lists = PerPageListsOf(state);
  BuildPerPageListRows(&g_perPageRows, lists != nullptr ? lists->lists : nullptr);
}

// --- Lists.

// In the user interface core's sheets the printed cover kinds are not offered.
bool g_corePage = true;
bool KeepCoverKind(const OptionHead* row) { return !g_corePage || (row->value != 2 && row->value != 3); }

void FillLists(HWND dialog, SheetCtx* ctx) {
  const ModelInfo* m = Model();
  if (m == nullptr) return;
  g_corePage = IsSessionPage(ctx) != FALSE;
  FillOptionCombo(dialog, kFrontKindList, FindOptionTable("FrontCover_op"), KeepCoverKind, kPictureItemHeight);
  FillOptionCombo(dialog, kFrontTrayList, Rows(m->frontCoverTrays), nullptr, kOptionItemHeight);
  FillOptionCombo(dialog, kBackKindList, FindOptionTable("BackCover_op"), KeepCoverKind, kPictureItemHeight);
  FillOptionCombo(dialog, kBackTrayList, Rows(m->backCoverTrays), nullptr, kOptionItemHeight);
  if (Flag(kMfOhpInterleave)) {
    FillOptionCombo(dialog, kInterleaveKindList, Rows(m->ohpInterleaves), nullptr, kPictureItemHeight);
    FillOptionCombo(dialog, kInterleaveTrayList, Rows(m->ohpInterleaveTrays), nullptr, kOptionItemHeight);
  }
  if (Flag(kMfPerPageSetting)) {
    BuildPerPageRows(GetUIState(ctx));
    FillOptionCombo(dialog, kPerPageList, Rows(g_perPageRows.rows), nullptr, kOptionItemHeight);
  }
  if (Flag(kMfPiCover)) {
    FillOptionCombo(dialog, kInsertFrontList, Rows(m->piFrontCovers), nullptr, kOptionItemHeight);
    FillOptionCombo(dialog, kInsertBackList, Rows(m->piBackCovers), nullptr, kOptionItemHeight);
  }
}

// --- Bindings.

// With booklet printing both covers come from one tray: the back cover
// follows the front cover's tray.
void FrontTrayChanged(HWND dialog, SheetCtx* ctx) {
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  if (f.nDuplex != 3) return;
  f.nBackCoverTray = f.nFrontCoverTray;
  SelectOptionValue(dialog, kBackTrayList, static_cast<uint32_t>(static_cast<int32_t>(f.nBackCoverTray)));
}

void RepaintList(HWND dialog, int id) { InvalidateRect(GetDlgItem(dialog, id), nullptr, TRUE); }
void AfterFront(HWND dialog, SheetCtx*) { RepaintList(dialog, kFrontKindList); }
void AfterBack(HWND dialog, SheetCtx*) { RepaintList(dialog, kBackKindList); }
void AfterInterleave(HWND dialog, SheetCtx*) {
  if (Flag(kMfOhpInterleaveOp)) RepaintList(dialog, kInterleaveKindList);
}
void AfterPerPage(HWND dialog, SheetCtx*) { RepaintList(dialog, kPerPageList); }
void AfterInsertFront(HWND dialog, SheetCtx*) { RepaintList(dialog, kInsertFrontList); }
void AfterInsertBack(HWND dialog, SheetCtx*) { RepaintList(dialog, kInsertBackList); }

#define FIELD(m) DOC_FIELD_AT(m), sizeof(DocFields::m)
const DialogBinding kBindings[] = {
    {kFrontBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bFrontCover), 0, nullptr, nullptr, AfterFront},
    {kFrontKindList, CBN_SELENDOK, BindKind::kDropList, FIELD(nFrontCoverMode)},
    {kFrontTrayList, CBN_SELENDOK, BindKind::kDropList, FIELD(nFrontCoverTray), 0, nullptr, nullptr, nullptr, nullptr,
     FrontTrayChanged},
    {kBackBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bBackCover), 0, nullptr, nullptr, AfterBack},
    {kBackKindList, CBN_SELENDOK, BindKind::kDropList, FIELD(nBackCoverMode)},
    {kBackTrayList, CBN_SELENDOK, BindKind::kDropList, FIELD(nBackCoverTray)},
    {kInsertFrontBox, BN_CLICKED, BindKind::kCheckBox, FIELD(CoverMFP_bPIFCover), 0, nullptr, nullptr, AfterInsertFront},
    {kInsertFrontList, CBN_SELENDOK, BindKind::kDropList, FIELD(CoverMFP_nPIFCoverTray)},
    {kInsertBackBox, BN_CLICKED, BindKind::kCheckBox, FIELD(CoverMFP_bPIBCover), 0, nullptr, nullptr, AfterInsertBack},
    {kInsertBackList, CBN_SELENDOK, BindKind::kDropList, FIELD(CoverMFP_nPIBCoverTray)},
    {kPerPageBox, BN_CLICKED, BindKind::kCheckBox, FIELD(CoverMFP_bUsePerPageSet), 0, nullptr, nullptr, AfterPerPage},
    {kPerPageList, CBN_SELENDOK, BindKind::kDropList, FIELD(CoverMFP_nPerPageList)},
    {kInterleaveBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bOHP), 0, nullptr, nullptr, AfterInterleave},
    {kInterleaveKindList, CBN_SELENDOK, BindKind::kDropList, FIELD(nOHPMode)},
    {kInterleaveTrayList, CBN_SELENDOK, BindKind::kDropList, FIELD(nOHPTray)},
    {},
};
#undef FIELD

void ApplyLockList(HWND dialog, const SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

void EnableRules(HWND dialog, SheetCtx* ctx) {
  for (int id : {kFrontKindList, kFrontTrayLabel, kFrontTrayList}) Enable(dialog, id, Checked(dialog, kFrontBox));
  const bool back = Enabled(dialog, kBackBox) && Checked(dialog, kBackBox);
  for (int id : {kBackKindList, kBackTrayLabel, kBackTrayList}) Enable(dialog, id, back);
  // The latest constraint pass says whether interleaving may be chosen
  // where the driver interleaves.
  if (Flag(kMfOhpPrint)) Enable(dialog, kInterleaveBox, LatestConstraintPassResults().ohpInterleaveFree);
  const bool interleave = Checked(dialog, kInterleaveBox);
  if (Flag(kMfOhpInterleaveOp)) Enable(dialog, kInterleaveKindList, interleave);
  Enable(dialog, kInterleaveTrayLabel, interleave);
  Enable(dialog, kInterleaveTrayList, interleave);
  // Per-page settings need the driver's own spooling: where the device's
  // settings spool through the system's metafiles, the box rests.
  const DevOption* device = GetCtxPrinterInfo(ctx);
  if (!Flag(kMfEmfSpool) || device == nullptr || device->emfSpool == 0) {
    // Free again as far as the rules allow.
    if (IsWindowVisible(GetDlgItem(dialog, kPerPageBox))) {
      EnableCtrlByFeature(dialog, kCoverPageSheetTemplate, kPerPageBox, 1);
    }
    Enable(dialog, kPerPageList, Checked(dialog, kPerPageBox));
    Enable(dialog, kPerPageEditButton, Checked(dialog, kPerPageBox));
  } else {
    EnableWindow(GetDlgItem(dialog, kPerPageBox), FALSE);
    EnableWindow(GetDlgItem(dialog, kPerPageEditButton), FALSE);
  }
  Enable(dialog, kInsertFrontList, Enabled(dialog, kInsertFrontBox) && Checked(dialog, kInsertFrontBox));
  Enable(dialog, kInsertBackList, Enabled(dialog, kInsertBackBox) && Checked(dialog, kInsertBackBox));
  EnableWebLinkButton(dialog, ctx);
  ApplyLockList(dialog, ctx);
}

// The interleave tray row takes the place of the kind row when the model
// offers no kinds.
void LiftInterleaveTray(HWND dialog) {
  auto rectOf = [dialog](int id) {
    RECT r = {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  const RECT kind = rectOf(kInterleaveKindList);
  LONG lift = -1;
  for (int id : {kInterleaveTrayStop, kInterleaveTrayLabel, kInterleaveTrayList}) {
    const LONG d = rectOf(id).top - kind.top;
    if (lift < 0 || d < lift) lift = d;
  }
  if (lift > 0) {
    for (int id : {kInterleaveTrayStop, kInterleaveTrayLabel, kInterleaveTrayList}) {
      const RECT r = rectOf(id);
      MoveWindow(GetDlgItem(dialog, id), r.left, r.top - lift, r.right - r.left, r.bottom - r.top, FALSE);
    }
  }
  for (int id : {kInterleaveKindMate, kInterleaveKindList}) ShowEnableCtrl(dialog, id, FALSE);
}

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  if (Flag(kMfPerPageSetting)) {
    LoadSessionPerPageLists(ctx);
    NoteSessionPerPageLists(ctx);
  }
  auto hide = [dialog](std::initializer_list<int> ids) {
    for (int id : ids) ShowEnableCtrl(dialog, id, FALSE);
  };
  if (Flag(kMfOhpInterleave) && !Flag(kMfOhpInterleaveOp)) LiftInterleaveTray(dialog);
  if (!Flag(kMfOhpInterleave)) hide({1154, 1214, 1319, 1320, 1155, 1321, 1322});
  if (!Flag(kMfPerPageSetting)) hide({2214, 1159, 1222, 1215});
  if (!Flag(kMfPiCover)) hide({1216, 1325, 2277, 1157, 1328, 2278});
  return FALSE;
}

void Activate(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  FillLists(dialog, ctx);
  DocFields& f = Fields(*doc);
  // Interleaving cannot sort copies that are not collated: the core's
  // sheets switch it off.
  const bool uncollatedCopies = f.nCopies >= 2 && f.bCollate == 0;
  if (Flag(kMfOhpInterleave) && Model()->ohpInterleaves != nullptr && IsSessionPage(ctx) && uncollatedCopies) {
    f.bOHP = 0;
  }
  ShowBindings(dialog, ctx, kBindings);
  if (FixUpEmfOnlyNup(ctx) != 0) NoteSheetChange(dialog, doc);
  if (FixUpEmfOnlyDuplex(ctx) != 0) NoteSheetChange(dialog, doc);
  EnableRules(dialog, ctx);
  if (Flag(kMfOhpInterleave) && Model()->ohpInterleaves != nullptr && IsSessionPage(ctx) && uncollatedCopies) {
    EnableWindow(GetDlgItem(dialog, kInterleaveKindList), FALSE);
  }
}

#define FIELD(m) {DOC_FIELD_AT(m), sizeof(DocFields::m)}
const DefaultField kDefaultFields[] = {
    FIELD(bFrontCover),   FIELD(nFrontCoverMode), FIELD(nFrontCoverTray), FIELD(bBackCover),
    FIELD(nBackCoverMode), FIELD(nBackCoverTray), FIELD(bOHP),            FIELD(nOHPMode),
    FIELD(nOHPTray),      FIELD(CoverMFP_bUsePerPageSet), FIELD(CoverMFP_nPerPageList),
    FIELD(CoverMFP_bPIFCover), FIELD(CoverMFP_nPIFCoverTray), FIELD(CoverMFP_bPIBCover),
    FIELD(CoverMFP_nPIBCoverTray),
};
#undef FIELD

void ShowAll(HWND dialog, SheetCtx* ctx) { ShowBindings(dialog, ctx, kBindings); }

const SheetDefaults kDefaults = {kCoverPageSheetTemplate, kDefaultFields, std::size(kDefaultFields), nullptr, ShowAll,
                                 EnableRules};

// The per-page lists' editor; the lists' names and the chosen list may
// have changed.
void EditPerPageLists(HWND dialog, SheetCtx* ctx) {
  const DocDMode before = *GetPrivDevMode(ctx);
  if (RunSheetDialog(dialog, kPerPageSettingTemplate, PerPageSettingDlgProc, reinterpret_cast<LPARAM>(ctx)) != IDOK) {
    return;
  }
  BuildPerPageRows(GetUIState(ctx));
  FillOptionCombo(dialog, kPerPageList, Rows(g_perPageRows.rows), nullptr, kOptionItemHeight);
  ShowBindings(dialog, ctx, kBindings);
  if (std::memcmp(&before, GetPrivDevMode(ctx), sizeof before) != 0) NoteSheetChange(dialog, GetPrivDevMode(ctx));
}

INT_PTR Command(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM) {
  if (LOWORD(wParam) == kPerPageEditButton && HIWORD(wParam) == BN_CLICKED) {
    EditPerPageLists(dialog, ctx);
    return TRUE;
  }
  if (LOWORD(wParam) != kDefaultButton) return FALSE;
  RunSheetDefaults(dialog, ctx, kDefaults);
  return TRUE;
}

// The cell of a cover kind's picture in its strip.
int CoverCell(uint32_t value) {
  switch (value) {
    case 1: return 1;
    case 2: return 3;
    case 3: return 4;
    case 4: return 1;
    case 5: return 2;
    default: return 0;
  }
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
  const uint32_t value = item->itemID != static_cast<UINT>(-1) && row != nullptr ? row->value : 0;
  switch (item->CtlID) {
    case kFrontKindList:
      DrawFinishingPictureItem(dialog, item, 178, 180, CoverCell(value), true);
      return true;
    case kBackKindList:
      DrawFinishingPictureItem(dialog, item, 181, 182, CoverCell(value), true);
      return true;
    case kInterleaveKindList:
      DrawFinishingPictureItem(dialog, item, 183, 184, value == 1 ? 1 : value == 2 ? 2 : 0, false);
      return true;
    case kPerPageList:
    case kFrontTrayList:
    case kBackTrayList:
    case kInterleaveTrayList:
    case kInsertFrontList:
    case kInsertBackList:
      DrawOptionRowItem(dialog, item);
      return true;
    default:
      return false;
  }
}

// The per-page lists the session changed go to the user's store with the
// settings; those the sheet read are its own to free.
void SavePerPageLists(HWND, SheetCtx* ctx) {
  if (Flag(kMfPerPageSetting)) SaveChangedPerPageLists(ctx);
}
void FreePerPageLists(HWND dialog) {
  if (SheetCtx* ctx = SheetCtxOf(dialog)) FreeSessionPerPageLists(ctx);
}

const DocumentSheet kCoverPageSheet = {
    .pageId = kCoverPageSheetTemplate,
    .preview = PreviewAreaStep::kAfterUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 2,
    .helpIds = kHelpIds,
    .pageHelpTopic = 3001,
    .comboHeights = kComboHeights,
    .init = Init,
    .setActive = Activate,
    .killActive = nullptr,
    .apply = SavePerPageLists,
    .command = Command,
    .drawItem = DrawItem,
    .destroy = FreePerPageLists,
    .other = nullptr,
    .textSection = "Property_3",
    .bindings = kBindings,
    .enableRules = EnableRules,
};

}  // namespace

INT_PTR CALLBACK CoverPageSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kCoverPageSheet, dialog, message, wParam, lParam);
}

INT_PTR CALLBACK EmptySheetProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
