#include "dproc/watermark/watermark_store_win.h"

#include <winspool.h>

#include <cstring>

#include "common/win/numbered_values_win.h"
#include "common/win/user_registry.h"
#include "dproc/startup/watermark_defaults.h"
#include "dproc/watermark/watermark_lists.h"

namespace {

constexpr wchar_t kCountName[] = L"WMInfoCnt";
constexpr wchar_t kRecordName[] = L"WaterMark%d";
constexpr wchar_t kOrderName[] = L"WMOrder%02d";

// A zero-filled block of `slots` records, or null.
template <typename Record>
Record* NewBlock(size_t slots) {
  return static_cast<Record*>(LocalAlloc(LPTR, slots * sizeof(Record)));
}

// Hands `block` out with `count` records; a count of 0 frees it unless
// `keepEmpty`.
template <typename Record>
size_t HandOut(Record* block, size_t count, Record** out, bool keepEmpty) {
  if (count == 0 && !keepEmpty) {
    LocalFree(block);
    return 0;
  }
  *out = block;
  return count;
}

size_t ReadRecords(const NumberedValues& values, size_t cap, WaterMarkInfo** out) {
  WaterMarkInfo* block = NewBlock<WaterMarkInfo>(cap + 1);
  if (block == nullptr) return 0;
  bool counted = false;
  const size_t n = ReadNumberedRecords(values, kCountName, kRecordName, 1, sizeof(WaterMarkInfo), cap, block,
                                       &counted);
  if (!counted) {
    LocalFree(block);
    return 0;
  }
  return HandOut(block, n, out, true);
}


}  // namespace

void RegDefWaterMarks(HANDLE printer) {
  const size_t defaults = CountDefaultWatermarks(g_defaultWatermarks, kDefaultWatermarks);
  const NumberedValues values = PrinterDataValues(printer);
  DWORD stored = 0;
  const bool counted = ReadValueCount(values, kCountName, &stored);
  if (counted && stored >= defaults) return;
  WaterMarkInfo list[kMaxPublicWatermarks] = {};
  const size_t held = counted ? ReadNumberedRecords(values, kCountName, kRecordName, 1, sizeof(WaterMarkInfo),
                                                    kMaxPublicWatermarks, list)
                              : 0;
  const size_t count = AppendMissingDefaults(g_defaultWatermarks, defaults, list, held, kMaxPublicWatermarks);
  if (counted && count == held) return;
  WriteNumberedRecords(values, kCountName, kRecordName, 1, sizeof(WaterMarkInfo), list, count);
}

size_t ReadPrinterWaterMarks(HANDLE printer, WaterMarkInfo** out) {
  if (out == nullptr) return 0;
  return ReadRecords(PrinterDataValues(printer), kMaxPublicWatermarks, out);
}

BOOL WritePrinterWaterMarks(const wchar_t* printerName, const WaterMarkInfo* records, size_t count) {
  if (records == nullptr || printerName == nullptr || count > kMaxPublicWatermarks) return FALSE;
  PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ACCESS_ADMINISTER};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &printer, &access)) return FALSE;
  const bool ok =
      WriteNumberedRecords(PrinterDataValues(printer), kCountName, kRecordName, 1, sizeof(WaterMarkInfo), records, count);
  ClosePrinter(printer);
  return ok ? TRUE : FALSE;
}

size_t ReadUserWaterMarks(const wchar_t*, const wchar_t* printerName, const wchar_t* driverName, WaterMarkInfo** out) {
  if (out == nullptr) return 0;
  UserSettingsKey key(printerName, driverName, L"");
  if (key.get() == nullptr) return 0;
  return ReadRecords(RegistryKeyValues(key.get()), kMaxPrivateWatermarks, out);
}

BOOL WriteUserWaterMarks(const wchar_t*, const wchar_t* printerName, const wchar_t* driverName,
                         const WaterMarkInfo* records, size_t count) {
  if ((records == nullptr && count != 0) || count > kMaxPrivateWatermarks) return FALSE;
  UserSettingsKey key(printerName, driverName, L"");
  if (key.get() == nullptr) return FALSE;
  return WriteNumberedRecords(RegistryKeyValues(key.get()), kCountName, kRecordName, 1, sizeof(WaterMarkInfo),
                              records, count)
             ? TRUE
             : FALSE;
}

size_t ReadWaterMarkOrder(const wchar_t*, const wchar_t* printerName, const wchar_t* driverName, size_t publicCount,
                          const WaterMarkInfo* publicMarks, size_t privateCount, const WaterMarkInfo* privateMarks,
                          WMOrderEntry** out) {
  if (out == nullptr) return 0;
  if (publicMarks == nullptr || publicCount > kMaxPublicWatermarks) publicCount = 0;
  if (privateMarks == nullptr || privateCount > kMaxPrivateWatermarks) privateCount = 0;
  const size_t total = publicCount + privateCount;
  if (total == 0) return 0;
  WMOrderEntry stored[kMaxWatermarkOrder] = {};
  size_t storedCount = 0;
  {
    UserSettingsKey key(printerName, driverName, L"WMOrder");
    if (key.get() != nullptr) {
      storedCount = ReadNumberedRecords(RegistryKeyValues(key.get()), nullptr, kOrderName, 0, sizeof(WMOrderEntry),
                                        kMaxWatermarkOrder, stored);
    }
  }
  WMOrderEntry* block = NewBlock<WMOrderEntry>(total);
  if (block == nullptr) return 0;
  const size_t n = BuildWatermarkOrder(stored, storedCount, publicMarks, publicCount, privateMarks, privateCount,
                                       block, total);
  return HandOut(block, n, out, false);
}

BOOL WriteWaterMarkOrder(const wchar_t*, const wchar_t* printerName, const wchar_t* driverName,
                         const WMOrderEntry* entries, size_t count) {
  if ((entries == nullptr && count != 0) || count > kMaxWatermarkOrder) return FALSE;
  UserSettingsKey key(printerName, driverName, L"WMOrder");
  if (key.get() == nullptr) return FALSE;
  return WriteNumberedRecords(RegistryKeyValues(key.get()), nullptr, kOrderName, 0, sizeof(WMOrderEntry), entries,
                              count)
             ? TRUE
             : FALSE;
}
