// The summary and the preview of a cover-sheet set in the Save and Edit
// Cover Sheet Setting dialogs (controls 2035 tabs, 2034 list view, 1235
// preview).
#pragma once

#include <windows.h>

#include "common/cover/cover_geometry.h"
#include "common/records/fax_cover_sheet.h"

// The label of a summary key ("CSS_..."), empty when the model has none.
const wchar_t* GetCoverSheetSetLabel(const char* key);
// The three tabs (Basic, Sender, Image) and the two list-view columns.
void InitCoverSetView(HWND dialog);
// The rows of the part of the selected tab; null parts show no rows.
void ShowCoverSetSummary(HWND dialog, const FcsBasicPart* basic, const FcsSenderPart* sender,
                         const FcsImagePart* image);
// The preview control: white, framed, the page fitted and played.
void DrawCoverSetPreview(const DRAWITEMSTRUCT* item, HENHMETAFILE emf, const CoverPaperInfo& paper);
