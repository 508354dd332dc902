// Papers, trays, media and the installable device options of the model: the
// readers that fill the model record's lists, the built-in input tray table,
// the lists the sheets use (media lists, device option list), the default
// tray and media values of the built-in device option record, and the
// look-ups from a paper id to a paper row and its dimensions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

// Paper ids with a meaning of their own.
inline constexpr uint32_t kPaperCustom = 256;
inline constexpr uint32_t kPaperUserFirst = 512;
inline constexpr uint32_t kPaperUserLast = 522;
inline constexpr uint32_t kPaperServerFormBit = 0x1000;
inline constexpr uint32_t kOutPaperAsInput1 = 356;
inline constexpr uint32_t kOutPaperAsInput2 = 357;
inline constexpr uint32_t kOutPaperTwoUp = 358;

// --- Readers used by BuildModelInfo.
void ReadPaperSizeList(QxdContext* ctx, ModelInfo* model);
void ReadOutPaperSizeList(QxdContext* ctx, ModelInfo* model);
void ReadInTrayList(QxdContext* ctx, ModelInfo* model);
void UpdateInputTrayTable(QxdContext* ctx);
void ReadTrayMediaLabels(QxdContext* ctx, ModelInfo* model);
// `bit`: 1 front cover, 2 back cover, 4 separator page, 8 transparency
// interleave, 16 post-inserter front cover, 32 post-inserter back cover,
// 64 per-page paper source.
void ReadTrayChoiceList(QxdContext* ctx, ModelInfo* model, const char* section, uint32_t bit);

struct TrayChoiceList {
  const char* section;
  uint32_t bit;
};
inline constexpr TrayChoiceList kTrayChoiceLists[] = {
    {"FCoverTray", 1}, {"BCoverTray", 2},    {"SeparatePageTray", 4},     {"OHPIntTray", 8},
    {"PIFrontCover", 16}, {"PIBackCover", 32}, {"PerPageListPaperSrc", 64},
};

// --- The built-in input tray table.
inline constexpr int kTrayAliasColumns = 7;
struct InputTrayRow {
  char keyword[32];
  int16_t binId;
  char text[128];
  char aliases[kTrayAliasColumns][32];
};
// Eleven rows and an empty end row; "ALL_InTray" changes them at start-up.
InputTrayRow* InputTrayTable();
// Puts the table back as built in (for a fresh start-up).
void ResetInputTrayTable();
// The bin id of the row that carries `alias` in the column that belongs to
// the tray choice section; false when none does.
bool FindTrayAlias(const char* section, const char* alias, uint32_t* binId);

// --- Lists for the sheets.
struct MediaTypeLists {
  OptionItem* sizes;
  OptionItem* orientations;
  OptionItem* types;
  OptionItem* weights;
  OptionItem* colors;
  OptionItem* prePunched;
};
MediaTypeLists* LoadMediaTypeLists(QxdContext* ctx, const ModelInfo* model);
void FreeMediaTypeLists(MediaTypeLists* lists);
// The display text of the section's entry whose key equals `keyword`, cut
// to 47 units; true when it is not empty.
bool QxdLookupListTextW(QxdContext* ctx, const char* section, const char* keyword, char16_t* text48);
void MakeMediaListItem(OptionItem* out, const char* keyword, uint32_t value, const char16_t* text,
                       size_t textUnits = 48);
void BuildOrientationList(QxdContext* ctx, const ModelInfo* model, OptionItem out[4]);

// The device option list; fills the default value indices and their count
// of `defaults` (the built-in device option record).  Null when "DeviceOption"
// is absent or any option's value list cannot be built.
DeviceOptionItem* LoadDeviceOptionList(QxdContext* ctx, const ModelInfo* model, DevOption* defaults);
void FreeDeviceOptionList(DeviceOptionItem* list);
OptionItem* ReadDeviceOptionValues(QxdContext* ctx, const ModelInfo* model, const char* option,
                                   uint32_t* defaultIndex);

// Writes the default tray and media values and "AutoAcquisition",
// "EMFSpool" and "EncryptionKey" into `record`.
void LoadPaperMediaRecords(QxdContext* ctx, const char* defaultPaper, DevOption* record);

// --- Look-ups.
const PaperSizeEntry* FindPaperById(const ModelInfo* model, uint32_t paperId);
uint32_t FindTwoUpPaperId(const ModelInfo* model, uint32_t paperId);
uint32_t ResolvePaperSizeId(const ModelInfo* model, uint32_t paperId, uint32_t outPaperId);

struct PaperSizeInfo {
  uint32_t halfWidth;
  uint32_t halfLength;
  uint32_t margins[4];
  ResolutionMargins resolutionMargins[6];
  uint32_t further[4];
  uint32_t marginsFlag;
  uint32_t resolutionMarginsFlag;
  uint32_t furtherFlag;
};

// Dimensions (0.1 mm) of the sheet printed on.
bool GetPaperSizeDims(const ModelInfo* model, const DocDMode* doc, int32_t* width, int32_t* length);
bool FillPaperSizeInfo(const ModelInfo* model, uint32_t paperId, bool output, const DocDMode* doc,
                       PaperSizeInfo* info);
bool GetPaperSizeInfo(const ModelInfo* model, const DocDMode* doc, PaperSizeInfo* info);
