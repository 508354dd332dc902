#include "common/qxd/auth_messages.h"

#include <cstdlib>
#include <cstring>

#include "common/text/safe_format.h"

namespace {

AuthMessageSlot g_slots[kAuthSlotCount] = {
    {kAuthMatchStatus, 0, nullptr, 420, nullptr},
    {kAuthMatchStatus, 1, nullptr, 424, nullptr},
    {kAuthMatchStatus, 6, nullptr, 424, nullptr},
    {kAuthMatchName, 0, "AuthIllegalAccount", 425, nullptr},
    {kAuthMatchName, 0, "AuthAccessDenied", 426, nullptr},
    {kAuthMatchName, 0, "AuthIllegalPassword", 427, nullptr},
    {kAuthMatchName, 0, "AuthServerSettingError", 428, nullptr},
    {kAuthMatchName, 0, "AuthDnsServerError", 429, nullptr},
    {kAuthMatchName, 0, "AuthServerNotFound", 430, nullptr},
    {kAuthMatchName, 0, "AuthServerAuthFailure", 431, nullptr},
    {kAuthMatchName, 0, "AuthServerBusy", 433, nullptr},
    {kAuthMatchName, 0, "AuthServerError", 431, nullptr},
    {kAuthMatchName, 0, "AuthNotAllowedAuthSetting", 434, nullptr},
    {kAuthMatchName, 0, "AuthNotFoundTrack", 435, nullptr},
    {kAuthMatchName, 0, "AuthAccessDeniedTrack", 436, nullptr},
    {kAuthMatchName, 0, "AuthIllegalPasswordTrack", 437, nullptr},
    {kAuthMatchName, 0, "AuthNotAllowedFunctionTrack", 424, nullptr},
    {kAuthMatchName, 0, "AuthServerErrorTrack", 424, nullptr},
    {0, 0, nullptr, 422, nullptr},
    {0, 0, nullptr, kAuthCaptionMessage, nullptr},
    {0, 0, nullptr, kAuthJobCancelledMessage, nullptr},
    {0, 0, nullptr, kAuthTryAgainMessage, nullptr},
};

constexpr uint32_t kMessageKeyBytes = 128;

}  // namespace

void FreeMessageStrTable() {
  for (AuthMessageSlot& slot : g_slots) {
    std::free(slot.text);
    slot.text = nullptr;
  }
}

int LoadMessageStrTable(QxdContext* mainFile) {
  FreeMessageStrTable();
  QxdChainWalk walk;
  if (mainFile == nullptr || !QxdBeginChain(mainFile, "MessageStr", &walk)) return 0;
  QxdEntry e;
  while (QxdNextChainEntry(mainFile, &walk, &e)) {
    char key[kMessageKeyBytes];
    if (!QxdReadString(mainFile, e.keyOffset, key, sizeof key)) continue;
    const int32_t number = QxdFirstNumber(key);
    for (AuthMessageSlot& slot : g_slots) {
      if (static_cast<int64_t>(slot.message) != number) continue;
      auto* text = static_cast<char16_t*>(std::calloc(kAuthTextUnits, sizeof(char16_t)));
      if (text == nullptr) {
        FreeMessageStrTable();
        return 0;
      }
      // An entry without text leaves the slot without text; a later entry
      // of the same number replaces an earlier one.
      if (!QxdReadWideString(mainFile, e.textOffset, text, kAuthTextUnits)) {
        std::free(text);
        continue;
      }
      ExpandMessageLineBreaks(text);
      std::free(slot.text);
      slot.text = text;
    }
  }
  return 1;
}

const char16_t* FindMessageStr(uint32_t status, const char* errorName) {
  for (const AuthMessageSlot& slot : g_slots) {
    bool statusMatches = (slot.kind & kAuthMatchStatus) == 0 || slot.status == status;
    bool nameMatches = (slot.kind & kAuthMatchName) == 0 ||
                       (errorName != nullptr && slot.errorName != nullptr && QxdNameEquals(errorName, slot.errorName));
    if (statusMatches && nameMatches) return slot.text;
  }
  return nullptr;
}

const char16_t* GetAuthMessageCaption(void*) {
  for (const AuthMessageSlot& slot : g_slots) {
    if (slot.message == kAuthCaptionMessage) return slot.text;
  }
  return nullptr;
}

const AuthMessageSlot* AuthMessageSlots() { return g_slots; }

const char16_t* AuthMessageById(uint32_t message) {
  for (const AuthMessageSlot& slot : g_slots) {
    if (slot.message == message && slot.text != nullptr) return slot.text;
  }
  return nullptr;
}

int ParseSettingOrigin(const char* text) {
  if (text == nullptr) return 0;
  if (QxdNameEquals(text, "FactoryDefault")) return 1;
  if (QxdNameEquals(text, "UserDefined")) return 2;
  if (QxdNameEquals(text, "Unidentified")) return 3;
  return 0;
}
