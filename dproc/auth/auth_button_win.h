// The Basic sheet's authentication button: the relay-server dialog when
// the job signs in through a relay server, the Authentication / Department
// Setting dialog otherwise.
#pragma once

#include <windows.h>

#include "dproc/sheets/sheet_context.h"

// Which dialog the button opens, by the model, the device option record and
// (when the record asks for automatic acquisition or names the relay
// server) the device's authentication type; the device is asked only then.
// Returns 1 when the user confirmed the dialog.  `userAuth` is the
// Authentication / Department Setting dialog's procedure (template 2171).
intptr_t RunAuthenticationButton(HWND sheet, SheetCtx* ctx, DLGPROC userAuth);
