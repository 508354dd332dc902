// Easy Set records made from settings and from settings documents: the
// header of this driver, the text of a record (the settings document of
// the Easy Set rendered as UTF-16) and the records of the description
// file's presets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/records/easy_set_record.h"
#include "common/records/settings_records.h"
#include "common/records/watermark_info.h"
#include "dproc/easyset/easy_set_list.h"
#include "dproc/saved/settings_serializer.h"

// What a record says of the driver that made it.
struct EasySetDriverFacts {
  std::u16string driverName;
  std::u16string version;
  std::u16string system;
  std::u16string language;
};

// A header of this driver's format with these texts (each cut to its field)
// and the default restore options.
EasySetHeader MakeEasySetHeader(const EasySetDriverFacts& facts, std::u16string_view name,
                                std::u16string_view comment);

// The watermark lists a record carries.
struct EasySetWatermarks {
  std::vector<WaterMarkInfo> publicMarks;
  std::vector<WaterMarkInfo> privateMarks;
  std::vector<WMOrderEntry> order;
};

// A record of `settings` with `header` (its restore options, protected and
// icon fields as given) and the watermark lists; null when the document
// cannot be written.
EasySetNode* BuildEasySetFromSettings(const EasySetHeader& header, const DocDMode& settings,
                                      const EasySetWatermarks& marks, const AnsiCodec& codec);
// A record whose header is read from the document's "DriverInfo" and
// "EasySetName" (default restore options, not protected, no icon) and whose
// text is the document; null when the document names no such header.
EasySetNode* EasySetNodeFromDoc(IniDoc& doc);
// A new record with the node's header (its name and comment written into
// the text); the node itself is left as it is.  Null when its text does not
// parse.
EasySetNode* RefreshEasySetText(const EasySetNode& node);

// Texts equal without regard to ASCII case.
bool EasySetTextEqualNoCase(std::u16string_view a, std::u16string_view b);

// The name and comment of a preset from the description file, and the
// record of a preset's settings file: the file's name and comment, or the
// preset's where the file has none (the language then the user's, the
// watermark texts those of the built-in table); its "OEMDEV" over the
// built-in defaults with every group.  Null when the file's sections
// cannot be read.
struct EasySetPreset {
  std::string key;
  std::u16string name;
  std::u16string comment;
};
EasySetNode* BuildPresetEasySet(IniDoc& file, const EasySetPreset& preset, const DocDMode& defaults,
                                std::u16string_view userLanguage, const WaterMarkInfo* builtInMarks,
                                size_t builtInCount, const AnsiCodec& codec, DocDMode* settingsOut);
// The comment text of a preset as the description file keeps it: "\n" a
// line break (CR LF), "\r" dropped, "\\" one backslash, a backslash before
// anything else dropped, a last backslash kept; at most 255 characters, and
// a line break that would reach past the 254th ends the text.
std::u16string UnescapePresetComment(std::u16string_view text);

// What the import of an Easy Set file says of its header, in the order it
// is checked: another format version or language (the message row 89),
// another model (256), another platform (87), another driver version (88,
// which the user may accept); kEasySetFileFits when none.
enum EasySetFileCheck : int {
  kEasySetFileFits = 0,
  kEasySetFileNotOurs = 89,
  kEasySetFileOtherModel = 256,
  kEasySetFileOtherSystem = 87,
  kEasySetFileOtherVersion = 88,
};
EasySetFileCheck CheckEasySetFile(const EasySetHeader& file, const EasySetDriverFacts& driver);
