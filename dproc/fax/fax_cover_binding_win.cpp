#include "dproc/fax/fax_cover_binding_win.h"

#include <cstring>

#include "common/win/bind_export.h"
#include "common/win/module_path.h"
#include "common/cover/cover_defaults.h"

static_assert(sizeof(FaxCoverSheetData) == kFaxCoverSheetDataSize);

namespace {
const FaxCoverStore* g_store = nullptr;
}

FaxCoverSheetPopupDialogFn BindFaxCoverSheetDialog() {
  return BindExport<FaxCoverSheetPopupDialogFn>(ModuleOfThisCode(), kFaxCoverSheetPopupDialog);
}

void SetFaxCoverStore(const FaxCoverStore* store) { g_store = store; }

bool ReadFaxCoverRecord(const wchar_t* printerName, const wchar_t* driverName, uint8_t* record) {
  // The built-in cover sheet first: a store that cannot be opened leaves it,
  // one that reads only some values lays what it read over it.
  FaxCoverSheetData defaults;
  MakeDefaultCoverSheet(&defaults);
  std::memcpy(record, &defaults, sizeof defaults);
  return g_store != nullptr && g_store->read != nullptr && g_store->read(printerName, driverName, record) == 1;
}

bool WriteFaxCoverRecord(const wchar_t* printerName, const wchar_t* driverName, const uint8_t* record) {
  return g_store != nullptr && g_store->write != nullptr && g_store->write(printerName, driverName, record) == 1;
}
