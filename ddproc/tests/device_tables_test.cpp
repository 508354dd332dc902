// The tables the device library builds from the description file: colour
// option lists, destination lists, display texts and the media columns.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ddproc/model/device_tables.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_paths.h"

namespace {

std::u16string Text(const char16_t* t) { return std::u16string(t); }

struct Tables {
  DeviceTables t;
  explicit Tables(const std::string& sections) {
    ResetDeviceTables(&t);
    modeltest::File file("qxd 1\n\n" + sections);
    LoadDeviceTables(file.get(), &t);
  }
};

size_t Rows(const OptionItem* list) {
  size_t n = 0;
  while (list[n].keyword[0] != '\0') ++n;
  return n;
}

TEST(DeviceTables, BuiltInRowsWithoutSections) {
  Tables x("section \"Version\" texts\n  entry key=\"Ver_Basic\" text=\"6\"\n");
  EXPECT_EQ(Rows(x.t.rgbSingle), 2u);
  EXPECT_EQ(Rows(x.t.text.rgbFull), 16u);
  EXPECT_EQ(Rows(x.t.image.rgbFull), 16u);
  EXPECT_EQ(x.t.image.rgbFull[15].value, 141u);
  // A missing graphics RGB source section leaves both graphics lists empty.
  EXPECT_EQ(Rows(x.t.graphics.rgbFull), 0u);
  EXPECT_EQ(Rows(x.t.graphics.rgbShort), 0u);
  EXPECT_EQ(Rows(x.t.graphics.halftone), 5u);
  EXPECT_EQ(Text(x.t.graphics.halftone[0].text), u"Same as Text Setting");
  EXPECT_EQ(Rows(x.t.simulation), 6u);
  EXPECT_EQ(Text(x.t.mediaColumns[4].title), u"Weight");
  EXPECT_EQ(x.t.text.rgbFull[0].iconId, kRowIconId);
}

TEST(DeviceTables, ColourSectionsTakeTheirValues) {
  Tables x(
      "section \"Text_RGBProf\" texts\n"
      "  entry key=\"Text_sRGB\" text=\"sRGB\"\n"
      "  entry key=\"text_adobergb1998\" text=\"Adobe RGB\"\n"
      "section \"Text_RGBColorMatch\" texts\n"
      "  entry key=\"Text_Photographic\" text=\"Photo\"\n"
      "  entry key=\"Text_Nothing\" text=\"?\"\n"
      "section \"SimulationProf\" texts\n"
      "  entry key=\"B\" text=\"b\"\n  entry key=\"A\" text=\"a\"\n  entry key=\"C\" text=\"c\"\n"
      "section \"DestinationProf\" texts\n"
      "  entry key=\"Dest_Auto\" text=\"Auto\"\n  entry key=\"Dest_More\" text=\"more\"\n");
  ASSERT_EQ(Rows(x.t.text.rgbFull), 2u);
  EXPECT_EQ(x.t.text.rgbFull[0].value, 1u);
  EXPECT_EQ(x.t.text.rgbFull[1].value, 128u);
  ASSERT_EQ(Rows(x.t.text.rgbShort), 2u);
  EXPECT_EQ(Text(x.t.text.rgbShort[1].text), u"Adobe RGB");
  EXPECT_EQ(x.t.text.colorMatch[0].value, 1u);
  EXPECT_EQ(x.t.text.colorMatch[1].value, 0u);
  ASSERT_EQ(Rows(x.t.simulation), 3u);
  EXPECT_EQ(x.t.simulation[2].value, 2u);
  // The destination profile list stops at its capacity.
  EXPECT_EQ(Rows(x.t.destinationProf), 1u);
  EXPECT_EQ(Rows(x.t.image.rgbFull), 16u);
}

TEST(DeviceTables, DestinationLists) {
  Tables bare("section \"Text_Destination\" texts\n  entry key=\"Text_DestAuto\"\n"
              "section \"Img_Destination\" texts\n  entry key=\"Img_DestAuto\" text=\"Automatic\"\n"
              "  entry key=\"Img_DestMore\" text=\"more\"\n"
              "section \"Graph_Destination\" texts\n  entry key=\"Other\" text=\"x\"\n");
  ASSERT_EQ(Rows(bare.t.text.destination), 1u);
  EXPECT_EQ(Text(bare.t.text.destination[0].text), u"");
  EXPECT_EQ(Text(bare.t.image.destination[0].text), u"Automatic");
  EXPECT_EQ(Rows(bare.t.image.destination), 1u);
  EXPECT_EQ(Rows(bare.t.graphics.destination), 0u);
}

TEST(DeviceTables, DisplayTextsAndColumns) {
  Tables x(
      "section \"Dlg_PaperSourceTraySetting\" texts\n"
      "  entry key=\"MediaTypeList_Weight\" text=\"Basis Weight\"\n"
      "  entry key=\"MediaType_Size\" text=\"Paper Size\"\n"
      "section \"Property_0\" texts\n  entry key=\"ok\" text=\"OK\"\n");
  EXPECT_EQ(Text(x.t.mediaColumns[4].title), u"Basis Weight");
  EXPECT_EQ(Text(x.t.mediaColumns[1].title), u"Size");
  EXPECT_EQ(x.t.paperSourceTray[9].controlIds[0], 1859);
  EXPECT_EQ(Text(x.t.paperSourceTray[9].text), u"Paper Size");
  EXPECT_EQ(Text(x.t.common[12].text), u"OK");
}

}  // namespace

namespace {

TEST(DeviceTables, SampleModel) {
  QxdContext* ctx = nullptr;
  {
    FILE* f = std::fopen(testsupport::BinaryPath("model/VELDRANH.QXD").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<uint8_t> bytes;
    for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    ctx = QxdOpenImage(bytes.data(), bytes.size());
  }
  ASSERT_NE(ctx, nullptr);
  DeviceTables t;
  ResetDeviceTables(&t);
  LoadDeviceTables(ctx, &t);
  QxdClose(ctx);
  EXPECT_EQ(Text(t.mediaColumns[2].title), u"Feed Direction");
  EXPECT_EQ(Text(t.mediaColumns[4].title), u"Weight");
  EXPECT_EQ(Text(t.paperSourceTray[0].text), u"Paper in the Trays");
  EXPECT_EQ(Text(t.common[14].text), u"Restore &Defaults");
  // The colour sections of the sample model are item sections.
  ASSERT_EQ(Rows(t.text.rgbFull), 3u);
  EXPECT_EQ(t.text.rgbFull[1].value, 128u);
  EXPECT_EQ(Text(t.text.rgbFull[2].text), u"Device RGB (no conversion)");
  EXPECT_EQ(Rows(t.text.rgbShort), 2u);
  EXPECT_EQ(Rows(t.simulation), 2u);
  EXPECT_EQ(t.simulation[1].value, 1u);
}

}  // namespace
