// The device queries through the device-communication library: whether it
// can be used, whether the device answers, its installed options and the
// paper in its input trays.  Each call opens and closes its own session.
#include <windows.h>

#include <type_traits>

#include "common/contracts/ddproc_device_queries_win.h"
#include "common/win/export_guard.h"
#include "ddproc/bdc/bdc_session_win.h"
#include "ddproc/startup/ddproc_module_win.h"

namespace {

// The session of a request whose device is a supported model; null (last
// error ERROR_INVALID_PARAMETER for a missing argument) otherwise.
std::unique_ptr<BdcSession> SupportedSession(const char* address, const void* entries) {
  if (address == nullptr || entries == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  wchar_t directory[MAX_PATH + 1];
  if (!DDProcDirectory(directory, MAX_PATH + 1)) return nullptr;
  std::unique_ptr<BdcSession> s = BdcQueryDevice(address, directory);
  if (!s || !BdcIsSupportedModel(s->answers)) return nullptr;
  return s;
}

}  // namespace

extern "C" {

BOOL DDPROC_CALL DDProc_IsEnableBdcLib() noexcept {
  return GuardExport("DDProc_IsEnableBdcLib", BOOL{FALSE}, []() -> BOOL {
    wchar_t directory[MAX_PATH + 1];
    if (!DDProcDirectory(directory, MAX_PATH + 1)) return FALSE;
    BdcEntryTable table;
    if (!BdcBindFrom(directory, &table)) return FALSE;
    bool usable = true;
    for (const wchar_t* name : {L"KERNEL32.DLL", L"WS2_32.DLL", L"WSOCK32.DLL"}) {
      HMODULE module = LoadLibraryW(name);
      if (module == nullptr) {
        usable = false;
        break;
      }
      FreeLibrary(module);
    }
    BdcUnbindLibrary(&table);
    return usable ? TRUE : FALSE;
  });
}

BOOL DDPROC_CALL DDProc_IsCommunicateDevice(const char* address, uint32_t* supported) noexcept {
  return GuardExport("DDProc_IsCommunicateDevice", BOOL{FALSE}, [&]() -> BOOL {
    if (supported != nullptr) *supported = 0;
    if (address == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    wchar_t directory[MAX_PATH + 1];
    if (!DDProcDirectory(directory, MAX_PATH + 1)) return FALSE;
    std::unique_ptr<BdcSession> s = BdcOpenSession(address, directory);
    if (!s || !BdcRunSteps(s.get(), address, 3)) return FALSE;
    if (supported != nullptr) *supported = BdcIsSupportedModel(s->answers) ? 1 : 0;
    return TRUE;
  });
}

BOOL DDPROC_CALL DDProc_OptionRequest(const char* address, uint32_t count, DevOptionEntry* entries) noexcept {
  return GuardExport("DDProc_OptionRequest", BOOL{FALSE}, [&]() -> BOOL {
    std::unique_ptr<BdcSession> s = SupportedSession(address, entries);
    if (!s) return FALSE;
    BdcFillOptionEntries(s->answers, count, entries);
    return TRUE;
  });
}

BOOL DDPROC_CALL DDProc_InputTrayStatus(const char* address, uint32_t count, TrayStatusEntry* entries) noexcept {
  return GuardExport("DDProc_InputTrayStatus", BOOL{FALSE}, [&]() -> BOOL {
    std::unique_ptr<BdcSession> s = SupportedSession(address, entries);
    if (!s) return FALSE;
    BdcFillTrayEntries(s->answers, count, entries);
    return TRUE;
  });
}

}  // extern "C"

static_assert(std::is_convertible_v<decltype(&DDProc_IsEnableBdcLib), DDProcIsEnableBdcLibFn>);
static_assert(std::is_convertible_v<decltype(&DDProc_IsCommunicateDevice), DDProcIsCommunicateDeviceFn>);
static_assert(std::is_convertible_v<decltype(&DDProc_OptionRequest), DDProcOptionRequestFn>);
static_assert(std::is_convertible_v<decltype(&DDProc_InputTrayStatus), DDProcInputTrayStatusFn>);
