// The Colour Setting dialogs as a caller runs them: a dialog procedure shows
// a template modally on a sheet context and offers every message to
// DDProc_DlgProc under the template id; the device library's hook fills
// the lists from its colour tables and the session's resident profiles
// and stores the choices.  The library sits in a folder of its own with a
// description file made for the test and a stand-in procedure library.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "common/records/color_profile_record.h"
#include "common/records/doc_fields.h"
#include "ddproc/tests/color_profile_fixture.h"
#include "ddproc/tests/device_dialog_folder_win.h"
#include "dproc/sheets/ui_state_layout.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"

namespace {

using ddtest::Choose;
using ddtest::Folder;
using ddtest::Selected;

// The sample model with the object lists keyed for their own objects and
// the given colour-setting dialog type.
std::string ModelText(const std::string& type = "TYPE1") {
  std::string text = ddtest::ReadText(testsupport::SourcePath("model/VELDRANH.txt"));
  text = std::regex_replace(text, std::regex("pair \"Dlg_ColorSetting\" \"TYPE1\""),
                            "pair \"Dlg_ColorSetting\" \"" + type + "\"");
  for (const char* prefix : {"Img_", "Graph_"}) {
    for (const char* list : {"RGBProf", "RGBColorMatch", "RGBGray", "Halftone"}) {
      const std::string head = std::string("section \"") + prefix + list + "\"";
      const size_t from = text.find(head);
      const size_t to = text.find("\n\n", from);
      std::string body = text.substr(from, to - from);
      body = std::regex_replace(body, std::regex("key=\"Text_"), std::string("key=\"") + prefix);
      text.replace(from, to - from, body);
    }
  }
  return text;
}

using ddtest::Profile;

// The session's resident profiles: three RGB sources, two simulation
// profiles and one destination profile.
struct Residents {
  ColorProfileRecord rgb[kResidentProfilesMax] = {Profile(u"DL1", u"Office", 0), Profile(u"DL2", u"", 1),
                                                  Profile(u"DL3", u"Photo lab", 1)};
  ColorProfileRecord simulation[kResidentProfilesMax] = {Profile(u"SIM1", u"Press", 0),
                                                         Profile(u"SIM2", u"Newspaper", 0)};
  ColorProfileRecord destination[kResidentProfilesMax] = {Profile(u"DST1", u"Glossy", 1)};
  explicit Residents(testsupport::DialogKit& kit) {
    ResidentProfileUiState lists = {{rgb, simulation, destination}, {3, 2, 1}};
    std::memcpy(kit.UiState().bytes + kUiStateResidentProfilesAt, &lists, sizeof lists);
  }
};

// The caller: offers every message under the template id and returns what
// the hook returns for the messages it consumed.
struct Caller {
  static inline DDProcDlgProcFn hook = nullptr;
  static inline int32_t pageId = 0;
  static inline std::vector<UINT> consumed;
  static INT_PTR CALLBACK Proc(HWND d, UINT m, WPARAM w, LPARAM l) {
    int32_t handled = 0;
    const uint32_t result = hook(pageId, d, m, w, l, &handled);
    if (handled == 0) return FALSE;
    consumed.push_back(m);
    return static_cast<INT_PTR>(result);
  }
};

using Script = std::function<int(HWND)>;

// Runs the template modally; the script acts on the open dialog and names
// the button that ends it.  Returns the dialog's result.
INT_PTR RunDialog(const Folder& folder, testsupport::DialogKit& kit, int32_t templateId, const Script& script) {
  Caller::hook = folder.hook();
  Caller::pageId = templateId;
  Caller::consumed.clear();
  testsupport::ModalDialogDriver driver;
  driver.Then(
      [&](HWND d) {
        const int button = script(d);
        SendMessageW(d, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, button)));
      },
      testsupport::ModalDialogDriver::WithControl(1332), testsupport::ModalDialogDriver::kWhenShown);
  const INT_PTR result = DialogBoxParamW(kit.Templates(), MAKEINTRESOURCEW(templateId), nullptr, Caller::Proc,
                                         reinterpret_cast<LPARAM>(kit.Context()));
  EXPECT_EQ(driver.Driven(), 1);
  return result;
}

std::vector<std::wstring> Items(HWND dialog, int comboId) {
  HWND combo = GetDlgItem(dialog, comboId);
  std::vector<std::wstring> items;
  const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[200] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}
std::u16string Text(const char16_t* s) { return std::u16string(s); }

TEST(ColorSettingDialog, ChoicesThroughTheHookAreStoredAtOnceAndAtOk) {
  Folder folder(ModelText(), "complete");
  ASSERT_NE(folder.hook(), nullptr);
  testsupport::DialogKit kit;
  Residents residents(kit);
  DocFields& f = Fields(kit.Settings());
  f.nImageRGBColor = 128;
  f.nCharRGBColor = 300;  // a resident profile that is no longer there
  ASSERT_EQ(RunDialog(folder, kit, 2505, [&](HWND d) {
              // The image RGB sources: the section's rows, then the resident
              // profiles with their location texts.
              EXPECT_EQ(Items(d, 1504), (std::vector<std::wstring>{L"sRGB", L"Adobe RGB (1998)",
                                                                    L"DL1 (Office) on the hard disk",
                                                                    L"DL2 in flash memory",
                                                                    L"DL3 (Photo lab) in flash memory"}));
              EXPECT_EQ(Selected(d, 1504), 1);
              // The stale text source fell back to its first entry, stored
              // with the entry's text as the profile name.
              EXPECT_EQ(Selected(d, 1509), 0);
              EXPECT_EQ(f.nCharRGBColor, 1);
              EXPECT_EQ(Text(f.CharRGBSc_szProfileName), u"sRGB");
              Choose(d, 1504, 4);  // DL3
              EXPECT_EQ(f.nImageRGBColor, 258);
              EXPECT_EQ(Text(f.ImageRGBSc_szDownloadName), u"DL3");
              EXPECT_EQ(Text(f.ImageRGBSc_szProfileName), u"Photo lab");
              Choose(d, 1354, 0);  // photographic
              EXPECT_EQ(f.ColorImage_nColorChg, 1);
              EXPECT_EQ(Items(d, 1524), (std::vector<std::wstring>{L"No simulation", L"Offset printing",
                                                                    L"SIM1 (Press) on the hard disk",
                                                                    L"SIM2 (Newspaper) on the hard disk"}));
              Choose(d, 1524, 3);  // the second resident simulation profile
              EXPECT_EQ(f.nSimProfileMode, 128);
              EXPECT_EQ(Text(f.SimProfile_szDownloadName), u"SIM2");
              Choose(d, 1524, 1);  // a built-in one clears the record
              EXPECT_EQ(f.nSimProfileMode, 1);
              EXPECT_EQ(f.SimProfile_szDownloadName[0], 0);
              EXPECT_EQ(Selected(d, 1524), 1);
              Choose(d, 1599, 1);  // the image's resident destination
              EXPECT_EQ(f.nImageDestColor, 128);
              EXPECT_EQ(Text(f.ImageDestSc_szDownloadName), u"DST1");
              // The edges are read at OK.
              SendMessageW(GetDlgItem(d, 2509), BM_CLICK, 0, 0);
              EXPECT_EQ(f.nImgEdge, 0);
              EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 1393)));  // no download manager
              EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 1528)));
              // A picture of the dialog for review, under <build>/screenshots/;
              // drawing it draws the stop icons through the procedure library.
              RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
              EXPECT_FALSE(kit.Screenshot("color_setting_2505", d).empty());
              EXPECT_EQ(Selected(d, 1524), 1);
              return IDOK;
            }),
            1);
  EXPECT_EQ(f.nImgEdge, 1);
  EXPECT_EQ(f.nImageRGBColor, 258);
  EXPECT_EQ(f.ColorImage_nColorChg, 1);
  EXPECT_NE(std::find(Caller::consumed.begin(), Caller::consumed.end(), static_cast<UINT>(WM_DESTROY)),
            Caller::consumed.end());
  const std::string log = folder.Log();
  EXPECT_NE(log.find("RunDeviceDialog 2505"), std::string::npos);  // on the skeleton
  EXPECT_NE(log.find("DoConstraints 0 0 -1"), std::string::npos);  // the whole dialog at start
  EXPECT_NE(log.find("DispHintControl 128 1"), std::string::npos);
  EXPECT_NE(log.find("DoConstraints 0 1504 -1"), std::string::npos);
  EXPECT_NE(log.find("ReqDrawStopInfoIconExp 1503"), std::string::npos);
}

TEST(ColorSettingDialog, ARefusedChoiceIsUndoneAndCancelRestoresEverything) {
  Folder folder(ModelText(), "complete");
  SetEnvironmentVariableW(L"PROC_REFUSE", L"1354");
  testsupport::DialogKit kit;
  Residents residents(kit);
  DocFields& f = Fields(kit.Settings());
  f.nImageRGBColor = 1;
  f.nCharRGBColor = 1;
  f.nGraphicsRGBColor = 1;
  f.ColorImage_nColorChg = 0;  // vivid
  auto before = std::make_unique<DocDMode>(kit.Settings());
  ASSERT_EQ(RunDialog(folder, kit, 128, [&](HWND d) {
              EXPECT_EQ(Selected(d, 1354), 1);
              Choose(d, 1354, 0);  // refused
              EXPECT_EQ(f.ColorImage_nColorChg, 0);
              EXPECT_EQ(Selected(d, 1354), 1);
              Choose(d, 1509, 3);  // accepted: DL1
              EXPECT_EQ(f.nCharRGBColor, 256);
              return IDCANCEL;
            }),
            2);
  EXPECT_EQ(std::memcmp(&kit.Settings(), before.get(), sizeof(DocDMode)), 0);
  EXPECT_NE(folder.Log().find("DoConstraints 0 1354 -1"), std::string::npos);
}

TEST(ColorSettingDialog, GraphicsFollowTheChosenObjectAndTheDestinationTakesAResidentProfile) {
  Folder folder(ModelText(), "complete");
  testsupport::DialogKit kit;
  Residents residents(kit);
  DocFields& f = Fields(kit.Settings());
  f.nImageRGBColor = 1;
  f.nCharRGBColor = 1;
  ASSERT_EQ(RunDialog(folder, kit, 122, [&](HWND d) {
              EXPECT_EQ(IsDlgButtonChecked(d, 1475), BST_CHECKED);
              Choose(d, 1504, 2);  // DL1
              Choose(d, 1332, 1);  // image halftone: detail
              SendMessageW(GetDlgItem(d, 1477), BM_CLICK, 0, 0);
              EXPECT_EQ(f.nColorGraphics, 1);
              EXPECT_EQ(f.ColorGraphics_nScreen, f.ColorImage_nScreen);
              EXPECT_EQ(f.nGraphicsRGBColor, 256);
              EXPECT_EQ(Text(f.GraphRGBSc_szDownloadName), u"DL1");
              EXPECT_EQ(Items(d, 1525), (std::vector<std::wstring>{L"This device", L"DST1 (Glossy) in flash memory"}));
              Choose(d, 1525, 1);
              return IDOK;
            }),
            1);
  EXPECT_EQ(f.ColorImage_nScreen, 1);  // "Img_Detail"
  EXPECT_EQ(f.nDestProfileMode, 128);
  EXPECT_EQ(Text(f.DestProfile_szProfileName), u"Glossy");
}

TEST(ColorSettingDialog, OtherTemplatesPassAndALockedDocumentDisablesTheChoices) {
  Folder folder(ModelText(), "complete");
  testsupport::DialogKit kit;
  // The procedure library's own pages pass untouched.
  int32_t handled = 0;
  folder.hook()(100, nullptr, WM_COMMAND, MAKEWPARAM(1504, CBN_SELENDOK), 0, &handled);
  EXPECT_EQ(handled, 0);
  kit.Session().mayChange = 0;
  ASSERT_EQ(RunDialog(folder, kit, 2506, [&](HWND d) {
              for (int id : {1504, 1354, 1332, 2509, 1032, 1502}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, id))) << id;
              for (int id : {IDOK, IDCANCEL, 9}) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, id))) << id;
              return IDOK;
            }),
            1);
}

TEST(ColorSettingDialog, WithoutTheSkeletonTheDialogEndsAtOnceAndLeavesTheSettings) {
  for (const char* kind : {"", "no_skeleton"}) {
    SCOPED_TRACE(kind);
    Folder folder(ModelText(), kind);
    testsupport::DialogKit kit;
    auto before = std::make_unique<DocDMode>(kit.Settings());
    Caller::hook = folder.hook();
    Caller::pageId = 2529;
    Caller::consumed.clear();
    // The dialog never shows: DialogBoxParam comes back with Cancel.
    EXPECT_EQ(DialogBoxParamW(kit.Templates(), MAKEINTRESOURCEW(2529), nullptr, Caller::Proc,
                              reinterpret_cast<LPARAM>(kit.Context())),
              IDCANCEL);
    EXPECT_EQ(std::memcmp(&kit.Settings(), before.get(), sizeof(DocDMode)), 0);
  }
}

}  // namespace
