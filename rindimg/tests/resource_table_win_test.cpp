// Every picture, icon, cursor, string and dialog template that the driver's
// sheets and dialogs name by id is in the built resource libraries, at the
// size their drawing code places it by.  The libraries are loaded as data
// files, as a reader that never runs their code would.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/test_paths.h"

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

class ResourceLibrary {
 public:
  explicit ResourceLibrary(const char* name) {
    const std::string path = testsupport::BinaryPath(std::string("bin/") + name);
    module_ = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  ~ResourceLibrary() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

  // The resource's bytes in the Japanese language, or null.
  const uint8_t* Find(const wchar_t* type, int id, DWORD* size = nullptr) const {
    HRSRC found = FindResourceExW(module_, type, MAKEINTRESOURCEW(id), kJapanese);
    if (found == nullptr) return nullptr;
    if (size != nullptr) *size = SizeofResource(module_, found);
    HGLOBAL loaded = LoadResource(module_, found);
    return loaded != nullptr ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
  }

 private:
  HMODULE module_ = nullptr;
};

struct BitmapShape {
  int width = 0;
  int height = 0;
  int depth = 0;
};

bool ReadBitmap(const ResourceLibrary& library, int id, BitmapShape* shape) {
  DWORD size = 0;
  const uint8_t* bytes = library.Find(RT_BITMAP, id, &size);
  if (bytes == nullptr || size < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER header;
  std::memcpy(&header, bytes, sizeof header);
  if (header.biSize < sizeof header) return false;
  shape->width = header.biWidth;
  shape->height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  shape->depth = header.biBitCount;
  return true;
}

// A run of bitmaps of one size; 0 leaves a dimension unchecked (only the
// thickness of a mark matters to its placement) and depth 0 any depth.
struct BitmapRun {
  std::vector<int> ids;
  int width;
  int height;
  int depth;
};

std::vector<int> Run(int first, int last, int step = 1) {
  std::vector<int> ids;
  for (int id = first; id <= last; id += step) ids.push_back(id);
  return ids;
}

const std::vector<BitmapRun>& SizedBitmaps() {
  static const std::vector<BitmapRun> table = {
      // Stop-info balloons and the hint bulb.
      {{198, 199, 403, 404, 405, 406}, 21, 22, 0},
      {{202, 203}, 26, 17, 0},
      {{410, 411}, 32, 32, 0},
      // Paper view: the background tile, two-colour badges, numerals.
      {{204}, 204, 200, 0},
      {Run(9956, 9967), 21, 27, 0},
      {{307, 308, 309, 310, 311, 312, 313, 314, 315, 316, 317, 318, 319, 320, 491, 492, 321, 322}, 11, 13, 0},
      {{493, 494, 495, 496, 497, 498, 323, 324, 325, 326, 499, 500, 501, 502, 503, 504, 505, 506, 507, 508},
       19, 13, 0},
      {Run(509, 524), 11, 13, 0},
      {Run(525, 528), 19, 13, 0},
      // Finishing marks.
      {{331}, 99, 71, 0},
      {{332}, 71, 99, 0},
      {{433, 434}, 115, 5, 0},
      {{435, 436}, 115, 7, 0},
      {{437, 438}, 5, 115, 0},
      {{439, 440}, 7, 115, 0},
      {{441, 442}, 87, 5, 0},
      {{443, 444}, 87, 7, 0},
      {{445, 446}, 5, 87, 0},
      {{447, 448}, 7, 87, 0},
      {{10008, 10009, 10012, 10013, 10016, 10017, 10020, 10021, 10024, 10025, 10028, 10029}, 0, 9, 0},
      {{10010, 10011, 10014, 10015, 10018, 10019, 10022, 10023, 10026, 10027, 10030, 10031}, 9, 0, 0},
      {{9996, 9997, 10004, 10005, 10006, 10007}, 0, 10, 0},
      {{9998, 9999, 10000, 10001, 10002, 10003}, 10, 0, 0},
      {{11064, 11065}, 87, 10, 0},
      {{11008, 11009}, 29, 123, 0},
      {{11006, 11007}, 25, 123, 0},
      {{11004, 11005}, 123, 29, 0},
      {{11048, 11049}, 123, 25, 0},
      {{11002, 11003}, 28, 95, 0},
      {{11000, 11001}, 24, 95, 0},
      {{11010, 11011}, 95, 28, 0},
      {{11050, 11051}, 95, 24, 0},
      {Run(11024, 11047), 36, 36, 0},
      {Run(11054, 11061), 36, 36, 0},
      // Quality view and status icons.
      {{371, 372, 389, 390, 393, 394, 383, 384, 401, 402, 375, 376, 379, 380, 1084, 1085}, 144, 135, 0},
      {Run(10042, 10053), 39, 34, 0},
      {Run(906, 909), 39, 34, 0},
      {Run(948, 955), 39, 34, 0},
      // Binding margin pictures, 4 bits per pixel.
      {{1024, 1025, 1026, 1074, 1030, 1031, 1032, 1078}, 83, 109, 4},
      {{1027, 1028, 1029, 1076, 1033, 1034, 1035, 1080}, 109, 83, 4},
      {{1036, 1037, 1038, 1075, 1042, 1043, 1044, 1079}, 83, 109, 0},
      {{1039, 1040, 1041, 1077, 1045, 1046, 1047, 1081}, 109, 83, 0},
      // Samples of the colour adjustment: 8-bit images, 1-bit masks.
      {{485, 489, 487}, 48, 48, 8},
      {{486, 490, 488}, 48, 48, 1},
      // Switch states: three 15 x 15 images one above the other.
      {{10034, 10035}, 15, 45, 0},
  };
  return table;
}

// Vertical strips of 32 x 32 cells, with the number of cells the code uses.
struct Strip {
  int image;
  int mask;
  int cells;
};
const Strip kStrips[] = {
    {6050, 6051, 28}, {449, 450, 4},   {451, 452, 4},   {6069, 6070, 8}, {6071, 6072, 8},
    {1008, 1007, 4},  {5191, 5190, 4}, {1064, 1065, 1}, {11100, 11101, 1}, {11104, 11105, 1},
    {11106, 11107, 1}, {965, 966, 1}, {963, 964, 1},   {973, 974, 1},   {967, 968, 1},
    {969, 970, 1},    {971, 972, 1},   {978, 977, 1},   {975, 976, 1},   {178, 180, 5},
    {779, 780, 1},    {1067, 1063, 1}, {1068, 1063, 1}, {1069, 1063, 1}, {1070, 1063, 1},
    {1071, 1063, 1},  {1072, 1063, 1}, {1073, 1063, 1},
    // Covers, transparency interleaving and fold kinds of the finishing sheets.
    {181, 182, 5},    {183, 184, 3},   {1002, 1003, 1}, {988, 979, 1},   {990, 991, 1},
    {992, 993, 1},    {994, 995, 1},   {1004, 1005, 1}, {1006, 999, 1},  {980, 981, 1},
    {982, 983, 1},    {984, 985, 1},   {986, 987, 1},   {998, 989, 1},   {1000, 1001, 1},
    {996, 997, 1},
    // Output methods of the Basic sheet's list (the mask is the image + 1).
    {767, 768, 1},    {769, 770, 1},   {771, 772, 1},   {773, 774, 1},   {775, 776, 1},
    {777, 778, 1},
};

// Pairs drawn one over the other (mask with AND, image with XOR): same size,
// the mask one bit deep.
const int kPairs[][2] = {
    {188, 189},     {192, 193},     {408, 409},     {431, 432},     {194, 195},     {196, 197},
    {6073, 6074},   {6075, 6076},   {469, 470},     {1020, 1021},   {1022, 1023},   {471, 472},
    {10036, 10037}, {10038, 10039}, {11108, 11109}, {11110, 11111}, {1015, 1016},   {1019, 1016},
    {463, 465},     {464, 465},     {466, 465},     {467, 465},     {468, 465},     {213, 214},
    {215, 216},     {9968, 9969},   {9972, 9973},   {9974, 9975},   {9977, 9976},   {9979, 9978},
    {9981, 9980},   {9983, 9982},   {9985, 9984},   {9987, 9986},   {530, 529},     {532, 531},
    {534, 533},     {536, 535},     {538, 537},     {540, 539},     {11020, 11021}, {11018, 11019},
    {11014, 11015}, {11012, 11013}, {11052, 11053}, {11016, 11017}, {9988, 9989},   {9990, 9991},
    {9992, 9993},   {9994, 9995},   {909, 906},     {908, 906},
};

// Single bitmaps named without a size the code relies on.
std::vector<int> PresentBitmaps() {
  std::vector<int> ids = {455, 457, 459, 461, 462, 6077, 1012, 295, 296, 348, 350,
                          11023, 11063, 11022, 11062};
  for (int n = 0; n < 6; ++n) {
    for (int id : {259 + 2 * n, 283 + 2 * n, 271 + 2 * n, 260 + 2 * n, 284 + 2 * n, 272 + 2 * n}) ids.push_back(id);
    for (int r = 2; r <= 7; ++r) {
      for (int c = 0; c < 3; ++c) ids.push_back(659 + 18 * n + 3 * (r - 2) + c);
    }
  }
  for (int id : {297, 299, 301, 303, 305, 298, 300, 302, 304, 306, 334, 337, 339, 340, 341, 342, 343, 344, 345, 346})
    ids.push_back(id);
  return ids;
}

TEST(ImageLibrary, SizedBitmapsHaveTheSizesTheDrawingCodeUses) {
  ResourceLibrary library("VELDRANW.DLL");
  ASSERT_NE(library.get(), nullptr);
  for (const BitmapRun& run : SizedBitmaps()) {
    for (int id : run.ids) {
      SCOPED_TRACE(id);
      BitmapShape shape;
      ASSERT_TRUE(ReadBitmap(library, id, &shape));
      if (run.width != 0) {
        EXPECT_EQ(shape.width, run.width);
      }
      if (run.height != 0) {
        EXPECT_EQ(shape.height, run.height);
      }
      if (run.depth != 0) {
        EXPECT_EQ(shape.depth, run.depth);
      }
    }
  }
}

TEST(ImageLibrary, StripsAreColumnsOf32PixelCells) {
  ResourceLibrary library("VELDRANW.DLL");
  ASSERT_NE(library.get(), nullptr);
  for (const Strip& strip : kStrips) {
    SCOPED_TRACE(strip.image);
    BitmapShape image, mask;
    ASSERT_TRUE(ReadBitmap(library, strip.image, &image));
    ASSERT_TRUE(ReadBitmap(library, strip.mask, &mask));
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height % 32, 0);
    EXPECT_GE(image.height, 32 * strip.cells);
    EXPECT_EQ(mask.width, image.width);
    EXPECT_EQ(mask.height, image.height);
    EXPECT_EQ(mask.depth, 1);
  }
}

// The Easy Set pictures: columns of 16 x 16 cells, the kind icons two cells
// (shared, the user's own), the Easy Set icons as many as the save dialog
// offers (its default choice is icon 56).
TEST(ImageLibrary, EasySetPicturesAreColumnsOf16PixelCells) {
  ResourceLibrary library("VELDRANW.DLL");
  ASSERT_NE(library.get(), nullptr);
  const struct {
    int image, mask, minCells;
  } columns[] = {{482, 483, 2}, {480, 481, 57}};
  for (const auto& column : columns) {
    SCOPED_TRACE(column.image);
    BitmapShape image, mask;
    ASSERT_TRUE(ReadBitmap(library, column.image, &image));
    ASSERT_TRUE(ReadBitmap(library, column.mask, &mask));
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height % 16, 0);
    EXPECT_GE(image.height / 16, column.minCells);
    EXPECT_EQ(mask.width, image.width);
    EXPECT_EQ(mask.height, image.height);
    EXPECT_EQ(mask.depth, 1);
  }
}

TEST(ImageLibrary, MasksMatchTheirImages) {
  ResourceLibrary library("VELDRANW.DLL");
  ASSERT_NE(library.get(), nullptr);
  for (const auto& pair : kPairs) {
    SCOPED_TRACE(pair[0]);
    BitmapShape image, mask;
    ASSERT_TRUE(ReadBitmap(library, pair[0], &image));
    ASSERT_TRUE(ReadBitmap(library, pair[1], &mask));
    EXPECT_EQ(mask.width, image.width);
    EXPECT_EQ(mask.height, image.height);
    EXPECT_EQ(mask.depth, 1);
  }
  for (int id : PresentBitmaps()) {
    SCOPED_TRACE(id);
    BitmapShape shape;
    EXPECT_TRUE(ReadBitmap(library, id, &shape));
  }
}

TEST(ImageLibrary, IconsCursorsAndStrings) {
  ResourceLibrary library("VELDRANW.DLL");
  ASSERT_NE(library.get(), nullptr);
  // Icon groups, each with a 16 x 16 image for image lists and buttons.
  for (int id : {147, 148, 149, 150, 151, 152, 1058, 453, 454, 456, 458, 460, 473, 474}) {
    SCOPED_TRACE(id);
    DWORD size = 0;
    const uint8_t* group = library.Find(RT_GROUP_ICON, id, &size);
    ASSERT_NE(group, nullptr);
    ASSERT_GE(size, 6u);
    uint16_t count;
    std::memcpy(&count, group + 4, 2);
    ASSERT_GE(count, 1);
    ASSERT_GE(size, 6u + 14u * count);
    bool small = false;
    for (int i = 0; i < count; ++i) small = small || group[6 + 14 * i] == 16;
    EXPECT_TRUE(small);
  }
  for (int id : {10032, 10033}) EXPECT_NE(library.Find(RT_GROUP_CURSOR, id), nullptr) << id;
  // Names of a host's installable options, and the duplex texts.
  for (int id : {9002, 9004, 9005, 9006, 9015, 9016, 9017, 9062, 9950, 9951, 9952, 9953, 9955}) {
    wchar_t text[64] = {};
    EXPECT_GT(LoadStringW(library.get(), id, text, 64), 0) << id;
  }
  wchar_t none[33] = {};
  ASSERT_GT(LoadStringW(library.get(), 9015, none, 33), 0);
  EXPECT_STREQ(none, L"None");
}

// The head of an extended dialog template: caption, size and control count.
struct TemplateHead {
  bool child = false;
  int width = 0;
  int height = 0;
  int controls = 0;
  std::wstring caption;
};

bool ReadTemplate(const ResourceLibrary& library, int id, TemplateHead* head) {
  DWORD size = 0;
  const uint8_t* bytes = library.Find(RT_DIALOG, id, &size);
  if (bytes == nullptr || size < 26) return false;
  uint16_t version, signature, count;
  int16_t cx, cy;
  uint32_t style;
  std::memcpy(&version, bytes, 2);
  std::memcpy(&signature, bytes + 2, 2);
  if (version != 1 || signature != 0xFFFF) return false;
  std::memcpy(&style, bytes + 12, 4);
  std::memcpy(&count, bytes + 16, 2);
  std::memcpy(&cx, bytes + 22, 2);
  std::memcpy(&cy, bytes + 24, 2);
  head->child = (style & WS_CHILD) != 0;
  head->controls = count;
  head->width = cx;
  head->height = cy;
  // Menu and class: empty, an ordinal or a text; then the caption.
  size_t at = 26;
  auto unit = [&](size_t offset) {
    uint16_t value = 0;
    if (offset + 2 <= size) std::memcpy(&value, bytes + offset, 2);
    return value;
  };
  for (int field = 0; field < 2; ++field) {
    if (unit(at) == 0xFFFF) {
      at += 4;
    } else {
      while (at + 2 <= size && unit(at) != 0) at += 2;
      at += 2;
    }
  }
  head->caption.clear();
  while (at + 2 <= size && unit(at) != 0) {
    head->caption.push_back(static_cast<wchar_t>(unit(at)));
    at += 2;
  }
  return at + 2 <= size;
}

TEST(DialogLibrary, EveryTemplateIsThere) {
  ResourceLibrary library("VELDRANG.DLL");
  ASSERT_NE(library.get(), nullptr);
  std::vector<int> ids;
  for (int id = 100; id <= 198; ++id) {
    if (id != 103 && id != 114 && id != 118 && id != 120 && id != 133 && id != 150) ids.push_back(id);
  }
  for (int id : {2055, 2083, 2090, 2103, 2124, 2126, 2145, 2171, 2178, 2297, 2308, 2322, 2505, 2506, 2507, 2508,
                 2524, 2529, 2530, 2531}) {
    ids.push_back(id);
  }
  ASSERT_EQ(ids.size(), 113u);
  for (int id : ids) {
    TemplateHead head;
    EXPECT_TRUE(ReadTemplate(library, id, &head)) << id;
  }
  // Sizes that dialogs lay their controls out by.
  const struct {
    int id;
    int width, height;
  } sized[] = {{117, 245, 225}, {136, 366, 289}, {121, 301, 241}};
  for (const auto& s : sized) {
    TemplateHead head;
    ASSERT_TRUE(ReadTemplate(library, s.id, &head));
    EXPECT_EQ(head.width, s.width) << s.id;
    EXPECT_EQ(head.height, s.height) << s.id;
  }
}

TEST(DialogLibrary, SessionSheetsAreChildPagesWithTheirFrames) {
  ResourceLibrary library("VELDRANG.DLL");
  ASSERT_NE(library.get(), nullptr);
  const struct {
    int id;
    const wchar_t* caption;
  } sheets[] = {{171, L"FAX"},     {100, L"Basics"},    {101, L"Layout"}, {104, L"Overlay"},
                {106, L"Version"}, {177, L"Configure"}, {184, L"Setting"}};
  for (const auto& sheet : sheets) {
    SCOPED_TRACE(sheet.id);
    TemplateHead head;
    ASSERT_TRUE(ReadTemplate(library, sheet.id, &head));
    EXPECT_TRUE(head.child);
    EXPECT_EQ(head.caption, sheet.caption);
    EXPECT_GE(head.controls, 2);  // at least the hint line
  }
}

TEST(ResourceLibraries, LoadedForUseTheyOnlyKeepTheirHandle) {
  for (const char* name : {"VELDRANW.DLL", "VELDRANG.DLL"}) {
    SCOPED_TRACE(name);
    const std::string path = testsupport::BinaryPath(std::string("bin/") + name);
    HMODULE module = LoadLibraryA(path.c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddress(module, "DllInitialize"), nullptr);
    // Loaded as a module, the resources are reached the ordinary way.
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(name[7] == 'W' ? 410 : 171),
                            name[7] == 'W' ? RT_BITMAP : RT_DIALOG),
              nullptr);
    EXPECT_TRUE(FreeLibrary(module));
  }
}

}  // namespace
