// What the document events reach outside the user interface core: the
// private escapes on the application's DC, the libraries beside the core
// (loaded for one step and freed after it), the clocks, the spooler's job
// control and the message box.  One table, replaceable as a whole, so that
// a test can play the render core and the outside libraries.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

struct EventServices {
  // ExtEscape on the application's DC: > 0 success.
  int (*escape)(HDC dc, int code, int inSize, const void* in, int outSize, void* out);
  // A library beside the core by file name ("VELDRANA.DLL"), or null.
  HMODULE (*loadLibrary)(const wchar_t* fileName);
  void (*freeLibrary)(HMODULE module);
  // An export of a library loaded above, or null.
  FARPROC (*bind)(HMODULE module, const char* name);
  void (*localTime)(SYSTEMTIME* out);
  void (*systemTime)(SYSTEMTIME* out);
  // The six address bytes of the first LAN adapter that answers; false when
  // none does or the network interface is not there.
  bool (*adapterAddress)(uint8_t out[6]);
  // The job of `jobId` on `printerName` gets JOB_CONTROL_CANCEL.
  bool (*cancelJob)(const wchar_t* printerName, DWORD jobId);
  int (*abortDoc)(HDC dc);
  int (*messageBox)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);
  DWORD (*windowsMajor)();
};

const EventServices& Events();
// Installs `services` (null: the system's); returns the table in force before.
const EventServices* SetEventServices(const EventServices* services);
const EventServices& SystemEventServices();

// A library loaded for one step and freed when the step ends.
class EventLibrary {
 public:
  explicit EventLibrary(const wchar_t* fileName) : module_(Events().loadLibrary(fileName)) {}
  ~EventLibrary() {
    if (module_ != nullptr) Events().freeLibrary(module_);
  }
  EventLibrary(const EventLibrary&) = delete;
  EventLibrary& operator=(const EventLibrary&) = delete;
  HMODULE get() const { return module_; }
  template <typename Fn>
  Fn Bind(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(Events().bind(module_, name)));
  }

 private:
  HMODULE module_;
};

// The per-user stores are keyed by the procedure library's maker name
// (GetCompanyName); false when the library or the function is missing.
bool UseProcMakerName();

// Escapes with the sizes as the render core takes them.
bool SendEscape(HDC dc, uint32_t code, uint32_t inSize = 0, const void* in = nullptr);
bool QueryEscape(HDC dc, uint32_t code, uint32_t outSize, void* out);

// The job record (kJobRecordSize bytes) read with the job-data escape; null
// when the escape fails or memory is short.
std::unique_ptr<uint8_t[]> ReadJobRecord(HDC dc);
