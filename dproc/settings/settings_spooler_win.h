// What the settings functions take from the spooler: the printer's user
// papers and the print server's forms, read anew for each call.
#pragma once

#include <windows.h>

#include <vector>

#include "common/records/public_devmode.h"
#include "common/records/settings_records.h"
#include "dproc/settings/settings_merge.h"

// The user papers join when the document settings carry a printer handle
// and "CustomPaperData" can be read; the forms join when, in addition, the
// device option record (or null) has "UseServerForm" on.
class SpoolerPaperData {
 public:
  SpoolerPaperData(const DocDMode* doc, const DevOption* option);
  SpoolerPaperData(const SpoolerPaperData&) = delete;
  SpoolerPaperData& operator=(const SpoolerPaperData&) = delete;
  const SpoolerPapers& papers() const { return papers_; }

 private:
  UserPaperList users_{};
  std::vector<BYTE> buffer_;
  std::vector<ServerForm> forms_;
  SpoolerPapers papers_{};
};

// The settings model of the process: its model record and the papers of
// the printer.
SettingsModel ProcessSettingsModel(const SpoolerPaperData& papers);

// A caller's DEVMODE read within its own dmSize (and at most 220 bytes);
// the rest stays zero.
PublicDevMode ReadCallerDevMode(const DEVMODEW* devmode);
