#include "common/media/media_columns.h"

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_reader.h"

MediaListColumn* MediaListColumnTable() {
  static MediaListColumn table[kMediaListColumns + 1] = {
      {u"Tray", "MediaTypeList_Tray"},      {u"Size", "MediaTypeList_Size"},
      {u"Orientation", "MediaTypeList_Orient"}, {u"Type", "MediaTypeList_Type"},
      {u"Weight", "MediaTypeList_Weight"},  {u"Color", "MediaTypeList_Color"},
      {u"Hole", "MediaTypeList_Hole"},      {u"", ""},
  };
  return table;
}

MediaSwitches MediaSwitchesOf(const ModelInfo* model) {
  if (model == nullptr) return {};
  const uint32_t* f = model->features;
  return {f[kMfMediaTypeDlgType], f[kMfMediaWeight] != 0, f[kMfMediaColor] != 0, f[kMfMediaPrePunched] != 0};
}

bool MediaColumnAdmitted(int column, const MediaSwitches& s) {
  switch (column) {
    case kColTray:
    case kColSize:
    case kColOrient:
    case kColType: return true;
    case kColWeight: return s.dialogType != 2 && s.dialogType != 3 && s.weight;
    case kColColor: return s.dialogType != 3 && s.color;
    case kColHole: return s.dialogType != 3 && s.prePunched;
    default: return false;
  }
}

int MediaColumnCount(const MediaSwitches& s) {
  int n = 0;
  for (int c = 0; c < static_cast<int>(kMediaListColumns); ++c) n += MediaColumnAdmitted(c, s) ? 1 : 0;
  return n;
}

bool IsMediaTypeColumnShownBy(const char* keyword, const MediaSwitches& s) {
  if (keyword == nullptr) return false;
  if (QxdNameEquals(keyword, "MediaTypeList_Size") || QxdNameEquals(keyword, "MediaTypeList_Orient")) return false;
  const bool weight = QxdNameEquals(keyword, "MediaTypeList_Weight");
  const bool color = QxdNameEquals(keyword, "MediaTypeList_Color");
  const bool hole = QxdNameEquals(keyword, "MediaTypeList_Hole");
  if ((weight && !s.weight) || (color && !s.color) || (hole && !s.prePunched)) return false;
  switch (s.dialogType) {
    case 1: return true;
    case 2: return !weight;
    case 3: return !weight && !color && !hole;
    default: return false;
  }
}
