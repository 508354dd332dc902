// Real pages through the render core, in whole fax jobs through the test
// host, at each resolution the printer offers and at 600 dpi: the spooled
// pages of the page corpus (text, shapes, paths, images, transforms, played
// as the print processor plays them), the sample page of the sample tool,
// and a page holding a 24-bit photo drawn with DrvStretchBlt (JPEG, delta
// rows, run-length) and with DrvBitBlt.  Prints pages per second and output
// bytes per page for each kind of page and resolution.
//
// usage: page_bench <driver folder> <printer name> <output file> [pages per job] [photo width] [photo height]
//
// The settings are the printer's defaults as an application gets them
// (DocumentProperties), with the resolution and the image compression
// changed through the settings' fields as the Quality sheet changes them.
// Each job is written to <output file>.1, .2, ... and removed once measured
// (the last one is kept).
//
// The printer must exist (faxprinter installs it).  Run it under Wine from
// an optimised tree; the figures include the spooler's writes.
#include <windows.h>
#include <winspool.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/records/fax_send_block.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/ddi_host_draw.h"
#include "tests/ddi_host/ddi_host_sample.h"
#include "tests/ddi_host/emf_corpus.h"
#include "tests/ddi_host/emf_page_player.h"

namespace {

using StretchFn = BOOL(APIENTRY*)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*, POINTL*,
                                  RECTL*, RECTL*, POINTL*, ULONG);
using BitBltFn = BOOL(APIENTRY*)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*, POINTL*,
                                 BRUSHOBJ*, POINTL*, ROP4);

struct Resolution {
  LONG x, y;
};

// The printer's default settings as the spooler hands them to an
// application.
bool DefaultSettings(HANDLE printer, wchar_t* name, DriverDevMode* dm) {
  const LONG size = DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0);
  if (size < LONG(sizeof(DriverDevMode))) return false;
  std::vector<uint8_t> buffer(size_t(size), 0);
  auto* devmode = reinterpret_cast<DEVMODEW*>(buffer.data());
  if (DocumentPropertiesW(nullptr, printer, name, devmode, nullptr, DM_OUT_BUFFER) < 0) return false;
  std::memcpy(dm, buffer.data(), sizeof *dm);
  return true;
}

// The resolutions the printer offers (its capabilities), and 600 dpi.
std::vector<Resolution> Resolutions(const wchar_t* name) {
  std::vector<Resolution> out;
  const int count = DeviceCapabilitiesW(name, nullptr, DC_ENUMRESOLUTIONS, nullptr, nullptr);
  if (count > 0 && count < 64) {
    std::vector<LONG> pairs(size_t(count) * 2);
    if (DeviceCapabilitiesW(name, nullptr, DC_ENUMRESOLUTIONS, reinterpret_cast<wchar_t*>(pairs.data()), nullptr) ==
        count) {
      for (int i = 0; i < count; ++i) out.push_back({pairs[2 * i], pairs[2 * i + 1]});
    }
  }
  bool has600 = false;
  for (const Resolution& r : out) has600 = has600 || (r.x == 600 && r.y == 600);
  if (!has600) out.push_back({600, 600});
  return out;
}

struct Kind {
  std::string name;
  uint8_t compression;  // 0: the default; 2 run-length, 3 delta rows, 4 JPEG
  bool colour;          // colour output, so that a photo may go as JPEG
  // Draws one page at `dpi`; false when a drawing call failed.
  std::function<bool(DdiHost&, SURFOBJ*, Resolution dpi)> draw;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr,
                  L"usage: page_bench <driver folder> <printer name> <output file> [pages per job] [width] [height]\n");
    return 2;
  }
  const int pages = argc > 4 ? _wtoi(argv[4]) : 3;
  const uint32_t width = argc > 5 ? _wtoi(argv[5]) : 3000, height = argc > 6 ? _wtoi(argv[6]) : 2000;
  if (pages < 1 || width < 1 || height < 1 || width > 20000 || height > 20000) {
    std::fwprintf(stderr, L"pages, width and height must be positive (width and height at most 20000)\n");
    return 2;
  }
  DdiHost host;
  if (!host.Load(std::wstring(argv[1]) + L"\\VELDRANE.DLL")) {
    std::fwprintf(stderr, L"cannot load the render core from %ls\n", argv[1]);
    return 1;
  }
  HANDLE printer = nullptr;
  if (!OpenPrinterW(argv[2], &printer, nullptr)) {
    std::fwprintf(stderr, L"cannot open printer %ls\n", argv[2]);
    return 1;
  }
  DriverDevMode defaults{};
  if (!DefaultSettings(printer, argv[2], &defaults)) {
    std::fwprintf(stderr, L"cannot read the default settings of %ls\n", argv[2]);
    return 1;
  }
  std::unique_ptr<FaxSendBlock> fax(new FaxSendBlock());
  std::memset(fax.get(), 0, sizeof(FaxSendBlock));
  fax->wRecipientCount = 1;
  std::memcpy(fax->recipients[0].szFaxNumber, u"5550100", 16);

  std::vector<Kind> kinds;
  for (int i = 0; i < EmfCorpus_Pages(); ++i) {
    std::vector<uint8_t> bytes = EmfCorpus_Page(i);
    if (bytes.empty()) continue;
    kinds.push_back({std::string("spooled page: ") + EmfCorpus_Name(i), 0, false,
                     [bytes](DdiHost& h, SURFOBJ* s, Resolution) {
                       const EmfPageReport r = EmfPage_PlayOnPage(&h, s, bytes);
                       return !r.refused && r.failures.empty();
                     }});
  }
  kinds.push_back({"sample page", 0, false,
                   [](DdiHost& h, SURFOBJ* s, Resolution) { return DrawSamplePage(h, s); }});
  auto photo = std::make_shared<HostBitmap>(width, height, BMF_24BPP, false, SamplePhoto(width, height));
  auto bgr = std::make_shared<HostXlate>(&HostXlate_SwapRedBlue);
  // The photo over 180 x 120 mm, 20 mm from the top left corner.
  auto stretch = [photo, bgr, width, height](DdiHost& h, SURFOBJ* s, Resolution dpi) {
    const LONG left = LONG(20 * dpi.x / 25.4), top = LONG(20 * dpi.y / 25.4);
    RECTL target{left, top, left + LONG(180 * dpi.x / 25.4), top + LONG(120 * dpi.y / 25.4)};
    RECTL from{0, 0, LONG(width), LONG(height)};
    return h.Get<StretchFn>(INDEX_DrvStretchBlt)(s, photo->get(), nullptr, nullptr, bgr->get(), nullptr, nullptr,
                                                 &target, &from, nullptr, 3) != FALSE;
  };
  kinds.push_back({"photo, DrvStretchBlt, JPEG", 4, true, stretch});
  kinds.push_back({"photo, DrvStretchBlt, delta rows", 3, true, stretch});
  kinds.push_back({"photo, DrvStretchBlt, run-length", 2, true, stretch});
  kinds.push_back({"photo, DrvBitBlt, delta rows", 3, true, [photo, bgr, width, height](DdiHost& h, SURFOBJ* s,
                                                                                        Resolution dpi) {
                     const LONG left = LONG(20 * dpi.x / 25.4), top = LONG(20 * dpi.y / 25.4);
                     RECTL at{left, top, left + LONG(width), top + LONG(height)};
                     POINTL origin{0, 0};
                     return h.Get<BitBltFn>(INDEX_DrvBitBlt)(s, photo->get(), nullptr, nullptr, bgr->get(), &at,
                                                             &origin, nullptr, nullptr, nullptr, 0xCCCC) != FALSE;
                   }});

  std::printf("%d pages per job; the photo is %u x %u (24-bit)\n", pages, width, height);
  std::printf("%-36s %-10s %10s %14s\n", "page", "dpi", "pages/s", "bytes/page");
  int failures = 0, index = 0;
  std::wstring previous;
  for (const Resolution dpi : Resolutions(argv[2])) {
    for (const Kind& kind : kinds) {
      DriverDevMode dm = defaults;
      Fields(dm.doc).nResoH = int16_t(dpi.x);
      Fields(dm.doc).nResoV = int16_t(dpi.y);
      if (kind.compression != 0) Fields(dm.doc).nCompressMode = kind.compression;
      if (kind.colour) Fields(dm.doc).nColorMode = 0;
      SealDocDMode(&dm.doc);
      bool drawn = true;
      DdiHost::FaxJob job;
      job.docName = L"Bench pages";
      const std::wstring output = std::wstring(argv[3]) + L"." + std::to_wstring(++index);
      DeleteFileW(output.c_str());
      job.outputFile = output.c_str();
      job.pages = pages;
      job.fax = fax.get();
      job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
      job.draw = [&](SURFOBJ* s, int) { drawn = kind.draw(host, s, dpi) && drawn; };
      const auto start = std::chrono::steady_clock::now();
      const DdiHost::JobResult result = host.RunFaxJob(printer, argv[2], job);
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      WIN32_FILE_ATTRIBUTE_DATA info{};
      const bool written = GetFileAttributesExW(output.c_str(), GetFileExInfoStandard, &info) != FALSE;
      if (!previous.empty()) DeleteFileW(previous.c_str());
      previous = output;
      const double bytes = double(info.nFileSizeLow) + double(info.nFileSizeHigh) * 4294967296.0;
      char res[32];
      std::snprintf(res, sizeof res, "%ldx%ld", long(dpi.x), long(dpi.y));
      if (!result.ok || !drawn || !written) {
        std::printf("%-36s %-10s failed at %s\n", kind.name.c_str(), res,
                    !result.ok ? result.failedStep.c_str() : !drawn ? "drawing" : "writing the job");
        ++failures;
        continue;
      }
      std::printf("%-36s %-10s %10.2f %14.0f\n", kind.name.c_str(), res, seconds > 0 ? pages / seconds : 0.0,
                  bytes / pages);
    }
  }
  ClosePrinter(printer);
  return failures == 0 ? 0 : 1;
}
