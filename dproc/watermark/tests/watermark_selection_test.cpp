// The settings' watermark selected again in lists that changed under it.
#include "dproc/watermark/watermark_selection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/records/doc_fields.h"

namespace {

WaterMarkInfo Mark(const std::u16string& title, const std::u16string& text) {
  WaterMarkInfo m{};
  std::memcpy(m.szWmkTitle, title.data(), title.size() * 2);
  std::memcpy(m.szWmkStr, text.data(), text.size() * 2);
  const std::u16string face = u"Arial";
  std::memcpy(m.szFontName, face.data(), face.size() * 2);
  m.wSize = 72;
  m.wFrame = 1;
  return m;
}

WMOrderEntry Entry(const std::u16string& name, bool isPublic) {
  WMOrderEntry e{};
  e.bPublic = isPublic ? 1 : 0;
  std::memcpy(e.szName, name.data(), name.size() * 2);
  return e;
}

// A text of a packed record.
std::u16string Str(const void* field, size_t units) {
  std::u16string text(units, u'\0');
  std::memcpy(text.data(), field, units * 2);
  return text.substr(0, text.find(u'\0'));
}

WaterMarkInfo& Selected(DocDMode& doc) { return *reinterpret_cast<WaterMarkInfo*>(Fields(doc).WmkInfo_szKey); }

class WatermarkSelection : public ::testing::Test {
 protected:
  WaterMarkInfo publicMarks_[2] = {Mark(u"Draft", u"DRAFT"), Mark(u"Copy", u"COPY")};
  WaterMarkInfo privateMarks_[1] = {Mark(u"Mine", u"PRIVATE")};
  WMOrderEntry order_[3] = {Entry(u"Mine", false), Entry(u"Draft", true), Entry(u"Copy", true)};
  WatermarkListsView lists_{publicMarks_, 2, privateMarks_, 1, order_, 3};
  std::unique_ptr<DocDMode> doc_ = std::make_unique<DocDMode>();
};

// A watermark that is on and equals a record of the lists takes that
// record's place in the order, wherever the settings pointed before.
TEST_F(WatermarkSelection, AnEqualWatermarkTakesItsPlaceInTheOrder) {
  Fields(*doc_).bWmk = 1;
  Fields(*doc_).wWmkListPos = 0;
  Selected(*doc_) = publicMarks_[1];
  SyncWatermarkSelection(lists_, doc_.get(), nullptr);
  EXPECT_EQ(2, Fields(*doc_).wWmkListPos);
  EXPECT_TRUE(SameWatermark(publicMarks_[1], Selected(*doc_)));
}

// A watermark equal to none (its text changed), or one that is off, takes
// the record at its position; past the order, the first.
TEST_F(WatermarkSelection, OtherwiseThePositionGivesTheWatermark) {
  struct Case {
    uint8_t on;
    uint16_t position;
    uint16_t expected;
    const char16_t* text;
  } cases[] = {{1, 1, 1, u"DRAFT"}, {0, 2, 2, u"COPY"}, {0, 7, 0, u"PRIVATE"}};
  for (const Case& c : cases) {
    Fields(*doc_).bWmk = c.on;
    Fields(*doc_).wWmkListPos = c.position;
    Selected(*doc_) = Mark(u"Copy", u"EDITED");
    SyncWatermarkSelection(lists_, doc_.get(), nullptr);
    EXPECT_EQ(c.expected, Fields(*doc_).wWmkListPos) << c.position;
    EXPECT_EQ(std::u16string(c.text), Str(Selected(*doc_).szWmkStr, 129)) << c.position;
  }
}

// An order entry whose list holds no record of its name changes nothing;
// neither do empty lists.
TEST_F(WatermarkSelection, AnEntryWithoutRecordChangesNothing) {
  WMOrderEntry order[1] = {Entry(u"Gone", true)};
  const WatermarkListsView lists{publicMarks_, 2, privateMarks_, 1, order, 1};
  Fields(*doc_).wWmkListPos = 0;
  Selected(*doc_) = Mark(u"Kept", u"KEPT");
  SyncWatermarkSelection(lists, doc_.get(), nullptr);
  EXPECT_EQ(std::u16string(u"KEPT"), Str(Selected(*doc_).szWmkStr, 129));
  SyncWatermarkSelection(WatermarkListsView{}, doc_.get(), nullptr);
  EXPECT_EQ(std::u16string(u"KEPT"), Str(Selected(*doc_).szWmkStr, 129));
}

// Faces are compared as the computer has them: a record whose face it
// lacks equals the same record with the default face, and the selected
// watermark takes the checked face.
TEST_F(WatermarkSelection, FacesAreComparedAfterTheFaceCheck) {
  const std::u16string missing = u"No Such Face";
  std::memset(privateMarks_[0].szFontName, 0, sizeof privateMarks_[0].szFontName);
  std::memcpy(privateMarks_[0].szFontName, missing.data(), missing.size() * 2);
  Fields(*doc_).bWmk = 1;
  Fields(*doc_).wWmkListPos = 2;
  Selected(*doc_) = Mark(u"Mine", u"PRIVATE");  // already with the default face
  SyncWatermarkSelection(lists_, doc_.get(), [](WaterMarkInfo* m) {
    if (m->szFontName[0] == u'N') {
      const std::u16string face = u"Arial";
      std::memset(m->szFontName, 0, sizeof m->szFontName);
      std::memcpy(m->szFontName, face.data(), face.size() * 2);
    }
  });
  EXPECT_EQ(0, Fields(*doc_).wWmkListPos);
  EXPECT_EQ(std::u16string(u"Arial"), Str(Selected(*doc_).szFontName, 32));
}

}  // namespace
