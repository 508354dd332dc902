#include "ddproc/usb/usb_status_win.h"
#include "common/text/bounded_text.h"

#include <winspool.h>

#include <cstring>
#include <vector>

namespace {

DWORD WINAPI SystemStartDoc(HANDLE printer, DWORD level, LPBYTE info) { return StartDocPrinterW(printer, level, info); }
BOOL WINAPI SystemWritePrinter(HANDLE printer, LPVOID data, DWORD size, LPDWORD written) {
  return WritePrinter(printer, data, size, written);
}
BOOL WINAPI SystemEndDoc(HANDLE printer) { return EndDocPrinter(printer); }
void WINAPI SystemSleep(DWORD ms) { Sleep(ms); }

const UsbSpoolerAccess kSystemAccess = {SystemStartDoc, SystemWritePrinter, SystemEndDoc, SystemSleep};
UsbSpoolerAccess g_access = kSystemAccess;

constexpr char kSection[] = "PrinterStatus";
constexpr DWORD kFirstKeyBuffer = 128;
// The key list is not read beyond this many bytes.
constexpr DWORD kMaxKeyBuffer = 1u << 20;

// The keys of the section as one double-NUL-terminated run; the buffer
// grows by doubling while the answer fills it.
bool ReadKeyNames(const char* path, std::vector<char>* keys) {
  DWORD size = kFirstKeyBuffer;
  for (;;) {
    keys->assign(size, '\0');
    const DWORD got = GetPrivateProfileStringA(kSection, nullptr, "", keys->data(), size, path);
    if (got != size - 2 || size >= kMaxKeyBuffer) {
      // A list cut at the limit keeps its whole keys only.
      if (got == size - 2) (*keys)[got] = '\0';
      keys->push_back('\0');
      keys->push_back('\0');
      return true;
    }
    size *= 2;
  }
}

}  // namespace

void SetUsbSpoolerAccess(const UsbSpoolerAccess* access) { g_access = access != nullptr ? *access : kSystemAccess; }

std::string UsbStatusJobText(const char* replyPath) {
  std::string text = "\x1b%-12345X@PJL \r\n@PJL INFO VQOPTSTATUS\r\n@PJL COMMENT = \"";
  text += replyPath;
  text += "\"\r\n\x1b%-12345X";
  return text;
}

UsbStatusList* GetPrinterStatusUsbFile(const char* path) {
  std::vector<char> keys;
  ReadKeyNames(path, &keys);
  std::vector<const char*> names;
  for (const char* key = keys.data(); *key != '\0' && names.size() < kUsbMaxPairs; key += std::strlen(key) + 1) {
    names.push_back(key);
  }
  const size_t bytes = sizeof(UsbStatusList) + names.size() * sizeof(UsbStatusPair);
  HGLOBAL block = GlobalAlloc(GHND, bytes);
  if (block == nullptr) return nullptr;
  auto* list = static_cast<UsbStatusList*>(GlobalLock(block));
  if (list == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  list->pairs = reinterpret_cast<UsbStatusPair*>(list + 1);
  for (size_t i = 0; i < names.size(); ++i) CopyText(list->pairs[i].key, sizeof list->pairs[i].key, names[i]);
  list->count = static_cast<uint32_t>(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    GetPrivateProfileStringA(kSection, list->pairs[i].key, "", list->pairs[i].value, kUsbStatusText, path);
  }
  return list;
}

void DeletePrinterStatusUsb(UsbStatusList* list) {
  if (list == nullptr) return;
  HGLOBAL block = GlobalHandle(list);
  if (block == nullptr) return;
  GlobalUnlock(block);
  GlobalFree(block);
}

UsbStatusList* GetPrinterStatusUsb(HANDLE printer) {
  char directory[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(MAX_PATH, directory);
  if (length == 0 || length > MAX_PATH) return nullptr;
  char path[MAX_PATH + 1] = {};
  if (GetTempFileNameA(directory, "dat", 0, path) == 0) return nullptr;
  DeleteFileA(path);

  std::string job = UsbStatusJobText(path);
  wchar_t docName[] = L"Printer Configuration";
  wchar_t dataType[] = L"RAW";
  DOC_INFO_1W info = {docName, nullptr, dataType};
  if (g_access.startDoc(printer, 1, reinterpret_cast<LPBYTE>(&info)) == 0) return nullptr;
  DWORD written = 0;
  if (!g_access.writePrinter(printer, job.data(), static_cast<DWORD>(job.size()), &written)) {
    g_access.endDoc(printer);
    return nullptr;
  }
  g_access.endDoc(printer);

  bool arrived = false;
  for (int attempt = 0; attempt < kUsbReplyTries && !arrived; ++attempt) {
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      arrived = true;
    } else {
      g_access.sleep(kUsbReplyWaitMs);
    }
  }
  if (!arrived) return nullptr;
  UsbStatusList* list = GetPrinterStatusUsbFile(path);
  DeleteFileA(path);
  return list;
}
