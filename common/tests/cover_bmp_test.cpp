// The check of cover image files: well-formed bitmaps of every depth pass
// with the sizes drawing will read; damaged and hostile files are refused.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/cover/cover_bmp.h"

namespace {

void Put32(std::vector<uint8_t>* v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) (*v)[at + i] = static_cast<uint8_t>(x >> (8 * i));
}
void Put16(std::vector<uint8_t>* v, size_t at, uint16_t x) {
  (*v)[at] = static_cast<uint8_t>(x);
  (*v)[at + 1] = static_cast<uint8_t>(x >> 8);
}

// A bottom-up bitmap with a 40-byte header, a full colour table for 8 bits
// or less, and its rows.
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, uint16_t bits) {
  const uint32_t colors = bits <= 8 ? 1u << bits : 0;
  const uint32_t stride = ((static_cast<uint32_t>(width) * bits + 31) / 32) * 4;
  const uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
  const uint32_t offset = 14 + 40 + colors * 4;
  std::vector<uint8_t> v(offset + stride * rows, 0);
  v[0] = 'B';
  v[1] = 'M';
  Put32(&v, 2, static_cast<uint32_t>(v.size()));
  Put32(&v, 10, offset);
  Put32(&v, 14, 40);
  Put32(&v, 18, static_cast<uint32_t>(width));
  Put32(&v, 22, static_cast<uint32_t>(height));
  Put16(&v, 26, 1);
  Put16(&v, 28, bits);
  return v;
}

CoverBmpStatus Check(const std::vector<uint8_t>& v, CoverBmpLayout* layout = nullptr) {
  CoverBmpLayout l;
  const CoverBmpStatus st = CheckCoverBmp(v.data(), v.size(), v.size(), &l);
  if (layout) *layout = l;
  return st;
}

TEST(CoverBmp, WellFormedBitmapsPass) {
  struct Case {
    int32_t w, h;
    uint16_t bits;
    uint32_t bitsSize;
  };
  const Case cases[] = {{1, 1, 1, 4},      {33, 2, 1, 16},   {3, 3, 4, 12},    {200, 100, 8, 20000},
                        {5, 2, 16, 24},    {5, 2, 24, 32},   {7, -3, 32, 84},  {2000, 1, 24, 6000}};
  for (const Case& c : cases) {
    CoverBmpLayout l;
    const std::vector<uint8_t> v = MakeBmp(c.w, c.h, c.bits);
    ASSERT_EQ(Check(v, &l), kCoverBmpOk) << c.w << "x" << c.h << "x" << c.bits;
    EXPECT_EQ(l.bitsSize, c.bitsSize);
    EXPECT_EQ(l.bitsOffset + l.bitsSize, v.size());
    EXPECT_EQ(l.infoSize, l.bitsOffset - 14);
    EXPECT_EQ(l.width, c.w);
    EXPECT_EQ(l.height, c.h);
  }
  // A short colour table (colours used) and a core header.
  std::vector<uint8_t> v = MakeBmp(4, 4, 8);
  Put32(&v, 46, 16);
  EXPECT_EQ(Check(v), kCoverBmpOk);
  std::vector<uint8_t> core(14 + 12 + 2 * 3 + 4, 0);
  core[0] = 'B', core[1] = 'M';
  Put32(&core, 10, 14 + 12 + 6);
  Put32(&core, 14, 12);
  Put16(&core, 18, 8);
  Put16(&core, 20, 1);
  Put16(&core, 22, 1);
  Put16(&core, 24, 1);
  EXPECT_EQ(Check(core), kCoverBmpOk);
}

TEST(CoverBmp, DamagedAndHostileFilesAreRefused) {
  struct Case {
    const char* what;
    void (*damage)(std::vector<uint8_t>*);
    CoverBmpStatus expected;
  };
  const Case cases[] = {
      {"no BM", [](std::vector<uint8_t>* v) { (*v)[1] = 'A'; }, kCoverBmpNotBitmap},
      {"cut inside the headers", [](std::vector<uint8_t>* v) { v->resize(30); }, kCoverBmpTooShort},
      {"cut inside the file header", [](std::vector<uint8_t>* v) { v->resize(10); }, kCoverBmpTooShort},
      {"empty", [](std::vector<uint8_t>* v) { v->clear(); }, kCoverBmpTooShort},
      {"unknown header size", [](std::vector<uint8_t>* v) { Put32(v, 14, 41); }, kCoverBmpBadInfoHeader},
      {"huge header size", [](std::vector<uint8_t>* v) { Put32(v, 14, 0xFFFFFFF0u); }, kCoverBmpBadInfoHeader},
      {"zero width", [](std::vector<uint8_t>* v) { Put32(v, 18, 0); }, kCoverBmpBadDimensions},
      {"negative width", [](std::vector<uint8_t>* v) { Put32(v, 18, 0xFFFFFFFFu); }, kCoverBmpBadDimensions},
      {"zero height", [](std::vector<uint8_t>* v) { Put32(v, 22, 0); }, kCoverBmpBadDimensions},
      {"most negative height", [](std::vector<uint8_t>* v) { Put32(v, 22, 0x80000000u); }, kCoverBmpBadDimensions},
      {"huge dimensions", [](std::vector<uint8_t>* v) { Put32(v, 18, 0x7FFFFFFF), Put32(v, 22, 0x7FFFFFFF); },
       kCoverBmpBadDimensions},
      {"largest sides with few bytes", [](std::vector<uint8_t>* v) { Put32(v, 18, 32767), Put32(v, 22, 32767); },
       kCoverBmpShortBits},
      {"two planes", [](std::vector<uint8_t>* v) { Put16(v, 26, 2); }, kCoverBmpBadFormat},
      {"bit count 7", [](std::vector<uint8_t>* v) { Put16(v, 28, 7); }, kCoverBmpBadFormat},
      {"run-length compressed", [](std::vector<uint8_t>* v) { Put32(v, 30, 1); }, kCoverBmpBadFormat},
      {"bit fields at 8 bits", [](std::vector<uint8_t>* v) { Put32(v, 30, 3); }, kCoverBmpBadFormat},
      {"more colours than the depth has", [](std::vector<uint8_t>* v) { Put32(v, 46, 257); },
       kCoverBmpBadColorTable},
      {"bits offset inside the colour table", [](std::vector<uint8_t>* v) { Put32(v, 10, 14 + 40 + 100); },
       kCoverBmpBadColorTable},
      {"bits offset inside the headers", [](std::vector<uint8_t>* v) { Put32(v, 10, 20); }, kCoverBmpBadOffset},
      {"bits offset beyond the file", [](std::vector<uint8_t>* v) { Put32(v, 10, 0xFFFFFFFFu); },
       kCoverBmpBadOffset},
      {"bits cut short", [](std::vector<uint8_t>* v) { v->pop_back(); }, kCoverBmpShortBits},
      {"bits offset leaves too few bits", [](std::vector<uint8_t>* v) { Put32(v, 10, 14 + 40 + 1024 + 4); },
       kCoverBmpShortBits},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> v = MakeBmp(200, 100, 8);
    c.damage(&v);
    CoverBmpLayout l;
    // Read from a buffer of exactly the file's bytes so the sanitizers see
    // any read beyond it.
    std::unique_ptr<uint8_t[]> exact(new uint8_t[v.size() + 0]);
    if (!v.empty()) std::memcpy(exact.get(), v.data(), v.size());
    EXPECT_EQ(CheckCoverBmp(v.empty() ? nullptr : exact.get(), v.size(), v.size(), &l), c.expected) << c.what;
    EXPECT_EQ(l.bitsSize, 0u) << c.what;
  }
}

TEST(CoverBmp, OnlyTheBytesGivenAreRead) {
  // The headers and colour table in the buffer, the rest of the file not
  // read yet: the check passes on the file size without touching the bits.
  const std::vector<uint8_t> v = MakeBmp(20, 20, 8);
  CoverBmpLayout l;
  EXPECT_EQ(CheckCoverBmp(v.data(), 14 + 40 + 1024, v.size(), &l), kCoverBmpOk);
  EXPECT_EQ(CheckCoverBmp(v.data(), 14 + 40 + 1000, v.size(), &l), kCoverBmpTooShort);
  // A buffer claiming more than the file is cut to the file.
  EXPECT_EQ(CheckCoverBmp(v.data(), v.size(), 30, &l), kCoverBmpTooShort);
}

}  // namespace
