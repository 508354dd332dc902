// The passwords of the authentication and user settings dialogs: shown
// deciphered from their fields, and the typed text enciphered into them
// (an empty text is no password, length 0).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Shows the password of an enciphered field of `size` bytes.
void ShowStoredPassword(HWND dialog, int id, HANDLE printer, const uint8_t* field, size_t size, uint16_t length);
// The typed password (at most 80 bytes) enciphered into its field of
// `size` bytes (at most 81); the field changes only when there is a
// result, the length in every case.
void TakeTypedPassword(HWND dialog, int id, HANDLE printer, uint8_t* field, size_t size, uint16_t* length);
