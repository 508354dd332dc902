// Vendor-unique operator texts of the page templates.
//
// A template value text that begins with "VDU/" carries raw operator
// material instead of a number: a sequence of items "type_value/" after the
// prefix, written as data values and attribute identifiers and ended by the
// VendorUnique operator.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"

// Longest type text and value text of an item; longer items are skipped.
inline constexpr uint32_t kXlVduMaxType = 3;
inline constexpr uint32_t kXlVduMaxValue = 31;

// True (1) when the text is at least four characters long and begins with
// "VDU/".
uint32_t Rdc_IsVendorUniqueText(const char* text);

// Writes the items of a vendor-unique text and the VendorUnique operator:
//   type 194: 0xC2 and the value's decimal number as a uint32;
//   type 200: the value's characters as a ubyte array;
//   type 248: 0xF8 and the value's decimal number as a one-byte attribute
//             identifier (a number above 255 is not an identifier: skipped);
// any other type, an item without an underscore, and an item longer than
// the limits write nothing; text after the last slash is no item.  The
// operator is written even when no item wrote anything.  A text that is not
// a vendor-unique text writes nothing and gives 0.
uint32_t XL_VendorUnique(XlEncoder* enc, const char* text);
