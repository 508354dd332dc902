// Start-up of the procedure library under Wine: attach and detach beside
// the sample model and its siblings, with any of them missing; the binding
// of VELDRANH; the download manager through App Paths; and the tables that
// attach builds, read back against the sample model's text source.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/contracts/proc_library_exports_win.h"
#include "common/win/bind_export.h"
#include "common/qxd/fax_cover_styles.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/message_text.h"
#include "dproc/model/option_text_sections.h"
#include "common/win/user_registry.h"
#include "common/qxd/version_strings.h"
#include "dproc/startup/color_option_lists.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/startup/dl_manager_win.h"
#include "dproc/startup/edit_range_limits.h"
#include "dproc/startup/model_startup_defaults.h"
#include "dproc/startup/per_page_slots.h"
#include "dproc/startup/proc_library_entry_win.h"
#include "dproc/startup/sheet_tab_tips.h"
#include "dproc/startup/sprinst_messages.h"
#include "dproc/startup/startup_settings.h"
#include "dproc/startup/watermark_defaults.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"
#include "tools/qxd/constraint_document.h"
#include "tools/qxd/qxd_document.h"

namespace {

using testsupport::Widen;

std::wstring SampleModel() { return Widen(testsupport::BinaryPath("model/VELDRANH.QXD")); }

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

qxd::Document SampleText(const std::string& name) {
  qxd::Document doc;
  std::string error;
  EXPECT_TRUE(qxd::ParseText(ReadText(testsupport::SourcePath("model/" + name)), &doc, &error)) << error;
  return doc;
}

// A directory of its own under the temporary directory, removed with what
// it holds (files of libraries still loaded are left behind).
class TempDir {
 public:
  TempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int serial = 0;
    path_ = std::wstring(base) + L"vdstart" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++serial) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempDir() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
      if (!DeleteFileW(it->c_str())) RemoveDirectoryW(it->c_str());
    }
    RemoveDirectoryW(path_.c_str());
  }
  const std::wstring& Path() const { return path_; }
  std::wstring Copy(const std::wstring& from, const std::wstring& name) {
    std::wstring to = path_ + name;
    EXPECT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE)) << std::string(name.begin(), name.end());
    made_.push_back(to);
    return to;
  }
  std::wstring Dir(const std::wstring& name) {
    std::wstring dir = path_ + name;
    CreateDirectoryW(dir.c_str(), nullptr);
    made_.push_back(dir);
    return dir;
  }
  void Track(const std::wstring& file) { made_.push_back(file); }

 private:
  std::wstring path_;
  std::vector<std::wstring> made_;
};

// --- Binding of VELDRANH -------------------------------------------------

TEST(DDProcBinding, BindsExactlyTheNamesTheLibraryExports) {
  TempDir dir;
  std::wstring own = dir.Copy(testsupport::ProgramFolder() + L"FAKEDDPR.DLL", L"VELDRANA.DLL");
  std::wstring sibling = dir.Copy(testsupport::ProgramFolder() + L"FAKEDDPR.DLL", L"VELDRANH.DLL");
  HMODULE ownModule = LoadLibraryW(own.c_str());
  ASSERT_NE(ownModule, nullptr);

  LoadDDProcLibrary(ownModule);
  HMODULE bound = GetModuleHandleW(sibling.c_str());
  ASSERT_NE(bound, nullptr);
  EXPECT_EQ(g_ddproc.module, bound);
  const DDProcEntry exported[] = {kDrawPrinterView, kMibIsModelOK, kDDProcDlgProc, kDDProcDeletePrinterStatusUsb};
  for (size_t i = 0; i < kDDProcEntryCount; ++i) {
    bool expected = std::find(std::begin(exported), std::end(exported), i) != std::end(exported);
    EXPECT_EQ(g_ddproc.entry[i] != nullptr, expected) << kDDProcEntryNames[i];
    if (expected) {
      EXPECT_EQ(g_ddproc.entry[i], GetProcAddress(bound, kDDProcEntryNames[i]));
    }
  }

  // Bound once: a second call neither reloads nor takes another reference.
  LoadDDProcLibrary(ownModule);
  FreeDDProcLibrary();
  EXPECT_EQ(GetModuleHandleW(sibling.c_str()), nullptr);
  EXPECT_EQ(g_ddproc.module, nullptr);
  for (FARPROC entry : g_ddproc.entry) EXPECT_EQ(entry, nullptr);
  FreeDDProcLibrary();  // unbound: nothing happens
  FreeLibrary(ownModule);
}

TEST(DDProcBinding, WithoutTheLibraryNothingIsBound) {
  TempDir dir;
  std::wstring own = dir.Copy(testsupport::ProgramFolder() + L"FAKEDDPR.DLL", L"VELDRANA.DLL");
  HMODULE ownModule = LoadLibraryW(own.c_str());
  ASSERT_NE(ownModule, nullptr);
  LoadDDProcLibrary(ownModule);
  EXPECT_EQ(g_ddproc.module, nullptr);
  for (FARPROC entry : g_ddproc.entry) EXPECT_EQ(entry, nullptr);
  FreeLibrary(ownModule);
}

// --- Download manager ----------------------------------------------------

const wchar_t kAppPaths[] = L"Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

class DLManager : public ::testing::Test {
 protected:
  void SetUp() override { std::memcpy(savedName_, g_dlManagerFileName, sizeof savedName_); }
  void TearDown() override {
    for (const std::wstring& key : keys_) RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
    std::memcpy(g_dlManagerFileName, savedName_, sizeof savedName_);
  }
  // Registers `program` with a "Path" value of the given type and bytes.
  void Register(const std::wstring& program, DWORD type, const void* data, DWORD size) {
    std::wstring key = kAppPaths + program;
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                              nullptr),
              ERROR_SUCCESS);
    if (data != nullptr) RegSetValueExW(handle, L"Path", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
    keys_.push_back(key);
  }
  void RegisterPath(const std::wstring& program, const std::wstring& path) {
    Register(program, REG_SZ, path.c_str(), static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  }
  static std::wstring Path() {
    wchar_t path[kDLManagerPathUnits];
    GetDLManagerPath(path);
    return path;
  }

 private:
  char savedName_[kSettingText];
  std::vector<std::wstring> keys_;
};

TEST_F(DLManager, AppPathsCases) {
  TempDir dir;
  std::wstring folder = dir.Dir(L"dl manager");
  dir.Copy(testsupport::ProgramFolder() + L"dl_manager_standin.exe", L"dl manager\\FAXDLTEST.EXE");
  std::strcpy(g_dlManagerFileName, "FAXDLTEST.EXE");

  EXPECT_EQ(Path(), L"");  // not registered
  EXPECT_EQ(DLManagerInstalled(), 0);

  RegisterPath(L"FAXDLTEST.EXE", folder);  // no trailing backslash
  EXPECT_EQ(Path(), folder + L"\\FAXDLTEST.EXE");
  EXPECT_EQ(DLManagerInstalled(), 1);
  RegisterPath(L"FAXDLTEST.EXE", folder + L"\\");
  EXPECT_EQ(Path(), folder + L"\\FAXDLTEST.EXE");

  struct Case {
    const char* why;
    std::wstring path;
  } notInstalled[] = {
      {"empty Path value", L""},
      {"file missing at the registered path", dir.Path() + L"elsewhere"},
      {"path that does not fit with the file name", L"C:\\" + std::wstring(505, L'd')},
  };
  for (const Case& c : notInstalled) {
    RegisterPath(L"FAXDLTEST.EXE", c.path);
    EXPECT_EQ(DLManagerInstalled(), 0) << c.why;
    if (c.path.empty() || c.path.size() > 500) {
      EXPECT_EQ(Path(), L"") << c.why;
    }
  }
  // A value longer than the buffer, a number, a text without terminator.
  std::wstring longPath = L"C:\\" + std::wstring(600, L'x');
  RegisterPath(L"FAXDLTEST.EXE", longPath);
  EXPECT_EQ(Path(), L"");
  DWORD number = 7;
  Register(L"FAXDLTEST.EXE", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(Path(), L"");
  Register(L"FAXDLTEST.EXE", REG_SZ, folder.c_str(), static_cast<DWORD>(folder.size() * sizeof(wchar_t)));
  EXPECT_EQ(Path(), folder + L"\\FAXDLTEST.EXE");
}

TEST_F(DLManager, WithoutAProgramNameTheBuiltInOneIsLookedUp) {
  g_dlManagerFileName[0] = '\0';
  RegisterPath(L"TASCOVEN.EXE", L"C:\\Program Files (x86)\\Fax Tools");
  EXPECT_EQ(Path(), L"C:\\Program Files (x86)\\Fax Tools\\TASCOVEN.EXE");
}

TEST_F(DLManager, StartsTheProgramAtItsPathEvenWithSpaces) {
  TempDir dir;
  std::wstring folder = dir.Dir(L"dl manager");
  std::wstring program = dir.Copy(testsupport::ProgramFolder() + L"dl_manager_standin.exe", L"dl manager\\FAXDLTEST.EXE");
  // What an unquoted command line would start instead.
  std::wstring decoy = dir.Copy(testsupport::ProgramFolder() + L"dl_manager_standin.exe", L"dl.exe");
  dir.Track(program + L".ran");
  dir.Track(decoy + L".ran");
  std::strcpy(g_dlManagerFileName, "FAXDLTEST.EXE");
  EXPECT_FALSE(LaunchDLManager());  // not registered

  RegisterPath(L"FAXDLTEST.EXE", folder);
  ASSERT_TRUE(LaunchDLManager());
  for (int i = 0; i < 100 && !testsupport::FileExists(program + L".ran"); ++i) Sleep(100);
  EXPECT_TRUE(testsupport::FileExists(program + L".ran"));
  EXPECT_FALSE(testsupport::FileExists(decoy + L".ran"));
}

// --- Attach and detach ---------------------------------------------------

const wchar_t* const kStartupLibraries[] = {L"VELDRANA.DLL", L"VELDRANH.DLL", L"VELDRANW.DLL", L"VELDRANG.DLL"};
const wchar_t* const kModelFiles[] = {L"VELDRANH.QXD", L"VELDRANK.QXD", L"VELDRANP.QXD", L"VELDRANX.QXD"};

// Lays out the library beside its siblings and the sample model's files,
// without `missing`; `library` stands in for VELDRANA.DLL when given.
void LayOut(TempDir* dir, const wchar_t* missing, const wchar_t* library = nullptr) {
  for (const wchar_t* name : kStartupLibraries) {
    if (missing != nullptr && std::wcscmp(name, missing) == 0) continue;
    bool own = std::wcscmp(name, L"VELDRANA.DLL") == 0 && library != nullptr;
    dir->Copy(testsupport::ProgramFolder() + (own ? library : name), name);
  }
  for (const wchar_t* name : kModelFiles) {
    if (missing != nullptr && std::wcscmp(name, missing) == 0) continue;
    std::string narrow(name, name + std::wcslen(name));
    dir->Copy(Widen(testsupport::BinaryPath("model/" + narrow)), name);
  }
}

TEST(ProcLibrary, AttachesWithAnyStartUpFileMissingAndDetachesCleanly) {
  const wchar_t* missing[] = {nullptr,        L"VELDRANH.QXD", L"VELDRANK.QXD", L"VELDRANP.QXD",
                              L"VELDRANX.QXD", L"VELDRANH.DLL", L"VELDRANW.DLL", L"VELDRANG.DLL"};
  for (const wchar_t* gone : missing) {
    std::string label = gone == nullptr ? "nothing missing" : std::string(gone, gone + std::wcslen(gone));
    TempDir dir;
    LayOut(&dir, gone);
    HMODULE library = LoadLibraryW((dir.Path() + L"VELDRANA.DLL").c_str());
    ASSERT_NE(library, nullptr) << label;
    auto getImages = BindExport<GetImgResInstFn>(library, kGetImgResInst);
    ASSERT_NE(getImages, nullptr);
    bool haveImages = gone == nullptr || std::wcscmp(gone, L"VELDRANW.DLL") != 0;
    EXPECT_EQ(getImages() != nullptr, haveImages) << label;
    if (haveImages) {
      EXPECT_EQ(getImages(), GetModuleHandleW((dir.Path() + L"VELDRANW.DLL").c_str())) << label;
    }
    bool haveDevice = gone == nullptr || std::wcscmp(gone, L"VELDRANH.DLL") != 0;
    EXPECT_EQ(GetModuleHandleW((dir.Path() + L"VELDRANH.DLL").c_str()) != nullptr, haveDevice) << label;

    EXPECT_TRUE(FreeLibrary(library)) << label;
    EXPECT_EQ(GetModuleHandleW((dir.Path() + L"VELDRANA.DLL").c_str()), nullptr) << label;
    EXPECT_EQ(GetModuleHandleW((dir.Path() + L"VELDRANW.DLL").c_str()), nullptr) << label;
    EXPECT_EQ(GetModuleHandleW((dir.Path() + L"VELDRANH.DLL").c_str()), nullptr) << label;
  }
}

TEST(ProcLibrary, AttachesBesideADamagedDescriptionFile) {
  std::ifstream in(testsupport::BinaryPath("model/VELDRANH.QXD"), std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 4096u);
  // Every fourth word from the first kilobyte on is turned into a far offset.
  for (size_t at = 1024; at + 4 <= bytes.size(); at += 16) std::memset(&bytes[at], 0xEE, 4);
  for (size_t keep : {bytes.size(), size_t{2000}, size_t{60}, size_t{0}}) {
    TempDir dir;
    LayOut(&dir, L"VELDRANH.QXD");
    std::wstring damaged = dir.Path() + L"VELDRANH.QXD";
    std::ofstream(std::string(damaged.begin(), damaged.end()), std::ios::binary).write(bytes.data(), keep);
    dir.Track(damaged);
    HMODULE library = LoadLibraryW((dir.Path() + L"VELDRANA.DLL").c_str());
    EXPECT_NE(library, nullptr) << keep;
    if (library != nullptr) {
      EXPECT_TRUE(FreeLibrary(library));
    }
  }
}

TEST(ProcLibrary, MakerNameOfTheDescriptionReachesGetCompanyName) {
  qxd::Document doc = SampleText("VELDRANH.txt");
  for (qxd::Section& section : doc.sections) {
    if (section.name != "RegistryKeySetting") continue;
    for (auto& pair : section.pairs) {
      if (pair.first == "VendorName") pair.second = "Fax Works";
    }
  }
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  TempDir dir;
  LayOut(&dir, L"VELDRANH.QXD");
  std::wstring model = dir.Path() + L"VELDRANH.QXD";
  std::ofstream(std::string(model.begin(), model.end()), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  dir.Track(model);
  HMODULE library = LoadLibraryW((dir.Path() + L"VELDRANA.DLL").c_str());
  ASSERT_NE(library, nullptr);
  auto company = BindExport<GetCompanyNameFn>(library, kGetCompanyName);
  ASSERT_NE(company, nullptr);
  wchar_t name[64];
  company(name, 64);
  EXPECT_STREQ(name, L"Fax Works");
  FreeLibrary(library);
}

// The whole attach in this process, with a stand-in module as the library's
// own, so that every table it builds can be looked at.
TEST(ProcLibrary, AttachBuildsEveryTableInOrderAndDetachFreesThem) {
  TempDir dir;
  LayOut(&dir, nullptr, L"FAKEDDPR.DLL");
  HMODULE own = LoadLibraryW((dir.Path() + L"VELDRANA.DLL").c_str());
  ASSERT_NE(own, nullptr);
  ASSERT_TRUE(ProcLibraryEntry(own, DLL_PROCESS_ATTACH, nullptr));

  EXPECT_EQ(g_procModules.images, GetModuleHandleW((dir.Path() + L"VELDRANW.DLL").c_str()));
  // The dialog templates stay loaded; nothing keeps their handle.
  EXPECT_NE(GetModuleHandleW((dir.Path() + L"VELDRANG.DLL").c_str()), nullptr);
  EXPECT_EQ(g_ddproc.module, GetModuleHandleW((dir.Path() + L"VELDRANH.DLL").c_str()));
  ASSERT_NE(ProcessModelInfo(), nullptr);
  ASSERT_NE(g_featureTable, nullptr);
  EXPECT_NE(g_featureTable[0].keyword[0], 0);

  // The constraint file: its rules, indexed over the feature table, and its
  // version text.
  qxd::ConstraintDocument rules;
  std::string error;
  ASSERT_TRUE(qxd::ParseConstraintText(ReadText(testsupport::SourcePath("model/VELDRANK.txt")), &rules, &error))
      << error;
  EXPECT_EQ(ProcessConstraintRules().set.rules.size(), rules.rules.size());
  EXPECT_EQ(ProcessConstraintRules().features, g_featureTable);
  EXPECT_EQ(qxd::Utf16ToUtf8(GetVersionString(kVersionConstraint)), rules.version);
  EXPECT_EQ(qxd::Utf16ToUtf8(ProcessConstraintRules().version), rules.version);

  // Versions of the three description files.
  auto versionOf = [](const std::string& file, const std::string& key) {
    for (const qxd::Section& section : SampleText(file).sections) {
      for (const qxd::Item& item : section.items) {
        if (section.name == "Version" && item.key == key) return item.text;
      }
    }
    return std::string();
  };
  EXPECT_EQ(qxd::Utf16ToUtf8(GetVersionString(kVersionBasic)), versionOf("VELDRANH.txt", "Ver_Basic"));
  EXPECT_EQ(qxd::Utf16ToUtf8(GetVersionString(kVersionLocalize)), versionOf("VELDRANH.txt", "Ver_Localize"));
  EXPECT_EQ(qxd::Utf16ToUtf8(GetVersionString(kVersionCommand)), versionOf("VELDRANP.txt", "Ver_Command"));
  EXPECT_EQ(qxd::Utf16ToUtf8(GetVersionString(kVersionDriver)), versionOf("VELDRANX.txt", "Ver_driver"));

  // Per-page slots for the model's edit lines, each with a mark per rule.
  ASSERT_EQ(g_perPageSlots[0].count, 20u);
  EXPECT_NE(g_perPageSlots[9].slots[19].entry, nullptr);
  EXPECT_EQ(g_perPageSlots[9].slots[19].ruleMarks != nullptr, !rules.rules.empty());

  // The message rows come from the loaded "MessageStr" table.
  const char16_t* caption = MessageRow(8);
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(qxd::Utf16ToUtf8(caption), "Device Connection Check");

  ASSERT_TRUE(ProcLibraryEntry(own, DLL_PROCESS_DETACH, nullptr));
  EXPECT_EQ(ProcessModelInfo(), nullptr);
  EXPECT_EQ(g_featureTable, nullptr);
  EXPECT_TRUE(ProcessConstraintRules().set.rules.empty());
  EXPECT_EQ(g_perPageSlots[0].slots, nullptr);
  EXPECT_EQ(MessageRow(8), nullptr);
  EXPECT_EQ(g_procModules.images, nullptr);
  EXPECT_EQ(GetModuleHandleW((dir.Path() + L"VELDRANW.DLL").c_str()), nullptr);
  EXPECT_EQ(GetModuleHandleW((dir.Path() + L"VELDRANH.DLL").c_str()), nullptr);
  EXPECT_EQ(g_ddproc.module, nullptr);
  FreeLibrary(own);
}

// --- What attach reads, against the sample model's text ------------------

const qxd::Section* FindSection(const qxd::Document& doc, const std::string& name) {
  for (const qxd::Section& s : doc.sections) {
    if (s.name == name) return &s;
  }
  return nullptr;
}

int64_t Field(const qxd::Item& item, const std::string& name) {
  for (const qxd::FieldValue& v : item.fields) {
    if (v.name == name) return v.number;
  }
  return 0;
}

std::string FieldText(const qxd::Item& item, const std::string& name) {
  for (const qxd::FieldValue& v : item.fields) {
    if (v.name == name) return v.text;
  }
  return std::string();
}

std::string Utf8(const char16_t* text) { return qxd::Utf16ToUtf8(text); }
std::string PackedUtf8(const void* field, size_t units) {
  std::u16string text(units, u'\0');
  std::memcpy(text.data(), field, units * sizeof(char16_t));
  return qxd::Utf16ToUtf8(text.substr(0, text.find(u'\0')));
}
#define PACKED(field) PackedUtf8(&(field), sizeof(field) / sizeof(char16_t))

std::string PairValue(const qxd::Document& doc, const std::string& section, const std::string& name) {
  const qxd::Section* s = FindSection(doc, section);
  if (s == nullptr) return std::string();
  for (const auto& pair : s->pairs) {
    if (pair.first == name) return pair.second;
  }
  return std::string();
}

TEST(ProcLibrary, TablesReadAtAttachMatchTheSampleModel) {
  std::ifstream in(testsupport::SourcePath("model/VELDRANH.txt"));
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(text, &doc, &error)) << error;

  LoadDispStringTablesFrom(SampleModel().c_str());

  // Limits: every range of the table, in the field's unit.
  for (const EditRangeLimit& limit : g_editRangeLimits) {
    const qxd::Section* s = FindSection(doc, limit.section);
    ASSERT_NE(s, nullptr) << limit.section;
    EXPECT_EQ(limit.minimum, static_cast<int32_t>(s->minimum) * limit.scale) << limit.section;
    EXPECT_EQ(limit.maximum, static_cast<int32_t>(s->maximum) * limit.scale) << limit.section;
  }

  // Watermarks in file order, the "none" entry apart; grey on a model
  // without colour.
  const bool colorDevice = PairValue(doc, "DevInfo", "ColorDevice") == "TRUE";
  const qxd::Section* marks = FindSection(doc, "Watermark");
  ASSERT_NE(marks, nullptr);
  size_t next = 0;
  for (const qxd::Item& item : marks->items) {
    if (item.key == "WM_None") {
      EXPECT_EQ(Utf8(g_watermarkNoneText), FieldText(item, "title"));
      continue;
    }
    ASSERT_LT(next, kDefaultWatermarks);
    const WaterMarkInfo& w = g_defaultWatermarks[next++];
    EXPECT_EQ(std::string(w.szKey), item.key);
    EXPECT_EQ(PACKED(w.szWmkTitle), FieldText(item, "title"));
    EXPECT_EQ(PACKED(w.szWmkStr), FieldText(item, "printed"));
    EXPECT_EQ(PACKED(w.szFontName), FieldText(item, "face"));
    EXPECT_EQ(int64_t{w.nStyle}, Field(item, "style"));
    EXPECT_EQ(int64_t{w.wSize}, Field(item, "size"));
    EXPECT_EQ(int64_t{w.crColor}, colorDevice ? Field(item, "color") : int64_t{kMonochromeWatermarkColor});
    EXPECT_EQ(int64_t{w.nAngle}, Field(item, "angle"));
    EXPECT_EQ(int64_t{w.ptWmkPosX}, Field(item, "x"));
    EXPECT_EQ(int64_t{w.ptWmkPosY}, Field(item, "y"));
    EXPECT_EQ(int64_t{w.wFrame}, Field(item, "frame"));
    EXPECT_EQ(int64_t{w.bBkGrnd}, Field(item, "transparent"));
    EXPECT_EQ(int64_t{w.bFstPg}, Field(item, "firstPage"));
    EXPECT_EQ(int64_t{w.bMultiStamp}, Field(item, "repeat"));
  }
  EXPECT_GT(next, 0u);
  if (next < kDefaultWatermarks) {
    EXPECT_EQ(PACKED(g_defaultWatermarks[next].szWmkTitle), "");
  }

  // Fonts, the default face, the overlay's "none" text.
  const qxd::Section* fonts = FindSection(doc, "WM_Font");
  ASSERT_NE(fonts, nullptr);
  for (size_t i = 0; i < fonts->items.size(); ++i) {
    EXPECT_EQ(Utf8(g_watermarkFonts[i]), fonts->items[i].text);
    if (fonts->items[i].key == fonts->defaultKey) {
      EXPECT_EQ(Utf8(g_defaultWatermarkFace), fonts->items[i].text);
    }
  }
  const qxd::Section* overlay = FindSection(doc, "Overlay");
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(Utf8(g_overlayNoneText), overlay->items.back().text);

  // Settings sections.
  EXPECT_EQ(Utf8(g_makerName), PairValue(doc, "RegistryKeySetting", "VendorName"));
  EXPECT_EQ(std::string(g_consumablesUrl), PairValue(doc, "ConsumSetting", "URL"));
  EXPECT_EQ(std::string(g_dlManagerFileName), PairValue(doc, "DLManagerSetting", "DLFileName"));
  const qxd::Section* tarlo = FindSection(doc, "Tarlo");
  ASSERT_NE(tarlo, nullptr);
  EXPECT_EQ(int64_t{g_webShopFlag}, Field(tarlo->items[0], "webShop"));

  // Sheet tab titles and tips.
  for (const TabTipEntry* row = g_sheetTabTips; row->section[0] != '\0'; ++row) {
    const qxd::Section* titles = FindSection(doc, row->section);
    ASSERT_NE(titles, nullptr) << row->section;
    EXPECT_EQ(Utf8(row->title), titles->items[0].text) << row->section;
    const qxd::Section* tips = FindSection(doc, row->tipSection);
    ASSERT_NE(tips, nullptr) << row->tipSection;
    std::string joined;
    for (const qxd::Item& line : tips->items) joined += (joined.empty() ? "" : "\r\n") + line.text;
    EXPECT_EQ(Utf8(row->tipText), joined) << row->tipSection;
  }

  // Cover-sheet styles: each style's words in key order.
  for (const FaxCoverStyle& style : g_faxCoverStyles) {
    const qxd::Section* s = FindSection(doc, style.pszSectionKey);
    ASSERT_NE(s, nullptr) << style.pszSectionKey;
    const char16_t* fields[kCoverStyleKeys] = {style.szFontFace,        style.szStyleTitle,   style.szLabelTo,
                                               style.szLabelFaxNumber,  style.szLabelFrom,    style.szLabelPhone,
                                               style.szLabelFaxNumber2, style.szLabelEMail,   style.szLabelTotal,
                                               style.szLabelRe};
    for (size_t k = 0; k < kCoverStyleKeys; ++k) {
      std::string expected;
      for (const qxd::Item& item : s->items) {
        if (item.key == style.apszItemKeys[k]) expected = item.text;
      }
      EXPECT_FALSE(expected.empty()) << style.apszItemKeys[k];
      EXPECT_EQ(Utf8(fields[k]), expected) << style.apszItemKeys[k];
    }
  }

  // Colour lists: every profile section read in order, up to its capacity.
  const qxd::Section* colors = FindSection(doc, "ColorSetting");
  ASSERT_NE(colors, nullptr);
  for (size_t i = 0; i < colors->items.size(); ++i) {
    EXPECT_EQ(std::string(g_colorSettingList[i].keyword), colors->items[i].key);
    EXPECT_EQ(Utf8(g_colorSettingList[i].text), colors->items[i].text);
  }
  EXPECT_EQ(g_colorSettingList[colors->items.size()].keyword[0], '\0');
  for (const ColorProfileListSpec& spec : kColorProfileLists) {
    const qxd::Section* s = FindSection(doc, spec.section);
    ASSERT_NE(s, nullptr) << spec.section;
    ASSERT_LT(s->items.size(), spec.rows) << spec.section;
    for (size_t i = 0; i < s->items.size(); ++i) {
      EXPECT_EQ(std::string(spec.list[i].keyword), s->items[i].key) << spec.section;
      EXPECT_EQ(Utf8(spec.list[i].text), s->items[i].text) << spec.section;
      if (spec.values == ColorValueKind::Position) {
        EXPECT_EQ(spec.list[i].value, i) << spec.section;
      }
    }
    EXPECT_EQ(spec.list[s->items.size()].keyword[0], '\0') << spec.section;
  }
  // The sample model names no language of its own: the dialog face is Arial.
  ASSERT_EQ(FindSection(doc, "Country"), nullptr);
  EXPECT_EQ(Utf8(g_defaultDialogFace), "Arial");

  // The settings interface's messages, one per code and the fallback.
  const qxd::Section* messages = FindSection(doc, "DDJOV_ErrMsg");
  ASSERT_NE(messages, nullptr);
  for (const SprinstMessageRow* row = g_sprinstMessages; row->key != nullptr; ++row) {
    std::string expected;
    for (const qxd::Item& item : messages->items) {
      if (item.key == row->key) expected = item.value;
    }
    EXPECT_FALSE(expected.empty()) << row->key;
    EXPECT_EQ(std::string(row->text), expected) << row->key;
  }

  // Display texts: each table of the catalogue holds its section's text for
  // its own record.
  size_t captions = 0;
  for (size_t i = 0; i < DialogTextSectionCount(); ++i) {
    const DialogTextSection& d = DialogTextSectionAt(i);
    const qxd::Section* s = FindSection(doc, d.section);
    if (s == nullptr || d.tables[0] == nullptr) continue;
    // The colour adjustment's texts are read only for a model that shows it.
    const bool read =
        !d.colorAdjust || (ProcessModelInfo() != nullptr && ProcessModelInfo()->features[kMfColorAdjust] != 0);
    for (const qxd::Item& item : s->items) {
      if (item.key == d.tables[0][0].keyword) {
        if (!read) {
          EXPECT_EQ(Utf8(d.tables[0][0].text), "") << d.section;
          continue;
        }
        EXPECT_EQ(Utf8(d.tables[0][0].text), item.text) << d.section;
        ++captions;
      }
    }
  }
  EXPECT_GE(captions, 3u);
  // Option texts: every entry of the model's option-text sections that names
  // an option of the section's tables.
  size_t options = 0;
  for (size_t i = 0; i < OptionTextSectionCount(); ++i) {
    const OptionTextSection& o = OptionTextSectionAt(i);
    const qxd::Section* s = FindSection(doc, o.section);
    OptionTextTarget targets[2];
    if (s == nullptr || ResolveOptionTextTargets(o, ProcessModelInfo(), targets) == 0) continue;
    for (const OptionTextTarget& t : targets) {
      for (const OptionHead* row = t.table; row != nullptr && row->keyword[0] != '\0';
           row = reinterpret_cast<const OptionHead*>(reinterpret_cast<const uint8_t*>(row) + t.rowSize)) {
        for (const qxd::Item& item : s->items) {
          if (!QxdNameEquals(item.key.c_str(), row->keyword)) continue;
          EXPECT_EQ(Utf8(reinterpret_cast<const char16_t*>(row + 1)), item.text) << o.section << " " << item.key;
          ++options;
        }
      }
    }
  }
  EXPECT_GE(options, 40u);
}

}  // namespace
