// The description-file reader over well-formed and damaged files.  Every
// case runs twice: on a context that holds the file in memory, and on one
// that reads the file piece by piece (as when the image could not be
// allocated); both must give the same answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/qxd/qxd_reader.h"
#include "tools/qxd/qxd_document.h"

namespace {

using qxd::Document;
using qxd::Section;
using qxd::SectionKind;

struct Closer {
  void operator()(QxdContext* ctx) const { QxdClose(ctx); }
};
using Ctx = std::unique_ptr<QxdContext, Closer>;

// A "file" for the unbuffered context: reads come out of this vector.
uint32_t VectorRead(void* file, void* dst, uint32_t length, uint32_t offset) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(file);
  if (offset >= bytes->size()) return 0;
  uint32_t n = std::min<uint32_t>(length, static_cast<uint32_t>(bytes->size() - offset));
  std::memcpy(dst, bytes->data() + offset, n);
  return n;
}

Section Texts(const std::string& name, std::vector<std::pair<std::string, std::string>> entries) {
  Section s;
  s.name = name;
  s.kind = SectionKind::Texts;
  for (auto& [key, text] : entries) {
    qxd::Item item;
    item.key = key;
    item.text = text;
    s.items.push_back(item);
  }
  return s;
}

Section Value(const std::string& name, const std::string& value) {
  Section s;
  s.name = name;
  s.kind = SectionKind::Value;
  s.value = value;
  return s;
}

Section Range(const std::string& name, uint32_t min, uint32_t max, uint32_t def) {
  Section s;
  s.name = name;
  s.kind = SectionKind::Range;
  s.minimum = min;
  s.maximum = max;
  s.defaultValue = def;
  return s;
}

std::vector<uint8_t> BuildOrDie(const Document& doc, qxd::Placement* placement = nullptr) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(qxd::Build(doc, &bytes, &error, placement)) << error;
  return bytes;
}

class QxdReaderTest : public ::testing::TestWithParam<bool> {
 protected:
  // Opens `bytes` the way this run of the suite reads files.
  Ctx Open(const std::vector<uint8_t>& bytes) {
    file_ = bytes;
    if (GetParam()) return Ctx(QxdOpenUnbuffered(&file_, static_cast<uint32_t>(file_.size()), VectorRead));
    return Ctx(QxdOpenImage(file_.data(), file_.size()));
  }
  std::vector<uint8_t> file_;
};

Document ThreeSections() {
  Document doc;
  doc.headerWord = 1;
  doc.sections.push_back(Texts("Property_10", {{"A", "ten"}}));
  doc.sections.push_back(Texts("Property_1", {{"ViewPrinter", "Printer"}, {"Help", "Help"}}));
  doc.sections.push_back(Range("Copies", 1, 999, 1));
  return doc;
}

TEST_P(QxdReaderTest, FindsSectionsByWholeNameIgnoringCase) {
  qxd::Placement place;
  Ctx ctx = Open(BuildOrDie(ThreeSections(), &place));
  ASSERT_TRUE(ctx);
  EXPECT_EQ(QxdFindSection(ctx.get(), "property_1"), place.sections[1].header);
  EXPECT_EQ(QxdFindSection(ctx.get(), "PROPERTY_10"), place.sections[0].header);
  EXPECT_EQ(QxdFindSection(ctx.get(), "Property_"), 0u);
  EXPECT_EQ(QxdFindSection(ctx.get(), "Property_100"), 0u);
  EXPECT_EQ(QxdFindSection(ctx.get(), "copies"), place.sections[2].header);
  EXPECT_EQ(QxdFindSection(ctx.get(), ""), 0u);
  EXPECT_EQ(QxdFindSection(ctx.get(), nullptr), 0u);
  QxdSectionHeader header;
  EXPECT_FALSE(QxdReadSectionHeader(ctx.get(), 0, &header));
  ASSERT_TRUE(QxdReadSectionHeader(ctx.get(), place.sections[1].header, &header));
  EXPECT_STREQ(header.name, "Property_1");
  // A section without a name is not found by an empty name either (a row's
  // empty keyword would otherwise name it).
  Document unnamed = ThreeSections();
  unnamed.sections.insert(unnamed.sections.begin(), Texts("Unnamed", {{"A", "a"}}));
  qxd::Placement unnamedPlace;
  std::vector<uint8_t> bytes = BuildOrDie(unnamed, &unnamedPlace);
  std::fill_n(bytes.begin() + unnamedPlace.sections[0].header, 32, 0);  // the tool writes no empty name
  Ctx withUnnamed = Open(bytes);
  ASSERT_TRUE(withUnnamed);
  EXPECT_EQ(QxdFindSection(withUnnamed.get(), ""), 0u);
  EXPECT_NE(QxdFindSection(withUnnamed.get(), "Copies"), 0u);
}

TEST_P(QxdReaderTest, SectionAtOrAboveTheEndOffsetIsNotFound) {
  qxd::Placement place;
  std::vector<uint8_t> bytes = BuildOrDie(ThreeSections(), &place);
  qxd::PatchU32(&bytes, 4, place.sections[1].header);  // the chain now ends there
  Ctx ctx = Open(bytes);
  EXPECT_NE(QxdFindSection(ctx.get(), "Property_10"), 0u);
  EXPECT_EQ(QxdFindSection(ctx.get(), "Property_1"), 0u);
  EXPECT_EQ(QxdFindSection(ctx.get(), "Copies"), 0u);
}

TEST_P(QxdReaderTest, FileShorterThanOneSectionHasNoSections) {
  std::vector<uint8_t> bytes = BuildOrDie(ThreeSections());
  for (size_t size : {0, 4, 8, 59}) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + size);
    Ctx ctx = Open(cut);
    ASSERT_TRUE(ctx);
    EXPECT_EQ(QxdFindSection(ctx.get(), "Property_10"), 0u) << size;
  }
}

TEST_P(QxdReaderTest, ChainThatDoesNotMoveForwardEnds) {
  qxd::Placement place;
  std::vector<uint8_t> bytes = BuildOrDie(ThreeSections(), &place);
  const uint32_t next = offsetof(QxdSectionHeader, nextSection);
  // Pointing at itself, and pointing back to the first section.
  for (uint32_t target : {place.sections[1].header, place.sections[0].header}) {
    std::vector<uint8_t> looped = bytes;
    qxd::PatchU32(&looped, place.sections[1].header + next, target);
    Ctx ctx = Open(looped);
    EXPECT_NE(QxdFindSection(ctx.get(), "Property_1"), 0u);
    EXPECT_EQ(QxdFindSection(ctx.get(), "Copies"), 0u);
    EXPECT_EQ(QxdFindSection(ctx.get(), "Absent"), 0u);
  }
  // Pointing past the end of the file, below a forged end offset.
  std::vector<uint8_t> beyond = bytes;
  qxd::PatchU32(&beyond, 4, 0xFFFFFFF0u);
  qxd::PatchU32(&beyond, place.sections[1].header + next, static_cast<uint32_t>(bytes.size()) + 100);
  Ctx ctx = Open(beyond);
  EXPECT_EQ(QxdFindSection(ctx.get(), "Absent"), 0u);
}

TEST_P(QxdReaderTest, ReadAtClipsAtTheEnd) {
  std::vector<uint8_t> bytes = BuildOrDie(ThreeSections());
  const uint32_t size = static_cast<uint32_t>(bytes.size());
  Ctx ctx = Open(bytes);
  uint8_t buffer[16];
  std::memset(buffer, 0xAA, sizeof buffer);
  EXPECT_EQ(QxdReadAt(ctx.get(), buffer, 16, size), 0u);
  EXPECT_EQ(QxdReadAt(ctx.get(), buffer, 16, 0xFFFFFFFFu), 0u);
  EXPECT_EQ(buffer[0], 0xAA);
  EXPECT_EQ(QxdReadAt(ctx.get(), buffer, 16, size - 4), 4u);
  EXPECT_EQ(0, std::memcmp(buffer, bytes.data() + size - 4, 4));
  EXPECT_EQ(buffer[4], 0xAA);
  EXPECT_FALSE(QxdReadFully(ctx.get(), buffer, 16, size - 4));
  EXPECT_TRUE(QxdReadFully(ctx.get(), buffer, 4, size - 4));
}

TEST_P(QxdReaderTest, DwordAndBytesPastTheEndFailAndLeaveTheDestination) {
  std::vector<uint8_t> bytes = BuildOrDie(ThreeSections());
  const uint32_t size = static_cast<uint32_t>(bytes.size());
  Ctx ctx = Open(bytes);
  uint32_t value = 0x12345678;
  EXPECT_FALSE(QxdReadDword(ctx.get(), size - 2, &value));
  EXPECT_FALSE(QxdReadDword(ctx.get(), 0xFFFFFFFEu, &value));
  EXPECT_EQ(value, 0x12345678u);
  EXPECT_TRUE(QxdReadDword(ctx.get(), 4, &value));
  EXPECT_EQ(value, size);
  uint8_t record[148];
  std::memset(record, 0x55, sizeof record);
  EXPECT_FALSE(QxdReadRecord148(ctx.get(), size - 100, record));
  EXPECT_EQ(record[0], 0x55);
  EXPECT_FALSE(QxdReadBytes(ctx.get(), 0xFFFFFFF0u, 32, record));
  EXPECT_EQ(record[0], 0x55);
}

// A file with one section whose single entry's key is `key`.
std::vector<uint8_t> FileWithKey(const std::string& key, qxd::Placement* place) {
  Document doc;
  doc.sections.push_back(Texts("S", {{key, ""}}));
  return BuildOrDie(doc, place);
}

uint32_t KeyOffset(QxdContext* ctx, const qxd::Placement& place) {
  QxdEntry entry{};
  EXPECT_TRUE(QxdReadEntry(ctx, place.sections[0].records[0], &entry));
  return entry.keyOffset;
}

TEST_P(QxdReaderTest, NarrowTextsUpTo290Characters) {
  qxd::Placement place;
  Ctx ctx = Open(FileWithKey(std::string(290, 'k'), &place));
  char text[400];
  ASSERT_TRUE(QxdReadString(ctx.get(), KeyOffset(ctx.get(), place), text, sizeof text));
  EXPECT_EQ(std::string(text), std::string(290, 'k'));
  // Cut to the destination, terminated.
  char small[8];
  ASSERT_TRUE(QxdReadString(ctx.get(), KeyOffset(ctx.get(), place), small, sizeof small));
  EXPECT_STREQ(small, "kkkkkkk");
  EXPECT_FALSE(QxdReadString(ctx.get(), KeyOffset(ctx.get(), place), small, 0));
}

TEST_P(QxdReaderTest, NarrowTextWithoutTerminatorInReachFails) {
  // The writer refuses keys over 290 characters, so make one by hand from a
  // 290-character key whose terminator is overwritten.
  qxd::Placement place;
  std::vector<uint8_t> bytes = FileWithKey(std::string(290, 'k'), &place);
  Ctx probe = Open(bytes);
  uint32_t key = KeyOffset(probe.get(), place);
  bytes[key + 290] = 'k';
  bytes[key + 291] = 0;
  bytes.back() = 'z';  // and a text that runs into the end of the file
  Ctx ctx = Open(bytes);
  char text[400];
  std::memset(text, 'x', sizeof text);
  EXPECT_FALSE(QxdReadString(ctx.get(), key, text, sizeof text));
  EXPECT_EQ(text[0], 'x');
  EXPECT_FALSE(QxdReadString(ctx.get(), static_cast<uint32_t>(bytes.size()) - 1, text, sizeof text));
  EXPECT_EQ(text[0], 'x');
}

TEST_P(QxdReaderTest, WideTexts) {
  Document doc;
  doc.sections.push_back(Texts("S", {{"empty", ""}, {"one", "Z"}, {"long", std::string(300, 'w')}}));
  qxd::Placement place;
  Ctx ctx = Open(BuildOrDie(doc, &place));
  char16_t text[400];
  auto textAt = [&](int i) {
    QxdEntry e{};
    EXPECT_TRUE(QxdReadEntry(ctx.get(), place.sections[0].records[i], &e));
    return e.textOffset;
  };
  std::fill(std::begin(text), std::end(text), u'x');
  EXPECT_FALSE(QxdReadWideString(ctx.get(), textAt(0), text, 400));
  EXPECT_EQ(text[0], u'x');
  ASSERT_TRUE(QxdReadWideString(ctx.get(), textAt(1), text, 400));
  EXPECT_EQ(text[0], u'Z');
  EXPECT_EQ(text[1], 0);
  EXPECT_EQ(text[2], u'x');
  // At most 291 units are taken, and never more than the destination holds.
  ASSERT_TRUE(QxdReadWideString(ctx.get(), textAt(2), text, 400));
  EXPECT_EQ(std::u16string(text).size(), 291u);
  char16_t small[4];
  ASSERT_TRUE(QxdReadWideString(ctx.get(), textAt(2), small, 4));
  EXPECT_EQ(std::u16string(small), u"www");
}

TEST_P(QxdReaderTest, ValueStringMustLeaveRoomForTwoBytes) {
  Document doc;
  doc.sections.push_back(Value("Six", "abcdef"));
  doc.sections.push_back(Value("Seven", "abcdefg"));
  Ctx ctx = Open(BuildOrDie(doc));
  char dst[8];
  ASSERT_TRUE(QxdReadValueString(ctx.get(), "six", dst, sizeof dst));
  EXPECT_STREQ(dst, "abcdef");
  std::memset(dst, 'x', sizeof dst);
  EXPECT_FALSE(QxdReadValueString(ctx.get(), "Seven", dst, sizeof dst));
  EXPECT_EQ(std::string(dst, 8), std::string(8, '\0'));
  std::memset(dst, 'x', sizeof dst);
  EXPECT_FALSE(QxdReadValueString(ctx.get(), "Absent", dst, sizeof dst));
  EXPECT_EQ(std::string(dst, 8), std::string(8, '\0'));
}

TEST_P(QxdReaderTest, RangeRecordGivesMaximumMinimumDefault) {
  qxd::Placement place;
  std::vector<uint8_t> bytes = BuildOrDie(ThreeSections(), &place);
  Ctx ctx = Open(bytes);
  uint32_t range[3] = {7, 7, 7};
  uint32_t copies = QxdFindSection(ctx.get(), "Copies");
  ASSERT_TRUE(QxdReadRangeRecord(ctx.get(), copies + kQxdRangeRecordAt, range));
  EXPECT_EQ(range[0], 999u);
  EXPECT_EQ(range[1], 1u);
  EXPECT_EQ(range[2], 1u);
  // Cut inside the record: nothing is taken.
  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + copies + kQxdRangeRecordAt + 40);
  Ctx short_ctx = Open(cut);
  uint32_t untouched[3] = {7, 7, 7};
  EXPECT_FALSE(QxdReadRangeRecord(short_ctx.get(), copies + kQxdRangeRecordAt, untouched));
  EXPECT_EQ(untouched[0], 7u);
}

TEST_P(QxdReaderTest, WalksAChainAndAnIndex) {
  qxd::Placement place;
  Ctx ctx = Open(BuildOrDie(ThreeSections(), &place));
  uint32_t at = QxdFindSection(ctx.get(), "Property_1");
  QxdSectionHeader header;
  QxdListHeader list;
  ASSERT_TRUE(QxdReadSectionHeader(ctx.get(), at, &header));
  ASSERT_TRUE(QxdReadListHeader(ctx.get(), at + kQxdListHeaderAt, &list));
  ASSERT_EQ(list.count, 2u);
  ASSERT_TRUE(QxdArrayFits(ctx.get(), list.indexOffset, list.count, 4));
  uint32_t entry = header.firstEntry;
  const char* keys[] = {"ViewPrinter", "Help"};
  for (uint32_t i = 0; i < list.count; ++i) {
    uint32_t byIndex = 0;
    ASSERT_TRUE(QxdReadIndexEntry(ctx.get(), list, i, &byIndex));
    EXPECT_EQ(byIndex, entry);
    QxdEntry e;
    ASSERT_TRUE(QxdReadEntry(ctx.get(), entry, &e));
    char key[32];
    ASSERT_TRUE(QxdReadString(ctx.get(), e.keyOffset, key, sizeof key));
    EXPECT_TRUE(QxdNameEquals(key, keys[i]));
    entry = e.next;
  }
  uint32_t none;
  EXPECT_FALSE(QxdReadIndexEntry(ctx.get(), list, 2, &none));
}

TEST_P(QxdReaderTest, HugeCountsDoNotFitTheFile) {
  qxd::Placement place;
  std::vector<uint8_t> bytes = BuildOrDie(ThreeSections(), &place);
  qxd::PatchU32(&bytes, place.sections[1].list, 0x40000000u);
  Ctx ctx = Open(bytes);
  QxdListHeader list;
  ASSERT_TRUE(QxdReadListHeader(ctx.get(), place.sections[1].list, &list));
  EXPECT_FALSE(QxdArrayFits(ctx.get(), list.indexOffset, list.count, 4));
  EXPECT_FALSE(QxdArrayFits(ctx.get(), 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu));
  EXPECT_TRUE(QxdArrayFits(ctx.get(), 0, 1, static_cast<uint32_t>(bytes.size())));
  EXPECT_FALSE(QxdArrayFits(ctx.get(), 1, 1, static_cast<uint32_t>(bytes.size())));
}

// Every reader, over every truncation and over random damage: whatever the
// bytes, nothing reads outside the file and every walk ends.
// Reads every section, list, range, value and entry of the file the way the
// loaders do, and checks that whatever the reader reports as read lies
// inside the file: sections and entries are found only within it, texts
// come back terminated within their buffers, and an entry walk visits no
// more entries than the file can hold.
void ReadEverything(QxdContext* ctx) {
  const uint64_t size = QxdFileSize(ctx);
  const char* names[] = {"Property_10", "Property_1", "Copies", "Absent"};
  for (const char* name : names) {
    uint32_t at = QxdFindSection(ctx, name);
    if (at != 0) {
      EXPECT_LT(at, size) << name;
    }
    QxdSectionHeader header;
    QxdListHeader list;
    if (!QxdReadSectionHeader(ctx, at, &header) || !QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list)) continue;
    EXPECT_LE(at + uint64_t{sizeof header}, size) << name;
    uint32_t range[3];
    QxdReadRangeRecord(ctx, at + kQxdRangeRecordAt, range);
    char value[16];
    if (QxdReadValueString(ctx, name, value, sizeof value)) {
      EXPECT_LT(strnlen(value, sizeof value), sizeof value);
    }
    uint32_t count = QxdArrayFits(ctx, 0, list.count, sizeof(QxdEntry)) ? list.count : 0;
    EXPECT_LE(uint64_t{count} * sizeof(QxdEntry), size) << name;
    uint32_t entry = header.firstEntry;
    for (uint32_t i = 0; i < count; ++i) {
      QxdEntry e;
      uint32_t byIndex;
      QxdReadIndexEntry(ctx, list, i, &byIndex);
      if (!QxdReadEntry(ctx, entry, &e)) break;
      EXPECT_LE(entry + uint64_t{sizeof e}, size) << name;
      char key[64];
      char16_t text[64];
      if (QxdReadString(ctx, e.keyOffset, key, sizeof key)) {
        EXPECT_LT(strnlen(key, sizeof key), sizeof key);
      }
      if (QxdReadWideString(ctx, e.textOffset, text, 64)) {
        size_t units = 0;
        while (units < 64 && text[units] != u'\0') ++units;
        EXPECT_LT(units, 64u);
      }
      entry = e.next;
    }
  }
}

// Every cut of a good file opens; reading it never crashes and reports
// nothing from outside what is left of the file.
TEST_P(QxdReaderTest, TruncatedFilesAtEveryLength) {
  std::vector<uint8_t> bytes = BuildOrDie(ThreeSections());
  for (size_t size = 0; size <= bytes.size(); ++size) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + size);
    Ctx ctx = Open(cut);
    ASSERT_TRUE(ctx);
    ReadEverything(ctx.get());
  }
}

// Offsets and counts overwritten with plausible and wild values: no crash,
// and every read either fails or gives a result that lies inside the file.
TEST_P(QxdReaderTest, RandomDamage) {
  std::vector<uint8_t> bytes = BuildOrDie(ThreeSections());
  std::mt19937 rng(20261210);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> damaged = bytes;
    int hits = 1 + static_cast<int>(rng() % 8);
    for (int h = 0; h < hits; ++h) {
      size_t at = rng() % damaged.size();
      // Mostly plausible offsets, sometimes wild values.
      uint32_t v = (rng() % 2) ? static_cast<uint32_t>(rng() % (damaged.size() + 64)) : static_cast<uint32_t>(rng());
      if (at + 4 <= damaged.size()) qxd::PatchU32(&damaged, static_cast<uint32_t>(at & ~size_t{3}), v);
    }
    Ctx ctx = Open(damaged);
    ReadEverything(ctx.get());
  }
}

INSTANTIATE_TEST_SUITE_P(Buffering, QxdReaderTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FileReads" : "Image"; });

TEST(QxdNumbers, Atoi) {
  struct Case {
    const char* text;
    int32_t want;
  } cases[] = {
      {"  -42x", -42}, {"x1", 0}, {"", 0}, {"+17", 17}, {"\t5", 0}, {"007", 7},
      {"2147483647", 2147483647}, {"2147483648", 2147483647}, {"99999999999999999999", 2147483647},
      {"-2147483648", INT32_MIN}, {"-99999999999999999999", INT32_MIN}, {"- 4", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(QxdAtoi(c.text), c.want) << c.text;
  EXPECT_EQ(QxdAtoi(nullptr), 0);
}

TEST(QxdNumbers, FirstNumberIgnoresTheSign) {
  EXPECT_EQ(QxdFirstNumber("ab-42"), 42);
  EXPECT_EQ(QxdFirstNumber("Ver 6.6"), 6);
  EXPECT_EQ(QxdFirstNumber(""), 0);
  EXPECT_EQ(QxdFirstNumber("none"), 0);
}

TEST(QxdNumbers, TwoNumbers) {
  struct Case {
    const char* text;
    int16_t first, second;
  } cases[] = {
      {"2.1", 2, 1}, {"XL 3,0", 3, 0}, {"12.3", 12, 2}, {"7", 7, -1}, {"", -1, -1}, {"99999999", 32767, 32767},
  };
  for (const Case& c : cases) {
    int16_t a = -1, b = -1;
    QxdTwoNumbers(c.text, &a, &b);
    EXPECT_EQ(a, c.first) << c.text;
    EXPECT_EQ(b, c.second) << c.text;
  }
}

TEST(QxdNames, WholeTextIgnoringAsciiCase) {
  EXPECT_TRUE(QxdNameEquals("PaperSize", "papersize"));
  EXPECT_FALSE(QxdNameEquals("Paper", "PaperSize"));
  EXPECT_FALSE(QxdNameEquals("PaperSize", "Paper"));
  EXPECT_FALSE(QxdNameEquals(nullptr, "x"));
  char field[4] = {'A', 'B', 'C', 'D'};  // fills its width, no terminator
  EXPECT_TRUE(QxdFieldEquals(field, sizeof field, "abcd"));
  EXPECT_FALSE(QxdFieldEquals(field, sizeof field, "abcde"));
  EXPECT_FALSE(QxdFieldEquals(field, sizeof field, "abc"));
}

}  // namespace
