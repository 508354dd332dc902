// The fax records that travel from the fax sheet and the destination popup
// to the render core: the fax part of the document settings (`FaxSetting`),
// one destination (`FaxRecipientEntry`) and the block that carries a job's
// fax parameters between the libraries (`FaxSendBlock`, the payload of the
// private escapes that store and return it).
//
// Byte-packed, little-endian, UTF-16 texts NUL-terminated inside their
// arrays; the same layout in the 32-bit and the 64-bit build.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/settings_records.h"

inline constexpr uint32_t kFaxSettingSize = 94;
inline constexpr uint32_t kFaxSettingDocAt = 6010;  // place inside DocDMode
inline constexpr uint32_t kFaxRecipientEntrySize = 652;
inline constexpr uint32_t kFaxMaxRecipients = 100;
inline constexpr uint32_t kFaxCoverSheetDataSize = 3746;
inline constexpr uint32_t kFaxSendBlockSize = 69042;
// Two bytes of the cover-sheet data that decide whether a job is sent once
// per destination: the recipient mode (0 standard, 1 details) and the
// recipient setting (1 one cover sheet per destination).
inline constexpr uint32_t kFaxCoverRecipientModeAt = 1508;
inline constexpr uint32_t kFaxCoverRecipientSettingAt = 1576;

#pragma pack(push, 1)

struct FaxSetting {
  uint8_t fgPrtRecFile;      // print the recipient file after sending
  uint8_t fgTimerSend;       // delayed sending at bySendHour:bySendMinute
  uint8_t bySendHour;        // 0-23
  uint8_t bySendMinute;      // 0-59
  uint8_t fgSubAddress;
  uint8_t pad5;
  char16_t szSubAddress[21];  // digits only, at most 20
  uint8_t fgSendID;
  uint8_t pad49;
  char16_t szSendID[21];     // 0-9, "#" and "*", at most 20
  uint8_t fgFaxCoverSheet;   // a cover sheet goes in front of the document
  uint8_t pad93;
};
static_assert(sizeof(FaxSetting) == kFaxSettingSize);
static_assert(offsetof(FaxSetting, szSubAddress) == 6);
static_assert(offsetof(FaxSetting, fgSendID) == 48);
static_assert(offsetof(FaxSetting, szSendID) == 50);
static_assert(offsetof(FaxSetting, fgFaxCoverSheet) == 92);
static_assert(kFaxSettingDocAt >= kDocDModeSettingsAt &&
              kFaxSettingDocAt + kFaxSettingSize <= kDocDModeChecksumAt);

struct FaxRecipientEntry {
  char16_t szName[81];
  char16_t szFaxNumber[81];  // compared by exact text
  char16_t szCompany[81];
  char16_t szDepartment[81];
  uint8_t fgECM;
  uint8_t fgIntTransMode;
  uint8_t fgV34Mode;
  uint8_t pad651;
};
static_assert(sizeof(FaxRecipientEntry) == kFaxRecipientEntrySize);
static_assert(offsetof(FaxRecipientEntry, szFaxNumber) == 162);
static_assert(offsetof(FaxRecipientEntry, szCompany) == 324);
static_assert(offsetof(FaxRecipientEntry, szDepartment) == 486);
static_assert(offsetof(FaxRecipientEntry, fgECM) == 648);
static_assert(offsetof(FaxRecipientEntry, fgIntTransMode) == 649);
static_assert(offsetof(FaxRecipientEntry, fgV34Mode) == 650);

struct FaxSendBlock {
  FaxSetting faxSetting;                              // byte 0
  uint16_t wRecipientCount;                           // byte 94, at most 100
  FaxRecipientEntry recipients[kFaxMaxRecipients];    // byte 96
  uint8_t coverSheet[kFaxCoverSheetDataSize];         // byte 65296
};
static_assert(sizeof(FaxSendBlock) == kFaxSendBlockSize);
static_assert(offsetof(FaxSendBlock, wRecipientCount) == 94);
static_assert(offsetof(FaxSendBlock, recipients) == 96);
static_assert(offsetof(FaxSendBlock, coverSheet) == 65296);

#pragma pack(pop)
