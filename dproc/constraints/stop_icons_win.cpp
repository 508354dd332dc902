#include "dproc/constraints/stop_icons_win.h"

#include <commctrl.h>

#include "dproc/sheets/dialog_helpers.h"

namespace {

constexpr uint32_t kIconIds[kStopIconRows] = {
    1115, 1110, 1108, 1111, 2242, 1140, 1195, 1196, 1112, 1125, 1113, 2211, 2212, 2279, 1407, 1608, 1399, 1425,
    1891, 1217, 1151, 1152, 1153, 2277, 2278, 2214, 1154, 1155, 2216, 2215, 2217, 2218, 2219, 2220, 2280, 2221,
    2281, 2282, 1120, 2222, 1219, 1643, 1117, 1119, 1297, 2213, 1167, 2257, 2259, 1168, 2343, 2349, 2351, 2354,
    2346, 1636, 1503, 1402, 1403, 1505, 1508, 1400, 1401, 1510, 1512, 1515, 1518, 1521, 1464, 1881, 1548, 1927,
    1929, 2194, 2192, 2193, 2191, 2195, 2196, 2340, 2197, 2198, 2199, 2203, 2204, 2205, 2206, 2210, 2200, 2201,
    2202, 2207, 2208, 2303, 2209, 1995, 2223, 2224, 2226, 2230, 2231, 2232, 2233, 2236, 2260, 2264, 2262, 2528,
    2271, 2518, 2519, 2520, 2521, 2316, 2502, 2503, 2513, 2514, 2515, 2504, 2523, 2522,
};
// Balloons whose tail points right, up, or down at the left; the others
// point down.
constexpr uint32_t kTailRight[] = {2279, 2217, 2218, 2222, 1219, 1927, 2194, 2192, 2193, 2191, 2195,
                                   2196, 2340, 2200, 2201, 2202, 2207, 2208, 2303, 2209, 1995, 2236,
                                   2260, 2264, 2262, 2528, 2271, 2518, 2519, 2521, 2503, 2523};
constexpr uint32_t kTailUp[] = {1929};
constexpr uint32_t kTailDownLeft[] = {2226, 2231, 2232, 2233};

template <size_t N>
bool Listed(const uint32_t (&ids)[N], uint32_t id) {
  for (uint32_t x : ids) {
    if (x == id) return true;
  }
  return false;
}

HintEntry* MakeTable() {
  static HintEntry table[kStopIconRows + 1] = {};
  for (size_t i = 0; i < kStopIconRows; ++i) {
    HintEntry& row = table[i];
    row.controlId = kIconIds[i];
    uint16_t image = 198;
    if (Listed(kTailRight, row.controlId)) image = 202;
    else if (Listed(kTailUp, row.controlId)) image = 403;
    else if (Listed(kTailDownLeft, row.controlId)) image = 405;
    row.imageId = image;
    row.maskId = static_cast<uint16_t>(image + 1);
  }
  return table;
}

HMODULE g_images = nullptr;

}  // namespace

HintEntry* StopIconTable() {
  static HintEntry* table = MakeTable();
  return table;
}

HintEntry* FindStopIcon(uint32_t controlId) {
  for (HintEntry* row = StopIconTable(); row->controlId != 0; ++row) {
    if (row->controlId == controlId) return row;
  }
  return nullptr;
}

void SetStopIconImages(HMODULE images) { g_images = images; }

void StoreStopIconRect(HWND dialog, HintEntry* table) {
  for (HintEntry* row = table; row->controlId != 0; ++row) {
    HWND control = GetDlgItem(dialog, static_cast<int>(row->controlId));
    if (control == nullptr) continue;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    row->rect = r;
  }
}

HWND CreateToolTipWindow(HWND owner) {
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&init);
  return CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, owner, nullptr, g_images, nullptr);
}

void CreateToolTipWindows(HWND dialog) {
  for (HintEntry* row = StopIconTable(); row->controlId != 0; ++row) {
    HWND control = GetDlgItem(dialog, static_cast<int>(row->controlId));
    if (control == nullptr) continue;
    if (row->tooltip != nullptr) DestroyWindow(row->tooltip);
    row->tooltip = CreateToolTipWindow(control);
  }
}

void DrawMaskedIconBitmap(HWND dialog, const DRAWITEMSTRUCT* item, const HintEntry* row) {
  HWND control = GetDlgItem(dialog, static_cast<int>(item->CtlID));
  if (control == nullptr || g_images == nullptr) return;
  HBITMAP image = LoadBitmapW(g_images, MAKEINTRESOURCEW(row->imageId));
  HBITMAP mask = LoadBitmapW(g_images, MAKEINTRESOURCEW(row->maskId));
  if (image != nullptr && mask != nullptr) {
    HDC dc = GetDC(control);
    HDC memory = CreateCompatibleDC(dc);
    RECT client;
    GetClientRect(control, &client);
    HGDIOBJ old = SelectObject(memory, mask);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCAND);
    SelectObject(memory, image);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCINVERT);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(control, dc);
  }
  if (image != nullptr) DeleteObject(image);
  if (mask != nullptr) DeleteObject(mask);
}

void DrawStopInfoIcon(HWND dialog, uint32_t controlId, const DRAWITEMSTRUCT* given, HintEntry* table) {
  DRAWITEMSTRUCT item = {};
  if (given != nullptr) {
    item = *given;
  } else {
    item.CtlType = ODT_BUTTON;
    item.CtlID = controlId;
    item.hwndItem = GetDlgItem(dialog, static_cast<int>(controlId));
    if (item.hwndItem != nullptr) GetClientRect(item.hwndItem, &item.rcItem);
  }
  for (HintEntry* row = table; row->controlId != 0; ++row) {
    if (row->controlId != item.CtlID) continue;
    HWND control = GetDlgItem(dialog, static_cast<int>(row->controlId));
    if (control == nullptr) continue;
    if (row->show != 0) {
      MoveWindow(control, row->rect.left, row->rect.top, row->rect.right - row->rect.left,
                 row->rect.bottom - row->rect.top, TRUE);
      EnableCtrlIfVisible(control, TRUE);
      DrawMaskedIconBitmap(dialog, &item, row);
    } else {
      MoveWindow(control, 0, 0, 0, 0, TRUE);
      EnableWindow(control, FALSE);
    }
  }
}

bool IsStopIconHidden(uint32_t controlId) {
  const HintEntry* row = FindStopIcon(controlId);
  return row == nullptr || row->show == 0;
}

void DestroyStopIconTooltips() {
  for (HintEntry* row = StopIconTable(); row->controlId != 0; ++row) {
    if (row->tooltip != nullptr) DestroyWindow(row->tooltip);
    row->tooltip = nullptr;
  }
}
