// The display-text exports of the procedure library on a live dialog and
// on a description file beside the library.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/contracts/proc_library_exports_win.h"
#include "common/win/bind_export.h"
#include "dproc/model/disp_strings.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/qxd_document.h"

namespace {

using ReplaceFn = ReplaceDlgDispStringFn;
using ReplaceCmnFn = ReplaceDlgDispStringCmnItemFn;
using SingleFn = SetDispStringSingleFn;

template <typename Fn>
Fn Bind(HMODULE module, const char* name) {
  return BindExport<Fn>(module, name);
}

// A dialog template in memory: a caption and static controls with the given ids.
std::vector<WORD> DialogTemplate(const std::vector<WORD>& ids) {
  std::vector<WORD> t;
  auto dword = [&t](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  auto text = [&t](const wchar_t* s) {
    for (; *s; ++s) t.push_back(*s);
    t.push_back(0);
  };
  dword(WS_POPUP | WS_CAPTION);
  dword(0);
  t.push_back(static_cast<WORD>(ids.size()));
  for (int i = 0; i < 4; ++i) t.push_back(i < 2 ? 0 : 100);  // x, y, cx, cy
  t.push_back(0);  // no menu
  t.push_back(0);  // default class
  text(L"Template caption");
  for (size_t i = 0; i < ids.size(); ++i) {
    if (t.size() % 2 != 0) t.push_back(0);  // items start on a DWORD
    dword(WS_CHILD | WS_VISIBLE);
    dword(0);
    t.push_back(0);
    t.push_back(static_cast<WORD>(10 * i));
    t.push_back(80);
    t.push_back(8);
    t.push_back(ids[i]);
    t.push_back(0xFFFF);
    t.push_back(0x0082);  // static
    text(L"template");
    t.push_back(0);  // no creation data
  }
  return t;
}

INT_PTR CALLBACK NoProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::wstring TextOf(HWND dialog, int id) {
  wchar_t buffer[128] = {};
  if (id == 0) GetWindowTextW(dialog, buffer, 128);
  else GetDlgItemTextW(dialog, id, buffer, 128);
  return buffer;
}

void SetText(DispStringItem* r, const char16_t* text) {
  std::memcpy(r->text, text, (std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t));
}

class DispStringExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(L"VELDRANA.DLL");
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

TEST_F(DispStringExportsTest, TextsReachTheDialogAndItsControls) {
  auto replace = Bind<ReplaceFn>(module_, "ReplaceDlgDispString");
  auto replaceCommon = Bind<ReplaceCmnFn>(module_, "ReplaceDlgDispStringCmnItem");
  ASSERT_NE(replace, nullptr);
  ASSERT_NE(replaceCommon, nullptr);
  const std::vector<WORD> t = DialogTemplate({1130, 1200, 1201, 1300});
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()),
                                           nullptr, NoProc, 0);
  ASSERT_NE(dialog, nullptr);

  DispStringItem table[] = {{{100}, {}, "Prop_Fax"},      {{-1, 1200}, {}, "Both"},
                            {{-1}, {}, "OnlyText"},       {{1201, 1300}, {}, "Twice"},
                            {{1300}, {}, "EmptyText"},    {{0}, {}, ""}};
  SetText(&table[0], u"Fax");
  SetText(&table[1], u"Number:");
  SetText(&table[2], u"never shown");
  SetText(&table[3], u"Shared");
  EXPECT_EQ(replace(dialog, table), 1);
  EXPECT_EQ(TextOf(dialog, 0), L"Fax");
  EXPECT_EQ(TextOf(dialog, 1200), L"Number:");
  EXPECT_EQ(TextOf(dialog, 1201), L"Shared");
  EXPECT_EQ(TextOf(dialog, 1300), L"Shared");  // the empty text leaves it
  EXPECT_EQ(TextOf(dialog, 1130), L"template");

  // The common items: the view switch shows the first view's text only.
  DispStringItem* common = CommonItemTable();
  const char16_t* views[] = {u"Printer", u"Paper", u"Cover", u"Overlay", u"Watermark", u"Quality"};
  for (int i = 0; i < 6; ++i) SetText(&common[i], views[i]);
  EXPECT_EQ(replaceCommon(dialog, common, 100), 1);
  EXPECT_EQ(TextOf(dialog, 1130), L"Printer");
  EXPECT_EQ(TextOf(dialog, 0), L"Fax");
  DestroyWindow(dialog);
}

TEST_F(DispStringExportsTest, SingleTextsComeFromTheFileBesideTheModule) {
  // A copy of the library in a folder of its own, with a description file.
  wchar_t temp[MAX_PATH];
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring dir = std::wstring(temp) + L"disp_single_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  wchar_t own[MAX_PATH];
  GetModuleFileNameW(module_, own, MAX_PATH);
  const std::wstring copy = dir + L"\\VELDRANA.DLL";
  ASSERT_TRUE(CopyFileW(own, copy.c_str(), FALSE));
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText("qxd 1\n\nsection \"Property_FAX\" texts\n  entry key=\"Prop_Fax\" text=\"Fax Settings\"\n",
                             &doc, &error));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error));
  const std::wstring qxdPath = dir + L"\\VELDRANH.QXD";
  HANDLE f = CreateFileW(qxdPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);

  HMODULE other = LoadLibraryW(copy.c_str());
  ASSERT_NE(other, nullptr);
  auto single = Bind<SingleFn>(other, "SetDispStringSingle");
  ASSERT_NE(single, nullptr);
  wchar_t text[64] = L"unchanged";
  EXPECT_EQ(single(other, "Property_FAX", "prop_fax", text, 64), 1);
  EXPECT_STREQ(text, L"Fax Settings");
  EXPECT_EQ(single(other, "Property_FAX", "Missing", text, 64), 0);
  wchar_t small[4] = L"";
  EXPECT_EQ(single(other, "Property_FAX", "Prop_Fax", small, 4), 1);
  EXPECT_STREQ(small, L"Fax");
  // Beside the build's own library there is no description file.
  EXPECT_EQ(single(module_, "Property_FAX", "Prop_Fax", text, 64), 0);
  FreeLibrary(other);
  DeleteFileW(copy.c_str());
  DeleteFileW(qxdPath.c_str());
  RemoveDirectoryW(dir.c_str());
}

}  // namespace
