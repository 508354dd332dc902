#include "ddproc/snmp/ber_codec.h"

namespace {

void AppendLength(size_t length, std::vector<uint8_t>* out) {
  if (length < 128) {
    out->push_back(static_cast<uint8_t>(length));
    return;
  }
  int n = length <= 0xFFFF ? 2 : length <= 0xFFFFFF ? 3 : 4;
  out->push_back(static_cast<uint8_t>(0x80 + n));
  for (int i = n - 1; i >= 0; --i) out->push_back(static_cast<uint8_t>(length >> (8 * i)));
}

size_t HeaderSize(const std::vector<uint8_t>& element) {
  if (element.size() < 2) return element.size();
  uint8_t first = element[1];
  return first < 0x80 ? 2 : 2 + (first & 0x7F);
}

void AppendArc(uint32_t arc, std::vector<uint8_t>* out) {
  uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<uint8_t>(arc & 0x7F);
    arc >>= 7;
  } while (arc != 0);
  for (int i = n - 1; i >= 0; --i) out->push_back(static_cast<uint8_t>(groups[i] | (i > 0 ? 0x80 : 0)));
}

}  // namespace

void BerEncodeTlv(uint8_t tag, const uint8_t* content, size_t size, std::vector<uint8_t>* out) {
  out->push_back(tag);
  AppendLength(size, out);
  if (size > 0) out->insert(out->end(), content, content + size);
}

void BerAppendChild(std::vector<uint8_t>* parent, const std::vector<uint8_t>& child) {
  uint8_t tag = parent->empty() ? 0x30 : (*parent)[0];
  std::vector<uint8_t> content;
  if (!parent->empty()) content.assign(parent->begin() + static_cast<std::ptrdiff_t>(HeaderSize(*parent)), parent->end());
  content.insert(content.end(), child.begin(), child.end());
  parent->clear();
  BerEncodeTlv(tag, content.data(), content.size(), parent);
}

void BerEncodeInteger(int32_t value, std::vector<uint8_t>* out) {
  uint8_t bytes[4];
  uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
  int start = 0;
  // Drop leading bytes that only repeat the sign of the next one.
  while (start < 3 && ((bytes[start] == 0x00 && (bytes[start + 1] & 0x80) == 0) ||
                       (bytes[start] == 0xFF && (bytes[start + 1] & 0x80) != 0))) {
    ++start;
  }
  BerEncodeTlv(0x02, bytes + start, static_cast<size_t>(4 - start), out);
}

bool BerEncodeOidContent(const uint32_t* arcs, size_t count, std::vector<uint8_t>* content) {
  if (arcs == nullptr || count < 2 || arcs[0] > 2 || arcs[1] > 39) return false;
  std::vector<uint8_t> bytes;
  bytes.push_back(static_cast<uint8_t>(arcs[0] * 40 + arcs[1]));
  for (size_t i = 2; i < count; ++i) {
    AppendArc(arcs[i], &bytes);
    if (bytes.size() > 128) return false;
  }
  content->insert(content->end(), bytes.begin(), bytes.end());
  return true;
}

void BerEncodeVarBind(const uint32_t* arcs, size_t count, bool value_is_null, std::vector<uint8_t>* out) {
  std::vector<uint8_t> binding{0x30, 0x00};
  std::vector<uint8_t> content;
  if (BerEncodeOidContent(arcs, count, &content)) {
    std::vector<uint8_t> name;
    BerEncodeTlv(0x06, content.data(), content.size(), &name);
    BerAppendChild(&binding, name);
  }
  if (value_is_null) BerAppendChild(&binding, std::vector<uint8_t>{0x05, 0x00});
  out->insert(out->end(), binding.begin(), binding.end());
}

bool BerDecodeTlv(const uint8_t* data, size_t size, size_t* pos, BerElement* element) {
  size_t p = *pos;
  if (data == nullptr || p >= size || size - p < 2) return false;
  element->tag = data[p++];
  uint8_t first = data[p++];
  size_t length = first;
  if (first & 0x80) {
    size_t n = first & 0x7F;
    if (n == 0 || n > 4 || size - p < n) return false;
    length = 0;
    for (size_t i = 0; i < n; ++i) length = (length << 8) | data[p++];
  }
  if (length > size - p) return false;
  element->content = p;
  element->length = length;
  *pos = p;
  return true;
}

int32_t BerDecodeInteger(const uint8_t* content, size_t length) {
  if (length == 0) return 0;
  if (length > 4) {
    content += length - 4;
    length = 4;
  }
  uint32_t v = (content[0] & 0x80) ? 0xFFFFFFFFu : 0u;
  for (size_t i = 0; i < length; ++i) v = (v << 8) | content[i];
  return static_cast<int32_t>(v);
}

bool BerDecodeOid(const uint8_t* content, size_t length, uint32_t* arcs, size_t capacity, size_t* count) {
  *count = 0;
  size_t n = 0;
  uint64_t arc = 0;
  bool open = false;
  bool first = true;
  for (size_t i = 0; i < length; ++i) {
    arc = (arc << 7) | (content[i] & 0x7F);
    open = true;
    if (arc > 0xFFFFFFFFu) return false;
    if (content[i] & 0x80) continue;
    if (first) {
      if (capacity < 2) return false;
      uint32_t b = static_cast<uint32_t>(arc);
      arcs[n++] = b < 80 ? b / 40 : 2;
      arcs[n++] = b < 80 ? b % 40 : b - 80;
      first = false;
    } else {
      if (n >= capacity) return false;
      arcs[n++] = static_cast<uint32_t>(arc);
    }
    arc = 0;
    open = false;
  }
  if (open) return false;
  *count = n;
  return true;
}
