// The dialog framework under Wine and Xvfb, driven through the dialog test
// kit: the hint area shown and collapsed, stop icons shown and hidden with
// their reason tooltips, tab tooltips on a real property sheet, the media
// list view's columns, the modal dialog from a real template, and every
// feature control row against the template that holds it.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dproc/constraints/page_hints.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/control_tooltips_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/media_list_view_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/dialogs/sheet_tab_tips_win.h"
#include "dproc/dialogs/template_controls.h"
#include "dproc/model/feature_table.h"
#include "dproc/startup/sheet_tab_tips.h"
#include "tests/support/dialog_kit_win.h"

namespace {

using testsupport::DialogKit;

MessageTables g_tables = {};

void PutText(MessageTable table, uint32_t n, const std::u16string& text) {
  char16_t* slot = g_tables.tables[table] + n * kMessageUnits;
  std::memset(slot, 0, kMessageUnits * sizeof(char16_t));
  std::copy(text.begin(), text.end(), slot);
}

void UseKit(DialogKit& kit) {
  if (g_tables.tables[0] == nullptr) {
    ASSERT_TRUE(AllocMessageTables(&g_tables));
  }
  DialogFrameworkModules() = {kit.Templates(), kit.Images(), INVALID_HANDLE_VALUE, &g_tables, nullptr};
  SetStopIconImages(kit.Images());
}

INT_PTR CALLBACK PlainProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK TabTipsProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) CreateSheetTabTips(dialog);
  return message == WM_INITDIALOG;
}

INT_PTR CALLBACK EndingProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  if (message == WM_COMMAND) EndDialog(dialog, 77);
  return message == WM_INITDIALOG;
}

RECT RectOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  return r;
}
bool Collapsed(HWND control) {
  const RECT r = RectOf(control);
  return r.right == r.left && r.bottom == r.top;
}

TEST(HintArea, ShownWithTheListedAndStateHintsAndCollapsedWithout) {
  DialogKit kit;
  UseKit(kit);
  ResetHintLayouts();
  PutText(kHintStr, 75, u"Booklet pages are arranged for you.");
  PutText(kHintStr, 12, u"First line\\nsecond line");
  HWND d = kit.OpenPages(kit.Templates(), {101}, PlainProc);  // the real Layout sheet template
  ASSERT_NE(d, nullptr);
  HWND page = kit.Dialog();
  const RECT placed = RectOf(kit.Control(kHintTextControl));

  ClearPageHints();
  DispPageHint(page, kit.Context(), 101);
  EXPECT_TRUE(Collapsed(kit.Control(kHintTextControl)));
  EXPECT_TRUE(Collapsed(kit.Control(kHintBulbControl)));

  reinterpret_cast<uint8_t*>(&kit.Settings())[1412] = 3;  // booklet: the state hint
  AddPageHint(101, 12);
  DispPageHint(page, kit.Context(), 101);
  const RECT shown = RectOf(kit.Control(kHintTextControl));
  EXPECT_EQ(shown.right - shown.left, placed.right - placed.left);
  wchar_t text[512] = {};
  GetDlgItemTextW(page, kHintTextControl, text, 512);
  EXPECT_STREQ(text, L"Booklet pages are arranged for you.\r\nFirst line\r\nsecond line");
  kit.Screenshot("hint shown");

  ClearPageHints();
  reinterpret_cast<uint8_t*>(&kit.Settings())[1412] = 1;
  DispPageHint(page, kit.Context(), 101);
  EXPECT_TRUE(Collapsed(kit.Control(kHintTextControl)));
  GetDlgItemTextW(page, kHintTextControl, text, 512);
  EXPECT_STREQ(text, L"Booklet pages are arranged for you.\r\nFirst line\r\nsecond line");  // kept
}

// The user-defined paper dialog's state hint appears only where the dialog
// runs outside the core's own sheet session.
TEST(HintArea, UserPaperHintOnlyOutsideTheCoresSession) {
  DialogKit kit;
  UseKit(kit);
  PutText(kHintStr, 13, u"Papers you define here are kept with this printer.");
  char16_t text[290] = {};
  EXPECT_FALSE(BuildStateHint(nullptr, kit.Context(), 151, text));
  EXPECT_EQ(std::u16string(text), u"");
  EXPECT_TRUE(BuildStateHint(nullptr, nullptr, 151, text));
  EXPECT_EQ(std::u16string(text), u"Papers you define here are kept with this printer.");
  uint8_t pluginRecord[64] = {1, 0};  // a page record of another host
  PROPSHEETPAGEW other = *kit.Context();
  other.lParam = reinterpret_cast<LPARAM>(pluginRecord);
  text[0] = 0;
  EXPECT_TRUE(BuildStateHint(nullptr, &other, 151, text));
  PutText(kHintStr, 13, u"");
  text[0] = 0;
  EXPECT_FALSE(BuildStateHint(nullptr, nullptr, 151, text));
}

std::wstring ToolText(HWND tooltip, HWND tool) {
  wchar_t text[4096] = {};
  TOOLINFOW info = {};
  info.cbSize = sizeof info;
  info.hwnd = tool;
  info.uId = 0;
  info.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 4096, reinterpret_cast<LPARAM>(&info));
  return text;
}

TEST(StopIcons, ShownAndHiddenWithTheirReasonTooltips) {
  DialogKit kit;
  UseKit(kit);
  HMODULE own = GetModuleHandleW(nullptr);
  HWND d = kit.OpenDialog(own, 9001, PlainProc);
  ASSERT_NE(d, nullptr);
  HWND own_tip = CreateDialogToolWindows(d);
  EXPECT_NE(own_tip, nullptr);
  StoreStopIconRect(d, StopIconTable());
  HintEntry* row = FindStopIcon(1110);
  ASSERT_NE(row, nullptr);
  const RECT stored = row->rect;
  EXPECT_GT(stored.right - stored.left, 0);

  for (HintEntry* r = StopIconTable(); r->controlId != 0; ++r) r->show = 0, r->text[0] = 0;
  RefreshStopInfoIcons(d);
  EXPECT_TRUE(Collapsed(kit.Control(1110)));
  EXPECT_FALSE(IsWindowEnabled(kit.Control(1110)));
  EXPECT_TRUE(IsStopIconHidden(1110));
  EXPECT_TRUE(IsStopIconHidden(4242));

  row->show = 1;
  const std::u16string reason = u"Not with this tray.\\nChoose another.";
  std::copy(reason.begin(), reason.end(), row->text);
  row->text[reason.size()] = 0;
  RefreshStopInfoIcons(d);
  RECT now;
  GetDlgItemClientRect(d, 1110, &now);
  EXPECT_EQ(now.left, stored.left);
  EXPECT_EQ(now.right - now.left, stored.right - stored.left);
  EXPECT_TRUE(IsWindowEnabled(kit.Control(1110)));
  EXPECT_EQ(ToolText(row->tooltip, kit.Control(1110)), L"Not with this tray. \nChoose another.");
  kit.Screenshot("icon shown");

  ShowWindow(kit.Control(1108), SW_HIDE);  // a hidden icon comes back disabled
  FindStopIcon(1108)->show = 1;
  RefreshStopInfoIcons(d);
  EXPECT_FALSE(IsWindowEnabled(kit.Control(1108)));
  FindStopIcon(1108)->show = 0;
  row->show = 0;
}

TEST(TabTooltips, TheSheetsTabsGetTheirDescriptions) {
  DialogKit kit;
  UseKit(kit);
  std::memset(g_sheetTabTips[1].title, 0, sizeof g_sheetTabTips[1].title);
  std::memset(g_sheetTabTips[2].title, 0, sizeof g_sheetTabTips[2].title);
  std::u16string basics = u"Basics", layout = u"Layout";
  std::copy(basics.begin(), basics.end(), g_sheetTabTips[1].title);
  std::copy(layout.begin(), layout.end(), g_sheetTabTips[2].title);
  const std::u16string tip = u"Paper and copies.\r\nOrientation.";
  std::copy(tip.begin(), tip.end(), g_sheetTabTips[1].tipText);
  HWND sheet = kit.OpenPages(kit.Templates(), {171, 100, 101, 106}, TabTipsProc, L"Fax");
  ASSERT_NE(sheet, nullptr);
  kit.SetPage(2);
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  HWND tooltip = reinterpret_cast<HWND>(SendMessageW(tabs, TCM_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tooltip, nullptr);
  // Basics and Layout have titles in the table; FAX (no title loaded) and Version do not.
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 2);
  wchar_t text[600] = {};
  TOOLINFOW info = {};
  info.cbSize = sizeof info;
  info.hwnd = tabs;
  info.uId = 1;
  info.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 600, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, L"Paper and copies.\r\nOrientation.");
  kit.Screenshot("tabs");
}

TEST(MediaListView, ColumnsFollowTheModelSwitches) {
  DialogKit kit;
  UseKit(kit);
  const struct {
    MediaSwitches s;
    int columns;
  } cases[] = {{{2, true, true, true}, 6}, {{3, true, true, true}, 4}, {{0, true, false, false}, 5}};
  for (const auto& c : cases) {
    HWND d = kit.OpenDialog(kit.Templates(), 130, PlainProc);  // the real Paper Setting template
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(InitMediaTypeListView(d, c.s), c.columns);
    HWND header = reinterpret_cast<HWND>(SendMessageW(kit.Control(kMediaListViewControl), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), c.columns);
    EXPECT_EQ(GetWindowLongPtrW(header, GWL_STYLE) & HDS_BUTTONS, 0);
    kit.Close();
  }
}

TEST(ModalDialog, RunsFromTheTemplateAndReturnsTheEndDialogResult) {
  DialogKit kit;
  UseKit(kit);
  const DialogPlatform nine = {true, false, false}, vista = {true, true, true}, nt5 = {true, true, false};
  for (const DialogPlatform& p : {nine, vista, nt5}) {
    EXPECT_EQ(MyDialogBoxOn(p, kit.Templates(), nullptr, 130, EndingProc, 0), 77);
  }
  EXPECT_EQ(MyDialogBoxOn(vista, kit.Templates(), nullptr, 4711, EndingProc, 0), -1);
  EXPECT_EQ(LoadDialogTemplate(kit.Templates(), 4711, nullptr, 0), 0u);
  const uint32_t need = LoadDialogTemplate(kit.Templates(), 130, nullptr, 0);
  ASSERT_GT(need, 0u);
  std::vector<uint8_t> copy(need);
  EXPECT_EQ(LoadDialogTemplate(kit.Templates(), 130, copy.data(), need), need);
  DialogTemplateLayout layout;
  ASSERT_TRUE(WalkDialogTemplate(copy.data(), copy.size(), &layout));
  wchar_t face[kGuiFaceUnits];
  GetGuiFontInfo(nullptr, face, nullptr);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(copy.data() + layout.faceAt)), face);
}

// The control table's kinds and stop icons against the templates that hold
// the controls, read here from the built template library (the table is
// made from the same templates at build time).
TEST(ControlTable, EveryRowAgreesWithItsTemplate) {
  DialogKit kit;
  HMODULE templates = kit.Templates();
  ASSERT_NE(templates, nullptr);
  int checked = 0;
  for (const FeatureControlItem* row = FeatureControlTable(); row->keyword[0] != '\0'; ++row) {
    bool held = false;
    for (uint32_t page : row->pageIds) {
      if (page == 0) break;
      HRSRC found = FindResourceW(templates, MAKEINTRESOURCEW(page), reinterpret_cast<LPCWSTR>(RT_DIALOG));
      if (found == nullptr) continue;
      const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(templates, found)));
      std::vector<DialogItemFacts> items;
      ASSERT_TRUE(ReadDialogItems(data, SizeofResource(templates, found), &items)) << page;
      for (const DialogItemFacts& item : items) {
        if (item.id != row->controlId) continue;
        held = true;
        ++checked;
        const uint32_t kind = ControlKindOf(item);
        const uint32_t icon = StopIconBeside(items, item, &IsStopIconId);
        EXPECT_TRUE(row->kind == kind && row->stopIconId == icon)
            << row->keyword << ": {" << page << ", " << row->controlId << ", " << kind << ", " << icon << "},";
      }
    }
    if (!held) {
      EXPECT_EQ(row->stopIconId, 0u) << row->keyword << " has an icon but no template holds it";
    }
  }
  EXPECT_GE(checked, 1);
}

}  // namespace
