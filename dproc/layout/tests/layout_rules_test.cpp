// The Layout sheet's rules without windows: the chapter list's byte limit
// with code page 932's lead bytes, the derived layout fields, the duplex
// text of the common user interface and the pictures that show a setting.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "dproc/layout/layout_rules.h"

namespace {

// Lead bytes of code page 932 (Shift JIS).
bool Cp932Lead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(ChapterText, CutsAtTheLimitWithoutStrandingALeadByte) {
  const std::string a170(170, '1');
  const std::string kanji = "\x82\xA0";  // one double-byte character
  struct Case {
    std::string text;
    size_t kept;
  } cases[] = {
      {a170, 159},
      {std::string(159, '2'), 159},
      {std::string(12, '3'), 12},
      {std::string(157, '4') + kanji + "5", 159},  // the character ends at the limit
      {std::string(158, '6') + kanji, 158},        // it would end past it: removed whole
      {std::string(158, '7') + kanji + kanji, 158},
      {"1,2" + std::string("\x82"), 3},            // a lead byte without its trail byte
      {kanji + kanji, 4},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> b = Bytes(c.text);
    EXPECT_EQ(ChapterTextCut(b.data(), b.size(), Cp932Lead), c.kept) << c.text.size();
  }
}

TEST(ChapterText, AnyCutEndsOnACharacterBoundaryOfTheText) {
  // An independent walk: every position the text's characters start at.
  std::mt19937 random(29);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> text(1 + random() % 260);
    for (uint8_t& b : text) b = static_cast<uint8_t>(1 + random() % 255);
    const size_t kept = ChapterTextCut(text.data(), text.size(), Cp932Lead);
    ASSERT_LE(kept, kChapterTextBytes);
    std::vector<size_t> starts;
    size_t at = 0;
    while (at < text.size()) {
      starts.push_back(at);
      at += Cp932Lead(text[at]) ? 2 : 1;
    }
    starts.push_back(at);
    bool boundary = false;
    size_t next = SIZE_MAX;
    for (size_t i = 0; i < starts.size(); ++i) {
      if (starts[i] == kept) {
        boundary = true;
        if (i + 1 < starts.size()) next = starts[i + 1];
      }
    }
    ASSERT_TRUE(boundary) << "cut inside a character at " << kept;
    // Nothing more would have fitted: the next character ends past the
    // limit or past the text.
    if (next != SIZE_MAX) {
      ASSERT_TRUE(next > kChapterTextBytes || next > text.size()) << kept;
    }
  }
}

TEST(ChapterText, WithoutLeadBytesEveryByteCounts) {
  std::vector<uint8_t> text(300, 0x82);
  EXPECT_EQ(ChapterTextCut(text.data(), text.size(), nullptr), 159u);
}

struct DerivedCase {
  const char* name;
  uint8_t nup, kind, border, duplex, bookletOrder, bookletBorder, posterLine;
  bool bookletByDriver;
  int winClass;
  uint8_t nupBorder, nupPages, posterBorder, order;
};

TEST(DerivedLayoutFields, FromTheSettings) {
  const DerivedCase cases[] = {
      {"4up with frames", 1, 2, 1, 1, 0, 0, 0, false, 2, 1, 1, 0, 1},
      {"4up without frames", 1, 2, 0, 1, 0, 0, 0, false, 2, 0, 1, 0, 1},
      {"N-up off", 0, 2, 1, 1, 0, 0, 0, false, 2, 0, 1, 0, 1},
      {"driver booklet", 0, 0, 0, 3, 2, 1, 0, true, 2, 1, 0, 0, 2},
      {"device booklet", 0, 0, 0, 3, 2, 1, 0, false, 2, 0, 1, 0, 1},
      {"poster with lines", 1, 8, 1, 1, 0, 0, 1, false, 2, 2, 1, 1, 1},
      {"poster without lines", 1, 8, 1, 1, 0, 0, 0, false, 2, 0, 1, 0, 1},
      {"NT 4.0 booklet and poster", 1, 8, 1, 3, 2, 1, 1, true, 0, 0, 1, 0, 1},
      {"NT 4.0 N-up frames", 1, 2, 1, 1, 0, 0, 0, false, 0, 1, 1, 0, 1},
  };
  for (const DerivedCase& c : cases) {
    DocDMode doc;
    std::memset(&doc, 0xEE, sizeof doc);
    DocFields& f = Fields(doc);
    f.bNup = c.nup;
    f.nNup = c.kind;
    f.bNupBorder_ui = c.border;
    f.nDuplex = c.duplex;
    f.nBookletOrder = c.bookletOrder;
    f.bBookletBorder = c.bookletBorder;
    f.nPosterMarginLine = c.posterLine;
    DeriveLayoutFields(&doc, c.bookletByDriver, c.winClass);
    EXPECT_EQ(f.bNupBorder, c.nupBorder) << c.name;
    EXPECT_EQ(f.byNupPages, c.nupPages) << c.name;
    EXPECT_EQ(f.bPosterBorder, c.posterBorder) << c.name;
    EXPECT_EQ(f.byBookletOrder, c.order) << c.name;
  }
}

TEST(DerivedLayoutFields, PosterPagesPerKind) {
  const uint8_t expected[] = {1, 1, 1, 1, 1, 1, 1, 2, 3, 4, 1, 1};
  for (uint8_t kind = 0; kind < sizeof expected; ++kind) EXPECT_EQ(PosterPagesOf(kind), expected[kind]) << int(kind);
}

TEST(DuplexText, ByDuplexBookletAndTurn) {
  struct Case {
    uint8_t sides;
    bool driverBooklet, modelGlue;
    uint8_t glue;
    bool rotated;
    uint16_t id;
    int16_t dm;
  } cases[] = {
      {1, true, true, 1, true, 9015, 1},    {2, false, false, 0, false, 9017, 3},
      {2, false, false, 0, true, 9016, 2},  {3, false, false, 0, false, 9016, 2},
      {3, true, false, 0, false, 9017, 3},  {2, false, true, 1, false, 9016, 2},
      {2, false, true, 0, false, 9017, 3},  {2, false, false, 1, false, 9017, 3},
  };
  for (const Case& c : cases) {
    const DuplexChoice d = ChooseDuplexText(c.sides, c.driverBooklet, c.modelGlue, c.glue, c.rotated);
    EXPECT_EQ(d.stringId, c.id) << int(c.sides) << c.driverBooklet << c.modelGlue << int(c.glue) << c.rotated;
    EXPECT_EQ(d.dmDuplex, c.dm);
  }
}

TEST(BindingMarginPicture, ByModeOrientationAndEdge) {
  struct Case {
    uint8_t mode;
    bool portrait;
    uint32_t edge;
    int image, mask;
  } cases[] = {
      {0, true, 15, 1024, 1036}, {0, true, 16, 1025, 1037}, {0, false, 16, 1028, 1040},
      {0, true, 17, 1026, 1038}, {0, false, 17, 1029, 1041}, {0, true, 7, 1074, 1075},
      {0, false, 3, 1076, 1077}, {1, true, 1, 1031, 1043},  {1, false, 5, 1034, 1046},
      {1, false, 0, 1033, 1045}, {2, true, 6, 1032, 1044},
  };
  for (const Case& c : cases) {
    const PicturePair p = BindingMarginPicture(c.mode, c.portrait, c.edge);
    EXPECT_EQ(p.image, c.image) << int(c.mode) << c.portrait << c.edge;
    EXPECT_EQ(p.mask, c.mask);
  }
}

TEST(PageOrderCell, ByKindOrientationAndOrder) {
  struct Case {
    int kind;
    uint8_t nup;
    bool portrait;
    uint32_t order;
    int cell;
  } cases[] = {
      {0, 1, true, 0, 1},  {0, 1, true, 1, 3},   {0, 1, true, 5, 0},  {1, 1, false, 2, 0}, {1, 1, false, 3, 2},
      {2, 2, true, 4, 4},  {2, 2, true, 7, 10},  {2, 3, true, 5, 9},  {2, 3, false, 6, 6}, {2, 4, false, 4, 5},
      {-1, 0, true, 0, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageOrderCell(c.kind, c.nup, c.portrait, c.order), c.cell) << c.kind << int(c.nup) << c.order;
  }
  EXPECT_EQ(BorderKindCell(1, true), 0);
  EXPECT_EQ(BorderKindCell(1, false), 1);
  EXPECT_EQ(BorderKindCell(2, true), 2);
  EXPECT_EQ(BorderKindCell(2, false), 3);
}

}  // namespace
