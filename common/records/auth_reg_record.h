// The authentication record: the user, department and secure-print values
// of the per-user store, with their enciphered passwords.  The user
// interface core fills it at the start of a job and hands it to the render
// core, which copies its fields over the job's document settings.
//
// Byte-packed, little-endian; the same layout in both builds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/doc_fields.h"

inline constexpr uint32_t kAuthRegRecordSize = 426;

#pragma pack(push, 1)

struct AuthRegRecord {
  uint8_t byUserType;               // 0 public user, 1 recorded user
  uint8_t reserved1;
  char16_t szAuthUserName[81];      // byte 2
  uint8_t byAuthUserPass[81];       // byte 164, enciphered
  uint8_t reserved245;
  uint16_t wAuthUserPassLen;        // byte 246
  char szDeptName[9];               // byte 248
  uint8_t byDeptPass[73];           // byte 257, enciphered
  uint16_t wDeptPassLen;            // byte 330
  uint16_t wServerSetting;          // byte 332, 1 to 20
  char szSecurePrintId[17];         // byte 334
  uint8_t bySecurePrintPass[73];    // byte 351, enciphered
  uint16_t wSecurePrintPassLen;     // byte 424
};
static_assert(sizeof(AuthRegRecord) == kAuthRegRecordSize);
static_assert(offsetof(AuthRegRecord, szAuthUserName) == 2);
static_assert(offsetof(AuthRegRecord, byAuthUserPass) == 164);
static_assert(offsetof(AuthRegRecord, wAuthUserPassLen) == 246);
static_assert(offsetof(AuthRegRecord, szDeptName) == 248);
static_assert(offsetof(AuthRegRecord, byDeptPass) == 257);
static_assert(offsetof(AuthRegRecord, wDeptPassLen) == 330);
static_assert(offsetof(AuthRegRecord, wServerSetting) == 332);
static_assert(offsetof(AuthRegRecord, szSecurePrintId) == 334);
static_assert(offsetof(AuthRegRecord, bySecurePrintPass) == 351);
static_assert(offsetof(AuthRegRecord, wSecurePrintPassLen) == 424);

#pragma pack(pop)

// Where the render core puts each field in the job's DocDMode.
inline constexpr uint32_t kDocUserTypeAt = DOC_FIELD_AT(byUserType);
inline constexpr uint32_t kDocAuthUserNameAt = DOC_FIELD_AT(szAuthUserName);
inline constexpr uint32_t kDocAuthUserPassAt = DOC_FIELD_AT(byAuthUserPass);
inline constexpr uint32_t kDocAuthUserPassLenAt = DOC_FIELD_AT(wAuthUserPassLen);
inline constexpr uint32_t kDocDeptNameAt = DOC_FIELD_AT(szDeptName);
inline constexpr uint32_t kDocDeptPassAt = DOC_FIELD_AT(byDeptPass);
inline constexpr uint32_t kDocDeptPassLenAt = DOC_FIELD_AT(wDeptPassLen);
inline constexpr uint32_t kDocServerSettingAt = DOC_FIELD_AT(nServerSetting);
inline constexpr uint32_t kDocSecurePrintIdAt = DOC_FIELD_AT(szSecurePrintId);
inline constexpr uint32_t kDocSecurePrintPassAt = DOC_FIELD_AT(bySecurePrintPass);
inline constexpr uint32_t kDocSecurePrintPassLenAt = DOC_FIELD_AT(wSecurePrintPassLen);
static_assert(kDocUserTypeAt == 5673 && kDocAuthUserNameAt == 5674 && kDocAuthUserPassAt == 5836);
static_assert(kDocAuthUserPassLenAt == 5918 && kDocDeptNameAt == 5920 && kDocDeptPassAt == 5929);
static_assert(kDocDeptPassLenAt == 6002 && kDocServerSettingAt == 1072 && kDocSecurePrintIdAt == 604);
static_assert(kDocSecurePrintPassAt == 621 && kDocSecurePrintPassLenAt == 694);

