#include "dproc/auth/auth_button_win.h"

#include <cstring>

#include "common/qxd/model_info.h"
#include "common/win/printer_address_win.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/auth/middle_server_dialog_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/device_option_values.h"
#include "dproc/openapi/open_api_session_win.h"
#include "dproc/startup/description_loader_win.h"

namespace {

constexpr int kAddressBytes = 64;  // 63 characters and the end

// Whether the relay-server dialog applies: the device says so when it
// answers; without an answer the option record decides.
bool RelayServerApplies(HWND sheet, const SheetCtx* ctx, const DevOption* option) {
  const ModelInfo* model = ProcessModelInfo();
  if (model == nullptr || model->features[kMfInterimAuthentic] == 0 || option == nullptr) return false;
  const bool inter = IsInterServerAuthentication(model, option, g_description.deviceOptions);
  if (option->autoAcquisition == 0 && !inter) return false;
  char address[kAddressBytes] = {};
  wchar_t stored[kDestAddressChars] = {};
  std::memcpy(stored, option->deviceAddress, sizeof stored - sizeof(wchar_t));
  ResolveDeviceAddress(sheet, GetCtxPrinterHandle(ctx), option->destCustomize, stored, address, kAddressBytes);
  address[kAddressBytes - 1] = '\0';
  OpenApiSession* session = address[0] != '\0' ? StartupAndGetAuth(GetCtxPrinterHandle(ctx), address) : nullptr;
  if (session == nullptr) return inter;
  const bool answered = session->status == 0;
  const int type = answered ? GetAuthType(session) : 0;
  CleanupSession(session);
  return answered ? type == kAuthTypeMiddleServer : inter;
}

}  // namespace

intptr_t RunAuthenticationButton(HWND sheet, SheetCtx* ctx, DLGPROC userAuth) {
  const DevOption* option = GetCtxPrinterInfo(ctx);
  if (RelayServerApplies(sheet, ctx, option)) {
    return ShowMiddleServerAuthDlg(sheet, GetPrivDevMode(ctx), option, GetCtxPrinterHandle(ctx));
  }
  if (userAuth == nullptr) return -1;
  return RunSheetDialog(sheet, 2171, userAuth, reinterpret_cast<LPARAM>(ctx));
}
