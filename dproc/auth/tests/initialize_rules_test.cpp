// The Initialize sheet's access number and the e-mail dialog's address
// rule, as tables.
#include <gtest/gtest.h>

#include <string>

#include "dproc/auth/initialize_rules.h"

namespace {

TEST(InitializeRules, AccessNumbers) {
  const struct {
    const char* text;
    bool ok;
  } cases[] = {
      {"", true},      {"0002", true},  {"9999", true}, {"12a3", true},  // leading digits 12
      {"0001", false}, {"0000", false}, {"123", false}, {"abcd", false}, {"12345", false},
  };
  for (const auto& c : cases) EXPECT_EQ(AccessNumberAcceptable(c.text), c.ok) << c.text;
}

// Code page 932's lead bytes, as the system reports them.
bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

TEST(InitializeRules, EmailAddresses) {
  const struct {
    std::string address;
    bool ok;
  } cases[] = {
      {"", true},
      {"user@example.org", true},
      {"@example.org", false},
      {"user@", false},
      {"a@b@c", false},
      {"user.example.org", false},
      {"\x82\x40@x", true},           // the second byte of a double-byte character is no at sign
      {"\x82\x40x", false},           // ... so there is none here
      {"u\x82\x40", false},
      {"\x82", false},                // a lone lead byte at the end
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidEmailAddress(c.address, ShiftJisLead), c.ok) << c.address;
  EXPECT_FALSE(IsValidEmailAddress("\x82@x", ShiftJisLead));
  EXPECT_TRUE(IsValidEmailAddress("\x82@x", nullptr)) << "without double-byte characters every @ counts";
}

}  // namespace
