#include "dproc/quality/font_substitution.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<XLFontEntry> Fonts(std::initializer_list<std::pair<const char*, uint16_t>> list) {
  std::vector<XLFontEntry> fonts;
  for (const auto& [name, number] : list) {
    XLFontEntry e = {};
    e.number = number;
    std::snprintf(e.name, sizeof e.name, "%s", name);
    fonts.push_back(e);
  }
  return fonts;
}

std::unique_ptr<DocDMode> Record() {
  auto d = std::make_unique<DocDMode>();
  std::memset(d.get(), 0, sizeof(DocDMode));
  return d;
}

TEST(FontSubstitution, TheTableIsWrittenFromTheRowsWithTheirNumbersAndSums) {
  const auto fonts = Fonts({{"Sans", 5}, {"Serif", 23}, {"Mono", 11}});
  auto d = Record();
  DocFields& f = Fields(*d);
  const FontSubstitutionRow rows[] = {
      {"DejaVu Sans", "Sans"}, {"Book", nullptr}, {"Liberation Mono", "Mono"}, {"Gone", "Not there"}, {"Times", ""},
  };
  EXPECT_EQ(RebuildFontSubstitution(rows, 5, fonts.data(), fonts.size(), f), 2);
  EXPECT_EQ(f.SubFontEntryNum, 2);
  EXPECT_STREQ(f.SubTTFontName[0], "DejaVu Sans");
  EXPECT_STREQ(f.SubDevFontName[0], "Sans");
  EXPECT_EQ(f.SubDevFontNumber[0], 5);
  EXPECT_EQ(f.SubTTFontSum[0], 1012u);  // 68 + 101 + 106 + 97 + 86 + 117 + 32 + 83 + 97 + 110 + 115
  EXPECT_STREQ(f.SubTTFontName[1], "Liberation Mono");
  EXPECT_EQ(f.SubDevFontNumber[1], 11);
  EXPECT_EQ(f.SubTTFontSum[1], 1474u);
  EXPECT_STREQ(StoredSubstitute(f, "Liberation Mono"), "Mono");
  EXPECT_EQ(StoredSubstitute(f, "Book"), nullptr);
  // Entries past the count are not read.
  f.SubFontEntryNum = 1;
  EXPECT_EQ(StoredSubstitute(f, "Liberation Mono"), nullptr);
  f.SubFontEntryNum = 9999;
  EXPECT_STREQ(StoredSubstitute(f, "Liberation Mono"), "Mono");
}

TEST(FontSubstitution, OnlyTheFirstTwentySevenRowsAreKeptAndLongNamesAreCut) {
  const auto fonts = Fonts({{"Sans", 5}});
  std::vector<std::string> faces;
  for (int i = 0; i < 40; ++i) faces.push_back("Face number " + std::to_string(100 + i) + " with a long name");
  std::vector<FontSubstitutionRow> rows;
  for (const std::string& face : faces) rows.push_back({face.c_str(), "Sans"});
  auto d = Record();
  DocFields& f = Fields(*d);
  EXPECT_EQ(RebuildFontSubstitution(rows.data(), rows.size(), fonts.data(), fonts.size(), f), 27);
  EXPECT_EQ(std::string(f.SubTTFontName[26]), faces[26].substr(0, 31));
  EXPECT_EQ(f.SubTTFontName[26][31], '\0');
}

TEST(FontSubstitution, OnlyTheFirstFiftyDeviceFontsAreOffered) {
  std::vector<XLFontEntry> fonts(60);
  for (size_t i = 0; i < fonts.size(); ++i) {
    std::snprintf(fonts[i].name, sizeof fonts[i].name, "Font %zu", i);
    fonts[i].number = static_cast<uint16_t>(i);
  }
  EXPECT_NE(FindDeviceFont(fonts.data(), fonts.size(), "Font 49"), nullptr);
  EXPECT_EQ(FindDeviceFont(fonts.data(), fonts.size(), "Font 50"), nullptr);
  EXPECT_EQ(FindDeviceFont(fonts.data(), fonts.size(), ""), nullptr);
}

}  // namespace
