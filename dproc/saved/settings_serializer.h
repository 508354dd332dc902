// The two-way mapping between the driver's settings records and a settings
// document: one code path per section, writing the records into the
// document or reading them back.  Every key is named after the field it
// carries, so a settings file is a readable dump of the document settings
// ("OEMDEV"), the watermark lists, the device options and the user papers.
//
// Whole settings files carry twelve sections; the text of an Easy Set the
// first six, without the key that only whole files carry.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "common/records/easy_set_record.h"
#include "common/records/settings_records.h"
#include "common/records/watermark_info.h"
#include "dproc/model/user_paper_list.h"
#include "dproc/saved/ini_document.h"

// What a list read from a file may hold at most: what the sheet session,
// the watermark dialogs and the records take.
inline constexpr uint32_t kMaxPublicWatermarks = 30;
inline constexpr uint32_t kMaxPrivateWatermarks = 20;
inline constexpr uint32_t kMaxWatermarkOrder = 50;

// The working record of the section functions.
struct SettingBundle {
  EasySetHeader header{};           // "DriverInfo", "EasySetName" and the restore options
  DocDMode* doc = nullptr;          // read into or written from; not owned
  std::vector<WaterMarkInfo> publicMarks;
  std::vector<WaterMarkInfo> privateMarks;
  std::vector<WMOrderEntry> order;
  DevOption devOption{};
  UserPaperList userPapers{};
};

enum class XferDirection { kRead = 0, kWrite = 1 };

// The name and comment a preset gives an Easy Set whose text has none.
struct EasySetPresetNames {
  std::u16string_view name;
  std::u16string_view comment;
};

// The restore options every whole settings file is read with: all set.
inline constexpr uint8_t kRestoreAll[4] = {1, 1, 1, 1};

// Each section function attempts every key of its section, in order, and
// returns false when any failed (a refused argument, or a narrow text that
// does not fit its field); the records keep every value read.  A key
// missing from the document is no failure: an integer reads as 0, a wide
// text leaves its field, a narrow text empties it.
bool XferSettingFile(XferDirection dir, IniDoc& doc, SettingBundle& bundle, const AnsiCodec& codec);
bool XferEasySetSections(XferDirection dir, IniDoc& doc, SettingBundle& bundle, const AnsiCodec& codec);

bool XferDriverInfo(XferDirection dir, IniDoc& doc, const EasySetPresetNames* preset, EasySetHeader& header,
                    bool* usedPreset);
// `restore` holds the first four restore option bytes (reading only).
bool XferOEMDEV(XferDirection dir, IniDoc& doc, bool fullFile, DocDMode& settings, const uint8_t restore[4],
                const AnsiCodec& codec);
bool XferWatermarkList(bool publicList, XferDirection dir, IniDoc& doc, SettingBundle& bundle,
                       const uint8_t restore[4], const AnsiCodec& codec);
bool XferWatermarkOrder(XferDirection dir, IniDoc& doc, SettingBundle& bundle, const uint8_t restore[4]);
bool XferDeviceOption(XferDirection dir, IniDoc& doc, SettingBundle& bundle);
bool XferSourceTraySetting(XferDirection dir, IniDoc& doc, SettingBundle& bundle);
bool XferAcquisitionSetting(XferDirection dir, IniDoc& doc, SettingBundle& bundle);
bool XferInitialSetting(XferDirection dir, IniDoc& doc, SettingBundle& bundle);
bool XferVistrel(XferDirection dir, IniDoc& doc, SettingBundle& bundle);
bool XferCustomPaper(XferDirection dir, IniDoc& doc, SettingBundle& bundle);

// Reads an Easy Set's text into `settings` with the Easy Set's restore
// options: a new bundle holding the node's header and the watermark lists of
// the text, or null when the text does not parse or a key fails (the
// settings then keep what was read).  A monochrome driver's settings stay
// monochrome whatever the text says.
std::unique_ptr<SettingBundle> LoadEasySetFromText(const EasySetNode& node, DocDMode* settings, bool monoDriver,
                                                   const AnsiCodec& codec);

// The file's format version, model and language against the driver's, in
// this order: 13 for a version other than 1, 10 for another model (exact),
// 11 for another language (without regard to ASCII case); 0 when they agree.
uint32_t CheckSettingFileHeader(const EasySetHeader& fileHeader, std::u16string_view driverName,
                                std::u16string_view languageCode);
