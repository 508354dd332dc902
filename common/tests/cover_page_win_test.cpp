// The cover page composer, checked on the metafile it makes: the records are
// read back from the metafile's bytes (tests/support/emf_records.h) and
// compared with the page layout (texts and their reference points, fonts,
// bars, rules, the image stamp, the turned page).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/cover/cover_defaults.h"
#include "common/cover/cover_page_win.h"
#include "common/qxd/fax_cover_styles.h"
#include "tests/support/emf_records.h"

namespace {

using testsupport::EmfContent;
using testsupport::EmfText;

// One device pixel of the screen at 96 dpi is 2.65 tenths of a millimetre:
// the page's rectangles are moved onto whole pixels.
constexpr int32_t kPixel = 3;
constexpr int32_t kFrameLeft = 100, kFrameRight = 2000, kFrameTop = 100;

template <size_t N>
void Set(char16_t (&to)[N], const std::u16string& text) {
  std::memset(to, 0, sizeof(to));
  std::memcpy(to, text.data(), std::min(text.size(), N - 1) * sizeof(char16_t));
}

class CoverPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen_ = GetDC(nullptr);
    ASSERT_NE(screen_, nullptr);
    for (size_t s = 0; s < kCoverStyles; ++s) {
      FaxCoverStyle& st = g_faxCoverStyles[s];
      Set(st.szFontFace, u"DejaVu Sans");
      Set(st.szStyleTitle, u"Fax" + std::u16string(1, static_cast<char16_t>(u'0' + s)));
      Set(st.szLabelTo, u"To:");
      Set(st.szLabelFaxNumber, u"Fax number:");
      Set(st.szLabelFrom, u"From:");
      Set(st.szLabelPhone, u"Phone:");
      Set(st.szLabelFaxNumber2, u"Fax:");
      Set(st.szLabelEMail, u"E-mail:");
      Set(st.szLabelTotal, u"Pages:");
      Set(st.szLabelRe, u"Subject:");
    }
    MakeDefaultCoverSheet(&data_);
    data_.basic.fgSubject = 0;
    data_.basic.fgDate = 0;
    data_.basic.fgPages = 0;
    data_.recipient.byRecipientMode = 0;
    Set(data_.recipient.szTitle, u"");
  }
  void TearDown() override {
    if (screen_ != nullptr) ReleaseDC(nullptr, screen_);
  }

  EmfContent Parse(HENHMETAFILE emf) {
    EmfContent c;
    if (emf == nullptr) return c;
    std::vector<uint8_t> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteEnhMetaFile(emf);
    return testsupport::ParseEmf(bytes);
  }
  EmfContent Render(uint32_t angle = 0, const FaxRecipientEntry* entries = nullptr, uint32_t count = 0,
                    SIZE* size = nullptr) {
    HENHMETAFILE emf = RenderFaxCoverSheet(screen_, angle, data_, entries, count, size);
    EXPECT_NE(emf, nullptr);
    return Parse(emf);
  }
  // The width of a text in the page's units (0.1 mm), measured on a DC of
  // our own mapped the same way.
  int32_t Width(const std::u16string& text, int32_t height, bool bold) {
    HDC dc = CreateCompatibleDC(screen_);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 254, 254, nullptr);
    SetViewportExtEx(dc, GetDeviceCaps(screen_, LOGPIXELSX), GetDeviceCaps(screen_, LOGPIXELSY), nullptr);
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? 700 : 400;
    wcscpy(lf.lfFaceName, L"DejaVu Sans");
    HFONT f = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, f);
    SIZE s{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()), &s);
    SelectObject(dc, old);
    DeleteObject(f);
    DeleteDC(dc);
    return s.cx;
  }
  static const EmfText* Find(const EmfContent& c, const std::u16string& text) {
    for (const EmfText& t : c.texts) {
      if (t.text == text) return &t;
    }
    return nullptr;
  }

  HDC screen_ = nullptr;
  FaxCoverSheetData data_{};
};

TEST_F(CoverPageTest, StyleAboveThreeOrNoBasicPartGivesNoMetafile) {
  data_.basic.byStyle = 4;
  EXPECT_EQ(RenderFaxCoverSheet(screen_, 0, data_, nullptr, 0, nullptr), nullptr);
  CoverPageRequest request;
  request.refDc = screen_;
  EXPECT_EQ(CreateCoverSheetEmf(request, nullptr), nullptr);
}

// Everything off: an empty date line, the two bars and the title, in every
// style with its own title, the font of the style at the item heights.
TEST_F(CoverPageTest, BarePageOfEachStyle) {
  for (uint8_t style = 0; style < kCoverStyles; ++style) {
    SCOPED_TRACE(style);
    data_.basic.byStyle = style;
    SIZE size{};
    const EmfContent c = Render(0, nullptr, 0, &size);
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(size.cx, 2100);
    EXPECT_EQ(size.cy, 2970);
    EXPECT_NEAR(c.frame[2] - c.frame[0], 21000, 10 * kPixel);
    EXPECT_NEAR(c.frame[3] - c.frame[1], 29700, 10 * kPixel);
    ASSERT_EQ(c.texts.size(), 2u);
    EXPECT_TRUE(c.texts[0].text.empty());  // the date line, drawn empty
    EXPECT_EQ(c.texts[0].font.height, 56);
    EXPECT_EQ(c.texts[0].font.weight, 700);
    const EmfText& title = c.texts[1];
    EXPECT_EQ(title.text, u"Fax" + std::u16string(1, static_cast<char16_t>(u'0' + style)));
    EXPECT_EQ(title.font.height, 169);
    EXPECT_EQ(title.font.weight, 700);
    EXPECT_EQ(title.font.face, u"DejaVu Sans");
    EXPECT_NEAR(title.x, kFrameLeft, kPixel);
    ASSERT_EQ(c.fills.size(), 2u);
    for (const auto& bar : c.fills) {
      EXPECT_NEAR(bar.x, kFrameLeft, kPixel);
      EXPECT_NEAR(bar.x + bar.cx, kFrameRight, kPixel);
      EXPECT_EQ(bar.cy, 21);
    }
    // The title sits on the first bar; the second bar follows the title
    // and its space after (169).
    EXPECT_EQ(c.fills[0].y + 21, title.y);
    EXPECT_NEAR(c.fills[1].y, title.y + 169 + 169, 2);
    EXPECT_TRUE(c.lines.empty());
    EXPECT_TRUE(c.images.empty());
  }
}

// A title wider than the frame is lowered in steps of 0.1 mm until it fits,
// and the gap below it shrinks by the same factor.
TEST_F(CoverPageTest, WideTitleShrinksAndItsGapWithIt) {
  const std::u16string title = u"A cover page title far wider than a page";
  Set(g_faxCoverStyles[0].szStyleTitle, title);
  const EmfContent c = Render();
  const EmfText* t = Find(c, title);
  ASSERT_NE(t, nullptr);
  const int32_t h = t->font.height;
  EXPECT_LT(h, 169);
  EXPECT_GT(h, 21);
  const int32_t frame = kFrameRight - kFrameLeft;
  EXPECT_LT(Width(title, h, true), frame + 2 * kPixel);
  EXPECT_GE(Width(title, h + 2, true), frame - 2 * kPixel);
  ASSERT_EQ(c.fills.size(), 2u);
  EXPECT_NEAR(c.fills[1].y, t->y + h + h, 3);

  // Far too wide even at 2.1 mm: drawn at 2.1 mm and cut by the clip.
  const std::u16string huge(47, u'W');
  Set(g_faxCoverStyles[0].szStyleTitle, huge);
  data_.basic.fgDate = 1;
  data_.basic.byDateMode = 1;
  Set(data_.basic.szDate, std::u16string(20, u'W'));
  const EmfContent d = Render();
  const EmfText* w = Find(d, huge);
  ASSERT_NE(w, nullptr);
  EXPECT_GE(w->font.height, 21);
  EXPECT_LT(w->font.height, 169);
  // The date line is right-aligned at the frame's right edge.
  const EmfText* date = Find(d, std::u16string(20, u'W'));
  ASSERT_NE(date, nullptr);
  EXPECT_NEAR(date->x + Width(date->text, date->font.height, true), kFrameRight, 2 * kPixel);
}

// The comment: CR LF pairs split lines, an empty line stays as a blank one,
// a long line wraps inside its word where the frame's width runs out.
TEST_F(CoverPageTest, CommentSplitsAndWraps) {
  Set(data_.basic.szComment, u"A\r\n\r\nB");
  EmfContent c = Render();
  ASSERT_EQ(c.texts.size(), 5u);
  EXPECT_EQ(c.texts[2].text, u"A");
  EXPECT_EQ(c.texts[3].text, u" ");
  EXPECT_EQ(c.texts[4].text, u"B");
  for (size_t i = 2; i < 5; ++i) {
    EXPECT_NEAR(c.texts[i].x, kFrameLeft, kPixel);
    EXPECT_EQ(c.texts[i].font.height, 56);
    EXPECT_EQ(c.texts[i].font.weight, 400);
  }
  const int32_t step = c.texts[3].y - c.texts[2].y;
  EXPECT_NEAR(step, 56 + 14, 2);
  EXPECT_EQ(c.texts[4].y - c.texts[3].y, step);

  const std::u16string line(200, u'm');
  Set(data_.basic.szComment, u"x\rx\n" + line);  // a lone CR or LF is text
  c = Render();
  std::u16string joined;
  size_t pieces = 0;
  for (size_t i = 2; i < c.texts.size(); ++i, ++pieces) {
    joined += c.texts[i].text;
    EXPECT_LE(Width(c.texts[i].text, 56, false), kFrameRight - kFrameLeft + 2 * kPixel);
  }
  EXPECT_EQ(joined, u"x\rx\n" + line);
  EXPECT_GE(pieces, 2u);
  // Every piece but the last was cut where the next character would not fit.
  for (size_t i = 2; i + 1 < c.texts.size(); ++i) {
    EXPECT_GT(Width(c.texts[i].text + c.texts[i + 1].text.substr(0, 1), 56, false),
              kFrameRight - kFrameLeft - 2 * kPixel);
  }
}

// Turned pages: 2970 wide, 2100 high, the frame 100 .. 2870 across.
TEST_F(CoverPageTest, TurnedPage) {
  for (uint32_t angle : {90u, 270u, 1u}) {
    SCOPED_TRACE(angle);
    SIZE size{};
    const EmfContent c = Render(angle, nullptr, 0, &size);
    EXPECT_EQ(size.cx, 2970);
    EXPECT_EQ(size.cy, 2100);
    EXPECT_NEAR(c.frame[2] - c.frame[0], 29700, 10 * kPixel);
    ASSERT_EQ(c.fills.size(), 2u);
    EXPECT_NEAR(c.fills[0].x, 100, kPixel);
    EXPECT_NEAR(c.fills[0].x + c.fills[0].cx, 2870, kPixel);
    EXPECT_NEAR(c.fills[0].y, 100 + 0, 60);  // below the empty date line
  }
}

// The recipient block by mode and setting.
TEST_F(CoverPageTest, RecipientBlock) {
  FaxRecipientEntry e[3]{};
  for (int i = 0; i < 3; ++i) {
    Set(e[i].szName, u"Name" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
    Set(e[i].szCompany, u"Co");
    Set(e[i].szDepartment, u"Dept");
    Set(e[i].szFaxNumber, u"555-010" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
  }
  struct Case {
    const char* name;
    uint8_t mode, setting;
    uint32_t count;
    std::vector<std::u16string> texts;  // after date and title
  } cases[] = {
      {"title", 0, 0, 3, {u"To: ", u"Mr Smith"}},
      {"all", 1, 0, 2, {u"To: ", u"Co Dept Name0", u"Fax number: ", u"555-0100", u"Co Dept Name1", u"Fax number: ",
                        u"555-0101"}},
      {"first only", 1, 1, 3, {u"To: ", u"Co Dept Name0", u"Fax number: ", u"555-0100"}},
      {"no destination", 1, 1, 0, {}},
      {"own lines, name only", 1, 2, 3, {u"To: ", u"Own name"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    data_.recipient.byRecipientMode = k.mode;
    data_.recipient.byRecipientSetting = k.setting;
    Set(data_.recipient.szTitle, u"Mr Smith");
    Set(data_.recipient.szName, u"Own name");
    data_.recipient.fgName = 1;
    Set(data_.recipient.szCompany, u"Own company");
    data_.recipient.fgCompany = 0;
    Set(data_.recipient.szFaxNumber, u"999");
    data_.recipient.fgFaxNumber = 0;
    const EmfContent c = Render(0, e, k.count);
    std::vector<std::u16string> got;
    for (size_t i = 2; i < c.texts.size(); ++i) got.push_back(c.texts[i].text);
    EXPECT_EQ(got, k.texts);
    if (k.texts.empty()) {
      EXPECT_TRUE(c.lines.empty());
      continue;
    }
    // Label bold at the frame's left edge; values plain, starting at its
    // right end on the label's line; the rule spans the value column.
    const EmfText& label = c.texts[2];
    const EmfText& first = c.texts[3];
    EXPECT_NEAR(label.x, kFrameLeft, kPixel);
    EXPECT_EQ(label.font.weight, 700);
    EXPECT_EQ(first.font.weight, 400);
    EXPECT_EQ(first.y, label.y);
    EXPECT_NEAR(first.x, kFrameLeft + Width(u"To: ", 56, true), 2 * kPixel);
    ASSERT_EQ(c.lines.size(), 1u);
    EXPECT_EQ(c.lines[0].x0, first.x);
    EXPECT_NEAR(c.lines[0].x1, kFrameRight, kPixel);
    EXPECT_EQ(c.lines[0].width, 4);
  }
  // A destination too wide for one line: company and department, then the name.
  data_.recipient.byRecipientMode = 1;
  data_.recipient.byRecipientSetting = 1;
  Set(e[0].szName, std::u16string(60, u'N'));
  const EmfContent c = Render(0, e, 1);
  ASSERT_GE(c.texts.size(), 5u);
  EXPECT_EQ(c.texts[3].text, u"Co Dept");
  EXPECT_EQ(c.texts[4].text, std::u16string(60, u'N'));
  EXPECT_EQ(c.texts[4].x, c.texts[3].x);
  EXPECT_NEAR(c.texts[4].y - c.texts[3].y, 56 + 14, 2);
}

// Sender, page count and subject lines.
TEST_F(CoverPageTest, SenderPagesAndSubject) {
  Set(data_.sender.lines[kFcsSenderName].szText, u"Ann");
  data_.sender.lines[kFcsSenderName].fgOn = 1;
  Set(data_.sender.lines[kFcsSenderPhone].szText, u"123");
  data_.sender.lines[kFcsSenderPhone].fgOn = 1;
  Set(data_.sender.lines[kFcsSenderEMail].szText, u"off@example.org");
  data_.sender.lines[kFcsSenderEMail].fgOn = 0;
  data_.basic.fgPages = 1;
  data_.basic.wPages = 3;
  data_.basic.fgSubject = 1;
  Set(data_.basic.szSubject, u"Offer");
  const EmfContent c = Render();
  std::vector<std::u16string> got;
  for (size_t i = 2; i < c.texts.size(); ++i) got.push_back(c.texts[i].text);
  EXPECT_EQ(got, (std::vector<std::u16string>{u"From: ", u"Ann", u"Phone: ", u"123", u"Pages: ", u"3", u"Subject: ",
                                              u"Offer"}));
  const EmfText* three = Find(c, u"3");
  const EmfText* pages = Find(c, u"Pages: ");
  ASSERT_TRUE(three && pages);
  EXPECT_EQ(three->y, pages->y);
  EXPECT_NEAR(three->x + Width(u"3", 56, false), kFrameRight, 2 * kPixel);
  EXPECT_NEAR(pages->x + Width(u"Pages: ", 56, true), three->x, 2 * kPixel);
  // Sender, pages and subject each end with a rule across the frame.
  ASSERT_EQ(c.lines.size(), 3u);
  for (const auto& l : c.lines) {
    EXPECT_NEAR(l.x0, kFrameLeft, kPixel);
    EXPECT_NEAR(l.x1, kFrameRight, kPixel);
  }
}

// The image stamp: 200 x 100 pixels at 200 dpi is 254 x 127, half with zoom
// 50, centred on the position; a damaged file leaves the page without image.
class CoverImageTest : public CoverPageTest {
 protected:
  void WriteImage(const std::vector<uint8_t>& bytes) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    path_ = std::wstring(dir) + L"cover_page_test.bmp";
    HANDLE h = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
    data_.image.fgPasteImage = 1;
    Set(data_.image.szImageFile, std::u16string(path_.begin(), path_.end()));
  }
  static std::vector<uint8_t> Bmp(int32_t w, int32_t h) {
    const uint32_t stride = ((w * 24 + 31) / 32) * 4;
    std::vector<uint8_t> v(54 + stride * h, 0x80);
    std::memset(v.data(), 0, 54);
    const auto put = [&](size_t at, uint32_t x) { std::memcpy(&v[at], &x, 4); };
    v[0] = 'B';
    v[1] = 'M';
    put(2, static_cast<uint32_t>(v.size()));
    put(10, 54);
    put(14, 40);
    put(18, static_cast<uint32_t>(w));
    put(22, static_cast<uint32_t>(h));
    v[26] = 1;
    v[28] = 24;
    return v;
  }
  void TearDown() override {
    if (!path_.empty()) DeleteFileW(path_.c_str());
    CoverPageTest::TearDown();
  }
  std::wstring path_;
};

TEST_F(CoverImageTest, StampSizeAndPlace) {
  WriteImage(Bmp(200, 100));
  struct Case {
    uint8_t zoomOn;
    uint16_t zoom, x, y;
    int32_t w, h, cx, cy;  // size and centre, 0.1 mm
  } cases[] = {
      {0, 50, 50, 50, 254, 127, 2100 * 49 / 99, 2970 * 49 / 99},
      {1, 50, 50, 50, 127, 64, 2100 * 49 / 99, 2970 * 49 / 99},
      {1, 200, 1, 1, 508, 254, 0, 0},
      {0, 100, 100, 100, 254, 127, 2100, 2970},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.zoom);
    data_.image.fgZoom = k.zoomOn;
    data_.image.wZoom = k.zoom;
    data_.image.wPosX = k.x;
    data_.image.wPosY = k.y;
    const EmfContent c = Render();
    ASSERT_EQ(c.images.size(), 1u);
    const auto& im = c.images[0];
    EXPECT_EQ(im.srcWidth, 200);
    EXPECT_EQ(im.srcHeight, 100);
    EXPECT_NEAR(im.cx, k.w, 2);
    EXPECT_NEAR(im.cy, k.h, 2);
    EXPECT_NEAR(im.x + im.cx / 2, k.cx, 2 * kPixel + 1);
    EXPECT_NEAR(im.y + im.cy / 2, k.cy, 2 * kPixel + 1);
    // Drawn last, over the items.
    size_t lastText = 0, stretch = 0;
    for (size_t i = 0; i < c.types.size(); ++i) {
      if (c.types[i] == 84) lastText = i;
      if (c.types[i] == 81) stretch = i;
    }
    EXPECT_GT(stretch, lastText);
  }
  // At zoom 50 on a turned page the stamp keeps its size.
  data_.image.fgZoom = 1;
  data_.image.wZoom = 50;
  const EmfContent t = Render(90);
  ASSERT_EQ(t.images.size(), 1u);
  EXPECT_NEAR(t.images[0].cx, 127, 2);
}

TEST_F(CoverImageTest, DamagedOrMissingFilesLeaveNoImage) {
  std::vector<uint8_t> shortBits = Bmp(200, 100);
  shortBits.resize(shortBits.size() - 10);
  std::vector<uint8_t> hugeSide = Bmp(4, 4);
  std::memcpy(&hugeSide[18], "\xff\xff\xff\x7f", 4);
  std::vector<uint8_t> badOffset = Bmp(4, 4);
  std::memcpy(&badOffset[10], "\x00\x00\x01\x00", 4);
  for (const auto& bytes : {shortBits, hugeSide, badOffset}) {
    WriteImage(bytes);
    const EmfContent c = Render();
    EXPECT_TRUE(c.valid);
    EXPECT_TRUE(c.images.empty());
  }
  Set(data_.image.szImageFile, u"C:\\no\\such\\file.bmp");
  EXPECT_TRUE(Render().images.empty());
  EXPECT_FALSE(IsCoverImageFile(L"C:\\no\\such\\file.bmp", 19));
  WriteImage(Bmp(2, 2));
  EXPECT_TRUE(IsCoverImageFile(path_.c_str(), path_.size()));
  const std::wstring wildcard = path_.substr(0, path_.size() - 5) + L"?.bmp";
  EXPECT_FALSE(IsCoverImageFile(wildcard.c_str(), wildcard.size()));
  const std::wstring other = path_.substr(0, path_.size() - 4) + L".png";
  EXPECT_FALSE(IsCoverImageFile(other.c_str(), other.size()));
}

TEST_F(CoverPageTest, FontFamilyLookup) {
  LOGFONTW lf{};
  lf.lfHeight = 77;
  ASSERT_TRUE(FindFontFamilyLogFont(screen_, L"DejaVu Sans", &lf));
  EXPECT_STREQ(lf.lfFaceName, L"DejaVu Sans");
  EXPECT_EQ(lf.lfWeight, 0);
  EXPECT_EQ(lf.lfWidth, 0);
  EXPECT_EQ(lf.lfItalic, 0);
  LOGFONTW untouched{};
  untouched.lfHeight = 77;
  EXPECT_FALSE(FindFontFamilyLogFont(screen_, L"dejavu sans", &untouched));
  EXPECT_FALSE(FindFontFamilyLogFont(screen_, L"No Such Family", &untouched));
  EXPECT_EQ(untouched.lfHeight, 77);
  // A face the machine lacks: the page falls back to the default font.
  Set(g_faxCoverStyles[0].szFontFace, u"No Such Family");
  const EmfContent c = Render();
  ASSERT_EQ(c.texts.size(), 2u);
  EXPECT_TRUE(c.texts[1].font.face.empty());
  EXPECT_EQ(c.texts[1].font.height, 169);
}

}  // namespace
