// The TrueType family lookup of the cover page and the watermark font check.
#include <windows.h>

#include <cwchar>

#include "common/cover/cover_page_win.h"

namespace {

struct FamilySearch {
  const wchar_t* face;
  bool allowItalic;
  bool found;
  LOGFONTW font;
};

int CALLBACK FindFontFamilyProc(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM param) {
  auto* search = reinterpret_cast<FamilySearch*>(param);
  if ((type & TRUETYPE_FONTTYPE) == 0) return 1;
  if (std::wcscmp(lf->lfFaceName, search->face) != 0) return 1;
  if (lf->lfItalic && !search->allowItalic) return 1;
  search->font = *lf;
  search->found = true;
  return 0;
}

}  // namespace

bool FindFontFamilyLogFont(HDC dc, const wchar_t* face, LOGFONTW* out) {
  if (dc == nullptr || face == nullptr || out == nullptr || face[0] == 0) return false;
  if (wcsnlen(face, LF_FACESIZE) >= LF_FACESIZE) return false;
  LOGFONTW want{};
  want.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(want.lfFaceName, face, LF_FACESIZE - 1);
  for (bool italic : {false, true}) {
    FamilySearch search{face, italic, false, {}};
    EnumFontFamiliesExW(dc, &want, FindFontFamilyProc, reinterpret_cast<LPARAM>(&search), 0);
    if (search.found) {
      search.font.lfWidth = 0;
      search.font.lfWeight = 0;
      search.font.lfItalic = 0;
      *out = search.font;
      return true;
    }
  }
  return false;
}
