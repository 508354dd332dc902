// DrvEscape: the standard escapes, the settings import and export of
// applications, and the private escapes the user interface core sends
// during a job's document events.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/contracts/private_escapes.h"
#include "common/contracts/settings_transfer_win.h"
#include "common/records/auth_reg_record.h"
#include "common/records/doc_fields.h"
#include "common/records/fax_send_block.h"
#include "common/records/inter_sheet_list.h"
#include "common/win/bind_export.h"
#include "common/win/export_guard.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/escapes.h"
#include "drender/job/job_engine.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/pjl/pjl_start_commands.h"
#include "drender/model/render_model.h"
#include "drender/ddi/render_pdev.h"
#include "drender/job/xl_page_operators.h"

namespace {

// The standard escapes and the settings transfer of applications; the
// private escapes of the user interface core are the shared contract's.
enum : ULONG {
  kQueryEscSupport = 8,
  kSetCopyCount = 17,
  kSettingExport = 10000,
  kSettingImport = 10001,
  kPersonalInfoImport = 10002,
  kDefaultSetting = 10003,
  kGetErrorMessage = 10004,
};

constexpr uint32_t kSettingsTransferInput = 8192;
constexpr uint32_t kSettingsTransferNameAt = 4096;

const char* const kTransferNames[5] = {kSprinstSettingExport, kSprinstSettingImport, kSprinstPersonalInfoImport,
                                       kSprinstDefaultSetting, kSprinstGetErrorMsg};

// VELDRANA beside the render core, loaded for each call.
class ProcedureLibrary {
 public:
  ProcedureLibrary() {
    wchar_t path[MAX_PATH];
    if (Rdc_SiblingPath(L"VELDRANA.DLL", path)) module_ = LoadLibraryW(path);
  }
  ~ProcedureLibrary() {
    if (module_) FreeLibrary(module_);
  }
  ProcedureLibrary(const ProcedureLibrary&) = delete;
  ProcedureLibrary& operator=(const ProcedureLibrary&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_ = nullptr;
};

bool In(ULONG size, const void* buffer, ULONG minimum) { return buffer != nullptr && size >= minimum; }

uint32_t ReadU32(const void* buffer, size_t at = 0) {
  uint32_t v;
  std::memcpy(&v, static_cast<const uint8_t*>(buffer) + at, sizeof v);
  return v;
}

void WriteU32(void* buffer, uint32_t v) { std::memcpy(buffer, &v, sizeof v); }

// Escape 0x2000a: a copy of the table whose row pointer points into the copy.
ULONG StoreInterSheetTable(RenderPdev* pdev, ULONG size, const void* in) {
  if (!In(size, in, kInterSheetListHeadSize)) return 0;
  const uint32_t count = ReadU32(in, offsetof(InterSheetList, count));
  const uint64_t needed = kInterSheetListHeadSize + uint64_t{kInterSheetEntrySize} * count;
  if (needed > 0x7FFFFFFF || size < needed) return 0;
  auto* copy = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(needed)));
  if (!copy) return 0;
  std::memcpy(copy, in, static_cast<size_t>(needed));
  auto* list = reinterpret_cast<InterSheetList*>(copy);
  list->entries = count ? reinterpret_cast<InterSheetEntry*>(copy + kInterSheetListHeadSize) : nullptr;
  std::free(pdev->state.interSheetTable);
  pdev->state.interSheetTable = copy;
  return 1;
}

// Escape 0x2000f: the authentication record's fields over the settings.
void ApplyAuthRecord(RenderPdev* pdev, const AuthRegRecord& r) {
  uint8_t* doc = DocBytes(&pdev->state.live->devmode.doc);
  doc[kDocUserTypeAt] = r.byUserType;
  std::memcpy(doc + kDocAuthUserNameAt, r.szAuthUserName, sizeof r.szAuthUserName);
  std::memcpy(doc + kDocAuthUserPassAt, r.byAuthUserPass, sizeof r.byAuthUserPass);
  std::memcpy(doc + kDocAuthUserPassLenAt, &r.wAuthUserPassLen, 2);
  std::memcpy(doc + kDocDeptNameAt, r.szDeptName, sizeof r.szDeptName);
  std::memcpy(doc + kDocDeptPassAt, r.byDeptPass, sizeof r.byDeptPass);
  std::memcpy(doc + kDocDeptPassLenAt, &r.wDeptPassLen, 2);
  std::memcpy(doc + kDocServerSettingAt, &r.wServerSetting, 2);
  std::memcpy(doc + kDocSecurePrintIdAt, r.szSecurePrintId, sizeof r.szSecurePrintId);
  std::memcpy(doc + kDocSecurePrintPassAt, r.bySecurePrintPass, sizeof r.bySecurePrintPass);
  std::memcpy(doc + kDocSecurePrintPassLenAt, &r.wSecurePrintPassLen, 2);
}

// Escape 0x30010: what is held goes back; the rest of the output stays.
void CopyFaxDataOut(RenderPdev* pdev, void* out) {
  const FaxSendBlock* held = pdev->state.engine.fax;
  auto* block = static_cast<uint8_t*>(out);
  const uint16_t count = static_cast<uint16_t>(pdev->state.engine.destinationCount);
  std::memcpy(block + offsetof(FaxSendBlock, wRecipientCount), &count, sizeof count);
  if (!held) return;
  std::memcpy(block, &held->faxSetting, sizeof held->faxSetting);
  std::memcpy(block + offsetof(FaxSendBlock, recipients), held->recipients, sizeof held->recipients);
  std::memcpy(block + offsetof(FaxSendBlock, coverSheet), held->coverSheet, sizeof held->coverSheet);
}

ULONG QuerySupport(ULONG code) {
  if (code == kQueryEscSupport || code == kSetCopyCount) return 1;
  if (code < kSettingExport || code > kGetErrorMessage) return 0;
  ProcedureLibrary library;
  return BindExport<FARPROC>(library.get(), kTransferNames[code - kSettingExport]) != nullptr ? 1 : 0;
}

// The page facts the user interface core reads, at their shared places of
// the copy handed out.
void WriteJobRecordPageFacts(const RenderPdev& pdev, uint8_t* out) {
  const RenderPdevState& s = pdev.state;
  const RenderJobState& e = s.engine;
  auto put32 = [&](uint32_t at, uint32_t v) { std::memcpy(out + at, &v, 4); };
  put32(kJobRecordPageWidthAt, s.surfaceWidth);
  put32(kJobRecordPageHeightAt, s.surfaceHeight);
  put32(kJobRecordSheetCompleteAt, e.sheetOpen == 0 ? 1 : 0);
  // The logical page: the pages begun in the document (1 while the first
  // page is drawn; the driver layout places one page per cell).
  const uint16_t logical = static_cast<uint16_t>(s.pageCounter);
  std::memcpy(out + kJobRecordLogicalPageAt, &logical, 2);
  put32(kJobRecordTabTableAt, s.interSheetTable != nullptr ? 1 : 0);
  put32(kJobRecordStoredPageAt, e.pageCount);
  // The core's page counter is the side counter: 0 until the first page
  // has ended, two sides per one-sided page, one per two-sided page.
  put32(kJobRecordPageCounterAt, e.sideCounter);
  put32(kJobRecordLastTabAt, e.tabCell);
  put32(kJobRecordTabCaptureAt, e.tabStream);
}

ULONG Dispatch(RenderPdev* pdev, ULONG code, ULONG inSize, const void* in, ULONG outSize, void* out) {
  RenderPdevState& s = pdev->state;
  RenderJobState& e = s.engine;
  switch (code) {
    case kQueryEscSupport:
      return QuerySupport(In(inSize, in, 2) ? *static_cast<const uint16_t*>(in) : 0);
    case kSetCopyCount:
      if (In(inSize, in, 4)) s.copies = ReadU32(in);
      if (In(outSize, out, 4)) WriteU32(out, s.copies);
      return 1;
    case kSettingExport:
    case kSettingImport:
    case kPersonalInfoImport:
    case kDefaultSetting:
    case kGetErrorMessage:
      return Rdc_CallSettingsTransfer(code, inSize, in, outSize, out) ? 1 : 0;
    case kEscGetJobData:
      if (!In(outSize, out, sizeof(RenderPdev))) return 0;
      std::memcpy(out, pdev, sizeof(RenderPdev));
      WriteJobRecordPageFacts(*pdev, static_cast<uint8_t*>(out));
      return 1;
    case kEscSetUiDraw:
      if (!In(inSize, in, 4)) return 0;
      s.gs.uiDrawing = ReadU32(in);
      return 1;
    case kEscSetDrawMode:
      if (!In(inSize, in, 4)) return 0;
      e.tabDrawMode = ReadU32(in);
      return 1;
    case kEscSetPageValue:
      if (!In(inSize, in, 4)) return 0;
      e.tabCell = ReadU32(in);
      return 1;
    case kEscSetPageOrigin: {
      if (!In(inSize, in, 4)) return 0;
      std::memcpy(&e.originX, in, 2);
      std::memcpy(&e.originY, static_cast<const uint8_t*>(in) + 2, 2);
      XL_SetPageOrigin(pdev);
      return 1;
    }
    case kEscSetInterSheetList:
      return StoreInterSheetTable(pdev, inSize, in);
    case kEscSetTabText:
      if (!In(inSize, in, 4)) return 0;
      e.tabText = ReadU32(in);
      return 1;
    case kEscSetTabCapture:
      if (!In(inSize, in, 4)) return 0;
      e.tabStream = ReadU32(in);
      return 1;
    case kEscSetPageEntry: {
      if (!In(inSize, in, 5)) return 0;
      const uint32_t index = ReadU32(in);
      const uint8_t mark = static_cast<const uint8_t*>(in)[4];
      if (index < e.pageCount) {
        e.pages[index].settings.tabMark = mark;
      } else {
        e.current.tabMark = mark;
      }
      return 1;
    }
    case kEscFreeInterSheetList:
      std::free(s.interSheetTable);
      s.interSheetTable = nullptr;
      return 1;
    case kEscSetJobSettings: {
      if (!In(inSize, in, kAuthRegRecordSize)) return 0;
      AuthRegRecord record;
      std::memcpy(&record, in, sizeof record);
      ApplyAuthRecord(pdev, record);
      return 1;
    }
    case kEscSetDefaultCtm:
      XL_SetPageDefaultCTM(pdev);
      return 1;
    case kEscSetClipToPage:
      XL_SetClipToPage(pdev);
      return 1;
    case kEscBeginCapture:
      Tab_BeginCapture(pdev);
      return 1;
    case kEscEndCapture:
      Tab_EndCapture(pdev);
      return 1;
    case kEscPrintCapture:
      Tab_PrintPage(pdev);
      return 1;
    case kEscSetJobId: {
      if (!In(inSize, in, kJobIdBytes)) return 0;
      std::memset(s.jobId, 0, sizeof s.jobId);
      std::memcpy(s.jobId, in, kJobIdChars);
      if (RenderPjlState* pjl = pdev->tail.pjl) {
        std::memset(pjl->driverJobId, 0, sizeof pjl->driverJobId);
        std::memcpy(pjl->driverJobId, s.jobId, kJobIdChars);
      }
      return 1;
    }
    case kEscStorePage: {
      if (!In(inSize, in, kStorePageBytes)) return 0;
      const auto* p = static_cast<const uint8_t*>(in);
      RenderCoverGeometry g{};
      std::memcpy(&g.paperCode, p, 2);
      g.drawnWidth = ReadU32(p, 4);
      g.drawnHeight = ReadU32(p, 8);
      g.printableWidth = ReadU32(p, 12);
      g.printableHeight = ReadU32(p, 16);
      g.landscape = ReadU32(p, 20);
      Rdc_StoreCoverPage(pdev, g);
      return 1;
    }
    case kEscSetFaxData:
      if (!In(inSize, in, kFaxSendBlockSize)) return 0;
      return Rdc_SetFaxData(pdev, static_cast<const FaxSendBlock*>(in));
    case kEscFreeFaxData:
      Rdc_FreeFaxData(pdev);
      return 1;
    case kEscResetPageCount:
      XL_CacheResetPageFields(&s.gs);
      return 1;
    case kEscResetGState:
      Rdc_ResetPageState(pdev);
      return 1;
    case kEscReleaseFonts:
      Rdc_ReleaseFonts(pdev);
      return 1;
    case kEscAppendCapture:
      Rdc_AppendCaptureToLastPage(pdev);
      return 1;
    case kEscSetSendTime: {
      if (!In(inSize, in, kSendTimeBytes)) return 0;
      if (RenderPjlState* pjl = pdev->tail.pjl) {
        std::memcpy(pjl->timer, in, sizeof pjl->timer);
        pjl->haveTimer = true;
      }
      return 1;
    }
    case kEscGetFaxData:
      if (!In(outSize, out, kFaxSendBlockSize)) return 0;
      CopyFaxDataOut(pdev, out);
      return 1;
    case kEscSetJobValue64:
      if (!In(inSize, in, 8)) return 0;
      std::memcpy(&e.formFile, in, 8);
      return 1;
    case kEscAuthResult:
      s.authFailed = 1;
      return 1;
    case kEscQueryDrop2:
      if (!In(outSize, out, 4)) return 0;
      WriteU32(out, s.authFailed);
      return 1;
    case kEscSetPrivateArea:
      if (!In(inSize, in, kDocDModeSize)) return 0;
      std::memcpy(&s.live->devmode.doc, in, kDocDModeSize);
      return 1;
    case kEscSetDevOption:
      if (!In(inSize, in, kDevOptionSize)) return 0;
      std::memcpy(&s.live->device.option, in, kDevOptionSize);
      return 1;
    case kEscFaxCancelled:
      s.faxCancelled = 1;
      return 1;
    case kEscQueryDrop1:
      if (!In(outSize, out, 4)) return 0;
      WriteU32(out, s.faxCancelled);
      return 1;
    default:
      return 0;
  }
}

}  // namespace

BOOL Rdc_CallSettingsTransfer(ULONG code, ULONG inSize, const void* in, ULONG outSize, void* out) {
  ProcedureLibrary library;
  if (!library.get()) return FALSE;
  if (code >= kSettingExport && code <= kDefaultSetting) {
    auto fn = BindExport<SettingsTransferFn>(library.get(), kTransferNames[code - kSettingExport]);
    if (!In(inSize, in, kSettingsTransferInput) || !In(outSize, out, 4) || !fn) return FALSE;
    // Both texts end inside their fields, whatever the caller left there.
    char path[kSettingsTransferNameAt];
    char name[kSettingsTransferInput - kSettingsTransferNameAt];
    std::memcpy(path, in, sizeof path);
    std::memcpy(name, static_cast<const uint8_t*>(in) + kSettingsTransferNameAt, sizeof name);
    path[sizeof path - 1] = '\0';
    name[sizeof name - 1] = '\0';
    WriteU32(out, fn(name, path));
    return TRUE;
  }
  if (code == kGetErrorMessage) {
    auto fn = BindExport<SettingsErrorMessageFn>(library.get(), kSprinstGetErrorMsg);
    if (!In(inSize, in, 4) || !In(outSize, out, 1) || !fn) return FALSE;
    const char* text = fn(ReadU32(in));
    std::memset(out, 0, outSize);
    if (text) {
      const size_t n = strnlen(text, outSize - 1);
      std::memcpy(out, text, n);
    }
    return TRUE;
  }
  return FALSE;
}

extern "C" ULONG APIENTRY DrvEscape(SURFOBJ* surface, ULONG code, ULONG inSize, PVOID in, ULONG outSize,
                                   PVOID out) try {
  const DHPDEV handle = surface ? reinterpret_cast<DHPDEV>(surface->dhpdev) : nullptr;
  if (!Rdc_IsValidPdev(handle)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return Dispatch(reinterpret_cast<RenderPdev*>(handle), code, inSize, in, outSize, out);
} catch (...) {
  return ExportFailed("DrvEscape", ULONG{0});
}
