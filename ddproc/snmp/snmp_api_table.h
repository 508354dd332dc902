// The table of nine SNMP entry points every device query goes through:
// bound to the system's management interface or to the library's own client.
#pragma once

#include "common/contracts/snmp_mgmt_api.h"

// The nine entry points every SNMP question of the device library goes
// through, with the two system libraries they came from (null for the
// library's own client).
struct SnmpApiTable {
  SnmpMemAllocProc mem_alloc;
  SnmpMemFreeProc mem_free;
  SnmpOidFreeProc oid_free;
  SnmpVarBindFreeProc var_bind_free;
  SnmpVarBindListFreeProc var_bind_list_free;
  SnmpOpenProc open;
  SnmpCloseProc close;
  SnmpRequestProc request;
  SnmpStrToOidProc str_to_oid;
  void* mgmtapi;  // HMODULE
  void* snmpapi;  // HMODULE
  int32_t bound;
};

inline bool SnmpApiTableComplete(const SnmpApiTable& t) {
  return t.mem_alloc && t.mem_free && t.oid_free && t.var_bind_free && t.var_bind_list_free && t.open &&
         t.close && t.request && t.str_to_oid;
}
