// Binding the SNMP table: the system's management interface when both of its
// libraries load, else the library's own client.
#pragma once

#include <cstdint>

#include "ddproc/snmp/snmp_api_table.h"

// Binds `table` from MGMTAPI.DLL and SNMPAPI.DLL in `directory` (on the NT
// family, platform id 2).  When both load, every entry point must be there
// (SnmpMgrStrToOid only from major version 5 on; before it the built-in
// conversion is used), else both are freed and the result is false.  When
// either does not load the table gets the built-in client.
bool SnmpApiBindFrom(SnmpApiTable* table, const wchar_t* directory, uint32_t platform, uint32_t major);
// Frees the libraries and clears the table.
void SnmpApiUnbindTable(SnmpApiTable* table);

// The process's table, bound at attach from the system directory.
const SnmpApiTable& ProcessSnmpApi();
bool SnmpApiBind();
bool SnmpApiIsBound();
void SnmpApiUnbind();
