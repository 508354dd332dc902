// The standard DEVMODE fields that mirror the document settings.  The
// procedure library and the render core both hand out a public DEVMODE
// whose printer fields say what the private record says; they fill it here.
#pragma once

#include "common/records/public_devmode.h"
#include "common/records/settings_records.h"

// What the fill needs besides the record.
struct PublicFieldSource {
  const char16_t* printerName;  // null leaves dmDeviceName
  bool monochrome;              // the model prints greyscale only
  const char16_t* formName;     // the selected paper's name; null leaves dmFormName
};

// Writes the printer fields of `dm` from `doc`; dmFields and the fields it
// does not name are left as they are.
//  - dmDeviceName: the printer name up to its first comma (the spooler
//    appends ",..." qualifiers to a printer's name), at most 31 characters;
//  - dmDuplex: always simplex: two-sided printing lives in "DoubleSides";
//  - dmTTOption: from "FontSubstitute" (0 substitute device fonts, 1
//    download), any other value leaves it;
//  - dmMediaType sign-extended; dmICMMethod and dmICMIntent from the record.
void FillPublicDevModeFields(PublicDevMode* dm, const DocDMode& doc, const PublicFieldSource& source);
