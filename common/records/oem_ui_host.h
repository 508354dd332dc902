// The records of a universal-printer-driver host that runs the sheet
// procedures as a user-interface plug-in, declared from the documented
// plug-in interface (the platform headers of this tool chain lack them).
#pragma once

#include <windows.h>

#include <compstui.h>

struct OemUiProcs;

struct OEMUIOBJ {
  DWORD cbSize;
  OemUiProcs* pOemUIProcs;
};

// What the host hands a plug-in's property pages.
struct OEMUIPSPARAM {
  DWORD cbSize;
  OEMUIOBJ* poemuiobj;
  HANDLE hPrinter;
  PWSTR pPrinterName;
  HANDLE hModule;
  HANDLE hOEMHeap;
  DEVMODEW* pPublicDM;
  PVOID pOEMDM;
  PVOID pOEMUserData;
  DWORD dwFlags;
  PVOID pOemEntry;
};

struct OEMCUIPPARAM;
using OEMCUIPCALLBACK = LONG(APIENTRY*)(PCPSUICBPARAM, OEMCUIPPARAM*);

// What the host hands a plug-in's common-UI items.
struct OEMCUIPPARAM {
  DWORD cbSize;
  OEMUIOBJ* poemuiobj;
  HANDLE hPrinter;
  PWSTR pPrinterName;
  HANDLE hModule;
  HANDLE hOEMHeap;
  DEVMODEW* pPublicDM;
  PVOID pOEMDM;
  DWORD dwFlags;
  POPTITEM pDrvOptItems;
  DWORD cDrvOptItems;
  POPTITEM pOEMOptItems;
  DWORD cOEMOptItems;
  PVOID pOEMUserData;
  OEMCUIPCALLBACK OEMCUIPCallback;
};

// The mode argument of DrvUpdateUISetting.
inline constexpr DWORD kOemCuipDocProp = 1;
inline constexpr DWORD kOemCuipPrnProp = 2;

// The host's core-UI interface, as far as the plug-in calls it: a COM
// object whose sixth method is DrvUpdateUISetting.
struct PrintCoreUi;
struct PrintCoreUiVtbl {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(PrintCoreUi* self, REFIID iid, void** out);
  ULONG(STDMETHODCALLTYPE* AddRef)(PrintCoreUi* self);
  ULONG(STDMETHODCALLTYPE* Release)(PrintCoreUi* self);
  HRESULT(STDMETHODCALLTYPE* DrvGetDriverSetting)(PrintCoreUi* self, PVOID pci, PCSTR feature, PVOID output,
                                                  DWORD size, PDWORD needed, PDWORD options);
  HRESULT(STDMETHODCALLTYPE* DrvUpgradeRegistrySetting)(PrintCoreUi* self, HANDLE printer, PCSTR feature,
                                                        PCSTR option);
  HRESULT(STDMETHODCALLTYPE* DrvUpdateUISetting)(PrintCoreUi* self, PVOID pci, PVOID optItem, DWORD previousSel,
                                                 DWORD mode);
};
struct PrintCoreUi {
  const PrintCoreUiVtbl* vtbl;
};

// The host's option items as the 64-bit host lays them out.
static_assert(sizeof(void*) != 8 || sizeof(OPTITEM) == 88);
