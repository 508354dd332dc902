#include "dproc/fax/fax_dialog_runner_win.h"

namespace {
HMODULE g_templates = nullptr;
}

void SetFaxTemplateModule(HMODULE module) { g_templates = module; }

HMODULE FaxTemplateModule() { return g_templates != nullptr ? g_templates : GetModuleHandleW(L"VELDRANG.DLL"); }

intptr_t RunFaxDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM param) {
  HMODULE templates = FaxTemplateModule();
  if (templates == nullptr) return -1;
  return DialogBoxParamW(templates, MAKEINTRESOURCEW(templateId), owner, proc, param);
}
