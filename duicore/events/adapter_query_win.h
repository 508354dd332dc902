// The address of the machine's first LAN adapter, asked through NetBIOS.
#pragma once

#include <cstdint>

// Enumerates the LAN adapters, resets each in ascending order and asks its
// status; the first that answers gives its six address bytes.  False when
// the process already holds the network library (its NetBIOS state is the
// application's), the library or its functions are missing, a reset fails
// or no adapter answers.
bool QueryLanAdapterAddress(uint8_t out[6]);
