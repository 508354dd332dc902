// faxjob: prints a sample fax job through the render core and leaves what
// the driver hands the spooler in a file.  GDI of Wine never loads a
// printer driver, so the render core's test host stands in for it and for
// the user interface core: it drives the render core's entry points and
// sends the user interface core's escapes, as they would on a printer DC.
//
// usage: faxjob <driver folder> <printer name> <output file> [pages] [--title <document title>]
//        faxjob <driver folder> <printer name> <output file> --emf A.emf [B.emf ...] [--title <document title>]
//
// With --emf the pages are enhanced metafiles, one page each, played as the
// spooler plays a spooled page (the frame on the printable area, aspect
// kept, top-left aligned); per page it reports the records played and the
// kinds it could not play, and refuses a damaged file.  The document title
// is "Sample fax" unless --title gives one.
//
// The printer must exist (faxprinter installs it); its default settings, as
// an application receives them, are the job's settings, with the
// substitution of TrueType faces by the printer's own turned on.  The last
// page holds drawings and a photo; the page before it (with three pages or
// more) is a page of text: Latin text in a resident face
// (the TrueType face "Liberation Sans" replaced by the printer's own), text in a
// TrueType face downloaded as outlines (DejaVu Sans) and Japanese text in a
// face of a TrueType collection (Noto Sans CJK, when installed); the others
// carry only their page origin.  Prints the pages per second of the job
// (wall time).
#include <windows.h>
#include <winspool.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>

#include <fstream>
#include <iterator>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/records/fax_send_block.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/text/text_engine.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/ddi_host_sample.h"
#include "tests/ddi_host/emf_page_player.h"
#include "tests/ddi_host/ddi_host_text.h"
#include "tests/support/emf_records.h"

namespace {

std::vector<uint8_t> ReadFileW(const wchar_t* path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  // A page beyond 256 MB is no page this tool prints.
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= (LONGLONG(1) << 28)) {
    bytes.resize(size_t(size.QuadPart));
    DWORD got = 0;
    if (!ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) || got != bytes.size()) bytes.clear();
  }
  CloseHandle(file);
  return bytes;
}

std::vector<uint8_t> ReadFont(const char* path) {
  std::ifstream in(std::string("Z:") + path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The printer's default settings as the spooler hands them to an
// application (DocumentProperties), with the changes the sample pages need
// made as the sheets make them: TrueType faces may be replaced by the
// printer's own (Font Setting), and the output is in colour (Quality), so
// that the photo goes as JPEG rather than as gray rows.  False when the
// printer's settings cannot be read.
bool SampleSettings(HANDLE printer, wchar_t* name, DriverDevMode* dm) {
  const LONG size = DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0);
  if (size < LONG(sizeof(DriverDevMode))) return false;
  std::vector<uint8_t> buffer(size_t(size), 0);
  auto* devmode = reinterpret_cast<DEVMODEW*>(buffer.data());
  if (DocumentPropertiesW(nullptr, printer, name, devmode, nullptr, DM_OUT_BUFFER) < 0) return false;
  std::memcpy(dm, buffer.data(), sizeof *dm);
  Fields(dm->doc).nTTFont = 0;
  Fields(dm->doc).nColorMode = 0;
  SealDocDMode(&dm->doc);
  return true;
}

// The glyph bitmaps of `text` as Wine's GDI renders them in `face` at an em
// of `emX` by `emY` pixels (the device's two resolutions), for the host font
// (handles 1, 2, 3, ...): what the engine hands the driver for a soft font
// of bitmaps.
void RenderGlyphs(HostFont* font, const wchar_t* face, const std::u16string& text, double emX, double emY) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT gdiFont = CreateFontW(-int(emY + 0.5), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, face);
  HGDIOBJ old = SelectObject(dc, gdiFont);
  // The em's width against its height, as a 16.16 fixed-point factor.
  const double ratio = emY > 0 ? emX / emY : 1.0;
  const auto whole = static_cast<short>(ratio);
  const MAT2 stretch = {{static_cast<WORD>((ratio - whole) * 65536.0), whole}, {0, 0}, {0, 0}, {0, 1}};
  for (size_t k = 0; k < text.size(); ++k) {
    GLYPHMETRICS gm{};
    const DWORD size = GetGlyphOutlineW(dc, text[k], GGO_BITMAP, &gm, 0, nullptr, &stretch);
    if (size == GDI_ERROR || size == 0) continue;
    std::vector<uint8_t> dwordRows(size);
    if (GetGlyphOutlineW(dc, text[k], GGO_BITMAP, &gm, size, dwordRows.data(), &stretch) == GDI_ERROR) continue;
    const uint32_t stride = ((gm.gmBlackBoxX + 31) / 32) * 4, rowBytes = (gm.gmBlackBoxX + 7) / 8;
    HostGlyphBitmap bitmap{{gm.gmptGlyphOrigin.x, -gm.gmptGlyphOrigin.y},
                           {LONG(gm.gmBlackBoxX), LONG(gm.gmBlackBoxY)}, {}, FIX(gm.gmCellIncX * 16)};
    for (uint32_t y = 0; y < gm.gmBlackBoxY && (y + 1) * stride <= size; ++y) {
      bitmap.rows.insert(bitmap.rows.end(), dwordRows.begin() + y * stride, dwordRows.begin() + y * stride + rowBytes);
    }
    if (bitmap.rows.size() == size_t(rowBytes) * gm.gmBlackBoxY) font->SetGlyph(HGLYPH(k + 1), bitmap);
  }
  SelectObject(dc, old);
  DeleteObject(gdiFont);
  DeleteDC(dc);
}

// A line of `text` in `font` from (200, y), its glyphs where GDI puts them:
// by the advances of `face` at an em of `emX` pixels.
void DrawLine(DdiHost& host, SURFOBJ* surface, const std::u16string& text, FONTOBJ* font, const wchar_t* face,
              double emX, LONG y, ULONG cp) {
  static auto textOut = host.Get<decltype(&DrvTextOut)>(INDEX_DrvTextOut);
  if (textOut == nullptr) return;
  HostString line(text, HostGlyphRowByAdvances(face, text, emX, 200, y), cp);
  HostBrush black(0);
  textOut(surface, line.get(), font, nullptr, nullptr, nullptr, black.get(), nullptr, nullptr, 0x0D0D);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* usage = L"usage: faxjob <driver folder> <printer name> <output file> [pages] [--title <title>]\n"
                         L"       faxjob <driver folder> <printer name> <output file> --emf A.emf [B.emf ...] "
                         L"[--title <title>]\n";
  // The arguments without the title option and its value.
  std::vector<wchar_t*> args;
  std::wstring title = L"Sample fax";
  for (int i = 0; i < argc; ++i) {
    if (i > 0 && std::wcscmp(argv[i], L"--title") == 0) {
      if (i + 1 >= argc) {
        std::fwprintf(stderr, L"%ls", usage);
        return 2;
      }
      title = argv[++i];
    } else {
      args.push_back(argv[i]);
    }
  }
  if (args.size() < 4) {
    std::fwprintf(stderr, L"%ls", usage);
    return 2;
  }
  wchar_t* printerName = args[2];
  wchar_t* outputFile = args[3];
  // The pages of enhanced metafiles, read and checked before the job starts.
  std::vector<std::vector<uint8_t>> emfPages;
  const bool emf = args.size() > 4 && std::wcscmp(args[4], L"--emf") == 0;
  if (emf) {
    if (args.size() < 6) {
      std::fwprintf(stderr, L"--emf needs at least one file\n");
      return 2;
    }
    for (size_t i = 5; i < args.size(); ++i) {
      emfPages.push_back(ReadFileW(args[i]));
      if (emfPages.back().empty()) {
        std::fwprintf(stderr, L"cannot read %ls\n", args[i]);
        return 1;
      }
      const std::string damage = testsupport::EmfFileDamage(emfPages.back());
      if (!damage.empty()) {
        std::fwprintf(stderr, L"%ls is refused: %hs\n", args[i], damage.c_str());
        return 1;
      }
    }
  }
  const int pages = emf ? int(emfPages.size()) : args.size() > 4 ? _wtoi(args[4]) : 2;
  const std::wstring module = std::wstring(args[1]) + L"\\VELDRANE.DLL";
  DdiHost host;
  if (!host.Load(module)) {
    std::fwprintf(stderr, L"cannot load %ls (error %lu)\n", module.c_str(), GetLastError());
    return 1;
  }
  HANDLE printer = nullptr;
  if (!OpenPrinterW(printerName, &printer, nullptr)) {
    std::fwprintf(stderr, L"cannot open printer %ls (error %lu)\n", printerName, GetLastError());
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
  job.docName = title.c_str();
  job.outputFile = outputFile;
  job.pages = pages;
  job.fax = fax.get();
  job.jobId = "SAMPLE-0001";
  // Each page carries its page origin (set through the page-origin
  // escape); the last page is a page of drawings with a photo, the one
  // before it a page of text.
  static DriverDevMode settings;
  uint32_t dpiX = 200, dpiY = 100;
  if (SampleSettings(printer, printerName, &settings)) {
    job.devmode = reinterpret_cast<DEVMODEW*>(&settings);
    if (Fields(settings.doc).nResoH > 0 && Fields(settings.doc).nResoV > 0) {
      dpiX = static_cast<uint32_t>(Fields(settings.doc).nResoH);
      dpiY = static_cast<uint32_t>(Fields(settings.doc).nResoV);
    }
  }
  // 14-point text, its font objects' transforms at the device's two
  // resolutions as GDI gives them.
  constexpr double kPoints = 14;
  const double emX = HostEmPixels(kPoints, dpiX), emY = HostEmPixels(kPoints, dpiY);
  HostIfi latin;
  latin.family = u"Liberation Sans";
  HostFont resident(kFoTypeTrueType, 21, latin, HostFontTransform(kPoints, dpiX, dpiY, latin.unitsPerEm));
  HostIfi sans;
  sans.family = u"DejaVu Sans";
  HostFont outlines(kFoTypeTrueType, 22, sans, HostFontTransform(kPoints, dpiX, dpiY, sans.unitsPerEm),
                    ReadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
  HostIfi gothic;
  gothic.family = u"Noto Sans CJK JP";
  gothic.charset = 128;
  gothic.unitsPerEm = 1000;
  HostFont japanese(kFoTypeTrueType, 23, gothic, HostFontTransform(kPoints, dpiX, dpiY, gothic.unitsPerEm),
                    ReadFont("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"));
  const std::u16string japaneseText = u"\u65E5\u672C\u8A9E\u306E\u30D5\u30A1\u30AF\u30B9";
  RenderGlyphs(&japanese, L"Noto Sans CJK JP", japaneseText, emX, emY);
  bool drawn = true;
  int unplayed = 0, failed = 0;
  job.draw = [&](SURFOBJ* surface, int page) {
    if (emf) {
      const EmfPageReport r = EmfPage_PlayOnPage(&host, surface, emfPages[size_t(page)]);
      std::fwprintf(stdout, L"page %d (%ls): %d of %d records played, %d drawing calls", page + 1, args[5 + page],
                    r.played, r.records, r.calls());
      for (const auto& k : r.notPlayed) {
        std::fprintf(stdout, "; not played: %s x %d", EmfPage_KindName(k.first).c_str(), k.second);
        unplayed += k.second;
      }
      for (const std::string& f : r.failures) std::fprintf(stdout, "; failed: %s", f.c_str());
      if (r.refused) std::fprintf(stdout, "; refused: %s", r.damage.c_str());
      failed += int(r.failures.size()) + (r.refused ? 1 : 0);
      std::fprintf(stdout, "\n");
      return;
    }
    const int16_t origin[2] = {static_cast<int16_t>(page + 1), 100};
    host.Escape(surface, 0x20009, sizeof origin, origin, 0, nullptr);
    if (page == pages - 1) drawn = DrawSamplePage(host, surface);
    if (page != pages - 2) return;
    DrawLine(host, surface, u"A resident face: Liberation Sans", resident.get(), L"Liberation Sans", emX, 300, 1252);
    DrawLine(host, surface, u"Downloaded outlines: DejaVu Sans", outlines.get(), L"DejaVu Sans", emX, 450, 1252);
    DrawLine(host, surface, japaneseText, japanese.get(), L"Noto Sans CJK JP", emX, 600, 932);
  };
  const auto start = std::chrono::steady_clock::now();
  DdiHost::JobResult result = host.RunFaxJob(printer, printerName, job);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ClosePrinter(printer);
  if (!drawn) std::fprintf(stderr, "a drawing call of the sample page failed\n");
  if (emf && (unplayed || failed)) {
    std::fprintf(stderr, "%d records not played, %d drawing calls failed\n", unplayed, failed);
  }
  if (!result.ok) {
    std::fprintf(stderr, "job failed at %s (error %lu)\n", result.failedStep.c_str(), GetLastError());
    return 1;
  }
  std::fwprintf(stdout, L"%d pages printed to %ls in %.3f s (%.0f pages per second)\n", pages, outputFile, seconds,
                seconds > 0 ? pages / seconds : 0.0);
  return 0;
}
