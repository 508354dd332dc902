#include "dproc/model/default_settings_win.h"

#include <cwchar>

#include "common/contracts/xl_font_functions_win.h"
#include "common/win/bind_export.h"
#include "common/win/module_path.h"

bool ReadXLFontList(const wchar_t* path, std::vector<XLFontEntry>* out) {
  out->clear();
  if (path == nullptr) return false;
  HMODULE library = LoadLibraryW(path);
  if (library == nullptr) return false;
  auto init = BindExport<InitXLFontDataFn>(library, kInitXLFontData);
  auto count = BindExport<GetXLFontCountFn>(library, kGetXLFontCount);
  auto get = BindExport<GetXLFontDataFn>(library, kGetXLFontData);
  auto term = BindExport<TermXLFontDataFn>(library, kTermXLFontData);
  bool ok = false;
  if (init != nullptr && count != nullptr && get != nullptr && term != nullptr && init(0)) {
    ok = true;
    const int n = count();
    for (int i = 0; i < n && i < 4096; ++i) {
      WORD number = 0;
      wchar_t name[33] = {};
      DWORD kind = 0;
      if (!get(i, &number, name, 64, &kind)) continue;
      name[32] = L'\0';
      XLFontEntry entry = {};
      entry.number = number;
      WideCharToMultiByte(CP_ACP, 0, name, -1, entry.name, sizeof entry.name - 1, nullptr, nullptr);
      out->push_back(entry);
    }
    term();
  }
  FreeLibrary(library);
  return ok;
}

void LoadDefaultSettingsWithFonts(HMODULE ownModule, QxdContext* ctx, const ModelInfo* model,
                                  const char* localePaper, const wchar_t* fontLibrary, DocDMode* record) {
  std::vector<XLFontEntry> fonts;
  bool haveFonts = false;
  if (ctx != nullptr && fontLibrary != nullptr && fontLibrary[0] != L'\0') {
    wchar_t path[MAX_PATH + 64] = {};
    if (std::wcslen(fontLibrary) < 64 && SiblingFilePath(ownModule, fontLibrary, path, MAX_PATH + 64)) {
      haveFonts = ReadXLFontList(path, &fonts);
    }
  }
  const XLFontList list{fonts.data(), static_cast<uint32_t>(fonts.size())};
  LoadDefaultSettings(ctx, model, localePaper, haveFonts ? &list : nullptr, record);
}
