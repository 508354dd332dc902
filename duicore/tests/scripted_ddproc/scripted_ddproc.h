// A scripted stand-in of the device queries of VELDRANH for the core's
// tests: each answer is set by the test, and the calls are counted.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "tests/support/test_paths.h"

struct DeviceScript {
  BOOL hasAddress;           // DDProc_GetPrinterIPAddress answers with `address`
  char address[64];
  BOOL bdcEnabled;           // DDProc_IsEnableBdcLib
  BOOL reachable;            // DDProc_IsCommunicateDevice's result
  uint32_t state;            // ... and its state
  BOOL optionsAnswered;      // DDProc_OptionRequest's result
  char optionAnswers[8][32]; // the answer for the n-th option asked
  BOOL traysAnswered;        // DDProc_InputTrayStatus's result
  char trayAnswers[6][32];   // the six answers given for every tray
};

struct DeviceScriptLog {
  int optionRequests;
  uint32_t optionsAsked;
  char firstOptionAsked[32];
  int trayRequests;
  uint32_t traysAsked;
  char firstTrayAsked[32];
  int statusListsReleased;
};

// A device on the network that is reached and answers both queries; the
// answers themselves are the test's.
inline DeviceScript ReachableDeviceScript() {
  DeviceScript script = {};
  script.hasAddress = TRUE;
  std::strcpy(script.address, "192.168.10.20");
  script.bdcEnabled = TRUE;
  script.reachable = TRUE;
  script.state = 1;
  script.optionsAnswered = TRUE;
  script.traysAnswered = TRUE;
  return script;
}

using ScriptDeviceFn = void(WINAPI*)(const DeviceScript* script);
using DeviceLogFn = const DeviceScriptLog*(WINAPI*)();

// The stand-in (bin/SCRIPTDD.DLL of the build) loaded into a test program,
// its script and its log bound, scripted as `script`; freed with the object.
class ScriptedDevice {
 public:
  explicit ScriptedDevice(const DeviceScript& script = ReachableDeviceScript())
      : path_(testsupport::BinaryPath("bin/SCRIPTDD.DLL")), module_(LoadLibraryA(path_.c_str())) {
    if (module_ == nullptr) return;
    this->script = reinterpret_cast<ScriptDeviceFn>(reinterpret_cast<void*>(GetProcAddress(module_, "ScriptDevice")));
    log = reinterpret_cast<DeviceLogFn>(reinterpret_cast<void*>(GetProcAddress(module_, "DeviceLog")));
    if (this->script != nullptr) this->script(&script);
  }
  ~ScriptedDevice() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  ScriptedDevice(const ScriptedDevice&) = delete;
  ScriptedDevice& operator=(const ScriptedDevice&) = delete;
  bool ok() const { return module_ != nullptr && script != nullptr && log != nullptr; }
  // The library's path, for a harness that loads it under another name.
  std::wstring WidePath() const { return std::wstring(path_.begin(), path_.end()); }

  ScriptDeviceFn script = nullptr;
  DeviceLogFn log = nullptr;

 private:
  std::string path_;
  HMODULE module_;
};
