// The dialog framework's pure rules: template walking and font patching on
// synthetic templates, length conversions, the clipping check's lines, the
// hint lists and the media-type columns.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/dialog_template.h"
#include "dproc/dialogs/hint_texts.h"
#include "dproc/dialogs/length_units.h"
#include "common/media/media_columns.h"
#include "dproc/dialogs/template_controls.h"
#include "dproc/model/disp_strings.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/qxd_document.h"

namespace {

// Builds templates the way the resource compiler lays them out.
struct TemplateWriter {
  std::vector<uint8_t> b;
  void W(uint16_t v) { b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8)); }
  void D(uint32_t v) { W(uint16_t(v)), W(uint16_t(v >> 16)); }
  void S(const std::u16string& s) {
    for (char16_t c : s) W(c);
    W(0);
  }
  void NameOrOrdinal(const std::u16string& s, uint16_t ordinal) {
    if (ordinal != 0) W(0xFFFF), W(ordinal);
    else if (s.empty()) W(0);
    else S(s);
  }
  void Align() { while (b.size() % 4) b.push_back(0); }
};

struct Spec {
  bool extended;
  std::u16string menu; uint16_t menuOrd;
  std::u16string cls; uint16_t clsOrd;
  std::u16string title;
  std::u16string face;
};

std::vector<uint8_t> MakeTemplate(const Spec& s) {
  TemplateWriter t;
  const uint32_t style = 0x40 | 0x80000000u | 0x2000;  // DS_SETFONT | WS_POPUP | DS_CONTEXTHELP
  if (s.extended) {
    t.W(1), t.W(0xFFFF), t.D(0), t.D(0), t.D(style), t.W(2);
  } else {
    t.D(style), t.D(0), t.W(2);
  }
  t.W(0), t.W(0), t.W(200), t.W(100);
  t.NameOrOrdinal(s.menu, s.menuOrd);
  t.NameOrOrdinal(s.cls, s.clsOrd);
  t.S(s.title);
  t.W(9);
  if (s.extended) t.W(400), t.b.push_back(0), t.b.push_back(1);
  t.S(s.face);
  // Two items: a combo box (ordinal class) and a named list view.
  for (int i = 0; i < 2; ++i) {
    t.Align();
    if (s.extended) t.D(0), t.D(0), t.D(0x50010003), t.W(10), t.W(20 + 30 * i), t.W(100), t.W(14), t.D(1003 + i);
    else t.D(0x50010003), t.D(0), t.W(10), t.W(20 + 30 * i), t.W(100), t.W(14), t.W(uint16_t(1003 + i));
    if (i == 0) t.W(0xFFFF), t.W(0x85);
    else t.S(u"SysListView32");
    t.S(i == 0 ? u"" : u"List");
    t.W(0);
  }
  return t.b;
}

GuiFontFacts Font(const std::u16string& face) {
  GuiFontFacts f = {};
  f.pointSize = 8;
  f.weight = 700;
  f.italic = 1;
  f.charSet = 128;
  for (size_t i = 0; i < face.size() && i < 32; ++i) f.face[i] = face[i];
  return f;
}

std::u16string FaceAt(const std::vector<uint8_t>& t, size_t at) {
  std::u16string s;
  for (; at + 1 < t.size() && (t[at] | t[at + 1]); at += 2) s.push_back(char16_t(t[at] | (t[at + 1] << 8)));
  return s;
}

TEST(DialogTemplate, PatchedCopiesKeepEveryItemAlignedAndReadable) {
  const std::u16string longFace = u"A very long user interface face";  // 31 characters
  const Spec specs[] = {
      {false, u"", 0, u"", 0, u"Paper Setting", u"MS Shell Dlg"},
      {false, u"", 0x7F, u"", 0, u"", u"MS Shell Dlg"},            // ordinal menu, empty title
      {false, u"MENU", 0, u"MyClass", 0, u"T", u"X"},               // string menu and class
      {true, u"", 0, u"", 0x7FF0, u"Odd title", u"MS Shell Dlg"},    // ordinal class
      {true, u"M", 0, u"Cls", 0, u"", u"Tahoma"},
  };
  for (const Spec& s : specs) {
    for (const std::u16string& face : {std::u16string(u"Tahoma"), longFace, std::u16string(u"")}) {
      const std::vector<uint8_t> t = MakeTemplate(s);
      DialogTemplateLayout before;
      ASSERT_TRUE(WalkDialogTemplate(t.data(), t.size(), &before));
      EXPECT_EQ(before.extended, s.extended);
      EXPECT_EQ(FaceAt(t, before.faceAt), s.face);
      const GuiFontFacts font = Font(face);
      const size_t need = PatchedDialogTemplateSize(t.data(), t.size(), font);
      EXPECT_GE(need, t.size());
      EXPECT_LT(need, t.size() + 2 * 33 + 4);  // sized from the faces, not a multiple of the resource
      std::vector<uint8_t> out(need, 0xEE);
      EXPECT_EQ(PatchDialogTemplateFont(t.data(), t.size(), font, out.data(), need - 1), 0u);
      ASSERT_EQ(PatchDialogTemplateFont(t.data(), t.size(), font, out.data(), need), need);
      DialogTemplateLayout after;
      ASSERT_TRUE(WalkDialogTemplate(out.data(), out.size(), &after));
      EXPECT_EQ(FaceAt(out, after.faceAt), face);
      EXPECT_EQ(out[after.fontAt], 8);
      EXPECT_EQ(after.itemsAt % 4, 0u);
      if (s.extended) {
        EXPECT_EQ(out[after.fontAt + 2] | (out[after.fontAt + 3] << 8), 700);
        EXPECT_EQ(out[after.fontAt + 4], 1);
        EXPECT_EQ(out[after.fontAt + 5], 128);
      }
      std::vector<DialogItemFacts> items;
      ASSERT_TRUE(ReadDialogItems(out.data(), out.size(), &items));
      ASSERT_EQ(items.size(), 2u);
      EXPECT_EQ(items[0].id, 1003u);
      EXPECT_EQ(items[0].classOrdinal, 0x85);
      EXPECT_EQ(items[1].className, u"SysListView32");
      EXPECT_EQ(items[1].text, u"List");
      EXPECT_EQ(items[1].y, 50);
    }
  }
}

TEST(DialogTemplate, TruncatedTemplatesAreRefusedAndFontlessOnesCopied) {
  std::vector<uint8_t> t = MakeTemplate({false, u"", 0, u"", 0, u"Title", u"MS Shell Dlg"});
  for (size_t cut : {size_t{3}, size_t{17}, size_t{30}}) {
    DialogTemplateLayout l;
    EXPECT_FALSE(WalkDialogTemplate(t.data(), cut, &l)) << cut;
    EXPECT_EQ(PatchedDialogTemplateSize(t.data(), cut, Font(u"Tahoma")), 0u);
  }
  std::vector<DialogItemFacts> items;
  EXPECT_FALSE(ReadDialogItems(t.data(), t.size() - 6, &items));
  t[0] &= static_cast<uint8_t>(~0x40);  // no DS_SETFONT: unchanged
  std::vector<uint8_t> out(t.size());
  ASSERT_EQ(PatchDialogTemplateFont(t.data(), t.size(), Font(u"Tahoma"), out.data(), out.size()), t.size());
  EXPECT_EQ(out, t);
}

TEST(TemplateControls, KindsComeFromClassAndStyleAndIconsFromTheirPlace) {
  auto item = [](uint32_t id, uint16_t ord, const char16_t* cls, uint32_t style, int16_t x, int16_t y, int16_t cx,
                 int16_t cy) {
    DialogItemFacts f = {};
    f.id = id, f.classOrdinal = ord, f.className = cls, f.style = style, f.x = x, f.y = y, f.cx = cx, f.cy = cy;
    return f;
  };
  const std::vector<DialogItemFacts> items = {
      item(1003, 0x85, u"", 3, 70, 7, 150, 120),  item(1110, 0x80, u"", 0xB, 224, 5, 14, 14),
      item(1240, 0x80, u"", 9, 7, 150, 40, 10),   item(1423, 0, u"button", 3, 7, 170, 40, 10),
      item(1362, 0x81, u"", 0, 7, 190, 40, 12),   item(1, 0x80, u"", 1, 150, 190, 50, 14),
      item(1844, 0, u"SysListView32", 0, 7, 28, 246, 100), item(1547, 0x83, u"", 0, 7, 300, 40, 40),
      item(1108, 0x80, u"", 0xB, 100, 300, 14, 14),  // an icon too far from the list box
  };
  const uint32_t kinds[] = {1, 0, 3, 5, 4, 6, 8, 2, 0};
  for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(ControlKindOf(items[i]), kinds[i]) << items[i].id;
  auto isIcon = [](uint32_t id) { return id == 1110 || id == 1108; };
  EXPECT_EQ(StopIconBeside(items, items[0], isIcon), 1110u);
  EXPECT_EQ(StopIconBeside(items, items[7], isIcon), 0u);
  EXPECT_EQ(StopIconBeside(items, items[4], isIcon), 0u);
}

struct LengthCase {
  LengthScale scale;
  LengthUnit unit;
  const char16_t* text;
  bool stored;
  int16_t metric, imperial;
};

TEST(LengthUnits, ConversionVectorsBothWays) {
  // Margin scale 0..50 mm; shift scale 0..250.0 mm.
  const LengthCase cases[] = {
      {LengthScale::kMargin, LengthUnit::kMillimetre, u"50", true, 50, 197},
      {LengthScale::kMargin, LengthUnit::kInch, u"1.97", false, 0, 0},
      {LengthScale::kMargin, LengthUnit::kInch, u"1.00", true, 25, 100},
      {LengthScale::kMargin, LengthUnit::kMillimetre, u"25", true, 25, 98},
      {LengthScale::kMargin, LengthUnit::kMillimetre, u"", false, 0, 0},
      {LengthScale::kShift, LengthUnit::kMillimetre, u"25.4", true, 254, 1000},
      {LengthScale::kShift, LengthUnit::kInch, u"1.000", true, 254, 1000},
      {LengthScale::kShift, LengthUnit::kMillimetre, u"250.0", true, 2500, 9843},
      {LengthScale::kShift, LengthUnit::kMillimetre, u"12.57", true, 125, 492},
  };
  for (const LengthCase& c : cases) {
    const LengthRange range = c.scale == LengthScale::kMargin ? LengthRange{0, 50} : LengthRange{0, 2500};
    int32_t typed = 0;
    int16_t metric = 0, imperial = 0;
    const bool stored = ParseLengthText(c.scale, c.unit, c.text, &typed) &&
                        LengthFieldsOf(c.scale, c.unit, typed, range, false, &metric, &imperial);
    EXPECT_EQ(stored, c.stored) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    if (c.stored) {
      EXPECT_EQ(metric, c.metric);
      EXPECT_EQ(imperial, c.imperial);
    }
  }
  int32_t v = 0;
  ASSERT_TRUE(ParseLengthText(LengthScale::kShift, LengthUnit::kMillimetre, u"-0.5", &v));
  EXPECT_EQ(v, -5);
  // A unit change clamps: 1.97 inch pulled back to 1.96 with 50 mm.
  int16_t metric = 0, imperial = 0;
  ASSERT_TRUE(LengthFieldsOf(LengthScale::kMargin, LengthUnit::kInch, 197, {0, 50}, true, &metric, &imperial));
  EXPECT_EQ(imperial, 196);
  EXPECT_EQ(metric, 50);
  EXPECT_EQ(SpinValueOfText(LengthScale::kMargin, LengthUnit::kMillimetre, u"12.5"), 13);
}

TEST(LengthUnits, RangesLabelsAndTextLimits) {
  struct LabelCase {
    LengthScale scale;
    LengthUnit unit;
    LengthRange metric;
    const char16_t* label;
    size_t limit;
  } cases[] = {
      {LengthScale::kMargin, LengthUnit::kMillimetre, {0, 50}, u"mm [0...50]", 2},
      {LengthScale::kMargin, LengthUnit::kInch, {0, 50}, u"inch [0.00...1.96]", 4},
      {LengthScale::kShift, LengthUnit::kMillimetre, {0, 2500}, u"mm[0.0...250.0]", 5},
      {LengthScale::kShift, LengthUnit::kInch, {0, 2500}, u"inch[0.000...9.842]", 5},
      {LengthScale::kShift, LengthUnit::kInch, {-1000, 1000}, u"inch[-3.937...3.937]", 6},
      {LengthScale::kShift, LengthUnit::kMillimetre, {-5, 10}, u"mm[-0.5...1.0]", 4},
  };
  for (const LabelCase& c : cases) {
    const LengthRange r = RangeInUnit(c.scale, c.unit, c.metric);
    char16_t label[260];
    FormatLengthRangeLabel(c.scale, c.unit, r, label, 260);
    EXPECT_EQ(std::u16string(label), std::u16string(c.label));
    EXPECT_EQ(LengthTextLimit(c.scale, c.unit, r), c.limit);
  }
}

TEST(LengthUnits, RangeMessagesFillTheRecordsLimits) {
  char16_t out[260];
  FormatLengthRangeMessage(LengthScale::kMargin, LengthUnit::kMillimetre, {0, 50}, u"Out of range.\\nTry again.",
                           u"Enter %d to %d mm.", out, 260);
  EXPECT_EQ(std::u16string(out), u"Out of range.\n Try again.\n\nEnter 0 to 50 mm.");
  FormatLengthRangeMessage(LengthScale::kMargin, LengthUnit::kInch, {0, 196}, u"Out.", u"%d.%02d to %d.%02d in.",
                           out, 260);
  EXPECT_EQ(std::u16string(out), u"Out.\n\n0.00 to 1.96 in.");
  FormatLengthRangeMessage(LengthScale::kShift, LengthUnit::kMillimetre, {0, 2500}, u"Out.", u"%d..%d", out, 260);
  EXPECT_EQ(std::u16string(out), u"Out.\n\n0..250");
  FormatLengthRangeMessage(LengthScale::kShift, LengthUnit::kInch, {-3937, 3937}, u"Out.", u"%d.%03d to %d.%03d",
                           out, 260);
  EXPECT_EQ(std::u16string(out), u"Out.\n\n-3.937 to 3.937");
}

TEST(LengthUnits, RangeMessagesKeepTheSignOfLimitsBetweenMinusOneAndZero) {
  struct Case {
    LengthScale scale;
    LengthRange range;
    const char16_t* record;
    const char16_t* expected;
  };
  const Case cases[] = {
      {LengthScale::kShift, {-500, 1000}, u"%d.%03d to %d.%03d", u"-0.500 to 1.000"},
      {LengthScale::kShift, {-999, -1}, u"%d.%03d to %d.%03d", u"-0.999 to -0.001"},
      {LengthScale::kShift, {-1500, 0}, u"%d.%03d to %d.%03d", u"-1.500 to 0.000"},
      {LengthScale::kMargin, {-50, 50}, u"%d.%02d to %d.%02d", u"-0.50 to 0.50"},
      {LengthScale::kMargin, {-250, -125}, u"%d.%02d to %d.%02d", u"-2.50 to -1.25"},
  };
  for (const Case& c : cases) {
    char16_t out[260];
    FormatLengthRangeMessage(c.scale, LengthUnit::kInch, c.range, u"", c.record, out, 260);
    EXPECT_EQ(std::u16string(out), u"\n\n" + std::u16string(c.expected));
  }
}

// The shipped model's caption, out-of-range text and range records of the
// length edits: every placeholder of a record is filled, with the number of
// values its unit takes.
TEST(LengthUnits, SampleModelRangeRecordsTakeTheirValues) {
  std::ifstream in(testsupport::SourcePath("model/VELDRANH.txt"), std::ios::binary);
  ASSERT_TRUE(in);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  ASSERT_NE(ctx, nullptr);
  MessageTables tables;
  ASSERT_TRUE(AllocMessageTables(&tables));
  LoadMessageTables(ctx, &tables);
  QxdClose(ctx);
  ASSERT_NE(MessageText(tables, kMessageStr, 1), nullptr);
  const char16_t* outOfRange = MessageText(tables, kMessageStr, 2);
  ASSERT_NE(outOfRange, nullptr);
  struct Case {
    uint32_t record;
    LengthScale scale;
    LengthUnit unit;
    LengthRange range;
    const char16_t* values;
  };
  const Case cases[] = {
      {40, LengthScale::kMargin, LengthUnit::kMillimetre, {0, 50}, u"0 to 50 mm"},
      {41, LengthScale::kMargin, LengthUnit::kInch, {0, 196}, u"0.00 to 1.96 inches"},
      {42, LengthScale::kShift, LengthUnit::kMillimetre, {0, 2500}, u"0 to 250 mm"},
      {43, LengthScale::kShift, LengthUnit::kInch, {0, 9842}, u"0.000 to 9.842 inches"},
      {44, LengthScale::kShift, LengthUnit::kMillimetre, {0, 2500}, u"0 to 250 mm"},
      {45, LengthScale::kShift, LengthUnit::kInch, {-500, 9842}, u"-0.500 to 9.842 inches"},
      {46, LengthScale::kShift, LengthUnit::kMillimetre, {0, 500}, u"0 to 50 mm"},
      {47, LengthScale::kShift, LengthUnit::kInch, {0, 1968}, u"0.000 to 1.968 inches"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    const char16_t* record = MessageText(tables, kMessageStr, c.record);
    ASSERT_NE(record, nullptr);
    char16_t out[260];
    FormatLengthRangeMessage(c.scale, c.unit, c.range, outOfRange, record, out, 260);
    const std::u16string message(out);
    EXPECT_EQ(message.find(u'%'), std::u16string::npos);
    EXPECT_EQ(message.rfind(std::u16string(outOfRange) + u"\n\n", 0), 0u);
    EXPECT_NE(message.find(c.values), std::u16string::npos);
  }
  FreeMessageTables(&tables);
}

TEST(ClipTestReport, JudgesRoomAndWritesTheModesLines) {
  EXPECT_EQ(ClipShownWidth(90), 85);
  EXPECT_EQ(ClipShownWidth(40), 36);
  char16_t line[kClipLineUnits];
  ASSERT_TRUE(ClipTestReportLine(kClipPushButton, u"", 100, 86, 10, 0, u"Add", 1, line));
  EXPECT_EQ(std::u16string(line), u"Check!! \"Add\"\n");
  ASSERT_TRUE(ClipTestReportLine(kClipPushButton, u"", 100, 85, 10, 0, u"Add", 1, line));
  EXPECT_EQ(std::u16string(line), u"Ok      \"Add\"\n");
  EXPECT_FALSE(ClipTestReportLine(kClipPushButton, u"", 100, 85, 10, 0, u"Add", 2, line));
  ASSERT_TRUE(ClipTestReportLine(kClipComboItem, u"Paper", 120, 90, 23, 40, u"A4", 4, line));
  EXPECT_EQ(std::u16string(line),
            u"Check!!   Paper -- \"A4\"        #[DisplayWidth: 53, CharWidth: 90, Ctrl: 120, Mrgn: 23, MrgnAdd: 40]#\n");
  ASSERT_TRUE(ClipTestReportLine(kClipStatic, u"", 50, 10, 0, 0, u"x", 3, line));
  EXPECT_EQ(std::u16string(line), u"Ok      \"x\"        #[DisplayWidth: 46, CharWidth: 10, Ctrl: 50, Mrgn: 0, MrgnAdd: 0]#\n");
  char16_t text[16];
  StripMnemonics(u"&Add", text, 16);
  EXPECT_EQ(std::u16string(text), u"Add");
  StripMnemonics(u"A&&B", text, 16);
  EXPECT_EQ(std::u16string(text), u"A&B");
  ClipTestBannerLine(u"Layout Tab", true, line, kClipLineUnits);
  EXPECT_EQ(std::u16string(line), u"********** Layout Tab Start  ********************\n");
  EXPECT_EQ(ClipKindMargin(99), 0);
}

TEST(HintTexts, ListedHintsStopAtZeroAndSkipIndexesOutsideTheTable) {
  std::vector<char16_t> table(kMessageSlots * kMessageUnits, 0);
  auto put = [&](uint32_t n, const std::u16string& s) { std::copy(s.begin(), s.end(), table.begin() + n * kMessageUnits); };
  put(12, u"Twelve");
  put(40, u"Forty");
  put(998, u"Last");
  PageHintList row = {};
  row.pageId = 101;
  row.hasHints = 1;
  row.count = 3;
  row.hints[0] = 12, row.hints[1] = 0, row.hints[2] = 40;
  char16_t text[kHintBufferUnits] = {};
  ASSERT_TRUE(AppendListedHints(&row, table.data(), text, kHintBufferUnits));
  EXPECT_EQ(std::u16string(text), u"Twelve");
  row.hints[0] = 5000, row.hints[1] = 998, row.count = 2;
  text[0] = 0;
  ASSERT_TRUE(AppendListedHints(&row, table.data(), text, kHintBufferUnits));
  EXPECT_EQ(std::u16string(text), u"Last");
  row.hasHints = 0;
  EXPECT_FALSE(AppendListedHints(&row, table.data(), text, kHintBufferUnits));
  EXPECT_EQ(HintTableEntry(table.data(), 999), nullptr);
  EXPECT_EQ(HintPageOf(2225, 0), 115u);
  EXPECT_EQ(HintPageOf(2516, 2), 194u);
  EXPECT_EQ(HintPageOf(2517, 1), 127u);
  char16_t edit[32];
  HintTextForEdit(u"a\\nb", edit, 32);
  EXPECT_EQ(std::u16string(edit), u"a\r\nb");
}

TEST(MediaColumns, ColumnsAndEditableAttributesOverTheModelSwitches) {
  struct Case {
    MediaSwitches s;
    int columns;
    bool weight, color, hole, type;
  } cases[] = {
      {{2, true, true, true}, 6, false, true, true, true},
      {{3, true, true, true}, 4, false, false, false, true},
      {{1, true, true, true}, 7, true, true, true, true},
      {{0, true, false, false}, 5, false, false, false, false},
      {{1, false, true, false}, 5, false, true, false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MediaColumnCount(c.s), c.columns) << c.s.dialogType;
    EXPECT_EQ(IsMediaTypeColumnShownBy("MediaTypeList_Weight", c.s), c.weight);
    EXPECT_EQ(IsMediaTypeColumnShownBy("MediaTypeList_Color", c.s), c.color);
    EXPECT_EQ(IsMediaTypeColumnShownBy("MediaTypeList_Hole", c.s), c.hole);
    EXPECT_EQ(IsMediaTypeColumnShownBy("MediaTypeList_Type", c.s), c.type);
    EXPECT_FALSE(IsMediaTypeColumnShownBy("MediaTypeList_Size", c.s));
  }
}

}  // namespace
