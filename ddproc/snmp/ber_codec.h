// BER encoding and decoding of the elements an SNMPv1 GetRequest and its
// answer are made of.  Decoding reads network input: every length is checked
// against the bytes that are left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An element: tag, length, content.  A length below 128 takes one byte; a
// longer one the byte 0x80 + n and n bytes, most significant first
// (n = 2 up to 65,535, 3 up to 16,777,215, 4 beyond).
void BerEncodeTlv(uint8_t tag, const uint8_t* content, size_t size, std::vector<uint8_t>* out);
// Appends an encoded child to a constructed element built so far and
// encodes the parent's header again for the new content length.
void BerAppendChild(std::vector<uint8_t>* parent, const std::vector<uint8_t>& child);
// INTEGER in its minimal two's-complement form.
void BerEncodeInteger(int32_t value, std::vector<uint8_t>* out);
// OBJECT IDENTIFIER content; false (nothing written) when the name has fewer
// than two arcs, a first arc above 2, a second above 39, or needs more than
// 128 content bytes.
bool BerEncodeOidContent(const uint32_t* arcs, size_t count, std::vector<uint8_t>* content);
// A binding: SEQUENCE of the name (left out when it cannot be encoded) and,
// when value_is_null, a NULL element.
void BerEncodeVarBind(const uint32_t* arcs, size_t count, bool value_is_null, std::vector<uint8_t>* out);

// One element read at *pos of data[0..size): its tag, where its content
// starts and its length.  False when the header or the content runs past the
// end, or the length takes more than four length bytes (or the indefinite
// form).  *pos is left after the header.
struct BerElement {
  uint8_t tag;
  size_t content;  // offset of the content in data
  size_t length;
};
bool BerDecodeTlv(const uint8_t* data, size_t size, size_t* pos, BerElement* element);
// INTEGER content: one to four bytes big-endian, sign-extended; longer
// content gives its last four bytes; empty content gives 0.
int32_t BerDecodeInteger(const uint8_t* content, size_t length);
// OBJECT IDENTIFIER content into at most `capacity` arcs.  False when an arc
// does not fit 32 bits, the last arc is unterminated or there are more arcs
// than room.
bool BerDecodeOid(const uint8_t* content, size_t length, uint32_t* arcs, size_t capacity, size_t* count);
