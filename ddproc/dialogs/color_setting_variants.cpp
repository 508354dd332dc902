#include "ddproc/dialogs/color_setting_variants.h"

#include <cstring>
#include <initializer_list>

namespace {

using K = ColorListKind;
using O = ColorObject;
using S = ColorListSource;

#define AT(member) DOC_FIELD_AT(member)
const ColorListControl kLists[kColorListControls] = {
    {1502, 1504, 1503, K::kRgbSource, O::kImage, S::kRgb, AT(nImageRGBColor), 2, AT(ImageRGBSc_szProfileName)},
    {1468, 1354, 1402, K::kOption, O::kImage, S::kMatch, AT(ColorImage_nColorChg), 1, 0},
    {1469, 1335, 1403, K::kOption, O::kImage, S::kGray, AT(ColorImage_nMkBlack), 1, 0},
    {1597, 1599, 1601, K::kDestination, O::kImage, S::kObjectDestination, AT(nImageDestColor), 2,
     AT(ImageDestSc_szProfileName)},
    {1471, 1332, 1505, K::kOption, O::kImage, S::kHalftone, AT(ColorImage_nScreen), 1, 0},
    {1507, 1509, 1508, K::kRgbSource, O::kText, S::kRgb, AT(nCharRGBColor), 2, AT(CharRGBSc_szProfileName)},
    {1465, 1353, 1400, K::kOption, O::kText, S::kMatch, AT(ColorChar_nColorChg), 1, 0},
    {1466, 1334, 1401, K::kOption, O::kText, S::kGray, AT(ColorChar_nMkBlack), 1, 0},
    {1589, 1592, 1594, K::kDestination, O::kText, S::kObjectDestination, AT(nCharDestColor), 2,
     AT(CharDestSc_szProfileName)},
    {1467, 1330, 1510, K::kOption, O::kText, S::kHalftone, AT(ColorChar_nScreen), 1, 0},
    {1511, 1513, 1512, K::kRgbSource, O::kGraphics, S::kRgb, AT(nGraphicsRGBColor), 2, AT(GraphRGBSc_szProfileName)},
    {1514, 1516, 1515, K::kOption, O::kGraphics, S::kMatch, AT(ColorGraphics_nColorChg), 1, 0},
    {1517, 1519, 1518, K::kOption, O::kGraphics, S::kGray, AT(ColorGraphics_nMkBlack), 1, 0},
    {1582, 1584, 1587, K::kDestination, O::kGraphics, S::kObjectDestination, AT(nGraphDestColor), 2,
     AT(GraphDestSc_szProfileName)},
    {1520, 1522, 1521, K::kOption, O::kGraphics, S::kHalftone, AT(ColorGraphics_nScreen), 1, 0},
    {1632, 1634, 1636, K::kSingle, O::kNone, S::kRgbSingle, AT(nCommonRGBColor), 2, 0},
    {1398, 1524, 1482, K::kSimulation, O::kNone, S::kSimulation, AT(nSimProfileMode), 2, AT(SimProfile_szProfileName)},
    {1625, 1627, 1629, K::kSingle, O::kNone, S::kCmykGray, AT(nSimCMYKGray), 2, 0},
    {1408, 1525, 1486, K::kDestination, O::kNone, S::kDestinationProf, AT(nDestProfileMode), 2,
     AT(DestProfile_szProfileName)},
};
const ColorCheckControl kChecks[kColorCheckControls] = {
    {2509, 2513, AT(nImgEdge)},
    {2510, 2514, AT(nTextEdge)},
    {2511, 2515, AT(nGraphEdge)},
    {kMatchPaperColorCheck, 0, AT(bMatchPaperColor)},
};
#undef AT

constexpr uint32_t Bits(std::initializer_list<int> indices) {
  uint32_t bits = 0;
  for (int i : indices) bits |= 1u << i;
  return bits;
}
// The rows of the table above by group.
constexpr int kImgRgb = 0, kImgMatch = 1, kImgGray = 2, kImgDest = 3, kImgHalf = 4;
constexpr int kTxtRgb = 5, kTxtMatch = 6, kTxtGray = 7, kTxtDest = 8, kTxtHalf = 9;
constexpr int kGraRgb = 10, kGraMatch = 11, kGraGray = 12, kGraDest = 13, kGraHalf = 14;
constexpr int kSingleRgb = 15, kSim = 16, kCmyk = 17, kDestProf = 18;
constexpr uint32_t kThreeObjects = Bits({kImgRgb, kImgMatch, kImgGray, kImgDest, kImgHalf, kTxtRgb, kTxtMatch, kTxtGray,
                                         kTxtDest, kTxtHalf, kGraRgb, kGraMatch, kGraGray, kGraDest, kGraHalf});
constexpr uint32_t kSimulationGroup = Bits({kSim, kCmyk});
constexpr uint32_t kTwoObjects = Bits({kImgRgb, kImgMatch, kImgGray, kImgHalf, kTxtRgb, kTxtMatch, kTxtGray, kTxtHalf});
constexpr uint32_t kNoImageGray = kTwoObjects & ~Bits({kImgGray});
constexpr uint32_t kThreeWithoutDest = kThreeObjects & ~Bits({kImgDest, kTxtDest, kGraDest});
constexpr uint32_t kEdges = Bits({0, 1, 2});
constexpr uint32_t kPaper = Bits({3});

using A = ColorActivate;
using R = ColorRefill;
using L = ColorLock;
// template, hint page, help, lists, checks, radios, resident RGB, RGB records, edges at once, profile buttons,
// WM_ACTIVATE, 1124, lock
const ColorSettingVariant kVariants[] = {
    {2505, 128, 6633, kThreeObjects | kSimulationGroup, kEdges | kPaper, false, true, true, false, true, A::kNone,
     R::kRefillRefresh, L::kAll},
    {128, 128, 6631, kThreeObjects | kSimulationGroup, kPaper, false, true, true, false, true, A::kRefillCheckRefresh,
     R::kRefillRefresh, L::kAll},
    {122, 122, 6610, kTwoObjects | kSimulationGroup | Bits({kDestProf}), kPaper, true, true, true, false, true,
     A::kRefillCheckRefresh, R::kRefillRefreshGraphics, L::kAllButTextRgbLabel},
    {124, 124, 6630, kNoImageGray | kSimulationGroup, kPaper, true, true, true, false, true, A::kRefillCheckRefresh,
     R::kRefillRefreshGraphics, L::kAll},
    {2507, 124, 6630, kNoImageGray | kSimulationGroup, kPaper, true, true, true, false, true, A::kRefillCheckRefresh,
     R::kRefillRefreshGraphics, L::kAll},
    {123, 123, 6621, kTwoObjects, 0, true, false, false, false, false, A::kCheckRefresh, R::kNone,
     L::kListsRadiosDefault},
    {123, 123, 6600, kTwoObjects, 0, true, false, false, false, false, A::kCheckRefresh, R::kNone, L::kAll},
    {125, 125, 6620, Bits({kSingleRgb, kImgMatch, kImgHalf, kTxtMatch, kTxtGray, kTxtHalf}), 0, true, false, false,
     false, false, A::kCheckRefresh, R::kNone, L::kAll},
    {2508, 125, 6620, Bits({kSingleRgb, kImgMatch, kImgHalf, kTxtMatch, kTxtGray, kTxtHalf}), 0, true, false, false,
     false, false, A::kCheckRefresh, R::kNone, L::kAll},
    {2506, 123, 6632, kThreeWithoutDest, kEdges, false, false, false, true, false, A::kNone, R::kNone, L::kAll},
    {2529, 125, 6636, Bits({kImgHalf, kTxtHalf, kGraHalf}), 0, false, false, false, false, false,
     A::kCheckReselectHalftones, R::kNone, L::kAll},
    {2530, 125, 6636, Bits({kImgHalf, kTxtHalf, kGraHalf}), 0, false, false, false, false, false,
     A::kCheckReselectHalftones, R::kNone, L::kAll},
};
constexpr size_t kTypeThreeVariant = 5;
constexpr size_t kOtherTypeVariant = 6;

const ColorObjectLists& ObjectLists(const DeviceTables& t, ColorObject o) {
  return o == ColorObject::kText ? t.text : o == ColorObject::kImage ? t.image : t.graphics;
}

}  // namespace

const ColorListControl* ColorListControls() { return kLists; }
const ColorCheckControl* ColorCheckControls() { return kChecks; }

const ColorListControl* FindColorListControl(int listId) {
  for (const ColorListControl& c : kLists) {
    if (c.list == listId) return &c;
  }
  return nullptr;
}

const ColorSettingVariant* ColorSettingVariantFor(int32_t templateId, uint32_t colorSettingType) {
  if (templateId == 123) return &kVariants[colorSettingType == 3 ? kTypeThreeVariant : kOtherTypeVariant];
  for (const ColorSettingVariant& v : kVariants) {
    if (v.templateId == templateId) return &v;
  }
  return nullptr;
}

const OptionItem* ColorListRows(const DeviceTables& t, const ColorListControl& c, bool full) {
  switch (c.source) {
    case S::kRgb: return full ? ObjectLists(t, c.object).rgbFull : ObjectLists(t, c.object).rgbShort;
    case S::kMatch: return ObjectLists(t, c.object).colorMatch;
    case S::kGray: return ObjectLists(t, c.object).gray;
    case S::kHalftone: return ObjectLists(t, c.object).halftone;
    case S::kObjectDestination: return ObjectLists(t, c.object).destination;
    case S::kRgbSingle: return t.rgbSingle;
    case S::kSimulation: return t.simulation;
    case S::kDestinationProf: return t.destinationProf;
    case S::kCmykGray: return t.cmykGray;
  }
  return nullptr;
}

int32_t ResidentBase(ColorListKind kind) { return kind == K::kRgbSource ? 256 : 128; }

int32_t ReadColorField(const DocDMode& doc, uint32_t field, uint8_t width) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&doc) + field;
  if (width == 1) return bytes[0];
  int16_t value = 0;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

void WriteColorField(DocDMode& doc, uint32_t field, uint8_t width, int32_t value) {
  auto* bytes = reinterpret_cast<uint8_t*>(&doc) + field;
  if (width == 1) {
    bytes[0] = static_cast<uint8_t>(value);
    return;
  }
  const auto narrow = static_cast<int16_t>(value);
  std::memcpy(bytes, &narrow, sizeof narrow);
}

ColorProfileRecord* ColorRecordAt(DocDMode& doc, uint32_t record) {
  if (record == 0) return nullptr;
  return reinterpret_cast<ColorProfileRecord*>(reinterpret_cast<uint8_t*>(&doc) + record);
}

