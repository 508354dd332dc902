// Do the texts of every dialog template fit their controls under Wine, in
// the dialogs' font?  The sheets and dialogs the driver opens are measured
// as a person sees them on the test printer (the sample model's display
// texts and list rows in place, see tests/support/dialog_tour_win.h); the
// other templates of VELDRANG as they are written.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tests/support/dialog_tour_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"
#include "tests/support/text_fit_win.h"

namespace {

using testsupport::TourStop;

struct TemplateBytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

TemplateBytes BytesOf(HMODULE module, uint16_t id) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  if (loaded == nullptr) return {};
  return {static_cast<const uint8_t*>(LockResource(loaded)), SizeofResource(module, found)};
}

HMODULE Templates() {
  static HMODULE module = [] {
    const std::string path = testsupport::BinaryPath("bin/VELDRANG.DLL");
    return LoadLibraryExW(std::wstring(path.begin(), path.end()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }();
  return module;
}

// The fuller finishing model, on which the finishing sheets show their
// controls.
std::wstring FinishingModel() {
  const std::string path = testsupport::BinaryPath("fixtures/finishing/VELDRANH.QXD");
  return std::wstring(path.begin(), path.end());
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += "  " + line + "\n";
  return all;
}

TEST(DialogTexts, TheSheetsAndDialogsOfTheDriverShowTheirTextsWhole) {
  testsupport::TestPrinter printer(L"Texts");
  ASSERT_TRUE(printer.ok()) << printer.error();
  ASSERT_NE(Templates(), nullptr);
  std::vector<std::string> cut;
  const testsupport::TourReport report =
      testsupport::RunDialogTour(
          printer.handle(), printer.name(),
          [&](const TourStop& stop, HWND window) {
            const TemplateBytes bytes = BytesOf(Templates(), stop.templateId);
            const std::vector<std::string> found = testsupport::CheckTextsFit(window, bytes.data, bytes.size,
                                                                              stop.templateId,
                                                                              testsupport::kPictureTextButtons);
            cut.insert(cut.end(), found.begin(), found.end());
          },
          FinishingModel());
  for (const std::string& question : report.questions) std::printf("answered with OK: %s\n", question.c_str());
  EXPECT_TRUE(report.problems.empty()) << Lines(report.problems);
  EXPECT_EQ(report.visited.size(), testsupport::DialogTour().size());
  EXPECT_TRUE(cut.empty()) << "texts that do not fit:\n" << Lines(cut);
}

INT_PTR CALLBACK BareProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR parameter) {
  if (IS_INTRESOURCE(name)) {
    reinterpret_cast<std::vector<uint16_t>*>(parameter)->push_back(static_cast<uint16_t>(reinterpret_cast<ULONG_PTR>(name)));
  }
  return TRUE;
}

TEST(DialogTexts, EveryOtherTemplateShowsItsTextsWhole) {
  ASSERT_NE(Templates(), nullptr);
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  std::vector<uint16_t> ids;
  EnumResourceNamesW(Templates(), reinterpret_cast<LPCWSTR>(RT_DIALOG), &CollectId, reinterpret_cast<LONG_PTR>(&ids));
  ASSERT_GT(ids.size(), 50u);
  std::set<uint16_t> toured;
  for (const TourStop& stop : testsupport::DialogTour()) toured.insert(stop.templateId);
  // Pages are children: they stand in a window of their own.
  HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 900, 700, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  std::vector<std::string> cut;
  int checked = 0;
  size_t onTour = 0;
  for (uint16_t id : ids) {
    if (toured.count(id) != 0) {
      ++onTour;
      continue;
    }
    const TemplateBytes bytes = BytesOf(Templates(), id);
    HWND dialog = CreateDialogIndirectParamW(Templates(), reinterpret_cast<const DLGTEMPLATE*>(bytes.data), host,
                                             BareProc, 0);
    if (dialog == nullptr) {
      cut.push_back("template " + std::to_string(id) + " could not be created");
      continue;
    }
    ShowWindow(dialog, SW_SHOWNA);
    const std::vector<std::string> found =
        testsupport::CheckTextsFit(dialog, bytes.data, bytes.size, id, testsupport::kPictureTextButtons);
    cut.insert(cut.end(), found.begin(), found.end());
    DestroyWindow(dialog);
    ++checked;
  }
  DestroyWindow(host);
  // Every template is measured, here or (as the driver shows it) on the
  // tour, which takes more of them as it grows.
  EXPECT_EQ(static_cast<size_t>(checked) + onTour, ids.size());
  EXPECT_GT(checked, 0);
  EXPECT_TRUE(cut.empty()) << "texts that do not fit:\n" << Lines(cut);
}

}  // namespace
