// The Quality sheet under Wine and Xvfb, hosted on a test property sheet in
// both kinds of sheet context: the user interface core's sheet session and
// a plug-in host's document page record.  The sample model's description,
// the constraint pass scripted.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "common/records/doc_fields.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/message_text.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/quality/quality_sheet_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/sheet_context.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) { return g_refuse.count(id) != 0 ? 101 : 199; }

// What a plug-in host heard through its print core's item update.
std::vector<LONG> g_itemSelections;
HRESULT STDMETHODCALLTYPE RecordUpdate(PrintCoreUi*, PVOID, PVOID optItem, DWORD, DWORD) {
  g_itemSelections.push_back(static_cast<OPTITEM*>(optItem)->Sel);
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
  OPTITEM items[1] = {};
  DEVMODEW publicDm = {};
  std::unique_ptr<PluginDocPage> doc = std::make_unique<PluginDocPage>();
  explicit PluginHost(DocDMode* settings) {
    *doc = PluginDocPage{};
    items[0].DMPubID = DMPUB_PRINTQUALITY;
    items[0].Flags = OPTIF_HIDE;
    ps.hPrinter = nullptr;
    ps.pOEMDM = settings;
    ps.poemuiobj = &uiObject;
    cui.pPublicDM = &publicDm;
    cui.pDrvOptItems = items;
    cui.cDrvOptItems = 1;
    doc->marker = 0x5A;
    doc->kind = kPluginDocumentKind;
    doc->cuiParam = &cui;
    doc->coreUi = &core;
    doc->psParam = &ps;
  }
};

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

class QualitySheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    QxdContext* file = QxdOpen(Widen(testsupport::BinaryPath("model/VELDRANH.QXD")).c_str(), 1);
    ASSERT_NE(file, nullptr);
    ModelBuildEnv env = {};
    model_ = BuildModelInfo(file, env);
    ASSERT_TRUE(AllocMessageTables(&texts_));
    LoadMessageTables(file, &texts_);
    LoadOptionTextSections(file, model_);
    LoadDialogTextSections(file, model_);
    QxdClose(file);
  }
  void SetUp() override {
    ProcessModelInfo() = model_;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &texts_;
    UseGeneralMessageTable(&texts_);
    SetSheetConstraintCheck(ScriptedCheck);
    g_refuse.clear();
    g_itemSelections.clear();
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
  DialogKit kit_;
};
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
  for (int id : {2344, 2345, 2352, 2353, 1009, 2350, 1295, 1301}) EXPECT_FALSE(Shown(id)) << id;
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

}  // namespace
