// The rules of the authentication dialogs: which of the device's methods
// are in use (by the device's answer or by the device option record), which
// fields they ask for, and the authentication servers' list as the device
// names them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/qxd/model_rows.h"

// What the modes are decided from.  `deviceCounts`: the device answered at
// the dialog's start and the device option record's automatic acquisition
// is on; then the device's codes count, else the option keywords.
struct AuthModeFacts {
  bool deviceCounts;
  int deviceAuthType;          // 1 none, 2 server, 3 device, 4 middle server
  int deviceTrackType;         // 1 none, 2 account password, 3 password, 4 with user authentication
  const char* userAuthOption;  // keyword of "DevUserAuthentication" ("" when unknown)
  const char* trackOption;     // keyword of "DevAccountTrack"
  bool modelInterim;           // the model's "InterimAuthenticSetting"
};

// 0 off, 1 the device checks the user, 2 an authentication server, 3 a
// relay server.
int UserAuthMode(const AuthModeFacts& facts);
// 0 off, 1 on (by the option record), 2 to 4 the device's codes.
int AccountTrackMode(const AuthModeFacts& facts);
inline bool UserAuthInUse(int userMode) { return userMode >= 1 && userMode <= 3; }
// The department name and password are asked for.
bool DepartmentInUse(int userMode, int trackMode);

// The warning as a sheet session opens: the device wants user
// authentication ("DevUserAuthentication" other than off; a relay server
// counts only on a model that has them) and the settings name no user
// (neither a shared user, nor a named user with a name, nor a relay
// server that asks for its own answers).
bool DevAuthWarningNeeded(const char* userAuthOption, bool modelInterim, uint8_t userType, char16_t firstNameUnit);

// The authentication servers' rows (the "ServerSetting" options) and which
// of them the device has named: a mark, once set, stays for the life of the
// process; a name stays until the device names the row anew.
inline constexpr size_t kAuthServerRows = 20;
struct AuthServerNames {
  bool named[kAuthServerRows];
};
AuthServerNames& ProcessAuthServerNames();

// One server of the device's list: its number and its UTF-8 name (as many
// bytes as the device's field holds up to its end).
struct DeviceServerName {
  int number;
  std::string_view name;
};
// Merges the device's list (ascending numbers; Server01 is number 1) into
// `rows` (a table ending with an empty keyword): a matching row is marked
// and takes the device's name (at most 47 characters).  An entry whose
// number matches no later row ends the merge.
void MergeDeviceServers(OptionItem* rows, const std::vector<DeviceServerName>& entries, AuthServerNames* names);
// The list text of row `index`: "*" and the device's name for a named row,
// the description file's name otherwise (at most 47 characters); false
// for a named row without a name, which the list leaves out.
bool AuthServerListText(const OptionItem& row, size_t index, const AuthServerNames& names, std::u16string* text);
