#include "common/win/text_helpers.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

int AnsiToUtf8(int sourceLength, char* out, int outSize, const char* source) {
  if (out == nullptr || source == nullptr || outSize <= 0) return 0;
  int wideLength = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, source, sourceLength, nullptr, 0);
  if (wideLength <= 0) return 1;
  std::unique_ptr<wchar_t[]> wide(new (std::nothrow) wchar_t[wideLength]);
  if (!wide) return 0;
  if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, source, sourceLength, wide.get(), wideLength) != wideLength) return 0;
  // A length of -1 converts the NUL too; keep it out of the count.
  int units = wideLength;
  if (sourceLength < 0 && units > 0 && wide[units - 1] == L'\0') --units;
  if (units == 0) return 1;
  int needed = WideCharToMultiByte(CP_UTF8, 0, wide.get(), units, nullptr, 0, nullptr, nullptr);
  // The text and its NUL must fit: a full buffer would leave the text open.
  if (needed <= 0 || needed + 1 > outSize) return 0;
  if (WideCharToMultiByte(CP_UTF8, 0, wide.get(), units, out, needed, nullptr, nullptr) != needed) return 0;
  out[needed] = '\0';
  return 1;
}

wchar_t* DupStringW(const wchar_t* text) {
  if (text == nullptr) return nullptr;
  size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<wchar_t*>(LocalAlloc(LMEM_FIXED, bytes));
  if (copy != nullptr) std::memcpy(copy, text, bytes);
  return copy;
}

wchar_t* AppendStringW(wchar_t* first, const wchar_t* second) {
  if (first == nullptr || second == nullptr) return nullptr;
  size_t a = std::wcslen(first), b = std::wcslen(second);
  auto* joined = static_cast<wchar_t*>(LocalAlloc(LMEM_FIXED, (a + b + 1) * sizeof(wchar_t)));
  if (joined != nullptr) {
    std::wmemcpy(joined, first, a);
    std::wmemcpy(joined + a, second, b + 1);
  }
  LocalFree(first);
  return joined;
}

void SplitCommaPair(const wchar_t* text, wchar_t* first, void*, wchar_t* second) {
  constexpr size_t kFirst = 260, kSecond = 96;
  if (first != nullptr) std::wmemset(first, 0, kFirst);
  if (second != nullptr) std::wmemset(second, 0, kSecond);
  if (text == nullptr) return;
  const wchar_t* comma = std::wcschr(text, L',');
  if (comma == nullptr) return;
  if (first != nullptr) {
    size_t n = static_cast<size_t>(comma - text);
    std::wmemcpy(first, text, n < kFirst - 1 ? n : kFirst - 1);
  }
  if (second != nullptr) {
    size_t n = std::wcslen(comma + 1);
    std::wmemcpy(second, comma + 1, n < kSecond - 1 ? n : kSecond - 1);
  }
}
