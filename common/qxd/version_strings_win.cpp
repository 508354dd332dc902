#include "common/qxd/qxd_file.h"
#include "common/qxd/version_strings.h"

namespace {

void ReadBeside(HMODULE module, const wchar_t* fileName, void (*read)(QxdContext*)) {
  QxdContext* ctx = QxdOpenBeside(module, fileName);
  if (ctx == nullptr) return;
  read(ctx);
  QxdClose(ctx);
}

}  // namespace

void ReadCommandVersion(HMODULE module) { ReadBeside(module, L"VELDRANP.QXD", ReadCommandVersionFrom); }
void ReadDriverVersion(HMODULE module) { ReadBeside(module, L"VELDRANX.QXD", ReadDriverVersionFrom); }
