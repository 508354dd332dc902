// Version strings from the description files, and their fallbacks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/qxd/version_strings.h"
#include "tests/support/model_fixture.h"
#include "tools/qxd/qxd_document.h"

namespace {

using modeltest::Compile;

std::string DataVersion() {
  char16_t out[64];
  GetDataVersion(out, 64);
  return qxd::Utf16ToUtf8(out);
}

std::string Version(VersionPart part) { return qxd::Utf16ToUtf8(GetVersionString(part)); }

class VersionStringsTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetVersionStrings(); }
  void TearDown() override { ResetVersionStrings(); }
};

const char kMain[] =
    "qxd 1\n\n"
    "section \"Other\" texts\n  entry key=\"Ver_Basic\" text=\"99\"\n\n"
    "section \"Version\" texts\n"
    "  entry key=\"ver_basic\" text=\"2\"\n"
    "  entry key=\"Ver_UISetup\" text=\"10\"\n"
    "  entry key=\"Ver_Localize\" text=\"3b\"\n"
    "  entry key=\"Ver_Command\" text=\"77\"\n";

TEST_F(VersionStringsTest, WithoutFilesTheBuiltInValuesStand) {
  EXPECT_EQ(DataVersion(), "6.6.6.6.5");
  EXPECT_EQ(Version(kVersionDriver), "1.2.6");
  ReadVersionInfo(nullptr);
  ReadCommandVersionFrom(nullptr);
  ReadDriverVersionFrom(nullptr);
  EXPECT_EQ(DataVersion(), "6.6.6.6.5");
}

TEST_F(VersionStringsTest, ReadsTheThreePartsOfTheMainFile) {
  auto bytes = Compile(kMain);
  ReadVersionInfo(modeltest::File(bytes).get());
  EXPECT_EQ(DataVersion(), "2.10.3b.6.5") << "only the Version section, only its three keys";
  SetVersionString(kVersionConstraint, u"7");
  EXPECT_EQ(DataVersion(), "2.10.3b.6.7");
}

TEST_F(VersionStringsTest, LongValuesKeepTheirFirst31Characters) {
  std::string forty(40, '4');
  auto bytes = Compile("qxd 1\n\nsection \"Version\" texts\n  entry key=\"Ver_Basic\" text=\"" + forty + "\"\n");
  ReadVersionInfo(modeltest::File(bytes).get());
  EXPECT_EQ(Version(kVersionBasic), std::string(31, '4'));
}

TEST_F(VersionStringsTest, CommandVersionFromTheShortHeaderFile) {
  auto bytes = Compile(
      "qxd 1 headers=40\n\n"
      "section \"Commands\" texts\n  entry key=\"Ver_Command\" text=\"8\"\n\n"
      "section \"VERSION\" texts\n  entry key=\"Ver_Other\" text=\"1\"\n  entry key=\"ver_command\" text=\"4\"\n");
  ReadCommandVersionFrom(modeltest::File(bytes).get());
  EXPECT_EQ(Version(kVersionCommand), "4");
  // The main file's layout is not the command file's: nothing is found.
  ResetVersionStrings();
  auto main = Compile(kMain);
  ReadCommandVersionFrom(modeltest::File(main).get());
  EXPECT_EQ(Version(kVersionCommand), "6");
}

TEST_F(VersionStringsTest, DamagedChainsEndTheWalk) {
  qxd::Placement place;
  auto bytes = Compile(
      "qxd 1 headers=40\n\n"
      "section \"A\" texts\n  entry key=\"k\"\n\n"
      "section \"B\" texts\n  entry key=\"k\"\n\n"
      "section \"Version\" texts\n  entry key=\"Ver_Command\" text=\"4\"\n",
      &place);
  // B points back at A: the walk stops instead of running for ever.
  qxd::PatchU32(&bytes, place.sections[1].header + 36, place.sections[0].header);
  ReadCommandVersionFrom(modeltest::File(bytes).get());
  EXPECT_EQ(Version(kVersionCommand), "6");

  // An entry chain that loops, with a count far beyond the file.
  auto main = Compile(kMain, &place);
  qxd::PatchU32(&main, place.sections[1].records[1] + 12, place.sections[1].records[0]);
  qxd::PatchU32(&main, place.sections[1].list, 0xFFFFFFF0u);
  ReadVersionInfo(modeltest::File(main).get());
  EXPECT_EQ(Version(kVersionBasic), "2");
  EXPECT_EQ(Version(kVersionLocalize), "6");
}

TEST_F(VersionStringsTest, DriverVersionFromItsOwnFile) {
  auto bytes = Compile("qxd 1\n\nsection \"Version\" texts\n  entry key=\"Ver_driver\" text=\"1.3.0\"\n");
  ReadDriverVersionFrom(modeltest::File(bytes).get());
  EXPECT_EQ(Version(kVersionDriver), "1.3.0");
  EXPECT_EQ(DataVersion(), "6.6.6.6.5");
}

TEST_F(VersionStringsTest, NarrowAndShortWideTextReaders) {
  auto bytes = Compile("qxd 1\n\nsection \"S\" texts\n  entry key=\"" + std::string(280, 'k') + "\" text=\"abc\"\n");
  modeltest::File ctx(bytes);
  QxdEntry e;
  uint32_t at = QxdFindSection(ctx.get(), "S");
  QxdSectionHeader header;
  ASSERT_TRUE(QxdReadSectionHeader(ctx.get(), at, &header));
  ASSERT_TRUE(QxdReadEntry(ctx.get(), header.firstEntry, &e));
  char narrow[260];
  ReadQxdNarrowText(ctx.get(), e.keyOffset, narrow);
  EXPECT_EQ(std::string(narrow), std::string(259, 'k'));
  char16_t wide[32];
  ReadQxdShortWideText(ctx.get(), e.textOffset, wide);
  EXPECT_EQ(std::u16string(wide), u"abc");
  ReadQxdShortWideText(ctx.get(), QxdFileSize(ctx.get()) - 1, wide);
  EXPECT_EQ(wide[0], u'\0') << "a unit past the end is not read";
}

}  // namespace
