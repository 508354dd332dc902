// Places of document settings fields inside DocDMode that the model's
// look-ups and the orientation rules read, with typed readers.
#pragma once

#include <cstdint>
#include <cstring>

#include "common/settings_records.h"

inline constexpr uint32_t kDocOrientationAt = 64;        // byte: 1 portrait, 2 landscape
inline constexpr uint32_t kDocPaperSizeAt = 66;          // i16 paper id
inline constexpr uint32_t kDocPaperWidthAt = 68;         // i16 "sizPaper.cx"
inline constexpr uint32_t kDocPaperLengthAt = 70;        // i16 "sizPaper.cy"
inline constexpr uint32_t kDocPaperMarginsAt = 72;       // 4 x i16: left, top, right, bottom
inline constexpr uint32_t kDocUserPaperWidthAt = 81;     // i16
inline constexpr uint32_t kDocUserPaperLengthAt = 83;    // i16
inline constexpr uint32_t kDocUserPaperWidthInchAt = 88;   // u32 inch units of the model
inline constexpr uint32_t kDocUserPaperLengthInchAt = 92;  // u32
inline constexpr uint32_t kDocOutPaperSizeAt = 96;       // i16 output paper id
inline constexpr uint32_t kDocOutPaperWidthAt = 98;      // i16 "sizOutPaper.cx"
inline constexpr uint32_t kDocOutPaperLengthAt = 100;    // i16 "sizOutPaper.cy"
inline constexpr uint32_t kDocOutUserPaperWidthAt = 103;   // i16
inline constexpr uint32_t kDocOutUserPaperLengthAt = 105;  // i16
inline constexpr uint32_t kDocZoomAt = 116;              // byte: 1 automatic, 0 manual
inline constexpr uint32_t kDocZoomValueAt = 118;         // i16 percent
inline constexpr uint32_t kDocInTrayAt = 120;            // i16 bin id
inline constexpr uint32_t kDocMediaTypeAt = 122;         // i16
inline constexpr uint32_t kDocAutoTrayMediaTypeAt = 160;  // i16 "PTInfoAuto.nPaperType2"
inline constexpr uint32_t kDocTrayEntriesAt = 167;       // 10 tray media entries of 43 bytes
inline constexpr uint32_t kDocTrayEntrySize = 43;
inline constexpr uint32_t kDocTrayEntryBinIdAt = 32;     // u32 within an entry
inline constexpr uint32_t kDocTrayEntryMediaTypeAt = 36;  // i16 within an entry
inline constexpr uint32_t kDocCopiesAt = 598;            // u16
inline constexpr uint32_t kDocNupAt = 1242;              // byte on/off
inline constexpr uint32_t kDocNupKindAt = 1243;          // byte "Nup_op"
inline constexpr uint32_t kDocNupStyleAt = 1244;         // byte 0-7
inline constexpr uint32_t kDocDoubleSidesAt = 1412;      // byte 1 simplex, 2 duplex, 3 booklet
inline constexpr uint32_t kDocAdhesiveBindAt = 1413;     // byte
inline constexpr uint32_t kDocBookletBindingAt = 1414;   // byte 1-4
inline constexpr uint32_t kDocBindingEdgeAt = 1429;      // byte
inline constexpr uint32_t kDocStapleAt = 1491;           // byte "Staple_op"
inline constexpr uint32_t kDocHolePunchAt = 1493;        // byte "HolePunch_op"
inline constexpr uint32_t kDocCombinationAt = 1502;      // byte on/off
inline constexpr uint32_t kDocCombinationKindAt = 1503;  // byte "Combination_op"
inline constexpr uint32_t kDocSelectColorAt = 2170;      // byte 0 colour, 1 greyscale, 2 two colours
inline constexpr uint32_t kDocIcmMethodAt = 2217;        // byte
inline constexpr uint32_t kDocIcmIntentAt = 2218;        // byte
inline constexpr uint32_t kDocResolutionAt = 2219;       // byte: the resolution row's value
inline constexpr uint32_t kDocResolutionXAt = 2220;      // u16 dots per inch
inline constexpr uint32_t kDocResolutionYAt = 2222;      // u16
inline constexpr uint32_t kDocResolutionThirdAt = 2224;  // u16
inline constexpr uint32_t kDocFontSubstituteAt = 3666;   // byte
inline constexpr uint32_t kDocServerPaperWidthAt = 7917;   // i16 "sizServerPaper.cx"
inline constexpr uint32_t kDocServerPaperLengthAt = 7919;  // i16 "sizServerPaper.cy"
inline constexpr uint32_t kDocLandscapeRotationAt = 7921;  // byte

static_assert(kDocTrayEntriesAt + 10 * kDocTrayEntrySize == 597);
static_assert(kDocLandscapeRotationAt < kDocDModeChecksumAt);

inline const uint8_t* DocBytes(const DocDMode* d) { return reinterpret_cast<const uint8_t*>(d); }
inline uint8_t* DocBytes(DocDMode* d) { return reinterpret_cast<uint8_t*>(d); }

inline uint8_t DocByte(const DocDMode* d, uint32_t at) { return DocBytes(d)[at]; }
inline int16_t DocI16(const DocDMode* d, uint32_t at) {
  int16_t v;
  std::memcpy(&v, DocBytes(d) + at, 2);
  return v;
}
inline uint32_t DocU32(const DocDMode* d, uint32_t at) {
  uint32_t v;
  std::memcpy(&v, DocBytes(d) + at, 4);
  return v;
}
inline void SetDocByte(DocDMode* d, uint32_t at, uint8_t v) { DocBytes(d)[at] = v; }
inline void SetDocI16(DocDMode* d, uint32_t at, int16_t v) { std::memcpy(DocBytes(d) + at, &v, 2); }
inline void SetDocU32(DocDMode* d, uint32_t at, uint32_t v) { std::memcpy(DocBytes(d) + at, &v, 4); }
