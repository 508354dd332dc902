#include "drender/draw/draw_services.h"

#include "common/win/bind_export.h"
#include "drender/ddi/ddi_services.h"

namespace {

struct Row {
  const char* name;
  size_t offset;
};
#define DRAW_ROW(fn) {#fn, offsetof(DdiDrawServices, fn)}
constexpr Row kRows[] = {
    DRAW_ROW(EngBitBlt),       DRAW_ROW(EngStretchBlt),        DRAW_ROW(EngStretchBltROP),
    DRAW_ROW(EngCopyBits),     DRAW_ROW(EngGradientFill),      DRAW_ROW(EngStrokeAndFillPath),
    DRAW_ROW(EngEraseSurface), DRAW_ROW(CLIPOBJ_ppoGetPath),   DRAW_ROW(EngDeletePath),
    DRAW_ROW(XFORMOBJ_iGetXform),
};
#undef DRAW_ROW
static_assert(sizeof(kRows) / sizeof(kRows[0]) * sizeof(void*) == sizeof(DdiDrawServices));

DdiDrawServices g_draw{};
bool g_bound = false;

}  // namespace

const DdiDrawServices* Ddi_DrawServices() {
  if (g_bound) return &g_draw;
  g_bound = true;
  // The services of one engine only: the module the main table came from.
  HMODULE module = Ddi_ServiceSource() == kDdiSourceHost ? GetModuleHandleW(nullptr)
                   : Ddi_ServiceSource() == kDdiSourceSystem ? GetModuleHandleW(L"gdi32.dll")
                                                             : nullptr;
  if (!module) return &g_draw;
  for (const Row& row : kRows) {
    *reinterpret_cast<FARPROC*>(reinterpret_cast<char*>(&g_draw) + row.offset) = BindExport<FARPROC>(module, row.name);
  }
  return &g_draw;
}
