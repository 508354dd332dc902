// What the render core's job tests share: the fax driver of the build tree
// with the font module among its files, and an A4 job's settings.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"
#include "tests/support/test_text.h"

// The bytes of a file (the job the spooler wrote); empty when it cannot be read.
inline std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  uint8_t buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  CloseHandle(file);
  return bytes;
}

inline testsupport::TestPrinterDriver RenderDriver() {
  testsupport::TestPrinterDriver driver = testsupport::FaxDriver();
  driver.name = L"Fax Render Test Driver";
  driver.dependentFiles.push_back(testsupport::Widen(testsupport::BinaryPath("bin/VELDRANQ.DLL")));
  return driver;
}

// A4 portrait at 200 x 100 dpi, one-sided, `copies` copies.
inline DriverDevMode A4DevMode(int16_t copies = 1, uint8_t collate = 0) {
  DriverDevMode dm{};
  auto* pub = reinterpret_cast<DEVMODEW*>(dm.publicPart);
  pub->dmSpecVersion = kDriverSpecVersion;
  pub->dmDriverVersion = 0x0123;
  pub->dmSize = kDevModeWSize;
  pub->dmDriverExtra = kDriverDevModeExtra;
  InitDocDModeHeader(&dm.doc);
  SetDocByte(&dm.doc, kDocOrientationAt, 1);
  SetDocI16(&dm.doc, kDocPaperSizeAt, 9);
  SetDocI16(&dm.doc, kDocPaperWidthAt, 2100);
  SetDocI16(&dm.doc, kDocPaperLengthAt, 2970);
  for (int i = 0; i < 4; ++i) SetDocI16(&dm.doc, 72 + 2 * i, 42);
  SetDocI16(&dm.doc, kDocOutPaperSizeAt, 356);
  SetDocI16(&dm.doc, kDocInTrayAt, 7);
  SetDocByte(&dm.doc, kDocDoubleSidesAt, 1);
  SetDocI16(&dm.doc, kDocCopiesAt, copies);
  SetDocByte(&dm.doc, kDocCollateAt, collate);
  SetDocI16(&dm.doc, 2220, 200);
  SetDocI16(&dm.doc, 2222, 100);
  SetDocI16(&dm.doc, 2224, 1);
  dm.magic = kDriverDevModeMagic;
  SealDocDMode(&dm.doc);
  return dm;
}

