// The Quality sheet under Wine and Xvfb, hosted on a test property sheet in
// both kinds of sheet context: the user interface core's sheet session and
// a plug-in host's document page record.  The sample model's description,
// the constraint pass scripted.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "common/records/doc_fields.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/message_text.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/quality/color_adjustment_dialog_win.h"
#include "dproc/quality/font_settings_dialog_win.h"
#include "dproc/quality/quality_sheet_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/sheet_context.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) { return g_refuse.count(id) != 0 ? 101 : 199; }

// What a plug-in host heard through its print core's item update.
std::vector<LONG> g_itemSelections;
std::vector<BYTE> g_itemIds;
HRESULT STDMETHODCALLTYPE RecordUpdate(PrintCoreUi*, PVOID, PVOID optItem, DWORD, DWORD) {
  g_itemSelections.push_back(static_cast<OPTITEM*>(optItem)->Sel);
  g_itemIds.push_back(static_cast<OPTITEM*>(optItem)->DMPubID);
  return S_OK;
}
const PrintCoreUiVtbl kCoreUiVtbl = {nullptr, nullptr, nullptr, nullptr, nullptr, RecordUpdate};

// A plug-in host's document page with the kit's settings and a print
// quality item.
struct PluginHost {
  OEMUIOBJ uiObject = {sizeof(OEMUIOBJ), nullptr};
  OEMUIPSPARAM ps = {};
  OEMCUIPPARAM cui = {};
  PrintCoreUi core = {&kCoreUiVtbl};
  OPTITEM items[2] = {};
  DEVMODEW publicDm = {};
  std::unique_ptr<PluginDocPage> doc = std::make_unique<PluginDocPage>();
  explicit PluginHost(DocDMode* settings) {
    *doc = PluginDocPage{};
    items[0].DMPubID = DMPUB_PRINTQUALITY;
    items[0].Flags = OPTIF_HIDE;
    items[1].DMPubID = DMPUB_TTOPTION;
    items[1].Flags = OPTIF_HIDE;
    ps.hPrinter = nullptr;
    ps.pOEMDM = settings;
    ps.poemuiobj = &uiObject;
    cui.pPublicDM = &publicDm;
    cui.pDrvOptItems = items;
    cui.cDrvOptItems = 2;
    doc->marker = 0x5A;
    doc->kind = kPluginDocumentKind;
    doc->cuiParam = &cui;
    doc->coreUi = &core;
    doc->psParam = &ps;
  }
};

std::vector<uint16_t> g_runs;
intptr_t RecordRun(HWND, uint16_t templateId, DLGPROC, LPARAM) {
  g_runs.push_back(templateId);
  return IDOK;
}

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

class QualitySheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testsupport::LoadSheetModel("model/VELDRANH.QXD", &model_, &texts_);
    // The font library with the description it reads beside itself.
    const std::wstring folder = Widen(testsupport::BinaryPath("quality_fonts"));
    CreateDirectoryW(folder.c_str(), nullptr);
    fontLibrary_ = folder + L"\\VELDRANQ.DLL";
    ASSERT_TRUE(CopyFileW(Widen(testsupport::BinaryPath("bin/VELDRANQ.DLL")).c_str(), fontLibrary_.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(Widen(testsupport::BinaryPath("model/VELDRANH.QXD")).c_str(),
                          (folder + L"\\VELDRANH.QXD").c_str(), FALSE));
  }
  void SetUp() override {
    saved_ = *model_;
    ProcessModelInfo() = model_;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &texts_;
    UseGeneralMessageTable(&texts_);
    SetSheetConstraintCheck(ScriptedCheck);
    g_refuse.clear();
    g_itemSelections.clear();
    g_itemIds.clear();
    g_runs.clear();
    SetSheetDialogRunner(RecordRun);
    SetFontLibraryPathForDialog(fontLibrary_.c_str());
    DocFields& f = F();
    f.byResolution = 0;
    f.nResoH = 200;
    f.nResoV = 100;
    f.nResoHV = 77;
    f.nResoBit = 200;
    f.nCompressMode = 3;
    f.nColorPattern = 0;
  }
  void TearDown() override {
    kit_.Close();
    SetSheetConstraintCheck(nullptr);
    *model_ = saved_;
    SetSheetDialogRunner(nullptr);
    SetFontLibraryPathForDialog(nullptr);
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
    UseGeneralMessageTable(nullptr);
  }

  DocFields& F() { return Fields(kit_.Settings()); }
  HWND Page() { return kit_.Dialog(); }
  void Open() {
    ASSERT_NE(kit_.OpenPages(kit_.Templates(), {kQualitySheetTemplate}, QualitySheetProc, L"Quality"), nullptr);
    ASSERT_NE(Page(), nullptr);
  }
  bool KillActive() {
    NMHDR note = {GetParent(Page()), 0, static_cast<UINT>(PSN_KILLACTIVE)};
    SetWindowLongPtrW(Page(), DWLP_MSGRESULT, 0);
    SendMessageW(Page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
    return GetWindowLongPtrW(Page(), DWLP_MSGRESULT) == FALSE;
  }
  void Press(int id) {
    SendMessageW(kit_.Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(kit_.Control(id)));
    DialogKit::Pump();
  }
  HWND OpenFonts() {
    HWND d = kit_.OpenDialog(kit_.Templates(), kFontSettingsTemplate, FontSettingsDlgProc);
    EXPECT_NE(d, nullptr);
    return d;
  }
  std::wstring RowText(int row) {
    wchar_t text[80] = {};
    SendMessageW(kit_.Control(1496), LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::wstring ComboText(int id) {
    wchar_t text[80] = {};
    const LRESULT at = SendMessageW(kit_.Control(id), CB_GETCURSEL, 0, 0);
    if (at >= 0) SendMessageW(kit_.Control(id), CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(text));
    return text;
  }
  bool Shown(int id) { return IsWindowVisible(kit_.Control(id)) != FALSE; }
  int Count(int id) { return static_cast<int>(SendMessageW(kit_.Control(id), CB_GETCOUNT, 0, 0)); }
  int Selected(int id) { return static_cast<int>(SendMessageW(kit_.Control(id), CB_GETCURSEL, 0, 0)); }
  std::wstring ItemText(int id, int index) {
    wchar_t text[80] = {};
    SendMessageW(kit_.Control(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
  }

  static ModelInfo* model_;
  static MessageTables texts_;
  static std::wstring fontLibrary_;
  ModelInfo saved_ = {};
  DialogKit kit_;
};
std::wstring QualitySheet::fontLibrary_;
ModelInfo* QualitySheet::model_ = nullptr;
MessageTables QualitySheet::texts_ = {};

TEST_F(QualitySheet, OnTheSessionTheResolutionAndCompressionGoToTheSettings) {
  Open();
  // The sample model: three resolutions, pattern and compression on, no
  // smoothing, shape line, toner save or draft print.
  ASSERT_EQ(Count(1013), 3);
  EXPECT_EQ(ItemText(1013, 2), L"Super Fine (400 x 400 dpi)");
  EXPECT_EQ(Selected(1013), 0);
  for (int id : {1013, 1165, 1307, 1304, 1300, 1299, 2355, 2356}) EXPECT_TRUE(Shown(id)) << id;
  for (int id : {2344, 2345, 2352, 2353, 1009, 2350, 1295}) EXPECT_FALSE(Shown(id)) << id;
  EXPECT_EQ(Count(1300), 2);
  EXPECT_EQ(Selected(1300), 0);  // lossless
  wchar_t label[64] = {};
  GetDlgItemTextW(Page(), 1299, label, 64);
  EXPECT_STREQ(label, L"&Image compression:");

  kit_.Select(1013, 2);
  EXPECT_EQ(F().byResolution, 2);
  EXPECT_EQ(F().nResoH, 400);
  EXPECT_EQ(F().nResoV, 400);
  EXPECT_EQ(F().nResoBit, 400);
  EXPECT_EQ(F().nResoHV, 77);  // never written by the sheet
  kit_.Select(1300, 1);
  EXPECT_EQ(F().nCompressMode, 4);  // JPEG
  kit_.Select(1307, 1);
  EXPECT_EQ(F().nColorPattern, 1);
  // The session's own DEVMODE head is the core's business.
  EXPECT_EQ(reinterpret_cast<DEVMODEW*>(&kit_.Session().working->devmode)->dmPrintQuality, 0);

  kit_.Select(1013, 0);
  EXPECT_EQ(F().nResoV, 100);
  EXPECT_TRUE(KillActive());
  EXPECT_EQ(F().byResolution, 0);
  EXPECT_EQ(F().nCompressMode, 4);
}

TEST_F(QualitySheet, OnAPluginHostTheDevModeHeadAndItemFollowAndPatternAndCompressionAreHidden) {
  PluginHost host(&kit_.Settings());
  kit_.Context()->lParam = reinterpret_cast<LPARAM>(host.doc.get());
  F().nCompressMode = 4;
  Open();
  for (int id : {1307, 1304, 1300, 1299, 2355, 2356}) EXPECT_FALSE(Shown(id)) << id;
  ASSERT_TRUE(Shown(1013));
  kit_.Select(1013, 1);
  EXPECT_EQ(F().byResolution, 1);
  EXPECT_EQ(F().nResoH, 200);
  EXPECT_EQ(F().nResoV, 200);
  EXPECT_EQ(host.publicDm.dmPrintQuality, 200);
  EXPECT_EQ(host.publicDm.dmYResolution, 200);
  ASSERT_FALSE(g_itemSelections.empty());
  EXPECT_EQ(g_itemSelections.back(), 1);
  EXPECT_TRUE(KillActive());
  EXPECT_EQ(F().nCompressMode, 4);  // the hidden list leaves the field alone
  EXPECT_EQ(F().byResolution, 1);
  kit_.Close();
}

TEST_F(QualitySheet, ARefusedResolutionPutsTheOldOneBack) {
  Open();
  g_refuse = {1013};
  kit_.Select(1013, 2);
  EXPECT_EQ(F().byResolution, 0);
  EXPECT_EQ(F().nResoH, 200);
  EXPECT_EQ(F().nResoV, 100);
  EXPECT_EQ(Selected(1013), 0);
}

TEST_F(QualitySheet, LockedSettingsDisableTheControls) {
  kit_.Session().mayChange = 0;
  Open();
  for (int id : {1013, 1165, 1307, 1300, 2355, 2356, 1032}) EXPECT_FALSE(IsWindowEnabled(kit_.Control(id))) << id;
}

TEST_F(QualitySheet, DefaultRestoresTheResolutionAndCompression) {
  Open();
  kit_.Select(1013, 2);
  kit_.Select(1300, 1);
  F().nJpegCompressRatio = 10;
  DocDMode defaults;
  ASSERT_TRUE(CopyDefaultOEMDevMode(kit_.Context(), &defaults));
  kit_.Click(1032);
  EXPECT_EQ(F().byResolution, Fields(defaults).byResolution);
  EXPECT_EQ(F().nResoH, Fields(defaults).nResoH);
  EXPECT_EQ(F().nResoV, Fields(defaults).nResoV);
  if (Fields(defaults).nCompressMode != 4) {
    EXPECT_EQ(F().nCompressMode, Fields(defaults).nCompressMode);
    EXPECT_EQ(F().nJpegCompressRatio, Fields(defaults).nJpegCompressRatio);
  }
  EXPECT_EQ(Selected(1013), static_cast<int>(Fields(defaults).byResolution));
}

TEST_F(QualitySheet, FontSettingOpensFromItsButtonAndItsOkMarksThePageChanged) {
  Open();
  ASSERT_TRUE(Shown(1301));
  EXPECT_FALSE(Shown(1295));
  Press(1301);
  EXPECT_EQ(g_runs, std::vector<uint16_t>{kFontSettingsTemplate});
}

std::string Ansi(const std::wstring& wide) {
  char text[96] = {};
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text - 1, nullptr, nullptr);
  return text;
}

// On the session: the system's TrueType faces, each paired with a resident
// face of the font library or with none; OK writes the pairs.
TEST_F(QualitySheet, FontSettingWritesTheSubstitutionTableFromTheListedFaces) {
  F().nFontDownLoad = 2;
  F().nTTFont = 1;
  OpenFonts();
  // The session offers the outline and bitmap methods only.
  EXPECT_EQ(Count(1491), 2);
  EXPECT_EQ(Selected(1491), 1);
  EXPECT_FALSE(IsDlgButtonChecked(Page(), 1492));
  const int rows = static_cast<int>(SendMessageW(kit_.Control(1496), LB_GETCOUNT, 0, 0));
  ASSERT_GT(rows, 0);
  for (int i = 0; i < rows; ++i) EXPECT_NE(RowText(i).substr(0, 1), L"@");
  const int devices = Count(1283);
  ASSERT_GT(devices, 1);  // the font library's faces and "not substituted"
  EXPECT_LE(devices, 51);
  wchar_t first[80] = {};
  SendMessageW(kit_.Control(1283), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, L"(not substituted)");

  // Row 0 takes the second device font.
  SendMessageW(kit_.Control(1496), LB_SETCURSEL, 0, 0);
  kit_.Select(1283, 2);
  const std::wstring device = ComboText(1283);
  kit_.Click(1492);
  EXPECT_EQ(F().nTTFont, 0);
  Press(IDOK);
  ASSERT_EQ(F().SubFontEntryNum, 1);
  const std::string face = Ansi(RowText(0)).substr(0, 31);
  EXPECT_EQ(std::string(F().SubTTFontName[0]), face);
  uint32_t sum = 0;
  for (unsigned char c : face) sum += c;
  EXPECT_EQ(F().SubTTFontSum[0], sum);
  EXPECT_EQ(std::string(F().SubDevFontName[0]), Ansi(device));
  EXPECT_EQ(F().nFontDownLoad, 2);
}

TEST_F(QualitySheet, FontSettingShowsTheStoredPairAndCancelKeepsTheTable) {
  OpenFonts();
  const std::string face = Ansi(RowText(0));
  wchar_t deviceWide[80] = {};
  SendMessageW(kit_.Control(1283), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(deviceWide));
  Press(IDCANCEL);
  kit_.Close();
  std::snprintf(F().SubTTFontName[0], 32, "%s", face.c_str());
  std::snprintf(F().SubDevFontName[0], 32, "%s", Ansi(deviceWide).c_str());
  F().SubFontEntryNum = 1;
  const DocFields before = F();
  OpenFonts();
  SendMessageW(kit_.Control(1496), LB_SETCURSEL, 0, 0);
  SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(1496, LBN_SELCHANGE), reinterpret_cast<LPARAM>(kit_.Control(1496)));
  DialogKit::Pump();
  EXPECT_EQ(ComboText(1283), deviceWide);
  kit_.Select(1283, 0);  // not substituted
  Press(1032);
  Press(IDCANCEL);
  EXPECT_EQ(std::memcmp(&F(), &before, sizeof before), 0);
}

TEST_F(QualitySheet, FontSettingOnAPluginHostHidesTheTableAndTellsTheHost) {
  PluginHost host(&kit_.Settings());
  kit_.Context()->lParam = reinterpret_cast<LPARAM>(host.doc.get());
  F().nFontDownLoad = 3;
  F().nTTFont = 1;
  OpenFonts();
  EXPECT_EQ(Count(1491), 4);
  EXPECT_EQ(Selected(1491), 3);
  EXPECT_FALSE(Shown(1496));
  EXPECT_FALSE(Shown(1493));
  kit_.Click(1492);
  Press(IDOK);
  EXPECT_EQ(F().nTTFont, 0);
  ASSERT_FALSE(g_itemIds.empty());
  EXPECT_EQ(g_itemIds.back(), DMPUB_TTOPTION);
  EXPECT_EQ(g_itemSelections.back(), 0);
  kit_.Close();
}

// The colour adjustment of a model with ranges of -15 to +15 and the type
// given.
void ColorAdjustModel(ModelInfo* m, uint32_t type) {
  m->features[kMfColorAdjust] = 1;
  m->features[kMfColorAdjustType] = type;
  m->densityMin = m->brightnessMin = m->contrastMin = static_cast<uint32_t>(-15);
  m->densityMax = m->brightnessMax = m->contrastMax = 15;
}
RECT Place(HWND dialog, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(QualitySheet, ColorAdjustmentOpensFromItsButtonOnModelsThatHaveIt) {
  ColorAdjustModel(model_, 3);
  Open();
  ASSERT_TRUE(Shown(1295));
  Press(1295);
  EXPECT_EQ(g_runs, std::vector<uint16_t>{kColorAdjustmentTemplate});
}

TEST_F(QualitySheet, ColorAdjustmentOfTypeTwoShowsDensityAloneAndChecksItsRange) {
  ColorAdjustModel(model_, 2);
  HWND d = kit_.OpenDialog(kit_.Templates(), kColorAdjustmentTemplate, ColorAdjustmentDlgProc);
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(Shown(2363));
  for (int id : {1452, 1733, 1453, 1458, 1734, 1459, 2366}) EXPECT_FALSE(Shown(id)) << id;
  // The buttons close up under the density row.
  EXPECT_LT(Place(d, IDOK).top, Place(d, 1734).top);  // above where the contrast row stays hidden
  wchar_t label[16] = {};
  GetDlgItemTextW(d, 2359, label, 16);
  EXPECT_STREQ(label, L"+15");
  SetDlgItemTextW(d, 2360, L"1a5");
  DialogKit::Pump();
  GetDlgItemTextW(d, 2360, label, 16);
  EXPECT_STREQ(label, L"1");
  EXPECT_EQ(static_cast<int8_t>(F().nMonoDensity), 1);
  EXPECT_EQ(SendMessageW(kit_.Control(2363), TBM_GETPOS, 0, 0), 1);
  SetDlgItemTextW(d, 2360, L"16");
  DialogKit::Pump();
  EXPECT_EQ(static_cast<int8_t>(F().nMonoDensity), 1);  // out of range: not stored
  Press(IDOK);
  EXPECT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_TRUE(IsWindowVisible(d));
}

TEST_F(QualitySheet, ColorAdjustmentOfTypeOneMovesItsRowsUpAndFollowsTheSlider) {
  ColorAdjustModel(model_, 1);
  HWND d = kit_.OpenDialog(kit_.Templates(), kColorAdjustmentTemplate, ColorAdjustmentDlgProc);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(Place(d, 1733).top, Place(d, 2363).top);  // brightness where density was
  EXPECT_FALSE(Shown(2363));
  EXPECT_TRUE(Shown(1734));
  SendMessageW(kit_.Control(1734), TBM_SETPOS, TRUE, -7);
  SendMessageW(d, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, -7), reinterpret_cast<LPARAM>(kit_.Control(1734)));
  DialogKit::Pump();
  EXPECT_EQ(static_cast<int8_t>(F().nMonoContrast), -7);
  Press(IDOK);
  EXPECT_TRUE(kit_.Boxes().shown().empty());
}

TEST_F(QualitySheet, ColorAdjustmentDefaultLeavesLockedSettingsAlone) {
  ColorAdjustModel(model_, 3);
  F().nMonoContrast = 5;
  kit_.Session().mayChange = 0;
  HWND d = kit_.OpenDialog(kit_.Templates(), kColorAdjustmentTemplate, ColorAdjustmentDlgProc);
  ASSERT_NE(d, nullptr);
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(1734)));
  Press(1032);
  EXPECT_EQ(F().nMonoContrast, 5);
  Press(IDCANCEL);
  kit_.Close();
  kit_.Session().mayChange = 1;
  kit_.OpenDialog(kit_.Templates(), kColorAdjustmentTemplate, ColorAdjustmentDlgProc);
  Press(1032);
  EXPECT_EQ(F().nMonoContrast, 0);
  Press(IDCANCEL);
  EXPECT_EQ(F().nMonoContrast, 5);  // Cancel puts the settings back
}

}  // namespace
