// The description-file reader over any image: every section of the chain
// walked through its list header, index, entries, records and texts, as a
// chain and as a pair table of both widths, plus the typed reads at offsets
// taken from the input itself.
#include <cstdint>

#include "common/qxd/qxd_reader.h"
#include "fuzz/fuzz_input.h"

namespace {

// Bounds of the walk: a damaged chain or count must end, and the harness
// must stay fast whatever the file claims.
constexpr uint32_t kMaxSections = 64;
constexpr uint32_t kMaxEntries = 64;

void WalkSection(QxdContext* ctx, uint32_t at, const QxdSectionHeader& section) {
  char name[sizeof section.name + 1] = {};
  std::memcpy(name, section.name, sizeof section.name);
  QxdListHeader list;
  if (QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list)) {
    const uint32_t n = list.count < kMaxEntries ? list.count : kMaxEntries;
    for (uint32_t i = 0; i < n; ++i) {
      uint32_t entryAt = 0;
      if (!QxdReadIndexEntry(ctx, list, i, &entryAt)) break;
      QxdEntry entry;
      if (QxdReadEntry(ctx, entryAt, &entry)) {
        char narrow[kQxdTextWork];
        char16_t wide[kQxdTextWork];
        QxdReadString(ctx, entry.keyOffset, narrow, sizeof narrow);
        QxdReadString(ctx, entry.valueOffset, narrow, 16);
        QxdReadWideString(ctx, entry.textOffset, wide, kQxdTextWork);
        QxdReadWideString(ctx, entry.textOffset, wide, 5);
      }
      uint8_t record[620];
      QxdReadRecord28(ctx, entryAt, record);
      QxdReadRecord32(ctx, entryAt, record);
      QxdReadRecord148(ctx, entryAt, record);
      QxdReadRecord156(ctx, entryAt, record);
      QxdReadRecord320(ctx, entryAt, record);
      QxdReadRecord620(ctx, entryAt, record);
    }
  }
  uint32_t range[3];
  QxdReadRangeRecord(ctx, at + kQxdRangeRecordAt, range);
  QxdReadSectionTriple(ctx, name, range);

  QxdChainWalk walk;
  if (QxdBeginChain(ctx, name, &walk)) {
    QxdEntry entry;
    for (uint32_t i = 0; i < kMaxEntries && QxdNextChainEntry(ctx, &walk, &entry); ++i) {
      char key[64];
      QxdReadString(ctx, entry.keyOffset, key, sizeof key);
    }
  }
  QxdPairTable table;
  if (QxdFindPairTable(ctx, name, &table)) {
    for (uint32_t i = 0; i < table.count && i < kMaxEntries; ++i) {
      QxdPair pair;
      QxdLongPair longPair;
      if (QxdReadPair(ctx, table, i, &pair)) {
        QxdAtoi(pair.value);
        QxdFirstNumber(pair.value);
        int16_t a, b;
        QxdTwoNumbers(pair.value, &a, &b);
      }
      QxdReadLongPair(ctx, table, i, &longPair);
    }
  }
  char value[64];
  QxdReadValueString(ctx, name, value, sizeof value);
  QxdReadValueString(ctx, name, value, 1);
  QxdFindLongPairValue(ctx, name, "Encryption", value, sizeof value);
  QxdForEachPair(ctx, name, [](void*, const char* n, const char* v) { QxdNameEquals(n, v); }, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QxdContext* ctx = QxdOpenImage(data, size);
  if (ctx == nullptr) return 0;
  uint32_t at = kQxdFirstSection;
  for (uint32_t s = 0; s < kMaxSections; ++s) {
    QxdSectionHeader section;
    if (!QxdReadSectionHeader(ctx, at, &section)) break;
    WalkSection(ctx, at, section);
    if (section.nextSection <= at) break;  // the chain only goes forward
    at = section.nextSection;
  }
  // Names the sample model uses, and an empty name, in both header kinds.
  for (const char* name : {"", "DevInfo", "PaperSize", "DeviceOption", "Version", "UI_Encryption"}) {
    QxdFindSection(ctx, name);
    const uint32_t at = QxdFindShortSection(ctx, name);
    QxdShortSectionHeader header;
    uint32_t count = 0;
    if (at != 0 && QxdReadFully(ctx, &header, sizeof header, at) && QxdReadDword(ctx, at + kQxdShortCountAt, &count)) {
      QxdChainWalk walk;
      QxdBeginChainAt(ctx, header.firstEntry, count < kMaxEntries ? count : kMaxEntries, &walk);
      QxdEntry entry;
      while (QxdNextChainEntry(ctx, &walk, &entry)) {
      }
    }
  }
  // Reads at offsets the input names.
  FuzzInput in(data, size);
  for (int i = 0; i < 4; ++i) {
    const uint32_t offset = in.Take<uint32_t>();
    const uint32_t length = in.Take<uint16_t>();
    uint8_t buffer[1024];
    QxdReadAt(ctx, buffer, length % sizeof buffer, offset);
    QxdReadFully(ctx, buffer, length % sizeof buffer, offset);
    uint32_t word;
    QxdReadDword(ctx, offset, &word);
    QxdArrayFits(ctx, offset, length, in.Take<uint32_t>());
  }
  QxdClose(ctx);
  return 0;
}
