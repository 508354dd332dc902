// The settings import and export behind the procedure library's exports:
// a printer's settings out to a settings file, a file in as the user's (and
// with administrator access the printer's) defaults, a file stored as the
// printer's defaults for new users.  Each returns a SettingsTransferCode.
//
// The spooler calls go through a table, which tests replace to make the
// spooler fail where a real one will not.
#pragma once

#include <windows.h>

#include <string>

#include "common/contracts/settings_transfer_codes.h"
#include "common/win/devmode_store_win.h"
#include "dproc/saved/settings_serializer.h"

struct TransferSpooler {
  BOOL (*openPrinter)(void* context, const wchar_t* name, HANDLE* printer, bool allAccess);
  LONG (*documentProperties)(void* context, HANDLE printer, wchar_t* name, DEVMODEW* out, DWORD mode);
  BOOL (*setPrinter)(void* context, HANDLE printer, DWORD level, BYTE* info);
  // Printer data: the device settings record, the user papers, the defaults.
  PrinterDataAccess data;
  // Brings the DEVMODE's standard fields in line with its document settings.
  void (*updatePublicFields)(DEVMODEW* devmode, DocDMode* doc, const wchar_t* printerName);
  // Writes the user, department and secure print values to the user's
  // authentication store.
  BOOL (*saveAuthentication)(void* context, HANDLE printer, const DocDMode* settings);
  // Zero-filled memory for the DEVMODE and the profile buffers (freed with
  // std::free); null when there is none.
  void* (*allocate)(void* context, size_t size);
  void* context;
};

// The spooler itself; `updatePublicFields` is given by the library.
TransferSpooler RealTransferSpooler(void (*updatePublicFields)(DEVMODEW*, DocDMode*, const wchar_t*));

// What the driver says of itself in a settings file's "DriverInfo".
struct TransferDriverFacts {
  std::wstring version;   // the driver version text
  std::wstring system;    // the platform text
  std::wstring language;  // the driver's language code
};
TransferDriverFacts CurrentDriverFacts();

uint32_t RunSettingExport(const TransferSpooler& spooler, const TransferDriverFacts& facts,
                          const wchar_t* printerName, const wchar_t* path);
uint32_t RunSettingImport(const TransferSpooler& spooler, const TransferDriverFacts& facts,
                          const wchar_t* printerName, const wchar_t* path);
uint32_t RunDefaultSetting(const TransferSpooler& spooler, const TransferDriverFacts& facts,
                           const wchar_t* printerName, const wchar_t* path);
// The personal information of a plain INI file's section "PersonalInfo"
// into the printer's document settings and from there into the user's
// authentication store (the DEVMODE itself is not stored): 14 when a value
// was refused (the others are still taken), 3 when the store fails.
uint32_t RunPersonalInfoImport(const TransferSpooler& spooler, const TransferDriverFacts& facts,
                               const wchar_t* printerName, const wchar_t* iniPath);

// The narrow arguments of the exports in UTF-16; false (nothing converted)
// for a null text, one that does not convert, or one of more than 259
// characters.
bool TransferArgument(const char* text, std::wstring* out);
