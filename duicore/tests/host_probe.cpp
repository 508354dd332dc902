// A program that the host-rule test copies under other names: it loads the
// staged core named on its command line, has it write a default DEVMODE and
// exits with the DEVMODE's dmFields (1 when the core cannot be used).
#include <windows.h>

#include <vector>

#include "common/contracts/self_devmode_reset_win.h"
#include "common/win/bind_export.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 1;
  HMODULE core = LoadLibraryW(argv[1]);
  if (core == nullptr) return 1;
  auto reset = BindExport<UdcResetSelfDModeFn>(core, kUdcResetSelfDMode);
  if (reset == nullptr) return 1;
  std::vector<BYTE> record(9504);
  if (!reset(record.data(), nullptr, L"probe")) return 1;
  return static_cast<int>(reinterpret_cast<DEVMODEW*>(record.data())->dmFields);
}
