#include "dproc/startup/color_option_lists.h"

#include <cstring>

namespace {

struct ValueRow {
  const char* keyword;
  uint32_t value;
};

// The built-in tables; the profile tables end at the value -1, the colour
// setting table at an empty keyword.
constexpr uint32_t kEnd = 0xFFFFFFFFu;
const ValueRow kColorSettingValues[] = {
    {"Color_Auto", 0}, {"Color_Doc", 1},   {"Color_Photo", 2},  {"Color_Presen", 3},  {"Color_DTP", 4},
    {"Color_Web", 5},  {"Color_CAD", 6},   {"Color_ICM", 7},    {"Color_Custom", 8},  {"Color_Disable", 9},
    {"", 0},
};
const ValueRow kProfileValues[] = {
    {"Text_DeviceRGB", 0},       {"Text_sRGB", 1},          {"Text_AdobeRGB1998", 128}, {"Text_AppleRGB", 129},
    {"Text_CIERGB", 130},        {"Text_ColorMatchRGB", 131}, {"Text_NTSC1953", 132},   {"Text_PAL", 133},
    {"Text_SMPTE_C", 134},       {"Text_sRGB_MS", 135},     {"Text_WideGamutRGB", 136}, {"Text_SMPTE_240M", 137},
    {"Text_EFIRGB", 138},        {"Text_sRGB_Standard", 139}, {"Text_ProPhotoRGB", 140}, {"Text_BlueAdjust", 141},
    {"", kEnd},
};
const ValueRow kColorMatchValues[] = {
    {"Text_Vivid", 0}, {"Text_Photographic", 1}, {"Text_Proof", 2}, {"Text_Match", 3}, {"", kEnd},
};
const ValueRow kGrayValues[] = {
    {"Text_4Color", 0}, {"Text_BandG", 1}, {"Text_BlackOnly", 2}, {"", kEnd},
};
const ValueRow kHalftoneValues[] = {
    {"Text_UltraDetail", 0}, {"Text_Detail", 1}, {"Text_Smooth", 2}, {"", 3}, {"", 4}, {"", kEnd},
};

const ValueRow* TableOf(ColorValueKind kind) {
  switch (kind) {
    case ColorValueKind::Profile: return kProfileValues;
    case ColorValueKind::ColorMatch: return kColorMatchValues;
    case ColorValueKind::Gray: return kGrayValues;
    case ColorValueKind::Halftone: return kHalftoneValues;
    case ColorValueKind::Position: break;
  }
  return nullptr;
}

OptionItem g_rgbProf[3];
OptionItem g_textRgbProf[17], g_textColorMatch[5], g_textGray[4], g_textHalftone[4];
OptionItem g_imgRgbProf[17], g_imgColorMatch[5], g_imgGray[4], g_imgHalftone[4];
OptionItem g_graphRgbProf[17], g_graphColorMatch[5], g_graphGray[4], g_graphHalftone[6];
OptionItem g_simulationProf[7], g_destinationProf[2], g_simuCmykGray[4];

// One row from an entry: size, keyword, icon and display text.
void FillRow(QxdContext* ctx, const QxdEntry& entry, OptionItem* row) {
  *row = OptionItem{};
  row->size = sizeof(OptionItem);
  row->iconId = kRowIconId;
  char key[kQxdTextWork];
  if (QxdReadString(ctx, entry.keyOffset, key, sizeof key)) {
    size_t length = std::strlen(key);
    std::memcpy(row->keyword, key, length < kKeywordSize ? length : kKeywordSize - 1);
  }
  char16_t text[kQxdTextWork + 1];
  if (QxdReadWideString(ctx, entry.textOffset, text, sizeof row->text / sizeof row->text[0])) {
    std::memcpy(row->text, text, sizeof row->text);
  }
}

// Reads the items of `section` in index order into `list` of `rows` rows
// (the last stays the end row); `fill` sets each row.  False when the
// section is missing.
template <typename Fill>
bool ReadList(QxdContext* ctx, const char* section, OptionItem* list, size_t rows, Fill fill) {
  uint32_t at = QxdFindSection(ctx, section);
  QxdSectionHeader header;
  QxdListHeader index;
  if (!QxdReadSectionHeader(ctx, at, &header) || !QxdReadListHeader(ctx, at + kQxdListHeaderAt, &index)) return false;
  std::memset(static_cast<void*>(list), 0, rows * sizeof(OptionItem));
  size_t next = 0;
  for (uint32_t i = 0; i < index.count && next + 1 < rows; ++i) {
    uint32_t item;
    QxdEntry entry;
    if (!QxdReadIndexEntry(ctx, index, i, &item)) break;
    if (!QxdReadEntry(ctx, item, &entry)) continue;
    fill(entry, i, &list[next]);
    ++next;
  }
  return true;
}

void CopyFirstTwo(const OptionItem* from, OptionItem* to) {
  std::memset(static_cast<void*>(to), 0, kShortProfileRows * sizeof(OptionItem));
  for (size_t i = 0; i + 1 < kShortProfileRows && from[i].keyword[0] != '\0'; ++i) to[i] = from[i];
}

}  // namespace

OptionItem g_colorSettingList[kColorSettingRows];
OptionItem g_textRgbProfShort[kShortProfileRows];
OptionItem g_imgRgbProfShort[kShortProfileRows];
OptionItem g_graphRgbProfShort[kShortProfileRows];

namespace {

// The built-in option of a colour destination list.
OptionItem DestinationOption(const char* keyword) {
  OptionItem row = {};
  row.size = sizeof(OptionItem);
  std::memcpy(row.keyword, keyword, std::strlen(keyword));
  row.iconId = kRowIconId;
  std::memcpy(row.text, u"Auto", sizeof u"Auto");
  return row;
}

}  // namespace

OptionItem g_textDestinationList[kColorDestinationRows] = {DestinationOption("Text_DestAuto"), {}};
OptionItem g_imgDestinationList[kColorDestinationRows] = {DestinationOption("Img_DestAuto"), {}};
OptionItem g_graphDestinationList[kColorDestinationRows] = {DestinationOption("Graph_DestAuto"), {}};

const ColorProfileListSpec kColorProfileLists[kColorProfileListCount] = {
    {"RGBProf", ColorValueKind::Position, 3, g_rgbProf},
    {"Text_RGBProf", ColorValueKind::Profile, 17, g_textRgbProf},
    {"Text_RGBColorMatch", ColorValueKind::ColorMatch, 5, g_textColorMatch},
    {"Text_RGBGray", ColorValueKind::Gray, 4, g_textGray},
    {"Text_Halftone", ColorValueKind::Halftone, 4, g_textHalftone},
    {"Img_RGBProf", ColorValueKind::Profile, 17, g_imgRgbProf},
    {"Img_RGBColorMatch", ColorValueKind::ColorMatch, 5, g_imgColorMatch},
    {"Img_RGBGray", ColorValueKind::Gray, 4, g_imgGray},
    {"Img_Halftone", ColorValueKind::Halftone, 4, g_imgHalftone},
    {"Graph_RGBProf", ColorValueKind::Profile, 17, g_graphRgbProf},
    {"Graph_RGBColorMatch", ColorValueKind::ColorMatch, 5, g_graphColorMatch},
    {"Graph_RGBGray", ColorValueKind::Gray, 4, g_graphGray},
    {"Graph_Halftone", ColorValueKind::Halftone, 6, g_graphHalftone},
    {"SimulationProf", ColorValueKind::Position, 7, g_simulationProf},
    {"DestinationProf", ColorValueKind::Position, 2, g_destinationProf},
    {"Simu_CMYKGray", ColorValueKind::Position, 4, g_simuCmykGray},
};

uint32_t BuiltInColorValue(ColorValueKind kind, const char* keyword) {
  const ValueRow* row = TableOf(kind);
  if (row == nullptr) return 0;
  for (; row->value != kEnd; ++row) {
    if (QxdNameEquals(row->keyword, keyword)) return row->value;
  }
  return 0;
}

void LoadColorSettingList(QxdContext* ctx) {
  ReadList(ctx, "ColorSetting", g_colorSettingList, kColorSettingRows,
           [&](const QxdEntry& entry, uint32_t, OptionItem* row) {
             FillRow(ctx, entry, row);
             for (const ValueRow* v = kColorSettingValues; v->keyword[0] != '\0'; ++v) {
               if (QxdNameEquals(v->keyword, row->keyword)) {
                 row->value = v->value;
                 break;
               }
             }
           });
}

void LoadColorProfileLists(QxdContext* ctx) {
  for (const ColorProfileListSpec& spec : kColorProfileLists) {
    ReadList(ctx, spec.section, spec.list, spec.rows, [&](const QxdEntry& entry, uint32_t i, OptionItem* row) {
      FillRow(ctx, entry, row);
      row->value = spec.values == ColorValueKind::Position ? i : BuiltInColorValue(spec.values, row->keyword);
    });
    if (spec.list == g_textRgbProf) CopyFirstTwo(g_textRgbProf, g_textRgbProfShort);
    if (spec.list == g_imgRgbProf) CopyFirstTwo(g_imgRgbProf, g_imgRgbProfShort);
    if (spec.list == g_graphRgbProf) CopyFirstTwo(g_graphRgbProf, g_graphRgbProfShort);
  }
}

int LoadColorDestinationList(QxdContext* ctx, int kind) {
  const char* section;
  OptionItem* list;
  switch (kind) {
    case 1: section = "Text_Destination", list = g_textDestinationList; break;
    case 2: section = "Img_Destination", list = g_imgDestinationList; break;
    case 4: section = "Graph_Destination", list = g_graphDestinationList; break;
    default: return 0;
  }
  // The options the section's entries may name: the list as it stands.
  OptionItem options[kColorDestinationRows];
  std::memcpy(static_cast<void*>(options), list, sizeof options);
  bool read = ReadList(ctx, section, list, kColorDestinationRows, [&](const QxdEntry& entry, uint32_t, OptionItem* row) {
    OptionItem fromFile;
    FillRow(ctx, entry, &fromFile);
    for (const OptionItem* option = options; option->keyword[0] != '\0'; ++option) {
      if (!QxdNameEquals(option->keyword, fromFile.keyword)) continue;
      *row = *option;
      row->size = sizeof(OptionItem);
      row->iconId = kRowIconId;
      if (fromFile.text[0] != 0) std::memcpy(row->text, fromFile.text, sizeof row->text);
      return;
    }
    // An entry that names no option leaves its row empty: the list ends there.
  });
  return read ? 1 : 0;
}
