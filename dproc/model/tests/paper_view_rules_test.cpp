// Orientation, feed-direction and tray rules, and the user paper list.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/records/doc_fields.h"
#include "dproc/model/orientation_rules.h"
#include "common/qxd/paper_tables.h"
#include "dproc/model/user_paper_list.h"

namespace {

struct Doc {
  std::unique_ptr<DocDMode> d = std::make_unique<DocDMode>();
  Doc() { std::memset(d.get(), 0, sizeof *d); }
  Doc& Set(uint32_t at, uint8_t v) {
    SetDocByte(d.get(), at, v);
    return *this;
  }
};

TEST(OrientationRules, EffectiveOrientationAndBindingSide) {
  struct Case {
    uint8_t orientation, nup, nupKind, combination;
    uint32_t effective;
    int side;
  };
  const Case cases[] = {
      {1, 0, 0, 0, 1, 0}, {2, 0, 0, 0, 2, 1}, {2, 1, 1, 0, 1, 0}, {1, 1, 1, 0, 2, 1},
      {1, 1, 3, 1, 1, 1}, {2, 1, 2, 0, 2, 1}, {2, 1, 8, 0, 2, 1}, {1, 1, 6, 0, 1, -1},
  };
  for (const Case& c : cases) {
    Doc doc;
    doc.Set(kDocOrientationAt, c.orientation).Set(kDocNupAt, c.nup).Set(kDocNupKindAt, c.nupKind);
    doc.Set(kDocCombinationAt, c.combination);
    EXPECT_EQ(GetEffectiveOrientation(nullptr, doc.d.get()), c.effective) << int(c.orientation) << int(c.nupKind);
    EXPECT_EQ(GetBindingSide(doc.d.get()), c.side) << int(c.orientation) << int(c.nupKind);
  }
  // A booklet that the driver arranges turns the sheet.
  ModelInfo m = {};
  m.features[kMfBookletPrint] = 1;
  Doc booklet;
  booklet.Set(kDocOrientationAt, 1).Set(kDocDoubleSidesAt, 3);
  EXPECT_EQ(GetEffectiveOrientation(&m, booklet.d.get()), 2u);
}

TEST(OrientationRules, FeedDirectionAndRotation) {
  ModelInfo m = {};
  PaperSizeEntry papers[3] = {};
  std::strcpy(papers[0].keyword, "A4");
  papers[0].paperId = 9;
  std::strcpy(papers[1].keyword, "A5R");
  papers[1].paperId = 11;
  papers[1].rotatedFeed = 1;
  m.papers = papers;
  Doc doc;
  doc.Set(kDocOrientationAt, 1).Set(kDocBindingEdgeAt, 14);
  SetDocI16(doc.d.get(), kDocOutPaperSizeAt, 356);
  SetDocI16(doc.d.get(), kDocPaperSizeAt, 9);
  EXPECT_EQ(GetPaperFeedDirection(&m, doc.d.get()), 15u);
  EXPECT_EQ(IsPaperRotated(&m, doc.d.get()), 1);
  SetDocI16(doc.d.get(), kDocPaperSizeAt, 11);
  EXPECT_EQ(GetPaperFeedDirection(&m, doc.d.get()), 17u);
  EXPECT_EQ(IsPaperRotated(&m, doc.d.get()), 0);
  doc.Set(kDocDoubleSidesAt, 3);  // a booklet of the device keeps the plain feed
  EXPECT_EQ(GetPaperFeedDirection(&m, doc.d.get()), 15u);
  SetDocI16(doc.d.get(), kDocPaperSizeAt, 99);  // no paper row
  EXPECT_EQ(GetTrayFeedDirection(&m, 99, 2, doc.d.get()), 15u);
  doc.Set(kDocBindingEdgeAt, 5);
  EXPECT_EQ(GetPaperFeedDirection(&m, doc.d.get()), 5u);
}

TEST(OrientationRules, TrayMediaTypes) {
  ModelInfo m = {};
  Doc doc;
  SetDocI16(doc.d.get(), kDocMediaTypeAt, 3);
  SetDocI16(doc.d.get(), kDocAutoTrayMediaTypeAt, 4);
  SetDocU32(doc.d.get(), kDocTrayEntriesAt + 2 * 43 + 32, 258);
  SetDocI16(doc.d.get(), kDocTrayEntriesAt + 2 * 43 + 36, 12);
  SetDocI16(doc.d.get(), kDocInTrayAt, 258);
  EXPECT_EQ(GetTraySlotIndex(258, doc.d.get()), 2u);
  EXPECT_EQ(GetTraySlotIndex(7, doc.d.get()), 10u);
  EXPECT_EQ(GetTraySlotIndex(999, doc.d.get()), 10u);
  EXPECT_EQ(GetTrayMediaType(&m, 32767, doc.d.get()), 12);
  EXPECT_EQ(GetTrayMediaType(&m, 7, doc.d.get()), 3);
  m.features[kMfMediaTypeDetail] = 1;
  EXPECT_EQ(GetTrayMediaType(&m, 7, doc.d.get()), 4);
  EXPECT_EQ(GetTrayMediaType(&m, 999, doc.d.get()), 0);
}

// A model with custom limits 900-3000 by 1400-4570 and the paper A4.
struct PaperModel {
  PaperSizeEntry papers[2] = {};
  OutPaperSizeEntry outPapers[2] = {};
  ModelInfo m = {};
  PaperModel() {
    std::strcpy(papers[0].keyword, "A4");
    std::memcpy(papers[0].name, u"A4", 6);
    papers[0].paperId = 9;
    papers[0].width = 2100;
    papers[0].length = 2970;
    std::strcpy(outPapers[0].keyword, "OutA4");
    outPapers[0].paperId = 9;
    m.papers = papers;
    m.outPapers = outPapers;
    m.customWidthMin = 900;
    m.customWidthMax = 3000;
    m.customLengthMin = 1400;
    m.customLengthMax = 4570;
    m.customPaperMargins[0] = 42;
  }
};

TEST(UserPapers, ServerFormFilter) {
  PaperModel pm;
  uint32_t range = 9;
  EXPECT_TRUE(IsServerFormUsable(&pm.m, nullptr, {u"Letterhead", 210000, 297000}, &range));
  EXPECT_EQ(range, 1u);
  EXPECT_FALSE(IsServerFormUsable(&pm.m, nullptr, {u"A4", 210000, 297000}, &range));
  pm.m.customLengthMax = 2000;  // outside the limits, but of a model paper's size
  EXPECT_TRUE(IsServerFormUsable(&pm.m, nullptr, {u"Office", 210000, 297000}, &range));
  EXPECT_EQ(range, 0u);
  EXPECT_FALSE(IsServerFormUsable(&pm.m, nullptr, {u"Odd", 210000, 299000}, &range));
  pm.m.customLengthMax = 4570;
  pm.m.features[kMfPaperLengthLarger] = 1;
  EXPECT_FALSE(IsServerFormUsable(&pm.m, nullptr, {u"Wide", 297000, 210000}, &range));
  UserPaperList users = {};
  users.count = 1;
  std::memcpy(users.entries[0].name, u"Mine", 10);
  EXPECT_FALSE(IsServerFormUsable(&pm.m, &users, {u"Mine", 210000, 297000}, &range));
}

TEST(UserPapers, SessionListsMergeTheSources) {
  PaperModel pm;
  UserPaperList users = {};
  users.count = 25;  // damaged: ten entries at most are read
  for (int i = 0; i < 10; ++i) {
    UserPaperEntry& e = users.entries[i];
    // A name of 20 units without a terminator: 19 are kept.
    for (int k = 0; k < 20; ++k) e.name[k] = u'a' + k;
    e.width = 200000;
    e.length = 300000;
    e.areaLeft = e.areaTop = 4000;
    e.areaRight = 196000;
    e.areaBottom = 296000;
    e.paperId = static_cast<int16_t>(512 + i);
  }
  const ServerForm forms[] = {{u"A4", 210000, 297000}, {u"Huge", 900000, 900000}, {u"Letterhead", 210000, 297000}};
  SessionPaperItem* list = nullptr;
  const uint32_t n = BuildSessionPaperList(&pm.m, &users, forms, 3, &list);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(n, 1u + 10u + 1u);
  const SessionPaperItem& user = list[1];
  EXPECT_STREQ(user.keyword, "CustomPaper");
  EXPECT_EQ(user.width, 2000u);
  EXPECT_EQ(user.length, 3000u);
  for (uint32_t k = 0; k < 4; ++k) EXPECT_EQ(user.margins[k], 40u);
  EXPECT_EQ(std::u16string(user.name).size(), 19u);
  const SessionPaperItem& form = list[11];
  EXPECT_STREQ(form.keyword, "OutServerPaper");
  EXPECT_EQ(form.paperId, 0x1003u);
  EXPECT_EQ(form.width, 2100u);
  EXPECT_EQ(form.margins[0], 42u);
  EXPECT_EQ(form.customRange, 1u);
  EXPECT_EQ(list[12].keyword[0], '\0');

  SessionPaperItem* out = nullptr;
  EXPECT_EQ(BuildSessionOutPaperList(&pm.m, &users, list, &out), 1u + 10u + 1u);
  ASSERT_NE(out, nullptr);
  EXPECT_STREQ(out[0].keyword, "OutA4");
  EXPECT_STREQ(out[1].keyword, "OutCustomPaper");
  EXPECT_EQ(out[11].paperId, 0x1003u);
  std::free(out);
  std::free(list);

  users.count = -3;
  EXPECT_EQ(BuildSessionPaperList(&pm.m, &users, nullptr, 0, &list), 1u);
  std::free(list);
}

}  // namespace
