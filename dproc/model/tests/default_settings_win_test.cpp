// The font library's list in the default settings, with a stand-in library.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dproc/model/default_settings_win.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"

namespace {

std::wstring StandIn() {
  const std::string path = testsupport::BinaryPath("bin/standin_fonts/VELDRANQ.DLL");
  return testsupport::Widen(path);
}

TEST(FontLibrary, ListsTheResidentFontsInTheSystemCodePage) {
  std::vector<XLFontEntry> fonts;
  ASSERT_TRUE(ReadXLFontList(StandIn().c_str(), &fonts));
  ASSERT_EQ(fonts.size(), 4u);
  EXPECT_STREQ(fonts[2].name, "Times New Roman");
  EXPECT_EQ(fonts[2].number, 89);
  EXPECT_FALSE(ReadXLFontList(L"Z:\\no\\such\\VELDRANQ.DLL", &fonts));
  EXPECT_TRUE(fonts.empty());
}

TEST(FontLibrary, SubstitutionListWithAndWithoutTheLibrary) {
  HMODULE library = LoadLibraryW(StandIn().c_str());
  ASSERT_NE(library, nullptr);
  modeltest::File none("qxd 1\n\nsection \"Other\" value \"x\"\n");
  auto d = std::make_unique<DocDMode>();
  InitBuiltInDocDMode(d.get());
  LoadDefaultSettingsWithFonts(library, none.get(), nullptr, nullptr, L"VELDRANQ.DLL", d.get());
  EXPECT_EQ(+Fields(*d).SubFontEntryNum, 0);
  LoadDefaultSettingsWithFonts(library, none.get(), nullptr, nullptr, L"NOSUCHQ.DLL", d.get());
  EXPECT_EQ(+Fields(*d).SubFontEntryNum, 9);

  modeltest::File list(
      "qxd 1\n\nsection \"XLFontSubList\" records 64\n  layout trueType:str32@0 printer:str32@32\n"
      "  record trueType=\"DejaVu Sans Mono\" printer=\"Letter Gothic\"\n");
  LoadDefaultSettingsWithFonts(library, list.get(), nullptr, nullptr, L"VELDRANQ.DLL", d.get());
  ASSERT_EQ(+Fields(*d).SubFontEntryNum, 1);
  EXPECT_EQ(+Fields(*d).SubDevFontNumber[0], 10);  // font 37 is the regular face of family 10
  FreeLibrary(library);
}

}  // namespace
