// The authentication dialogs' rules: the modes by the device's answer and by
// the device option record, the department fields they ask for, and the
// servers' list merged with the names the device gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dproc/auth/auth_rules.h"

namespace {

AuthModeFacts Device(int auth, int track) { return {true, auth, track, "DevUserAuthentic_Dis", "DevAccountTrack_Dis", true}; }
AuthModeFacts Options(const char* user, const char* track, bool interim = true) {
  return {false, 0, 0, user, track, interim};
}

TEST(AuthModes, ByTheDeviceAnswer) {
  const struct {
    int auth, track, user, trackMode;
  } cases[] = {{1, 1, 0, 0}, {2, 2, 2, 2}, {3, 3, 1, 3}, {4, 4, 0, 4}, {0, 0, 0, 0}, {5, 5, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.auth);
    EXPECT_EQ(UserAuthMode(Device(c.auth, c.track)), c.user);
    EXPECT_EQ(AccountTrackMode(Device(c.auth, c.track)), c.trackMode);
  }
}

TEST(AuthModes, ByTheOptionRecord) {
  EXPECT_EQ(UserAuthMode(Options("DevUserAuthentic_Engin", "")), 1);
  EXPECT_EQ(UserAuthMode(Options("DevUserAuthentic_GeneralSV", "")), 2);
  EXPECT_EQ(UserAuthMode(Options("DevUserAuthentic_InterSV", "")), 3);
  EXPECT_EQ(UserAuthMode(Options("DevUserAuthentic_InterSV", "", false)), 0) << "a model without relay servers";
  EXPECT_EQ(UserAuthMode(Options("DevUserAuthentic_Dis", "")), 0);
  EXPECT_EQ(UserAuthMode(Options("", "")), 0);
  EXPECT_EQ(AccountTrackMode(Options("", "DevAccountTrack_Dis")), 0);
  EXPECT_EQ(AccountTrackMode(Options("", "DevAccountTrack_Ena")), 1);
  EXPECT_EQ(AccountTrackMode(Options("", "")), 1) << "an unknown value counts as on";
}

TEST(AuthModes, DepartmentFields) {
  // With user authentication: track modes 1, 2, 4; without: 1, 2, 3.
  const bool withUser[] = {false, true, true, false, true};
  const bool without[] = {false, true, true, true, false};
  for (int track = 0; track <= 4; ++track) {
    SCOPED_TRACE(track);
    EXPECT_EQ(DepartmentInUse(1, track), withUser[track]);
    EXPECT_EQ(DepartmentInUse(0, track), without[track]);
  }
}

TEST(DevAuthWarning, WhenTheDeviceWantsAUserAndTheSettingsNameNone) {
  const struct {
    const char* option;
    bool interim;
    uint8_t type;
    char16_t first;
    bool warn;
  } cases[] = {
      {"DevUserAuthentic_Dis", true, 1, u'\0', false},
      {"DevUserAuthentic_Engin", true, 0, u'\0', false},      // a shared user needs no name
      {"DevUserAuthentic_Engin", true, 1, u'a', false},
      {"DevUserAuthentic_Engin", true, 1, u'\0', true},
      {"DevUserAuthentic_GeneralSV", true, 2, u'a', true},     // an unknown type names no user
      {"DevUserAuthentic_InterSV", true, 1, u'\0', false},    // the relay server asks itself
      {"DevUserAuthentic_InterSV", false, 1, u'\0', false},   // no relay servers on the model: off
      {"", true, 1, u'\0', true},                             // unknown counts as not off
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " type " + std::to_string(c.type));
    EXPECT_EQ(DevAuthWarningNeeded(c.option, c.interim, c.type, c.first), c.warn);
  }
}

struct Rows {
  std::vector<OptionItem> rows = std::vector<OptionItem>(kAuthServerRows + 1);
  Rows() {
    for (size_t i = 0; i < kAuthServerRows; ++i) {
      OptionItem& r = rows[i];
      r.size = sizeof r;
      std::snprintf(r.keyword, sizeof r.keyword, "Server%02zu", i + 1);
      r.value = static_cast<uint32_t>(i + 1);
      const std::u16string text = u"Server " + std::u16string(1, static_cast<char16_t>(u'A' + i));
      std::memcpy(r.text, text.data(), text.size() * sizeof(char16_t));
    }
  }
  std::u16string Text(size_t i, const AuthServerNames& names) {
    std::u16string t;
    return AuthServerListText(rows[i], i, names, &t) ? t : u"<left out>";
  }
};

DeviceServerName Entry(int number, const char* name) { return {number, name}; }

TEST(AuthServers, DeviceNamesMarkTheirRows) {
  Rows t;
  AuthServerNames names = {};
  MergeDeviceServers(t.rows.data(), {Entry(1, "Head office"), Entry(3, "K\xC3\xB6ln")}, &names);
  EXPECT_EQ(t.Text(0, names), u"*Head office");
  EXPECT_EQ(t.Text(1, names), u"Server B") << "a row the device does not name keeps the file's name";
  EXPECT_EQ(t.Text(2, names), u"*K\u00F6ln");
}

TEST(AuthServers, EmptyDeviceNameLeavesTheRowOutUntilNamedAgain) {
  Rows t;
  AuthServerNames names = {};
  MergeDeviceServers(t.rows.data(), {Entry(2, "")}, &names);
  EXPECT_EQ(t.Text(1, names), u"<left out>");
  MergeDeviceServers(t.rows.data(), {Entry(2, "Branch")}, &names);
  EXPECT_EQ(t.Text(1, names), u"*Branch");
}

TEST(AuthServers, OutOfOrderEntryEndsTheMerge) {
  Rows t;
  AuthServerNames names = {};
  MergeDeviceServers(t.rows.data(), {Entry(3, "Three"), Entry(2, "Two"), Entry(4, "Four")}, &names);
  EXPECT_EQ(t.Text(2, names), u"*Three");
  EXPECT_EQ(t.Text(1, names), u"Server B");
  EXPECT_EQ(t.Text(3, names), u"Server D");
}

TEST(AuthServers, LongNamesAreCutToTheList) {
  Rows t;
  AuthServerNames names = {};
  const std::string longName(60, 'x');
  MergeDeviceServers(t.rows.data(), {Entry(20, longName.c_str())}, &names);
  EXPECT_EQ(t.Text(19, names), u"*" + std::u16string(47, u'x')) << "47 characters and the mark";
  EXPECT_EQ(t.rows[19].text[47], u'\0') << "the row's text stays terminated";
}

}  // namespace
