// How the Configure sheet reads the device into the device option record:
// the connection check (the address query, then the device-communication
// library on a network or the USB status reply on a USB port), the tray
// media, the installed options (with the machine check) and the
// authentication and encryption settings of the device's open-API session.
// Every function works on the sheet context's records and its UI state;
// only a caller that asks for reports (Refresh) gets messages.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"
#include "dproc/sheets/ui_state_layout.h"

// What the Configure sheet keeps of the device it asks, in the UI state.
struct DeviceSheetUiState {
  uint32_t addressReady;
  uint32_t deviceConnected;
  uint32_t usbConnection;
  uint32_t authQueryResult;
  uint32_t encInfoAcquired;
  uint32_t skipNextAcquisition;  // the activation after Apply does not ask
  uint16_t encSettingOrigin;     // 1 factory default, 2 user defined, 3 unidentified
  char deviceKeyText[21];        // the key the device reported
  char plainKeyText[21];         // the stored key, deciphered
  void* usbStatus;               // the USB status list, owned by the sheet
};
static_assert(sizeof(DeviceSheetUiState) <= kUiStateDeviceSheetBytes);
// The record in a UI state; null without one.
DeviceSheetUiState* DeviceSheetStateOf(SheetUiState* state);

// True when the device can be asked.  `connect`: also ask whether the
// device is one the driver serves; `report`: show each failure.
bool CheckDeviceConnection(HWND dialog, const SheetCtx* ctx, bool connect, bool report);
// The tray media of the model's trays (the automatic tray left out) from
// the device; true when any field changed.
bool AcquireTrayMedia(const SheetCtx* ctx, const char* address);
// The installed options from the device; true when any changed.  A device
// that reports another machine than the record resets the device part of
// the record first: silently with automatic acquisition, after a question
// (when `ask`) otherwise; a "No" sets `cancelled` and changes nothing.
bool AcquireDeviceOptions(HWND dialog, const SheetCtx* ctx, const char* address, bool ask, bool* cancelled);
// The device's authentication and account-track methods and its printer
// encryption; true when the authentication query or the encryption read
// answered, with `changed` telling whether the record changed.
bool AcquireDeviceAuthEncryption(HWND dialog, const SheetCtx* ctx, bool* changed);
// Frees the USB status list the state holds.
void ReleaseUsbStatus(const SheetCtx* ctx);
