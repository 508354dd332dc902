// The colour option lists of the quality dialogs, read from the description
// file at start-up: the colour settings, the source, simulation and
// destination profiles, colour matching, grey and halftone per object kind,
// and the colour destinations.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_rows.h"
#include "common/qxd/qxd_reader.h"

// "ColorSetting": nine options and the end row.
inline constexpr size_t kColorSettingRows = 10;
extern OptionItem g_colorSettingList[kColorSettingRows];

enum ColorProfileList : size_t {
  kListRgbProf,
  kListTextRgbProf, kListTextColorMatch, kListTextGray, kListTextHalftone,
  kListImgRgbProf, kListImgColorMatch, kListImgGray, kListImgHalftone,
  kListGraphRgbProf, kListGraphColorMatch, kListGraphGray, kListGraphHalftone,
  kListSimulationProf, kListDestinationProf, kListSimuCmykGray,
  kColorProfileListCount
};
// How a list's option values are found.
enum class ColorValueKind { Position, Profile, ColorMatch, Gray, Halftone };
struct ColorProfileListSpec {
  const char* section;
  ColorValueKind values;
  size_t rows;          // capacity, the end row included
  OptionItem* list;
};
extern const ColorProfileListSpec kColorProfileLists[kColorProfileListCount];

// The first two source profiles of the text, image and graphics lists.
inline constexpr size_t kShortProfileRows = 3;
extern OptionItem g_textRgbProfShort[kShortProfileRows];
extern OptionItem g_imgRgbProfShort[kShortProfileRows];
extern OptionItem g_graphRgbProfShort[kShortProfileRows];

// Colour destinations of text (kind 1), images (2) and graphics (4): one
// option and the end row each.
inline constexpr size_t kColorDestinationRows = 2;
extern OptionItem g_textDestinationList[kColorDestinationRows];
extern OptionItem g_imgDestinationList[kColorDestinationRows];
extern OptionItem g_graphDestinationList[kColorDestinationRows];

// Value of `keyword` in the built-in table of that kind (ASCII case
// ignored), 0 when the table has no such keyword.
uint32_t BuiltInColorValue(ColorValueKind kind, const char* keyword);

// "ColorSetting".
void LoadColorSettingList(QxdContext* ctx);
// The profile sections in their order; each list is cleared first and cut
// at its capacity.
void LoadColorProfileLists(QxdContext* ctx);
// 1 when the section of `kind` (1, 2 or 4) was read into its list; 0 for
// another kind or a missing section.
int LoadColorDestinationList(QxdContext* ctx, int kind);
