// The device's own stamps through an open-API session: which of them the
// device prints by itself (copy protect, header/footer, page number, date
// and time) and the stamps registered at it, which the copy-protect dialogs
// offer as the device's rows.
#pragma once

#include <windows.h>

#include "common/contracts/open_api.h"
#include "common/qxd/model_rows.h"
#include "common/records/settings_records.h"

// The four flags from the device's answer of kind 4 on an open session;
// all zero when it did not answer.  TRUE when it answered.
BOOL GetDeviceStampSettings(OpenApiSession* session, DeviceStampFlags* flags);
// The registered stamps (kind 6) on an open session; `list` is filled from
// the answer, empty when the call failed.  TRUE when the device answered.
BOOL GetRegisteredStamps(OpenApiSession* session, RegisteredStampList* list);
// The checked list of a 388-byte answer as the library left it.
void ReadRegisteredStamps(const RegisteredStampAnswer& answer, RegisteredStampList* list);

// The stamp and composition sheet's query on a session of its own: the
// four flags (kind 4), then the header/footer setting names (kind 5) on the
// same session.  TRUE only when both were answered; the flags are zero when
// no session could be opened or the kind-4 query failed.
BOOL QueryDeviceStampSettings(HWND window, HANDLE printer, DocDMode* doc, const char* address,
                              const DevOption* option, const DeviceOptionItem* list,
                              DeviceStampFlags* flags);
