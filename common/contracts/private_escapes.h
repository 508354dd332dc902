// The private escapes between the user interface core and the render core:
// what the core sends on the application's DC during a job, and the sizes of
// their payloads.  The render core's escape table answers these codes; the
// test host of the render core sends them in the core's place.
#pragma once

#include <cstdint>

inline constexpr uint32_t kEscGetJobData = 0x10001;
inline constexpr uint32_t kEscSetUiDraw = 0x20001;
inline constexpr uint32_t kEscSetDrawMode = 0x20002;
inline constexpr uint32_t kEscSetPageValue = 0x20004;
inline constexpr uint32_t kEscSetPageOrigin = 0x20009;
inline constexpr uint32_t kEscSetInterSheetList = 0x2000a;
inline constexpr uint32_t kEscSetTabText = 0x2000b;
inline constexpr uint32_t kEscSetTabCapture = 0x2000c;
inline constexpr uint32_t kEscSetPageEntry = 0x2000d;
inline constexpr uint32_t kEscFreeInterSheetList = 0x2000e;
inline constexpr uint32_t kEscSetJobSettings = 0x2000f;
inline constexpr uint32_t kEscSetDefaultCtm = 0x30002;
inline constexpr uint32_t kEscSetClipToPage = 0x30003;
inline constexpr uint32_t kEscBeginCapture = 0x30004;
inline constexpr uint32_t kEscEndCapture = 0x30005;
inline constexpr uint32_t kEscPrintCapture = 0x30006;
inline constexpr uint32_t kEscSetJobId = 0x30007;
inline constexpr uint32_t kEscStorePage = 0x30008;
inline constexpr uint32_t kEscSetFaxData = 0x30009;
inline constexpr uint32_t kEscFreeFaxData = 0x3000a;
inline constexpr uint32_t kEscResetPageCount = 0x3000b;
inline constexpr uint32_t kEscResetGState = 0x3000c;
inline constexpr uint32_t kEscReleaseFonts = 0x3000d;
inline constexpr uint32_t kEscAppendCapture = 0x3000e;
inline constexpr uint32_t kEscSetSendTime = 0x3000f;
inline constexpr uint32_t kEscGetFaxData = 0x30010;
inline constexpr uint32_t kEscSetJobValue64 = 0x40001;
inline constexpr uint32_t kEscAuthResult = 0x40002;
inline constexpr uint32_t kEscQueryDrop2 = 0x40003;
inline constexpr uint32_t kEscSetPrivateArea = 0x40004;
inline constexpr uint32_t kEscSetDevOption = 0x40020;
inline constexpr uint32_t kEscFaxCancelled = 0x50001;
inline constexpr uint32_t kEscQueryDrop1 = 0x50002;

inline constexpr uint32_t kJobIdChars = 26;
inline constexpr uint32_t kJobIdBytes = kJobIdChars + 1;  // the characters and a NUL
inline constexpr uint32_t kSendTimeBytes = 16;   // year, month, day, hour, minute, three zeros
inline constexpr uint32_t kStorePageBytes = 24;
