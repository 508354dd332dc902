#include "common/qxd/qxd_reader.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

void ReleaseImageContext(QxdContext* ctx) {
  std::free(ctx->image);
  delete ctx;
}

void ReleaseUnbufferedContext(QxdContext* ctx) { delete ctx; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLetters(const char* a, const char* b, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

QxdContext* QxdOpenImage(const void* data, size_t size) {
  if (size > 0xFFFFFFFEu) return nullptr;
  QxdContext* ctx = new (std::nothrow) QxdContext{};
  if (ctx == nullptr) return nullptr;
  // One spare byte keeps a zero-size file from asking for an empty block.
  ctx->image = static_cast<uint8_t*>(std::calloc(size + 1, 1));
  if (ctx->image == nullptr) {
    delete ctx;
    return nullptr;
  }
  if (size != 0) std::memcpy(ctx->image, data, size);
  ctx->size = static_cast<uint32_t>(size);
  ctx->release = ReleaseImageContext;
  return ctx;
}

QxdContext* QxdOpenUnbuffered(void* file, uint32_t size, QxdFileReadFn readFile) {
  if (readFile == nullptr) return nullptr;
  QxdContext* ctx = new (std::nothrow) QxdContext{};
  if (ctx == nullptr) return nullptr;
  ctx->file = file;
  ctx->size = size;
  ctx->readFile = readFile;
  ctx->release = ReleaseUnbufferedContext;
  return ctx;
}

void QxdClose(QxdContext* ctx) {
  if (ctx != nullptr && ctx->release != nullptr) ctx->release(ctx);
}

uint32_t QxdFileSize(const QxdContext* ctx) { return ctx != nullptr ? ctx->size : 0; }

uint32_t QxdReadAt(QxdContext* ctx, void* dst, uint32_t length, uint32_t offset) {
  if (ctx == nullptr || dst == nullptr || length == 0) return 0;
  if (offset >= ctx->size) return 0;
  uint32_t available = ctx->size - offset;
  uint32_t count = length < available ? length : available;
  if (ctx->image != nullptr) {
    std::memcpy(dst, ctx->image + offset, count);
    return count;
  }
  if (ctx->readFile == nullptr) return 0;
  uint32_t got = ctx->readFile(ctx->file, dst, count, offset);
  if (got != kQxdReadError && got > count) return count;  // a reader never gets more
  return got;
}

bool QxdReadFully(QxdContext* ctx, void* dst, uint32_t length, uint32_t offset) {
  if (length == 0) return true;
  return QxdReadAt(ctx, dst, length, offset) == length;
}

bool QxdArrayFits(const QxdContext* ctx, uint32_t offset, uint32_t count, uint32_t elemSize) {
  if (ctx == nullptr) return false;
  uint64_t end = static_cast<uint64_t>(offset) + static_cast<uint64_t>(count) * elemSize;
  return end <= ctx->size;
}

bool QxdNameEquals(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return false;
  size_t la = std::strlen(a);
  if (la != std::strlen(b)) return false;
  return SameLetters(a, b, la);
}

bool QxdFieldEquals(const char* field, size_t fieldSize, const char* name) {
  if (field == nullptr || name == nullptr) return false;
  size_t lf = strnlen(field, fieldSize);
  size_t ln = std::strlen(name);
  return lf == ln && SameLetters(field, name, lf);
}

namespace {

// The one walk over a file's chain of section headers, for either header
// kind: the offset of the header named `name`, or 0.
template <typename Header>
uint32_t FindSectionIn(QxdContext* ctx, const char* name) {
  uint32_t header[2];
  // An empty name names no section, even where a damaged file has a
  // section without a name: an empty keyword read from a row must not find
  // one.
  if (name == nullptr || name[0] == '\0' || !QxdReadFully(ctx, header, sizeof header, 0)) return 0;
  const uint32_t end = header[1];
  uint32_t offset = kQxdFirstSection;
  Header section;
  while (offset < end) {
    if (!QxdReadFully(ctx, &section, sizeof section, offset)) return 0;
    if (QxdFieldEquals(section.name, sizeof section.name, name)) return offset;
    // The chain must move forward; anything else would walk for ever.
    if (section.nextSection <= offset) return 0;
    offset = section.nextSection;
  }
  return 0;
}

}  // namespace

uint32_t QxdFindSection(QxdContext* ctx, const char* name) { return FindSectionIn<QxdSectionHeader>(ctx, name); }

uint32_t QxdFindShortSection(QxdContext* ctx, const char* name) {
  return FindSectionIn<QxdShortSectionHeader>(ctx, name);
}

bool QxdReadSectionHeader(QxdContext* ctx, uint32_t offset, QxdSectionHeader* out) {
  if (offset == 0 || out == nullptr) return false;
  return QxdReadFully(ctx, out, sizeof *out, offset);
}

bool QxdReadListHeader(QxdContext* ctx, uint32_t offset, QxdListHeader* out) {
  return out != nullptr && QxdReadFully(ctx, out, sizeof *out, offset);
}

bool QxdReadDword(QxdContext* ctx, uint32_t offset, uint32_t* out) {
  uint32_t value;
  if (out == nullptr || !QxdReadFully(ctx, &value, sizeof value, offset)) return false;
  *out = value;
  return true;
}

bool QxdReadBytes(QxdContext* ctx, uint32_t offset, uint32_t length, void* dst) {
  if (dst == nullptr) return false;
  if (length == 0) return true;
  // Read into the destination only when the whole range is there, so a
  // short read leaves it as it was.
  if (!QxdArrayFits(ctx, offset, length, 1)) return false;
  return QxdReadFully(ctx, dst, length, offset);
}

bool QxdReadEntry(QxdContext* ctx, uint32_t offset, QxdEntry* out) {
  return QxdReadRecord(ctx, offset, out, sizeof *out);
}

bool QxdReadRecord(QxdContext* ctx, uint32_t offset, void* dst, uint32_t size) {
  return QxdReadBytes(ctx, offset, size, dst);
}
bool QxdReadRecord28(QxdContext* ctx, uint32_t offset, void* dst) { return QxdReadRecord(ctx, offset, dst, 28); }
bool QxdReadRecord32(QxdContext* ctx, uint32_t offset, void* dst) { return QxdReadRecord(ctx, offset, dst, 32); }
bool QxdReadRecord148(QxdContext* ctx, uint32_t offset, void* dst) { return QxdReadRecord(ctx, offset, dst, 148); }
bool QxdReadRecord156(QxdContext* ctx, uint32_t offset, void* dst) { return QxdReadRecord(ctx, offset, dst, 156); }
bool QxdReadRecord320(QxdContext* ctx, uint32_t offset, void* dst) { return QxdReadRecord(ctx, offset, dst, 320); }
bool QxdReadRecord620(QxdContext* ctx, uint32_t offset, void* dst) { return QxdReadRecord(ctx, offset, dst, 620); }

bool QxdReadIndexEntry(QxdContext* ctx, const QxdListHeader& list, uint32_t i, uint32_t* out) {
  if (i >= list.count) return false;
  uint64_t at = static_cast<uint64_t>(list.indexOffset) + 4ull * i;
  if (at > 0xFFFFFFFFull) return false;
  return QxdReadDword(ctx, static_cast<uint32_t>(at), out);
}

bool QxdBeginChain(QxdContext* ctx, const char* section, QxdChainWalk* walk) {
  if (walk == nullptr) return false;
  uint32_t at = QxdFindSection(ctx, section);
  QxdSectionHeader header;
  QxdListHeader list;
  if (!QxdReadSectionHeader(ctx, at, &header) || !QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list)) return false;
  QxdBeginChainAt(ctx, header.firstEntry, list.count, walk);
  return true;
}

void QxdBeginChainAt(QxdContext* ctx, uint32_t first, uint32_t count, QxdChainWalk* walk) {
  if (walk == nullptr) return;
  walk->next = first;
  // No file holds more entries than 16-byte slots.
  uint32_t most = QxdFileSize(ctx) / sizeof(QxdEntry);
  walk->left = count < most ? count : most;
}

bool QxdNextChainEntry(QxdContext* ctx, QxdChainWalk* walk, QxdEntry* entry) {
  if (walk == nullptr || entry == nullptr || walk->left == 0) return false;
  // Offset 0 is the file header: a link to it ends the chain.
  if (walk->next == 0 || !QxdReadEntry(ctx, walk->next, entry)) {
    walk->left = 0;
    return false;
  }
  --walk->left;
  walk->next = entry->next;
  return true;
}

bool QxdReadString(QxdContext* ctx, uint32_t offset, char* dst, size_t capacity) {
  if (dst == nullptr || capacity == 0) return false;
  char work[kQxdTextWork];
  uint32_t length = 0;
  for (;;) {
    if (length == kQxdTextWork) return false;  // no terminator in reach
    uint64_t at = static_cast<uint64_t>(offset) + length;
    if (at > 0xFFFFFFFFull) return false;
    char c;
    if (!QxdReadFully(ctx, &c, 1, static_cast<uint32_t>(at))) return false;
    work[length] = c;
    if (c == '\0') break;
    ++length;
  }
  size_t copy = length < capacity - 1 ? length : capacity - 1;
  std::memcpy(dst, work, copy);
  dst[copy] = '\0';
  return true;
}

bool QxdReadWideString(QxdContext* ctx, uint32_t offset, char16_t* dst, size_t capacity) {
  if (dst == nullptr || capacity == 0) return false;
  char16_t work[kQxdTextWork];
  uint32_t length = 0;
  while (length < kQxdTextWork) {
    uint64_t at = static_cast<uint64_t>(offset) + 2ull * length;
    if (at > 0xFFFFFFFFull) break;
    uint8_t unit[2];
    if (!QxdReadFully(ctx, unit, 2, static_cast<uint32_t>(at))) break;
    char16_t c = static_cast<char16_t>(unit[0] | (unit[1] << 8));
    if (c == 0) break;
    work[length++] = c;
  }
  if (length == 0) return false;
  size_t copy = length < capacity - 1 ? length : capacity - 1;
  std::memcpy(dst, work, copy * sizeof(char16_t));
  dst[copy] = 0;
  return true;
}

bool QxdReadRangeRecord(QxdContext* ctx, uint32_t offset, uint32_t out[3]) {
  if (out == nullptr) return false;
  QxdRangeRecord record;
  if (!QxdReadBytes(ctx, offset, sizeof record, &record)) return false;
  out[0] = record.maximum;
  out[1] = record.minimum;
  out[2] = record.defaultValue;
  return true;
}

bool QxdReadValueString(QxdContext* ctx, const char* section, char* dst, uint32_t size) {
  if (dst == nullptr || size == 0) return false;
  std::memset(dst, 0, size);
  QxdSectionHeader header;
  uint32_t at = QxdFindSection(ctx, section);
  if (!QxdReadSectionHeader(ctx, at, &header)) return false;
  QxdListHeader list;
  QxdEntry entry;
  if (!QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list)) return false;
  if (!QxdReadEntry(ctx, list.firstEntry, &entry)) return false;
  char text[128];
  if (!QxdReadString(ctx, entry.keyOffset, text, sizeof text)) return false;
  size_t length = std::strlen(text);
  if (length + 1 >= size) return false;
  std::memcpy(dst, text, length + 1);
  return true;
}

bool QxdFindPairTable(QxdContext* ctx, const char* section, QxdPairTable* out) {
  if (out == nullptr) return false;
  uint32_t at = QxdFindSection(ctx, section);
  QxdSectionHeader header;
  QxdListHeader list;
  uint32_t tableAt;
  uint32_t table[3];
  if (!QxdReadSectionHeader(ctx, at, &header) || !QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list) ||
      !QxdReadIndexEntry(ctx, list, 0, &tableAt) || !QxdReadBytes(ctx, tableAt, sizeof table, table)) {
    return false;
  }
  out->count = static_cast<int32_t>(table[0]) > 0 ? table[0] : 0;
  out->first = table[2];
  return true;
}

namespace {

// Row i of a pair table whose rows are a 32-byte name and `valueSize` bytes
// of value; both texts are ended within their fields.
bool ReadPairRow(QxdContext* ctx, const QxdPairTable& table, uint32_t i, uint32_t valueSize, char* name,
                 char* value) {
  if (i >= table.count) return false;
  const uint32_t row = kQxdPairField + valueSize;
  uint64_t at = static_cast<uint64_t>(table.first) + static_cast<uint64_t>(i) * row;
  if (at > 0xFFFFFFFFull) return false;
  char raw[kQxdLongPairSize];
  if (!QxdReadBytes(ctx, static_cast<uint32_t>(at), row, raw)) return false;
  size_t nameLength = strnlen(raw, kQxdPairField);
  size_t valueLength = strnlen(raw + kQxdPairField, valueSize);
  std::memcpy(name, raw, nameLength);
  name[nameLength] = '\0';
  std::memcpy(value, raw + kQxdPairField, valueLength);
  value[valueLength] = '\0';
  return true;
}

}  // namespace

bool QxdReadPair(QxdContext* ctx, const QxdPairTable& table, uint32_t i, QxdPair* out) {
  return out != nullptr && ReadPairRow(ctx, table, i, kQxdPairField, out->name, out->value);
}

bool QxdReadLongPair(QxdContext* ctx, const QxdPairTable& table, uint32_t i, QxdLongPair* out) {
  return out != nullptr && ReadPairRow(ctx, table, i, kQxdLongPairValue, out->name, out->value);
}

bool QxdFindLongPairValue(QxdContext* ctx, const char* section, const char* name, char* dst, size_t capacity) {
  if (dst == nullptr || capacity == 0) return false;
  QxdPairTable table;
  if (!QxdFindPairTable(ctx, section, &table)) return false;
  QxdLongPair pair;
  for (uint32_t i = 0; QxdReadLongPair(ctx, table, i, &pair); ++i) {
    if (!QxdNameEquals(pair.name, name)) continue;
    size_t length = std::strlen(pair.value);
    if (length > capacity - 1) length = capacity - 1;
    std::memcpy(dst, pair.value, length);
    dst[length] = '\0';
    return true;
  }
  return false;
}

int32_t QxdAtoi(const char* text) {
  if (text == nullptr) return 0;
  while (*text == ' ') ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') {
    negative = *text == '-';
    ++text;
  }
  // Accumulate up to one past the largest magnitude and stay there.
  const int64_t limit = 2147483648LL;
  int64_t value = 0;
  while (*text >= '0' && *text <= '9') {
    value = value * 10 + (*text - '0');
    if (value > limit) value = limit;
    ++text;
  }
  if (negative) return static_cast<int32_t>(-value);
  return static_cast<int32_t>(value >= limit ? limit - 1 : value);
}

int32_t QxdFirstNumber(const char* text) {
  if (text == nullptr) return 0;
  while (*text != '\0' && !(*text >= '0' && *text <= '9')) ++text;
  return *text == '\0' ? 0 : QxdAtoi(text);
}

void QxdTwoNumbers(const char* text, int16_t* first, int16_t* second) {
  auto clamp16 = [](int32_t v) -> int16_t {
    if (v > 32767) return 32767;
    if (v < -32768) return -32768;
    return static_cast<int16_t>(v);
  };
  bool haveFirst = false;
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
    if (!(*p >= '0' && *p <= '9')) continue;
    if (!haveFirst) {
      if (first != nullptr) *first = clamp16(QxdAtoi(p));
      haveFirst = true;
    } else {
      if (second != nullptr) *second = clamp16(QxdAtoi(p));
      return;
    }
  }
}
