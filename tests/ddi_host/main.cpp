// ddi_host: runs one job through the render core as GDI would and leaves
// the bytes the job wrote to the spooler in a file.
//
// usage: ddi_host <VELDRANE.DLL> <printer name> <output file> [pages]
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cwchar>
#include <cstdlib>

#include "tests/ddi_host/ddi_host.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr, L"usage: ddi_host <VELDRANE.DLL> <printer name> <output file> [pages]\n");
    return 2;
  }
  int pages = argc > 4 ? _wtoi(argv[4]) : 1;
  DdiHost host;
  if (!host.Load(argv[1])) {
    std::fwprintf(stderr, L"cannot load %ls (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  HANDLE printer = nullptr;
  if (!OpenPrinterW(argv[2], &printer, nullptr)) {
    std::fwprintf(stderr, L"cannot open printer %ls (error %lu)\n", argv[2], GetLastError());
    return 1;
  }
  DdiHost::JobResult result = host.RunJob(printer, argv[2], nullptr, L"ddi_host job", argv[3], pages);
  ClosePrinter(printer);
  if (!result.ok) {
    std::fprintf(stderr, "job failed at %s (error %lu)\n", result.failedStep.c_str(), GetLastError());
    return 1;
  }
  std::fwprintf(stdout, L"job %lu written to %ls\n", result.jobId, argv[3]);
  return 0;
}
