// The per-page settings snapshot that every captured page carries: the
// page-level fields of the document settings in force when it was drawn.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct PageSettings {
  uint16_t paperSize;          // document settings 66
  uint16_t paperWidth;         // 68
  uint16_t paperLength;        // 70
  uint16_t outPaperSize;       // 96
  uint16_t outPaperWidth;      // 98
  uint16_t outPaperLength;     // 100
  uint16_t mediaType;          // 122
  uint16_t inTray;             // 120
  uint8_t orientation;         // 64
  uint8_t reserved17;
  uint16_t zoomValue;          // 118
  uint8_t bindingPosition;     // 1429
  uint8_t bindingShift;        // 1428
  uint16_t bindingFront;       // 1432
  uint16_t bindingBack;        // 1434
  uint8_t nup;                 // 1242
  uint8_t nupOption;           // 1243
  uint8_t doubleSides;         // 1412
  uint8_t rotate180;           // 1248
  uint8_t nupStyle;            // 1244
  uint8_t borderLineOption;    // 1246
  uint8_t imageShift;          // 1441
  uint8_t reserved33[9];
  uint8_t watermark;           // 1553
  uint8_t reserved43;
  uint16_t watermarkOption;    // 1554
  uint8_t watermarkBlock[449];  // 1556 to 2004
  uint8_t headerFooter[6];     // 2005 to 2010
  uint8_t reserved501;
  uint16_t hfStartNumber;      // 2012
  uint8_t hfDateTime[5];       // 2014 to 2018
  uint8_t reserved509;
  uint16_t hfStartPage;        // 2020
  uint16_t hfPageStartNumber;  // 2022
  uint8_t headerWritten;       // the job header had been written
  uint8_t tabMark;             // 255 as saved
};
#pragma pack(pop)
static_assert(sizeof(PageSettings) == 516);
static_assert(offsetof(PageSettings, orientation) == 16);
static_assert(offsetof(PageSettings, zoomValue) == 18);
static_assert(offsetof(PageSettings, nup) == 26);
static_assert(offsetof(PageSettings, imageShift) == 32);
static_assert(offsetof(PageSettings, watermark) == 42);
static_assert(offsetof(PageSettings, watermarkOption) == 44);
static_assert(offsetof(PageSettings, watermarkBlock) == 46);
static_assert(offsetof(PageSettings, headerFooter) == 495);
static_assert(offsetof(PageSettings, hfStartNumber) == 502);
static_assert(offsetof(PageSettings, hfDateTime) == 504);
static_assert(offsetof(PageSettings, hfStartPage) == 510);
static_assert(offsetof(PageSettings, hfPageStartNumber) == 512);
static_assert(offsetof(PageSettings, headerWritten) == 514);
static_assert(offsetof(PageSettings, tabMark) == 515);
