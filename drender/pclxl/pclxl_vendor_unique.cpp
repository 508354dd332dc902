// Vendor-unique operator texts of the page templates.
#include "drender/pclxl/pclxl_vendor_unique.h"

#include <cstring>

#include "drender/pclxl/pclxl_numeric.h"

namespace {

constexpr char kPrefix[] = "VDU/";
constexpr size_t kPrefixLength = 4;

uint32_t WriteItem(XlEncoder* enc, uint32_t type, const char* value, size_t length) {
  switch (type) {
    case 194:
      XL_GroupStart(enc);
      XL_GroupUInt32(enc, Rdc_ParseDecimalN(value, length));
      return XL_GroupSend(enc);
    case 200:
      return XL_UByteArray(enc, reinterpret_cast<const uint8_t*>(value),
                           static_cast<uint32_t>(length));
    case 248: {
      uint32_t id = Rdc_ParseDecimalN(value, length);
      if (id > 0xFF) return 1;
      return XL_UByte(enc, static_cast<uint8_t>(id), 1);
    }
    default:
      return 1;
  }
}

}  // namespace

uint32_t Rdc_IsVendorUniqueText(const char* text) {
  if (text == nullptr) return 0;
  return std::strncmp(text, kPrefix, kPrefixLength) == 0 ? 1 : 0;
}

uint32_t XL_VendorUnique(XlEncoder* enc, const char* text) {
  if (!Rdc_IsVendorUniqueText(text)) return 0;
  const char* p = text + kPrefixLength;
  for (;;) {
    const char* slash = std::strchr(p, '/');
    if (slash == nullptr) break;  // no closing slash: no item
    const char* underscore = static_cast<const char*>(std::memchr(p, '_', slash - p));
    if (underscore != nullptr) {
      size_t type_length = underscore - p;
      size_t value_length = slash - underscore - 1;
      if (type_length <= kXlVduMaxType && value_length <= kXlVduMaxValue) {
        uint32_t type = Rdc_ParseDecimalN(p, type_length);
        if (!WriteItem(enc, type, underscore + 1, value_length)) return 0;
      }
    }
    p = slash + 1;
  }
  return XL_Operator(enc, XlOp::VendorUnique);
}
