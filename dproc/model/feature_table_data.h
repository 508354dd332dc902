// The compact text of the built-in feature vocabulary (see
// feature_table_data.cpp); feature_table.cpp expands it into rows.
#pragma once

#include <cstdint>

namespace featuredata {

inline constexpr uint32_t kFeatureKeywordCount = 200;
inline constexpr uint32_t kOnOffFeatureCount = 78;

struct OptionTableText {
  const char* feature;
  const char* options;  // "keyword=value keyword=value ..."
};
struct ControlGroupText {
  const char* pages;    // page ids separated by blanks
  const char* rows;     // "feature=control" or "feature/option=control", blank separated
};

extern const char* const kFeatureKeywords[];
extern const char* const kOnOffFeatures[];
extern const OptionTableText kOptionTables[];
extern const uint32_t kOptionTableCount;
extern const OptionTableText kBindingEdgeTables[3];
extern const OptionTableText kDeviceCoverTables[2];
extern const OptionTableText kStampTable;
extern const OptionTableText kDateTimeFormatTables[2];
extern const OptionTableText kNupVariantTable;
extern const OptionTableText kNupOrderTables[3];
extern const ControlGroupText kControlGroups[];
extern const uint32_t kControlGroupCount;

}  // namespace featuredata
