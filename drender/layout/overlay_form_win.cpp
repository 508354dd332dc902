// Overlay form files in jobs: creation from the first page of a job and
// insertion of a stored form into the pages of later jobs.
#include "drender/layout/overlay_form.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

#include "common/records/doc_fields.h"
#include "common/records/overlay_form_file.h"
#include "drender/job/job_engine.h"
#include "drender/layout/layout_replay.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/model/render_model.h"
#include "drender/ddi/render_pdev.h"
#include "drender/job/stored_stream.h"
#include "drender/job/temp_spool_file.h"
#include "drender/job/xl_page_operators.h"

namespace {

constexpr uint32_t kValueBytes = 520;
constexpr uint32_t kPiece = 65536;

DocDMode* Doc(RenderPdev* pdev) { return &pdev->state.live->devmode.doc; }

bool OverlayWanted(RenderPdev* pdev) {
  const DocDMode* doc = Doc(pdev);
  return DocByte(doc, DOC_FIELD_AT(bOverlay)) == 1 && DocI16(doc, DOC_FIELD_AT(nFormListPos)) != -1 &&
         DocByte(doc, kDocOverlayCreateAt) == 0;
}

void StreamName(RenderPdev* pdev, char* name, size_t size) {
  std::snprintf(name, size, "O%u",
                static_cast<unsigned>(static_cast<uint16_t>(DocI16(Doc(pdev), DOC_FIELD_AT(nFormListPos)))));
}

bool WriteAll(HANDLE file, const uint8_t* bytes, uint32_t length) {
  while (length > 0) {
    DWORD wrote = 0;
    if (!WriteFile(file, bytes, length, &wrote, nullptr) || wrote == 0) return false;
    bytes += wrote;
    length -= wrote;
  }
  return true;
}

}  // namespace

uint32_t Form_WriteOverlayFile(RenderPdev* pdev) {
  RenderJobState& e = pdev->state.engine;
  const DocDMode* doc = Doc(pdev);
  // The form is named after the document.
  const wchar_t* wide = pdev->state.docName;
  char ansi[64] = {};
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi - 1, "?", &usedDefault);
  char16_t wideName[64] = {};
  for (size_t i = 0; i < 63 && wide[i]; ++i) wideName[i] = static_cast<char16_t>(wide[i]);
  FormHeaderFields fields{};
  fields.ansiName = ansi;
  fields.ansiNeededDefault = usedDefault != FALSE;
  fields.wideName = wideName;
  fields.paperWidth = DocI16(doc, kDocOutPaperWidthAt);
  fields.paperLength = DocI16(doc, kDocOutPaperLengthAt);
  fields.selectColor = DocByte(doc, DOC_FIELD_AT(nColorMode));
  fields.orientation = DocByte(doc, kDocOrientationAt);
  fields.resolution = static_cast<uint16_t>(DocI16(doc, DOC_FIELD_AT(nResoH)));
  FormFileHeader header{};
  Form_BuildHeader(fields, &header);
  HANDLE file = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(e.formFile));
  if (e.formFile == 0 || file == INVALID_HANDLE_VALUE) return 0;
  e.formFile = 0;
  uint32_t ok = WriteAll(file, reinterpret_cast<const uint8_t*>(&header), sizeof header) ? 1 : 0;
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kPiece]);
  if (!buffer || e.pageCount == 0) ok = 0;
  if (ok) {
    const PageStoreEntry& page = e.pages[0];
    for (uint32_t done = 0; ok && done < page.length;) {
      const uint32_t want = page.length - done < kPiece ? page.length - done : kPiece;
      uint32_t got = 0;
      if (!Spool_Read(page.spool, page.offset + done, buffer.get(), want, &got) || got == 0 ||
          !WriteAll(file, buffer.get(), got)) {
        ok = 0;
      }
      done += got;
    }
  }
  CloseHandle(file);
  return ok;
}

bool Form_GetRegistryKey(const wchar_t* maker, const wchar_t* driver, const wchar_t* printer, wchar_t* key,
                         uint32_t chars) {
  while (*printer == L'\\') ++printer;
  const int n = std::swprintf(key, chars, L"Software\\%ls\\%ls\\%ls", maker, driver, printer);
  return n > 0 && static_cast<uint32_t>(n) < chars;
}

bool Prn_GetDriverName(const wchar_t* printer, wchar_t name[260]) {
  name[0] = 0;
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printer), &handle, nullptr)) return false;
  DWORD needed = 0;
  GetPrinterDriverW(handle, nullptr, 1, nullptr, 0, &needed);
  bool ok = false;
  if (needed >= sizeof(DRIVER_INFO_1W)) {
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[needed]);
    if (block && GetPrinterDriverW(handle, nullptr, 1, block.get(), needed, &needed)) {
      const auto* info = reinterpret_cast<const DRIVER_INFO_1W*>(block.get());
      if (info->pName) {
        std::wcsncpy(name, info->pName, 259);
        name[259] = 0;
        ok = true;
      }
    }
  }
  ClosePrinter(handle);
  return ok;
}

uint32_t Form_InsertStoredForm(RenderPdev* pdev, TempSpool* spool) {
  if (!spool) return 0;
  wchar_t driver[260];
  if (!Prn_GetDriverName(pdev->state.printerName, driver)) return 0;
  wchar_t key[520];
  if (!Form_GetRegistryKey(Rdc_MakerName(), driver, pdev->state.printerName, key, 520)) return 0;
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return 0;
  wchar_t value[16];
  std::swprintf(value, 16, L"Form%d", DocI16(Doc(pdev), DOC_FIELD_AT(nFormListPos)) + 1);
  // The path is terminated inside its buffer whatever the value holds.
  wchar_t path[kValueBytes / 2 + 1] = {};
  DWORD type = 0, size = kValueBytes;
  const LONG read = RegQueryValueExW(handle, value, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(handle);
  if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
  path[size / 2 < kValueBytes / 2 ? size / 2 : kValueBytes / 2] = 0;
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  LARGE_INTEGER fileSize{};
  uint8_t head[sizeof(FormFileHeader)] = {};
  uint32_t got = 0;
  FormFileHeader header{};
  uint32_t streamOffset = 0;
  uint64_t streamLength = 0;
  bool ok = GetFileSizeEx(file, &fileSize) && Rdc_ReadFileFully(file, head, sizeof head, &got) &&
            Form_ParseHeader(head, got, static_cast<uint64_t>(fileSize.QuadPart), &header, &streamOffset,
                             &streamLength) == kFormHeaderOk;
  if (ok) {
    Spool_Close(spool, 1);
    LARGE_INTEGER at{};
    at.QuadPart = streamOffset;
    ok = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != 0;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kPiece]);
    if (!buffer) ok = false;
    // A piece shorter than 64 KB, an empty one included, ends the load.
    for (uint32_t offset = 0; ok;) {
      uint32_t n = 0;
      if (!Rdc_ReadFileFully(file, buffer.get(), kPiece, &n)) {
        ok = false;
        break;
      }
      if (n > 0 && !Spool_Write(spool, offset, buffer.get(), n)) ok = false;
      offset += n;
      if (n < kPiece) break;
    }
  }
  CloseHandle(file);
  return ok ? 1 : 0;
}

void Overlay_DefineStream(RenderPdev* pdev, uint8_t* buffer) {
  RenderJobState& e = pdev->state.engine;
  e.overlayStream = 0;
  if (!OverlayWanted(pdev) || !pdev->state.captureSpool) return;
  if (!Form_InsertStoredForm(pdev, pdev->state.captureSpool)) return;
  PageStoreEntry entry;
  Entry_Init(&entry, 0, pdev->state.captureSpool, nullptr);
  char name[16];
  StreamName(pdev, name, sizeof name);
  if (Xl_WriteStoredStream(&pdev->state.xl, &entry, name, buffer, kEntryPieceSize)) e.overlayStream = 1;
  Spool_Close(pdev->state.captureSpool, 1);
}

void Overlay_ApplyToPage(RenderPdev* pdev, bool front) {
  RenderJobState& e = pdev->state.engine;
  const DocDMode* doc = Doc(pdev);
  if (!e.overlayStream || !OverlayWanted(pdev)) return;
  if ((DocByte(doc, DOC_FIELD_AT(nFormLaying)) == 1) != front) return;
  const uint32_t sides = DocByte(doc, kDocDoubleSidesAt) == 1 ? e.sideCounter / 2 : e.sideCounter;
  const uint32_t page = sides + 1;
  bool chosen = false;
  switch (DocByte(doc, DOC_FIELD_AT(nOverlay))) {
    case 2: chosen = true; break;
    case 3: chosen = page == 1; break;
    case 4: chosen = page % 2 == 0; break;
    case 5: chosen = page % 2 == 1; break;
    default: break;
  }
  if (!chosen) return;
  XlEncoder* enc = &pdev->state.xl;
  XlOp_PushGS(enc);
  XL_SetPageDefaultCTM(pdev);
  if (front) XL_SetClipToPage(pdev);
  // The page's own origin, not whatever origin the last drawn page set.
  int32_t x = 0, y = 0;
  Layout_DirectOrigin(pdev, &x, &y);
  e.originX = static_cast<int16_t>(x);
  e.originY = static_cast<int16_t>(y);
  XL_SetPageOrigin(pdev);
  const uint32_t reduce = Layout_BindingReducePercent(pdev);
  if (reduce != 100) XL_SetPageScale(pdev, static_cast<int32_t>(reduce * 10000), static_cast<int32_t>(reduce * 10000));
  char name[16];
  StreamName(pdev, name, sizeof name);
  XL_ExecStream(pdev, name);
  XlOp_PopGS(enc);
  Rdc_ResetPageState(pdev);
}
