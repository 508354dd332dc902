// The standard DEVMODE fields that mirror the document settings.  The
// procedure library and the render core both hand out a public DEVMODE
// whose printer fields say what the private record says; they fill it here.
#pragma once

#include <cstdint>

#include "common/records/public_devmode.h"
#include "common/records/settings_records.h"

// Whose fields these are.  The procedure library hands out the user's
// settings; the render core hands out how it renders the job.  They differ
// only in three fields (see FillPublicDevModeFields).
enum class PublicFillPolicy : uint8_t {
  kSettings,
  kRendering,
};

// What the fill needs besides the record.
struct PublicFieldSource {
  const char16_t* printerName;  // null leaves dmDeviceName
  bool monochrome;              // the model prints greyscale only
  const char16_t* formName;     // the selected paper's name; null leaves dmFormName
  PublicFillPolicy policy = PublicFillPolicy::kSettings;
};

// Writes the printer fields of `dm` from `doc`; dmFields and the fields it
// does not name are left as they are.
//  - dmDeviceName: the printer name up to its first comma (the spooler
//    appends ",..." qualifiers to a printer's name; a printer's own name
//    holds no comma), at most 31 characters;
//  - dmDuplex: simplex: two-sided printing lives in "DoubleSides".  The
//    settings always say so; the render core only when dmFields claims the
//    field;
//  - dmTTOption, dmICMMethod, dmICMIntent: the settings give "FontSubstitute"
//    (0 substitute device fonts, 1 download, any other value leaves it) and
//    the record's colour matching; the render core draws TrueType text as
//    bitmaps and matches no colours (bitmap, none, contrast);
//  - dmMediaType sign-extended.
void FillPublicDevModeFields(PublicDevMode* dm, const DocDMode& doc, const PublicFieldSource& source);
