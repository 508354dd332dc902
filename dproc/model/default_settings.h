// The built-in default document settings: a complete DocDMode that the
// library carries built in and that start-up completes from the main
// description file and the model record.  Every reset of a document's
// settings copies it.
#pragma once

#include <cstdint>

#include "common/records/doc_fields.h"
#include "common/records/inter_sheet_list.h"
#include "common/qxd/model_info.h"
#include "common/qxd/qxd_reader.h"

// Writes the built-in record: the header, the built-in values and a
// matching checksum.
void InitBuiltInDocDMode(DocDMode* record);
// The process's record (built in on first use, completed by start-up).
DocDMode& DefaultDocDMode();
// The entry with which a new per-page list entry starts.
InterSheetEntry& PerPageEntryTemplate();
void InitPerPageEntryTemplate(InterSheetEntry* entry);

// One resident device font of the font library.
struct XLFontEntry {
  uint16_t number;
  char name[64];            // ANSI
};
// The font library's list, when the library could be loaded.
struct XLFontList {
  const XLFontEntry* fonts;
  uint32_t count;
};

// Completes `record` (normally the built-in one) from the description file
// and the model.  `fonts` is null when the font library is not there; the
// built-in substitution entries then stay.
void LoadDefaultSettings(QxdContext* ctx, const ModelInfo* model, const char* localePaper, const XLFontList* fonts,
                         DocDMode* record);

// Steps of the load, each usable on its own.
void ApplyXLFontSubList(QxdContext* ctx, const XLFontList& fonts, DocDMode* record);
void FillTrayMediaEntries(const ModelInfo* model, DocDMode* record);
void SetCoverOptionTables(const ModelInfo* model, DocDMode* record);
// The recipient title of the built-in cover-sheet record (MakeDefaultCoverSheet).
void ReadFcsRecipientDefault(QxdContext* ctx);
// The byte sum of a 32-byte face name field.
uint32_t FontNameSum(const char (&name)[32]);
// The font substitution table of a settings record: emptied, and one entry
// added (the TrueType face, the device font's number and name, the face's
// byte sum; names cut to 31 bytes); a full table takes no more.
void ClearFontSubstitution(DocFields& f);
void AddFontSubstitution(DocFields& f, const char* trueType, uint16_t number, const char* printer);
