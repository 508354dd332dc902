// The records and entry points of the Windows SNMP management interface
// (MGMTAPI.DLL and SNMPAPI.DLL), which the device library binds by name
// from the system directory, and which its own SNMPv1 client implements
// with the same signatures.
//
// The records are laid out as the system declares them: packed to 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)
struct SnmpOctets {
  uint8_t* stream;
  uint32_t length;
  int32_t dynamic;  // non-zero: stream was allocated for this record
};

struct SnmpObjectId {
  uint32_t count;
  uint32_t* arcs;
};

struct SnmpAny {
  uint8_t type;  // a BER tag, see kAsn*
  union {
    int32_t number;     // INTEGER, Counter32, Gauge32, TimeTicks, UInteger32
    uint64_t counter64;  // not used here; fixes the union's size
    SnmpOctets string;   // OCTET STRING, NULL, SEQUENCE, IpAddress, Opaque, BIT STRING
    SnmpObjectId object;  // OBJECT IDENTIFIER
  } value;
};

struct SnmpBinding {
  SnmpObjectId name;
  SnmpAny value;
};

struct SnmpBindingList {
  SnmpBinding* list;
  uint32_t count;
};
#pragma pack(pop)

#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(SnmpOctets) == 16);
static_assert(sizeof(SnmpObjectId) == 12);
static_assert(sizeof(SnmpAny) == 20);
static_assert(offsetof(SnmpAny, value) == 4);
static_assert(sizeof(SnmpBinding) == 32);
static_assert(offsetof(SnmpBinding, value) == 12);
static_assert(sizeof(SnmpBindingList) == 12);
#else
static_assert(sizeof(SnmpOctets) == 12);
static_assert(sizeof(SnmpObjectId) == 8);
static_assert(sizeof(SnmpAny) == 16);
static_assert(offsetof(SnmpAny, value) == 4);
static_assert(sizeof(SnmpBinding) == 24);
static_assert(offsetof(SnmpBinding, value) == 8);
static_assert(sizeof(SnmpBindingList) == 8);
#endif

// Value types: the BER tags of the values.
inline constexpr uint8_t kAsnInteger = 0x02;
inline constexpr uint8_t kAsnBitString = 0x03;
inline constexpr uint8_t kAsnOctetString = 0x04;
inline constexpr uint8_t kAsnNull = 0x05;
inline constexpr uint8_t kAsnObjectId = 0x06;
inline constexpr uint8_t kAsnSequence = 0x30;
inline constexpr uint8_t kAsnIpAddress = 0x40;
inline constexpr uint8_t kAsnCounter32 = 0x41;
inline constexpr uint8_t kAsnGauge32 = 0x42;
inline constexpr uint8_t kAsnTimeTicks = 0x43;
inline constexpr uint8_t kAsnOpaque = 0x44;
inline constexpr uint8_t kAsnUInteger32 = 0x47;
inline constexpr uint8_t kSnmpPduGetRequest = 0xA0;
inline constexpr uint8_t kSnmpPduGetResponse = 0xA2;

#if defined(_WIN32) && !defined(_WIN64)
#define SNMP_API_CALL __stdcall
#else
#define SNMP_API_CALL
#endif

// SNMPAPI.DLL
inline constexpr char kSnmpUtilMemAllocName[] = "SnmpUtilMemAlloc";
inline constexpr char kSnmpUtilMemFreeName[] = "SnmpUtilMemFree";
inline constexpr char kSnmpUtilOidFreeName[] = "SnmpUtilOidFree";
inline constexpr char kSnmpUtilVarBindFreeName[] = "SnmpUtilVarBindFree";
inline constexpr char kSnmpUtilVarBindListFreeName[] = "SnmpUtilVarBindListFree";
// MGMTAPI.DLL
inline constexpr char kSnmpMgrOpenName[] = "SnmpMgrOpen";
inline constexpr char kSnmpMgrCloseName[] = "SnmpMgrClose";
inline constexpr char kSnmpMgrRequestName[] = "SnmpMgrRequest";
inline constexpr char kSnmpMgrStrToOidName[] = "SnmpMgrStrToOid";

// Zero-filled memory, or null.
typedef void*(SNMP_API_CALL* SnmpMemAllocProc)(uint32_t bytes);
typedef void(SNMP_API_CALL* SnmpMemFreeProc)(void* memory);
typedef void(SNMP_API_CALL* SnmpOidFreeProc)(SnmpObjectId* oid);
typedef void(SNMP_API_CALL* SnmpVarBindFreeProc)(SnmpBinding* binding);
typedef void(SNMP_API_CALL* SnmpVarBindListFreeProc)(SnmpBindingList* list);
// A session, or null with the reason in the thread's last error.
typedef void*(SNMP_API_CALL* SnmpOpenProc)(char* agent, char* community, int32_t timeout_ms, int32_t retries);
typedef int32_t(SNMP_API_CALL* SnmpCloseProc)(void* session);
// Non-zero when an answer arrived; its value is in the list's first binding.
typedef int32_t(SNMP_API_CALL* SnmpRequestProc)(void* session, uint8_t pdu_type, SnmpBindingList* bindings,
                                                int32_t* error_status, int32_t* error_index);
typedef int32_t(SNMP_API_CALL* SnmpStrToOidProc)(char* text, SnmpObjectId* oid);
