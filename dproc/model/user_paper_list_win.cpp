#include "dproc/model/user_paper_list_win.h"

#include <winspool.h>

#include <cstring>
#include <vector>

BOOL ReadCustomPaperData(HANDLE printer, UserPaperList* list) {
  if (list == nullptr) return FALSE;
  std::memset(list, 0, sizeof *list);
  DWORD type = 0, needed = 0;
  const DWORD error = GetPrinterDataW(printer, const_cast<wchar_t*>(L"CustomPaperData"), &type,
                                      reinterpret_cast<BYTE*>(list), sizeof *list, &needed);
  if (error != ERROR_SUCCESS) {
    std::memset(list, 0, sizeof *list);
    return FALSE;
  }
  return TRUE;
}

std::vector<ServerForm> EnumerateServerForms(HANDLE printer, std::vector<BYTE>* buffer) {
  std::vector<ServerForm> forms;
  DWORD returned = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD needed = 0;
    if (EnumFormsW(printer, 1, buffer->empty() ? nullptr : buffer->data(), static_cast<DWORD>(buffer->size()),
                   &needed, &returned)) {
      break;
    }
    returned = 0;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) break;
    buffer->assign(needed, 0);
  }
  if (returned > buffer->size() / sizeof(FORM_INFO_1W)) returned = 0;
  const auto* info = reinterpret_cast<const FORM_INFO_1W*>(buffer->data());
  for (DWORD j = 0; j < returned; ++j) {
    forms.push_back(ServerForm{reinterpret_cast<const char16_t*>(info[j].pName ? info[j].pName : L""),
                               info[j].Size.cx, info[j].Size.cy});
  }
  return forms;
}

uint32_t BuildSessionPaperListForPrinter(const ModelInfo* model, const wchar_t* printerName,
                                         const UserPaperList* users, bool useServerForms,
                                         SessionPaperItem** out) {
  std::vector<BYTE> buffer;
  std::vector<ServerForm> forms;
  HANDLE printer = nullptr;
  if (useServerForms && printerName != nullptr && OpenPrinterW(const_cast<wchar_t*>(printerName), &printer, nullptr)) {
    forms = EnumerateServerForms(printer, &buffer);
    ClosePrinter(printer);
  }
  return BuildSessionPaperList(model, users, forms.data(), static_cast<uint32_t>(forms.size()), out);
}
