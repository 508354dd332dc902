// Page settings snapshots: saved and applied field by field.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/records/doc_fields.h"
#include "drender/settings/page_snapshot.h"

namespace {

TEST(PageSnapshotTest, SaveAndApplyMoveOnlyThePageFields) {
  std::unique_ptr<DocDMode> source(new DocDMode());
  std::unique_ptr<DocDMode> target(new DocDMode());
  uint8_t* s = DocBytes(source.get());
  for (size_t i = 0; i < sizeof(DocDMode); ++i) s[i] = static_cast<uint8_t>(i * 7 + 3);
  std::memset(target.get(), 0xA5, sizeof(DocDMode));
  PageSettings snapshot{};
  Page_SaveSettings(source.get(), 1, &snapshot);
  EXPECT_EQ(snapshot.headerWritten, 1);
  EXPECT_EQ(snapshot.tabMark, 255);
  EXPECT_EQ(snapshot.paperSize, static_cast<uint16_t>(DocI16(source.get(), kDocPaperSizeAt)));
  EXPECT_EQ(snapshot.orientation, DocByte(source.get(), kDocOrientationAt));
  EXPECT_EQ(snapshot.reserved17, 0);
  Page_ApplySettings(target.get(), &snapshot);
  const uint8_t* t = DocBytes(target.get());
  // The fields of the snapshot, and nothing else.
  const struct {
    uint32_t from, to;
  } runs[] = {{64, 65},     {66, 72},     {96, 102},    {118, 120},   {120, 124},   {1242, 1244},
              {1244, 1245}, {1246, 1247}, {1248, 1249}, {1412, 1413}, {1428, 1430}, {1432, 1436},
              {1441, 1442}, {1553, 1554}, {1554, 2011}, {2012, 2014}, {2014, 2019}, {2020, 2024}};
  for (uint32_t i = 0; i < sizeof(DocDMode); ++i) {
    bool inside = false;
    for (const auto& r : runs) inside = inside || (i >= r.from && i < r.to);
    ASSERT_EQ(t[i], inside ? s[i] : 0xA5) << i;
  }
}

TEST(PageSnapshotTest, WhatStartsANewSheet) {
  std::unique_ptr<DocDMode> before(new DocDMode());
  std::unique_ptr<DocDMode> after(new DocDMode());
  std::memset(before.get(), 0, sizeof(DocDMode));
  struct Case {
    const char* name;
    uint32_t at;
    int16_t was, now;
    bool wide;
    bool differs;
  };
  for (const Case& c : {Case{"media 3 to any", kDocMediaTypeAt, 3, 256, true, false},
                        Case{"media 3 to 4", kDocMediaTypeAt, 3, 4, true, true},
                        Case{"tray", kDocInTrayAt, 7, 257, true, true},
                        Case{"print type", kDocDoubleSidesAt, 1, 2, false, true},
                        Case{"binding 0 to 2", kDocBindingEdgeAt, 0, 2, false, false},
                        Case{"binding 0 to 1", kDocBindingEdgeAt, 0, 1, false, true},
                        Case{"binding 8 to 9", kDocBindingEdgeAt, 8, 9, false, true}}) {
    std::memset(after.get(), 0, sizeof(DocDMode));
    std::memset(before.get(), 0, sizeof(DocDMode));
    if (c.wide) {
      SetDocI16(before.get(), c.at, c.was);
      SetDocI16(after.get(), c.at, c.now);
    } else {
      SetDocByte(before.get(), c.at, static_cast<uint8_t>(c.was));
      SetDocByte(after.get(), c.at, static_cast<uint8_t>(c.now));
    }
    EXPECT_EQ(Page_SettingsDiffer(nullptr, before.get(), after.get()), c.differs) << c.name;
  }
}

TEST(PageSnapshotTest, WhatChangesTheLayout) {
  std::unique_ptr<DocDMode> before(new DocDMode());
  std::unique_ptr<DocDMode> after(new DocDMode());
  struct Case {
    uint32_t at;
    uint8_t was, now;
    bool differs;
  };
  for (const Case& c : {Case{kDocNupStyleAt, 3, 1, false}, Case{kDocNupStyleAt, 2, 1, true},
                        Case{kDocNupStyleAt, 0, 2, false}, Case{kDocNupStyleAt, 4, 5, true},
                        Case{kDocBookletBindingAt, 2, 4, false}, Case{kDocBookletBindingAt, 1, 2, true}}) {
    std::memset(before.get(), 0, sizeof(DocDMode));
    std::memset(after.get(), 0, sizeof(DocDMode));
    SetDocByte(before.get(), c.at, c.was);
    SetDocByte(after.get(), c.at, c.now);
    EXPECT_EQ(Page_LayoutDiffers(before.get(), after.get()), c.differs) << c.at << " " << int(c.was) << " " << int(c.now);
  }
  std::memset(before.get(), 0, sizeof(DocDMode));
  std::memset(after.get(), 0, sizeof(DocDMode));
  SetDocByte(after.get(), kDocNupKindAt, 2);
  EXPECT_FALSE(Page_LayoutDiffers(before.get(), after.get()));  // N-up off: kind 0 either way
  SetDocByte(after.get(), kDocNupAt, 1);
  EXPECT_TRUE(Page_LayoutDiffers(before.get(), after.get()));
}

TEST(PageSnapshotTest, PageFieldsOverJobSettings) {
  std::unique_ptr<DocDMode> job(new DocDMode());
  std::unique_ptr<DocDMode> page(new DocDMode());
  std::memset(job.get(), 0x11, sizeof(DocDMode));
  std::memset(page.get(), 0x22, sizeof(DocDMode));
  Page_TakePageFields(job.get(), page.get());
  EXPECT_EQ(DocByte(job.get(), kDocOrientationAt), 0x22);
  EXPECT_EQ(DocByte(job.get(), 1442), 0x22);
  EXPECT_EQ(DocByte(job.get(), 2004), 0x22);
  EXPECT_EQ(DocByte(job.get(), 2005), 0x11);       // header and footer stay with the job
  EXPECT_EQ(DocByte(job.get(), kDocCopiesAt), 0x11);
  EXPECT_EQ(DocByte(job.get(), 6010), 0x11);       // the fax part
}

// Copies travel once: in the header's collate command when it carried
// them, else in every page's copy count.
TEST(PageSnapshotTest, EndPageCopiesCountEachCopyOnce) {
  struct Case {
    uint8_t collate;
    int16_t copies;
    uint32_t headerCopies;
    uint16_t pageCopies;
  };
  for (const Case& c : {Case{0, 3, 0, 3}, Case{1, 3, 3, 1}, Case{1, 3, 0, 3}, Case{0, 0, 0, 1}, Case{0, -2, 0, 1},
                        Case{1, 1, 1, 1}}) {
    std::unique_ptr<DocDMode> doc(new DocDMode());
    SetDocByte(doc.get(), kDocCollateAt, c.collate);
    SetDocI16(doc.get(), kDocCopiesAt, c.copies);
    EXPECT_EQ(Page_EndPageCopies(doc.get(), c.headerCopies), c.pageCopies)
        << int(c.collate) << " " << c.copies << " " << c.headerCopies;
  }
}

}  // namespace
