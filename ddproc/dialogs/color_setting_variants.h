// The Colour Setting dialog's variants and the rules they share: the lists
// and check boxes every template may hold, with the settings field each
// edits; which of them a template serves, its hint page, help context and
// the messages it answers; and how a list's choice becomes the field's
// value and profile record (a built-in entry, or a copy of a profile
// resident in the printer).
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_rows.h"
#include "common/records/color_profile_entries.h"
#include "common/records/color_profile_record.h"
#include "common/records/doc_fields.h"
#include "ddproc/model/device_tables.h"

// What a list holds and how it selects and stores its field.
enum class ColorListKind : uint8_t {
  kOption,          // colour matching, grey treatment, halftone: no selection when no row matches
  kRgbSource,       // an object's RGB source: built-in rows, then resident profiles (256 + index)
  kSingle,          // one RGB source for every object, CMYK grey: first entry stored when none matches
  kDestination,     // 0, or a resident destination profile (item k is profile k - 1, field 128)
  kSimulation,      // built-in rows 0..5, then resident simulation profiles (field 128)
};

enum class ColorObject : uint8_t { kNone, kText, kImage, kGraphics };

// The option list a control fills from the device library's tables.
enum class ColorListSource : uint8_t {
  kRgb, kMatch, kGray, kHalftone, kObjectDestination, kRgbSingle, kSimulation, kDestinationProf, kCmykGray
};

struct ColorListControl {
  int label, list, stop;
  ColorListKind kind;
  ColorObject object;
  ColorListSource source;
  uint32_t field;   // byte offset of the field in the document settings
  uint8_t width;    // 1 or 2 bytes
  uint32_t record;  // offset of the field's profile record, 0 for none
};

struct ColorCheckControl {
  int check, stop;
  uint32_t field;
};

// Every list and check box of the family; a variant serves a subset.
inline constexpr size_t kColorListControls = 19;
const ColorListControl* ColorListControls();
inline constexpr size_t kColorCheckControls = 4;
const ColorCheckControl* ColorCheckControls();
const ColorListControl* FindColorListControl(int listId);

// The graphics radio buttons ("Graphics": 1 like images, 0 like text).
inline constexpr int kGraphicsLikeImage = 1477;
inline constexpr int kGraphicsLikeText = 1475;
inline constexpr int kMatchPaperColorCheck = 1526;
inline constexpr int kManageProfilesButton = 1528;
inline constexpr int kDownloadManagerButton = 1393;
inline constexpr int kColorHintLine = 1069;
inline constexpr uint32_t kProfilesChangedMessage = 1124;

// How a template answers WM_ACTIVATE and message 1124.
enum class ColorActivate : uint8_t { kNone, kRefillCheckRefresh, kCheckRefresh, kCheckReselectHalftones };
enum class ColorRefill : uint8_t { kNone, kRefillRefresh, kRefillRefreshGraphics };
enum class ColorLock : uint8_t { kAll, kAllButTextRgbLabel, kListsRadiosDefault };

struct ColorSettingVariant {
  int32_t templateId;
  uint32_t hintPageId;
  uint32_t helpContext;
  uint32_t lists;          // bit i: ColorListControls()[i] is served
  uint32_t checks;         // bit i: ColorCheckControls()[i] is served
  bool graphicsRadios;
  bool residentRgb;        // the RGB source lists offer resident profiles
  bool rgbRecords;         // an RGB source choice also writes its record
  bool edgesImmediate;     // edge check boxes change at once (else at OK)
  bool profileButtons;     // Manage Profiles and Download Manager
  ColorActivate activate;
  ColorRefill refill;
  ColorLock lock;
};

// The variant of a template; for 123 the colour-setting type of the model
// chooses between its two variants.  Null for another id.
const ColorSettingVariant* ColorSettingVariantFor(int32_t templateId, uint32_t colorSettingType);
inline bool VariantServesList(const ColorSettingVariant& v, size_t index) { return (v.lists >> index & 1) != 0; }
inline bool VariantServesCheck(const ColorSettingVariant& v, size_t index) { return (v.checks >> index & 1) != 0; }

// The option rows a list fills (up to the first empty keyword); `full`
// chooses an object's full RGB source list over its short one.
const OptionItem* ColorListRows(const DeviceTables& tables, const ColorListControl& c, bool full);

// The first value resident profiles take in a list of this kind: 256 for
// RGB sources, 128 for simulation and destination profiles.
int32_t ResidentBase(ColorListKind kind);

// Reads and writes a field of the given width.
int32_t ReadColorField(const DocDMode& doc, uint32_t field, uint8_t width);
void WriteColorField(DocDMode& doc, uint32_t field, uint8_t width, int32_t value);
ColorProfileRecord* ColorRecordAt(DocDMode& doc, uint32_t record);

