// The resident font list of the font library VELDRANQ, which the procedure
// library binds by name at start-up: Init, then Count and Data for each
// index, then Term.
#pragma once

#include <windows.h>

// TRUE when the list is ready; the argument is 0.
using InitXLFontDataFn = BOOL(WINAPI*)(int reserved);
using GetXLFontCountFn = int(WINAPI*)();
// Non-zero when `index` names a font: its number, its wide name (at most
// `length` bytes, NUL included) and its kind.
using GetXLFontDataFn = int(WINAPI*)(int index, WORD* number, void* name, int length, DWORD* kind);
using TermXLFontDataFn = void(WINAPI*)();

inline constexpr char kInitXLFontData[] = "InitXLFontData";
inline constexpr char kGetXLFontCount[] = "GetXLFontCount";
inline constexpr char kGetXLFontData[] = "GetXLFontData";
inline constexpr char kTermXLFontData[] = "TermXLFontData";
