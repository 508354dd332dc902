#include "dproc/disp_string_tables_win.h"

#include "common/module_path.h"
#include "common/qxd_file.h"
#include "common/ui_encryption_info.h"
#include "dproc/edit_range_limits.h"
#include "dproc/fax_cover_styles.h"
#include "dproc/sheet_tab_tips.h"
#include "dproc/sprinst_messages.h"
#include "dproc/startup_settings.h"
#include "dproc/watermark_defaults.h"

namespace {

bool AnsiToWide(const char* text, char16_t* out, size_t capacity) {
  if (capacity == 0) return false;
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<wchar_t*>(out), static_cast<int>(capacity));
  if (n > 0) return true;
  // Too long for the field: keep what fits.
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
  out[capacity - 1] = 0;
  return true;
}

}  // namespace

void LoadDispStringTablesFrom(const wchar_t* path) {
  QxdContext* ctx = QxdOpen(path, 1);
  if (ctx == nullptr) return;
  // The model has colour unless its record says otherwise.
  const bool colorDevice = true;

  // The sections of the dialogs' own tables, in the order of the display
  // texts they belong to.
  LoadEditRangeLimits(ctx);
  LoadOverlayNoneText(ctx);
  LoadWatermarkFonts(ctx);
  LoadDefaultWatermarks(ctx, colorDevice);
  LoadFaxCoverStyles(ctx);

  LoadStartupSettings(ctx, AnsiToWide);

  LoadSheetTabTipTexts(ctx);
  LoadSprinstErrorMessages(ctx);
  ReadUIEncryptionInfo(ctx);
  QxdClose(ctx);
}

void LoadDispStringTables(HMODULE own) {
  wchar_t path[MAX_PATH + 1];
  if (SiblingFilePath(own, L"VELDRANH.QXD", path, MAX_PATH + 1)) LoadDispStringTablesFrom(path);
}
