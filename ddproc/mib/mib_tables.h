// The static tables that drive the SNMP device queries.
#pragma once

#include "common/contracts/ddproc_functions.h"

inline constexpr char kMibCommunity[] = "tamrik";
inline constexpr char kMibSysObjectId[] = ".1.3.6.1.2.1.1.2.0";
inline constexpr int32_t kMibAccessTimeoutMs = 1000;
inline constexpr int32_t kMibAccessRetries = 1;
inline constexpr int32_t kMibQueryTimeoutMs = 2000;
inline constexpr int32_t kMibQueryRetries = 3;

const MibOptionTable& MibOptionKeys();      // 13 keys
const MibOptionTable& MibModelCheckTable();  // empty
const MibSupplyRow* MibSupplyRows();        // 13 rows, the last of kind 999
// The maximum-capacity and level columns of the marker-supplies table.
const MibOidText* MibSupplyOids();
const MibOvlOids& MibOverlayOids();
const MibProfOids& MibProfileOids();

// The key of `keyword` (ignoring case), or null.
const MibOptionKey* FindMibOptionKey(const char* keyword);
// The supplies row of `keyword` (ignoring case), or null.
const MibSupplyRow* FindMibSupplyRow(const char* keyword);
