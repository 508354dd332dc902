#include "duicore/events/event_services_win.h"

#include <winspool.h>

#include <new>

#include "common/contracts/proc_library_exports_win.h"
#include "common/records/job_record.h"
#include "common/win/user_registry.h"
#include "duicore/module/core_module_win.h"
#include "common/contracts/private_escapes.h"
#include "duicore/events/adapter_query_win.h"

namespace {

int SystemEscape(HDC dc, int code, int inSize, const void* in, int outSize, void* out) {
  return ExtEscape(dc, code, inSize, static_cast<const char*>(in), outSize, static_cast<char*>(out));
}

HMODULE SystemLoadLibrary(const wchar_t* fileName) {
  wchar_t path[MAX_PATH];
  if (!CoreSiblingPath(fileName, path, MAX_PATH)) return nullptr;
  CoreActivation activation;
  return LoadLibraryW(path);
}

void SystemFreeLibrary(HMODULE module) { FreeLibrary(module); }

FARPROC SystemBind(HMODULE module, const char* name) { return GetProcAddress(module, name); }

bool SystemCancelJob(const wchar_t* printerName, DWORD jobId) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &printer, nullptr)) return false;
  const bool done = SetJobW(printer, jobId, 0, nullptr, JOB_CONTROL_CANCEL) != FALSE;
  ClosePrinter(printer);
  return done;
}

int SystemAbortDoc(HDC dc) { return AbortDoc(dc); }
void SystemLocalTime(SYSTEMTIME* out) { GetLocalTime(out); }
void SystemUtcTime(SYSTEMTIME* out) { GetSystemTime(out); }
int SystemMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) {
  return MessageBoxW(owner, text, caption, style);
}

const EventServices kSystem = {
    SystemEscape, SystemLoadLibrary, SystemFreeLibrary, SystemBind,  SystemLocalTime, SystemUtcTime,
    QueryLanAdapterAddress, SystemCancelJob, SystemAbortDoc, SystemMessageBox, WindowsMajorVersion,
};

const EventServices* g_services = &kSystem;

}  // namespace

const EventServices& Events() { return *g_services; }
const EventServices& SystemEventServices() { return kSystem; }

const EventServices* SetEventServices(const EventServices* services) {
  const EventServices* previous = g_services;
  g_services = services != nullptr ? services : &kSystem;
  return previous;
}

bool UseProcMakerName() {
  EventLibrary proc(L"VELDRANA.DLL");
  auto company = proc.Bind<GetCompanyNameFn>(kGetCompanyName);
  if (company == nullptr) return false;
  wchar_t name[kMakerNameUnits] = {};
  company(name, static_cast<int>(kMakerNameUnits));
  if (name[0] != L'\0') SetMakerName(name);
  return true;
}

bool SendEscape(HDC dc, uint32_t code, uint32_t inSize, const void* in) {
  return Events().escape(dc, static_cast<int>(code), static_cast<int>(inSize), in, 0, nullptr) > 0;
}

bool QueryEscape(HDC dc, uint32_t code, uint32_t outSize, void* out) {
  return Events().escape(dc, static_cast<int>(code), 0, nullptr, static_cast<int>(outSize), out) > 0;
}

std::unique_ptr<uint8_t[]> ReadJobRecord(HDC dc) {
  std::unique_ptr<uint8_t[]> record(new (std::nothrow) uint8_t[kJobRecordSize]());
  if (!record || !QueryEscape(dc, kEscGetJobData, kJobRecordSize, record.get())) return nullptr;
  return record;
}
