// The font library's list functions, run from a folder of the test's own
// with the printer description each case needs beside the library.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "common/contracts/xl_font_functions_win.h"
#include "common/win/bind_export.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/qxd_document.h"

namespace {

// A copy of VELDRANQ.DLL in a folder of its own, with VELDRANH.QXD compiled
// from `model` beside it (none when `model` is empty).
class FontLibrary {
 public:
  FontLibrary(const std::string& folder, const std::string& model) {
    dir_ = testsupport::ProgramFolder() + L"fontlib_" + std::wstring(folder.begin(), folder.end()) + L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    const std::string source = testsupport::BinaryPath("bin/VELDRANQ.DLL");
    const std::wstring target = dir_ + L"VELDRANQ.DLL";
    CopyFileA(source.c_str(), std::string(target.begin(), target.end()).c_str(), FALSE);
    DeleteFileW((dir_ + L"VELDRANH.QXD").c_str());
    if (!model.empty()) {
      qxd::Document doc;
      std::string error;
      std::vector<uint8_t> bytes;
      EXPECT_TRUE(qxd::ParseText(model, &doc, &error)) << error;
      EXPECT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
      std::ofstream out(std::string(dir_.begin(), dir_.end()) + "VELDRANH.QXD", std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    module_ = LoadLibraryW(target.c_str());
    EXPECT_NE(module_, nullptr);
    init = BindExport<InitXLFontDataFn>(module_, kInitXLFontData);
    count = BindExport<GetXLFontCountFn>(module_, kGetXLFontCount);
    get = BindExport<GetXLFontDataFn>(module_, kGetXLFontData);
    term = BindExport<TermXLFontDataFn>(module_, kTermXLFontData);
    EXPECT_TRUE(init && count && get && term);
  }
  ~FontLibrary() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  struct Font {
    WORD number;
    std::string name;  // narrow, or the wide name converted
    DWORD kind;
  };
  std::vector<Font> List(bool wide) {
    std::vector<Font> fonts;
    for (int i = 0; i < count(); ++i) {
      Font f{};
      uint8_t name[64] = {};
      EXPECT_TRUE(get(i, &f.number, name, 64, &f.kind));
      if (wide) {
        for (int c = 0; c < 32 && (name[2 * c] | name[2 * c + 1]); ++c) f.name.push_back(char(name[2 * c]));
      } else {
        f.name = std::string(reinterpret_cast<const char*>(name), strnlen(reinterpret_cast<const char*>(name), 64));
      }
      fonts.push_back(f);
    }
    return fonts;
  }

  InitXLFontDataFn init = nullptr;
  GetXLFontCountFn count = nullptr;
  GetXLFontDataFn get = nullptr;
  TermXLFontDataFn term = nullptr;

 private:
  std::wstring dir_;
  HMODULE module_ = nullptr;
};

const char kNoFilter[] = "qxd 1\n\nsection \"Other\" value \"x\"\n";

TEST(FontLibrary, WithoutAFilterEveryFaceIsListedInBothForms) {
  FontLibrary lib("nofilter", kNoFilter);
  EXPECT_EQ(lib.count(), 0);
  for (int flag : {1, 0}) {
    ASSERT_TRUE(lib.init(flag));
    const auto fonts = lib.List(flag == 0);
    ASSERT_EQ(fonts.size(), 32u);
    int kinds[3] = {};
    for (size_t k = 0; k < fonts.size(); ++k) {
      EXPECT_EQ(fonts[k].number, 4 * k + 1);
      kinds[fonts[k].kind == 0 ? 0 : fonts[k].kind == 2 ? 1 : 2]++;
    }
    EXPECT_EQ(kinds[0], 24);
    EXPECT_EQ(kinds[1], 4);
    EXPECT_EQ(kinds[2], 4);
    EXPECT_EQ(fonts[0].name, "ITC AvantGarde Book");
    EXPECT_EQ(fonts[4].name, "Arial");
    EXPECT_EQ(fonts[19].name, "Symbol");  // a symbol face's name reads plainly
    EXPECT_EQ(fonts[19].kind, 2u);
    EXPECT_EQ(fonts[28].name, "HGGothic-Bold");
  }
  lib.term();
  EXPECT_EQ(lib.count(), 0);
}

TEST(FontLibrary, DisabledFacesAreLeftOutWhateverTheirCase) {
  FontLibrary lib("filter",
                  "qxd 1\n\nsection \"XLUserDeviceFont\" records 36\n"
                  "  layout face:str32@0 enabled:u32@32\n"
                  "  record face=\"arial\"\n"
                  "  record face=\"Courier\" enabled=1\n"
                  "  record face=\"COURIER\"\n");
  for (int flag : {1, 0}) {
    ASSERT_TRUE(lib.init(flag));
    const auto fonts = lib.List(flag == 0);
    ASSERT_EQ(fonts.size(), 31u);
    for (const auto& f : fonts) EXPECT_NE(f.name, "Arial");
    EXPECT_EQ(fonts[4].name, "ITC Bookman Light");  // the next family moves up
    EXPECT_EQ(fonts[9].name, "Courier");             // the first equal entry decides
  }
  lib.term();
}

TEST(FontLibrary, WithoutTheDescriptionFileTheListStaysEmpty) {
  FontLibrary lib("nofile", "");
  EXPECT_FALSE(lib.init(0));
  EXPECT_EQ(lib.count(), 0);
}

TEST(FontLibrary, DataCopiesAtMost64BytesAndRefusesIndexesOutOfRange) {
  FontLibrary lib("data", kNoFilter);
  ASSERT_TRUE(lib.init(0));
  uint8_t name[80];
  std::memset(name, 0xEE, sizeof name);
  WORD number = 0;
  DWORD kind = 7;
  ASSERT_TRUE(lib.get(4, &number, name, 10, &kind));
  EXPECT_EQ(number, 17);
  EXPECT_EQ(kind, 0u);
  EXPECT_EQ(std::memcmp(name, u"Arial", 10), 0);
  EXPECT_EQ(name[10], 0xEE);  // 10 bytes copied, no more
  std::memset(name, 0xEE, sizeof name);
  ASSERT_TRUE(lib.get(4, nullptr, name, 200, nullptr));
  EXPECT_EQ(name[63], 0);
  EXPECT_EQ(name[64], 0xEE);
  number = 99;
  kind = 99;
  EXPECT_FALSE(lib.get(32, &number, name, 64, &kind));
  EXPECT_FALSE(lib.get(-1, &number, name, 64, &kind));
  EXPECT_EQ(number, 99);
  EXPECT_EQ(kind, 99u);
  lib.term();
}

TEST(FontLibrary, TheSampleModelTurnsOffTheDingbatFaces) {
  std::ifstream src(testsupport::SourcePath("model/VELDRANH.txt"));
  std::string text((std::istreambuf_iterator<char>(src)), std::istreambuf_iterator<char>());
  FontLibrary lib("sample", text);
  ASSERT_TRUE(lib.init(0));
  const auto fonts = lib.List(true);
  EXPECT_EQ(fonts.size(), 30u);
  for (const auto& f : fonts) {
    EXPECT_NE(f.name, "Wingdings");
    EXPECT_NE(f.name, "ITC Zapf Dingbats");
  }
  lib.term();
}

}  // namespace
