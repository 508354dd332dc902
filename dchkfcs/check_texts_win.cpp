// The texts of the cover sheet check window.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "common/qxd/qxd_file.h"
#include "common/qxd/qxd_reader.h"
#include "common/win/module_path.h"
#include "dchkfcs/check_window_win.h"

namespace {

constexpr size_t kTextUnits = 64;

struct TextRow {
  const char* key;
  const wchar_t* builtIn;
  wchar_t text[kTextUnits];
};

TextRow g_texts[kCheckTextCount] = {
    {"Dlg_CheckFAXCoverSheet", L"Check On FAX Cover Sheet", {}},
    {"CfcZoom", L"Zoom", {}},
    {"Cfcz_ZoomIn", L"Zoom In", {}},
    {"Cfcz_ZoomOut", L"Zoom Out", {}},
    {"Cfcz_ViewWholePage", L"View Whole Page", {}},
    {"Cfcz_ViewWholeWidth", L"View Whole Width", {}},
    {"CfcHelp", L"Help", {}},
    {"Cfch_Help", L"Help", {}},
    {"CfcImagePosition", L"Image Position", {}},
    {"CfcImagePositionX", L"X", {}},
    {"CfcImagePositionY", L"Y", {}},
    {"CfcClose", L"Close", {}},
};

bool g_loaded = false;

void EnsureDefaults() {
  if (g_loaded) return;
  ResetCheckWindowTexts();
}

}  // namespace

void ResetCheckWindowTexts() {
  for (TextRow& row : g_texts) {
    std::memset(row.text, 0, sizeof row.text);
    wcsncpy(row.text, row.builtIn, kTextUnits - 1);
  }
  g_loaded = true;
}

const wchar_t* CheckWindowText(CheckText text) {
  EnsureDefaults();
  return g_texts[text].text;
}

void ReadCheckWindowTexts(QxdContext* ctx) {
  EnsureDefaults();
  QxdChainWalk walk;
  if (ctx == nullptr || !QxdBeginChain(ctx, "Dlg_CheckFAXCoverSheet", &walk)) return;
  QxdEntry entry;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char key[64] = {};
    if (!QxdReadString(ctx, entry.keyOffset, key, sizeof key)) continue;
    char16_t text[kTextUnits] = {};
    // Texts longer than a field are cut to 63 characters.
    if (!QxdReadWideString(ctx, entry.textOffset, text, kTextUnits) || text[0] == 0) continue;
    text[kTextUnits - 1] = 0;
    for (TextRow& row : g_texts) {
      if (_stricmp(row.key, key) == 0) std::memcpy(row.text, text, sizeof row.text);
    }
  }
}

void LoadCheckWindowTexts(HMODULE module) {
  EnsureDefaults();
  wchar_t path[MAX_PATH];
  if (!SiblingFilePath(module, L"VELDRANH.QXD", path, MAX_PATH)) return;
  QxdContext* ctx = QxdOpen(path, 1);
  if (ctx == nullptr) return;
  ReadCheckWindowTexts(ctx);
  QxdClose(ctx);
}

void FormatCheckPosition(int32_t x, int32_t y, wchar_t* out, size_t capacity) {
  swprintf(out, capacity, L"%ls %ls %d %ls %d", CheckWindowText(kTextImagePosition), CheckWindowText(kTextPositionX),
           static_cast<int>(x), CheckWindowText(kTextPositionY), static_cast<int>(y));
}
