// The FAX Cover Sheet Setting dialog under Wine and Xvfb: run modally on a
// record and the printer's stored sets, driven from the moment it is shown,
// its message boxes recorded through the UI services seam.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <utility>
#include <string>
#include <vector>

#include "common/cover/cover_defaults.h"
#include "common/win/ui_services.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/fax_cover/cover_dialog_state.h"
#include "dproc/fax_cover/cover_store_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/message_text.h"
#include "common/qxd/qxd_file.h"
#include "common/qxd/qxd_reader.h"
#include "common/win/user_registry.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/test_paths.h"

namespace {

constexpr wchar_t kDriver[] = L"Cover Dialog Test Driver";

std::vector<std::wstring> g_boxes;
int RecordBox(HWND, const wchar_t* text, const wchar_t*, UINT style) {
  g_boxes.push_back(text);
  return (style & MB_YESNO) == MB_YESNO ? IDYES : IDOK;
}
BOOL NoWinHelp(HWND, const wchar_t*, UINT, ULONG_PTR) { return TRUE; }
HWND NoHtmlHelp(HWND, const wchar_t*, UINT, DWORD_PTR) { return nullptr; }
const UiServices kServices = {RecordBox, NoWinHelp, NoHtmlHelp};

// Message rows name themselves ("M510"), file rows keep their argument.
const char16_t* Row(uint32_t row) {
  static std::u16string text;
  std::string digits = "M" + std::to_string(row) + (row == 520 || row == 524 ? " %s" : "");
  text.assign(digits.begin(), digits.end());
  return text.c_str();
}

template <size_t N>
void Set(char16_t (&to)[N], const std::u16string& text) {
  std::memset(to, 0, sizeof(to));
  std::memcpy(to, text.data(), std::min(text.size(), N - 1) * sizeof(char16_t));
}

// A file of this program in the temporary folder (copies of the program
// running at once each have their own).
std::wstring Temp(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + std::to_wstring(GetCurrentProcessId()) + L"_" + name;
}
void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(h);
}
std::vector<uint8_t> Bmp(int32_t w, int32_t h) {
  const uint32_t stride = ((w * 24 + 31) / 32) * 4;
  std::vector<uint8_t> v(54 + stride * h, 0x40);
  std::memset(v.data(), 0, 54);
  const auto put = [&](size_t at, uint32_t x) { std::memcpy(&v[at], &x, 4); };
  v[0] = 'B';
  v[1] = 'M';
  put(2, static_cast<uint32_t>(v.size()));
  put(10, 54);
  put(14, 40);
  put(18, static_cast<uint32_t>(w));
  put(22, static_cast<uint32_t>(h));
  v[26] = 1;
  v[28] = 24;
  return v;
}

class CoverDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = testsupport::BinaryPath("bin/VELDRANG.DLL");
    templates_ = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
    ASSERT_NE(templates_, nullptr);
    DialogFrameworkModules().templates = templates_;
    previous_ = SetUiServices(&kServices);
    SetMessageRowSource(Row);
    g_boxes.clear();
    printer_ = L"Cover Dialog " + std::to_wstring(GetCurrentProcessId());
    MakeDefaultCoverSheet(&record_);
    std::memset(&doc_, 0, sizeof doc_);
    // Two stored sets; the record equals the second.
    FaxCoverSheetSets sets;
    FaxCoverSheetData a = record_;
    Set(a.basic.szSubject, u"Monthly report");
    sets.sets.push_back(MakeCoverSheetSet(u"Monthly", a.basic, a.sender, a.image));
    Set(record_.basic.szSubject, u"Weekly note");
    Set(record_.szCoverSheetSet, u"Weekly");
    sets.sets.push_back(MakeCoverSheetSet(u"Weekly", record_.basic, record_.sender, record_.image));
    ASSERT_EQ(SaveCoverSheetSetList(printer_.c_str(), kDriver, sets), 1);
    image_ = Temp(L"cover_dialog_test.bmp");
    WriteBytes(image_, Bmp(40, 20));
  }
  void TearDown() override {
    SetUiServices(previous_);
    SetMessageRowSource(nullptr);
    DeleteFileW(image_.c_str());
    HKEY root = nullptr;
    if (OpenUserRegKey(nullptr, (std::wstring(L"Software\\HALDOVAR\\") + kDriver).c_str(), &root) == ERROR_SUCCESS) {
      RegDeleteTreeW(root, printer_.c_str());
      RegCloseKey(root);
    }
  }
  // Runs the dialog with `drive` answering it; drives queued meanwhile
  // answer the dialogs it opens.
  int Run(testsupport::ModalDialogDriver::Drive drive, uint32_t editable = 1) {
    driver_.Then(std::move(drive));
    return RunFaxCoverSheetDialog(nullptr, printer_.c_str(), kDriver, editable, &record_, &doc_, 0, nullptr);
  }

  // Actions on the dialog `d` and its pages, as the user makes them.
  static HWND Page(HWND d, int index) { return FcsState(d)->pages[index]; }
  static bool SwitchTo(HWND d, int index) {
    HWND tab = GetDlgItem(d, 1956);
    NMHDR n{tab, 1956, static_cast<UINT>(TCN_SELCHANGING)};
    SendMessageW(d, WM_NOTIFY, 1956, reinterpret_cast<LPARAM>(&n));
    if (GetWindowLongPtrW(d, DWLP_MSGRESULT) != 0) return false;
    SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    n.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageW(d, WM_NOTIFY, 1956, reinterpret_cast<LPARAM>(&n));
    return true;
  }
  static void Check(HWND w, int id, bool on) {
    CheckDlgButton(w, id, on ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
  }
  static void Text(HWND w, int id, const wchar_t* text) { SetDlgItemTextW(w, id, text); }
  static std::wstring TextOf(HWND w, int id) {
    wchar_t t[300] = {};
    GetDlgItemTextW(w, id, t, 300);
    return t;
  }
  static void Press(HWND d, int id) { SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  static bool Open(HWND d) { return IsWindow(d) && IsWindowVisible(d); }
  static std::wstring SelectedSet(HWND d) {
    const LRESULT at = SendDlgItemMessageW(d, 1952, CB_GETCURSEL, 0, 0);
    wchar_t t[64] = {};
    if (at >= 0) SendDlgItemMessageW(d, 1952, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(t));
    return t;
  }

  testsupport::ModalDialogDriver driver_;
  HMODULE templates_ = nullptr;
  const UiServices* previous_ = nullptr;
  std::wstring printer_, image_;
  FaxCoverSheetData record_{};
  DocDMode doc_{};
};

// Opens on the stored sets with the record's set selected; a change makes the
// record untitled; OK hands the edited record back.
TEST_F(CoverDialog, OpensOnTheStoredSetsAndOkReturnsTheEdits) {
  std::wstring before, after;
  bool saveBefore = true, saveAfter = false, preview = false;
  int sets = 0;
  const int result = Run([&](HWND d) {
    sets = static_cast<int>(SendDlgItemMessageW(d, 1952, CB_GETCOUNT, 0, 0));
    before = SelectedSet(d);
    saveBefore = IsWindowEnabled(GetDlgItem(d, 1953)) != FALSE;
    preview = FcsState(d)->hPreviewEmf != nullptr;
    Text(Page(d, 0), 1965, L"Changed subject");
    after = SelectedSet(d);
    saveAfter = IsWindowEnabled(GetDlgItem(d, 1953)) != FALSE;
    Press(d, IDOK);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(sets, 2);
  EXPECT_EQ(before, L"Weekly");
  EXPECT_FALSE(saveBefore);
  EXPECT_TRUE(preview);
  EXPECT_NE(after, L"Weekly");  // the untitled item
  EXPECT_TRUE(saveAfter);
  EXPECT_EQ(std::u16string(record_.basic.szSubject), u"Changed subject");
  EXPECT_EQ(record_.szCoverSheetSet[0], 0);
}

// A damaged set count in the store: the dialog opens at once on the sets
// that are stored.
TEST_F(CoverDialog, ADamagedSetCountOpensAtOnce) {
  HKEY key = nullptr;
  const std::wstring path =
      std::wstring(L"Software\\HALDOVAR\\") + kDriver + L"\\" + printer_ + L"\\FaxCoverSheet\\CoverSheetSet";
  ASSERT_EQ(OpenUserRegKey(nullptr, path.c_str(), &key), ERROR_SUCCESS);
  const uint32_t damaged = 0xFFFFFFFFu;
  RegSetValueExW(key, L"OrderNum", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&damaged), sizeof damaged);
  RegCloseKey(key);
  int sets = 0;
  DWORD opened = 0;
  const DWORD start = GetTickCount();
  EXPECT_EQ(Run([&](HWND d) {
              opened = GetTickCount() - start;
              sets = static_cast<int>(SendDlgItemMessageW(d, 1952, CB_GETCOUNT, 0, 0));
              Press(d, IDCANCEL);
            }),
            2);
  EXPECT_EQ(sets, 2);
  EXPECT_LT(opened, 5000u);
  std::printf("cover dialog with a damaged set count opened in %lu ms\n", static_cast<unsigned long>(opened));
}

TEST_F(CoverDialog, CancelLeavesTheRecord) {
  const FaxCoverSheetData kept = record_;
  EXPECT_EQ(Run([&](HWND d) {
              Text(Page(d, 0), 1965, L"Thrown away");
              Press(d, IDCANCEL);
            }),
            2);
  EXPECT_EQ(std::memcmp(&kept, &record_, sizeof kept), 0);
}

// Choosing a stored set takes its parts and keeps the recipient and size.
TEST_F(CoverDialog, ChoosingASetKeepsRecipientAndSize) {
  record_.recipient.byRecipientMode = 1;
  record_.sCoverSize = 2;
  EXPECT_EQ(Run([&](HWND d) {
              SendDlgItemMessageW(d, 1952, CB_SETCURSEL, 0, 0);
              SendMessageW(d, WM_COMMAND, MAKEWPARAM(1952, CBN_SELENDOK), 0);
              EXPECT_EQ(TextOf(Page(d, 0), 1965), L"Monthly report");
              Press(d, IDOK);
            }),
            1);
  EXPECT_EQ(std::u16string(record_.szCoverSheetSet), u"Monthly");
  EXPECT_EQ(std::u16string(record_.basic.szSubject), u"Monthly report");
  EXPECT_EQ(record_.recipient.byRecipientMode, 1);
  EXPECT_EQ(record_.sCoverSize, 2);
}

// The Recipient page's Default gives the title the start-up read from the
// description file ("FcsRAll"), not an empty one.
TEST_F(CoverDialog, RecipientDefaultRestoresTheModelsTitle) {
  const std::string model = testsupport::BinaryPath("model/VELDRANH.QXD");
  QxdContext* ctx = QxdOpen(std::wstring(model.begin(), model.end()).c_str(), 1);
  ASSERT_NE(ctx, nullptr);
  ReadFcsRecipientDefault(ctx);
  QxdClose(ctx);
  Set(record_.recipient.szTitle, u"Mr Smith");
  record_.recipient.byRecipientMode = 1;
  std::wstring shown;
  EXPECT_EQ(Run([&](HWND d) {
              ASSERT_TRUE(SwitchTo(d, 1));
              Press(d, 1032);
              shown = TextOf(Page(d, 1), 1979);
              Press(d, IDOK);
            }),
            1);
  SetDefaultCoverTitle(nullptr);
  EXPECT_EQ(shown, L"To all recipients");
  EXPECT_EQ(std::u16string(record_.recipient.szTitle), u"To all recipients");
  EXPECT_EQ(record_.recipient.byRecipientMode, 0);
}

// A page count of 0 keeps the Basic page and the dialog open.
TEST_F(CoverDialog, PageCountZeroIsRefused) {
  bool switched = true, stillOpen = false;
  std::vector<std::wstring> boxes;
  EXPECT_EQ(Run([&](HWND d) {
              HWND basic = Page(d, 0);
              Check(basic, 1970, true);
              Text(basic, 1971, L"0");
              switched = SwitchTo(d, 3);
              Press(d, IDOK);
              stillOpen = IsWindow(d) && FcsState(d) != nullptr && FcsState(d)->currentPage == 0;
              boxes = g_boxes;
              Text(basic, 1971, L"12");
              Press(d, IDOK);
            }),
            1);
  EXPECT_FALSE(switched);
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], L"M2M510");
  EXPECT_EQ(record_.basic.wPages, 12);
  EXPECT_EQ(record_.basic.fgPages, 1);
}

// The Image page: a zoom of 900 is clamped to 800 and refused, a missing
// file and a file that is no bitmap are refused with their messages.
TEST_F(CoverDialog, ImagePageRefusesBadValues) {
  const std::wstring notBitmap = Temp(L"cover_dialog_test_png.bmp");
  WriteBytes(notBitmap, {'P', 'N', 'G', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  std::wstring zoomShown;
  std::vector<std::wstring> boxes;
  EXPECT_EQ(Run([&](HWND d) {
              ASSERT_TRUE(SwitchTo(d, 3));
              HWND image = Page(d, 3);
              Check(image, 2007, true);
              Text(image, 2009, image_.c_str());
              Check(image, 2011, true);
              Text(image, 2012, L"900");
              Press(d, IDOK);
              zoomShown = TextOf(image, 2012);
              Text(image, 2009, L"C:\\no\\such\\cover.bmp");
              Press(d, IDOK);
              Text(image, 2009, notBitmap.c_str());
              Press(d, IDOK);
              boxes = g_boxes;
              Press(d, IDCANCEL);
            }),
            2);
  DeleteFileW(notBitmap.c_str());
  EXPECT_EQ(zoomShown, L"800");
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0], L"M2M521");
  EXPECT_EQ(boxes[1], L"M520 C:\\no\\such\\cover.bmp");
  EXPECT_EQ(boxes[2], L"M524 " + notBitmap);
}

// Dragging the image in the preview moves it within 1..100 and shows the
// position on the Image page; the record is no longer a stored set.
TEST_F(CoverDialog, DraggingTheImageMovesItWithinTheRange) {
  record_.image.fgPasteImage = 1;
  Set(record_.image.szImageFile, std::u16string(image_.begin(), image_.end()));
  record_.image.wPosX = 50;
  record_.image.wPosY = 50;
  std::wstring x, y;
  EXPECT_EQ(Run([&](HWND d) {
              ASSERT_TRUE(SwitchTo(d, 3));
              FcsDialogState* s = FcsState(d);
              ASSERT_NE(s->hPreviewEmf, nullptr);
              POINT p{s->rcPreview.left, s->rcPreview.top};
              MapWindowPoints(GetDlgItem(d, 1235), d, &p, 1);
              SendMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
              EXPECT_EQ(s->coverSheet.image.wPosX, 1);
              EXPECT_EQ(s->coverSheet.image.wPosY, 1);
              SendMessageW(d, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + 2000, p.y + 2000));
              SendMessageW(d, WM_LBUTTONUP, 0, MAKELPARAM(p.x + 2000, p.y + 2000));
              x = TextOf(Page(d, 3), 2017);
              y = TextOf(Page(d, 3), 2021);
              Press(d, IDOK);
            }),
            1);
  EXPECT_EQ(record_.image.wPosX, 100);
  EXPECT_EQ(record_.image.wPosY, 100);
  EXPECT_EQ(x, L"100");
  EXPECT_EQ(y, L"100");
  EXPECT_EQ(record_.szCoverSheetSet[0], 0);
}

// Read-only: the set and size controls and the pages' controls are
// disabled; OK returns 1 with the record as it was.
TEST_F(CoverDialog, ReadOnlyDisablesAndKeepsTheRecord) {
  const FaxCoverSheetData kept = record_;
  std::vector<int> enabled;
  EXPECT_EQ(Run(
                [&](HWND d) {
                  for (int id : {1952, 1953, 1954, 1961, 1960}) {
                    if (IsWindowEnabled(GetDlgItem(d, id))) enabled.push_back(id);
                  }
                  for (int id : {1963, 1965, 1976, 1032}) {
                    if (IsWindowEnabled(GetDlgItem(Page(d, 0), id))) enabled.push_back(id);
                  }
                  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDOK)));
                  Press(d, IDOK);
                },
                0),
            1);
  EXPECT_TRUE(enabled.empty()) << enabled.size();
  EXPECT_EQ(std::memcmp(&kept, &record_, sizeof kept), 0);
}

}  // namespace

namespace {

std::vector<std::wstring> StoredNames(const std::wstring& printer) {
  FaxCoverSheetSets sets;
  LoadCoverSheetSetList(printer.c_str(), kDriver, &sets);
  std::vector<std::wstring> names;
  for (const CoverSheetSet& s : sets.sets) names.emplace_back(reinterpret_cast<const wchar_t*>(s.name));
  return names;
}

// Save: an existing name is refused with the name in the message; a new
// name is stored at once (even when the setting dialog is cancelled later)
// and becomes the record's set.
TEST_F(CoverDialog, SaveStoresANewSetAtOnce) {
  std::vector<std::wstring> boxes, storedMeanwhile;
  std::wstring selected;
  bool saveEnabled = true;
  EXPECT_EQ(Run([&](HWND d) {
              Text(Page(d, 0), 1965, L"Quarterly");
              driver_.Then([&](HWND save) {
                Text(save, 2033, L"Weekly");
                Press(save, IDOK);
                Text(save, 2033, L"Quarterly");
                Press(save, IDOK);
              });
              Press(d, 1953);
              boxes = g_boxes;
              selected = SelectedSet(d);
              saveEnabled = IsWindowEnabled(GetDlgItem(d, 1953)) != FALSE;
              storedMeanwhile = StoredNames(printer_);
              Press(d, IDCANCEL);
            }),
            2);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], L"M4M531");
  EXPECT_EQ(selected, L"Quarterly");
  EXPECT_FALSE(saveEnabled);
  EXPECT_EQ(storedMeanwhile, (std::vector<std::wstring>{L"Monthly", L"Weekly", L"Quarterly"}));
  EXPECT_EQ(StoredNames(printer_), storedMeanwhile);
}

// The summary under the tabs shows each switch as a picture of the state
// image list (blank, off, on), not as a box the user could tick.
TEST_F(CoverDialog, SummaryShowsSwitchesAsPictures) {
  const std::string path = testsupport::BinaryPath("bin/VELDRANW.DLL");
  HMODULE images = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
  ASSERT_NE(images, nullptr);
  DialogFrameworkModules().images = images;
  DWORD extended = 0;
  int count = 0, cx = 0, cy = 0;
  std::vector<int> pictures;
  EXPECT_EQ(Run([&](HWND d) {
              driver_.Then([&](HWND save) {
                HWND list = GetDlgItem(save, 2034);
                extended = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
                HIMAGELIST small =
                    reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
                count = small != nullptr ? ImageList_GetImageCount(small) : 0;
                if (small != nullptr) ImageList_GetIconSize(small, &cx, &cy);
                for (int row = 0; row < 4; ++row) {
                  LVITEMW item{};
                  item.mask = LVIF_IMAGE;
                  item.iItem = row;
                  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
                  pictures.push_back(item.iImage);
                }
                Press(save, IDCANCEL);
              });
              Press(d, 1953);
              Press(d, IDCANCEL);
            }),
            2);
  DialogFrameworkModules().images = nullptr;
  FreeLibrary(images);
  EXPECT_EQ(extended & LVS_EX_CHECKBOXES, 0u);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(cx, 15);
  EXPECT_EQ(cy, 15);
  // Style (no switch), subject on, date off, pages off.
  EXPECT_EQ(pictures, (std::vector<int>{0, 2, 1, 1}));
}

// Edit: renames and moves reach the store only on OK; Cancel keeps it.
TEST_F(CoverDialog, EditChangesTheStoreOnlyOnOk) {
  const auto edit = [&](bool ok) {
    return Run([&, ok](HWND d) {
      driver_.Then([&, ok](HWND e) {
        SendDlgItemMessageW(e, 2031, LB_SETCURSEL, 0, 0);
        SendMessageW(e, WM_COMMAND, MAKEWPARAM(2031, LBN_SELCHANGE), 0);
        Text(e, 2033, L"Daily");
        Press(e, 1909);  // down
        Press(e, ok ? IDOK : IDCANCEL);
      });
      Press(d, 1954);
      Press(d, IDOK);
    });
  };
  EXPECT_EQ(edit(false), 1);
  EXPECT_EQ(StoredNames(printer_), (std::vector<std::wstring>{L"Monthly", L"Weekly"}));
  EXPECT_EQ(std::u16string(record_.szCoverSheetSet), u"Weekly");
  EXPECT_EQ(edit(true), 1);
  EXPECT_EQ(StoredNames(printer_), (std::vector<std::wstring>{L"Weekly", L"Daily"}));
  EXPECT_EQ(std::u16string(record_.szCoverSheetSet), u"Weekly");
}

// Renaming a set to another's name is refused with that name; deleting the
// current set leaves the record untitled.
TEST_F(CoverDialog, EditRefusesADuplicateAndDeletesTheCurrentSet) {
  std::vector<std::wstring> boxes;
  EXPECT_EQ(Run([&](HWND d) {
              driver_.Then([&](HWND e) {
                // The current set ("Weekly", item 1) is selected on opening.
                Text(e, 2033, L"Monthly");
                SendDlgItemMessageW(e, 2031, LB_SETCURSEL, 0, 0);
                SendMessageW(e, WM_COMMAND, MAKEWPARAM(2031, LBN_SELCHANGE), 0);
                boxes = g_boxes;
                EXPECT_EQ(SendDlgItemMessageW(e, 2031, LB_GETCURSEL, 0, 0), 1);
                Text(e, 2033, L"Weekly");
                Press(e, 1910);  // delete, answered Yes
                Press(e, IDOK);
              });
              Press(d, 1954);
              Press(d, IDOK);
            }),
            1);
  ASSERT_GE(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], L"M531");
  EXPECT_EQ(StoredNames(printer_), (std::vector<std::wstring>{L"Monthly"}));
  EXPECT_EQ(record_.szCoverSheetSet[0], 0);
}

}  // namespace
