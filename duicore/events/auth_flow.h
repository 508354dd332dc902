// The authentication decision at the start of a job: whether the job needs
// the user's credentials or a department code, which dialog asks for them,
// whether the device checks them, and whether the job goes on (1) or is
// dropped (2).  The device, the dialogs and the message box are reached
// through a table of functions, so the decision is the same with the real
// libraries and with scripted ones.
#pragma once

#include <cstdint>

inline constexpr int kAuthProceed = 1;
inline constexpr int kAuthDrop = 2;
inline constexpr int kAuthNoLibrary = 5;

struct AuthFacts {
  bool modelUserAuthentication;   // the model's "UserAuthentication"
  bool modelAccountTrack;         // "AccountTrackSetting"
  bool modelInterim;              // "InterimAuthenticSetting"
  const char* userAuthValue;      // keyword of "DevUserAuthentication" ("" when unknown)
  const char* accountTrackValue;  // keyword of "DevAccountTrack"
  bool verifyAuthentic;           // the device option record's "VerifyAuthentic"
  bool popupAuthenticDlg;         // "PopupAuthenticDlg"
  bool haveAddress;               // the device's address is known
};

enum AuthDialogKind : int { kAuthUserDialog = 0, kAuthMiddleServerDialog = 1 };

struct AuthDevice {
  void* ctx;
  // The device's authentication type (1 none, 2 server, 3 device, 4 middle
  // server); false when the device did not answer.
  bool (*askAuthType)(void* ctx, int* type);
  // The dialog: 1 confirmed; anything else (a missing dialog too) drops.
  int (*showDialog)(void* ctx, AuthDialogKind kind);
  // The hidden login with the entered credentials: the login status (0
  // accepted; 1 when no session could be had) and the device's error name
  // (`errorName` holds 260 bytes).
  uint32_t (*login)(void* ctx, char* errorName);
  // The message for a status and error name, or null.
  const char16_t* (*findMessage)(void* ctx, uint32_t status, const char* errorName);
  // A message box with the message and the follow-up message `tailId`
  // (350: try again?, 442: the job is cancelled); yesNo selects Yes/No
  // buttons.  Returns the button pressed (IDYES 6, IDNO 7, IDOK 1).
  int (*messageBox)(void* ctx, const char16_t* message, uint32_t tailId, bool yesNo);
};

bool AuthNeedsUser(const AuthFacts& f);
bool AuthNeedsAccountTrack(const AuthFacts& f);
bool AuthIsMiddleServerCase(const AuthFacts& f);

int RunAuthenticationFlow(const AuthFacts& facts, const AuthDevice& device);
