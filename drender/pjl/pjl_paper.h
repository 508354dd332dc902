// Paper, tray and finishing facts of a job that several PJL parameters and
// start-command rows share.
#pragma once

#include <cstdint>

#include "common/records/doc_fields.h"
#include "drender/pjl/pjl_job.h"

inline constexpr uint32_t kPjlOrientationAt = kDocOrientationAt;
inline constexpr uint32_t kPjlInTrayAt = kDocInTrayAt;
inline constexpr uint32_t kPjlAutoTray = 7;
inline constexpr uint32_t kPjlDoubleSidesAt = kDocDoubleSidesAt;
inline constexpr uint32_t kPjlBindingEdgeAt = kDocBindingEdgeAt;
inline constexpr uint32_t kPjlCombinationAt = kDocCombinationAt;

// A custom or user paper size: code 256, 512 to 522, or with bit 0x1000.
bool Pjl_IsCustomPaperCode(uint32_t code);

enum PjlMediaField { kPjlMediaType, kPjlMediaWeight, kPjlMediaColor, kPjlMediaPrePunched };

// The media of a tray: 32767 is the job's tray; the automatic tray has its
// own fields; another tray its per-tray record; 0 without a record.
uint32_t Pjl_TrayMedia(const PjlJob* job, uint32_t tray, PjlMediaField field);
bool Pjl_TrayHasMedia(const PjlJob* job, uint32_t tray);
// "Duplex" is off: DoubleSides 1, or 3 (booklet) while the device makes it.
bool Pjl_DuplexOff(const PjlJob* job);
// The binding edge with the automatic edge (14) resolved to 15 or 17.
uint32_t Pjl_BindingEdge(const PjlJob* job);
// "RIGHT", "TOP" or "LEFT" of the binding edge.
const char* Pjl_BindingWord(const PjlJob* job);
// A job staple kind as a device word: 3 "LEFT1POINT", 4 "RIGHT1POINT",
// 5-7 "ANY2POINT", other "OFF".
const char* Pjl_StapleKindWord(uint32_t kind);
// The PJL word of a tray of the render core's tray-name table: the text
// "ALL_InTray" gave the tray when the model was loaded; null for a tray
// the table lacks or that has no word, or without a model.
const char* Pjl_InTrayText(const ModelInfo* model, uint32_t number);
// True when the job's effective paper allows a print position.
bool Pjl_PaperAllowsPrintPosition(const PjlJob* job);
