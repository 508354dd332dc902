#include "dproc/sheets/device_address_win.h"

#include "common/win/printer_address_win.h"

static_assert(kUiStateFreeAt <= kSheetUiStateSize);
static_assert(sizeof(DevOption::deviceAddress) == sizeof(wchar_t[kDestAddressChars]));

char* UiDeviceAddress(SheetUiState* state) {
  return state != nullptr ? reinterpret_cast<char*>(state->bytes + kUiStateDeviceAddressAt) : nullptr;
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
