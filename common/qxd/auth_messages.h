// The message texts that answer a device connection check of the
// authentication dialogs, taken by number from the main description file's
// "MessageStr" section at start-up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"

inline constexpr uint32_t kAuthMatchStatus = 1;  // the slot matches a connection status
inline constexpr uint32_t kAuthMatchName = 2;    // the slot matches an error name
inline constexpr size_t kAuthSlotCount = 22;
// A slot's text holds at most 289 characters and a NUL.
inline constexpr size_t kAuthTextUnits = 290;
inline constexpr uint32_t kAuthCaptionMessage = 8;
// The follow-up lines of the answer at the start of a job: the job is
// cancelled (442), or a question whether to try again (350).
inline constexpr uint32_t kAuthJobCancelledMessage = 442;
inline constexpr uint32_t kAuthTryAgainMessage = 350;
// The ASCII error name a device's session reports: at most 259 characters
// and its end.
inline constexpr size_t kAuthErrorNameBytes = 260;

struct AuthMessageSlot {
  uint32_t kind;
  uint32_t status;
  const char* errorName;
  uint32_t message;  // number of the "MessageStr" entry
  char16_t* text;    // null until loaded
};

// Loads the texts of every slot; 1, or 0 when the section is missing or
// memory fails (every slot is then without text).
int LoadMessageStrTable(QxdContext* mainFile);
void FreeMessageStrTable();
// The text of the first slot that matches, or null.  A slot matches when
// (it does not match statuses or its status is `status`) and (it does not
// match names or `errorName` equals its name, ASCII case ignored).
const char16_t* FindMessageStr(uint32_t status, const char* errorName);
// The text of a slot by its message number (the caption and the two
// follow-up lines), or null.
const char16_t* AuthMessageById(uint32_t message);
// The text of message 8, the caption of the answer, or null.
const char16_t* GetAuthMessageCaption(void* unused);
const AuthMessageSlot* AuthMessageSlots();

// "FactoryDefault" 1, "UserDefined" 2, "Unidentified" 3, anything else 0
// (ASCII case ignored).
int ParseSettingOrigin(const char* text);

#ifdef _WIN32
#include <windows.h>
// Opens a hidden open-API session with the device through `module`'s
// OAPI_Hidden_StartupAndConnect and closes it again: the connection status,
// and the session's error name in `errorName` (260 bytes, zero-filled, at
// most 259 characters).  Status 1 for an empty address or when the session
// functions or the session are missing.
uint32_t CallHiddenStartupAndConnect(HMODULE module, HANDLE printer, const char* address, void* docSettings,
                                     char* errorName);
// The answer to a connection check: the text of FindMessageStr as an
// information box captioned with GetAuthMessageCaption (empty when there is
// none).  No text: no box, false.
bool ShowConnectionCheckResult(HWND owner, uint32_t status, const char* errorName);
#endif
