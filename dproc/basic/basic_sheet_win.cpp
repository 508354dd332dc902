#include "dproc/basic/basic_sheet_win.h"

#include <commctrl.h>

#include <cstring>
#include <memory>

#include "common/contracts/ddproc_functions.h"
#include "common/qxd/model_info.h"
#include "common/text/safe_format.h"
#include "dproc/auth/user_auth_dialog_win.h"
#include "dproc/auth/user_setting_dialog_win.h"
#include "dproc/basic/auto_tray_dialog_win.h"
#include "dproc/basic/paper_setting_dialog_win.h"
#include "dproc/basic/basic_sheet_parts_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/control_tooltips_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/sheets/control_metrics.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/sheets/sheet_user_papers_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/description_loader_win.h"

namespace {

using namespace basic;

// Disabled when the document settings may not be changed.
const int kLockList[] = {1235, 1123, 1130, 1131, 1132, 1133, 1134, 1001, 1000, 1036, 1040, 1063, 1020,
                         1023, 1005, 1003, 1008, 1006, 1064, 1011, 1012, 1126, 1014, 1018, 1178, 1227,
                         1228, 1033, 1206, 1067, 1136, 1138, 1032};

// Hidden on every model: the fax driver prints nothing itself.
const int kPrintOnly[] = {1130, 1140, 1136, 1138, 1285, 1064, 1011, 1012, 1126, 1111, 1203, 1014, 1145,
                          1018, 2242, 1110, 1008, 1006, 1108, 1005, 1898, 1287, 1195, 1193, 1196, 1194};

const DWORD kHelpIds[] = {
    1199, DWORD(-1), 1235, DWORD(-1), 1123, DWORD(-1), 1131, 9570, 1132, 9570, 1133, 9580, 1134, 9590,
    1069, DWORD(-1), 1140, 1110, 1136, 1110, 1138, 1110, 1285, 1130, 1063, 1010, 1211, 1010, 1020, 1020,
    1023, 1030, 1001, 1040, 1000, 1040, 1141, 1050, 1036, 1050, 1040, 1050, 1178, 1060, 1115, 1060,
    1227, 1060, 1228, 1060, 1033, 1060, 1206, 1060, 1067, 1060, 1135, DWORD(-1), 1064, 1090, 1011, 1090,
    1012, 1090, 1126, 1090, 1111, 1100, 1203, 1100, 1014, 1100, 1145, 1140, 1018, 1140, 2242, 1140,
    1005, 1080, 1003, 1080, 1108, 1080, 1110, 1070, 1008, 1070, 1006, 1070, 1898, 1160, 1287, 1150,
    1195, 1135, 1193, 1135, 1196, 1136, 1194, 1136, 2170, 1132, 2504, 1132, 1074, DWORD(-1), 1015, DWORD(-1),
    1016, DWORD(-1), 1201, 9520, 1032, 9510, 1130, 11000, 0, 0};

const SheetComboHeight kComboHeights[] = {{1000, 16}, {1003, 16}, {1006, 16}, {1040, 16}, {1138, 32}, {0, 0}};


void ApplyLockList(HWND dialog, const SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : kLockList) {
    if (HWND c = GetDlgItem(dialog, id)) EnableWindow(c, FALSE);
  }
}

// The copies range text: the "Property_1" row of control id -1 whose
// keyword begins with "CopiesRange", or "[%d...%d]".
void ShowCopiesRange(HWND dialog, const ModelInfo* model) {
  const char16_t* format = u"[%d...%d]";
  if (const DispStringItem* table = DialogTextTable("Property_1")) {
    for (const DispStringItem* row = table; row->controlIds[0] != 0; ++row) {
      if (row->controlIds[0] == -1 && std::strncmp(row->keyword, "CopiesRange", 11) == 0 && row->text[0] != 0) {
        format = row->text;
        break;
      }
    }
  }
  const int32_t lo = model != nullptr ? model->copiesMin : 1;
  const int32_t hi = model != nullptr ? model->copiesMax : 9999;
  const SafeFormatArg args[] = {SafeFormatArg::Number(lo), SafeFormatArg::Number(hi)};
  char16_t text[64] = {};
  SafeFormat(format, args, 2, text, 64);
  SetDlgItemTextW(dialog, kBasicCopiesRange, reinterpret_cast<const wchar_t*>(text));
}

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  const ModelInfo* model = Model();

  SendDlgItemMessageW(dialog, kBasicZoomEdit, EM_LIMITTEXT, static_cast<WPARAM>(GetMaxDigitCount(25, 400)), 0);
  SendDlgItemMessageW(dialog, kBasicZoomSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kBasicZoomEdit)),
                      0);
  SendDlgItemMessageW(dialog, kBasicZoomSpin, UDM_SETRANGE32, 25, 400);
  const int32_t copiesMin = model != nullptr ? model->copiesMin : 1;
  const int32_t copiesMax = model != nullptr ? model->copiesMax : 9999;
  SendDlgItemMessageW(dialog, kBasicCopies, EM_LIMITTEXT,
                      static_cast<WPARAM>(GetMaxDigitCount(copiesMin, copiesMax)), 0);
  if (SendDlgItemMessageW(dialog, kBasicCopiesSpin, UDM_GETBASE, 0, 0) != 10) {
    SendDlgItemMessageW(dialog, kBasicCopiesSpin, UDM_SETBASE, 10, 0);
  }
  // The copies are read from the spin: it follows the typed number.
  SendDlgItemMessageW(dialog, kBasicCopiesSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kBasicCopies)),
                      0);
  SendDlgItemMessageW(dialog, kBasicCopiesSpin, UDM_SETRANGE32, static_cast<WPARAM>(copiesMin), copiesMax);
  ShowCopiesRange(dialog, model);
  ApplyLockList(dialog, ctx);

  const bool detail = HasFeature(kMfMediaTypeDetail);
  if (!HasFeature(kMfPaperOption1)) {
    ShowEnableCtrl(dialog, kBasicOption1, FALSE);
    ShowEnableCtrl(dialog, kBasicOption1Icon, FALSE);
  }
  if (!HasFeature(kMfPaperOption2)) {
    ShowEnableCtrl(dialog, kBasicOption2, FALSE);
    ShowEnableCtrl(dialog, kBasicOption2Icon, FALSE);
  }
  ShowEnableCtrl(dialog, kBasicAutoTrayButton, detail);
  ShowEnableCtrl(dialog, kBasicMediaLabel, !detail);
  ShowEnableCtrl(dialog, kBasicMedia, !detail);
  if (!HasFeature(kMfJobOffset)) {
    for (int id : {kBasicJobOffsetIcon, kBasicJobOffsetPicture, kBasicJobOffset}) ShowEnableCtrl(dialog, id, FALSE);
  }
  if (!HasFeature(kMfPaperSourceTraySetting)) ShowEnableCtrl(dialog, kBasicPaperSettingButton, FALSE);
  if (!detail && !HasFeature(kMfPaperSourceTraySetting)) ShowEnableCtrl(dialog, kBasicMediaIcon, FALSE);
  for (int id : kPrintOnly) ShowEnableCtrl(dialog, id, FALSE);
  return FALSE;
}

bool KillActive(HWND dialog, SheetCtx* ctx) {
  BasicUiState* state = BasicStateOf(GetUIState(ctx));
  BasicUiState fallback = {};
  if (state == nullptr) state = &fallback;
  state->killActive = 1;
  auto refuse = [&](int focus) {
    if (focus != 0) {
      SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, focus)), TRUE);
    }
    state->killActive = 0;
    return false;
  };
  DocFields* f = FieldsOf(ctx);
  if (!Paper1SheetReadPaperSize(dialog, ctx)) return refuse(kBasicPaperSize);
  Paper1SheetReadOutPaperSize(dialog, ctx);
  if (IsShown(dialog, kBasicZoomAuto)) f->bScaleAuto = IsChecked(dialog, kBasicZoomAuto);
  if (!Paper1SheetReadZoomValue(dialog, ctx)) return refuse(kBasicZoomEdit);
  Paper1SheetReadOrientation(dialog, ctx);
  if (!HasFeature(kMfMediaTypeDetail) && !Paper1SheetReadMediaType(dialog, ctx)) return refuse(kBasicMedia);
  Paper1SheetReadTray(dialog, ctx);
  if (!Paper1SheetReadCopies(dialog, ctx)) return refuse(kBasicCopies);
  if (!Paper1SheetReadCollate(dialog, ctx)) return refuse(0);
  if (!Paper1SheetReadOutputMethod(dialog, ctx)) return refuse(0);
  // A paper option whose check box the page does not show keeps its value.
  if (IsShown(dialog, kBasicOption1)) f->bPaperOption1 = IsChecked(dialog, kBasicOption1);
  if (IsShown(dialog, kBasicOption2)) f->bPaperOption2 = IsChecked(dialog, kBasicOption2);
  Paper1SheetReadCtl2500(dialog, ctx);
  state->killActive = 0;
  return true;
}

void Apply(HWND, SheetCtx* ctx) { Paper1SheetSyncUserPaper(ctx); }

INT_PTR Command(HWND dialog, SheetCtx*, WPARAM wParam, LPARAM lParam) {
  return Paper1SheetCommand(dialog, wParam, lParam);
}

// An image and its mask from the image library: the mask with AND, the
// image with XOR, at the bitmap's size, centred across the item and at its
// top edge.  A missing bitmap draws nothing.
void DrawPicturePair(const DRAWITEMSTRUCT* item, int imageId, int maskId) {
  HMODULE images = DialogFrameworkModules().images;
  if (images == nullptr) return;
  HBITMAP image = LoadBitmapW(images, MAKEINTRESOURCEW(imageId));
  HBITMAP mask = LoadBitmapW(images, MAKEINTRESOURCEW(maskId));
  if (image != nullptr && mask != nullptr) {
    const SIZE size = GetBitmapSize(image);
    const int x = item->rcItem.left + (item->rcItem.right - item->rcItem.left - size.cx) / 2;
    const int y = item->rcItem.top;
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

bool FocusShown(HWND dialog, const DRAWITEMSTRUCT* item) {
  return (item->itemAction & ODA_FOCUS) != 0 ||
         ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == GetDlgItem(dialog, static_cast<int>(item->CtlID)));
}

void DrawListItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
    if (row != nullptr && item->CtlID == kBasicPaperSize) row = SessionPaperRow(ctx, false, row->value);
    DrawItemBackground(item);
    if (row != nullptr) {
      const int icon = row->flag != 0 ? static_cast<int>(row->iconId & 0xFFFF) : 0;
      DrawIconText(item, icon, reinterpret_cast<const wchar_t*>(RowText(row)));
    }
  }
  if (FocusShown(dialog, item)) DrawItemFocus(item);
}

void DrawOutputMethodItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  // The store-job list is hidden on every model of this driver; its items
  // show their text as the other lists do.
  const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
  DrawItemBackground(item);
  if (row != nullptr) DrawIconText(item, 0, reinterpret_cast<const wchar_t*>(RowText(row)));
  if (FocusShown(dialog, item)) DrawItemFocus(item);
}

bool DrawItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  const DocFields* f = FieldsOf(ctx);
  switch (static_cast<int>(item->CtlID)) {
    case kBasicPaperSize:
    case kBasicMedia:
    case kBasicTray:
    case kBasicOutPaperSize:
      DrawListItem(dialog, ctx, item);
      return true;
    case kBasicOutput:
      DrawOutputMethodItem(dialog, item);
      return true;
    case kBasicOrientationPicture:
      if (f != nullptr) DrawPicturePair(item, f->nOrientation == 1 ? 192 : 408, f->nOrientation == 1 ? 193 : 409);
      return true;
    case kBasicPaperPicture:
      DrawPicturePair(item, 431, 432);
      return true;
    case kBasicCollatePicture:
      if (f != nullptr) DrawPicturePair(item, f->bCollate != 0 ? 194 : 196, f->bCollate != 0 ? 195 : 197);
      return true;
    case kBasicJobOffsetPicture:
      if (f != nullptr) DrawPicturePair(item, f->bJobOffset != 0 ? 6073 : 6075, f->bJobOffset != 0 ? 6074 : 6076);
      return true;
    case kBasicMediaIcon: {
      HintEntry row = {};
      row.controlId = item->CtlID;
      row.rect = item->rcItem;
      row.imageId = 198;
      row.maskId = 199;
      row.show = 1;
      DrawMaskedIconBitmap(dialog, item, &row);
      return true;
    }
    default:
      return false;
  }
}

const DocumentSheet kBasicSheet = {
    .pageId = kBasicSheetTemplate,
    .preview = PreviewAreaStep::kBeforeUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 1,
    .helpIds = kHelpIds,
    .pageHelpTopic = 1000,
    .comboHeights = kComboHeights,
    .init = Init,
    .setActive = Paper1SheetSetActive,
    .killActive = KillActive,
    .apply = Apply,
    .command = Command,
    .drawItem = DrawItem,
    .destroy = nullptr,
    .other = nullptr,
    .textSection = "Property_1",
    .hintPageId = kBasicSheetTemplate,
    .bindings = BasicSheetBindings(),
    .enableRules = Paper1SheetEnableControls,
};

// Empties a combo box and fills it with a model list up to its first row
// with an empty keyword.
void FillModelList(HWND dialog, int comboId, const OptionHead* rows) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  if (rows == nullptr) return;
  for (const OptionHead* row = rows; row->keyword[0] != '\0' && row->size != 0; row = NextOptionRow(row)) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  }
}

// A session paper list with its custom-size row moved last.
void FillSessionPapers(HWND dialog, SheetCtx* ctx, int comboId, bool output) {
  uint32_t count = 0;
  const OptionHead* rows = SessionPapers(ctx, output, &count);
  if (rows == nullptr || count == 0) return;
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  const OptionHead* custom = nullptr;
  const OptionHead* row = rows;
  for (uint32_t i = 0; i < count; ++i, row = NextOptionRow(row)) {
    if (row->value == static_cast<uint32_t>(kCustomPaper)) {
      custom = row;
      continue;
    }
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  }
  if (custom != nullptr) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(custom));
}

}  // namespace

BasicUiState* BasicStateOf(SheetUiState* state) {
  return state != nullptr ? reinterpret_cast<BasicUiState*>(state->bytes + kUiStateBasicAt) : nullptr;
}


BasicSheetDialogs& BasicDialogs() {
  static BasicSheetDialogs dialogs = {PaperSettingDlgProc, AutoTrayPaperDlgProc, UserSettingDlgProc,
                                      UserAuthenticDlgProc};
  return dialogs;
}


INT_PTR CALLBACK BasicSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kBasicSheet, dialog, message, wParam, lParam);
}

void Paper1SheetSetActive(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const ModelInfo* model = Model();
  FillSessionPapers(dialog, ctx, kBasicPaperSize, false);
  FillSessionPapers(dialog, ctx, kBasicOutPaperSize, true);
  FillModelList(dialog, kBasicTray, model != nullptr ? reinterpret_cast<const OptionHead*>(model->inTrays) : nullptr);
  FillModelList(dialog, kBasicMedia,
                model != nullptr ? reinterpret_cast<const OptionHead*>(model->mediaTypes) : nullptr);
  FillModelList(dialog, kBasicOutput,
                model != nullptr ? reinterpret_cast<const OptionHead*>(model->outputMethods) : nullptr);
  // A size that no listed row carries becomes the default settings' size.
  DocFields* f = FieldsOf(ctx);
  if (!SelectByValue(dialog, kBasicPaperSize, f->nPaperSize)) {
    auto defaults = std::make_unique<DocDMode>();
    if (CopyDefaultOEMDevMode(ctx, defaults.get())) {
      const int16_t size = Fields(*defaults).nPaperSize;
      f->nPaperSize = size;
      SelectByValue(dialog, kBasicPaperSize, f->nPaperSize);
    }
  }
  ShowSettings(dialog, ctx);
  int (*const fixUps[])(SheetCtx*, DocDMode*) = {
      [](SheetCtx* c, DocDMode*) { return FixUpEmfOnlyNup(c); },
      [](SheetCtx* c, DocDMode*) { return FixUpEmfOnlyDuplex(c); },
      [](SheetCtx* c, DocDMode*) { return FixUpBindingEdge(c); },
      [](SheetCtx*, DocDMode* d) { return FixUpNupStyle(d); },
      [](SheetCtx*, DocDMode* d) { return FixUpBookletBinding(d); },
      [](SheetCtx*, DocDMode* d) { return FixUpCombinationOrder(ProcessModelInfo(), d); },
  };
  for (auto fixUp : fixUps) {
    if (fixUp(ctx, doc) != 0) NoteChange(dialog, ctx);
  }
  Paper1SheetEnableControls(dialog, ctx);
}

void Paper1SheetEnableControls(HWND dialog, SheetCtx* ctx) {
  const DocFields* f = FieldsOf(ctx);
  if (f == nullptr) return;
  const BOOL manual = f->bScaleAuto == 0;
  EnableCtrlIfVisible(GetDlgItem(dialog, kBasicZoomEdit), manual);
  EnableCtrlIfVisible(GetDlgItem(dialog, kBasicZoomSpin), manual);
  if (HasFeature(kMfPaperSourceTraySetting)) {
    const int other = HasFeature(kMfMediaTypeDetail) ? kBasicAutoTrayButton : kBasicMedia;
    if (static_cast<uint16_t>(f->nDefaultSource) == kAutoTrayId) {
      ShowEnableCtrl(dialog, kBasicMediaIcon, FALSE);
      EnableCtrlIfVisible(GetDlgItem(dialog, other), TRUE);
    } else {
      ShowEnableCtrl(dialog, kBasicMediaIcon, TRUE);
      EnableWindow(GetDlgItem(dialog, other), FALSE);
    }
  }
  EnableWebLinkButton(dialog, ctx);
  if (!HasFeature(kMfUserAuthentication) && !HasFeature(kMfAccountTrackSetting)) {
    ShowEnableCtrl(dialog, kBasicAuthIcon, FALSE);
    ShowEnableCtrl(dialog, kBasicAuthButton, FALSE);
  } else if (BasicDialogs().userAuth == nullptr) {
    EnableWindow(GetDlgItem(dialog, kBasicAuthButton), FALSE);
  }
  // Buttons of dialogs that are not there stay disabled.
  if (BasicDialogs().paperSetting == nullptr) EnableWindow(GetDlgItem(dialog, kBasicPaperSettingButton), FALSE);
  if (BasicDialogs().autoTray == nullptr) EnableWindow(GetDlgItem(dialog, kBasicAutoTrayButton), FALSE);
  if (BasicDialogs().userSetting == nullptr) EnableWindow(GetDlgItem(dialog, kBasicUserSettingButton), FALSE);
  ApplyLockList(dialog, ctx);
}
