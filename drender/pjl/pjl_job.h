// What the PJL job header is made from: the job's settings, the model, the
// fax and per-page data of the job, the walk's own state and the ways out
// (the line writer, text conversions and the password decipherer).  The
// Windows layer (pjl_start_commands_win.cpp) fills one from the PDEV; the
// tests fill one by hand.  Nothing here needs a Windows interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/records/fax_send_block.h"
#include "common/records/inter_sheet_list.h"
#include "common/records/settings_records.h"
#include "drender/model/color_setting_command.h"
#include "drender/pjl/pjl_templates.h"

// Model values the header needs beyond the model record's lists.
struct PjlModelValues {
  uint32_t commandFamily;        // 1: the family with "DateStamp", "PageStamp", "Numbering"
  uint8_t cipherMethod;          // 1 AES, 2 DES, 0 none (MachineEncryption)
  uint8_t cipherOutput;          // 1 hexadecimal text, 2 raw bytes
  bool encryptionKeyEnabled;     // EncryptionKey "Enable"
  bool edgeType, paperOption1, printPosition, deviceImageShift, perTrayMedia, paperArrangement;
  bool glossyMode, headerFooterStamps, dateStampWithoutHeaderFooter, interimAuthentication;
  bool perPagePunch, tabSheetsArePages;
  uint32_t customSizeKind;       // 2: "OutPaperCustomXYI"
  bool driverBooklet, driverImageShift, driverFrontCover, driverBackCover, driverOhp;
  bool accessNumberA, accessNumberB;
  uint32_t languageId;
};

// Writes one finished line; 1 on success.
using PjlWriteFn = uint32_t (*)(void* target, const void* bytes, uint32_t length);
// UTF-16 text (at most `count` units, stops at a NUL) into `out` as UTF-8
// (`utf8`) or in the system's ANSI code page; the result is terminated when
// it is shorter than `size`.  Returns 0 when nothing was converted.
using PjlWideFn = uint32_t (*)(const char16_t* text, size_t count, bool utf8, char* out, size_t size);
// A narrow ANSI text as UTF-8; same rules.
using PjlAnsiToUtf8Fn = uint32_t (*)(const char* text, char* out, size_t size);
// Deciphers `length` stored bytes in place (`buffer` holds `size` bytes)
// with the description's password method, or with AES whatever the method
// when `aes`; returns the plain length and terminates the text.
using PjlDecipherFn = uint32_t (*)(void* context, uint8_t* buffer, uint32_t length, uint32_t size, bool aes);

struct PjlJob {
  // Settings.
  const DocDMode* doc;
  const DevDMode* device;
  const ModelInfo* model;                // may be null
  const DeviceOptionItem* deviceOptions;  // may be null
  PjlModelValues values;
  const CommandTemplateList* startCommands;  // may be null: nothing is written
  const ColorSettingCommand* colorCommands;  // the colour-setting command table, may be null
  // Job data from the document start.
  const char16_t* userName;    // user of the job (already resolved), may be null
  const char16_t* jobName;     // document name, may be null
  const char* driverJobId;     // job identifier text, may be null
  bool haveTimer;
  uint16_t timer[5];           // year, month, day, hour, minute
  const FaxSendBlock* fax;     // null when no fax block was sent
  bool perRecipient;           // the cover sheet addresses each recipient
  uint32_t replayDestination;  // destination of this replay
  uint8_t sheetOrientation;    // of a job laid out by the driver; 0: the settings' own
  const uint8_t* interSheetEntries;  // InterSheetEntry rows, may be null
  uint32_t interSheetCount;
  uint32_t tabCount;
  // Walk state.
  uint32_t currentDestination;
  uint32_t currentControl;
  bool perPageActive;          // the job's per-page table is the current one
  uint32_t currentEntry;
  std::vector<std::string> entryTexts;  // page-list texts of the per-page entries
  std::vector<int32_t> entryKinds;
  uint32_t collateCopies;      // set by the "Collate" row, 0 when not set
  // Ways out.
  PjlWriteFn write;
  void* writeTarget;
  PjlWideFn wide;
  PjlAnsiToUtf8Fn ansiToUtf8;
  PjlDecipherFn decipher;
  void* decipherContext;
  const char* keyText;         // a device key text chosen by the caller, or null (see pjl_cipher.h)
};

// Conversions without the Windows code pages (UTF-16 to UTF-8; "ANSI"
// taken as Latin-1, other characters "?"), for tests and as defaults.
uint32_t Pjl_PortableWide(const char16_t* text, size_t count, bool utf8, char* out, size_t size);
uint32_t Pjl_PortableAnsiToUtf8(const char* text, char* out, size_t size);

// Typed reads of the document settings at their stored offsets.
uint8_t Pjl_DocByte(const PjlJob* job, uint32_t at);
int8_t Pjl_DocI8(const PjlJob* job, uint32_t at);
uint16_t Pjl_DocU16(const PjlJob* job, uint32_t at);
int16_t Pjl_DocI16(const PjlJob* job, uint32_t at);
uint32_t Pjl_DocU32(const PjlJob* job, uint32_t at);
const uint8_t* Pjl_DocPtr(const PjlJob* job, uint32_t at);
// The job's FaxSetting: the fax block's when sent, else the settings'.
const FaxSetting* Pjl_FaxSetting(const PjlJob* job);
// Destinations of the fax block, clamped to 100; 0 without a block.
uint32_t Pjl_FaxDestinationCount(const PjlJob* job);
// The device option record of the job.
const DevOption* Pjl_DevOption(const PjlJob* job);
