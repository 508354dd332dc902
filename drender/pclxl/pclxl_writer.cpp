// Primitive writers of the PCL XL encoder.
#include "drender/pclxl/pclxl_writer.h"

#include <cstring>

static_assert(offsetof(XlEncoder, context) == sizeof(void*));
static_assert(offsetof(XlEncoder, group) == 2 * sizeof(void*));
static_assert(offsetof(XlEncoder, groupLength) == 2 * sizeof(void*) + kXlGroupCapacity);
static_assert(offsetof(XlEncoder, groupOverflow) == 2 * sizeof(void*) + kXlGroupCapacity + 1);
static_assert(sizeof(XlEncoder) == (sizeof(void*) == 8 ? 56 : 48));

namespace {

constexpr uint32_t kMaxArrayCount = 0xFFFF;

void Put(XlEncoder* enc, const uint8_t* bytes, uint32_t length) {
  if (enc->groupOverflow || length > kXlGroupCapacity - enc->groupLength) {
    enc->groupOverflow = 1;
    return;
  }
  std::memcpy(enc->group + enc->groupLength, bytes, length);
  enc->groupLength = static_cast<uint8_t>(enc->groupLength + length);
}

void PutTag(XlEncoder* enc, XlTypePos type) {
  uint8_t tag = XlDataType[type];
  Put(enc, &tag, 1);
}

void Put16(XlEncoder* enc, uint16_t v) {
  uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
  Put(enc, b, 2);
}

void Put32(XlEncoder* enc, uint32_t v) {
  uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                  static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
  Put(enc, b, 4);
}

// Writes an array's tag and count, then its elements (already in wire
// order) in a second call.
uint32_t WriteArray(XlEncoder* enc, XlTypePos type, const uint8_t* elements, uint32_t count,
                    uint32_t element_size) {
  if (count > kMaxArrayCount || (count != 0 && elements == nullptr)) return 0;
  XL_GroupStart(enc);
  PutTag(enc, type);
  PutTag(enc, XLT_UINT16);
  Put16(enc, static_cast<uint16_t>(count));
  if (!XL_GroupSend(enc)) return 0;
  if (count == 0) return 1;
  return XL_WriteRaw(enc, elements, count * element_size);
}

template <typename T>
uint32_t Write16BitArray(XlEncoder* enc, XlTypePos type, const T* values, uint32_t count) {
  if (count > kMaxArrayCount || (count != 0 && values == nullptr)) return 0;
  // Elements go out in pieces through a small buffer, low byte first.
  XL_GroupStart(enc);
  PutTag(enc, type);
  PutTag(enc, XLT_UINT16);
  Put16(enc, static_cast<uint16_t>(count));
  if (!XL_GroupSend(enc)) return 0;
  uint8_t buffer[256];
  uint32_t filled = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint16_t v = static_cast<uint16_t>(values[i]);
    buffer[filled++] = static_cast<uint8_t>(v);
    buffer[filled++] = static_cast<uint8_t>(v >> 8);
    if (filled == sizeof(buffer)) {
      if (!XL_WriteRaw(enc, buffer, filled)) return 0;
      filled = 0;
    }
  }
  return filled ? XL_WriteRaw(enc, buffer, filled) : 1;
}

}  // namespace

void XL_InitEncoder(XlEncoder* enc, XlWriteFn write, void* context) {
  std::memset(enc, 0, sizeof(*enc));
  enc->write = write;
  enc->context = context;
}

uint32_t XL_WriteRaw(XlEncoder* enc, const void* bytes, uint32_t length) {
  if (length == 0) return 1;
  if (bytes == nullptr || enc->write == nullptr) return 0;
  return enc->write(enc->context, static_cast<const uint8_t*>(bytes), length);
}

void XL_GroupStart(XlEncoder* enc) {
  enc->groupLength = 0;
  enc->groupOverflow = 0;
}

void XL_GroupUByte(XlEncoder* enc, uint8_t value) {
  PutTag(enc, XLT_UBYTE);
  Put(enc, &value, 1);
}

void XL_GroupUInt16(XlEncoder* enc, uint16_t value) {
  PutTag(enc, XLT_UINT16);
  Put16(enc, value);
}

void XL_GroupUInt32(XlEncoder* enc, uint32_t value) {
  PutTag(enc, XLT_UINT32);
  Put32(enc, value);
}

void XL_GroupSInt16(XlEncoder* enc, int16_t value) {
  PutTag(enc, XLT_SINT16);
  Put16(enc, static_cast<uint16_t>(value));
}

void XL_GroupReal32(XlEncoder* enc, uint32_t bits) {
  PutTag(enc, XLT_REAL32);
  Put32(enc, bits);
}

void XL_GroupUInt16XY(XlEncoder* enc, uint16_t x, uint16_t y) {
  PutTag(enc, XLT_UINT16_XY);
  Put16(enc, x);
  Put16(enc, y);
}

void XL_GroupSInt16XY(XlEncoder* enc, int16_t x, int16_t y) {
  PutTag(enc, XLT_SINT16_XY);
  Put16(enc, static_cast<uint16_t>(x));
  Put16(enc, static_cast<uint16_t>(y));
}

void XL_GroupReal32XY(XlEncoder* enc, uint32_t x_bits, uint32_t y_bits) {
  PutTag(enc, XLT_REAL32_XY);
  Put32(enc, x_bits);
  Put32(enc, y_bits);
}

void XL_GroupUInt16Box(XlEncoder* enc, uint16_t left, uint16_t top, uint16_t right,
                       uint16_t bottom) {
  PutTag(enc, XLT_UINT16_BOX);
  Put16(enc, left);
  Put16(enc, top);
  Put16(enc, right);
  Put16(enc, bottom);
}

void XL_GroupSInt16Box(XlEncoder* enc, int16_t left, int16_t top, int16_t right, int16_t bottom) {
  PutTag(enc, XLT_SINT16_BOX);
  Put16(enc, static_cast<uint16_t>(left));
  Put16(enc, static_cast<uint16_t>(top));
  Put16(enc, static_cast<uint16_t>(right));
  Put16(enc, static_cast<uint16_t>(bottom));
}

void XL_GroupAttr(XlEncoder* enc, XlAttr id) {
  PutTag(enc, XLT_ATTR_UBYTE);
  uint8_t b = id;
  Put(enc, &b, 1);
}

void XL_GroupOperator(XlEncoder* enc, XlOp op) {
  uint8_t tag = XlOperatorTag(op);
  if (tag == kXlNoOperator) {
    enc->groupOverflow = 1;  // not an operator: the group is dropped
    return;
  }
  Put(enc, &tag, 1);
}

uint32_t XL_GroupSend(XlEncoder* enc) {
  uint32_t length = enc->groupLength;
  bool dropped = enc->groupOverflow != 0;
  enc->groupLength = 0;
  enc->groupOverflow = 0;
  if (dropped) return 0;
  return XL_WriteRaw(enc, enc->group, length);
}

uint32_t XL_UByte(XlEncoder* enc, uint8_t value, uint32_t is_attribute) {
  XL_GroupStart(enc);
  PutTag(enc, is_attribute ? XLT_ATTR_UBYTE : XLT_UBYTE);
  Put(enc, &value, 1);
  return XL_GroupSend(enc);
}

uint32_t XL_UInt16(XlEncoder* enc, uint16_t value) {
  XL_GroupStart(enc);
  XL_GroupUInt16(enc, value);
  return XL_GroupSend(enc);
}

uint32_t XL_UInt16XY(XlEncoder* enc, uint16_t x, uint16_t y) {
  XL_GroupStart(enc);
  XL_GroupUInt16XY(enc, x, y);
  return XL_GroupSend(enc);
}

uint32_t XL_Real32XY(XlEncoder* enc, uint32_t x_bits, uint32_t y_bits) {
  XL_GroupStart(enc);
  XL_GroupReal32XY(enc, x_bits, y_bits);
  return XL_GroupSend(enc);
}

uint32_t XL_UByteArray(XlEncoder* enc, const uint8_t* bytes, uint32_t count) {
  return WriteArray(enc, XLT_UBYTE_ARRAY, bytes, count, 1);
}

uint32_t XL_UInt16Array(XlEncoder* enc, const uint16_t* values, uint32_t count) {
  return Write16BitArray(enc, XLT_UINT16_ARRAY, values, count);
}

uint32_t XL_SInt16Array(XlEncoder* enc, const int16_t* values, uint32_t count) {
  return Write16BitArray(enc, XLT_SINT16_ARRAY, values, count);
}

uint32_t XL_Attr(XlEncoder* enc, XlAttr id) { return XL_UByte(enc, id, 1); }

uint32_t XL_Operator(XlEncoder* enc, XlOp op) {
  XL_GroupStart(enc);
  XL_GroupOperator(enc, op);
  return XL_GroupSend(enc);
}

uint32_t XL_EmbeddedHeader(XlEncoder* enc, uint32_t length, XlEmbedForm form) {
  XL_GroupStart(enc);
  if (form == XL_EMBED_AUTO && length < 256) {
    PutTag(enc, XLT_EMBEDDED_SHORT);
    uint8_t b = static_cast<uint8_t>(length);
    Put(enc, &b, 1);
  } else {
    PutTag(enc, XLT_EMBEDDED_LONG);
    Put32(enc, length);
  }
  return XL_GroupSend(enc);
}

uint32_t XL_EmbeddedData(XlEncoder* enc, const void* data, uint32_t length, XlEmbedForm form) {
  if (length != 0 && data == nullptr) return 0;
  if (!XL_EmbeddedHeader(enc, length, form)) return 0;
  return XL_WriteRaw(enc, data, length);
}
