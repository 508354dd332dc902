#include "duicore/events/auth_flow.h"

#include <cstring>

#include "common/qxd/auth_messages.h"

namespace {

constexpr int kIdYes = 6;

bool Same(const char* a, const char* b) { return a != nullptr && std::strcmp(a, b) == 0; }

}  // namespace

bool AuthNeedsUser(const AuthFacts& f) {
  if (!f.modelUserAuthentication || Same(f.userAuthValue, "DevUserAuthentic_Dis")) return false;
  if (Same(f.userAuthValue, "DevUserAuthentic_InterSV")) return f.modelInterim;
  return true;
}

bool AuthNeedsAccountTrack(const AuthFacts& f) {
  return f.modelAccountTrack && !Same(f.accountTrackValue, "DevAccountTrack_Dis");
}

bool AuthIsMiddleServerCase(const AuthFacts& f) {
  return f.modelInterim && Same(f.userAuthValue, "DevUserAuthentic_InterSV");
}

int RunAuthenticationFlow(const AuthFacts& f, const AuthDevice& d) {
  if (!AuthNeedsUser(f) && !AuthNeedsAccountTrack(f)) return kAuthProceed;
  const bool middle = AuthIsMiddleServerCase(f);
  // The device check counts only for a device whose address is known.
  const bool verify = f.verifyAuthentic && f.haveAddress;
  bool answered = false;
  int type = 0;
  if (verify || (f.haveAddress && middle)) answered = d.askAuthType(d.ctx, &type);
  const AuthDialogKind kind =
      (!answered ? middle : (middle && type == 4)) ? kAuthMiddleServerDialog : kAuthUserDialog;
  const bool checkLogin = verify && answered && kind == kAuthUserDialog;
  char errorName[kAuthErrorNameBytes];
  if (f.popupAuthenticDlg) {
    for (;;) {
      if (d.showDialog(d.ctx, kind) != 1) return kAuthDrop;
      if (!checkLogin) return kAuthProceed;
      std::memset(errorName, 0, sizeof errorName);
      const uint32_t status = d.login(d.ctx, errorName);
      if (status == 0) return kAuthProceed;
      const char16_t* message = d.findMessage(d.ctx, status, errorName);
      if (message == nullptr) continue;  // no word for it: ask again
      if (d.messageBox(d.ctx, message, kAuthTryAgainMessage, true) != kIdYes) return kAuthDrop;
    }
  }
  if (!checkLogin) return kAuthProceed;
  std::memset(errorName, 0, sizeof errorName);
  const uint32_t status = d.login(d.ctx, errorName);
  if (status == 0) return kAuthProceed;
  const char16_t* message = d.findMessage(d.ctx, status, errorName);
  if (message != nullptr) d.messageBox(d.ctx, message, kAuthJobCancelledMessage, false);
  return kAuthDrop;
}
