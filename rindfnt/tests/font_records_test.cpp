// Reading face names and kinds from the font records, and the filter rule.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "rindfnt/font_records.h"

namespace {

void Put32(std::vector<uint8_t>* r, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*r)[at + i] = uint8_t(v >> (8 * i));
}

std::vector<uint8_t> Narrow(const std::string& name, uint8_t kind) {
  std::vector<uint8_t> r(43 + name.size() + 1, 0);
  r[19] = kind;
  Put32(&r, 39, 43);
  for (size_t i = 0; i < name.size(); ++i) r[43 + i] = uint8_t(name[i]);
  return r;
}

// A wide record: header of 60 bytes, then the block (size, name offset at 8,
// kind at 44, the name after 48 bytes).
std::vector<uint8_t> Wide(const std::u16string& name, uint8_t kind, uint16_t mask = 0) {
  std::vector<uint8_t> r(60 + 48, 0);
  Put32(&r, 8, 60);
  Put32(&r, 60 + 8, 48);
  r[60 + 44] = kind;
  for (char16_t c : name) {
    const uint16_t unit = uint16_t(c | mask);
    r.push_back(uint8_t(unit));
    r.push_back(uint8_t(unit >> 8));
  }
  r.push_back(0);
  r.push_back(0);
  Put32(&r, 60, uint32_t(r.size() - 60));
  return r;
}

std::u16string WideName(const XLFontListEntry& e) {
  std::u16string s;
  for (int i = 0; i < 32; ++i) {
    const char16_t c = char16_t(e.name[2 * i] | (e.name[2 * i + 1] << 8));
    if (c == 0) break;
    s.push_back(c);
  }
  return s;
}

TEST(FontRecords, NarrowNamesAreCutAt32BytesAndKeepTheirKind) {
  XLFontListEntry e{};
  auto r = Narrow("Arial", 0);
  ASSERT_TRUE(FontRecord_ReadNarrow(r.data(), uint32_t(r.size()), &e));
  EXPECT_STREQ(reinterpret_cast<const char*>(e.name), "Arial");
  EXPECT_EQ(e.kind, 0);
  r = Narrow(std::string(40, 'x'), 128);
  ASSERT_TRUE(FontRecord_ReadNarrow(r.data(), uint32_t(r.size()), &e));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(e.name), 33).find('\0'), 32u);
  EXPECT_EQ(e.kind, 128);
}

TEST(FontRecords, WideNamesOfSymbolFacesAreMasked) {
  XLFontListEntry e{};
  auto r = Wide(u"Symbol", 2, 0xF000);
  ASSERT_TRUE(FontRecord_ReadWide(r.data(), uint32_t(r.size()), &e));
  EXPECT_EQ(WideName(e), u"Symbol");
  EXPECT_EQ(e.kind, 2);
  r = Wide(u"New Century Schoolbook Extra Long Name", 0);
  ASSERT_TRUE(FontRecord_ReadWide(r.data(), uint32_t(r.size()), &e));
  EXPECT_EQ(WideName(e), std::u16string(u"New Century Schoolbook Extra Long Name").substr(0, 32));
}

TEST(FontRecords, OffsetsOutsideTheRecordGiveNoEntry) {
  XLFontListEntry e{};
  struct Case {
    std::vector<uint8_t> record;
    bool wide;
    const char* what;
  };
  std::vector<Case> cases;
  auto narrow = Narrow("Arial", 0);
  Put32(&narrow, 39, 5000);
  cases.push_back({narrow, false, "narrow name offset"});
  auto unterminated = Narrow("Arial", 0);
  unterminated.pop_back();
  cases.push_back({unterminated, false, "narrow name without terminator"});
  cases.push_back({std::vector<uint8_t>(20, 0), false, "short narrow record"});
  auto block = Wide(u"Arial", 0);
  Put32(&block, 8, 0xFFFFFFF0u);
  cases.push_back({block, true, "block offset"});
  auto blockSize = Wide(u"Arial", 0);
  Put32(&blockSize, 60, 0x7FFFFFFF);
  cases.push_back({blockSize, true, "block size"});
  auto name = Wide(u"Arial", 0);
  Put32(&name, 68, 4000);
  cases.push_back({name, true, "wide name offset"});
  auto cut = Wide(u"Arial", 0);
  cut.resize(cut.size() - 2);
  Put32(&cut, 60, uint32_t(cut.size() - 60));
  cases.push_back({cut, true, "wide name without terminator"});
  for (const Case& c : cases) {
    const bool read = c.wide ? FontRecord_ReadWide(c.record.data(), uint32_t(c.record.size()), &e)
                             : FontRecord_ReadNarrow(c.record.data(), uint32_t(c.record.size()), &e);
    EXPECT_FALSE(read) << c.what;
  }
}

TEST(FontRecords, FilterTheFirstEqualEntryDecidesCaseIgnored) {
  std::vector<FontFilterEntry> filter = {{"arial", 0}, {"Arial", 1}, {"Courier", 1}};
  EXPECT_FALSE(FontFilter_Lists(filter, "Arial"));
  EXPECT_FALSE(FontFilter_Lists(filter, "ARIAL"));
  EXPECT_TRUE(FontFilter_Lists(filter, "Courier"));
  EXPECT_TRUE(FontFilter_Lists(filter, "Times"));  // not named: listed
  EXPECT_TRUE(FontFilter_Lists({}, "Arial"));
}

}  // namespace
