// The device library's own SNMPv1 client: the nine entry points of the SNMP
// table, implemented over a UDP socket to port 161.
#pragma once

#include "ddproc/snmp/snmp_api_table.h"

void* SNMP_API_CALL SnmpLiteMemAlloc(uint32_t bytes);
void SNMP_API_CALL SnmpLiteMemFree(void* memory);
void SNMP_API_CALL SnmpLiteOidFree(SnmpObjectId* oid);
void SNMP_API_CALL SnmpLiteVarBindFree(SnmpBinding* binding);
void SNMP_API_CALL SnmpLiteVarBindListFree(SnmpBindingList* list);
void* SNMP_API_CALL SnmpLiteOpen(char* agent, char* community, int32_t timeout_ms, int32_t retries);
int32_t SNMP_API_CALL SnmpLiteClose(void* session);
// Waits for each answer at most the session's time-out after each send:
// the first and one per retry of the session (at most five sends).
int32_t SNMP_API_CALL SnmpLiteRequest(void* session, uint8_t pdu_type, SnmpBindingList* bindings,
                                      int32_t* error_status, int32_t* error_index);
int32_t SNMP_API_CALL SnmpLiteStrToOid(char* text, SnmpObjectId* oid);

// Puts the nine built-in operations into the table.
void SnmpLiteFillTable(SnmpApiTable* table);
