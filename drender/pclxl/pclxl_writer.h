// Primitive writers of the PCL XL encoder.
//
// Everything the encoder produces goes to one byte sink: a function and its
// context (the render core's single write path; tests use a memory sink).
// Multi-byte values are written low byte first, as the data source is opened
// with binary low-byte-first data.
//
// An operator with attributes is assembled as one group in the encoder's
// group buffer (values, attribute identifiers, the operator tag) and handed
// to the sink in one call; embedded data that follows an operator is written
// in a second call (its introducer and length) and a third (the data).
//
// The group buffer belongs to the caller (one per job), so two jobs in one
// process never mix their bytes.
//
// Every writer returns what the sink returned (1 success, 0 failure); a
// writer that makes several calls stops at the first failure and returns 0.
// A writer asked for something it cannot encode (an unknown operator
// position, an array longer than a uint16 count, a missing buffer, a group
// larger than the buffer) writes nothing and returns 0.
#pragma once

#include <cstddef>
#include <cstdint>

#include "drender/pclxl/pclxl_tables.h"

// Hands `length` bytes to the sink; returns 1 on success, 0 on failure.
using XlWriteFn = uint32_t (*)(void* context, const uint8_t* bytes, uint32_t length);

// The longest group the writers build: the attributes of BeginRastPattern.
inline constexpr uint32_t kXlGroupCapacity = 35;

struct XlEncoder {
  XlWriteFn write;
  void* context;
  uint8_t group[kXlGroupCapacity];
  uint8_t groupLength;
  uint8_t groupOverflow;  // 1 when a group did not fit: it is not sent
};

// Sets the sink and empties the group buffer.
void XL_InitEncoder(XlEncoder* enc, XlWriteFn write, void* context);

// Raw bytes to the sink (null or zero-length input writes nothing).
uint32_t XL_WriteRaw(XlEncoder* enc, const void* bytes, uint32_t length);

// --- Groups -----------------------------------------------------------
// Start a group, add values, attribute identifiers and the operator, send.
void XL_GroupStart(XlEncoder* enc);
void XL_GroupUByte(XlEncoder* enc, uint8_t value);
void XL_GroupUInt16(XlEncoder* enc, uint16_t value);
void XL_GroupUInt32(XlEncoder* enc, uint32_t value);
void XL_GroupSInt16(XlEncoder* enc, int16_t value);
void XL_GroupReal32(XlEncoder* enc, uint32_t bits);  // IEEE single bit pattern
void XL_GroupUInt16XY(XlEncoder* enc, uint16_t x, uint16_t y);
void XL_GroupSInt16XY(XlEncoder* enc, int16_t x, int16_t y);
void XL_GroupReal32XY(XlEncoder* enc, uint32_t x_bits, uint32_t y_bits);
void XL_GroupUInt16Box(XlEncoder* enc, uint16_t left, uint16_t top, uint16_t right,
                       uint16_t bottom);
void XL_GroupSInt16Box(XlEncoder* enc, int16_t left, int16_t top, int16_t right, int16_t bottom);
void XL_GroupAttr(XlEncoder* enc, XlAttr id);
void XL_GroupOperator(XlEncoder* enc, XlOp op);
// Sends the group in one call and empties the buffer.  A group that
// overflowed, or that names a position without an operator, is dropped and
// gives 0.
uint32_t XL_GroupSend(XlEncoder* enc);

// --- Primitive writers -------------------------------------------------
// 0xF8 value when is_attribute is non-zero, else 0xC0 value.
uint32_t XL_UByte(XlEncoder* enc, uint8_t value, uint32_t is_attribute);
uint32_t XL_UInt16(XlEncoder* enc, uint16_t value);
uint32_t XL_UInt16XY(XlEncoder* enc, uint16_t x, uint16_t y);
uint32_t XL_Real32XY(XlEncoder* enc, uint32_t x_bits, uint32_t y_bits);
// Arrays: the array tag, the element count as a uint16 (0xC1), the elements.
// More than 65,535 elements cannot be counted and are refused.
uint32_t XL_UByteArray(XlEncoder* enc, const uint8_t* bytes, uint32_t count);
uint32_t XL_UInt16Array(XlEncoder* enc, const uint16_t* values, uint32_t count);
uint32_t XL_SInt16Array(XlEncoder* enc, const int16_t* values, uint32_t count);
// A one-byte attribute identifier (0xF8 id).
uint32_t XL_Attr(XlEncoder* enc, XlAttr id);
// An operator without attributes: its single tag byte.
uint32_t XL_Operator(XlEncoder* enc, XlOp op);

// --- Embedded data -----------------------------------------------------
enum XlEmbedForm : uint8_t {
  XL_EMBED_AUTO = 0,  // one-byte length below 256 bytes, else four bytes
  XL_EMBED_LONG = 1,  // always the four-byte length
};
// The introducer of a block of `length` bytes: 0xFB and one length byte, or
// 0xFA and four length bytes.
uint32_t XL_EmbeddedHeader(XlEncoder* enc, uint32_t length, XlEmbedForm form);
// The introducer, then the data (a missing buffer with a length writes
// nothing).
uint32_t XL_EmbeddedData(XlEncoder* enc, const void* data, uint32_t length, XlEmbedForm form);
