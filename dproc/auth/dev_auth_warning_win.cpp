#include "dproc/auth/dev_auth_warning_win.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/auth/auth_rules.h"
#include "dproc/model/device_option_values.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/ui_state_layout.h"
#include "dproc/startup/description_loader_win.h"

static_assert(kUiStateFreeAt <= kSheetUiStateSize);

namespace {

constexpr int kWarningTitleRow = 7;
constexpr int kWarningTextRow = 281;

}  // namespace

void ShowDevAuthWarning(HWND sheet, WPARAM, LPARAM lParam) {
  const auto* ctx = reinterpret_cast<const SheetCtx*>(lParam);
  SheetUiState* state = GetUIState(ctx);
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (state == nullptr || doc == nullptr) return;
  uint8_t* flag = state->bytes + kUiStateAuthWarningAt;
  uint32_t shown = 0;
  std::memcpy(&shown, flag, sizeof shown);
  if (shown != 0) return;
  const OptionItem* value =
      SelectedDeviceOptionValue(GetCtxPrinterInfo(ctx), g_description.deviceOptions, "DevUserAuthentication", nullptr);
  const std::string keyword = value != nullptr ? std::string(value->keyword, strnlen(value->keyword, kKeywordSize)) : "";
  const ModelInfo* model = ProcessModelInfo();
  const DocFields& f = Fields(*doc);
  if (DevAuthWarningNeeded(keyword.c_str(), model != nullptr && model->features[kMfInterimAuthentic] != 0,
                           f.byUserType, f.szAuthUserName[0])) {
    ShowMessageBox(sheet, kWarningTitleRow, kWarningTextRow, 0, MB_OK | MB_ICONWARNING, 0, 0);
  }
  shown = 1;
  std::memcpy(flag, &shown, sizeof shown);
}
