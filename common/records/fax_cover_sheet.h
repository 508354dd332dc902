// The fax cover-sheet record: the stored set it came from, the cover size
// and the four parts the setting dialog's pages edit (Basic, Recipient,
// Sender, Image).  The same bytes go to the per-user store, into the fax send
// block and to the cover-page drawing, so the layout is binding, padding
// included.
//
// Byte-packed, little-endian, UTF-16 texts NUL-terminated inside their
// arrays; the same layout in the 32-bit and the 64-bit build.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/fax_send_block.h"

inline constexpr uint32_t kFcsBasicPartSize = 1464;
inline constexpr uint32_t kFcsRecipientPartSize = 724;
inline constexpr uint32_t kFcsSenderPartSize = 984;
inline constexpr uint32_t kFcsImagePartSize = 530;
inline constexpr uint32_t kFcsSetNameChars = 21;   // 20 characters and the terminator
inline constexpr uint32_t kFcsDateFormCount = 9;   // date formats 0..8
inline constexpr uint16_t kFcsPagesMin = 1, kFcsPagesMax = 9999;
inline constexpr uint16_t kFcsZoomMin = 50, kFcsZoomMax = 800;
inline constexpr uint16_t kFcsPosMin = 1, kFcsPosMax = 100;

#pragma pack(push, 1)

struct FcsBasicPart {
  uint8_t byStyle;           // layout style 0..3
  uint8_t fgSubject;
  char16_t szSubject[65];
  uint8_t fgDate;
  uint8_t byDateMode;        // 0 a formatted date, 1 the free text szDate
  uint8_t byDateForm;        // 0..8
  uint8_t pad135;
  char16_t szDate[21];
  uint8_t fgPages;
  uint8_t pad179;
  uint16_t wPages;           // 1..9999 while fgPages is on
  char16_t szComment[641];   // lines separated by CR LF
};
static_assert(sizeof(FcsBasicPart) == kFcsBasicPartSize);
static_assert(offsetof(FcsBasicPart, szSubject) == 2);
static_assert(offsetof(FcsBasicPart, fgDate) == 132);
static_assert(offsetof(FcsBasicPart, byDateMode) == 133);
static_assert(offsetof(FcsBasicPart, byDateForm) == 134);
static_assert(offsetof(FcsBasicPart, szDate) == 136);
static_assert(offsetof(FcsBasicPart, fgPages) == 178);
static_assert(offsetof(FcsBasicPart, wPages) == 180);
static_assert(offsetof(FcsBasicPart, szComment) == 182);

struct FcsRecipientPart {
  uint8_t byRecipientMode;     // 0 standard title, 1 details
  uint8_t pad1;
  char16_t szTitle[33];
  uint8_t byRecipientSetting;  // 0 all destinations, 1 one sheet each, 2 the four lines
  uint8_t fgCompany;
  char16_t szCompany[81];
  uint8_t fgDepartment;
  uint8_t pad233;
  char16_t szDepartment[81];
  uint8_t fgName;
  uint8_t pad397;
  char16_t szName[81];
  uint8_t fgFaxNumber;
  uint8_t pad561;
  char16_t szFaxNumber[81];
};
static_assert(sizeof(FcsRecipientPart) == kFcsRecipientPartSize);
static_assert(offsetof(FcsRecipientPart, szTitle) == 2);
static_assert(offsetof(FcsRecipientPart, byRecipientSetting) == 68);
static_assert(offsetof(FcsRecipientPart, fgCompany) == 69);
static_assert(offsetof(FcsRecipientPart, szCompany) == 70);
static_assert(offsetof(FcsRecipientPart, fgDepartment) == 232);
static_assert(offsetof(FcsRecipientPart, szDepartment) == 234);
static_assert(offsetof(FcsRecipientPart, fgName) == 396);
static_assert(offsetof(FcsRecipientPart, szName) == 398);
static_assert(offsetof(FcsRecipientPart, fgFaxNumber) == 560);
static_assert(offsetof(FcsRecipientPart, szFaxNumber) == 562);

// One sender line: its switch and its text.
struct FcsSenderLine {
  uint8_t fgOn;
  uint8_t pad1;
  char16_t szText[81];
};
static_assert(sizeof(FcsSenderLine) == 164);

enum FcsSenderLineIndex : uint32_t {
  kFcsSenderCompany, kFcsSenderDepartment, kFcsSenderName,
  kFcsSenderPhone, kFcsSenderFaxNumber, kFcsSenderEMail, kFcsSenderLines
};

struct FcsSenderPart {
  FcsSenderLine lines[kFcsSenderLines];  // in the order of FcsSenderLineIndex
};
static_assert(sizeof(FcsSenderPart) == kFcsSenderPartSize);

struct FcsImagePart {
  uint8_t fgPasteImage;
  uint8_t pad1;
  char16_t szImageFile[260];  // a .BMP or .DIB file
  uint8_t fgZoom;
  uint8_t pad523;
  uint16_t wZoom;             // 50..800 percent
  uint16_t wPosX;             // 1..100 percent of the page width
  uint16_t wPosY;             // 1..100 percent of the page height
};
static_assert(sizeof(FcsImagePart) == kFcsImagePartSize);
static_assert(offsetof(FcsImagePart, szImageFile) == 2);
static_assert(offsetof(FcsImagePart, fgZoom) == 522);
static_assert(offsetof(FcsImagePart, wZoom) == 524);
static_assert(offsetof(FcsImagePart, wPosX) == 526);
static_assert(offsetof(FcsImagePart, wPosY) == 528);

struct FaxCoverSheetData {
  char16_t szCoverSheetSet[kFcsSetNameChars];  // empty: untitled
  int16_t sCoverSize;                           // 0 follows the output paper
  FcsBasicPart basic;
  FcsRecipientPart recipient;
  FcsSenderPart sender;
  FcsImagePart image;
};
static_assert(sizeof(FaxCoverSheetData) == kFaxCoverSheetDataSize);
static_assert(offsetof(FaxCoverSheetData, sCoverSize) == 42);
static_assert(offsetof(FaxCoverSheetData, basic) == 44);
static_assert(offsetof(FaxCoverSheetData, recipient) == 1508);
static_assert(offsetof(FaxCoverSheetData, sender) == 2232);
static_assert(offsetof(FaxCoverSheetData, image) == 3216);
static_assert(offsetof(FaxCoverSheetData, recipient) + offsetof(FcsRecipientPart, byRecipientMode) ==
              kFaxCoverRecipientModeAt);
static_assert(offsetof(FaxCoverSheetData, recipient) + offsetof(FcsRecipientPart, byRecipientSetting) ==
              kFaxCoverRecipientSettingAt);

#pragma pack(pop)
