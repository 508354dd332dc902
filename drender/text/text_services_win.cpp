// Binding of the object services of strings, fonts and transforms, from the
// module the engine services came from (the system's GDI library or the host
// program), so that objects of two engines are never mixed.
#include <cstddef>

#include "common/win/bind_export.h"
#include "drender/ddi/ddi_services.h"
#include "drender/text/ddi_text_types.h"

namespace {

struct Row {
  const char* name;
  size_t offset;
};
#define TEXT_ROW(fn) {#fn, offsetof(DdiTextServices, fn)}
constexpr Row kRows[] = {
    TEXT_ROW(STROBJ_vEnumStart),      TEXT_ROW(STROBJ_bEnum),         TEXT_ROW(STROBJ_dwGetCodePage),
    TEXT_ROW(FONTOBJ_pifi),           TEXT_ROW(FONTOBJ_pxoGetXform),  TEXT_ROW(FONTOBJ_pvTrueTypeFontFile),
    TEXT_ROW(FONTOBJ_cGetGlyphs),     TEXT_ROW(XFORMOBJ_iGetXform),   TEXT_ROW(EngTextOut),
    TEXT_ROW(EngComputeGlyphSet),     TEXT_ROW(EngFreeMem),
};
#undef TEXT_ROW
static_assert(sizeof(kRows) / sizeof(kRows[0]) * sizeof(void*) == sizeof(DdiTextServices),
              "every service of the table has a row");

DdiTextServices g_services{};
bool g_bound = false;

}  // namespace

const DdiTextServices* Ddi_TextServices() {
  if (g_bound) return &g_services;
  g_bound = true;
  Ddi_BindServices();
  HMODULE module = nullptr;
  switch (Ddi_ServiceSource()) {
    case kDdiSourceSystem: module = GetModuleHandleW(L"gdi32.dll"); break;
    case kDdiSourceHost: module = GetModuleHandleW(nullptr); break;
    default: break;
  }
  if (module == nullptr) return &g_services;
  for (const Row& row : kRows) {
    FARPROC proc = BindExport<FARPROC>(module, row.name);
    *reinterpret_cast<FARPROC*>(reinterpret_cast<char*>(&g_services) + row.offset) = proc;
  }
  return &g_services;
}
