// The device queries over an open SNMP session: one GetRequest per OID,
// answers mapped to the description file's keywords.  Opening and closing
// the session is the caller's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/contracts/ddproc_functions.h"
#include "ddproc/snmp/snmp_api_table.h"

// One answer, copied out of the binding list.
struct MibAnswer {
  int32_t error_status;
  int32_t error_index;
  uint8_t type;
  int32_t number;
  char text[256];  // the first 255 bytes of a byte value
  uint32_t arcs[128];
  size_t arc_count;
};

// One GET of oid + suffix (together at most 255 characters).  False when the
// name cannot be built or no answer was received; `unanswered`, when given,
// is set when the request itself failed (the device did not answer).
bool MibGet(const SnmpApiTable& api, void* session, const char* oid, const char* suffix, MibAnswer* answer,
            bool* unanswered = nullptr);

// Whether the answer selects a row: see kMibCompare*.
bool MibCompareValue(int32_t compare, const char* expected, const MibAnswer& answer);

// The value keyword the device's answers select for `key`; false when none
// does or a GET failed.  `unanswered`, when given, is set when a GET got no
// answer, and `answered` when one did.
bool MibQueryOptionValue(const SnmpApiTable& api, void* session, const MibOptionKey& key, char* out,
                         size_t out_size, bool* unanswered = nullptr, bool* answered = nullptr);
// Fills the values of the entries (at most 31 characters each).  The first
// GET that gets no answer ends the asking: every later entry stays empty
// (each of its GETs would wait out its time-out too), and when the device
// answered nothing at all, no entry keeps a value, not even a fallback.
void MibFillOptions(const SnmpApiTable& api, void* session, int32_t count, DevOptionEntry* entries);
// The level of a supplies row from its maximum capacity and level values.
// False when a percent is outside 0..100 or the kind is unknown.
bool MibSupplyLevelFromValues(const MibSupplyRow& row, int32_t maximum, int32_t level, SupplyLevelEntry* out);
// Fills the entries in order; false at the first keyword not in the table.
// After a GET that got no answer the later entries are cleared without
// asking.
bool MibFillSupplies(const SnmpApiTable& api, void* session, int32_t count, SupplyLevelEntry* entries);

// Zero-filled memory for the lists handed to the caller, or null.
typedef void* (*MibListAlloc)(size_t bytes);
// Walks the device's form table; storage 0 or 1.  Null when a GET failed or
// memory ran out.
DeviceFormList* MibListOverlays(const SnmpApiTable& api, void* session, int32_t storage, MibListAlloc alloc);
// Walks the device's colour-profile table.  Without device-link profiles a
// profile whose column 5 is 4 is left out.
DeviceProfileList* MibListProfiles(const SnmpApiTable& api, void* session, bool use_device_link_profile,
                                   MibListAlloc alloc);

inline constexpr int32_t kMibWalkLimit = 32767;
