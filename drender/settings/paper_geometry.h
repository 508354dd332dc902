// Paper geometry of a job: which sheet the device composes, what size and
// printable area the output paper has, which paper entry and code describe
// the output, and whether the output paper is the document paper.  Sizes
// and margins in tenths of a millimetre.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_records.h"

// A paper as the job engine and the PJL parameters describe it.
struct PaperSheet {
  char name[32];        // the paper's (or device sheet's) keyword
  uint32_t code;        // its paper code
  PaperSizeInfo info;   // size, margins, resolution margins, further values
  char extra[128];      // the paper's (or device sheet's) text
};

// The sheet of paper `code`: a user or custom size is described by the
// custom entry 256, half its length by its width (from the output paper
// fields of the settings when `useOutput`); a listed paper by its device
// sheet.  False, `out` cleared, when the entry (or its device sheet) is
// missing.  `out` may be null.
bool Paper_GetSheetEntry(const ModelInfo* model, uint32_t code, bool useOutput, const DocDMode* doc,
                         PaperSheet* out);
// The sheet the device composes (a booklet made by the device, combination
// or adhesive binding); false when the device composes none.
bool Paper_GetDeviceSheet(const ModelInfo* model, const DocDMode* doc, PaperSheet* out);
// Size (width, length) and margins (left, top, right, bottom) of the output
// paper.  False when the paper it needs is not listed.
bool Paper_GetPrintableArea(const ModelInfo* model, const DocDMode* doc, uint32_t size[2], uint32_t margins[4]);
// The paper entry and code that describe the output, with the printable
// area as its size and margins.
bool Paper_GetPaperInfo(const ModelInfo* model, const DocDMode* doc, PaperSheet* out);
// True when the output paper is the document paper.
bool Paper_IsSameAsOriginal(const ModelInfo* model, const DocDMode* doc);

// A user paper size (512 to 522, or a server form).
bool Paper_IsUserSize(uint32_t code);
