// Page settings snapshots: saved and applied field by field.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/records/doc_fields.h"
#include "drender/page_snapshot.h"

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

}  // namespace
