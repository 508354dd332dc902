#include "common/records/fax_send_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

TEST(FaxSendRules, ReplayPerDestinationOnlyWithOneCoverPerDestination) {
  // (cover switch, recipient mode, recipient setting) -> once per destination
  struct Case {
    uint8_t cover, mode, setting;
    bool perDestination;
  } cases[] = {
      {1, 1, 1, true},  {1, 2, 1, true},   // any detail mode
      {0, 1, 1, false},                    // no cover sheet
      {1, 0, 1, false},                    // standard recipient mode
      {1, 1, 0, false},                    // all names on one cover
      {1, 1, 2, false}, {2, 1, 1, false},  // only the value 1 switches
  };
  auto block = std::make_unique<FaxSendBlock>();
  for (const Case& c : cases) {
    EXPECT_EQ(FaxReplayPerDestination(c.cover, c.mode, c.setting), c.perDestination)
        << int(c.cover) << int(c.mode) << int(c.setting);
    std::memset(block.get(), 0, sizeof(FaxSendBlock));
    block->faxSetting.fgFaxCoverSheet = c.cover;
    block->coverSheet[kFaxCoverRecipientModeAt] = c.mode;
    block->coverSheet[kFaxCoverRecipientSettingAt] = c.setting;
    EXPECT_EQ(FaxReplayPerDestination(*block), c.perDestination);
  }
}

TEST(FaxSendRules, RecipientCountNeverBeyondTheSlots) {
  auto block = std::make_unique<FaxSendBlock>();
  std::memset(block.get(), 0, sizeof(FaxSendBlock));
  for (uint16_t n : {0, 1, 100}) {
    block->wRecipientCount = n;
    EXPECT_EQ(FaxSendBlockRecipientCount(*block), n);
  }
  block->wRecipientCount = 101;
  EXPECT_EQ(FaxSendBlockRecipientCount(*block), 100u);
  block->wRecipientCount = 0xFFFF;
  EXPECT_EQ(FaxSendBlockRecipientCount(*block), 100u);
}

}  // namespace
