// The render core's job record (PDEV), one per printer DC.  Its leading
// part, the job's settings, is a format shared with the user interface core
// (common/job_record.h), which reads the whole record through the job-data
// escape; the rest is the render core's own state, laid out the same way by
// both libraries of one processor type.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/records/job_record.h"
#include "common/records/settings_records.h"
#include "drender/model/color_setting_command.h"
#include "drender/ddi/ddi_types.h"
#include "drender/job/job_engine.h"
#include "drender/job/output_buffer.h"
#include "drender/settings/page_frame.h"
#include "drender/pclxl/pclxl_writer.h"
#include "drender/job/temp_spool.h"
#include "drender/job/xl_state_cache.h"

inline constexpr size_t kPdevNameChars = 260;
inline constexpr size_t kPdevBandRecords = 129;  // 128 bands and a spare

// The job block: what the job's configuration fixes when the PDEV is
// enabled.
struct RenderJobBlock {
  uint32_t orientation;      // 1 portrait, 2 landscape
  uint16_t resolutionX;      // dpi
  uint16_t resolutionY;
  uint16_t resolutionAspect;
  uint16_t reserved10;
  uint8_t colorHead[132];    // the head of the device settings
  uint8_t deviceTail[24];    // the last 24 bytes of the device settings
  uint32_t copies;
  uint32_t outputBufferSize;  // 512
  uint32_t surfaceKind;      // 2: a device-managed surface
  uint32_t paletteKind;      // 2: PAL_RGB
  uint32_t optionA;          // 0x49
  uint32_t optionB;          // 0x2002
  uint32_t optionC;          // 0x73FF3
  uint8_t reserved[3052 - 196];
};
static_assert(sizeof(RenderJobBlock) == 3052);

inline constexpr uint32_t kOptionAOpenFontModule = 0x08;

struct RenderBand {
  POINTL position;
  SIZEL size;
  uint32_t rowBytes;
  uint32_t flags;  // bit 0: the band is drawn
  uint8_t reserved[8];
};
static_assert(sizeof(RenderBand) == 32);

// The render core's own state after the settings (byte 9512 on).
// What the drawing entry points keep between calls.
struct RenderDrawState {
  uint32_t drawnPage;         // the page counter of the last page drawn on (the page-drawn flag)
  uint32_t definedSignature;  // of the pattern the page defined last
  HMODULE jpegLibrary;        // loaded at the job's first JPEG image, freed at its end
};

struct RenderPdevState {
  WorkDevMode* live;    // the settings every reader goes through
  RenderJobBlock job;
  wchar_t printerName[kPdevNameChars];
  wchar_t portName[kPdevNameChars];
  wchar_t docName[kPdevNameChars];
  wchar_t furtherName[kPdevNameChars];
  uint32_t jobNumber;
  uint32_t lastJobNumber;
  PageFrame frames[3];
  // Surface and banding configuration.
  uint32_t minBands, maxBands, rowAlignment, bandGranularity, bandOrder, forcedBanding;
  LOGFONTW fonts[3];
  uint32_t deviceFontCount;
  HANDLE printer;
  HDEV hdev;
  HPALETTE palette;
  HSURF surface;
  HANDLE fontModule;
  void* self;           // the block DrvDisablePDEV frees
  // Page state.
  uint32_t pageOrientation;
  uint32_t pageCounter;
  uint32_t docPageCount;
  uint32_t totalPageCount;
  RenderBand bands[kPdevBandRecords];
  uint32_t bandCount;
  uint32_t currentBand;
  POINTL bandOrigin;
  uint32_t banding;
  uint32_t resolutionX, resolutionY, resolutionAspect;
  uint32_t copies;
  RenderOutputBuffer output;
  uint32_t surfaceFormat, surfaceWidth, surfaceHeight, surfaceRowBytes;
  uint8_t colorBlock[132];
  // Set by the private escapes and the job engine.
  uint8_t headerWritten;
  uint8_t faxCancelled;     // the user cancelled the fax destinations
  uint8_t authFailed;       // user authentication failed
  uint8_t reserved3;
  void* interSheetTable;    // owned by the PDEV; moves to the new one on a reset
  uint32_t capturing;       // the job's bytes go to the capture spool
  TempSpool* captureSpool;
  // The job's PCL XL encoder (writing through Rdc_WriteBytes), the
  // graphics state the printer holds, and the job engine's state.
  XlEncoder xl;
  XlStateCache gs;
  RenderDrawState draw;
  RenderJobState engine;
  uint8_t jobId[27];        // the job identifier text of the start-document escape
  uint8_t reserved4[5];
};

struct RenderPjlState;
struct TextPdevState;

// What follows the second marker.
struct RenderPdevTail {
  ColorSettingCommand* colorCommands;
  RenderPjlState* pjl;  // the PJL templates and job data (drender/pjl/pjl_start_commands.h)
  TextPdevState* text;  // resident faces and soft fonts (drender/text/text_pdev.h)
};

inline constexpr uint32_t kPdevStateAt = kJobRecordSettingsAt + kWorkDevModeSize;  // 9512
inline constexpr uint32_t kPdevTailAt =
    (kJobRecordSecondMarkerAt + 2 + alignof(RenderPdevTail) - 1) & ~(uint32_t{alignof(RenderPdevTail)} - 1);

struct RenderPdev {
  uint16_t marker;      // 0x8940
  uint16_t unused2;
  uint32_t size;        // kJobRecordSize
  WorkDevMode settings;  // the job's settings
  RenderPdevState state;
  uint8_t reserved[kJobRecordSecondMarkerAt - kPdevStateAt - sizeof(RenderPdevState)];
  uint16_t marker2;     // 0x8940
  RenderPdevTail tail;
  uint8_t reserved2[kJobRecordSize - kPdevTailAt - sizeof(RenderPdevTail)];
};
static_assert(offsetof(RenderPdev, settings) == kJobRecordSettingsAt);
static_assert(offsetof(RenderPdev, state) == kPdevStateAt);
static_assert(offsetof(RenderPdev, marker2) == kJobRecordSecondMarkerAt);
static_assert(offsetof(RenderPdev, tail) == kPdevTailAt);
static_assert(sizeof(RenderPdev) == kJobRecordSize);
static_assert(kJobRecordSize == (sizeof(void*) == 8 ? 27752 : 27368));

// True for a record of this library: both markers and the size in place.
BOOL Rdc_IsValidPdev(const void* pdev);
