// What the Save and Edit Cover Sheet Setting dialogs share: the summary of
// a set's part in the list view under the tabs, and the preview.
#include "dproc/fax_cover/cover_set_view_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/cover/cover_page_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/feature_table.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/preview/paper_view_render_win.h"
#include "dproc/model/option_table_rows_win.h"
#include "dproc/sheets/owner_draw_win.h"

namespace {

enum : int { kList = 2034, kTab = 2035, kPreview = 1235 };
constexpr int kPreviewInset = 16;
constexpr int kLabelColumnWidth = 120;

const wchar_t* TextOf(const char* section, const char* key) {
  return reinterpret_cast<const wchar_t*>(DispStringText(DialogTextTable(section), key));
}

std::wstring Field(const char16_t* text, size_t capacity) {
  size_t n = 0;
  while (n < capacity && text[n] != 0) ++n;
  return std::wstring(reinterpret_cast<const wchar_t*>(text), n);
}

// Row picture: 0 no switch, 1 off, 2 on (the switch pictures of the list's
// small image list; the user cannot click them).
int Switch(uint8_t on) { return on ? 2 : 1; }

void AddRow(HWND list, const std::wstring& label, int picture, const std::wstring& value) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = const_cast<wchar_t*>(label.c_str());
  item.iImage = picture;
  const int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  LVITEMW sub{};
  sub.iSubItem = 1;
  sub.pszText = const_cast<wchar_t*>(value.c_str());
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&sub));
}

std::wstring OptionTextOf(const char* table, uint32_t value) { return OptionTableText(table, value); }

}  // namespace

const wchar_t* GetCoverSheetSetLabel(const char* key) { return TextOf("CoverSheetSetList", key); }

void InitCoverSetView(HWND dialog) {
  HWND tab = GetDlgItem(dialog, kTab);
  const char* const keys[] = {"FcsBasic", "FcsSender", "FcsImage"};
  for (int i = 0; i < 3; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(TextOf("Dlg_FAXCoverSheetSet", keys[i]));
    SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  HWND list = GetDlgItem(dialog, kList);
  // The list owns its image list and destroys it with itself.
  if (HIMAGELIST pictures = CreateStateImageList(DialogFrameworkModules().images)) {
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pictures));
  }
  RECT r{};
  GetClientRect(list, &r);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<wchar_t*>(TextOf("Dlg_EditCoverSheetSet", "Ecs_Control"));
  column.cx = kLabelColumnWidth;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  column.pszText = const_cast<wchar_t*>(TextOf("Dlg_EditCoverSheetSet", "Ecs_Value"));
  column.cx = r.right - kLabelColumnWidth;
  SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
}

void ShowCoverSetSummary(HWND dialog, const FcsBasicPart* basic, const FcsSenderPart* sender,
                         const FcsImagePart* image) {
  HWND list = GetDlgItem(dialog, kList);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  const int tab = static_cast<int>(SendDlgItemMessageW(dialog, kTab, TCM_GETCURSEL, 0, 0));
  wchar_t number[32];
  if (tab <= 0 && basic != nullptr) {
    const FcsBasicPart& b = *basic;
    AddRow(list, GetCoverSheetSetLabel("CSS_FcsBStyle"), 0, OptionTextOf("FcsBStyle", b.byStyle));
    AddRow(list, GetCoverSheetSetLabel("CSS_FcsBSubject"), Switch(b.fgSubject), Field(b.szSubject, 65));
    AddRow(list, GetCoverSheetSetLabel("CSS_FcsBDate"), Switch(b.fgDate),
           GetCoverSheetSetLabel(b.byDateMode == 1 ? "CSS_FcsBInputArbitrarily" : "CSS_FcsBSelectForm"));
    swprintf(number, 32, L"%u", static_cast<unsigned>(b.wPages));
    AddRow(list, GetCoverSheetSetLabel("CSS_FcsBPages"), Switch(b.fgPages), number);
    // One row per comment line, split at CR LF only.
    const std::wstring comment = Field(b.szComment, 641);
    size_t start = 0;
    bool first = true;
    for (;;) {
      const size_t end = comment.find(L"\r\n", start);
      const std::wstring line = comment.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
      AddRow(list, first ? std::wstring(GetCoverSheetSetLabel("CSS_FcsBComment")) : L" ", 0, line);
      first = false;
      if (end == std::wstring::npos) break;
      start = end + 2;
    }
  } else if (tab == 1 && sender != nullptr) {
    const char* const keys[kFcsSenderLines] = {"CSS_FcsSCompany", "CSS_FcsSDepartment", "CSS_FcsSName",
                                               "CSS_FcsSPhone",   "CSS_FcsSFAXNumber",  "CSS_FcsSE-mail"};
    for (uint32_t i = 0; i < kFcsSenderLines; ++i) {
      AddRow(list, GetCoverSheetSetLabel(keys[i]), Switch(sender->lines[i].fgOn), Field(sender->lines[i].szText, 81));
    }
  } else if (tab == 2 && image != nullptr) {
    AddRow(list, GetCoverSheetSetLabel("CSS_FcsIPasteImage"), Switch(image->fgPasteImage),
           Field(image->szImageFile, 260));
    swprintf(number, 32, L"%u%%", static_cast<unsigned>(image->wZoom));
    AddRow(list, GetCoverSheetSetLabel("CSS_FcsIZoom"), Switch(image->fgZoom), number);
    const struct {
      const char* key;
      uint16_t value;
    } axes[] = {{"CSS_FcsIPositionX", image->wPosX}, {"CSS_FcsIPositionY", image->wPosY}};
    for (const auto& a : axes) {
      wchar_t label[128];
      swprintf(label, 128, L"%ls %ls", GetCoverSheetSetLabel(a.key), GetCoverSheetSetLabel("CSS_FcsIPosition"));
      swprintf(number, 32, L"%d", static_cast<int>(a.value));
      AddRow(list, label, 0, number);
    }
  }
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

void DrawCoverSetPreview(const DRAWITEMSTRUCT* item, HENHMETAFILE emf, const CoverPaperInfo& paper) {
  RECT r = item->rcItem;
  HDC dc = CreateCompatibleDC(item->hDC);
  HBITMAP bitmap = CreateCompatibleBitmap(item->hDC, r.right - r.left, r.bottom - r.top);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT local{0, 0, r.right - r.left, r.bottom - r.top};
  FillRect(dc, &local, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawSunkenFrame(dc, local);
  if (emf != nullptr) {
    RECT inner = local;
    InflateRect(&inner, -kPreviewInset, -kPreviewInset);
    RECT page{}, metafile{};
    if (FitCoverImageRect(emf, inner, paper, &page, nullptr, &metafile)) PlayCoverPreview(dc, emf, metafile, page);
  }
  BitBlt(item->hDC, r.left, r.top, local.right, local.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}
