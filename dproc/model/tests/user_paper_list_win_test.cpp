// The user paper list and the server's forms through a printer in Wine's
// spooler.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "dproc/model/user_paper_list_win.h"
#include "tests/support/test_printer_win.h"

namespace {

class UserPaperSpoolerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(printer_.ok()) << printer_.error(); }
  void Store(const void* data, DWORD size) {
    ASSERT_EQ(SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"CustomPaperData"), REG_BINARY,
                              static_cast<BYTE*>(const_cast<void*>(data)), size),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  testsupport::TestPrinter printer_{L"Fax Paper Test"};
};

TEST_F(UserPaperSpoolerTest, StoredListRoundTripsAndOversizeValuesReadAsEmpty) {
  UserPaperList list;
  EXPECT_FALSE(ReadCustomPaperData(printer_.handle(), &list));  // nothing stored
  EXPECT_EQ(list.count, 0);

  UserPaperList stored = {};
  stored.count = 1;
  std::memcpy(stored.entries[0].name, u"Postcard", 18);
  stored.entries[0].width = 100000;
  stored.entries[0].length = 148000;
  stored.entries[0].paperId = 512;
  Store(&stored, sizeof stored);
  ASSERT_TRUE(ReadCustomPaperData(printer_.handle(), &list));
  EXPECT_EQ(std::memcmp(&list, &stored, sizeof list), 0);

  std::vector<BYTE> big(700, 1);
  Store(big.data(), static_cast<DWORD>(big.size()));
  EXPECT_FALSE(ReadCustomPaperData(printer_.handle(), &list));
  EXPECT_EQ(list.count, 0);
}

TEST_F(UserPaperSpoolerTest, ServerFormsJoinWithTheirPlaceInTheSpoolersList) {
  PaperSizeEntry papers[1] = {};
  ModelInfo m = {};
  m.papers = papers;
  m.customWidthMin = 900;
  m.customWidthMax = 3000;
  m.customLengthMin = 1400;
  m.customLengthMax = 4570;

  DWORD needed = 0, count = 0;
  EnumFormsW(printer_.handle(), 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(EnumFormsW(printer_.handle(), 1, buffer.data(), needed, &needed, &count));
  ASSERT_GT(count, 0u);
  const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());

  SessionPaperItem* list = nullptr;
  const uint32_t n = BuildSessionPaperListForPrinter(&m, printer_.name().c_str(), nullptr, true, &list);
  ASSERT_NE(list, nullptr);
  uint32_t expected = 0;
  for (DWORD j = 0; j < count; ++j) {
    const ServerForm form{reinterpret_cast<const char16_t*>(forms[j].pName), forms[j].Size.cx, forms[j].Size.cy};
    if (!IsServerFormUsable(&m, nullptr, form, nullptr)) continue;
    ASSERT_LT(expected, n);
    EXPECT_EQ(list[expected].paperId, 0x1000u + j + 1);
    EXPECT_EQ(list[expected].width, static_cast<uint32_t>(forms[j].Size.cx / 100));
    ++expected;
  }
  EXPECT_GT(expected, 0u);
  EXPECT_EQ(n, expected);
  std::free(list);

  // Without forms, or for a printer that cannot be opened, only the model's papers.
  EXPECT_EQ(BuildSessionPaperListForPrinter(&m, printer_.name().c_str(), nullptr, false, &list), 0u);
  std::free(list);
  EXPECT_EQ(BuildSessionPaperListForPrinter(&m, L"No Such Printer", nullptr, true, &list), 0u);
  std::free(list);
}

}  // namespace
