#include "common/win/module_path.h"
#include "common/qxd/qxd_file.h"
#include "common/qxd/version_strings.h"

namespace {

void ReadBeside(HMODULE module, const wchar_t* fileName, void (*read)(QxdContext*)) {
  wchar_t path[MAX_PATH];
  if (!SiblingFilePath(module, fileName, path, MAX_PATH)) return;
  QxdContext* ctx = QxdOpen(path, 1);
  if (ctx == nullptr) return;
  read(ctx);
  QxdClose(ctx);
}

}  // namespace

void ReadCommandVersion(HMODULE module) { ReadBeside(module, L"VELDRANP.QXD", ReadCommandVersionFrom); }
void ReadDriverVersion(HMODULE module) { ReadBeside(module, L"VELDRANX.QXD", ReadDriverVersionFrom); }
