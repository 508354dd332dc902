// The answers to a device connection check.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/qxd/auth_messages.h"
#include "tests/support/model_fixture.h"
#include "tools/qxd/qxd_document.h"

namespace {

int Load(const std::string& text) {
  modeltest::File file(text);
  return LoadMessageStrTable(file.get());
}

std::string Text(const char16_t* text) { return text == nullptr ? "(none)" : qxd::Utf16ToUtf8(text); }

const char kMessages[] =
    "qxd 1\n\n"
    "section \"MessageStr\" texts\n"
    "  entry key=\"Msg_8\" text=\"Check\"\n"
    "  entry key=\"Msg_420\" text=\"Connected.\"\n"
    "  entry key=\"Msg_422\" text=\"Unknown.\"\n"
    "  entry key=\"Msg_Unreachable_424\" text=\"Not reached.\\nCheck the address.\"\n"
    "  entry key=\"Msg_433\" text=\"Busy.\"\n"
    "  entry key=\"Msg_999\" text=\"Nobody's.\"\n"
    "  entry key=\"NoDigits\" text=\"Zero.\"\n";

class AuthMessagesTest : public ::testing::Test {
 protected:
  void TearDown() override { FreeMessageStrTable(); }
};

TEST_F(AuthMessagesTest, AnswersByStatusAndErrorName) {
  ASSERT_EQ(Load(kMessages), 1);
  struct Case {
    uint32_t status;
    const char* name;
    const char* expected;
  } cases[] = {
      {0, nullptr, "Connected."},
      {3, "AuthServerBusy", "Busy."},
      {3, "authserverbusy", "Busy."},
      {3, "AuthServerBusyX", "Unknown."},
      {3, "NoSuchError", "Unknown."},
      {6, nullptr, "Not reached. \nCheck the address."},
      {1, "AuthIllegalAccount", "Not reached. \nCheck the address."},  // the status slot comes first
      {0, "AuthIllegalAccount", "Connected."},
      {5, "AuthIllegalAccount", "(none)"},  // message 425 has no entry
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(FindMessageStr(c.status, c.name)), c.expected) << c.status << " " << (c.name ? c.name : "-");
  }
  EXPECT_EQ(Text(GetAuthMessageCaption(nullptr)), "Check");
}

TEST_F(AuthMessagesTest, OneEntryFillsEverySlotOfItsNumberWithItsOwnCopy) {
  ASSERT_EQ(Load(kMessages), 1);
  const AuthMessageSlot* slots = AuthMessageSlots();
  std::vector<const char16_t*> seen;
  for (size_t i : {1, 2, 16, 17}) {
    ASSERT_NE(slots[i].text, nullptr) << i;
    EXPECT_EQ(Text(slots[i].text), "Not reached. \nCheck the address.");
    for (const char16_t* other : seen) EXPECT_NE(other, slots[i].text);
    seen.push_back(slots[i].text);
  }
}

TEST_F(AuthMessagesTest, MissingSectionLeavesEverySlotEmpty) {
  ASSERT_EQ(Load(kMessages), 1);
  EXPECT_EQ(Load("qxd 1\n\nsection \"Other\" texts\n  entry key=\"Msg_420\" text=\"x\"\n"), 0);
  for (size_t i = 0; i < kAuthSlotCount; ++i) EXPECT_EQ(AuthMessageSlots()[i].text, nullptr);
  EXPECT_EQ(LoadMessageStrTable(nullptr), 0);
}

TEST_F(AuthMessagesTest, LongTextsAreCutToTheBlock) {
  ASSERT_EQ(Load("qxd 1\n\nsection \"MessageStr\" texts\n  entry key=\"M420\" text=\"" + std::string(290, 'x') + "\"\n"), 1);
  EXPECT_EQ(Text(FindMessageStr(0, nullptr)), std::string(289, 'x'));
}

TEST(SettingOrigin, Names) {
  EXPECT_EQ(ParseSettingOrigin("FactoryDefault"), 1);
  EXPECT_EQ(ParseSettingOrigin("userdefined"), 2);
  EXPECT_EQ(ParseSettingOrigin("UNIDENTIFIED"), 3);
  EXPECT_EQ(ParseSettingOrigin("Factory"), 0);
  EXPECT_EQ(ParseSettingOrigin(nullptr), 0);
}

}  // namespace
