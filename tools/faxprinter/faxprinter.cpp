// Installs the driver package of one folder as a printer in the spooler,
// delivers the printer initialisation event to the driver as a spooler does,
// and shows what the spooler then hands out for it: the printer's default
// DEVMODE and its device capabilities.  Given a picture file, it also opens
// the printer's document properties and saves a picture of the sheets as
// they first appear (a 24-bit BMP), then closes them with Cancel.  Given a
// folder after the picture file, it opens the document properties three more
// times with settings of its own (portrait A4, 4-up landscape, booklet) and
// saves a picture of the Basic sheet's preview for each.  Given a folder
// after that, it takes the dialog tour (tests/support/dialog_tour_win.h) and
// saves a PNG picture of every sheet and dialog there, named by template id
// and title; a picture that shows nothing, or a sheet or dialog that could
// not be opened, makes it end with status 3.  Given a main description file
// after the folder, the tour shows the pages no host lists on that model
// (the fuller finishing model of the tests' fixtures).
//
// usage: faxprinter <package folder> <printer name> [<picture file> [<preview folder> [<dialogs folder>
//        [<model for the hosted pages>]]]]
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/win/driver_ui_interface_win.h"
#include "tests/support/dialog_tour_win.h"
#include "tests/support/window_picture_win.h"

namespace {

constexpr wchar_t kDriverName[] = L"Fax Driver";

std::string Narrow(const wchar_t* text) {
  if (text == nullptr) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring WindowsPath(std::wstring path) {
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::vector<std::wstring> PackageFiles(const std::wstring& folder) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) files.push_back(found.cFileName);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return files;
}

bool Install(const std::wstring& folder, const std::wstring& printerName) {
  const std::wstring driverFile = folder + L"\\VELDRANE.DLL";
  const std::wstring configFile = folder + L"\\VELDRANK.DLL";
  const std::wstring dataFile = folder + L"\\VELDRANH.QXD";
  std::wstring dependent;
  for (const std::wstring& file : PackageFiles(folder)) {
    if (file == L"VELDRANE.DLL" || file == L"VELDRANK.DLL" || file == L"VELDRANH.QXD") continue;
    dependent += folder + L"\\" + file + L'\0';
  }
  dependent += L'\0';
  DRIVER_INFO_3W driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<wchar_t*>(kDriverName);
  driver.pDriverPath = const_cast<wchar_t*>(driverFile.c_str());
  driver.pConfigFile = const_cast<wchar_t*>(configFile.c_str());
  driver.pDataFile = const_cast<wchar_t*>(dataFile.c_str());
  driver.pDependentFiles = const_cast<wchar_t*>(dependent.c_str());
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_ALL_FILES | APD_COPY_FROM_DIRECTORY)) {
    std::printf("AddPrinterDriverExW failed with error %lu\n", GetLastError());
    return false;
  }
  // A printer of the same name from an earlier run goes first, so that the
  // new one takes its DEVMODE from the driver just installed.
  PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE old = nullptr;
  if (OpenPrinterW(const_cast<wchar_t*>(printerName.c_str()), &old, &all)) {
    DeletePrinter(old);
    ClosePrinter(old);
  }
  PRINTER_INFO_2W info = {};
  info.pPrinterName = const_cast<wchar_t*>(printerName.c_str());
  info.pPortName = const_cast<wchar_t*>(L"FILE:");
  info.pDriverName = const_cast<wchar_t*>(kDriverName);
  info.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
  info.pDatatype = const_cast<wchar_t*>(L"RAW");
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  // Wine's spooler would otherwise ask the sheets for a DEVMODE before the
  // driver has set the printer up; a spooler asks the driver for its default
  // only after the initialisation event (below).
  DEVMODEW bare = {};
  std::wcsncpy(bare.dmDeviceName, printerName.c_str(), CCHDEVICENAME - 1);
  bare.dmSpecVersion = DM_SPECVERSION;
  bare.dmSize = sizeof bare;
  info.pDevMode = &bare;
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) {
    std::printf("AddPrinterW failed with error %lu\n", GetLastError());
    return false;
  }
  ClosePrinter(printer);
  return true;
}

// The driver's default DEVMODE (DrvConvertDevMode, CDM_DRIVER_DEFAULT)
// becomes the printer's, as a spooler keeps it.
bool StoreDriverDefault(HMODULE ui, const std::wstring& name) {
  using ConvertFn = BOOL(WINAPI*)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);
  auto convert = reinterpret_cast<ConvertFn>(reinterpret_cast<void (*)()>(GetProcAddress(ui, "DrvConvertDevMode")));
  if (convert == nullptr) return false;
  std::wstring printerName = name;
  LONG size = 0;
  convert(printerName.data(), nullptr, nullptr, &size, CDM_DRIVER_DEFAULT);
  if (size <= static_cast<LONG>(sizeof(DEVMODEW))) return false;
  std::vector<BYTE> devmode(static_cast<size_t>(size), 0);
  if (!convert(printerName.data(), nullptr, reinterpret_cast<DEVMODEW*>(devmode.data()), &size, CDM_DRIVER_DEFAULT)) {
    return false;
  }
  PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(printerName.data(), &printer, &all)) return false;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> info(needed != 0 ? needed : 1, 0);
  bool stored = needed != 0 && GetPrinterW(printer, 2, info.data(), needed, &needed);
  if (stored) {
    auto* level2 = reinterpret_cast<PRINTER_INFO_2W*>(info.data());
    level2->pDevMode = reinterpret_cast<DEVMODEW*>(devmode.data());
    level2->pSecurityDescriptor = nullptr;
    stored = SetPrinterW(printer, 2, info.data(), 0) != FALSE;
  }
  ClosePrinter(printer);
  return stored;
}

// Delivers the printer initialisation event to the installed driver's user
// interface library, as a spooler does once a printer has been added (Wine's
// spooler sends none): the printer gets the driver's default watermarks,
// its Easy Set presets and its default settings, and then keeps the
// driver's default DEVMODE.
bool DeliverInitializeEvent(const std::wstring& name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, nullptr)) return false;
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  std::vector<BYTE> info(needed != 0 ? needed : 1, 0);
  const bool found = needed != 0 && GetPrinterDriverW(printer, nullptr, 2, info.data(), needed, &needed);
  ClosePrinter(printer);
  if (!found) return false;
  const auto* driver = reinterpret_cast<const DRIVER_INFO_2W*>(info.data());
  if (driver->pConfigFile == nullptr) return false;
  HMODULE ui = LoadLibraryW(driver->pConfigFile);
  if (ui == nullptr) return false;
  using PrinterEventFn = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);
  auto event = reinterpret_cast<PrinterEventFn>(reinterpret_cast<void (*)()>(GetProcAddress(ui, "DrvPrinterEvent")));
  std::wstring printerName = name;
  const bool done = event != nullptr && event(printerName.data(), PRINTER_EVENT_INITIALIZE, 0, 0) != FALSE &&
                    StoreDriverDefault(ui, name);
  FreeLibrary(ui);
  return done;
}

void ShowDevMode(HANDLE printer, const std::wstring& name) {
  const LONG size = DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name.c_str()), nullptr, nullptr, 0);
  std::printf("Default DEVMODE (%ld bytes):\n", size);
  if (size <= 0) return;
  std::vector<BYTE> buffer(size);
  auto* dm = reinterpret_cast<DEVMODEW*>(buffer.data());
  dm->dmSize = static_cast<WORD>(size > 0xFFFF ? 0xFFFF : size);
  if (DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name.c_str()), dm, nullptr, DM_OUT_BUFFER) != IDOK) {
    std::printf("  DocumentPropertiesW failed with error %lu\n", GetLastError());
    return;
  }
  std::printf("  device name      %s\n", Narrow(dm->dmDeviceName).c_str());
  std::printf("  versions         spec 0x%X, driver 0x%X\n", dm->dmSpecVersion, dm->dmDriverVersion);
  std::printf("  sizes            %u + %u private bytes\n", dm->dmSize, dm->dmDriverExtra);
  std::printf("  fields           0x%08lX\n", dm->dmFields);
  std::printf("  orientation      %d\n", dm->dmOrientation);
  std::printf("  paper size       %d (%d x %d)\n", dm->dmPaperSize, dm->dmPaperWidth, dm->dmPaperLength);
  std::printf("  copies           %d\n", dm->dmCopies);
  std::printf("  default source   %d\n", dm->dmDefaultSource);
  std::printf("  resolution       %d x %d\n", dm->dmPrintQuality, dm->dmYResolution);
  std::printf("  media type       %lu\n", dm->dmMediaType);
  std::printf("  settings record  %s\n",
              IsOwnDriverDevMode(dm, static_cast<size_t>(size)) ? "the driver's own, checksum valid" : "not valid");
  uint32_t error = 0;
  if (const DocDMode* doc = LocateDocDMode(dm, &error)) {
    const DocFields& f = Fields(*doc);
    std::wstring easySet;
    for (size_t i = 0; i < std::size(f.szEasySetName) && f.szEasySetName[i] != 0; ++i) {
      easySet.push_back(static_cast<wchar_t>(f.szEasySetName[i]));
    }
    std::printf("  Easy Set         %s\n", easySet.empty() ? "(none)" : Narrow(easySet.c_str()).c_str());
  }
}

void ShowCapabilities(const std::wstring& name) {
  const wchar_t* device = name.c_str();
  const wchar_t* port = L"FILE:";
  std::printf("Capabilities:\n");
  const int papers = DeviceCapabilitiesW(device, port, DC_PAPERS, nullptr, nullptr);
  if (papers <= 0) {
    std::printf("  papers           %d\n", papers);
  } else {
    std::vector<WORD> ids(papers);
    std::vector<wchar_t> names(64 * papers);
    std::vector<POINT> sizes(papers);
    DeviceCapabilitiesW(device, port, DC_PAPERS, reinterpret_cast<wchar_t*>(ids.data()), nullptr);
    DeviceCapabilitiesW(device, port, DC_PAPERNAMES, names.data(), nullptr);
    DeviceCapabilitiesW(device, port, DC_PAPERSIZE, reinterpret_cast<wchar_t*>(sizes.data()), nullptr);
    std::printf("  papers           %d\n", papers);
    for (int i = 0; i < papers; ++i) {
      std::printf("    %5u  %-32s %5ld x %5ld (0.1 mm)\n", ids[i], Narrow(&names[64 * i]).c_str(), sizes[i].x,
                  sizes[i].y);
    }
  }
  const int bins = DeviceCapabilitiesW(device, port, DC_BINS, nullptr, nullptr);
  std::printf("  bins             %d\n", bins);
  if (bins > 0) {
    std::vector<WORD> ids(bins);
    std::vector<wchar_t> names(24 * bins);
    DeviceCapabilitiesW(device, port, DC_BINS, reinterpret_cast<wchar_t*>(ids.data()), nullptr);
    DeviceCapabilitiesW(device, port, DC_BINNAMES, names.data(), nullptr);
    for (int i = 0; i < bins; ++i) std::printf("    %5u  %s\n", ids[i], Narrow(&names[24 * i]).c_str());
  }
  const int resolutions = DeviceCapabilitiesW(device, port, DC_ENUMRESOLUTIONS, nullptr, nullptr);
  std::printf("  resolutions      %d\n", resolutions);
  if (resolutions > 0) {
    std::vector<LONG> pairs(2 * resolutions);
    DeviceCapabilitiesW(device, port, DC_ENUMRESOLUTIONS, reinterpret_cast<wchar_t*>(pairs.data()), nullptr);
    for (int i = 0; i < resolutions; ++i) std::printf("    %ld x %ld dpi\n", pairs[2 * i], pairs[2 * i + 1]);
  }
  const int media = DeviceCapabilitiesW(device, port, DC_MEDIATYPENAMES, nullptr, nullptr);
  std::printf("  media types      %d\n", media);
  if (media > 0) {
    std::vector<wchar_t> names(64 * media);
    DeviceCapabilitiesW(device, port, DC_MEDIATYPENAMES, names.data(), nullptr);
    for (int i = 0; i < media; ++i) std::printf("    %s\n", Narrow(&names[64 * i]).c_str());
  }
  std::printf("  copies           %d\n", DeviceCapabilitiesW(device, port, DC_COPIES, nullptr, nullptr));
  std::printf("  orientation      %d\n", DeviceCapabilitiesW(device, port, DC_ORIENTATION, nullptr, nullptr));
  std::printf("  duplex           %d\n", DeviceCapabilitiesW(device, port, DC_DUPLEX, nullptr, nullptr));
  std::printf("  (-1: not answered)\n");
}

BOOL CALLBACK FindOwnSheet(HWND window, LPARAM parameter) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  if (SendMessageW(window, PSM_GETTABCONTROL, 0, 0) == 0) return TRUE;
  *reinterpret_cast<HWND*>(parameter) = window;
  return FALSE;
}

// A copy of the screen under `window`, written as a bottom-up 24-bit BMP.
bool SaveWindowPicture(HWND window, const std::wstring& path) {
  testsupport::WindowPicture picture;
  if (!testsupport::CaptureWindow(window, &picture)) return false;
  const int width = picture.width, height = picture.height;
  const DWORD stride = (width * 3 + 3) & ~3u, size = stride * height;
  std::vector<BYTE> rows(size, 0);
  for (int y = 0; y < height; ++y) {
    BYTE* row = rows.data() + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const uint32_t p = picture.pixels[static_cast<size_t>(y) * width + x];
      row[3 * x] = static_cast<BYTE>(p);
      row[3 * x + 1] = static_cast<BYTE>(p >> 8);
      row[3 * x + 2] = static_cast<BYTE>(p >> 16);
    }
  }
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  BITMAPFILEHEADER head = {};
  head.bfType = 0x4D42;
  head.bfOffBits = sizeof head + sizeof info;
  head.bfSize = head.bfOffBits + size;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool saved = WriteFile(file, &head, sizeof head, &written, nullptr) &&
                     WriteFile(file, &info, sizeof info, &written, nullptr) &&
                     WriteFile(file, rows.data(), size, &written, nullptr);
  CloseHandle(file);
  return saved;
}

// Opens the document properties with the sheets, saves their picture once
// they are painted and cancels them.
void ShowSheetPicture(HANDLE printer, const std::wstring& name, const std::wstring& path) {
  std::vector<BYTE> out(8260, 0);
  reinterpret_cast<DEVMODEW*>(out.data())->dmSize = static_cast<WORD>(out.size());
  bool saved = false;
  std::thread watcher([&] {
    for (int round = 0; round < 200; ++round) {
      HWND sheet = nullptr;
      EnumWindows(&FindOwnSheet, reinterpret_cast<LPARAM>(&sheet));
      if (sheet == nullptr) {
        Sleep(50);
        continue;
      }
      // Bring the sheet to the front and let every control paint.
      SetForegroundWindow(sheet);
      RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      Sleep(1500);
      saved = SaveWindowPicture(sheet, path);
      PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      return;
    }
  });
  DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name.c_str()), reinterpret_cast<DEVMODEW*>(out.data()),
                      nullptr, DM_IN_PROMPT | DM_OUT_BUFFER);
  watcher.join();
  if (saved) {
    std::printf("Document properties: picture of the sheets saved as %s\n", Narrow(path.c_str()).c_str());
  } else {
    std::printf("Document properties: no sheets were shown\n");
  }
}

// The Basic sheet's preview with the settings that `adjust` makes of the
// printer's default ones, saved as a picture of the preview control.
bool SaveBasicPreview(HANDLE printer, const std::wstring& name, void (*adjust)(DocFields&, DEVMODEW&),
                      const std::wstring& path) {
  const LONG size = DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name.c_str()), nullptr, nullptr, 0);
  if (size <= 0) return false;
  std::vector<BYTE> in(static_cast<size_t>(size), 0), out(static_cast<size_t>(size), 0);
  auto* devmode = reinterpret_cast<DEVMODEW*>(in.data());
  if (DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name.c_str()), devmode, nullptr, DM_OUT_BUFFER) !=
      IDOK) {
    return false;
  }
  uint32_t error = 0;
  DocDMode* doc = LocateDocDMode(devmode, &error);
  if (doc == nullptr) return false;
  adjust(Fields(*doc), *devmode);
  SealDocDMode(doc);
  bool saved = false;
  std::thread watcher([&] {
    for (int round = 0; round < 200; ++round) {
      HWND sheet = nullptr;
      EnumWindows(&FindOwnSheet, reinterpret_cast<LPARAM>(&sheet));
      if (sheet == nullptr) {
        Sleep(50);
        continue;
      }
      // The Basic sheet is the second document page.
      SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
      SetForegroundWindow(sheet);
      Sleep(500);
      HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
      HWND preview = page != nullptr ? GetDlgItem(page, 1235) : nullptr;
      if (preview != nullptr) {
        RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(1000);
        saved = SaveWindowPicture(preview, path);
      }
      PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      return;
    }
  });
  DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name.c_str()), reinterpret_cast<DEVMODEW*>(out.data()),
                      devmode, DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
  watcher.join();
  return saved;
}

void SaveBasicPreviews(HANDLE printer, const std::wstring& name, const std::wstring& folder) {
  struct Setting {
    const wchar_t* file;
    void (*adjust)(DocFields&, DEVMODEW&);
  };
  const Setting settings[] = {
      {L"basic-preview-portrait-a4.bmp",
       [](DocFields& f, DEVMODEW& d) {
         // The standard fields win over the private ones where both are set.
         d.dmPaperSize = DMPAPER_A4;
         d.dmOrientation = DMORIENT_PORTRAIT;
         f.nOrientation = 1;
         f.nPaperSize = DMPAPER_A4;
         f.nOutPaperSize = DMPAPER_A4;
         f.bNup = 0;
         f.nDuplex = 1;
       }},
      {L"basic-preview-4up-landscape.bmp",
       [](DocFields& f, DEVMODEW& d) {
         d.dmOrientation = DMORIENT_LANDSCAPE;
         f.nOrientation = 2;
         f.bNup = 1;
         f.nNup = 2;  // 4 pages on one sheet
         f.nDuplex = 1;
       }},
      {L"basic-preview-booklet.bmp",
       [](DocFields& f, DEVMODEW& d) {
         d.dmOrientation = DMORIENT_PORTRAIT;
         f.nOrientation = 1;
         f.bNup = 0;
         f.nDuplex = 3;  // booklet
       }},
  };
  for (const Setting& s : settings) {
    const std::wstring path = folder + L"\\" + s.file;
    if (SaveBasicPreview(printer, name, s.adjust, path)) {
      std::printf("Basic sheet preview saved as %s\n", Narrow(path.c_str()).c_str());
    } else {
      std::printf("Basic sheet preview %s: not saved\n", Narrow(s.file).c_str());
    }
  }
}

// Saves a picture of every stop of the dialog tour in `folder`; false when
// one is blank or missing.
bool SaveDialogPictures(HANDLE printer, const std::wstring& name, const std::wstring& folder,
                        const std::wstring& hostedModel) {
  CreateDirectoryW(folder.c_str(), nullptr);
  bool good = true;
  const testsupport::TourReport report =
      testsupport::RunDialogTour(printer, name, [&](const testsupport::TourStop& stop, HWND window) {
        const std::string path = Narrow(folder.c_str()) + "\\" + testsupport::TourPictureName(stop);
        testsupport::WindowPicture picture;
        HWND shown = GetAncestor(window, GA_ROOT);
        if (!testsupport::SaveWindowPng(shown, path, &picture)) {
          std::printf("  %s: not saved\n", testsupport::TourPictureName(stop).c_str());
          good = false;
        } else if (testsupport::IsBlankPicture(picture)) {
          std::printf("  %s: blank (%d x %d)\n", testsupport::TourPictureName(stop).c_str(), picture.width,
                      picture.height);
          good = false;
        } else {
          std::printf("  %s (%d x %d)\n", testsupport::TourPictureName(stop).c_str(), picture.width, picture.height);
        }
      }, hostedModel);
  for (const std::string& question : report.questions) std::printf("  answered with OK: %s\n", question.c_str());
  for (const std::string& problem : report.problems) std::printf("  not shown: %s\n", problem.c_str());
  return good && report.problems.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3 || argc > 7) {
    std::printf(
        "usage: faxprinter <package folder> <printer name> [<picture file> [<preview folder> [<dialogs folder> "
        "[<model for the hosted pages>]]]]\n");
    return 2;
  }
  const std::wstring folder = WindowsPath(argv[1]);
  const std::wstring name = argv[2];
  if (!Install(folder, name)) return 1;
  std::printf("Printer \"%s\" installed with driver \"%s\" from %s\n", Narrow(name.c_str()).c_str(),
              Narrow(kDriverName).c_str(), Narrow(folder.c_str()).c_str());
  std::printf("Printer initialisation event: %s\n", DeliverInitializeEvent(name) ? "delivered" : "not delivered");
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, nullptr)) {
    std::printf("OpenPrinterW failed with error %lu\n", GetLastError());
    return 1;
  }
  ShowDevMode(printer, name);
  ShowCapabilities(name);
  if (argc >= 4) ShowSheetPicture(printer, name, argv[3]);
  if (argc >= 5) SaveBasicPreviews(printer, name, WindowsPath(argv[4]));
  bool pictures = true;
  if (argc >= 6) {
    const std::wstring dialogs = WindowsPath(argv[5]);
    std::printf("Pictures of the sheets and dialogs in %s:\n", Narrow(dialogs.c_str()).c_str());
    pictures = SaveDialogPictures(printer, name, dialogs, argc == 7 ? WindowsPath(argv[6]) : std::wstring());
  }
  ClosePrinter(printer);
  return pictures ? 0 : 3;
}
