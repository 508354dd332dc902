// The side data of a sheet session on a printer in Wine's spooler: the
// device forms, watermarks, per-page lists, resident colour profiles and
// the user's authentication values are read from their stores when the
// first document sheet starts, written back when the sheets are applied,
// kept past the session's limits, and an Easy Set chosen in the session
// brings back what it carries and holds its list positions to the
// session's lists.
#include "dproc/finishing/finishing_sheets_win.h"
#include "dproc/easyset/user_side_data_win.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "common/records/doc_fields.h"
#include "common/records/inter_sheet_list.h"
#include "common/records/inter_sheet_rules.h"
#include "common/win/auth_store_win.h"
#include "common/win/inter_sheet_store.h"
#include "common/win/user_registry.h"
#include "dproc/easyset/easy_set_area_win.h"
#include "dproc/easyset/easy_set_records.h"
#include "dproc/easyset/easy_set_session_win.h"
#include "dproc/easyset/easy_set_store_win.h"
#include "dproc/overlay/form_store_win.h"
#include "dproc/overlay/overlay_session_win.h"
#include "dproc/quality/profile_store_win.h"
#include "dproc/saved/settings_file_io_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/per_page_ui_lists.h"
#include "dproc/watermark/watermark_session_win.h"
#include "dproc/watermark/watermark_store_win.h"
#include "common/qxd/model_info.h"
#include "common/win/ui_services.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/test_printer_win.h"
#include "dproc/easyset/tests/easy_set_test_sheet_win.h"

namespace {

using namespace easyset_test;

constexpr wchar_t kDriver[] = L"Fax Test Driver";
constexpr wchar_t kRgbSourceKey[] = L"Printer Resident\\RGB Source Profiles";

void SetNumberAndClose(HKEY key, const wchar_t* name, DWORD value) {
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

ColorProfileRecord Profile(const std::u16string& name, uint32_t type) {
  ColorProfileRecord r{};
  std::memcpy(r.downloadName, name.data(), name.size() * 2);
  r.srcType = type;
  return r;
}

class SideData : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    InstallEasySetArea();
    SetSheetConstraintCheck(AcceptAll);
    // A model with per-page lists and device overlays.
    savedModel_ = ProcessModelInfo();
    model_ = std::make_unique<ModelInfo>();
    model_->features[kMfPerPageSetting] = 1;
    ProcessModelInfo() = model_.get();
  }
  void TearDown() override {
    kit_.reset();
    ProcessModelInfo() = savedModel_;
    SheetServices() = {nullptr, nullptr, nullptr};
    SetSheetConstraintCheck(nullptr);
    wchar_t path[1024];
    if (MakeUserSettingsPath(kDriver, printer_.name().c_str(), L"", path, 1024)) {
      RegDeleteTreeW(HKEY_CURRENT_USER, path);
    }
    EasySetList shared;
    SaveSharedEasySets(shared, printer_.handle());
  }

  // A fresh session of two document sheets with `settings` (zeroed when
  // null).
  testsupport::DialogKit& Open(const DocDMode* settings = nullptr, const std::vector<int>& pages = {100, 101},
                               DLGPROC proc = SheetProc) {
    kit_.reset();
    kit_ = std::make_unique<testsupport::DialogKit>();
    kit_->Session().printer = printer_.handle();
    wcsncpy(kit_->Session().printerName, printer_.name().c_str(), 259);
    if (settings != nullptr) kit_->Settings() = *settings;
    EXPECT_NE(kit_->OpenPages(kit_->Templates(), pages, proc), nullptr);
    return *kit_;
  }
  void Apply() {
    PropSheet_Apply(kit_->Sheet());
    testsupport::DialogKit::Pump();
  }

  void StoreDeviceForms(std::initializer_list<const char*> names) {
    DriverFormList* list = LoadDeviceFormList(printer_.name().c_str(), kDriver);
    ASSERT_NE(nullptr, list);
    list->nodes.clear();
    for (const char* name : names) {
      DriverFormNode* node = AddDriverForm(list, name, 1);
      ASSERT_NE(nullptr, node);
      node->registered = 1;
    }
    EXPECT_TRUE(SaveDeviceFormList(list));
    FreeDeviceFormList(list);
  }
  HKEY ProfileKey() {
    wchar_t path[1024];
    EXPECT_TRUE(MakeUserSettingsPath(kDriver, printer_.name().c_str(), kRgbSourceKey, path, 1024));
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    return key;
  }
  // A shared Easy Set of `settings` with the given watermark lists, which
  // it restores.
  void ShareEasySet(const std::u16string& name, const DocDMode& settings, const EasySetWatermarks& marks) {
    EasySetList shared;
    LoadSharedEasySets(printer_.handle(), &shared);
    const EasySetDriverFacts facts{u"Fax Test Driver", u"1.2.6", u"Windows NT x64", u""};
    EasySetHeader header = MakeEasySetHeader(facts, name, u"");
    header.restore[kRestoreWatermarks] = 1;
    ASSERT_TRUE(AddEasySet(&shared, BuildEasySetFromSettings(header, settings, marks, SystemAnsiCodec()),
                           kEasySetShared));
    ASSERT_TRUE(SaveSharedEasySets(shared, printer_.handle()));
    FreeEasySetList(&shared);
  }
  // Chooses the Easy Set named `name` in the area of the open page.
  void Choose(const std::wstring& name) {
    HWND combo = kit_->Control(kEasySetComboId);
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      if (ComboText(combo, i) == name) {
        kit_->Select(kEasySetComboId, i);
        return;
      }
    }
    ADD_FAILURE() << "no Easy Set of that name";
  }
  const DocFields& Settings() { return Fields(kit_->Settings()); }

  testsupport::TestPrinter printer_{L"Side data"};
  std::unique_ptr<testsupport::DialogKit> kit_;
  std::unique_ptr<ModelInfo> model_;
  ModelInfo* savedModel_ = nullptr;
};

TEST_F(SideData, EachKindIsReadWhenTheSheetsStartAndWrittenBackOnApply) {
  StoreDeviceForms({"LETTERHEAD", "INVOICE"});
  // The user's authentication values as an earlier session left them.
  auto stored = std::make_unique<DocDMode>();
  DocFields& a = Fields(*stored);
  a.byUserType = 2;
  std::memcpy(a.szAuthUserName, u"alice", 10);
  a.byAuthUserPass[0] = 0x5a;
  a.wAuthUserPassLen = 1;
  std::strcpy(a.szDeptName, "SALES");
  a.nServerSetting = 3;
  std::strcpy(a.szSecurePrintId, "4711");
  ASSERT_TRUE(SaveAuthenticationReg(printer_.handle(), stored.get()));
  const ColorProfileRecord rgb[2] = {Profile(u"OFFICE", 1), Profile(u"PHOTO", 2)};
  ASSERT_TRUE(SaveResidentProfiles(printer_.handle(), ResidentProfileList::kRgbSource, rgb, 2));
  InterSheetList list{};
  std::memcpy(list.name, u"Chapters", 16);
  ASSERT_TRUE(SaveInterSheetList(printer_.name().c_str(), kDriver, 3, &list));

  Open();
  const SheetCtx* ctx = kit_->Context();
  EXPECT_EQ(2u, SessionFormCount(ctx));
  EXPECT_EQ(2, Settings().byUserType);
  EXPECT_EQ(u"alice", std::u16string(Settings().szAuthUserName));
  EXPECT_EQ(1, Settings().wAuthUserPassLen);
  EXPECT_EQ(0x5a, Settings().byAuthUserPass[0]);
  EXPECT_STREQ("SALES", Settings().szDeptName);
  EXPECT_EQ(3, Settings().nServerSetting);
  EXPECT_STREQ("4711", Settings().szSecurePrintId);
  const ResidentProfileUiState* profiles = SessionResidentProfiles(ctx);
  ASSERT_NE(nullptr, profiles->lists[0]);
  EXPECT_EQ(2u, profiles->counts[0]);
  EXPECT_EQ(2u, profiles->lists[0][1].srcType);
  EXPECT_EQ(0u, profiles->counts[1]);
  PerPageUiLists* perPage = PerPageListsOf(&kit_->UiState());
  ASSERT_NE(nullptr, perPage->lists[2]);
  EXPECT_EQ(u"Chapters", std::u16string(perPage->lists[2]->name));
  ASSERT_NE(nullptr, WatermarkSessionOf(ctx));

  // What the session changed reaches the stores on apply.
  std::memcpy(Fields(kit_->Settings()).szAuthUserName, u"bob\0\0", 10);
  std::memcpy(perPage->lists[2]->name, u"Sections", 16);
  profiles->lists[0][0].srcType = 7;
  OverlayStateOf(ctx)->device->nodes.pop_back();
  Apply();
  AuthRegRecord record;
  ReadAuthRegRecord(kDriver, printer_.name().c_str(), &record);
  EXPECT_EQ(u"bob", std::u16string(record.szAuthUserName));
  EXPECT_STREQ("SALES", record.szDeptName);
  InterSheetList* back = LoadInterSheetList(printer_.name().c_str(), kDriver, 3, false);
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(u"Sections", std::u16string(back->name));
  FreeInterSheetList(back);
  ColorProfileRecord read[kResidentProfilesMax];
  uint32_t count = 0;
  ASSERT_TRUE(LoadResidentProfiles(printer_.handle(), ResidentProfileList::kRgbSource, read, &count));
  EXPECT_EQ(2u, count);
  EXPECT_EQ(7u, read[0].srcType);
  DriverFormList* forms = LoadDeviceFormList(printer_.name().c_str(), kDriver);
  ASSERT_NE(nullptr, forms);
  EXPECT_EQ(1u, forms->nodes.size());
  FreeDeviceFormList(forms);

  // The session's end frees it all; a new session reads the stores again.
  kit_.reset();
  Open();
  EXPECT_EQ(1u, SessionFormCount(kit_->Context()));
  EXPECT_EQ(u"bob", std::u16string(Settings().szAuthUserName));
  EXPECT_EQ(7u, SessionResidentProfiles(kit_->Context())->lists[0][0].srcType);
}

// A store holding more than the session does keeps the rest: the session
// shows the first 12 resident profiles, and applying the sheets without a
// change to them leaves the 15 stored ones and their count alone.
TEST_F(SideData, AProfileListLongerThanTheSessionKeepsItsTailThroughAnApply) {
  HKEY key = ProfileKey();
  for (DWORD i = 0; i < 15; ++i) {
    const ColorProfileRecord r = Profile(u"P", i + 1);
    wchar_t name[16];
    _snwprintf(name, 16, L"RGBSc%lu", static_cast<unsigned long>(i));
    RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&r), sizeof r);
  }
  SetNumberAndClose(key, L"RGBScNum", 15);

  Open();
  const ResidentProfileUiState* profiles = SessionResidentProfiles(kit_->Context());
  EXPECT_EQ(kResidentProfilesMax, profiles->counts[0]);
  EXPECT_EQ(12u, profiles->lists[0][11].srcType);
  Apply();
  kit_.reset();

  key = ProfileKey();
  DWORD count = 0, size = sizeof count;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"RGBScNum", nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size));
  EXPECT_EQ(15u, count);
  ColorProfileRecord last{};
  size = sizeof last;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"RGBSc14", nullptr, nullptr, reinterpret_cast<BYTE*>(&last), &size));
  EXPECT_EQ(15u, last.srcType);
  RegCloseKey(key);
}

// The same for a per-page list of more pages than a list holds: the session
// shows the first 256, and an apply that did not change the list leaves the
// stored 300 alone.
TEST_F(SideData, APerPageListLongerThanTheSessionKeepsItsTailThroughAnApply) {
  // The document sheets, and the Cover Page sheet, whose own apply writes
  // the lists too.
  struct Pages {
    std::vector<int> templates;
    DLGPROC proc;
  };
  for (const Pages& pages : {Pages{{100, 101}, SheetProc}, Pages{{kCoverPageSheetTemplate}, CoverPageSheetProc}}) {
    SCOPED_TRACE(pages.templates.front());
    auto* entries = static_cast<InterSheetEntry*>(std::calloc(kInterSheetMaxEntries, sizeof(InterSheetEntry)));
    ASSERT_NE(nullptr, entries);
    for (uint32_t i = 0; i < kInterSheetMaxEntries; ++i) {
      entries[i].row = i + 1;
      entries[i].pages[0] = u'1';
    }
    InterSheetList list{};
    std::memcpy(list.name, u"Long", 8);
    list.count = kInterSheetMaxEntries;
    list.entries = entries;
    ASSERT_TRUE(SaveInterSheetList(printer_.name().c_str(), kDriver, 4, &list));
    std::free(entries);
    HKEY key = OpenInterSheetListKey(printer_.name().c_str(), kDriver, 4);
    ASSERT_NE(nullptr, key);
    for (DWORD page = kInterSheetMaxEntries + 1; page <= 300; ++page) {
      InterSheetEntry entry{};
      entry.row = page;
      entry.pages[0] = u'1';
      wchar_t name[32];
      _snwprintf(name, 32, L"ISPageListData%lu", static_cast<unsigned long>(page));
      RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&entry), sizeof entry);
    }
    SetNumberAndClose(key, L"ISPageListNum", 300);

    Open(nullptr, pages.templates, pages.proc);
    const PerPageUiLists* perPage = PerPageListsOf(&kit_->UiState());
    ASSERT_NE(nullptr, perPage->lists[3]);
    EXPECT_EQ(kInterSheetMaxEntries, perPage->lists[3]->count);
    Apply();
    kit_.reset();

    key = OpenInterSheetListKey(printer_.name().c_str(), kDriver, 4);
    ASSERT_NE(nullptr, key);
    DWORD count = 0, size = sizeof count;
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueExW(key, L"ISPageListNum", nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size));
    EXPECT_EQ(300u, count);
    RegCloseKey(key);
  }
}

// An Easy Set saved with the session's side data brings it back when it is
// chosen again; its form and watermark positions are held to the lists the
// session has now.
TEST_F(SideData, AnEasySetBringsBackWhatItCarriesHeldToTheSessionsLists) {
  struct Case {
    const char* what;
    int forms;            // device forms stored
    int16_t savedForm;    // the Easy Set's form position
    uint8_t overlay;      // the overlay switch it was saved with
    uint8_t expectOverlay;
    int16_t expectForm;
  };
  const Case cases[] = {
      {"a form the list holds", 2, 1, 1, 1, 1},
      {"a form past the list", 2, 5, 1, 1, 0},
      {"no forms at all", 0, 1, 1, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StoreDeviceForms({});
    if (c.forms == 2) StoreDeviceForms({"LETTERHEAD", "INVOICE"});
    const WaterMarkInfo user[2] = {Watermark(u"Mine", u"MINE"), Watermark(u"Ours", u"OURS")};
    ASSERT_TRUE(WriteUserWaterMarks(nullptr, printer_.name().c_str(), kDriver, user, 1));
    auto settings = std::make_unique<DocDMode>();
    DocFields& f = Fields(*settings);
    f.bOverlay = c.overlay;
    f.nFormListPos = c.savedForm;
    f.bWmk = 1;
    std::memcpy(f.WmkInfo_szKey, &user[1], sizeof user[1]);
    EasySetWatermarks marks;
    marks.privateMarks = {user[0], user[1]};
    ShareEasySet(u"Letterhead", *settings, marks);

    Open();
    std::memcpy(Fields(kit_->Settings()).szAuthUserName, u"carol", 10);
    Choose(L"Letterhead");
    EXPECT_EQ(c.expectOverlay, Settings().bOverlay);
    EXPECT_EQ(c.expectForm, Settings().nFormListPos);
    const WatermarkSession* session = WatermarkSessionOf(kit_->Context());
    ASSERT_NE(nullptr, session);
    ASSERT_EQ(2u, session->privateCount);
    EXPECT_EQ(u"Ours", TitleText(session->privateMarks[1]));
    EXPECT_EQ(1, Settings().bWmk);
    EXPECT_EQ(u"Ours", TitleText(*reinterpret_cast<const WaterMarkInfo*>(Settings().WmkInfo_szKey)));
    // The user's values are not an Easy Set's to change.
    EXPECT_EQ(u"carol", std::u16string(Settings().szAuthUserName));
    kit_.reset();
    EasySetList shared;
    SaveSharedEasySets(shared, printer_.handle());
  }
}

}  // namespace
