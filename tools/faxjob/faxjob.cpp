// faxjob: prints a sample fax job through the render core and leaves what
// the driver hands the spooler in a file.  GDI of Wine never loads a
// printer driver, so the render core's test host stands in for it and for
// the user interface core: it drives the render core's entry points and
// sends the user interface core's escapes, as they would on a printer DC.
//
// usage: faxjob <driver folder> <printer name> <output file> [pages]
//
// The printer must exist (faxprinter installs it); its stored settings are
// the job's settings.  The last page holds drawings and a photo; the others
// carry only their page origin.  Prints the pages per second of the job
// (wall time).
#include <windows.h>
#include <winspool.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "common/records/fax_send_block.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/ddi_host_sample.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr, L"usage: faxjob <driver folder> <printer name> <output file> [pages]\n");
    return 2;
  }
  const int pages = argc > 4 ? _wtoi(argv[4]) : 2;
  const std::wstring module = std::wstring(argv[1]) + L"\\VELDRANE.DLL";
  DdiHost host;
  if (!host.Load(module)) {
    std::fwprintf(stderr, L"cannot load %ls (error %lu)\n", module.c_str(), GetLastError());
    return 1;
  }
  HANDLE printer = nullptr;
  if (!OpenPrinterW(argv[2], &printer, nullptr)) {
    std::fwprintf(stderr, L"cannot open printer %ls (error %lu)\n", argv[2], GetLastError());
    return 1;
  }
  // One destination; the job identifier the user interface core would send.
  std::unique_ptr<FaxSendBlock> fax(new FaxSendBlock());
  std::memset(fax.get(), 0, sizeof(FaxSendBlock));
  fax->wRecipientCount = 1;
  const char16_t number[] = u"5550100";
  std::memcpy(fax->recipients[0].szFaxNumber, number, sizeof number);
  const char16_t name[] = u"Sample recipient";
  std::memcpy(fax->recipients[0].szName, name, sizeof name);
  DdiHost::FaxJob job;
  job.docName = L"Sample fax";
  job.outputFile = argv[3];
  job.pages = pages;
  job.fax = fax.get();
  job.jobId = "SAMPLE-0001";
  // Each page carries its page origin (set through the page-origin
  // escape); the last page is a page of drawings with a photo.
  bool drawn = true;
  job.draw = [&host, &drawn, pages](SURFOBJ* surface, int page) {
    const int16_t origin[2] = {static_cast<int16_t>(page + 1), 100};
    host.Escape(surface, 0x20009, sizeof origin, origin, 0, nullptr);
    if (page == pages - 1) drawn = DrawSamplePage(host, surface);
  };
  const auto start = std::chrono::steady_clock::now();
  DdiHost::JobResult result = host.RunFaxJob(printer, argv[2], job);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ClosePrinter(printer);
  if (!drawn) std::fprintf(stderr, "a drawing call of the sample page failed\n");
  if (!result.ok) {
    std::fprintf(stderr, "job failed at %s (error %lu)\n", result.failedStep.c_str(), GetLastError());
    return 1;
  }
  std::fwprintf(stdout, L"%d pages printed to %ls in %.3f s (%.0f pages per second)\n", pages, argv[3], seconds,
                seconds > 0 ? pages / seconds : 0.0);
  return 0;
}
