// The overlay form lists' stores under Wine: the user's registry key of a
// printer (and the INI file of Windows NT 4.0), with form files made by
// qxdtool from their texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/win/user_registry.h"
#include "dproc/overlay/form_store_win.h"
#include "tests/support/test_paths.h"

namespace {

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }
std::wstring Form(const char* stem) { return Widen(testsupport::BinaryPath(std::string("overlay_forms/") + stem + ".QFV")); }

constexpr wchar_t kDriver[] = L"Overlay store test driver";

class FormStore : public ::testing::Test {
 protected:
  void SetUp() override {
    printer_ = L"Store printer " + std::to_wstring(GetCurrentProcessId());
    key_ = std::wstring(L"Software\\") + MakerName() + L"\\" + kDriver;
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
    SetFormStoreNt4ForTests(nullptr);
  }
  HKEY Key(const std::wstring& printer) {
    HKEY k = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, (key_ + L"\\" + printer).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                    nullptr);
    return k;
  }
  void SetText(const wchar_t* name, const std::wstring& text, const std::wstring& printer = L"") {
    HKEY k = Key(printer.empty() ? printer_ : printer);
    RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * 2));
    RegCloseKey(k);
  }
  void SetCount(DWORD n) {
    HKEY k = Key(printer_);
    RegSetValueExW(k, L"FormCount", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&n), sizeof n);
    RegCloseKey(k);
  }
  // A stored value's text, or "(none)".
  std::wstring Stored(const wchar_t* name) {
    HKEY k = Key(printer_);
    wchar_t text[300] = {};
    DWORD size = sizeof text - 2, type = 0;
    const bool ok = RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS;
    RegCloseKey(k);
    if (!ok) return L"(none)";
    if (type == REG_DWORD) {
      DWORD n = 0;
      std::memcpy(&n, text, sizeof n);
      return std::to_wstring(n);
    }
    return text;
  }
  std::wstring printer_, key_;
};

TEST_F(FormStore, OnlyFormFilesAreListedAndASaveLeavesNoOldEntries) {
  // Six entries and a count of eight: a missing file, a foreign file and a
  // file cut short drop out; the two values past the last are not there.
  const std::vector<std::wstring> stored = {Form("letterhead_v2"), Form("bad_magic"), Form("invoice_v1"),
                                            Form("short_v2"), L"Z:\\no\\such\\form.qfv", Form("wrong_size_v2")};
  for (size_t i = 0; i < stored.size(); ++i) SetText((L"Form" + std::to_wstring(i + 1)).c_str(), stored[i]);
  SetCount(8);
  FormFileList* list = LoadOverlayFormList(printer_.c_str(), kDriver);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->nodes.size(), 3u);
  EXPECT_EQ(list->nodes[0]->path, Form("letterhead_v2"));
  EXPECT_EQ(FormDisplayName(list->nodes[0]->header), L"Letterhead");
  EXPECT_EQ(FormDisplayName(list->nodes[1]->header), L"Invoice");
  EXPECT_EQ(list->nodes[1]->header.version, 1);
  EXPECT_EQ(list->nodes[2]->path, Form("wrong_size_v2"));
  EXPECT_EQ(AddFormFileNode(Form("version3").c_str(), list), nullptr);
  FormFileNode* wide = AddFormFileNode(Form("wide_name_v2").c_str(), list);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(FormDisplayName(wide->header), L"\x0391\x03b8\x03ae\x03bd\x03b1 \x8868");
  // Four forms saved, then one removed and saved again.
  ASSERT_TRUE(SaveOverlayFormList(list));
  EXPECT_EQ(Stored(L"FormCount"), L"4");
  EXPECT_EQ(Stored(L"Form4"), Form("wide_name_v2"));
  // The values up to the old count are gone.
  EXPECT_EQ(Stored(L"Form5"), L"(none)");
  EXPECT_EQ(Stored(L"Form6"), L"(none)");
  ASSERT_TRUE(RemoveFormFileNode(list, list->nodes[1].get()));
  EXPECT_FALSE(RemoveFormFileNode(list, nullptr));
  ASSERT_TRUE(SaveOverlayFormList(list));
  EXPECT_EQ(Stored(L"FormCount"), L"3");
  EXPECT_EQ(Stored(L"Form2"), Form("wrong_size_v2"));
  EXPECT_EQ(Stored(L"Form4"), L"(none)");
  FreeOverlayFormList(list);
  FormFileList* again = LoadOverlayFormList(printer_.c_str(), kDriver);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->nodes.size(), 3u);
  FreeOverlayFormList(again);
}

TEST_F(FormStore, DeviceFormsLoadRegisteredOnceAndSaveAsText) {
  SetText(L"Form1", L"Quarterly,Q Report,2");
  SetText(L"Form2", L"QUARTERLY,Other,2");  // the same form again: left out
  SetText(L"Form3", L"Quarterly,,1");
  SetText(L"Form4", L"Memo,Memo form,HDD");  // a letter keeps the location before
  SetCount(4);
  DriverFormList* list = LoadDeviceFormList(printer_.c_str(), kDriver);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->nodes.size(), 3u);
  EXPECT_STREQ(list->nodes[0]->formName, "Q Report");
  EXPECT_EQ(list->nodes[0]->location, 2u);
  EXPECT_EQ(list->nodes[0]->registered, 1u);
  EXPECT_EQ(list->nodes[1]->location, 1u);
  EXPECT_EQ(list->nodes[2]->location, 1u);
  // An unregistered form (one the device reported) is not stored.
  DriverFormNode* seen = AddDriverForm(list, "On the device", 3);
  ASSERT_NE(seen, nullptr);
  seen->onDevice = 1;
  ASSERT_TRUE(RemoveDriverForm(list, list->nodes[1].get()));
  ASSERT_TRUE(SaveDeviceFormList(list));
  EXPECT_EQ(Stored(L"FormCount"), L"2");
  EXPECT_EQ(Stored(L"Form1"), L"Quarterly,Q Report,2");
  EXPECT_EQ(Stored(L"Form2"), L"Memo,Memo form,1");
  EXPECT_EQ(Stored(L"Form3"), L"(none)");
  FreeDeviceFormList(list);
}

TEST_F(FormStore, AConnectionsNameLosesItsBackslashesInTheKey) {
  const std::wstring connection = L"\\\\server\\" + printer_;
  FormFileList* list = LoadOverlayFormList(connection.c_str(), kDriver);
  ASSERT_NE(list, nullptr);
  ASSERT_NE(AddFormFileNode(Form("letterhead_v2").c_str(), list), nullptr);
  ASSERT_TRUE(SaveOverlayFormList(list));
  FreeOverlayFormList(list);
  HKEY k = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (key_ + L"\\server\\" + printer_).c_str(), 0, KEY_READ, &k),
            ERROR_SUCCESS);
  RegCloseKey(k);
}

TEST_F(FormStore, WindowsNt4KeepsFormFilesInTheIniFileAndDeviceFormsInTheRegistry) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"ovlnt4_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring ini = dir + L"\\VQFORM.INI";
  DeleteFileW(ini.c_str());
  SetFormStoreNt4ForTests(dir.c_str());  // no closing backslash: one is added
  const std::wstring section = L"\\\\server\\" + printer_;  // the section keeps the backslashes
  FormFileList* list = LoadOverlayFormList(section.c_str(), kDriver);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->kind, 1u);
  for (const char* stem : {"letterhead_v2", "invoice_v1", "wrong_size_v2"}) {
    ASSERT_NE(AddFormFileNode(Form(stem).c_str(), list), nullptr);
  }
  ASSERT_TRUE(SaveOverlayFormList(list));
  RemoveFormFileNode(list, list->nodes[0].get());
  ASSERT_TRUE(SaveOverlayFormList(list));
  FreeOverlayFormList(list);
  wchar_t text[300];
  EXPECT_EQ(GetPrivateProfileIntW(section.c_str(), L"FormCount", -1, ini.c_str()), 2u);
  GetPrivateProfileStringW(section.c_str(), L"Form1", L"", text, 300, ini.c_str());
  EXPECT_EQ(std::wstring(text), Form("invoice_v1"));
  GetPrivateProfileStringW(section.c_str(), L"Form3", L"(none)", text, 300, ini.c_str());
  EXPECT_EQ(std::wstring(text), L"(none)");
  // The initial folder too: the drive root of the Windows folder while empty.
  wchar_t folder[kFormPathChars];
  GetFormInitialDir(section.c_str(), kDriver, folder);
  EXPECT_EQ(std::wstring(folder), dir.substr(0, 3));
  SetFormInitialDir(section.c_str(), kDriver, L"C:\\Forms");
  GetFormInitialDir(section.c_str(), kDriver, folder);
  EXPECT_EQ(std::wstring(folder), L"C:\\Forms");
  // The device list stays in the registry.
  DriverFormList* device = LoadDeviceFormList(printer_.c_str(), kDriver);
  ASSERT_NE(device, nullptr);
  DriverFormNode* node = AddDriverForm(device, "Device form", 1);
  ASSERT_NE(node, nullptr);
  node->registered = 1;
  ASSERT_TRUE(SaveDeviceFormList(device));
  FreeDeviceFormList(device);
  EXPECT_EQ(Stored(L"Form1"), L"Device form,,1");
  DeleteFileW(ini.c_str());
  RemoveDirectoryW(dir.c_str());
}

TEST_F(FormStore, TheInitialFolderIsTheWindowsDriveUntilOneIsStored) {
  wchar_t folder[kFormPathChars], windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  GetFormInitialDir(printer_.c_str(), kDriver, folder);
  EXPECT_EQ(std::wstring(folder), std::wstring(windows).substr(0, 3));
  SetText(L"FormInitialDir", L"");
  GetFormInitialDir(printer_.c_str(), kDriver, folder);
  EXPECT_EQ(std::wstring(folder), std::wstring(windows).substr(0, 3));
  SetFormInitialDir(printer_.c_str(), kDriver, L"D:\\Overlay forms\\");
  GetFormInitialDir(printer_.c_str(), kDriver, folder);
  EXPECT_EQ(std::wstring(folder), L"D:\\Overlay forms\\");
}

}  // namespace
