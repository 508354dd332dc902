// Defaults that start-up derives from the model record: the change data of
// the staple and hole-punch positions, the face of dialog texts and the
// default index paper geometry.
#pragma once

#include <cstdint>

#include "common/records/inter_sheet_list.h"
#include "common/qxd/model_info.h"

// The built-in change data of one finishing position: for the feed
// directions 15, 16 and 17 in turn, the change flag, the refusal's
// "CstMessageStr" entry, the replacement option value and the change's
// "ChgMessageStr" entry.
struct FinishChangeRow {
  const char* keyword;
  uint32_t data[12];
};

// Unless the model has the four-edge binding feature, copies the built-in
// change data into the staple and hole-punch rows the model lists (keywords
// compared with letter case).  Returns 1.
int FillFinishPositionDefaults(ModelInfo* model);

// The face of the tab caption dialog's texts.
extern char16_t g_defaultDialogFace[32];
void SetDefaultDialogFace(uint32_t modelLanguage);

// The default geometry of index (tab) paper, from the model's tab paper
// size row whose value is the locale's default paper code (9 A4, 1 Letter);
// left as it is when the model has no such row.
extern TabSettings g_defaultIndexPaper;
void FillDefaultIndexPaper(const ModelInfo* model, uint32_t localePaperCode);
