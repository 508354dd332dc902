// The dialog procedures of the property-sheet pages: exported by name by the
// procedure library VELDRANA, bound by name by the user interface core,
// which forwards every message of a page to its procedure.  Exporter and
// binder include this header.  Each procedure is an ordinary dialog
// procedure (DLGPROC); the names need no Windows interface, so the rules that
// choose a session's pages use them natively as well.
#pragma once

#include <cstddef>

// Document pages.
inline constexpr char kPrcDocFaxProc[] = "Prc_DocFaxProc";        // FAX (template 171)
inline constexpr char kPrcDocPaper1Proc[] = "Prc_DocPaper1Proc";  // Basics (100)
inline constexpr char kPrcDocPaper2Proc[] = "Prc_DocPaper2Proc";  // Layout (101)
inline constexpr char kPrcDocWOProc[] = "Prc_DocWOProc";          // watermark and overlay (104)
inline constexpr char kPrcDocVersionProc[] = "Prc_DocVersionProc";  // Version (106)
// Device pages.
inline constexpr char kPrcPrnDeviceOptionProc[] = "Prc_PrnDeviceOptionProc";  // Configure (177)
inline constexpr char kPrcPrnSettingsProc[] = "Prc_PrnSettingsProc";          // Settings (184)

// Every page procedure the user interface core binds, in a fixed order.
inline constexpr const char* kSheetProcedureNames[] = {
    kPrcDocFaxProc,     kPrcDocPaper1Proc,       kPrcDocPaper2Proc,   kPrcDocWOProc,
    kPrcDocVersionProc, kPrcPrnDeviceOptionProc, kPrcPrnSettingsProc,
};
inline constexpr size_t kSheetProcedureCount = sizeof kSheetProcedureNames / sizeof kSheetProcedureNames[0];
