// The columns of the media-type list view (what paper each input tray
// holds) and the rule that says which media attributes the media dialogs
// offer for editing, both decided by the model's feature switches.
#pragma once

#include <cstddef>
#include <cstdint>

struct ModelInfo;

struct MediaListColumn {
  char16_t title[48];
  char keyword[32];
};
inline constexpr size_t kMediaListColumns = 7;
enum MediaColumn : int { kColTray, kColSize, kColOrient, kColType, kColWeight, kColColor, kColHole };
// The process's table: Tray, Size, Orientation, Type, Weight, Color, Hole
// and an end row; start-up replaces the titles by the description's texts.
MediaListColumn* MediaListColumnTable();

// The model's switches that choose the columns.
struct MediaSwitches {
  uint32_t dialogType;  // "Dlg_MediaType": 1 to 3 for TYPE1 to TYPE3, 0 absent
  bool weight, color, prePunched;
};
MediaSwitches MediaSwitchesOf(const ModelInfo* model);

// The list view shows Tray, Size, Orientation and Type always; Weight
// unless TYPE2 or TYPE3, Color and Hole unless TYPE3, each only when the
// model enables its attribute.
bool MediaColumnAdmitted(int column, const MediaSwitches& s);
// Number of columns the list view shows.
int MediaColumnCount(const MediaSwitches& s);
// Whether the media dialogs offer the attribute of a column keyword for
// editing: never size or orientation; weight, colour and hole only when
// enabled; then TYPE1 all, TYPE2 all but weight, TYPE3 none of weight,
// colour and hole; without a dialog type nothing.
bool IsMediaTypeColumnShownBy(const char* keyword, const MediaSwitches& s);
