// Small text routines of the sheets and dialogs.
#pragma once

#include <windows.h>

// ANSI (system code page) text of `sourceLength` bytes (-1: up to its NUL)
// to UTF-8 with a NUL, through UTF-16.  0 on a memory or conversion failure
// or when the result and its NUL do not fit `outSize` bytes; 1 otherwise.  A
// source that converts to nothing leaves the output untouched.
int AnsiToUtf8(int sourceLength, char* out, int outSize, const char* source);
// A LocalAlloc copy; null for null.
wchar_t* DupStringW(const wchar_t* text);
// A new LocalAlloc string `first` + `second`.  `first` is freed in every
// case (also when the allocation fails) unless an argument is null, when
// nothing is freed and null is returned.
wchar_t* AppendStringW(wchar_t* first, const wchar_t* second);
// The parts before and after the first comma into 260 and 96 characters
// (zero-filled first, cut to 259 and 95); without a comma both stay empty.
void SplitCommaPair(const wchar_t* text, wchar_t* first, void* unused, wchar_t* second);
