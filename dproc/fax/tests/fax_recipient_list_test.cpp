#include "dproc/fax/fax_recipient_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct List {
  FaxRecipientEntry slots[kFaxMaxRecipients];
  uint32_t count;
};

std::unique_ptr<List> NewList() {
  auto list = std::make_unique<List>();
  std::memset(list.get(), 0, sizeof(List));
  return list;
}

std::u16string Number(uint32_t i) {
  std::u16string s = u"0";
  for (char c : std::to_string(i)) s.push_back(static_cast<char16_t>(c));
  return s;
}

void Fill(List* list, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i) {
    ASSERT_EQ(AddFaxRecipient(list->slots, &list->count, MakeFaxRecipient(u"name", Number(i).c_str(), true, false, true)),
              FaxAddResult::kAdded);
  }
}

TEST(FaxRecipientList, EntryFromTheFields) {
  FaxRecipientEntry e = MakeFaxRecipient(u"Ada", u"0123-P", false, true, true);
  EXPECT_EQ(std::u16string(e.szName), u"Ada");
  EXPECT_EQ(std::u16string(e.szFaxNumber), u"0123-P");
  EXPECT_EQ(e.szCompany[0], 0);
  EXPECT_EQ(e.szDepartment[0], 0);
  EXPECT_EQ(e.fgECM, 1) << "V.34 keeps error correction on";
  EXPECT_EQ(e.fgIntTransMode, 1);
  EXPECT_EQ(e.fgV34Mode, 1);
  EXPECT_EQ(e.pad651, 0);
  e = MakeFaxRecipient(nullptr, u"1", false, false, false);
  EXPECT_EQ(e.fgECM, 0);
  // Long texts are cut at 80 characters and terminated.
  std::u16string longText(120, u'7');
  e = MakeFaxRecipient(longText.c_str(), longText.c_str(), true, false, false);
  EXPECT_EQ(std::u16string(e.szName).size(), 80u);
  EXPECT_EQ(std::u16string(e.szFaxNumber).size(), 80u);
}

TEST(FaxRecipientList, DuplicateNumbersAreRefusedDuplicateNamesAreNot) {
  auto list = NewList();
  EXPECT_EQ(AddFaxRecipient(list->slots, &list->count, MakeFaxRecipient(u"A", u"123", true, false, true)),
            FaxAddResult::kAdded);
  EXPECT_EQ(AddFaxRecipient(list->slots, &list->count, MakeFaxRecipient(u"B", u"123", true, false, true)),
            FaxAddResult::kDuplicateNumber);
  EXPECT_EQ(AddFaxRecipient(list->slots, &list->count, MakeFaxRecipient(u"A", u"1234", true, false, true)),
            FaxAddResult::kAdded);
  EXPECT_EQ(list->count, 2u);
  EXPECT_EQ(FindFaxNumber(list->slots, list->count, u"1234"), 1);
  EXPECT_EQ(FindFaxNumber(list->slots, list->count, u"12"), -1) << "whole text, not a prefix";
  // The slot behind the count is no destination, even with the same number.
  list->slots[2] = MakeFaxRecipient(u"", u"999", true, false, false);
  EXPECT_EQ(FindFaxNumber(list->slots, list->count, u"999"), -1);
}

TEST(FaxRecipientList, TheHundredAndFirstIsRefusedAsFullBeforeDuplicates) {
  auto list = NewList();
  Fill(list.get(), 100);
  EXPECT_EQ(AddFaxRecipient(list->slots, &list->count, MakeFaxRecipient(u"", u"new", true, false, false)),
            FaxAddResult::kListFull);
  EXPECT_EQ(AddFaxRecipient(list->slots, &list->count, MakeFaxRecipient(u"", u"00", true, false, false)),
            FaxAddResult::kListFull);
  EXPECT_EQ(list->count, 100u);
}

TEST(FaxRecipientList, DeletionClosesTheGapsInOrder) {
  struct Case {
    uint32_t count;
    std::vector<uint32_t> rows;
    std::vector<uint32_t> left;
  } cases[] = {
      {5, {1, 3}, {0, 2, 4}},
      {5, {0, 1, 2, 3, 4}, {}},
      {5, {4}, {0, 1, 2, 3}},
      {5, {0}, {1, 2, 3, 4}},
      {5, {2, 2, 7}, {0, 1, 3, 4}},   // a repeated row and a row behind the count are ignored
      {100, {0, 99}, {}},             // checked below by count only
  };
  for (const Case& c : cases) {
    auto list = NewList();
    Fill(list.get(), c.count);
    DeleteFaxRecipients(list->slots, &list->count, c.rows.data(), c.rows.size());
    if (c.count == 100) {
      EXPECT_EQ(list->count, 98u);
      EXPECT_EQ(std::u16string(list->slots[0].szFaxNumber), Number(1));
      EXPECT_EQ(std::u16string(list->slots[97].szFaxNumber), Number(98));
      continue;
    }
    ASSERT_EQ(list->count, c.left.size());
    for (size_t i = 0; i < c.left.size(); ++i) {
      EXPECT_EQ(std::u16string(list->slots[i].szFaxNumber), Number(c.left[i])) << i;
    }
  }
}

TEST(FaxRecipientList, PhoneBookAnswersAreClamped) {
  auto list = NewList();
  Fill(list.get(), 3);
  // A phone book that claims more destinations than there are slots and
  // leaves texts without their terminator.
  list->count = 4000;
  for (char16_t& c : list->slots[1].szCompany) c = u'x';
  for (char16_t& c : list->slots[99].szFaxNumber) c = u'5';
  ClampPhoneBookAnswer(list->slots, &list->count);
  EXPECT_EQ(list->count, 100u);
  EXPECT_EQ(std::u16string(list->slots[1].szCompany).size(), 80u);
  EXPECT_EQ(std::u16string(list->slots[99].szFaxNumber).size(), 80u);
  EXPECT_EQ(std::u16string(list->slots[0].szFaxNumber), Number(0)) << "terminated texts stay as they are";
  uint32_t count = 7;
  ClampPhoneBookAnswer(list->slots, &count);
  EXPECT_EQ(count, 7u);
}

}  // namespace
