// The document sheets' message skeleton on a live property sheet: the order
// of its shared steps, the dispatch to a sheet's handler table, the device
// library's hook taking a message away, the commit of a change with its
// constraint refusals, and the logo.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/contracts/ddproc_functions.h"
#include "common/contracts/ddproc_sheet_functions_win.h"
#include "common/records/sheet_session.h"
#include "dproc/preview/preview_overrides.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/sheet_tab_tips.h"
#include "tests/support/dialog_kit_win.h"

namespace {

std::vector<std::string> g_events;
bool g_mayLeave = true;

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ctx));
  g_events.push_back("init");
  return FALSE;
}
void SetActive(HWND, SheetCtx*) { g_events.push_back("set-active"); }
bool KillActive(HWND, SheetCtx*) {
  g_events.push_back("kill-active");
  return g_mayLeave;
}
void Apply(HWND, SheetCtx*) { g_events.push_back("apply"); }
INT_PTR Command(HWND, SheetCtx*, WPARAM wParam, LPARAM) {
  g_events.push_back("command " + std::to_string(LOWORD(wParam)));
  return TRUE;
}
bool DrawItem(HWND, SheetCtx*, const DRAWITEMSTRUCT* item) { return item->CtlID == 1235; }
void Destroy(HWND) { g_events.push_back("destroy"); }
INT_PTR Other(HWND, SheetCtx*, UINT message, WPARAM, LPARAM) {
  if (message == WM_APP + 7) g_events.push_back("other");
  return FALSE;
}

void EasySet(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) g_events.push_back("easy-set init");
  if (message == WM_COMMAND) g_events.push_back("easy-set command");
}
void DevAuth(HWND, WPARAM, LPARAM) { g_events.push_back("device authentication"); }
int g_modifiedMarks = 0;
void MarkModified(HWND, const DocDMode*) { ++g_modifiedMarks; }

const DWORD kHelp[] = {1032, 9510, 0, 0};
const SheetComboHeight kHeights[] = {{1000, 16}, {1138, 32}, {0, 0}};

const DocumentSheet kSheet = {
    .pageId = 100,
    .preview = PreviewAreaStep::kBeforeUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 2,
    .helpIds = kHelp,
    .pageHelpTopic = 1000,
    .comboHeights = kHeights,
    .init = Init,
    .setActive = SetActive,
    .killActive = KillActive,
    .apply = Apply,
    .command = Command,
    .drawItem = DrawItem,
    .destroy = Destroy,
    .other = Other,
};

INT_PTR CALLBACK TestSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kSheet, dialog, message, wParam, lParam);
}

// The device library's hook and logo, as the binding would hold them.
int g_hookCalls = 0;
uint32_t DDPROC_CALL Hook(int32_t pageId, void*, uint32_t message, uintptr_t wParam, intptr_t, uint32_t* handled) {
  ++g_hookCalls;
  if (pageId == 100 && message == WM_COMMAND && LOWORD(wParam) == 4242) {
    *handled = 1;
    return 77;
  }
  return 0;
}
std::vector<uint32_t> g_logoLayouts;
BOOL DDPROC_CALL Logo(HDC, HWND, void*, uint32_t layout) {
  g_logoLayouts.push_back(layout);
  return TRUE;
}

class SheetSkeleton : public ::testing::Test {
 protected:
  void SetUp() override {
    g_events.clear();
    g_mayLeave = true;
    g_modifiedMarks = 0;
    g_hookCalls = 0;
    g_logoLayouts.clear();
    saved_ = g_ddproc;
    SheetServices() = {EasySet, DevAuth, MarkModified};
  }
  void TearDown() override {
    kit_.Close();
    g_ddproc = saved_;
    SheetServices() = {nullptr, nullptr, nullptr};
    SetSheetConstraintCheck(nullptr);
  }
  void BindFakeDeviceLibrary() {
    g_ddproc.module = GetModuleHandleW(nullptr);
    g_ddproc.entry[kDDProcDlgProc] = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&Hook));
    g_ddproc.entry[kDrawLogoImage] = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&Logo));
  }
  testsupport::DialogKit kit_;
  DDProcBinding saved_;
};

TEST_F(SheetSkeleton, SharedStepsRunBeforeTheSheetsOwnHandlers) {
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, TestSheetProc), nullptr);
  ASSERT_GE(g_events.size(), 4u);
  EXPECT_EQ(g_events[0], "easy-set init");
  EXPECT_EQ(g_events[1], "device authentication");
  EXPECT_EQ(g_events[2], "init");
  EXPECT_EQ(g_events[3], "set-active");
}

// The tab's text and its tooltip texts, as the frame's tab control holds them.
std::wstring TabText(HWND frame, int index) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(frame, PSM_GETTABCONTROL, 0, 0));
  wchar_t text[64] = {};
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return text;
}
std::vector<std::wstring> TabTipTexts(HWND frame) {
  std::vector<std::wstring> out;
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(frame, PSM_GETTABCONTROL, 0, 0));
  HWND tips = reinterpret_cast<HWND>(SendMessageW(tabs, TCM_GETTOOLTIPS, 0, 0));
  if (tips == nullptr) return out;
  const int count = static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[600] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    if (SendMessageW(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool))) {
      out.push_back(text);
    }
  }
  return out;
}

// The frame leaves a page's window identifier 0; the skeleton records the
// sheet's page so that the constraint pass finds the rows of its controls,
// from the sheet's own first pass on.
std::vector<uint32_t> g_pagesSeen;
int32_t RecordPage(HWND dialog, HWND, uint16_t) {
  g_pagesSeen.push_back(DialogPageId(dialog));
  return 199;
}
INT_PTR InitAndCheck(HWND dialog, SheetCtx* ctx) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ctx));
  RunSheetConstraints(dialog, nullptr, 0);
  return FALSE;
}
const DocumentSheet kLayoutLikeSheet = [] {
  DocumentSheet sheet = kSheet;
  sheet.pageId = 101;
  sheet.init = InitAndCheck;
  return sheet;
}();
INT_PTR CALLBACK LayoutLikeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kLayoutLikeSheet, dialog, message, wParam, lParam);
}

TEST_F(SheetSkeleton, ThePassSeesTheSheetsPageThoughTheFrameGivesNoIdentifier) {
  g_pagesSeen.clear();
  SetSheetConstraintCheck(RecordPage);
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {101}, LayoutLikeProc), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(kit_.Dialog(), GWLP_ID), 0);
  EXPECT_EQ(g_pagesSeen, std::vector<uint32_t>{101});
  EXPECT_EQ(DialogPageId(kit_.Dialog()), 101u);
}

TEST_F(SheetSkeleton, TheFramesTabsGetTheSheetsTooltips) {
  HWND frame = kit_.OpenPages(kit_.Templates(), {100}, TestSheetProc);
  ASSERT_NE(frame, nullptr);
  const std::wstring title = TabText(frame, 0);
  ASSERT_FALSE(title.empty());
  kit_.Close();
  const TabTipEntry kept = g_sheetTabTips[1];
  std::memset(g_sheetTabTips[1].title, 0, sizeof g_sheetTabTips[1].title);
  std::memset(g_sheetTabTips[1].tipText, 0, sizeof g_sheetTabTips[1].tipText);
  for (size_t i = 0; i < title.size() && i < 47; ++i) g_sheetTabTips[1].title[i] = static_cast<char16_t>(title[i]);
  std::memcpy(g_sheetTabTips[1].tipText, u"Paper and copies.", 36);
  frame = kit_.OpenPages(kit_.Templates(), {100}, TestSheetProc);
  ASSERT_NE(frame, nullptr);
  const std::vector<std::wstring> tips = TabTipTexts(frame);
  g_sheetTabTips[1] = kept;
  EXPECT_EQ(tips, (std::vector<std::wstring>{L"Paper and copies."}));
}

TEST_F(SheetSkeleton, KillActiveKeepsThePageWhenTheSheetRefuses) {
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, TestSheetProc), nullptr);
  HWND first = kit_.Dialog();
  g_mayLeave = false;
  kit_.SetPage(1);
  EXPECT_EQ(kit_.Dialog(), first) << "the refusal keeps the page";
  g_mayLeave = true;
  kit_.SetPage(1);
  EXPECT_NE(kit_.Dialog(), first);
  int kills = 0;
  for (const std::string& e : g_events) kills += e == "kill-active";
  EXPECT_EQ(kills, 2);
}

TEST_F(SheetSkeleton, NotificationsAndMessagesReachTheirHandlers) {
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100}, TestSheetProc), nullptr);
  HWND d = kit_.Dialog();
  g_events.clear();
  NMHDR apply = {GetParent(d), 0, static_cast<UINT>(PSN_APPLY)};
  SetWindowLongPtrW(d, DWLP_MSGRESULT, 55);
  EXPECT_EQ(RunDocumentSheet(kSheet, d, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply)), TRUE);
  EXPECT_EQ(GetWindowLongPtrW(d, DWLP_MSGRESULT), PSNRET_NOERROR);
  EXPECT_EQ(RunDocumentSheet(kSheet, d, WM_COMMAND, MAKEWPARAM(1032, BN_CLICKED), 0), TRUE);
  RunDocumentSheet(kSheet, d, WM_APP + 7, 0, 0);
  EXPECT_EQ(g_events, (std::vector<std::string>{"apply", "easy-set command", "command 1032", "other"}));

  // Owner-drawn combo boxes of the table get their heights; nothing else.
  struct Case {
    UINT type, id;
    INT_PTR result;
    UINT height;
  } cases[] = {{ODT_COMBOBOX, 1000, TRUE, 16}, {ODT_COMBOBOX, 1138, TRUE, 32}, {ODT_COMBOBOX, 1003, FALSE, 5},
               {ODT_LISTBOX, 1000, FALSE, 5}};
  for (const Case& c : cases) {
    MEASUREITEMSTRUCT item = {};
    item.CtlType = c.type;
    item.CtlID = c.id;
    item.itemHeight = 5;
    EXPECT_EQ(RunDocumentSheet(kSheet, d, WM_MEASUREITEM, c.id, reinterpret_cast<LPARAM>(&item)), c.result) << c.id;
    EXPECT_EQ(item.itemHeight, c.height) << c.id;
  }
  DRAWITEMSTRUCT drawn = {};
  drawn.CtlID = 1235;
  EXPECT_EQ(RunDocumentSheet(kSheet, d, WM_DRAWITEM, 1235, reinterpret_cast<LPARAM>(&drawn)), TRUE);
  drawn.CtlID = 1234;
  EXPECT_EQ(RunDocumentSheet(kSheet, d, WM_DRAWITEM, 1234, reinterpret_cast<LPARAM>(&drawn)), FALSE);
}

TEST_F(SheetSkeleton, TheDeviceLibrarysHookTakesAMessageAway) {
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100}, TestSheetProc), nullptr);
  HWND d = kit_.Dialog();
  BindFakeDeviceLibrary();
  g_events.clear();
  EXPECT_EQ(RunDocumentSheet(kSheet, d, WM_COMMAND, MAKEWPARAM(4242, BN_CLICKED), 0), 77);
  EXPECT_EQ(RunDocumentSheet(kSheet, d, WM_COMMAND, MAKEWPARAM(1032, BN_CLICKED), 0), TRUE);
  EXPECT_EQ(g_hookCalls, 2);
  // The Easy Set area saw both; the sheet only the one the hook let pass.
  EXPECT_EQ(g_events, (std::vector<std::string>{"easy-set command", "easy-set command", "command 1032"}));
}

TEST_F(SheetSkeleton, PaintDrawsTheLogoWithTheSheetsLayoutWhenBound) {
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100}, TestSheetProc), nullptr);
  HWND d = kit_.Dialog();
  InvalidateRect(d, nullptr, FALSE);
  EXPECT_EQ(RunDocumentSheet(kSheet, d, WM_PAINT, 0, 0), TRUE);
  EXPECT_TRUE(g_logoLayouts.empty()) << "no device library: no logo";
  BindFakeDeviceLibrary();
  InvalidateRect(d, nullptr, FALSE);
  EXPECT_EQ(RunDocumentSheet(kSheet, d, WM_PAINT, 0, 0), TRUE);
  EXPECT_EQ(g_logoLayouts, (std::vector<uint32_t>{2}));
}

// A field of one byte that an edit box shows, committed through the shared
// change pattern under each answer of the constraint pass.
int32_t g_answer = 0;
int g_passes = 0;
int32_t Answer(HWND, HWND, uint16_t controlId) {
  ++g_passes;
  return controlId == 1033 ? g_answer : 0;
}
constexpr size_t kFieldAt = 300;
bool ReadField(HWND dialog, SheetCtx* ctx) {
  BOOL ok = FALSE;
  UINT v = GetDlgItemInt(dialog, 1130, &ok, FALSE);
  if (!ok) return false;
  reinterpret_cast<uint8_t*>(GetPrivDevMode(ctx))[kFieldAt] = static_cast<uint8_t>(v);
  return true;
}
void ShowField(HWND dialog, SheetCtx* ctx) {
  SetDlgItemInt(dialog, 1130, reinterpret_cast<uint8_t*>(GetPrivDevMode(ctx))[kFieldAt], FALSE);
}
int g_enableRuns = 0;
void EnableRules(HWND, SheetCtx*) { ++g_enableRuns; }

TEST_F(SheetSkeleton, CommitUndoesRefusedChangesAndNotesRealOnes) {
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100}, TestSheetProc), nullptr);
  HWND d = kit_.Dialog();
  SheetCtx* ctx = SheetCtxOf(d);
  ASSERT_NE(ctx, nullptr);
  SetSheetConstraintCheck(Answer);
  const DialogBinding edit = {1033, EN_KILLFOCUS, BindKind::kCustom, kFieldAt, 1, 0, ReadField, ShowField};
  struct Case {
    const wchar_t* typed;
    int32_t answer;
    bool stands;
    uint8_t field;
    int marks;
    int passes;
    const wchar_t* shown;
  } cases[] = {
      {L"7", 199, true, 7, 1, 1, L"7"},    // taken, the page hears of it
      {L"7", 0, true, 7, 0, 1, L"7"},      // the same value: no change noted
      {L"9", 101, false, 7, 0, 1, L"7"},   // refused: the old value is back in field and control
      {L"9", 100, false, 7, 0, 1, L"7"},   // declined: the same
      {L"x", 0, false, 7, 0, 0, L"x"},     // nothing read: no pass at all
  };
  for (const Case& c : cases) {
    g_answer = c.answer;
    g_modifiedMarks = 0;
    g_passes = 0;
    g_enableRuns = 0;
    SetDlgItemTextW(d, 1130, c.typed);
    bool stands = CommitBinding(d, ctx, edit, 100, EnableRules, true);
    SCOPED_TRACE(testing::Message() << "typed " << std::string(c.typed, c.typed + wcslen(c.typed)) << " answer "
                                    << c.answer);
    EXPECT_EQ(stands, c.stands);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(GetPrivDevMode(ctx))[kFieldAt], c.field);
    EXPECT_EQ(g_modifiedMarks, c.marks);
    EXPECT_EQ(g_passes, c.passes);
    EXPECT_EQ(g_enableRuns, c.passes);
    wchar_t shown[16] = {};
    GetDlgItemTextW(d, 1130, shown, 16);
    EXPECT_EQ(std::wstring(shown), std::wstring(c.shown));
  }
}

// A change that touches three fields apart from each other, with a step
// before the pass (a dialog that may be cancelled) and one after it (a
// dialog for what the new value still lacks).
constexpr size_t kWideAt = 340, kSlotFieldAt = 410;
bool g_beforeAnswer = true, g_confirmAnswer = true;
int g_beforeRuns = 0;
std::vector<int32_t> g_confirmed;
std::vector<std::pair<uint8_t, uint8_t>> g_slotsInPass;
int32_t AnswerSeeingTheSlot(HWND dialog, HWND tooltip, uint16_t controlId) {
  const LayoutPreviewOverrides* o = LayoutOverridesOf(GetUIState(SheetCtxOf(dialog)));
  if (o != nullptr) g_slotsInPass.emplace_back(o->styleOn, o->styleValue);
  return Answer(dialog, tooltip, controlId);
}
uint8_t* Doc(SheetCtx* ctx) { return reinterpret_cast<uint8_t*>(GetPrivDevMode(ctx)); }
bool ReadThree(HWND dialog, SheetCtx* ctx) {
  if (!ReadField(dialog, ctx)) return false;
  const uint16_t wide = static_cast<uint16_t>(Doc(ctx)[kFieldAt] * 300);
  std::memcpy(Doc(ctx) + kWideAt, &wide, 2);
  Doc(ctx)[kSlotFieldAt] = static_cast<uint8_t>(Doc(ctx)[kFieldAt] + 1);
  return true;
}
bool Before(HWND, SheetCtx*) {
  ++g_beforeRuns;
  return g_beforeAnswer;
}
bool Confirm(HWND, SheetCtx*, int32_t answer) {
  g_confirmed.push_back(answer);
  return g_confirmAnswer;
}
const BoundField kAlsoKept[] = {{kWideAt, 2, 0}, {kSlotFieldAt, 1, kPreviewSlotNupStyle}, {}};

TEST_F(SheetSkeleton, AChangeOfSeveralFieldsGoesBackWholeWhenAnyStepTakesItBack) {
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100}, TestSheetProc), nullptr);
  HWND d = kit_.Dialog();
  SheetCtx* ctx = SheetCtxOf(d);
  ASSERT_NE(ctx, nullptr);
  SetSheetConstraintCheck(AnswerSeeingTheSlot);
  struct Case {
    const char* what;
    bool declinedOnly, before;
    int32_t answer;
    bool confirm, stands;
    int passes;
    std::vector<int32_t> confirmed;
  } cases[] = {
      {"taken", false, true, 199, true, true, 1, {199}},
      {"the dialog before the pass cancelled", false, false, 199, true, false, 0, {}},
      {"refused by the pass", false, true, 101, true, false, 1, {}},
      {"declined in the pass", false, true, 100, true, false, 1, {}},
      {"the dialog after the pass cancelled", false, true, 199, false, false, 1, {199}},
      {"a warning where only a declined question undoes", true, true, 101, true, true, 1, {101}},
      {"declined where only a declined question undoes", true, true, 100, true, false, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DialogBinding three = {.controlId = 1033, .notify = EN_KILLFOCUS, .kind = BindKind::kCustom,
                                 .at = kFieldAt, .bytes = 1, .read = ReadThree, .show = ShowField,
                                 .alsoKeeps = kAlsoKept, .before = Before, .confirm = Confirm,
                                 .undoOnlyWhenDeclined = c.declinedOnly};
    Doc(ctx)[kFieldAt] = 7;
    const uint16_t wideBefore = 2100;
    std::memcpy(Doc(ctx) + kWideAt, &wideBefore, 2);
    Doc(ctx)[kSlotFieldAt] = 8;
    g_beforeAnswer = c.before;
    g_confirmAnswer = c.confirm;
    g_answer = c.answer;
    g_passes = g_beforeRuns = g_modifiedMarks = 0;
    g_confirmed.clear();
    g_slotsInPass.clear();
    SetDlgItemTextW(d, 1130, L"9");
    EXPECT_EQ(CommitBinding(d, ctx, three, 100, EnableRules, true), c.stands);
    uint16_t wide = 0;
    std::memcpy(&wide, Doc(ctx) + kWideAt, 2);
    EXPECT_EQ(Doc(ctx)[kFieldAt], c.stands ? 9 : 7);
    EXPECT_EQ(wide, c.stands ? 2700 : 2100);
    EXPECT_EQ(Doc(ctx)[kSlotFieldAt], c.stands ? 10 : 8);
    EXPECT_EQ(g_modifiedMarks, c.stands ? 1 : 0);
    EXPECT_EQ(g_beforeRuns, 1);
    EXPECT_EQ(g_passes, c.passes);
    EXPECT_EQ(g_confirmed, c.confirmed);
    EXPECT_EQ(GetDlgItemInt(d, 1130, nullptr, FALSE), c.stands ? 9u : 7u) << "the page shows what is stored";
    // While the pass may ask, the preview draws the old value; the slot is
    // free again afterwards.
    EXPECT_EQ(g_slotsInPass, (std::vector<std::pair<uint8_t, uint8_t>>(c.passes, {1, 8})));
    EXPECT_EQ(LayoutOverridesOf(&kit_.UiState())->styleOn, 0);
  }
}

}  // namespace
