#include "duicore/tests/core_library_win.h"

#include "common/contracts/self_devmode_reset_win.h"
#include "common/win/bind_export.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"

namespace coretest {
namespace {

template <typename Fn>
void Bind(HMODULE module, const char* name, Fn* out) {
  *out = BindExport<Fn>(module, name);
}

CoreLibrary LoadCore() {
  CoreLibrary core;
  core.module = LoadLibraryW(StagePath(L"VELDRANK.DLL").c_str());
  core.settings = LoadLibraryW(StagePath(L"VELDRANA.DLL").c_str());
  if (core.module == nullptr) return core;
  Bind(core.module, "DevQueryPrint", &core.devQueryPrint);
  Bind(core.module, "DevQueryPrintEx", &core.devQueryPrintEx);
  Bind(core.module, "DrvPrinterEvent", &core.printerEvent);
  Bind(core.module, "DrvQueryColorProfile", &core.queryColorProfile);
  Bind(core.module, "DrvUpgradePrinter", &core.upgradePrinter);
  Bind(core.module, "DrvConvertDevMode", &core.convertDevMode);
  Bind(core.module, "DrvDeviceCapabilities", &core.deviceCapabilities);
  Bind(core.module, "DrvDocumentPropertySheets", &core.documentPropertySheets);
  Bind(core.module, "DrvDocumentProperties", &core.documentProperties);
  Bind(core.module, kUdcResetSelfDMode, &core.resetSelfDMode);
  return core;
}

}  // namespace

StandInCallLog& CoreLibrary::Log() const {
  static StandInCallLog none = {};
  StandInCallsFn calls = nullptr;
  if (settings != nullptr) Bind(settings, "StandInCalls", &calls);
  return calls != nullptr ? *calls() : none;
}

const CoreLibrary& Core() {
  static const CoreLibrary core = LoadCore();
  return core;
}

std::wstring StagePath(const wchar_t* fileName) {
  const std::string dir = testsupport::BinaryPath("duicore_stage/");
  return testsupport::Widen(dir) + fileName;
}

}  // namespace coretest
