#include "common/cover/font_family_win.h"

#include <cwchar>

namespace {

struct FontSearch {
  const wchar_t* face;
  bool italic;
  bool matchItalic;
  bool found;
  LOGFONTW font;
};

int CALLBACK AcceptFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM param) {
  auto* search = reinterpret_cast<FontSearch*>(param);
  if ((type & TRUETYPE_FONTTYPE) == 0) return 1;
  if (std::wcsncmp(font->lfFaceName, search->face, LF_FACESIZE) != 0) return 1;
  if (search->matchItalic && (font->lfItalic != 0) != search->italic) return 1;
  search->font = *font;
  search->found = true;
  return 0;
}

}  // namespace

bool FindFontFamilyLogFont(HDC dc, const wchar_t* face, bool italic, LOGFONTW* out) {
  if (dc == nullptr || face == nullptr || out == nullptr) return false;
  LOGFONTW wanted{};
  wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  wanted.lfCharSet = DEFAULT_CHARSET;
  FontSearch search{wanted.lfFaceName, italic, true, false, {}};
  EnumFontFamiliesExW(dc, &wanted, AcceptFont, reinterpret_cast<LPARAM>(&search), 0);
  if (!search.found) {
    search.matchItalic = false;
    EnumFontFamiliesExW(dc, &wanted, AcceptFont, reinterpret_cast<LPARAM>(&search), 0);
  }
  if (!search.found) return false;
  *out = search.font;
  out->lfItalic = italic ? 1 : 0;
  out->lfWidth = 0;
  out->lfWeight = 0;
  return true;
}
