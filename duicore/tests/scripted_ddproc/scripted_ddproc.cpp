#include "duicore/tests/scripted_ddproc/scripted_ddproc.h"

#include <cstring>
#include <type_traits>

#include "common/contracts/ddproc_device_queries_win.h"

namespace {

DeviceScript g_script;
DeviceScriptLog g_log;
int g_statusList;

}  // namespace

extern "C" void WINAPI ScriptDevice(const DeviceScript* script) {
  g_script = *script;
  g_log = DeviceScriptLog{};
}

extern "C" const DeviceScriptLog* WINAPI DeviceLog() { return &g_log; }

extern "C" BOOL DDPROC_CALL DDProc_GetPrinterIPAddress(const wchar_t*, const DevOption*, char* address, DWORD size,
                                                       DWORD*) {
  if (!g_script.hasAddress || size == 0) return FALSE;
  lstrcpynA(address, g_script.address, static_cast<int>(size));
  return TRUE;
}

extern "C" BOOL DDPROC_CALL DDProc_IsEnableBdcLib() { return g_script.bdcEnabled; }

extern "C" BOOL DDPROC_CALL DDProc_IsCommunicateDevice(const char*, uint32_t* state) {
  *state = g_script.state;
  return g_script.reachable;
}

extern "C" void* DDPROC_CALL DDProc_GetPrinterStatus_USB(HANDLE) { return &g_statusList; }
extern "C" void DDPROC_CALL DDProc_DeletePrinterStatus_USB(void*) { ++g_log.statusListsReleased; }
extern "C" BOOL DDPROC_CALL DDProc_IsSupportModel_USB(HANDLE, void*) { return TRUE; }

extern "C" BOOL DDPROC_CALL DDProc_OptionRequest(const char*, uint32_t count, DevOptionEntry* entries) {
  ++g_log.optionRequests;
  g_log.optionsAsked = count;
  if (count > 0) std::memcpy(g_log.firstOptionAsked, entries[0].keyword, 32);
  if (!g_script.optionsAnswered) return FALSE;
  for (uint32_t i = 0; i < count && i < 8; ++i) std::memcpy(entries[i].value, g_script.optionAnswers[i], 32);
  return TRUE;
}

extern "C" BOOL DDPROC_CALL DDProc_OptionRequest_USB(HANDLE, void*, uint32_t count, DevOptionEntry* entries) {
  return DDProc_OptionRequest(nullptr, count, entries);
}

extern "C" BOOL DDPROC_CALL DDProc_InputTrayStatus(const char*, uint32_t count, TrayStatusEntry* entries) {
  ++g_log.trayRequests;
  g_log.traysAsked = count;
  if (count > 0) std::memcpy(g_log.firstTrayAsked, entries[0].keyword, 32);
  if (!g_script.traysAnswered) return FALSE;
  for (uint32_t i = 0; i < count; ++i) std::memcpy(entries[i].answers, g_script.trayAnswers, sizeof g_script.trayAnswers);
  return TRUE;
}

extern "C" BOOL DDPROC_CALL DDProc_InputTrayStatus_USB(HANDLE, void*, uint32_t count, TrayStatusEntry* entries) {
  return DDProc_InputTrayStatus(nullptr, count, entries);
}

// The stand-in has the shapes the device library's contract declares.
static_assert(std::is_same_v<decltype(&DDProc_GetPrinterIPAddress), DDProcGetPrinterIPAddressFn>);
static_assert(std::is_same_v<decltype(&DDProc_IsEnableBdcLib), DDProcIsEnableBdcLibFn>);
static_assert(std::is_same_v<decltype(&DDProc_IsCommunicateDevice), DDProcIsCommunicateDeviceFn>);
static_assert(std::is_same_v<decltype(&DDProc_GetPrinterStatus_USB), DDProcGetPrinterStatusUsbFn>);
static_assert(std::is_same_v<decltype(&DDProc_DeletePrinterStatus_USB), DDProcDeletePrinterStatusUsbFn>);
static_assert(std::is_same_v<decltype(&DDProc_IsSupportModel_USB), DDProcIsSupportModelUsbFn>);
static_assert(std::is_same_v<decltype(&DDProc_OptionRequest), DDProcOptionRequestFn>);
static_assert(std::is_same_v<decltype(&DDProc_OptionRequest_USB), DDProcOptionRequestUsbFn>);
static_assert(std::is_same_v<decltype(&DDProc_InputTrayStatus), DDProcInputTrayStatusFn>);
static_assert(std::is_same_v<decltype(&DDProc_InputTrayStatus_USB), DDProcInputTrayStatusUsbFn>);
