// A stand-in font library with a fixed list of resident fonts, for tests of
// the code that reads the real one's list.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <type_traits>

#include "common/contracts/xl_font_functions_win.h"

namespace {

struct Font {
  WORD number;
  const wchar_t* name;
};
const Font kFonts[] = {{17, L"Arial"}, {41, L"Courier"}, {89, L"Times New Roman"}, {37, L"Letter Gothic"}};
bool g_ready = false;

}  // namespace

extern "C" BOOL WINAPI InitXLFontData(int) {
  g_ready = true;
  return TRUE;
}

extern "C" int WINAPI GetXLFontCount() { return g_ready ? static_cast<int>(sizeof kFonts / sizeof kFonts[0]) : 0; }

extern "C" int WINAPI GetXLFontData(int index, WORD* number, void* name, int length, DWORD* kind) {
  if (!g_ready || index < 0 || index >= GetXLFontCount()) return 0;
  if (number != nullptr) *number = kFonts[index].number;
  if (name != nullptr && length > 0) {
    const int bytes = static_cast<int>((std::wcslen(kFonts[index].name) + 1) * sizeof(wchar_t));
    const int copy = bytes < length ? bytes : length;
    std::memcpy(name, kFonts[index].name, copy);
  }
  if (kind != nullptr) *kind = 0;
  return 1;
}

extern "C" void WINAPI TermXLFontData() { g_ready = false; }

static_assert(std::is_same_v<decltype(&InitXLFontData), InitXLFontDataFn>);
static_assert(std::is_same_v<decltype(&GetXLFontCount), GetXLFontCountFn>);
static_assert(std::is_same_v<decltype(&GetXLFontData), GetXLFontDataFn>);
static_assert(std::is_same_v<decltype(&TermXLFontData), TermXLFontDataFn>);
