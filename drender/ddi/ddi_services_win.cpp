// Binding of the engine services by name.
#include "drender/ddi/ddi_services.h"

#include "common/win/bind_export.h"

namespace {

struct ServiceRow {
  const char* name;
  size_t offset;  // of the pointer in DdiServices
};

#define DDI_ROW(fn) {#fn, offsetof(DdiServices, fn)}
constexpr ServiceRow kRows[] = {
    DDI_ROW(EngLoadModule),         DDI_ROW(EngFreeModule),       DDI_ROW(EngFindResource),
    DDI_ROW(EngCreatePalette),      DDI_ROW(EngDeletePalette),    DDI_ROW(EngCreateDeviceSurface),
    DDI_ROW(EngCreateBitmap),       DDI_ROW(EngAssociateSurface), DDI_ROW(EngDeleteSurface),
    DDI_ROW(EngMarkBandingSurface), DDI_ROW(EngLockSurface),      DDI_ROW(EngUnlockSurface),
    DDI_ROW(CLIPOBJ_cEnumStart),    DDI_ROW(CLIPOBJ_bEnum),       DDI_ROW(PATHOBJ_vEnumStart),
    DDI_ROW(PATHOBJ_bEnum),         DDI_ROW(BRUSHOBJ_pvAllocRbrush), DDI_ROW(BRUSHOBJ_pvGetRbrush),
    DDI_ROW(BRUSHOBJ_ulGetBrushColor), DDI_ROW(XLATEOBJ_iXlate),  DDI_ROW(XLATEOBJ_cGetPalette),
};
#undef DDI_ROW
static_assert(sizeof(kRows) / sizeof(kRows[0]) * sizeof(void*) == sizeof(DdiServices),
              "every service of the table has a row");

DdiServices g_services{};
DdiServiceSource g_source = kDdiSourceNone;
bool g_bound = false;

// Number of services `module` exports; `into` (when given) receives them.
size_t Resolve(HMODULE module, DdiServices* into) {
  if (!module) return 0;
  size_t found = 0;
  for (const ServiceRow& row : kRows) {
    FARPROC proc = BindExport<FARPROC>(module, row.name);
    if (!proc) continue;
    ++found;
    if (into) {
      *reinterpret_cast<FARPROC*>(reinterpret_cast<char*>(into) + row.offset) = proc;
    }
  }
  return found;
}

}  // namespace

const DdiServices* Ddi_BindServices() {
  if (g_bound) return &g_services;
  g_bound = true;
  constexpr size_t kAll = sizeof(kRows) / sizeof(kRows[0]);
  // Services of different engines must never be mixed (their objects are
  // not interchangeable), so the whole table comes from one module.
  HMODULE system = GetModuleHandleW(L"gdi32.dll");
  HMODULE host = GetModuleHandleW(nullptr);
  if (Resolve(system, nullptr) == kAll) {
    Resolve(system, &g_services);
    g_source = kDdiSourceSystem;
  } else if (Resolve(host, nullptr) > 0) {
    Resolve(host, &g_services);
    g_source = kDdiSourceHost;
  } else if (Resolve(system, &g_services) > 0) {
    g_source = kDdiSourceSystem;
  }
  return &g_services;
}

const DdiServices* Ddi_Services() { return &g_services; }
DdiServiceSource Ddi_ServiceSource() { return g_source; }
size_t Ddi_ServiceCount() { return sizeof(kRows) / sizeof(kRows[0]); }
const char* Ddi_ServiceName(size_t index) { return index < Ddi_ServiceCount() ? kRows[index].name : nullptr; }
