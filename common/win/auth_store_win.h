// The user's authentication store: the user, department and secure print
// values of a printer's settings under "Software\<maker>\<driver>\<printer>"
// in the keys "Authentication", "AccountTrack" and "SecurePrint".
#pragma once

#include <windows.h>

#include "common/records/auth_reg_record.h"
#include "common/records/settings_records.h"

// The authentication record of the settings: their fields at the record's
// places, lengths as they stand.
void CopyAuthRegFromDevMode(AuthRegRecord* record, const DocDMode* settings);
// The other way: the record's values into the settings' fields (a password
// length never names more than its field holds).
void CopyAuthRegToDevMode(const AuthRegRecord& record, DocDMode* settings);

// Writes the three groups from the settings; a failed group does not stop
// the others.  True when every key opened and every value was written.
bool SaveAuthenticationReg(HANDLE printer, const DocDMode* settings);

// The record from the user's stores of the printer: "...\Authentication",
// "...\AccountTrack" and "...\SecurePrint" below the user's settings key.
// Texts end inside their fields; a stored value longer than its field is
// not taken (its field stays empty, its length 0).  True only when every
// value was read.
bool ReadAuthRegRecord(const wchar_t* driverName, const wchar_t* printerName, AuthRegRecord* out);
