// The session paper lists of a document sheet, through a printer in Wine's
// spooler and the procedure library's feature table.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "dproc/model/feature_table.h"
#include "common/records/sheet_session.h"
#include "dproc/startup/proc_library_entry_win.h"
#include "dproc/sheets/sheet_user_papers_win.h"
#include "tests/support/test_printer_win.h"

namespace {

std::set<std::string> Options(const OptionHead* row) {
  std::set<std::string> out;
  for (; row != nullptr && row->keyword[0] != '\0'; row = NextOptionRow(row)) out.insert(row->keyword);
  return out;
}

INT_PTR CALLBACK NoProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(SheetUserPapers, InstalledOnceAndPutBackWhenTheSheetGoes) {
  testsupport::TestPrinter printer(L"Fax Sheet Papers");
  ASSERT_TRUE(printer.ok()) << printer.error();
  UserPaperList stored = {};
  stored.count = 1;
  std::memcpy(stored.entries[0].name, u"Postcard", 18);
  stored.entries[0].width = 100000;
  stored.entries[0].length = 148000;
  stored.entries[0].paperId = 512;
  ASSERT_EQ(SetPrinterDataW(printer.handle(), const_cast<wchar_t*>(L"CustomPaperData"), REG_BINARY,
                            reinterpret_cast<BYTE*>(&stored), sizeof stored),
            static_cast<DWORD>(ERROR_SUCCESS));

  PaperSizeEntry papers[2] = {};
  std::strcpy(papers[0].keyword, "A4");
  papers[0].size = sizeof papers[0];
  auto model = std::make_unique<ModelInfo>();
  *model = ModelInfo{};
  model->papers = papers;
  ProcessModelInfo() = model.get();
  g_featureTable = BuildFeatureTable(FeatureControlTable(), nullptr, model.get());
  ASSERT_NE(g_featureTable, nullptr);
  const FeatureEntry& paper = g_featureTable[SpecialFeatureRows().paperSize];
  const FeatureEntry& outPaper = g_featureTable[SpecialFeatureRows().outPaperSize];

  auto session = std::make_unique<SheetSession>();
  *session = SheetSession{};
  session->kind = kSheetDocumentSession;
  session->printer = printer.handle();
  session->working = &session->workingRecord;
  SheetCtx ctx = {};
  ctx.dwSize = sizeof ctx;
  ctx.lParam = reinterpret_cast<LPARAM>(session.get());

  EXPECT_TRUE(SheetInitUserPapers(nullptr, WM_INITDIALOG, 0, &ctx));
  EXPECT_EQ(Options(paper.options), (std::set<std::string>{"A4", "CustomPaper"}));
  EXPECT_EQ(Options(outPaper.options), std::set<std::string>{"OutCustomPaper"});
  UserPaperUiState* state = UserPaperStateOf(&session->uiState);
  EXPECT_EQ(state->paperCount, 2u);
  const OptionHead* installed = paper.options;
  EXPECT_FALSE(SheetInitUserPapers(nullptr, WM_INITDIALOG, 0, &ctx));  // a second sheet builds nothing
  EXPECT_EQ(paper.options, installed);

  WORD dialogTemplate[16] = {};
  auto* t = reinterpret_cast<DLGTEMPLATE*>(dialogTemplate);
  t->style = WS_POPUP;
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t, nullptr, NoProc, 0);
  ASSERT_NE(dialog, nullptr);
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&ctx));
  SheetFreeUserPapers(dialog, 0);
  EXPECT_EQ(paper.options, reinterpret_cast<OptionHead*>(papers));
  EXPECT_EQ(state->papers, nullptr);
  EXPECT_EQ(state->installed, 0u);
  DestroyWindow(dialog);

  FreeFeatureTable(g_featureTable);
  g_featureTable = nullptr;
  ProcessModelInfo() = nullptr;
}

}  // namespace
