// Pages of a photo through the render core: an A4 page at 600 dpi holding a
// 24-bit photo (3000 x 2000 by default) drawn with DrvStretchBlt (JPEG, and
// row compression) and with DrvBitBlt (row compression), in whole fax jobs
// through the test host.  Prints pages per second and output bytes per page.
//
// usage: page_bench <driver folder> <printer name> <output file> [pages] [photo width] [photo height]
//
// Each case's job is left in <output file>.1, .2, ...
//
// The printer must exist (faxprinter installs it).  Run it under Wine from
// an optimised tree; the figures include the spooler's writes.
#include <windows.h>
#include <winspool.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "common/records/doc_fields.h"
#include "common/records/fax_send_block.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/ddi_host_draw.h"
#include "tests/ddi_host/ddi_host_sample.h"

namespace {

constexpr uint32_t kImageCompressionAt = 2229, kJpegQualityAt = 3664, kJpegSubModeAt = 3665;
constexpr uint32_t kResolutionAt = 2220;

// A4 portrait at 600 dpi with the given image compression (2 run-length,
// 3 delta row, 4 JPEG).
DriverDevMode A4At600(uint8_t compression) {
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
  SetDocI16(&dm.doc, kDocCopiesAt, 1);
  SetDocI16(&dm.doc, kResolutionAt, 600);
  SetDocI16(&dm.doc, kResolutionAt + 2, 600);
  SetDocI16(&dm.doc, kResolutionAt + 4, 1);
  SetDocByte(&dm.doc, kImageCompressionAt, compression);
  SetDocByte(&dm.doc, kJpegQualityAt, 75);
  SetDocByte(&dm.doc, kJpegSubModeAt, 2);  // 2 x 2 sampling
  dm.magic = kDriverDevModeMagic;
  SealDocDMode(&dm.doc);
  return dm;
}

using StretchFn = BOOL(APIENTRY*)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*, POINTL*,
                                  RECTL*, RECTL*, POINTL*, ULONG);
using BitBltFn = BOOL(APIENTRY*)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*, POINTL*,
                                 BRUSHOBJ*, POINTL*, ROP4);

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr, L"usage: page_bench <driver folder> <printer name> <output file> [pages] [width] [height]\n");
    return 2;
  }
  const int pages = argc > 4 ? _wtoi(argv[4]) : 5;
  const uint32_t width = argc > 5 ? _wtoi(argv[5]) : 3000, height = argc > 6 ? _wtoi(argv[6]) : 2000;
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
  HostBitmap photo(width, height, BMF_24BPP, false, SamplePhoto(width, height));
  HostXlate bgr(&HostXlate_SwapRedBlue);
  std::unique_ptr<FaxSendBlock> fax(new FaxSendBlock());
  std::memset(fax.get(), 0, sizeof(FaxSendBlock));
  fax->wRecipientCount = 1;
  std::memcpy(fax->recipients[0].szFaxNumber, u"5550100", 16);
  std::printf("A4 at 600 dpi, photo %u x %u (24-bit, bottom-up) over 180 x 120 mm, %d pages per job\n", width,
              height, pages);
  struct Case {
    const char* name;
    uint8_t compression;
    bool stretch;
  };
  const Case cases[] = {
      {"DrvStretchBlt, JPEG", 4, true},
      {"DrvStretchBlt, delta rows", 3, true},
      {"DrvStretchBlt, run-length", 2, true},
      {"DrvBitBlt, delta rows", 3, false},
  };
  int index = 0;
  for (const Case& c : cases) {
    // Each case's job in a file of its own: <output file>.1, .2, ...
    const std::wstring output = std::wstring(argv[3]) + L"." + std::to_wstring(++index);
    DriverDevMode dm = A4At600(c.compression);
    bool drawn = true;
    DdiHost::FaxJob job;
    job.docName = L"Photo pages";
    job.outputFile = output.c_str();
    job.pages = pages;
    job.fax = fax.get();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    job.draw = [&](SURFOBJ* s, int) {
      // 180 x 120 mm at 600 dpi, 20 mm from the top left.
      RECTL target{472, 472, 472 + 4252, 472 + 2835};
      if (c.stretch) {
        RECTL from{0, 0, LONG(width), LONG(height)};
        drawn = host.Get<StretchFn>(INDEX_DrvStretchBlt)(s, photo.get(), nullptr, nullptr, bgr.get(), nullptr, nullptr,
                                                         &target, &from, nullptr, 3) &&
                drawn;
      } else {
        RECTL at{472, 472, 472 + LONG(width), 472 + LONG(height)};
        POINTL origin{0, 0};
        drawn = host.Get<BitBltFn>(INDEX_DrvBitBlt)(s, photo.get(), nullptr, nullptr, bgr.get(), &at, &origin, nullptr,
                                                    nullptr, nullptr, 0xCCCC) &&
                drawn;
      }
    };
    const auto start = std::chrono::steady_clock::now();
    const DdiHost::JobResult result = host.RunFaxJob(printer, argv[2], job);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    WIN32_FILE_ATTRIBUTE_DATA info{};
    GetFileAttributesExW(output.c_str(), GetFileExInfoStandard, &info);
    const double bytes = double(info.nFileSizeLow) + double(info.nFileSizeHigh) * 4294967296.0;
    if (!result.ok || !drawn) {
      std::printf("%-28s failed at %s\n", c.name, result.ok ? "drawing" : result.failedStep.c_str());
      continue;
    }
    std::printf("%-28s %6.2f pages/s  %10.0f bytes per page\n", c.name, pages / seconds, bytes / pages);
  }
  ClosePrinter(printer);
  return 0;
}
