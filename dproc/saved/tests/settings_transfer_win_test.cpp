// The settings import and export of the procedure library on a printer of
// Wine's spooler: the exports as an application reaches them (VELDRANA from
// the printer's driver directory, beside the sample model), and the same
// operations with a spooler that fails where a real one will not, so that
// every error code is seen.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/contracts/settings_transfer_win.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/win/bind_export.h"
#include "dproc/saved/settings_file_io_win.h"
#include "dproc/saved/settings_transfer_win.h"
#include "dproc/watermark/watermark_lists.h"
#include "dproc/watermark/watermark_store_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// The DEVMODE the spooler keeps at `level` (8 the printer's, 9 the user's).
std::vector<BYTE> StoredDevMode(HANDLE printer, DWORD level) {
  DWORD needed = 0;
  GetPrinterW(printer, level, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !GetPrinterW(printer, level, buffer.data(), needed, &needed)) return {};
  const DEVMODEW* dm = level == 8 ? reinterpret_cast<PRINTER_INFO_8W*>(buffer.data())->pDevMode
                                  : reinterpret_cast<PRINTER_INFO_9W*>(buffer.data())->pDevMode;
  if (dm == nullptr) return {};
  const BYTE* bytes = reinterpret_cast<const BYTE*>(dm);
  return std::vector<BYTE>(bytes, bytes + dm->dmSize + dm->dmDriverExtra);
}

const DocDMode* DocOf(std::vector<BYTE>& devmode) {
  uint32_t error = 0;
  return devmode.empty() ? nullptr : LocateDocDMode(devmode.data(), &error);
}

std::string FileText(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<none>";
  std::string text(GetFileSize(f, nullptr), '\0');
  DWORD read = 0;
  ReadFile(f, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(f);
  return text;
}

void PutFile(const std::wstring& path, const std::string& text) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}

class SettingsTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    const std::wstring dir = testsupport::DriverDirectoryOf(printer_.handle());
    module_ = LoadLibraryW((dir + L"VELDRANA.DLL").c_str());
    ASSERT_NE(module_, nullptr) << GetLastError();
    exportFn_ = BindExport<SettingsTransferFn>(module_, kSprinstSettingExport);
    importFn_ = BindExport<SettingsTransferFn>(module_, kSprinstSettingImport);
    defaultFn_ = BindExport<SettingsTransferFn>(module_, kSprinstDefaultSetting);
    personalFn_ = BindExport<SettingsTransferFn>(module_, kSprinstPersonalInfoImport);
    messageFn_ = BindExport<SettingsErrorMessageFn>(module_, kSprinstGetErrorMsg);
    ASSERT_TRUE(exportFn_ && importFn_ && defaultFn_ && personalFn_ && messageFn_);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    files_ = std::wstring(temp) + L"settings-transfer-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(files_.c_str(), nullptr);
    name_ = Narrow(printer_.name());
    // An initialised printer holds its device settings record.
    DevDMode device{};
    device.option.displayConstMsg = 1;
    ASSERT_EQ(WritePrivateDevModeData(printer_.handle(), &device), 0u);
  }
  void TearDown() override {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((files_ + L"*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        SetFileAttributesW((files_ + found.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((files_ + found.cFileName).c_str());
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(files_.c_str());
    if (module_) FreeLibrary(module_);
  }
  std::wstring File(const wchar_t* name) const { return files_ + name; }
  DWORD Export(const std::wstring& path) { return exportFn_(name_.c_str(), Narrow(path).c_str()); }
  DWORD Import(const std::wstring& path) { return importFn_(name_.c_str(), Narrow(path).c_str()); }

  // The exported file with one line of a section replaced or added.
  std::wstring Edited(const wchar_t* name, const char16_t* section, const char16_t* key, const char16_t* value) {
    const std::wstring path = File(name);
    EXPECT_EQ(Export(path), 0u);
    auto doc = ReadSettingsFile(path.c_str());
    EXPECT_TRUE(doc);
    if (!doc) return path;
    IniDoc_SetRaw(*doc, section, key, value);
    EXPECT_TRUE(WriteSettingsFile(*doc, path.c_str()));
    return path;
  }

  testsupport::TestPrinter printer_{L"Fax Settings File"};
  HMODULE module_ = nullptr;
  SettingsTransferFn exportFn_ = nullptr, importFn_ = nullptr, defaultFn_ = nullptr, personalFn_ = nullptr;
  SettingsErrorMessageFn messageFn_ = nullptr;
  std::wstring files_;
  std::string name_;
};

TEST_F(SettingsTransferTest, ExportWritesTheWholeSettingsFile) {
  const std::wstring path = File(L"export.ini");
  ASSERT_EQ(Export(path), 0u);
  auto doc = ReadSettingsFile(path.c_str());
  ASSERT_TRUE(doc);
  ASSERT_EQ(doc->sections.size(), 12u);
  EXPECT_EQ(doc->sections[0].name, u"DriverInfo");
  EXPECT_EQ(doc->sections[11].name, u"CustomPaper");
  char16_t model[32] = {};
  ASSERT_TRUE(IniDoc_GetString(*doc, u"DriverInfo", u"model", model, 32));
  EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t*>(model)), testsupport::FaxDriver().name);
  int32_t version = 0;
  ASSERT_TRUE(IniDoc_GetInt(*doc, u"DriverInfo", u"versionnum", &version));
  EXPECT_EQ(version, 1);
  char16_t name[32] = {};
  ASSERT_TRUE(IniDoc_GetString(*doc, u"EasySetName", u"name", name, 32));
  EXPECT_EQ(std::u16string(name), u"DD-SETTING");
  // The file is stable: exported again, it is the same file.
  const std::wstring again = File(L"again.ini");
  ASSERT_EQ(Export(again), 0u);
  EXPECT_EQ(FileText(path), FileText(again));
}

TEST_F(SettingsTransferTest, ImportStoresTheFileForUserAndPrinter) {
  const std::wstring path = Edited(L"copies.ini", u"OEMDEV", u"nCopies", u"7");
  {
    auto doc = ReadSettingsFile(path.c_str());
    ASSERT_TRUE(doc);
    ASSERT_TRUE(IniDoc_SetRaw(*doc, u"OEMDEV", u"bOverlay", u"1"));
    ASSERT_TRUE(IniDoc_SetRaw(*doc, u"OEMDEV", u"wWmkListPos", u"5"));
    ASSERT_TRUE(WriteSettingsFile(*doc, path.c_str()));
  }
  ASSERT_EQ(Import(path), 0u);
  for (DWORD level : {9u, 8u}) {
    SCOPED_TRACE(level);
    std::vector<BYTE> stored = StoredDevMode(printer_.handle(), level);
    const DocDMode* doc = DocOf(stored);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(+Fields(*doc).nCopies, 7);
    EXPECT_EQ(+Fields(*doc).bOverlay, 0);             // the overlay goes off
    EXPECT_EQ(+Fields(*doc).nFormListPos, -1);
    EXPECT_EQ(+Fields(*doc).wWmkListPos, 0);          // no watermark list holds position 5
    EXPECT_TRUE(DocDModeChecksumMatches(doc));
    EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(stored.data())->dmCopies, 7);
  }
  // What was imported exports again as the same settings.
  const std::wstring back = File(L"back.ini");
  ASSERT_EQ(Export(back), 0u);
  auto doc = ReadSettingsFile(back.c_str());
  ASSERT_TRUE(doc);
  int32_t copies = 0;
  ASSERT_TRUE(IniDoc_GetInt(*doc, u"OEMDEV", u"nCopies", &copies));
  EXPECT_EQ(copies, 7);
}

WaterMarkInfo NamedMark(const std::u16string& title) {
  WaterMarkInfo mark{};
  title.copy(mark.szWmkTitle, 31);
  title.copy(mark.szWmkStr, 128);
  mark.wSize = 48;
  return mark;
}

TEST_F(SettingsTransferTest, TheWatermarkListsTravelWithTheFile) {
  const WaterMarkInfo shared[] = {NamedMark(u"SHARED")};
  const WaterMarkInfo own[] = {NamedMark(u"MINE"), NamedMark(u"ALSO MINE")};
  const std::wstring driver = testsupport::FaxDriver().name;
  ASSERT_TRUE(WritePrinterWaterMarks(printer_.name().c_str(), shared, 1));
  ASSERT_TRUE(WriteUserWaterMarks(nullptr, printer_.name().c_str(), driver.c_str(), own, 2));
  const std::wstring path = File(L"watermarks.ini");
  ASSERT_EQ(Export(path), 0u);
  auto doc = ReadSettingsFile(path.c_str());
  ASSERT_TRUE(doc);
  int32_t count = 0;
  ASSERT_TRUE(IniDoc_GetInt(*doc, u"Watermark_Public", u"WMInfoCnt", &count));
  EXPECT_EQ(count, 1);
  ASSERT_TRUE(IniDoc_GetInt(*doc, u"Watermark_Private", u"WMInfoCnt", &count));
  EXPECT_EQ(count, 2);
  ASSERT_TRUE(IniDoc_GetInt(*doc, u"Watermark_Order", u"WMOrderCnt", &count));
  EXPECT_EQ(count, 3);

  // The user's lists as another computer had them come back from the file.
  ASSERT_TRUE(WriteUserWaterMarks(nullptr, printer_.name().c_str(), driver.c_str(), own, 0));
  ASSERT_EQ(Import(path), 0u);
  WaterMarkInfo* marks = nullptr;
  const size_t n = ReadUserWaterMarks(nullptr, printer_.name().c_str(), driver.c_str(), &marks);
  ASSERT_EQ(n, 2u);
  EXPECT_EQ(std::u16string(TitleOf(marks[1]).text), u"ALSO MINE");
  LocalFree(marks);
  const std::wstring back = File(L"watermarks-back.ini");
  ASSERT_EQ(Export(back), 0u);
  auto again = ReadSettingsFile(back.c_str());
  ASSERT_TRUE(again);
  char16_t name[32] = {};
  ASSERT_TRUE(IniDoc_GetString(*again, u"Watermark_Order", u"WMOrder3.szName", name, 32));
  EXPECT_EQ(std::u16string(name), u"ALSO MINE");
  ASSERT_TRUE(WritePrinterWaterMarks(printer_.name().c_str(), shared, 0));
  ASSERT_TRUE(WriteUserWaterMarks(nullptr, printer_.name().c_str(), driver.c_str(), own, 0));
  ASSERT_TRUE(WriteWaterMarkOrder(nullptr, printer_.name().c_str(), driver.c_str(), nullptr, 0));
}

TEST_F(SettingsTransferTest, DamagedFilesAreRefusedAndChangeNothing) {
  struct Case {
    const wchar_t* name;
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
    DWORD code;
  };
  const Case cases[] = {
      {L"version.ini", u"DriverInfo", u"versionnum", u"2", kTransferWrongVersion},
      {L"model.ini", u"DriverInfo", u"model", u"\"Another Model\"", kTransferWrongModel},
      {L"language.ini", u"DriverInfo", u"language", u"\"xx\"", kTransferWrongLanguage},
      {L"toolong.ini", u"OEMDEV", u"szVQSectionName", u"\"far too long for its field\"", kTransferFileNotRead},
  };
  std::vector<BYTE> user = StoredDevMode(printer_.handle(), 9);
  std::vector<BYTE> global = StoredDevMode(printer_.handle(), 8);
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    const std::wstring path = Edited(c.name, c.section, c.key, c.value);
    {
      auto doc = ReadSettingsFile(path.c_str());
      IniDoc_SetRaw(*doc, u"OEMDEV", u"nCopies", u"9");
      WriteSettingsFile(*doc, path.c_str());
    }
    EXPECT_EQ(Import(path), c.code);
    EXPECT_EQ(StoredDevMode(printer_.handle(), 9), user);
    EXPECT_EQ(StoredDevMode(printer_.handle(), 8), global);
  }
  // A later version for another model is refused for its version first.
  const std::wstring both = Edited(L"both.ini", u"DriverInfo", u"versionnum", u"2");
  {
    auto doc = ReadSettingsFile(both.c_str());
    IniDoc_SetRaw(*doc, u"DriverInfo", u"model", u"\"Another\"");
    WriteSettingsFile(*doc, both.c_str());
  }
  EXPECT_EQ(Import(both), kTransferWrongVersion);
  // A language differing only in case is the same language.
  auto language = ReadSettingsFile(Edited(L"case.ini", u"OEMDEV", u"nCopies", u"3").c_str());
  char16_t code[8] = {};
  IniDoc_GetString(*language, u"DriverInfo", u"language", code, 8);
  for (char16_t* c = code; *c; ++c) *c = (*c >= u'a' && *c <= u'z') ? *c - 32 : (*c >= u'A' && *c <= u'Z') ? *c + 32 : *c;
  IniDoc_SetString(*language, u"DriverInfo", u"language", code);
  WriteSettingsFile(*language, File(L"case.ini").c_str());
  EXPECT_EQ(Import(File(L"case.ini")), 0u);

  // Files that are no settings files.
  PutFile(File(L"empty.ini"), "");
  PutFile(File(L"bom.ini"), "\xEF\xBB\xBF");
  PutFile(File(L"text.ini"), "just some text\r\n");
  user = StoredDevMode(printer_.handle(), 9);
  EXPECT_EQ(Import(File(L"missing.ini")), kTransferFileNotRead);
  EXPECT_EQ(Import(File(L"empty.ini")), kTransferFileNotRead);
  EXPECT_EQ(Import(File(L"bom.ini")), kTransferFileNotRead);
  EXPECT_EQ(Import(File(L"text.ini")), kTransferWrongVersion);
  EXPECT_EQ(StoredDevMode(printer_.handle(), 9), user);
}

TEST_F(SettingsTransferTest, AFailedExportKeepsTheOldFile) {
  EXPECT_EQ(Export(files_ + L"no such folder\\out.ini"), kTransferFileNotWritten);
  // The old file is held open by another program, so it cannot be
  // replaced: it stays whole, and the new file is not left beside it.
  const std::wstring path = File(L"kept.ini");
  PutFile(path, "old contents");
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Export(path), kTransferFileNotWritten);
  CloseHandle(held);
  EXPECT_EQ(FileText(path), "old contents");
  int files = 0;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((files_ + L"*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0; while (FindNextFileW(find, &found));
    FindClose(find);
  }
  EXPECT_EQ(files, 1);
}

TEST_F(SettingsTransferTest, UnknownPrinter) {
  const std::string path = Narrow(File(L"x.ini"));
  for (SettingsTransferFn fn : {exportFn_, importFn_, defaultFn_, personalFn_})
    EXPECT_EQ(fn("No Such Printer", path.c_str()), kTransferPrinterNotOpened);
  const std::string longName(300, 'P');
  EXPECT_EQ(exportFn_(longName.c_str(), path.c_str()), kTransferPrinterNotOpened);
  EXPECT_EQ(exportFn_(nullptr, path.c_str()), kTransferPrinterNotOpened);
  EXPECT_EQ(exportFn_("", path.c_str()), kTransferPrinterNotOpened);  // not the print server
}

TEST_F(SettingsTransferTest, DefaultSettingStoresTheFileAsPrinterData) {
  const std::wstring path = Edited(L"default.ini", u"OEMDEV", u"nCopies", u"4");
  ASSERT_EQ(defaultFn_(name_.c_str(), Narrow(path).c_str()), 0u);
  auto read = [&](const wchar_t* value) {
    DWORD type = 0, needed = 0;
    GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(value), &type, nullptr, 0, &needed);
    std::vector<BYTE> data(needed);
    GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(value), &type, data.data(), needed, &needed);
    return data;
  };
  std::vector<BYTE> oemdev = read(L"DefaultOEMDEV");
  ASSERT_EQ(oemdev.size(), sizeof(DocDMode));
  const auto* doc = reinterpret_cast<const DocDMode*>(oemdev.data());
  EXPECT_EQ(+Fields(*doc).nCopies, 4);
  EXPECT_EQ(+Fields(*doc).byEasySetIndex, 0);
  EXPECT_TRUE(DocDModeChecksumMatches(doc));
  EXPECT_EQ(read(L"DefaultDevOption").size(), sizeof(DevOption));
  std::vector<BYTE> easySet = read(L"DefaultEasySet");
  auto file = ReadSettingsFile(path.c_str());
  const std::u16string text = IniDoc_Render(*file);
  ASSERT_EQ(easySet.size(), text.size() * 2);
  EXPECT_EQ(0, std::memcmp(easySet.data(), text.data(), easySet.size()));
  PutFile(File(L"bad.ini"), "[DriverInfo]\r\nversionnum=1\r\nmodel=\"Other\"\r\n");
  EXPECT_EQ(defaultFn_(name_.c_str(), Narrow(File(L"bad.ini")).c_str()), kTransferWrongModel);
}

TEST_F(SettingsTransferTest, PersonalInformation) {
  const std::wstring path = File(L"personal.ini");
  PutFile(path, "[PersonalInfo]\r\nVQUserName=Taro\r\nVQUserKey=secret\r\nVQSectionName=Dept1\r\n"
                "ServerSetting=21\r\nSecurePrintId=1234\r\n");
  EXPECT_EQ(personalFn_(name_.c_str(), Narrow(path).c_str()), kTransferValueRefused);
  const std::wstring key = L"Software\\HALDOVAR\\" + testsupport::FaxDriver().name + L"\\" + printer_.name();
  auto text = [&](const std::wstring& sub, const wchar_t* value) {
    wchar_t out[128] = {};
    DWORD size = sizeof out;
    RegGetValueW(HKEY_CURRENT_USER, (key + sub).c_str(), value, RRF_RT_REG_SZ, nullptr, out, &size);
    return std::wstring(out);
  };
  auto number = [&](const std::wstring& sub, const wchar_t* value) {
    DWORD out = 0, size = sizeof out;
    RegGetValueW(HKEY_CURRENT_USER, (key + sub).c_str(), value, RRF_RT_REG_DWORD, nullptr, &out, &size);
    return out;
  };
  EXPECT_EQ(text(L"\\Authentication", L"UserName"), L"Taro");
  EXPECT_EQ(number(L"\\Authentication", L"UserType"), 1u);
  EXPECT_EQ(text(L"\\AccountTrack", L"DepartmentName"), L"Dept1");
  EXPECT_EQ(text(L"\\SecurePrint", L"ID"), L"1234");
  PutFile(path, "[PersonalInfo]\r\nVQUserName=Public\r\nServerSetting=3\r\n");
  EXPECT_EQ(personalFn_(name_.c_str(), Narrow(path).c_str()), 0u);
  EXPECT_EQ(number(L"\\Authentication", L"UserType"), 0u);
  EXPECT_EQ(number(L"\\Authentication", L"UserServerSetting"), 3u);
}

TEST_F(SettingsTransferTest, MessagesOfTheSampleModel) {
  EXPECT_STREQ(messageFn_(10), "The settings file was made for another printer model.");
  EXPECT_STREQ(messageFn_(12), "The settings could not be transferred.");
  EXPECT_STREQ(messageFn_(15), "The settings could not be transferred because of an unexpected error.");
  EXPECT_STREQ(messageFn_(0xFFFFFFFF), messageFn_(15));
}

// The operations on a spooler that fails on demand.
struct FailingSpooler {
  TransferSpooler real = RealTransferSpooler([](DEVMODEW*, DocDMode*, const wchar_t*) {});
  bool failProperties = false, failSetPrinter = false, failAllocate = false, failAuth = false;
  const wchar_t* failGet = nullptr;   // printer data that cannot be read
  const wchar_t* failSet = nullptr;   // printer data that cannot be written

  TransferSpooler Table() {
    TransferSpooler t = real;
    t.context = this;
    t.documentProperties = [](void* c, HANDLE p, wchar_t* n, DEVMODEW* o, DWORD m) -> LONG {
      auto* self = static_cast<FailingSpooler*>(c);
      return self->failProperties ? -1 : self->real.documentProperties(nullptr, p, n, o, m);
    };
    t.setPrinter = [](void* c, HANDLE p, DWORD l, BYTE* i) -> BOOL {
      auto* self = static_cast<FailingSpooler*>(c);
      return self->failSetPrinter ? FALSE : self->real.setPrinter(nullptr, p, l, i);
    };
    t.allocate = [](void* c, size_t size) -> void* {
      auto* self = static_cast<FailingSpooler*>(c);
      return self->failAllocate ? nullptr : self->real.allocate(nullptr, size);
    };
    t.saveAuthentication = [](void* c, HANDLE, const DocDMode*) -> BOOL {
      return static_cast<FailingSpooler*>(c)->failAuth ? FALSE : TRUE;
    };
    t.data.context = this;
    t.data.get = [](void* c, HANDLE p, const wchar_t* name, DWORD* type, BYTE* data, DWORD size, DWORD* needed) {
      auto* self = static_cast<FailingSpooler*>(c);
      if (self->failGet && wcscmp(self->failGet, name) == 0) return DWORD{ERROR_ACCESS_DENIED};
      return self->real.data.get(self->real.data.context, p, name, type, data, size, needed);
    };
    t.data.set = [](void* c, HANDLE p, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
      auto* self = static_cast<FailingSpooler*>(c);
      if (self->failSet && wcscmp(self->failSet, name) == 0) return DWORD{ERROR_ACCESS_DENIED};
      return self->real.data.set(self->real.data.context, p, name, type, data, size);
    };
    return t;
  }
};

TEST_F(SettingsTransferTest, EveryFailureHasItsCode) {
  const std::wstring file = File(L"good.ini");
  ASSERT_EQ(Export(file), 0u);
  PutFile(File(L"personal.ini"), "[PersonalInfo]\r\nServerSetting=2\r\n");
  const std::wstring printer = printer_.name();
  const TransferDriverFacts facts = [&] {
    auto doc = ReadSettingsFile(file.c_str());
    char16_t language[8] = {};
    IniDoc_GetString(*doc, u"DriverInfo", u"language", language, 8);
    TransferDriverFacts f;
    f.language = reinterpret_cast<wchar_t*>(language);
    return f;
  }();
  // A printer without a stored device record: the import cannot update it.
  SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"Private DevMode01"), REG_BINARY, nullptr, 0);

  using Run = uint32_t (*)(const TransferSpooler&, const TransferDriverFacts&, const wchar_t*, const wchar_t*);
  struct Case {
    const char* what;
    Run run;
    const std::wstring* path;
    void (*arrange)(FailingSpooler*);
    uint32_t code;
  };
  const std::wstring personal = File(L"personal.ini");
  const Case cases[] = {
      {"no DEVMODE", RunSettingExport, &file, [](FailingSpooler* f) { f->failProperties = true; }, kTransferNoSettings},
      {"no DEVMODE on import", RunSettingImport, &file, [](FailingSpooler* f) { f->failProperties = true; },
       kTransferNoSettings},
      {"no memory", RunSettingExport, &file, [](FailingSpooler* f) { f->failAllocate = true; }, kTransferNoMemory},
      {"no memory for the keys", RunPersonalInfoImport, &personal, [](FailingSpooler* f) { f->failAllocate = true; },
       kTransferNoMemory},
      {"device record unreadable", RunSettingExport, &file,
       [](FailingSpooler* f) { f->failGet = L"Private DevMode01"; }, kTransferDeviceNotRead},
      {"device record missing", RunSettingImport, &file, [](FailingSpooler*) {}, kTransferDeviceNotStored},
      {"user default not stored", RunSettingImport, &file,
       [](FailingSpooler* f) {
         f->failSetPrinter = true;
         f->failGet = nullptr;
       },
       kTransferStoreFailed},
      {"default not stored", RunDefaultSetting, &file, [](FailingSpooler* f) { f->failSet = L"DefaultEasySet"; },
       kTransferDefaultNotStored},
      {"authentication not stored", RunPersonalInfoImport, &personal, [](FailingSpooler* f) { f->failAuth = true; },
       kTransferStoreFailed},
      {"export", RunSettingExport, &file, [](FailingSpooler*) {}, kTransferOk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FailingSpooler spooler;
    c.arrange(&spooler);
    if (c.code == kTransferStoreFailed && c.run == RunSettingImport) {
      // With a device record in place the import reaches its last step.
      DevDMode device{};
      WritePrivateDevModeData(printer_.handle(), &device);
    }
    EXPECT_EQ(c.run(spooler.Table(), facts, printer.c_str(), c.path->c_str()), c.code);
  }
}

}  // namespace

// The settings file of the sample model as the export writes it for a
// printer of the test driver with the model's defaults, compared whole with
// the file kept in the sources.  To make it anew after a deliberate change,
// run this test with SETTINGS_GOLDEN_UPDATE=1 in its environment
// (SETTINGS_GOLDEN_UPDATE=1 ctest --test-dir build/x64 -R settings_transfer_win_test)
// and look at the difference before committing it.
TEST_F(SettingsTransferTest, GoldenFileOfTheSampleModel) {
  // A printer whose device settings were never stored exports the model's.
  SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"Private DevMode01"), REG_BINARY, nullptr, 0);
  const std::wstring path = File(L"golden.ini");
  ASSERT_EQ(Export(path), 0u);
  const std::string exported = FileText(path);
  const std::string goldenPath = testsupport::SourcePath("dproc/saved/tests/data/sample_model_settings.ini");
  const std::wstring golden(goldenPath.begin(), goldenPath.end());
  char update[8] = {};
  if (GetEnvironmentVariableA("SETTINGS_GOLDEN_UPDATE", update, sizeof update) > 0 && update[0] == '1')
    PutFile(golden, exported);
  EXPECT_EQ(exported, FileText(golden)) << "the export differs from " << goldenPath;
  // Read and written again, the file is the same file.
  auto doc = ReadSettingsFile(golden.c_str());
  ASSERT_TRUE(doc);
  ASSERT_TRUE(WriteSettingsFile(*doc, File(L"rewritten.ini").c_str()));
  EXPECT_EQ(FileText(File(L"rewritten.ini")), FileText(golden));
}
