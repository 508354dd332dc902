// A stand-in for the system's SNMP management library: sessions that answer
// nothing.  Only its entry points' addresses matter to the tests.
#include "common/contracts/snmp_mgmt_api.h"

namespace {
int g_session;
}

extern "C" {
void* SNMP_API_CALL SnmpMgrOpen(char*, char*, int32_t, int32_t) { return &g_session; }
int32_t SNMP_API_CALL SnmpMgrClose(void*) { return 1; }
int32_t SNMP_API_CALL SnmpMgrRequest(void*, uint8_t, SnmpBindingList*, int32_t*, int32_t*) { return 0; }
int32_t SNMP_API_CALL SnmpMgrStrToOid(char*, SnmpObjectId*) { return 0; }
}
