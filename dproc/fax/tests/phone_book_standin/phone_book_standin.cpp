// A phone book for the tests: every call appends a line with its arguments
// to the file named by FAX_PHONE_BOOK_LOG, and answers as the variables say:
//   FAX_PHONE_BOOK_ADD=n      AddFromPhoneBook appends n destinations
//                             "Book k" / "55500k" (flag byte 7) and returns 1
//   FAX_PHONE_BOOK_COUNT=n    then sets the count to n (past the slots too)
//   FAX_PHONE_BOOK_RESULT=n   the result of RegistToPhoneBook (default 1)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cstring>
#include <type_traits>

#include "common/contracts/fax_dialogs_win.h"

namespace {

int EnvNumber(const wchar_t* name, int fallback) {
  wchar_t text[32] = {};
  if (GetEnvironmentVariableW(name, text, 32) == 0) return fallback;
  return _wtoi(text);
}

void Log(const char* line) {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"FAX_PHONE_BOOK_LOG", path, MAX_PATH) == 0) return;
  FILE* f = _wfopen(path, L"ab");
  if (f == nullptr) return;
  std::fputs(line, f);
  std::fputs("\n", f);
  std::fclose(f);
}

void Narrow(const char16_t* text, char* out, size_t capacity) {
  size_t n = 0;
  for (; n + 1 < capacity && text[n] != 0; ++n) out[n] = static_cast<char>(text[n]);
  out[n] = 0;
}

}  // namespace

extern "C" int WINAPI AddFromPhoneBook(HWND owner, FaxRecipientEntry* slots, uint32_t* count, uint8_t* flags,
                                       const char* modelFile) {
  static_assert(std::is_same_v<decltype(&AddFromPhoneBook), AddFromPhoneBookFn>);
  int zeros = 0;
  for (int i = 0; i < 100; ++i) zeros += flags[i] == 0;
  char line[256];
  std::snprintf(line, sizeof line, "add owner=%d count=%u zeroflags=%d file=%s", owner != nullptr ? 1 : 0, *count,
                zeros, modelFile);
  Log(line);
  int add = EnvNumber(L"FAX_PHONE_BOOK_ADD", 0);
  if (add <= 0) return 0;
  for (int k = 0; k < add && *count < 100; ++k) {
    FaxRecipientEntry& e = slots[*count];
    std::memset(&e, 0, sizeof e);
    wchar_t name[32];
    wchar_t number[32];
    swprintf(name, 32, L"Book %d", k);
    swprintf(number, 32, L"55500%d", k);
    std::memcpy(e.szName, name, (wcslen(name) + 1) * 2);
    std::memcpy(e.szFaxNumber, number, (wcslen(number) + 1) * 2);
    for (int c = 0; c < 81; ++c) e.szCompany[c] = u'C';  // not terminated: the driver must cut it
    e.fgECM = 1;
    flags[*count] = 7;
    ++*count;
  }
  int forced = EnvNumber(L"FAX_PHONE_BOOK_COUNT", -1);
  if (forced >= 0) *count = static_cast<uint32_t>(forced);
  return 1;
}

extern "C" int WINAPI RegistToPhoneBook(uint32_t* count, FaxRecipientEntry* entries) {
  static_assert(std::is_same_v<decltype(&RegistToPhoneBook), RegistToPhoneBookFn>);
  char name[96];
  char number[96];
  Narrow(entries[0].szName, name, sizeof name);
  Narrow(entries[0].szFaxNumber, number, sizeof number);
  char line[256];
  std::snprintf(line, sizeof line, "regist count=%u name=%s number=%s ecm=%d intl=%d v34=%d", *count, name, number,
                entries[0].fgECM, entries[0].fgIntTransMode, entries[0].fgV34Mode);
  Log(line);
  return EnvNumber(L"FAX_PHONE_BOOK_RESULT", 1);
}

extern "C" int WINAPI EditPhoneBook(HWND owner, const char* modelFile, uint32_t documentMode) {
  static_assert(std::is_same_v<decltype(&EditPhoneBook), EditPhoneBookFn>);
  char line[256];
  std::snprintf(line, sizeof line, "edit owner=%d file=%s docmode=%u", owner != nullptr ? 1 : 0, modelFile,
                documentMode);
  Log(line);
  return 1;
}
