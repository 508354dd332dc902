// The feature table: every setting's feature keyword with its options, the
// control table that ties each feature to a dialog control, and the runtime
// feature table built from both at start-up, through whose rows the
// constraint engine reaches each feature's value.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/records/settings_records.h"

// --- Static feature table.
struct StaticFeatureRow {
  const char* keyword;
  OptionHead* options;  // null for the six features whose options the model gives
};
// 200 rows and an empty end row.
const StaticFeatureRow* StaticFeatureTable();
// The option table of a static row, or of a binding-edge keyword; null when none.
OptionHead* FindStaticOptionTable(const char* keyword);
// Chooses the options of "FrontCover_op" and "BackCover_op" by the model:
// the driver's own when "FCoverPrint" / "BCoverPrint" is "Driver", else
// those of the device.
void SelectCoverOptionTables(const ModelInfo* model);
// The cover options of "FrontCover_op" (back false) or "BackCover_op": the
// driver's own (device false) or those of a device that prints the covers.
OptionHead* CoverOptionTable(bool back, bool device);
// Any option table of the library by the name it was made under: the
// feature tables, the binding-edge tables and the tables of single
// dialogs (the stamp table "CPE_StringTYPE3_op", the date and time formats
// "DateFormat" and "TimeFormat").  Null when none.
OptionHead* FindOptionTable(const char* name);
// The "Nup_op" options: the standard table, or the variant that a plug-in
// host on Windows NT 4.0 is offered (the same rows, copied at start-up).
OptionHead* NupOptionTable(bool nt4Variant);
// The page orders of an N-up layout kind (GetNupLayoutKind): 0 and -1 left
// and right, 1 top and bottom, 2 the four corner orders of a grid.
OptionHead* NupOrderOptionTable(int layoutKind);
// Puts a table's built-in rows back (texts empty, every option listed), for
// a table that start-up rebuilds from the description; null when none.
OptionHead* RestoreOptionTable(const char* name);

// Rows with trailing data of their own (the sheets that draw them read it).
struct DuplexOptionItem {
  OptionItem base;
  uint32_t code;
  uint8_t enabled;
  uint8_t pad[3];
};
struct StampOptionItem {
  OptionItem base;
  uint8_t registered;   // 1: a stamp registered on the device
  uint8_t pad[3];
};
// The header/footer device settings ("HFE_SelectDevSetting"): a row shows
// the name the device gave the setting when it gave one.
struct HeaderFooterOptionItem {
  OptionItem base;
  uint8_t deviceName;   // 1: the text is the device's name of the setting
  uint8_t pad[3];
};
inline constexpr const char* kHeaderFooterDevTable = "HFE_SelectDevSetting";
// The header/footer device-setting rows as the description file named
// them: kept when their texts are loaded, so that a device's names can be
// put back (rows up to and with the empty end row).
void KeepLoadedHeaderFooterRows();
const HeaderFooterOptionItem* LoadedHeaderFooterRows();
struct NupOptionItem {
  OptionItem base;
  uint16_t stringId;    // the common user interface's N-up text, 0 for posters
  uint16_t pad;
};

// --- Control table.
struct FeatureControlItem {
  uint32_t pageIds[10];     // dialog templates the control lives on; 0 ends
  uint32_t controlId;
  uint32_t kind;            // 1 drop list, 2 list box, 3 radio button, 4 number edit,
                            // 5 check box, 6 push button, 7 per-page column, 8 list view
  char keyword[32];
  char option[32];          // option keyword of a radio-button row
  uint32_t stopIconId;
  uint32_t companions[10];
  uint32_t deviceDependent;
};
static_assert(sizeof(FeatureControlItem) == 160);
static_assert(offsetof(FeatureControlItem, keyword) == 48);
static_assert(offsetof(FeatureControlItem, stopIconId) == 112);
static_assert(offsetof(FeatureControlItem, deviceDependent) == 156);

inline constexpr uint32_t kControlRowCount = 377;  // and an empty end row
// The process's control table (writable: the binding-edge row's keyword changes).
FeatureControlItem* FeatureControlTable();

// --- Runtime feature table.
enum FieldKind : uint32_t {
  kFieldU32 = 1, kFieldByte = 4, kFieldI16 = 5, kFieldU16 = 6, kFieldU32b = 7, kFieldU32c = 8,
  kFieldSByte = 9, kFieldU32ReadOnly = 10,
};

struct FeatureEntry {
  uint32_t controlId;
  uint32_t companions[10];
  uint32_t stopIconId;      // 0 when the model lacks the feature
  uint32_t pageIds[10];
  uint32_t kind;
  char16_t keyword[32];
  char16_t option[32];
  uint32_t deviceRow;       // made from a device option
  uint32_t deviceDependent;
  void* field;              // bound by BindFeatureFields
  uint32_t fieldKind;
  int32_t pendingValue;     // -1 when none
  uint32_t locked;
  uint32_t available;
  OptionHead* options;
};
static_assert(offsetof(FeatureEntry, stopIconId) == 44);
static_assert(offsetof(FeatureEntry, kind) == 88);
static_assert(offsetof(FeatureEntry, keyword) == 92);
static_assert(offsetof(FeatureEntry, deviceRow) == 220);

// Row numbers the constraint engine looks up once.
struct FeatureSpecialRows {
  uint32_t paperSize, outPaperSize, userPaperWidth, userPaperLength, outUserPaperWidth,
      outUserPaperLength, resolution, stapleOp, holePunchOp, perPageListStaple, perPageListHolePunch,
      colAdjSmoothing, headerFooter;
  uint32_t bindingEdge;     // found on first use; 0 searches again
};
FeatureSpecialRows& SpecialFeatureRows();

// Builds the runtime table (one row per control row, the "OptionSetting"
// row expanded to one row per device option).  Null when memory is short.
FeatureEntry* BuildFeatureTable(const FeatureControlItem* controls, const DeviceOptionItem* deviceOptions,
                                const ModelInfo* model);
void FreeFeatureTable(FeatureEntry* table);
uint32_t FeatureStopIconId(const FeatureControlItem& control, const ModelInfo* model);

// Chooses the binding-edge keyword by the model and the settings; 0 for
// null settings.
int AdjustBindingEdgeFeatures(const ModelInfo* model, const DocDMode* doc, FeatureEntry* table);
// 1 when `keyword` is one of the three binding-edge keywords (whole text,
// case ignored), which then names the binding-edge rows; else 0.
int SetBindingEdgeKeyword(FeatureEntry* table, const char* keyword);

// Installs the session paper lists as the options of "PaperSize" and
// "OutPaperSize" (each only when given), or puts the model's lists back.
void InstallSessionPaperLists(FeatureEntry* table, const void* paperList, const void* outPaperList);
void RestoreModelPaperLists(FeatureEntry* table, const ModelInfo* model);

// Reads a feature entry's keyword as ASCII.
void FeatureKeyword(const FeatureEntry& entry, char* out, size_t capacity);

// The process's runtime feature table, built when the procedure library is
// attached from the control table, the model's device options and the model
// record, and freed when it is detached.
extern FeatureEntry* g_featureTable;
