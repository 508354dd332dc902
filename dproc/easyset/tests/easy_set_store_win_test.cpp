// The Easy Set stores in the registry and in a printer's printer data of
// Wine's spooler, and the presets of the sample model installed through the
// procedure library's export as the user interface core calls it.
#include "dproc/easyset/easy_set_store_win.h"
#include "dproc/easyset/easy_set_files_win.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <memory>
#include <vector>

#include "common/records/settings_checksum.h"
#include "common/contracts/settings_functions_win.h"
#include "common/records/doc_fields.h"
#include "common/win/user_registry.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"
#include "tests/support/test_text.h"

namespace {

using testsupport::Widen;

EasySetNode* Node(const std::u16string& name, size_t textUnits) {
  EasySetHeader h{};
  std::memcpy(h.signature, kEasySetSignature, 4);
  h.formatVersion = kEasySetFormatVersion;
  SetEasySetField(h.name, kEasySetNameChars, name);
  const std::u16string text(textUnits, u'x');
  return NewEasySetNode(h, text.data(), text.size());
}

struct ListGuard {
  EasySetList list;
  ~ListGuard() { FreeEasySetList(&list); }
};

class EasySetRegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = L"Software\\FaxDriverTests\\EasySet" + std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyW(HKEY_CURRENT_USER, path_.c_str(), &key_));
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  }
  DWORD Size(const wchar_t* name) {
    DWORD size = 0;
    return RegQueryValueExW(key_, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS ? size : DWORD(-1);
  }
  DWORD Count(const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    return RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS
               ? value
               : DWORD(-1);
  }
  std::wstring path_;
  HKEY key_ = nullptr;
};

TEST_F(EasySetRegistryStore, ChunksAtTheEdgeAndShrinkingStoresLeaveNoOldChunks) {
  const NumberedValues values = RegistryKeyValues(key_);
  const size_t exact = (kEasySetChunkBytes - sizeof(EasySetHeader)) / 2;
  struct Case {
    size_t units;
    DWORD count;
    DWORD lastChunk;
  };
  for (const Case& c : {Case{exact, 1, kEasySetChunkBytes}, Case{exact + 1, 2, 2}, Case{3 * exact, 3, 14824}}) {
    ListGuard g;
    AddEasySet(&g.list, Node(u"Mine", c.units), kEasySetUser);
    ASSERT_TRUE(SaveEasySetChunks(values, g.list, kEasySetUser));
    EXPECT_EQ(c.count, Count(L"EasySetDataCnt")) << c.units;
    wchar_t last[32];
    swprintf(last, 32, L"EasySetData%04u", c.count);
    EXPECT_EQ(c.lastChunk, Size(last)) << c.units;
    ListGuard back;
    EXPECT_EQ(1u, LoadEasySetChunks(values, &back.list, kEasySetUser));
    EXPECT_EQ(c.units * 2, back.list.first->header.textLength);
  }
  // From three chunks down to one, then to none.
  ListGuard one;
  AddEasySet(&one.list, Node(u"Short", 10), kEasySetUser);
  ASSERT_TRUE(SaveEasySetChunks(values, one.list, kEasySetUser));
  EXPECT_EQ(1u, Count(L"EasySetDataCnt"));
  EXPECT_EQ(DWORD(-1), Size(L"EasySetData0002"));
  EXPECT_EQ(DWORD(-1), Size(L"EasySetData0003"));
  ListGuard none;
  ASSERT_TRUE(SaveEasySetChunks(values, none.list, kEasySetUser));
  EXPECT_EQ(0u, Count(L"EasySetDataCnt"));
  EXPECT_EQ(DWORD(-1), Size(L"EasySetData0001"));
}

TEST_F(EasySetRegistryStore, DamagedStoresGiveTheRecordsBeforeTheDamage) {
  const NumberedValues values = RegistryKeyValues(key_);
  ListGuard g;
  AddEasySet(&g.list, Node(u"One", 100), kEasySetUser);
  AddEasySet(&g.list, Node(u"Two", 9000), kEasySetUser);
  ASSERT_TRUE(SaveEasySetChunks(values, g.list, kEasySetUser));
  ASSERT_EQ(2u, Count(L"EasySetDataCnt"));
  // A count far above what is stored reads the chunks there are; a lost
  // second chunk cuts the second record.
  const DWORD huge = 0xFFFFFFFFu;
  RegSetValueExW(key_, L"EasySetDataCnt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&huge), sizeof huge);
  ListGuard both;
  EXPECT_EQ(2u, LoadEasySetChunks(values, &both.list, kEasySetUser));
  RegDeleteValueW(key_, L"EasySetData0002");
  ListGuard first;
  EXPECT_EQ(1u, LoadEasySetChunks(values, &first.list, kEasySetUser));
  EXPECT_EQ(u"One", EasySetName(first.list.first->header));
  // A count of another size reads as an empty store.
  const BYTE shortCount = 1;
  RegSetValueExW(key_, L"EasySetDataCnt", 0, REG_BINARY, &shortCount, 1);
  ListGuard empty;
  EXPECT_EQ(0u, LoadEasySetChunks(values, &empty.list, kEasySetUser));
}

TEST_F(EasySetRegistryStore, TheOrderRoundTripsAndDropsWhatIsGone) {
  const NumberedValues values = RegistryKeyValues(key_);
  ListGuard g;
  for (auto [name, kind] : {std::pair{u"Default", kEasySetShared}, std::pair{u"Fax, fine", kEasySetUser},
                            std::pair{u"Cover", kEasySetShared}}) {
    AddEasySet(&g.list, Node(name, 4), kind);
  }
  ASSERT_TRUE(SaveEasySetOrderValues(values, g.list));
  EXPECT_EQ(3u, Count(L"EasySetOrderCnt"));
  wchar_t text[64] = {};
  DWORD size = sizeof text;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key_, L"EasySetOrder02", nullptr, nullptr, reinterpret_cast<BYTE*>(text),
                                            &size));
  EXPECT_STREQ(L"1,Fax, fine", text);
  EXPECT_EQ(sizeof(L"1,Fax, fine"), size);

  // Reversed on disk, read into a list of which one Easy Set is gone.
  RegSetValueExW(key_, L"EasySetOrder01", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"0,Cover"), sizeof(L"0,Cover"));
  RegSetValueExW(key_, L"EasySetOrder03", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"0,Default"),
                 sizeof(L"0,Default"));
  EasySetOrderTable order;
  ReadEasySetOrderValues(values, &order);
  ASSERT_EQ(3u, order.count);
  ListGuard list;
  AddEasySet(&list.list, Node(u"Default", 4), kEasySetShared);
  AddEasySet(&list.list, Node(u"Mine", 4), kEasySetUser);
  AddEasySet(&list.list, Node(u"Cover", 4), kEasySetShared);
  ApplyEasySetOrder(order, &list.list);
  std::vector<std::u16string> names;
  for (const EasySetNode* n = list.list.first; n != nullptr; n = n->next) names.emplace_back(EasySetName(n->header));
  EXPECT_EQ((std::vector<std::u16string>{u"Cover", u"Default", u"Mine"}), names);

  // A shorter list clears the entries above it.
  ListGuard shorter;
  AddEasySet(&shorter.list, Node(u"Default", 4), kEasySetShared);
  ASSERT_TRUE(SaveEasySetOrderValues(values, shorter.list));
  EXPECT_EQ(1u, Count(L"EasySetOrderCnt"));
  EXPECT_EQ(DWORD(-1), Size(L"EasySetOrder02"));
  EXPECT_EQ(DWORD(-1), Size(L"EasySetOrder03"));
}

// An exported Easy Set file reads back under the name the import gives it,
// and its header as it was written; a file without its names is no Easy
// Set file.
TEST(EasySetFiles, ExportedFilesImportUnderANewName) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"easyset" + std::to_wstring(GetCurrentProcessId()) + L".QXS";
  const std::u16string text =
      u"[DriverInfo]\r\nmodel=\"Fax Driver\"\r\nversion=\"1.2.6\"\r\nversionnum=1\r\nsystem=\"Windows NT x64\"\r\n"
      u"language=\"0409\"\r\n\r\n[EasySetName]\r\nname=\"Out\"\r\ncomment=\"Shared\"\r\n\r\n[OEMDEV]\r\nnCopies=3\r\n";
  EasySetHeader h{};
  std::memcpy(h.signature, kEasySetSignature, 4);
  h.formatVersion = kEasySetFormatVersion;
  h.restore[kRestorePaper] = 1;
  h.protectedSet = 1;
  EasySetNode* node = NewEasySetNode(h, text.data(), text.size());
  ASSERT_TRUE(ExportEasySetFile(*node, path.c_str()));
  FreeEasySetNode(node);

  EasySetHeader read{};
  ASSERT_TRUE(ReadEasySetFile(path.c_str(), &read));
  EXPECT_EQ(u"Out", EasySetName(read));
  EXPECT_EQ(std::u16string(u"Fax Driver"), std::u16string(read.model));
  EasySetNode* imported = ImportEasySetFile(path.c_str(), L"Mine", L"From a colleague");
  ASSERT_NE(nullptr, imported);
  EXPECT_EQ(u"Mine", EasySetName(imported->header));
  EXPECT_EQ(std::u16string(u"From a colleague"), std::u16string(imported->header.comment));
  EXPECT_EQ(0, imported->header.restore[kRestorePaper]);
  EXPECT_EQ(0, imported->header.protectedSet);
  EXPECT_NE(std::u16string_view::npos, EasySetText(*imported).find(u"name=\"Mine\""));
  EXPECT_NE(std::u16string_view::npos, EasySetText(*imported).find(u"nCopies=3"));
  FreeEasySetNode(imported);

  const char partial[] = "[DriverInfo]\r\nmodel=\"Fax Driver\"\r\n";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, partial, sizeof partial - 1, &written, nullptr);
  CloseHandle(file);
  EXPECT_FALSE(ReadEasySetFile(path.c_str(), &read));
  DeleteFileW(path.c_str());
}

// The sample model's presets: VELDRANA beside the description file and the
// preset files, a printer of the driver the presets are made for.
class EasySetPresets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    dir_ = std::wstring(base) + L"vdeasyset" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    CopyFileW((testsupport::ProgramFolder() + L"VELDRANA.DLL").c_str(), (dir_ + L"VELDRANA.DLL").c_str(), FALSE);
    for (const char* file : {"VELDRANH.QXD", "VELDRAN1.QXS", "VELDRAN2.QXS"}) {
      CopyFileW(Widen(testsupport::BinaryPath(std::string("model/") + file)).c_str(),
                (dir_ + Widen(file)).c_str(), FALSE);
    }
    module_ = LoadLibraryW((dir_ + L"VELDRANA.DLL").c_str());
  }
  static void TearDownTestSuite() {
    if (module_ != nullptr) FreeLibrary(module_);
    for (const wchar_t* file : {L"VELDRANA.DLL", L"VELDRANH.QXD", L"VELDRAN1.QXS", L"VELDRAN2.QXS"}) {
      DeleteFileW((dir_ + file).c_str());
    }
    RemoveDirectoryW(dir_.c_str());
  }
  static testsupport::TestPrinterDriver PresetDriver() {
    testsupport::TestPrinterDriver driver = testsupport::FaxDriver();
    driver.name = L"Fax Driver";
    return driver;
  }
  void SetUp() override {
    ASSERT_NE(module_, nullptr);
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    install_ = reinterpret_cast<SetEasySetPresetFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module_, kSetEasySetPreset)));
    ASSERT_NE(install_, nullptr);
    // Whatever the spooler's first defaults installed goes.
    const DWORD zero = 0;
    SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"SetEasySetPreset"), REG_DWORD,
                    reinterpret_cast<BYTE*>(const_cast<DWORD*>(&zero)), sizeof zero);
  }
  std::vector<std::u16string> SharedNames(ListGuard* g) {
    LoadSharedEasySets(printer_.handle(), &g->list);
    std::vector<std::u16string> names;
    for (const EasySetNode* n = g->list.first; n != nullptr; n = n->next) names.emplace_back(EasySetName(n->header));
    return names;
  }

  static std::wstring dir_;
  static HMODULE module_;
  testsupport::TestPrinter printer_{L"Easy Set presets", PresetDriver()};
  SetEasySetPresetFn install_ = nullptr;
};
std::wstring EasySetPresets::dir_;
HMODULE EasySetPresets::module_ = nullptr;

TEST_F(EasySetPresets, InstalledOnceAsProtectedSharedSetsWithTheFirstAsDefault) {
  ASSERT_EQ(TRUE, install_(printer_.name().c_str()));
  ListGuard g;
  EXPECT_EQ((std::vector<std::u16string>{u"Fax with cover sheet", u"Fax with a sending record"}), SharedNames(&g));
  ASSERT_NE(nullptr, g.list.first);
  EXPECT_EQ(1, g.list.first->header.protectedSet);
  EXPECT_EQ(std::u16string(u"Sends the fax with a cover sheet in front of the first page.\r\n"
                           u"Fill in the cover sheet from the FAX sheet before sending."),
            std::u16string(g.list.first->header.comment));
  EXPECT_EQ(std::u16string(u"Fax Driver"), std::u16string(g.list.first->header.model));

  std::vector<BYTE> first(sizeof(DocDMode) + 16);
  DWORD type = 0, got = 0;
  ASSERT_EQ(ERROR_SUCCESS, GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"EasySetFirstOEMDev"), &type,
                                           first.data(), static_cast<DWORD>(first.size()), &got));
  ASSERT_EQ(sizeof(DocDMode), got);
  const DocFields& f = Fields(*reinterpret_cast<const DocDMode*>(first.data()));
  EXPECT_EQ(kEasySetStateShared, f.byEasySetIndex);
  EXPECT_EQ(std::u16string(u"Fax with cover sheet"), std::u16string(f.szEasySetName));
  EXPECT_EQ(1, f.faxSetting.fgFaxCoverSheet);
  EXPECT_TRUE(IsSoundDocDMode(reinterpret_cast<const DocDMode*>(first.data()))) << "the reset takes sealed records only";
  // The library's reset of the default settings takes the first preset.
  auto reset = reinterpret_cast<PrcResetDocDModeFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(module_, kPrcResetDocDMode)));
  ASSERT_NE(nullptr, reset);
  auto defaults = std::make_unique<DocDMode>();
  ASSERT_TRUE(reset(nullptr, defaults.get(), 0, printer_.name().c_str()));
  EXPECT_EQ(std::u16string(u"Fax with cover sheet"), std::u16string(Fields(*defaults).szEasySetName));
  EXPECT_EQ(1, Fields(*defaults).faxSetting.fgFaxCoverSheet);

  // Installed: a second call changes nothing, not even a store emptied since.
  ListGuard none;
  ASSERT_TRUE(SaveSharedEasySets(none.list, printer_.handle()));
  EXPECT_EQ(TRUE, install_(printer_.name().c_str()));
  ListGuard again;
  EXPECT_TRUE(SharedNames(&again).empty());
}

TEST_F(EasySetPresets, PresetsOfAnotherDriverAreSkipped) {
  testsupport::TestPrinter other(L"Easy Set other driver");
  ASSERT_TRUE(other.ok()) << other.error();
  const DWORD zero = 0;
  SetPrinterDataW(other.handle(), const_cast<wchar_t*>(L"SetEasySetPreset"), REG_DWORD,
                  reinterpret_cast<BYTE*>(const_cast<DWORD*>(&zero)), sizeof zero);
  ASSERT_EQ(TRUE, install_(other.name().c_str()));
  ListGuard g;
  LoadSharedEasySets(other.handle(), &g.list);
  EXPECT_EQ(nullptr, g.list.first);
  DWORD installed = 0, type = 0, got = 0;
  GetPrinterDataW(other.handle(), const_cast<wchar_t*>(L"SetEasySetPreset"), &type,
                  reinterpret_cast<BYTE*>(&installed), sizeof installed, &got);
  EXPECT_EQ(1u, installed);
}

}  // namespace
