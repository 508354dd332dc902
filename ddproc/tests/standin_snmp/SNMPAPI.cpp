// A stand-in for the system's SNMP utility library.
#include <windows.h>

#include "common/contracts/snmp_mgmt_api.h"

extern "C" {
void* SNMP_API_CALL SnmpUtilMemAlloc(uint32_t bytes) { return LocalAlloc(LPTR, bytes); }
void SNMP_API_CALL SnmpUtilMemFree(void* memory) { LocalFree(memory); }
void SNMP_API_CALL SnmpUtilOidFree(SnmpObjectId*) {}
void SNMP_API_CALL SnmpUtilVarBindFree(SnmpBinding*) {}
void SNMP_API_CALL SnmpUtilVarBindListFree(SnmpBindingList*) {}
}
