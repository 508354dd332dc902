#include "ddproc/dialogs/device_dialog_hook_win.h"

#include <prsht.h>

#include "common/qxd/model_info.h"
#include "ddproc/dialogs/color_setting_hook_win.h"
#include "ddproc/dialogs/media_type_dialog_win.h"
#include "ddproc/dialogs/media_type_variants.h"
#include "ddproc/dialogs/proc_lib_binding_win.h"
#include "ddproc/startup/ddproc_module_win.h"

uint32_t DispatchDeviceDialogMessage(int32_t pageId, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                     int32_t* handled) {
  const ModelInfo* model = DDProcModel();
  const ColorSettingVariant* colorSetting =
      ColorSettingVariantFor(pageId, model != nullptr ? model->features[kMfColorSettingType] : 0);
  if (colorSetting != nullptr) return ColorSettingDlgHook(*colorSetting, dialog, message, wParam, lParam, handled);
  if (pageId == kConfigurePageId && message == WM_COMMAND &&
      static_cast<uint32_t>(wParam) == MAKEWPARAM(kMediaTypeButton, BN_CLICKED)) {
    auto* context = reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER));
    // The Configure sheet goes on to refill its media list itself: the
    // click is not consumed.
    if (context != nullptr) OpenMediaTypeDialog(dialog, context);
  }
  return 0;
}

intptr_t OpenMediaTypeDialog(HWND page, SheetCtx* context) {
  const ModelInfo* model = DDProcModel();
  const MediaTypeVariant* variant =
      MediaTypeVariantForModelType(model != nullptr ? model->features[kMfMediaTypeDlgType] : 0);
  if (variant == nullptr) return 0;
  ProcLibBinding& binding = DeviceDialogBinding();
  if (!BindProcLibrary(&binding)) return 0;
  intptr_t result = 0;
  // The dialog runs on the procedure library's skeleton: without it, or
  // without its modal runner, nothing opens.
  if (binding.myDialogBox != nullptr && binding.runDialog != nullptr) {
    result = binding.myDialogBox(DDProcDialogTemplates(), page, variant->templateId,
                                 MediaTypeDialogProc(variant->templateId), reinterpret_cast<LPARAM>(context));
    if (result == IDOK) SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
  }
  ReleaseProcLibrary(&binding);
  return result;
}
