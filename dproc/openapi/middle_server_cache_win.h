// The per-user copy of a middle server's input items ("ControlInfo" under
// the printer's "Middle Server Setting" key), every text enciphered field
// by field, and the flag "ResetFlag" beside it.  All failures are silent.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/contracts/open_api.h"

inline constexpr DWORD kMiddleServerControlInfoBytes = 54752;
inline constexpr uint32_t kMiddleServerCacheItems = 10;
inline constexpr uint32_t kMiddleServerCacheItemBytes = 5464;

// Opens (creating it when missing) the printer's key; the caller closes it.
bool OpenMiddleServerKey(HANDLE printer, HKEY* key);
// Writes the first ten items of `setting` with `number`.
void SaveMiddleServerCache(HANDLE printer, uint32_t number, const MiddleServerSetting* setting);
// True when a valid copy exists; then hands out its setting number and, when
// asked, rebuilds the setting (items after the tenth stay empty).
bool LoadMiddleServerCache(HANDLE printer, uint32_t* number, MiddleServerSetting* setting);
void DeleteMiddleServerCache(HANDLE printer);
void SetMiddleServerResetFlag(HANDLE printer, DWORD value);

// Copies the text `text` (at most `limit` bytes, cut on a UTF-8 character
// boundary) into the zero-filled `field` of `size` bytes and enciphers it
// in place; the plain text is shortened until its ciphertext fits.  Returns
// the enciphered length (0 for an empty text; the field is then all zero).
uint16_t EncipherTextField(HANDLE printer, const char* text, size_t limit, uint8_t* field, uint32_t size);
