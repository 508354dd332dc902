#include "dproc/sheets/nup_option_table_win.h"

#include "common/win/win_version.h"
#include "dproc/model/feature_table.h"

namespace {

// A plug-in host's page record starts with a non-zero byte; the sheet
// session of the user interface core with a zero byte.
bool IsPluginPageRecord(const SheetCtx* ctx) {
  const auto* record = ctx != nullptr ? reinterpret_cast<const uint8_t*>(ctx->lParam) : nullptr;
  return record != nullptr && record[0] != 0;
}

}  // namespace

OptionHead* NupOptionTableFor(const SheetCtx* ctx, int winVersionClass) {
  return NupOptionTable(winVersionClass == kWinNT4 && IsPluginPageRecord(ctx));
}

OptionHead* GetNupOptionTable(const SheetCtx* ctx) { return NupOptionTableFor(ctx, GetWinVersionClass()); }
