#include "ddproc/model/device_tables.h"

#include <cstring>

#include "common/qxd/model_list_reader.h"

namespace {

constexpr ColorKeywordRow kRgbSource[] = {
    {0, "Text_DeviceRGB", "Img_DeviceRGB", "Graph_DeviceRGB"},
    {1, "Text_sRGB", "Img_sRGB", "Graph_sRGB"},
    {128, "Text_AdobeRGB1998", "Img_AdobeRGB1998", "Graph_AdobeRGB1998"},
    {129, "Text_AppleRGB", "Img_AppleRGB", "Graph_AppleRGB"},
    {130, "Text_CIERGB", "Img_CIERGB", "Graph_CIERGB"},
    {131, "Text_ColorMatchRGB", "Img_ColorMatchRGB", "Graph_ColorMatchRGB"},
    {132, "Text_NTSC1953", "Img_NTSC1953", "Graph_NTSC1953"},
    {133, "Text_PAL", "Img_PAL", "Graph_PAL"},
    {134, "Text_SMPTE_C", "Img_SMPTE_C", "Graph_SMPTE_C"},
    {135, "Text_sRGB_MS", "Img_sRGB_MS", "Graph_sRGB_MS"},
    {136, "Text_WideGamutRGB", "Img_WideGamutRGB", "Graph_WideGamutRGB"},
    {137, "Text_SMPTE_240M", "Img_SMPTE_240M", "Graph_SMPTE_240M"},
    {138, "Text_EFIRGB", "Img_EFIRGB", "Graph_EFIRGB"},
    {139, "Text_sRGB_Standard", "Img_sRGB_Standard", "Graph_sRGB_Standard"},
    {140, "Text_ProPhotoRGB", "Img_ProPhotoRGB", "Graph_ProPhotoRGB"},
    {141, "Text_BlueAdjust", "Img_BlueAdjust", "Graph_BlueAdjust"},
    {-1, "", "", ""},
};
constexpr ColorKeywordRow kColorMatch[] = {
    {0, "Text_Vivid", "Img_Vivid", "Graph_Vivid"},
    {1, "Text_Photographic", "Img_Photographic", "Graph_Photographic"},
    {2, "Text_Proof", "Img_Proof", "Graph_Proof"},
    {3, "Text_Match", "Img_Match", "Graph_Match"},
    {-1, "", "", ""},
};
constexpr ColorKeywordRow kGray[] = {
    {0, "Text_4Color", "Img_4Color", "Graph_4Color"},
    {1, "Text_BandG", "Img_BandG", "Graph_BandG"},
    {2, "Text_BlackOnly", "Img_BlackOnly", "Graph_BlackOnly"},
    {-1, "", "", ""},
};
constexpr ColorKeywordRow kHalftone[] = {
    {0, "Text_UltraDetail", "Img_UltraDetail", "Graph_UltraDetail"},
    {1, "Text_Detail", "Img_Detail", "Graph_Detail"},
    {2, "Text_Smooth", "Img_Smooth", "Graph_Smooth"},
    {3, "", "", "Graph_HalftoneText"},
    {4, "", "", "Graph_HalftoneImage"},
    {-1, "", "", ""},
};

const char* KindKeyword(const ColorKeywordRow& row, uint32_t kind) {
  return kind == kColorText ? row.text : kind == kColorImage ? row.image : row.graphics;
}

void Row(OptionItem* out, const char* keyword, int32_t value, const char16_t* text = u"") {
  std::memset(out, 0, sizeof *out);
  out->size = sizeof(OptionItem);
  std::strncpy(out->keyword, keyword, sizeof out->keyword - 1);
  out->value = static_cast<uint32_t>(value);
  out->iconId = kRowIconId;
  for (size_t i = 0; i < 47 && text[i] != u'\0'; ++i) out->text[i] = text[i];
}

template <size_t N>
void Clear(OptionItem (&list)[N]) {
  std::memset(list, 0, sizeof list);
}

// Rows of a keyword table for one object kind, at most `rows` of them.
void FromKeywords(OptionItem* list, size_t capacity, const ColorKeywordRow* table, uint32_t kind, size_t rows) {
  size_t n = 0;
  for (const ColorKeywordRow* r = table; r->value != -1 && n < rows && n + 1 < capacity; ++r) {
    const char* keyword = KindKeyword(*r, kind);
    if (keyword[0] == '\0') continue;
    Row(&list[n++], keyword, r->value);
  }
}

void BuiltInObjectLists(ColorObjectLists* l, uint32_t kind) {
  std::memset(l, 0, sizeof *l);
  FromKeywords(l->rgbFull, kRgbFullRows, kRgbSource, kind, 16);
  FromKeywords(l->rgbShort, kRgbShortRows, kRgbSource, kind, 2);
  FromKeywords(l->colorMatch, kColorMatchRows, kColorMatch, kind, 4);
  FromKeywords(l->gray, kGrayRows, kGray, kind, 3);
  if (kind == kColorGraphics) {
    Row(&l->halftone[0], "Graph_HalftoneText", 3, u"Same as Text Setting");
    Row(&l->halftone[1], "Graph_HalftoneImage", 4, u"Same as Image Setting");
    Row(&l->halftone[2], "Graph_UltraDetail", 0, u"UltraDetail");
    Row(&l->halftone[3], "Graph_Detail", 1, u"Detail");
    Row(&l->halftone[4], "Graph_Smooth", 2, u"Smooth");
  } else {
    FromKeywords(l->halftone, kHalftoneRows, kHalftone, kind, 3);
  }
  const char* dest = kind == kColorText ? "Text_DestAuto" : kind == kColorImage ? "Img_DestAuto" : "Graph_DestAuto";
  Row(&l->destination[0], dest, 0);
}

// How a section's rows take their values.
struct ColorSection {
  const char* name;
  OptionItem* list;
  size_t capacity;
  const ColorKeywordRow* keywords;  // null: the entry's index
  uint32_t kind;
  OptionItem* shortList;            // an RGB source section's short list
};

int32_t ValueOf(const ColorKeywordRow* table, uint32_t kind, const char* keyword) {
  for (const ColorKeywordRow* r = table; r->value != -1; ++r) {
    const char* k = KindKeyword(*r, kind);
    if (k[0] != '\0' && QxdNameEquals(k, keyword)) return r->value;
  }
  return 0;
}

// Visits the entries of a texts or items section in order, through the
// section's index, at most `limit` of them; false when it is absent.
template <typename Visit>
bool ForEachEntry(QxdContext* ctx, const char* name, size_t limit, Visit visit) {
  ListSection s;
  if (!OpenListSection(ctx, name, &s)) return false;
  for (uint32_t i = 0; i < s.list.count && i < limit; ++i) {
    uint32_t offset = 0;
    QxdEntry entry;
    if (!QxdReadIndexEntry(ctx, s.list, i, &offset) || !QxdReadEntry(ctx, offset, &entry)) break;
    char key[32] = {};
    char16_t text[48] = {};
    ReadEntryTexts(ctx, entry, key, sizeof key, text, 48);
    visit(i, key, text);
  }
  return true;
}

// Reads one colour section; false when it is absent (lists unchanged).
bool ReadColorSection(QxdContext* ctx, const ColorSection& s) {
  ListSection probe;
  if (!OpenListSection(ctx, s.name, &probe)) return false;
  std::memset(s.list, 0, s.capacity * sizeof(OptionItem));
  if (s.shortList != nullptr) std::memset(s.shortList, 0, kRgbShortRows * sizeof(OptionItem));
  // The last row stays the terminator.
  return ForEachEntry(ctx, s.name, s.capacity - 1, [&](uint32_t i, const char* key, const char16_t* text) {
    const int32_t value = s.keywords == nullptr ? static_cast<int32_t>(i) : ValueOf(s.keywords, s.kind, key);
    Row(&s.list[i], key, value, text);
    if (s.shortList != nullptr && i < 2) s.shortList[i] = s.list[i];
  });
}

const DispStringItem kCommonRows[] = {
    {{1130}, {}, "ViewPrinter"}, {{1130}, {}, "ViewPaper"},   {{1130}, {}, "ViewCover"},
    {{1130}, {}, "ViewOverlay"}, {{1130}, {}, "ViewWatermark"}, {{1130}, {}, "ViewQuality"},
    {{1201}, {}, "PrinterInfoBT"}, {{1131}, {}, "EasySet"},   {{-1}, {}, "EasySetDefaults"},
    {{-1}, {}, "EasySetUntitled"}, {{1133}, {}, "SaveEasySet"}, {{1134}, {}, "EditEasySet"},
    {{1}, {}, "OK"},             {{2}, {}, "Cancel"},         {{1032}, {}, "Default"},
    {{9}, {}, "Help"},           {{0}, {}, ""},
};
static_assert(sizeof kCommonRows == sizeof(DeviceTables::common));

const DispStringItem kColorSettingRows[] = {
    {{122, 123, 124, 125, 128, 2505, 2506, 2507, 2508, 2529, 2530}, {}, "Dlg_ColorSetting"},
    {{1632}, {}, "RGBProf"},
    {{1506}, {}, "Text"},
    {{1507}, {}, "Text_RGBProf"},
    {{1465}, {}, "Text_RGBColorMatch"},
    {{1466}, {}, "Text_RGBGray"},
    {{1467}, {}, "Text_Halftone"},
    {{1589}, {}, "Text_Destination"},
    {{1501}, {}, "Image"},
    {{1502}, {}, "Img_RGBProf"},
    {{1468}, {}, "Img_RGBColorMatch"},
    {{1469}, {}, "Img_RGBGray"},
    {{1471}, {}, "Img_Halftone"},
    {{1597}, {}, "Img_Destination"},
    {{1473}, {}, "Graphics"},
    {{1475}, {}, "Graph_MatchText"},
    {{1477}, {}, "Graph_MatchImage"},
    {{1511}, {}, "Graph_RGBProf"},
    {{1514}, {}, "Graph_RGBColorMatch"},
    {{1517}, {}, "Graph_RGBGray"},
    {{1520}, {}, "Graph_Halftone"},
    {{1582}, {}, "Graph_Destination"},
    {{1523}, {}, "PSProfile"},
    {{1398}, {}, "SimulationProf"},
    {{1526}, {}, "MatchPaperColor"},
    {{1625}, {}, "Simu_CMYKGray"},
    {{1630}, {}, "PSProfile2"},
    {{1408}, {}, "DestinationProf"},
    {{1393}, {}, "Profile_Download"},
    {{1528}, {}, "ManageProfile"},
    {{2510}, {}, "Text_Edge"},
    {{2509}, {}, "Img_Edge"},
    {{2511}, {}, "Graph_Edge"},
    {{0}, {}, ""},
};
static_assert(sizeof kColorSettingRows == sizeof(DeviceTables::colorSetting));

const DispStringItem kPaperSourceTrayRows[] = {
    {{155}, {}, "Dlg_PaperSourceTraySetting"},
    {{1845}, {}, "MediaType_Info"},
    {{-1}, {}, "MediaTypeList_Tray"},
    {{-1}, {}, "MediaTypeList_Size"},
    {{-1}, {}, "MediaTypeList_Orient"},
    {{-1}, {}, "MediaTypeList_Type"},
    {{-1}, {}, "MediaTypeList_Weight"},
    {{-1}, {}, "MediaTypeList_Color"},
    {{-1}, {}, "MediaTypeList_Hole"},
    {{1859}, {}, "MediaType_Size"},
    {{1861}, {}, "MediaType_Orientation"},
    {{1005}, {}, "MediaType_Paper"},
    {{1084}, {}, "MediaType_Weight"},
    {{1089}, {}, "MediaType_Color"},
    {{1097}, {}, "MediaType_Hole"},
    {{0}, {}, ""},
};
static_assert(sizeof kPaperSourceTrayRows == sizeof(DeviceTables::paperSourceTray));

const MediaListColumn kMediaColumns[kMediaColumnCount] = {
    {u"Tray", "MediaTypeList_Tray"},   {u"Size", "MediaTypeList_Size"},   {u"Orientation", "MediaTypeList_Orient"},
    {u"Type", "MediaTypeList_Type"},   {u"Weight", "MediaTypeList_Weight"}, {u"Color", "MediaTypeList_Color"},
    {u"Hole", "MediaTypeList_Hole"},
};

}  // namespace

const ColorKeywordRow* RgbSourceKeywords() { return kRgbSource; }
const ColorKeywordRow* ColorMatchKeywords() { return kColorMatch; }
const ColorKeywordRow* GrayKeywords() { return kGray; }
const ColorKeywordRow* HalftoneKeywords() { return kHalftone; }

void ResetDeviceTables(DeviceTables* t) {
  std::memset(t, 0, sizeof *t);
  Row(&t->rgbSingle[0], "DeviceRGB", 0);
  Row(&t->rgbSingle[1], "sRGB", 1);
  BuiltInObjectLists(&t->text, kColorText);
  BuiltInObjectLists(&t->image, kColorImage);
  BuiltInObjectLists(&t->graphics, kColorGraphics);
  const char* simulation[] = {"Simu_None", "Simu_SWOP", "Simu_Euroscale", "Simu_CommercialPress", "Simu_TOYO",
                              "Simu_DIC"};
  for (int i = 0; i < 6; ++i) Row(&t->simulation[i], simulation[i], i);
  Row(&t->destinationProf[0], "Dest_Auto", 0);
  const char* cmykGray[] = {"Simu_4Color", "Simu_BandG", "Simu_BlackOnly"};
  for (int i = 0; i < 3; ++i) Row(&t->cmykGray[i], cmykGray[i], i);
  std::memcpy(t->common, kCommonRows, sizeof kCommonRows);
  std::memcpy(t->colorSetting, kColorSettingRows, sizeof kColorSettingRows);
  std::memcpy(t->paperSourceTray, kPaperSourceTrayRows, sizeof kPaperSourceTrayRows);
  std::memcpy(t->mediaColumns, kMediaColumns, sizeof kMediaColumns);
}

bool ReadDispStringSection(QxdContext* ctx, const char* section, DispStringItem* table) {
  return LoadDispStringTable(ctx, section, table) != 0;
}

bool ReadDestinationList(QxdContext* ctx, DeviceTables* t, uint32_t kind) {
  const char* section;
  OptionItem* list;
  switch (kind) {
    case kColorText: section = "Text_Destination"; list = t->text.destination; break;
    case kColorImage: section = "Img_Destination"; list = t->image.destination; break;
    case kColorGraphics: section = "Graph_Destination"; list = t->graphics.destination; break;
    default: return false;
  }
  OptionItem copy[kObjectDestinationRows];
  std::memcpy(copy, list, sizeof copy);
  ListSection probe;
  if (!OpenListSection(ctx, section, &probe)) return false;
  std::memset(list, 0, sizeof copy);
  // The list stops at its capacity: the last row stays the terminator.
  return ForEachEntry(ctx, section, kObjectDestinationRows - 1,
                      [&](uint32_t i, const char* key, const char16_t* text) {
                        for (const OptionItem& row : copy) {
                          if (row.keyword[0] == '\0' || !QxdNameEquals(row.keyword, key)) continue;
                          Row(&list[i], row.keyword, static_cast<int32_t>(row.value),
                              text[0] != u'\0' ? text : row.text);
                          break;
                        }
                      });
}

void LoadDeviceTables(QxdContext* ctx, DeviceTables* t) {
  ReadDispStringSection(ctx, "Property_0", t->common);
  ReadDispStringSection(ctx, "Dlg_ColorSetting", t->colorSetting);
  const ColorSection sections[] = {
      {"RGBProf", t->rgbSingle, kRgbSingleRows, nullptr, 0, nullptr},
      {"Text_RGBProf", t->text.rgbFull, kRgbFullRows, kRgbSource, kColorText, t->text.rgbShort},
      {"Text_RGBColorMatch", t->text.colorMatch, kColorMatchRows, kColorMatch, kColorText, nullptr},
      {"Text_RGBGray", t->text.gray, kGrayRows, kGray, kColorText, nullptr},
      {"Text_Halftone", t->text.halftone, kHalftoneRows, kHalftone, kColorText, nullptr},
      {"Img_RGBProf", t->image.rgbFull, kRgbFullRows, kRgbSource, kColorImage, t->image.rgbShort},
      {"Img_RGBColorMatch", t->image.colorMatch, kColorMatchRows, kColorMatch, kColorImage, nullptr},
      {"Img_RGBGray", t->image.gray, kGrayRows, kGray, kColorImage, nullptr},
      {"Img_Halftone", t->image.halftone, kHalftoneRows, kHalftone, kColorImage, nullptr},
      {"Graph_RGBProf", t->graphics.rgbFull, kRgbFullRows, kRgbSource, kColorGraphics, t->graphics.rgbShort},
      {"Graph_RGBColorMatch", t->graphics.colorMatch, kColorMatchRows, kColorMatch, kColorGraphics, nullptr},
      {"Graph_RGBGray", t->graphics.gray, kGrayRows, kGray, kColorGraphics, nullptr},
      {"Graph_Halftone", t->graphics.halftone, kGraphHalftoneRows, kHalftone, kColorGraphics, nullptr},
      {"SimulationProf", t->simulation, kSimulationRows, nullptr, 0, nullptr},
      {"DestinationProf", t->destinationProf, kDestinationProfRows, nullptr, 0, nullptr},
      {"Simu_CMYKGray", t->cmykGray, kCmykGrayRows, nullptr, 0, nullptr},
  };
  for (const ColorSection& s : sections) {
    if (!ReadColorSection(ctx, s) && s.list == t->graphics.rgbFull) {
      // Without its section the graphics RGB source has no rows at all.
      Clear(t->graphics.rgbFull);
      Clear(t->graphics.rgbShort);
    }
  }
  if (ReadDispStringSection(ctx, "Dlg_PaperSourceTraySetting", t->paperSourceTray)) {
    for (const DispStringItem* r = t->paperSourceTray; r->controlIds[0] != 0 || r->keyword[0] != '\0'; ++r) {
      if (r->controlIds[0] != kTextOnlyRecord || r->text[0] == u'\0') continue;
      for (MediaListColumn& column : t->mediaColumns) {
        if (std::strncmp(column.keyword, r->keyword, sizeof column.keyword) == 0) {
          std::memcpy(column.title, r->text, sizeof column.title);
        }
      }
    }
  }
  ReadDestinationList(ctx, t, kColorText);
  ReadDestinationList(ctx, t, kColorImage);
  ReadDestinationList(ctx, t, kColorGraphics);
}
