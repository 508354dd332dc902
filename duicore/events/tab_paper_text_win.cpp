#include "duicore/events/tab_paper_text_win.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "common/contracts/private_escapes.h"
#include "common/contracts/proc_library_exports_win.h"
#include "common/records/doc_fields.h"
#include "common/records/job_record.h"
#include "common/win/inter_sheet_store.h"
#include "common/win/printer_queries.h"
#include "duicore/events/event_services_win.h"
#include "duicore/events/tab_geometry.h"

namespace {

struct ListDeleter {
  void operator()(InterSheetList* list) const { FreeInterSheetList(list); }
};
using ListPtr = std::unique_ptr<InterSheetList, ListDeleter>;

uint32_t U32(const uint8_t* record, uint32_t at) {
  uint32_t v;
  std::memcpy(&v, record + at, 4);
  return v;
}

// The list the job's settings name, for the maker, printer and driver.
ListPtr LoadJobList(HANDLE printer, const DocDMode& doc) {
  if (DocByte(&doc, DOC_FIELD_AT(CoverMFP_bUsePerPageSet)) == 0) return nullptr;
  wchar_t printerName[MAX_PATH] = {}, driverName[MAX_PATH] = {};
  if (!QueryPrinterName(printer, printerName, MAX_PATH) || !QueryDriverName(printer, driverName, nullptr)) {
    return nullptr;
  }
  return ListPtr(LoadInterSheetList(printerName, driverName, DocI16(&doc, DOC_FIELD_AT(CoverMFP_nPerPageList)), true));
}

bool HasTabText(const InterSheetEntry& e) { return e.tabPaper != 0 && e.caption[0] != u'\0'; }

int NupCount(const DocDMode& doc) {
  static const int kCounts[6] = {1, 2, 4, 6, 9, 16};
  const uint8_t kind = DocByte(&doc, kDocNupKindAt);
  return DocByte(&doc, kDocNupAt) != 0 && kind >= 1 && kind <= 5 ? kCounts[kind] : 1;
}

}  // namespace

void SendJobInterSheetList(HANDLE printer, HDC dc) {
  std::unique_ptr<uint8_t[]> record = ReadJobRecord(dc);
  if (!record) return;
  ListPtr list = LoadJobList(printer, *reinterpret_cast<const DocDMode*>(record.get() + kJobRecordDocAt));
  if (!list) return;
  const size_t size = kInterSheetListHeadSize + size_t{list->count} * kInterSheetEntrySize;
  std::vector<uint8_t> block(size);
  std::memcpy(block.data(), list.get(), kInterSheetListHeadSize);
  if (list->count != 0 && list->entries != nullptr) {
    std::memcpy(block.data() + kInterSheetListHeadSize, list->entries, size - kInterSheetListHeadSize);
  }
  SendEscape(dc, kEscSetInterSheetList, static_cast<uint32_t>(size), block.data());
}

int DrawTabPaperText(HDC dc, HANDLE printer, int event) {
  const int saved = SaveDC(dc);
  [&] {
    {
      EventLibrary proc(L"VELDRANA.DLL");
      if (proc.Bind<GetCompanyNameFn>(kGetCompanyName) == nullptr) return;
    }
    std::unique_ptr<uint8_t[]> record = ReadJobRecord(dc);
    if (!record) return;
    const uint32_t on = 1;
    if (!SendEscape(dc, kEscSetDrawMode, sizeof on, &on)) return;
    const auto& doc = *reinterpret_cast<const DocDMode*>(record.get() + kJobRecordDocAt);
    ListPtr list = LoadJobList(printer, doc);
    if (!list || list->count == 0 || list->entries == nullptr) return;
    const bool tableSent = U32(record.get(), kJobRecordTabTableAt) != 0;
    const uint32_t counter = U32(record.get(), kJobRecordPageCounterAt);
    const int nup = NupCount(doc);
    if (event == 6 && !tableSent) {
      const int i = FindTabEntryForPage(*list, 0, counter / 2 + 1);
      if (i >= 0) {
        const InterSheetEntry& e = list->entries[i];
        const uint32_t text = (HasTabText(e) && e.printType == 1) ? 1 : 0;
        SendEscape(dc, kEscSetTabText, sizeof text, &text);
      }
    }
    uint32_t page = DocByte(&doc, kDocDoubleSidesAt) == 2 ? counter : counter / 2;
    if (event == 7) page += 1;
    int found = -1;
    for (int i = FindTabEntryForPage(*list, 0, page); i >= 0; i = FindTabEntryForPage(*list, i + 1, page)) {
      if (HasTabText(list->entries[i])) {
        found = i;
        break;
      }
    }
    if (found < 0) return;
    const InterSheetEntry& e = list->entries[found];
    const bool captured = U32(record.get(), kJobRecordTabCaptureAt) != 0;
    const bool sheetDone = U32(record.get(), kJobRecordSheetCompleteAt) != 0;
    uint16_t logical;
    std::memcpy(&logical, record.get() + kJobRecordLogicalPageAt, 2);
    const bool lastOfSheet = nup < 2 || (sheetDone && logical % nup == 0);
    if ((event == 6 && !tableSent && captured && e.printType == 0 && lastOfSheet) ||
        (event == 8 && e.printType == 0 && captured)) {
      const uint32_t off = 0;
      SendEscape(dc, kEscPrintCapture);
      SendEscape(dc, kEscSetTabCapture, sizeof off, &off);
    }
    if (event == 7 && tableSent && (e.printType == 0 || (e.printType == 1 && nup > 1))) {
      uint8_t entry[5];
      const uint32_t index = U32(record.get(), kJobRecordStoredPageAt);
      std::memcpy(entry, &index, 4);
      entry[4] = static_cast<uint8_t>(e.printType);
      SendEscape(dc, kEscSetPageEntry, sizeof entry, entry);
    }
  }();
  const uint32_t off = 0;
  SendEscape(dc, kEscSetDrawMode, sizeof off, &off);
  if (saved != 0) RestoreDC(dc, saved);
  return 1;
}
