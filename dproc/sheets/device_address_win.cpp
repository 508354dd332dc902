#include "dproc/sheets/device_address_win.h"

#include "common/win/printer_address_win.h"
#include "dproc/model/user_paper_list.h"

namespace {

static_assert(sizeof(DevOption::deviceAddress) == sizeof(wchar_t[kDestAddressChars]));

}  // namespace

char* UiDeviceAddress(SheetUiState* state) {
  return state != nullptr ? reinterpret_cast<char*>(state->bytes + kUiDeviceAddressAt) : nullptr;
}

void UpdateCtxDeviceAddress(HWND dialog, const SheetCtx* ctx) {
  char* text = UiDeviceAddress(GetUIState(ctx));
  const DevOption* device = GetCtxPrinterInfo(ctx);
  if (text == nullptr || device == nullptr) return;
  const auto& stored = reinterpret_cast<const wchar_t(&)[kDestAddressChars]>(device->deviceAddress);
  ResolveDeviceAddress(dialog, GetCtxPrinterHandle(ctx), device->destCustomize, stored, text,
                       kUiDeviceAddressBytes - 1);
  text[kUiDeviceAddressBytes - 1] = '\0';
}
