// The maker's name of the description's "RegistryKeySetting" section: the
// first part of the per-user registry paths of the render core.
#pragma once

#include <cstddef>

#include "common/qxd/qxd_reader.h"

inline constexpr size_t kVendorValueSize = 256;

// The value of the section's last row named "VendorName" (ASCII case
// ignored), cut to 255 bytes and terminated.  False, `value` empty, when
// the section or the row is missing.
bool Rdc_FindVendorName(QxdContext* description, char value[kVendorValueSize]);
