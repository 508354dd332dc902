// Rows of the general message table, as the message boxes and field checks
// take them.
#include <gtest/gtest.h>

#include <string>

#include "dproc/model/disp_strings.h"
#include "dproc/model/message_text.h"
#include "tests/support/model_fixture.h"

namespace {

TEST(MessageText, RowsFromTheNumberedTables) {
  modeltest::File file(
      "qxd 1\n\nsection \"MessageStr\" texts\n"
      "  entry key=\"Msg_420\" text=\"First line.\\nSecond line.\"\n"
      "  entry key=\"Msg_7\" text=\"Caption\"\n\n"
      "section \"HintStr\" texts\n  entry key=\"Msg_9\" text=\"A hint\"\n");
  MessageTables tables;
  ASSERT_TRUE(AllocMessageTables(&tables));
  LoadMessageTables(file.get(), &tables);
  UseGeneralMessageTable(&tables);

  char16_t out[64];
  LoadMessageText(420, out, 64);
  EXPECT_EQ(std::u16string(out), u"First line. \nSecond line.");
  LoadMessageText(7, out, 4);
  EXPECT_EQ(std::u16string(out), u"Cap");
  LoadMessageText(9, out, 64);
  EXPECT_EQ(std::u16string(out), u"") << "only the general table";
  LoadMessageText(5000, out, 64);
  EXPECT_EQ(std::u16string(out), u"");

  UseGeneralMessageTable(nullptr);
  LoadMessageText(420, out, 64);
  EXPECT_EQ(std::u16string(out), u"");
  FreeMessageTables(&tables);
}

}  // namespace
