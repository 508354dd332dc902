// The phone book: the outside library VELDRANY beside VELDRANA, loaded for
// each call and freed after it, so the driver works without it.  Only one
// window at a time (a FAX sheet or a destination dialog) may use it: the
// first that opens while nobody holds the guard takes it until it is
// destroyed.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/records/fax_send_block.h"

// The folder the library is looked for in: null (the default) means the
// folder of VELDRANA itself.  Tests point it at a stand-in.
void SetPhoneBookFolder(const wchar_t* folder);

// The guard: TakePhoneBookGuard gives true and keeps `window` when the guard
// is free (or already `window`'s); ReleasePhoneBookGuard frees it when
// `window` holds it.
bool TakePhoneBookGuard(HWND window);
bool HoldsPhoneBookGuard(HWND window);
void ReleasePhoneBookGuard(HWND window);

enum class PhoneBookCall : uint8_t { kUnavailable, kUnchanged, kChanged };

// AddFromPhoneBook on the job's list; a changed answer is clamped (count at
// most 100, texts terminated at 80 characters) before anyone reads it.
PhoneBookCall PhoneBookAddFrom(HWND owner, FaxRecipientEntry* slots, uint32_t* count, uint8_t flags[100]);
// RegistToPhoneBook with a copy of one destination: kChanged when stored.
PhoneBookCall PhoneBookRegister(const FaxRecipientEntry& entry);
// EditPhoneBook; kUnavailable when the library or the function is missing.
PhoneBookCall PhoneBookEdit(HWND owner, uint32_t documentMode);
