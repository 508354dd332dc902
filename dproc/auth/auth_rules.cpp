#include "dproc/auth/auth_rules.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "common/text/utf8_text.h"

namespace {

bool Is(const char* keyword, const char* name) { return keyword != nullptr && std::strcmp(keyword, name) == 0; }

constexpr size_t kListTextUnits = 47;

size_t TextUnits(const OptionItem& row) {
  size_t n = 0;
  while (n < std::size(row.text) && row.text[n] != u'\0') ++n;
  return n;
}

}  // namespace

int UserAuthMode(const AuthModeFacts& f) {
  if (f.deviceCounts) {
    if (f.deviceAuthType == 2) return 2;
    if (f.deviceAuthType == 3) return 1;
    return 0;
  }
  if (Is(f.userAuthOption, "DevUserAuthentic_Engin")) return 1;
  if (Is(f.userAuthOption, "DevUserAuthentic_GeneralSV")) return 2;
  if (Is(f.userAuthOption, "DevUserAuthentic_InterSV")) return f.modelInterim ? 3 : 0;
  return 0;
}

int AccountTrackMode(const AuthModeFacts& f) {
  if (f.deviceCounts) return f.deviceTrackType >= 2 && f.deviceTrackType <= 4 ? f.deviceTrackType : 0;
  return Is(f.trackOption, "DevAccountTrack_Dis") ? 0 : 1;
}

bool DepartmentInUse(int userMode, int trackMode) {
  if (UserAuthInUse(userMode)) return trackMode == 1 || trackMode == 2 || trackMode == 4;
  return trackMode >= 1 && trackMode <= 3;
}

bool DevAuthWarningNeeded(const char* userAuthOption, bool modelInterim, uint8_t userType, char16_t firstNameUnit) {
  const bool relay = Is(userAuthOption, "DevUserAuthentic_InterSV");
  if (relay && !modelInterim) return false;
  if (Is(userAuthOption, "DevUserAuthentic_Dis")) return false;
  const bool sufficient = relay || userType == 0 || (userType == 1 && firstNameUnit != u'\0');
  return !sufficient;
}

AuthServerNames& ProcessAuthServerNames() {
  static AuthServerNames names = {};
  return names;
}

void MergeDeviceServers(OptionItem* rows, const std::vector<DeviceServerName>& entries, AuthServerNames* names) {
  if (rows == nullptr || names == nullptr) return;
  size_t next = 0;
  for (size_t i = 0; i < kAuthServerRows && rows[i].keyword[0] != '\0' && next < entries.size(); ++i) {
    if (entries[next].number != static_cast<int>(i) + 1) continue;
    names->named[i] = true;
    const std::u16string name = Utf8ToUtf16(entries[next].name);
    std::memset(rows[i].text, 0, sizeof rows[i].text);
    std::memcpy(rows[i].text, name.data(), std::min(name.size(), std::size(rows[i].text) - 1) * sizeof(char16_t));
    ++next;
  }
}

bool AuthServerListText(const OptionItem& row, size_t index, const AuthServerNames& names, std::u16string* text) {
  const bool named = index < kAuthServerRows && names.named[index];
  const size_t units = TextUnits(row);
  if (named && units == 0) return false;
  text->clear();
  if (named) text->push_back(u'*');
  text->append(row.text, std::min(units, kListTextUnits));
  return true;
}
