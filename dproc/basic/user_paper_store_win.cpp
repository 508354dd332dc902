#include "dproc/basic/user_paper_store_win.h"

#include <winspool.h>

#include <cstring>

#include "dproc/basic/user_paper_rules.h"

namespace {

DWORD SystemSetPrinterData(HANDLE printer, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
  return SetPrinterDataW(printer, const_cast<wchar_t*>(name), type, const_cast<BYTE*>(data), size);
}

bool SystemHasForm(HANDLE printer, const wchar_t* name) {
  DWORD needed = 0;
  const BOOL ok = GetFormW(printer, const_cast<wchar_t*>(name), 1, nullptr, 0, &needed);
  return ok || GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

BOOL SystemDeleteForm(HANDLE printer, const wchar_t* name) { return DeleteFormW(printer, const_cast<wchar_t*>(name)); }

BOOL SystemAddForm(HANDLE printer, const FORM_INFO_1W* form) {
  return AddFormW(printer, 1, reinterpret_cast<BYTE*>(const_cast<FORM_INFO_1W*>(form)));
}

}  // namespace

const UserPaperSpooler& SystemUserPaperSpooler() {
  static const UserPaperSpooler spooler = {SystemSetPrinterData, SystemHasForm, SystemDeleteForm, SystemAddForm};
  return spooler;
}

bool StoreUserPaperList(HANDLE printer, const UserPaperList& start, UserPaperList* list, bool sessionFlag,
                        const UserPaperSpooler& spooler) {
  if (list == nullptr) return false;
  SanitizeUserPaperList(list);
  if (spooler.setPrinterData(printer, L"CustomPaperData", REG_BINARY, reinterpret_cast<const BYTE*>(list),
                             kUserPaperListSize) != ERROR_SUCCESS) {
    return false;
  }
  if (sessionFlag) return true;
  for (uint32_t i = 0; i < UserPaperCount(&start); ++i) {
    wchar_t name[20] = {};
    std::memcpy(name, start.entries[i].name, sizeof name);
    name[19] = 0;
    if (name[0] != 0 && spooler.hasForm(printer, name)) spooler.deleteForm(printer, name);
  }
  for (uint32_t i = 0; i < UserPaperCount(list); ++i) {
    const UserPaperEntry& e = list->entries[i];
    wchar_t name[20] = {};
    std::memcpy(name, e.name, sizeof name);
    name[19] = 0;
    FORM_INFO_1W form = {};
    form.Flags = FORM_USER;
    form.pName = name;
    form.Size = {e.width, e.length};
    form.ImageableArea = {e.areaLeft, e.areaTop, e.areaRight, e.areaBottom};
    spooler.addForm(printer, &form);
  }
  return true;
}
