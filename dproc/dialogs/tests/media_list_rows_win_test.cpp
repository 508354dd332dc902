// The media-type list view's rows on the real Paper Setting template under
// Wine: which trays get a row, the cell texts from the tray media table and
// the model's media lists, and what the owner drawing puts on a row (warning
// icon of a refused tray, page icon of the orientation, empty cells, the
// disabled colours), drawn into a bitmap of our own and read back.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/media_list_view_win.h"
#include "tests/support/dialog_kit_win.h"

namespace {

using testsupport::DialogKit;

INT_PTR CALLBACK PlainProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  return FALSE;
}

InTrayEntry Tray(const char* keyword, uint32_t bin) {
  InTrayEntry t = {};
  t.size = sizeof t;
  std::strcpy(t.keyword, keyword);
  t.binId = bin;
  return t;
}
TrayMediaLabel Label(const char* keyword, uint32_t bin, const char16_t* name) {
  TrayMediaLabel l = {};
  l.size = sizeof l;
  std::strcpy(l.keyword, keyword);
  l.binId = bin;
  for (size_t i = 0; name[i] != 0 && i < 31; ++i) l.label[i] = name[i];
  return l;
}
OptionItem Item(const char* keyword, uint32_t value, const char16_t* text) {
  OptionItem o;
  MakeMediaListItem(&o, keyword, value, text);
  return o;
}

// A model with the automatic tray, three trays and a display record each,
// its media lists, and the switches of the media dialogs.
struct MediaModel {
  std::vector<InTrayEntry> trays = {Tray("AutoSelect", 7), Tray("Tray1", 257), Tray("Tray2", 258),
                                    Tray("Bypass", 259), {}};
  std::vector<TrayMediaLabel> labels = {Label("AutoSelect", 7, u"Auto"), Label("Tray1", 257, u"Tray 1"),
                                        Label("Tray2", 258, u"Tray 2"), Label("Bypass", 259, u"Bypass Tray"), {}};
  std::vector<OptionItem> sizes = {Item("A4", 9, u"A4"), Item("Letter", 1, u"Letter"),
                                   Item("MediaTypeList_Size_Unknown", 0xFFFFFFFFu, u"Other size"), {}};
  std::vector<OptionItem> orients = {Item("MediaTypeList_Portrait", 1, u"Portrait"),
                                     Item("MediaTypeList_Landscape", 2, u"Landscape"), {}};
  std::vector<OptionItem> types = {Item("Plain", 1, u"Plain"), Item("Thick", 5, u"Thick"), {}};
  std::vector<OptionItem> weights = {Item("Light", 1, u"Light"), {}};
  std::vector<OptionItem> colors = {Item("White", 1, u"White"), Item("Yellow", 2, u"Yellow"), {}};
  std::vector<OptionItem> holes = {Item("NoHole", 0, u"No holes"),
                                   Item("MediaTypeList_Hole_Unknown", 255, u"Not known"), {}};
  ModelInfo model = {};
  MediaTypeLists lists = {};
  MediaModel(uint32_t dialogType, bool weight, bool color, bool hole) {
    model.inTrays = trays.data();
    model.trayMediaLabels = labels.data();
    model.features[kMfMediaTypeDlgType] = dialogType;
    model.features[kMfMediaWeight] = weight;
    model.features[kMfMediaColor] = color;
    model.features[kMfMediaPrePunched] = hole;
    lists = {sizes.data(), orients.data(), types.data(), weights.data(), colors.data(), holes.data()};
  }
};

TrayMediaSlot Slot(uint16_t size, uint16_t orient, uint16_t type, uint16_t weight, uint16_t color, uint8_t hole) {
  TrayMediaSlot s = {};
  s.paperId = size, s.orientation = orient, s.mediaType = type, s.mediaWeight = weight, s.mediaColor = color;
  s.prePunched = hole;
  return s;
}

std::wstring Cell(HWND list, int row, int column) {
  wchar_t text[261] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 261;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

void UseKit(DialogKit& kit) {
  DialogFrameworkModules() = {kit.Templates(), kit.Images(), INVALID_HANDLE_VALUE, nullptr, nullptr};
}

TEST(MediaListRows, EveryTrayButTheAutomaticOneWithItsMediaTexts) {
  DialogKit kit;
  UseKit(kit);
  MediaModel m(2, true, true, true);  // TYPE2: no weight column
  TrayMediaSlot* table = GetCtxPrinterInfo(kit.Context())->trays;
  table[0] = Slot(9, 1, 5, 1, 2, 0);
  table[1] = Slot(0x0FFF, 2, 0xFFFF, 1, 9, 255);  // a size no item has, a type none has
  table[2] = Slot(0xFFFF, 7, 1, 1, 1, 3);         // the catch-all size; orientation and hole none has
  std::strcpy(table[3].trayKeyword, "Stale");
  HWND d = kit.OpenDialog(kit.Templates(), 130, PlainProc);
  ASSERT_NE(d, nullptr);
  const int shown = InitMediaTypeListView(d, MediaSwitchesOf(&m.model));
  ASSERT_EQ(shown, 6);
  // Without a model loaded in the process there is no tray to list.
  EXPECT_EQ(FillMediaTypeListView(d, kit.Context(), kMediaListViewControl), 0);
  ASSERT_EQ(FillMediaTypeListViewFrom(d, table, &m.model, &m.lists), 6);
  HWND list = kit.Control(kMediaListViewControl);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
  const std::vector<std::vector<std::wstring>> expected = {
      {L"Tray 1", L"A4", L"Portrait", L"Thick", L"Yellow", L"No holes"},
      {L"Tray 2", L"", L"Landscape", L"", L"", L"Not known"},
      {L"Bypass Tray", L"Other size", L"", L"Plain", L"White", L""},
  };
  for (int row = 0; row < 3; ++row) {
    for (int c = 0; c < 6; ++c) EXPECT_EQ(Cell(list, row, c), expected[row][c]) << row << "," << c;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.lParam, row);
  }
  // The fill wrote the listed trays' keywords and ids, and nothing else.
  EXPECT_STREQ(table[0].trayKeyword, "Tray1");
  EXPECT_EQ(table[0].trayId, 257u);
  EXPECT_STREQ(table[2].trayKeyword, "Bypass");
  EXPECT_EQ(table[2].trayId, 259u);
  EXPECT_EQ(table[0].mediaType, 5);
  EXPECT_STREQ(table[3].trayKeyword, "Stale");
  kit.Screenshot("media_rows");

  // TYPE3 shows the first four columns; without the weight switch TYPE1
  // shows colour and hole after the type.
  MediaModel type3(3, true, true, true);
  EXPECT_EQ(FillMediaTypeListViewFrom(d, table, &type3.model, &type3.lists), 4);
  MediaModel type1(1, false, true, true);
  EXPECT_EQ(FillMediaTypeListViewFrom(d, table, &type1.model, &type1.lists), 6);
  kit.Close();
}

TEST(MediaListRows, AModelWithOnlyTheAutomaticTrayListsNothing) {
  DialogKit kit;
  UseKit(kit);
  MediaModel m(1, true, true, true);
  m.trays = {Tray("AutoSelect", 7), {}};
  m.model.inTrays = m.trays.data();
  HWND d = kit.OpenDialog(kit.Templates(), 130, PlainProc);
  ASSERT_NE(d, nullptr);
  InitMediaTypeListView(d, MediaSwitchesOf(&m.model));
  TrayMediaSlot* table = GetCtxPrinterInfo(kit.Context())->trays;
  EXPECT_EQ(FillMediaTypeListViewFrom(d, table, &m.model, &m.lists), 0);
  EXPECT_EQ(SendMessageW(kit.Control(kMediaListViewControl), LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(MediaListTraysShown().count, 0u);
  kit.Close();
}

// Draws row `row` of the list into a white-cleared bitmap as the dialog's
// WM_DRAWITEM handler would, and reads the pixels back.
class RowPicture {
 public:
  RowPicture(HWND list, int row, int columns, const TrayMediaSlot* table, bool disabled) {
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect_));
    RECT client;
    GetClientRect(list, &client);
    width_ = client.right;
    height_ = rect_.bottom;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    PatBlt(dc, 0, 0, width_, height_, WHITENESS);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTVIEW;
    item.CtlID = kMediaListViewControl;
    item.itemID = static_cast<UINT>(row);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = disabled ? ODS_DISABLED : 0;
    item.hwndItem = list;
    item.hDC = dc;
    item.rcItem = rect_;
    LVITEMW data = {};
    data.mask = LVIF_PARAM;
    data.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    item.itemData = static_cast<ULONG_PTR>(data.lParam);
    DrawMediaTypeListItemWith(GetParent(list), &item, columns, table);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    pixels_.assign(p, p + static_cast<size_t>(width_) * height_);
    SelectObject(dc, oldFont);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF; }
  // The pixels of a rectangle of the row (x from `left`, `w` wide), in order.
  std::vector<uint32_t> Area(int left, int w) const {
    std::vector<uint32_t> out;
    for (int y = rect_.top; y < rect_.top + 16 && y < rect_.bottom; ++y)
      for (int x = left; x < left + w; ++x) out.push_back(At(x, y));
    return out;
  }
  // How many pixels of the area differ from `colour`.
  int Marks(int left, int w, uint32_t colour) const {
    int n = 0;
    for (uint32_t v : Area(left, w)) n += v != colour;
    return n;
  }
  int top() const { return rect_.top; }

 private:
  RECT rect_ = {};
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

uint32_t Bgr(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

TEST(MediaListRows, DrawsWarningOrientationAndTextsOfARow) {
  DialogKit kit;
  UseKit(kit);
  MediaModel m(3, false, false, false);  // four columns: tray, size, orientation, type
  TrayMediaSlot* table = GetCtxPrinterInfo(kit.Context())->trays;
  table[0] = Slot(9, 1, 1, 0, 0, 0);
  table[1] = Slot(0x0FFF, 2, 5, 0, 0, 0);
  HWND d = kit.OpenDialog(kit.Templates(), 130, PlainProc);
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(InitMediaTypeListView(d, MediaSwitchesOf(&m.model)), 4);
  m.labels[1].flag = 1;  // the constraint rules refuse Tray 1
  ASSERT_EQ(FillMediaTypeListViewFrom(d, table, &m.model, &m.lists), 4);
  HWND list = kit.Control(kMediaListViewControl);
  int widths[4], starts[4], at = 0;
  for (int c = 0; c < 4; ++c) {
    widths[c] = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    starts[c] = at;
    at += widths[c];
  }
  const uint32_t window = Bgr(GetSysColor(COLOR_WINDOW));
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images), 3);

  const RowPicture refused(list, 0, 4, table, false);
  const RowPicture plain(list, 1, 4, table, false);
  // The warning icon stands at the left of the refused tray's row only.
  EXPECT_GT(refused.Marks(0, 16, window), 10);
  EXPECT_EQ(plain.Marks(0, 16, window), 0);
  // Portrait and landscape page icons differ, each at the left of column 2.
  EXPECT_GT(refused.Marks(starts[2], 16, window), 10);
  EXPECT_GT(plain.Marks(starts[2], 16, window), 10);
  EXPECT_NE(refused.Area(starts[2], 16), plain.Area(starts[2], 16));
  // A size no item has leaves its cell empty; a known one is written.
  EXPECT_GT(refused.Marks(starts[1], widths[1], window), 0);
  EXPECT_EQ(plain.Marks(starts[1], widths[1], window), 0);
  // The background runs to the client's width less one pixel.
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(plain.At(client.right - 2, plain.top() + 1), window);
  EXPECT_EQ(plain.At(client.right - 1, plain.top() + 1), 0xFFFFFFu);

  // Cleared by the rules, the tray loses its warning at the next fill.
  m.labels[1].flag = 0;
  FillMediaTypeListViewFrom(d, table, &m.model, &m.lists);
  EXPECT_EQ(RowPicture(list, 0, 4, table, false).Marks(0, 16, window), 0);
  // A landscape tray turned portrait shows the other icon.
  table[1].orientation = 1;
  EXPECT_EQ(RowPicture(list, 1, 4, table, false).Area(starts[2], 16), refused.Area(starts[2], 16));

  // Disabled: button-face background and grey text, where an enabled row
  // writes in the (darker) window text colour.
  const RowPicture disabled(list, 1, 4, table, true);
  const uint32_t face = Bgr(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(disabled.At(client.right - 2, disabled.top() + 1), face);
  const auto darkest = [&](const RowPicture& p) {
    int least = 255;
    for (uint32_t v : p.Area(starts[3] + 1, widths[3] - 1)) {
      for (int shift : {0, 8, 16}) least = std::min(least, static_cast<int>((v >> shift) & 0xFF));
    }
    return least;
  };
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  const int greyLevel = std::min({GetRValue(grey), GetGValue(grey), GetBValue(grey)});
  EXPECT_GE(darkest(disabled), greyLevel);
  EXPECT_LT(darkest(disabled), 255);
  EXPECT_LT(darkest(RowPicture(list, 1, 4, table, false)), greyLevel);
  kit.Close();
}

}  // namespace
