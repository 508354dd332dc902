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

// Writes the three groups from the settings; a failed group does not stop
// the others.  True when every key opened and every value was written.
bool SaveAuthenticationReg(HANDLE printer, const DocDMode* settings);
