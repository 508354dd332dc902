#include "dproc/dialogs/modal_dialog_win.h"

#include <cstring>
#include <vector>

#include "common/win/activation_context_win.h"
#include "common/win/win_version.h"
#include "dproc/dialogs/dialog_modules_win.h"

namespace {

bool TemplateBytes(HMODULE module, uint16_t id, const uint8_t** data, size_t* size) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
  if (found == nullptr) return false;
  const DWORD bytes = SizeofResource(module, found);
  HGLOBAL loaded = bytes != 0 ? LoadResource(module, found) : nullptr;
  const void* locked = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (locked == nullptr) return false;
  *data = static_cast<const uint8_t*>(locked);
  *size = bytes;
  return true;
}

}  // namespace

void GetGuiFontInfo(uint16_t* pointSize, wchar_t* face, LOGFONTW* font) {
  LOGFONTW lf = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  if (face != nullptr) {
    std::memset(face, 0, kGuiFaceUnits * sizeof(wchar_t));
    for (size_t i = 0; i + 1 < kGuiFaceUnits && i < LF_FACESIZE && lf.lfFaceName[i] != 0; ++i) face[i] = lf.lfFaceName[i];
  }
  if (font != nullptr) *font = lf;
  if (pointSize != nullptr) {
    *pointSize = 0;
    if (HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {
      SetMapMode(dc, MM_TWIPS);
      POINT p = {0, lf.lfHeight};
      DPtoLP(dc, &p, 1);
      const LONG twips = p.y < 0 ? -p.y : p.y;
      *pointSize = static_cast<uint16_t>(twips / 20);
      DeleteDC(dc);
    }
  }
}

GuiFontFacts CurrentGuiFontFacts() {
  GuiFontFacts facts = {};
  wchar_t face[kGuiFaceUnits] = {};
  LOGFONTW lf = {};
  GetGuiFontInfo(&facts.pointSize, face, &lf);
  for (size_t i = 0; i < kGuiFaceUnits; ++i) facts.face[i] = static_cast<char16_t>(face[i]);
  facts.weight = static_cast<uint16_t>(lf.lfWeight);
  facts.italic = lf.lfItalic;
  facts.charSet = lf.lfCharSet;
  return facts;
}

uint32_t LoadDialogTemplate(HMODULE module, uint16_t id, void* buffer, uint32_t capacity) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!TemplateBytes(module, id, &data, &size)) return 0;
  const GuiFontFacts font = CurrentGuiFontFacts();
  // Sized from the template and the new face name, so any face fits.
  const size_t need = PatchedDialogTemplateSize(data, size, font);
  if (need == 0 || need > 0xFFFFFFFFu) return 0;
  if (buffer == nullptr || capacity < need) return static_cast<uint32_t>(need);
  if (PatchDialogTemplateFont(data, size, font, static_cast<uint8_t*>(buffer), capacity) == 0) return 0;
  return static_cast<uint32_t>(need);
}

DialogPlatform CurrentDialogPlatform() {
  OSVERSIONINFOW info = {};
  DialogPlatform p = {};
  p.known = QueryWindowsVersion(&info);
  p.ntFamily = !p.known || info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  p.vistaOrLater = p.known && IsVistaOrLaterOf(info.dwPlatformId, info.dwMajorVersion);
  return p;
}

intptr_t MyDialogBoxOn(const DialogPlatform& platform, HMODULE module, HWND parent, uint16_t templateId,
                       DLGPROC proc, LPARAM context) {
  std::vector<uint8_t> copy;
  if (platform.known && !platform.ntFamily) {
    const uint32_t need = LoadDialogTemplate(module, templateId, nullptr, 0);
    try {
      copy.assign(need, 0);
    } catch (...) {
      copy.clear();
    }
    if (need == 0 || LoadDialogTemplate(module, templateId, copy.data(), need) == 0) copy.clear();
  } else if (platform.vistaOrLater) {
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (TemplateBytes(module, templateId, &data, &size)) {
      try {
        copy.assign(data, data + size);
      } catch (...) {
        copy.clear();
      }
      // A standard template loses the caption's help button; an extended
      // one is run as written.
      if (copy.size() >= 4 && !(copy[2] == 0xFF && copy[3] == 0xFF)) copy[1] &= static_cast<uint8_t>(~0x20);
    }
  }
  ActivationScope scope(DialogFrameworkModules().activation);
  if (!copy.empty()) {
    return DialogBoxIndirectParamW(module, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), parent, proc,
                                   context);
  }
  return DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), parent, proc, context);
}

intptr_t RunMyDialogBox(HMODULE module, HWND parent, uint16_t templateId, DLGPROC proc, LPARAM context) {
  return MyDialogBoxOn(CurrentDialogPlatform(), module, parent, templateId, proc, context);
}

namespace {
SheetDialogRunner g_sheetDialogRunner = nullptr;
}  // namespace

void SetSheetDialogRunner(SheetDialogRunner runner) { g_sheetDialogRunner = runner; }

intptr_t RunSheetDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context) {
  if (g_sheetDialogRunner != nullptr) return g_sheetDialogRunner(owner, templateId, proc, context);
  return RunMyDialogBox(DialogFrameworkModules().templates, owner, templateId, proc, context);
}
