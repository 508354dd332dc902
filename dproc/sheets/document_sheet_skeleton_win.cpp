#include "dproc/sheets/document_sheet_skeleton_win.h"

#include <commctrl.h>

#include <cstring>

#include "common/contracts/ddproc_sheet_functions_win.h"
#include "dproc/constraints/do_constraints_win.h"
#include "common/contracts/proc_library_exports_win.h"
#include "common/win/bind_export.h"
#include "common/win/driver_help.h"
#include "common/win/module_path.h"
#include "dproc/constraints/drop_list_filter_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/sheet_tab_tips_win.h"
#include "dproc/openapi/device_auth_queries_win.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/sheet_user_papers_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/description_loader_win.h"

namespace {

SheetConstraintFn g_check = nullptr;

uint32_t HintPageOf(const DocumentSheet& sheet) {
  return sheet.hintPageId != 0 ? sheet.hintPageId : static_cast<uint32_t>(sheet.pageId);
}

int32_t DefaultConstraintCheck(HWND dialog, HWND tooltip, uint16_t controlId) {
  auto doConstraints = BindExport<DoConstraintsFn>(ModuleOfThisCode(), kDoConstraints);
  return doConstraints != nullptr ? doConstraints(0, dialog, tooltip, controlId, -1) : 0;
}

void PaintLogo(const DocumentSheet& sheet, HWND dialog) {
  PAINTSTRUCT paint = {};
  HDC dc = BeginPaint(dialog, &paint);
  auto logo = reinterpret_cast<DrawLogoImageFn>(reinterpret_cast<void (*)()>(g_ddproc.entry[kDrawLogoImage]));
  if (dc != nullptr && g_ddproc.module != nullptr && logo != nullptr) {
    RECT client = {};
    GetClientRect(dialog, &client);
    logo(dc, dialog, &client, sheet.logoLayout);
  }
  EndPaint(dialog, &paint);
}

INT_PTR Notify(const DocumentSheet& sheet, HWND dialog, SheetCtx* ctx, LPARAM lParam) {
  const NMHDR* note = reinterpret_cast<const NMHDR*>(lParam);
  if (note == nullptr || ctx == nullptr) return FALSE;
  switch (note->code) {
    case PSN_SETACTIVE:
      if (sheet.textSection != nullptr && GetPrivDevMode(ctx) != nullptr) {
        HWND frame = GetParent(dialog);
        PostMessageW(frame, WM_NEXTDLGCTL, static_cast<WPARAM>(SendMessageW(frame, PSM_GETTABCONTROL, 0, 0)), TRUE);
        RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
        DispPageHint(dialog, ctx, HintPageOf(sheet));
      }
      if (sheet.setActive != nullptr) sheet.setActive(dialog, ctx);
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
      return TRUE;
    case PSN_KILLACTIVE: {
      // A refusal keeps the page: the result TRUE goes to the frame.
      bool leave = sheet.killActive == nullptr || sheet.killActive(dialog, ctx);
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, leave ? FALSE : TRUE);
      return TRUE;
    }
    case PSN_APPLY:
      if (sheet.apply != nullptr) sheet.apply(dialog, ctx);
      NotifySheetApply(ctx);
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, PSNRET_NOERROR);
      return TRUE;
    case PSN_HELP:
      if (sheet.clipTitle != nullptr &&
          RunTemplateClipTestWith(dialog, ctx,
                                  sheet.clipTemplateId != 0 ? sheet.clipTemplateId : static_cast<uint16_t>(sheet.pageId),
                                  sheet.clipTitle, sheet.clipMargins)) {
        return TRUE;
      }
      if (sheet.pageHelpTopic != 0) ShowDriverHelp(dialog, HELP_CONTEXT, sheet.pageHelpTopic);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

bool MeasureComboItem(const SheetComboHeight* heights, MEASUREITEMSTRUCT* item) {
  if (item == nullptr || (item->CtlType != ODT_COMBOBOX && item->CtlType != ODT_LISTVIEW) || heights == nullptr) {
    return false;
  }
  for (const SheetComboHeight* row = heights; row->controlId != 0; ++row) {
    if (static_cast<UINT>(row->controlId) == item->CtlID) {
      item->itemHeight = row->height;
      return true;
    }
  }
  return false;
}

DocumentSheetServices& SheetServices() {
  static DocumentSheetServices services = {nullptr, nullptr, nullptr};
  return services;
}

bool OfferToDeviceLibrary(int32_t pageId, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                          INT_PTR* result) {
  auto hook = reinterpret_cast<DDProcDlgProcFn>(reinterpret_cast<void (*)()>(g_ddproc.entry[kDDProcDlgProc]));
  if (g_ddproc.module == nullptr || hook == nullptr) return false;
  int32_t handled = 0;
  uint32_t r = hook(pageId, dialog, message, wParam, lParam, &handled);
  if (handled == 0) return false;
  *result = static_cast<INT_PTR>(r);
  return true;
}

SheetCtx* SheetCtxOf(HWND dialog) { return reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

void SetSheetConstraintCheck(SheetConstraintFn check) { g_check = check; }

int32_t RunSheetConstraints(HWND dialog, HWND tooltip, uint16_t controlId) {
  return (g_check != nullptr ? g_check : DefaultConstraintCheck)(dialog, tooltip, controlId);
}

void NoteSheetChange(HWND dialog, const DocDMode* doc) {
  SendMessageW(GetParent(dialog), PSM_CHANGED, reinterpret_cast<WPARAM>(dialog), 0);
  if (SheetServices().markEasySetModified != nullptr) SheetServices().markEasySetModified(dialog, doc);
}

namespace {

// With the preview area, a model that prints the device's header/footer
// settings learns their names from the device (at the address the
// preview area has just read).
void QueryPermanentSettingsAtStart(HWND dialog, SheetCtx* ctx) {
  const ModelInfo* model = ProcessModelInfo();
  if (ctx == nullptr || model == nullptr || model->features[kMfHeaderFooterKind] == 0) return;
  QueryDevicePermanentSetting(dialog, GetCtxPrinterHandle(ctx), GetPrivDevMode(ctx), UiDeviceAddress(GetUIState(ctx)),
                              GetCtxPrinterInfo(ctx), g_description.deviceOptions);
}

}  // namespace

INT_PTR RunDocumentSheet(const DocumentSheet& sheet, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const DocumentSheetServices& services = SheetServices();
  if (message == WM_INITDIALOG) {
    SetDialogPageId(dialog, static_cast<uint32_t>(sheet.pageId));
    CreateSheetTabTips(dialog);
  }
  if (services.easySetArea != nullptr) services.easySetArea(dialog, message, wParam, lParam);
  if (sheet.preview == PreviewAreaStep::kBeforeUserPapers) {
    PreviewAreaProc(sheet.pageId, dialog, message, wParam, lParam);
  }
  if (message == WM_DESTROY) SheetFreeUserPapers(dialog, lParam);
  if (message == WM_INITDIALOG) {
    SheetInitUserPapers(dialog, message, wParam, reinterpret_cast<SheetCtx*>(lParam));
  }
  if (sheet.preview == PreviewAreaStep::kAfterUserPapers) {
    PreviewAreaProc(sheet.pageId, dialog, message, wParam, lParam);
  }
  if (message == WM_INITDIALOG && sheet.preview != PreviewAreaStep::kNone) {
    QueryPermanentSettingsAtStart(dialog, reinterpret_cast<SheetCtx*>(lParam));
  }
  INT_PTR hooked = 0;
  if (OfferToDeviceLibrary(sheet.pageId, dialog, message, wParam, lParam, &hooked)) return hooked;
  if (!sheet.skipDropListFilter) ComboDropListFilter(dialog, message, wParam, lParam);
  if (message == WM_INITDIALOG && services.setDevAuthConstraints != nullptr) {
    services.setDevAuthConstraints(dialog, wParam, lParam);
  }

  SheetCtx* ctx = message == WM_INITDIALOG ? reinterpret_cast<SheetCtx*>(lParam) : SheetCtxOf(dialog);
  switch (message) {
    case WM_INITDIALOG:
      if (sheet.textSection != nullptr) {
        InitDialogCommon(dialog, ctx, sheet.textSection);
        DispPageHint(dialog, ctx, HintPageOf(sheet));
      }
      return sheet.init != nullptr ? sheet.init(dialog, ctx) : FALSE;
    case WM_DESTROY:
      if (sheet.destroy != nullptr) sheet.destroy(dialog);
      ForgetDialogTooltip(dialog);
      ForgetDialogPageId(dialog);
      return FALSE;
    case WM_PAINT:
      if (sheet.logoLayout == 0) break;
      PaintLogo(sheet, dialog);
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item == nullptr || ctx == nullptr) return FALSE;
      if (sheet.drawItem != nullptr && sheet.drawItem(dialog, ctx, item)) return TRUE;
      return DrawCommonItem(dialog, ctx, item, static_cast<int>(HintPageOf(sheet))) ? TRUE : FALSE;
    }
    case WM_MEASUREITEM:
      return MeasureComboItem(sheet.comboHeights, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY:
      return Notify(sheet, dialog, ctx, lParam);
    case WM_HELP:
    case WM_CONTEXTMENU:
      if (sheet.helpIds == nullptr) return FALSE;
      return HandleDialogHelpMessage(message, wParam, lParam, sheet.helpIds) ? TRUE : FALSE;
    case WM_COMMAND:
      if (ctx == nullptr || GetPrivDevMode(ctx) == nullptr) return FALSE;
      if (const DialogBinding* b = FindBinding(sheet.bindings, LOWORD(wParam), HIWORD(wParam))) {
        CommitBinding(dialog, ctx, *b, HintPageOf(sheet), sheet.enableRules, true);
        return TRUE;
      }
      return sheet.command != nullptr ? sheet.command(dialog, ctx, wParam, lParam) : FALSE;
    default:
      break;
  }
  if (ctx == nullptr || sheet.other == nullptr) return FALSE;
  return sheet.other(dialog, ctx, message, wParam, lParam);
}
