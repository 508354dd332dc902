#include "dproc/openapi/device_auth_queries_win.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "common/qxd/model_info.h"
#include "common/records/stored_counts.h"
#include "dproc/model/device_option_values.h"
#include "dproc/openapi/open_api_session_win.h"

namespace {

bool SameIgnoringCase(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

// Puts the row `name` of `list` on the value `value`; true when it changed.
bool SelectValue(DevOption* option, const DeviceOptionItem* list, const char* name, const char* value) {
  for (const DeviceOptionItem* row = list; row != nullptr && row->keyword[0] != '\0'; ++row) {
    char keyword[sizeof row->keyword + 1] = {};
    std::memcpy(keyword, row->keyword, sizeof row->keyword);
    if (!SameIgnoringCase(keyword, name)) continue;
    if (row->values == nullptr || row->optionIndex >= kDevOptionMaxOptions) return false;
    for (uint32_t j = 0; row->values[j].keyword[0] != '\0'; ++j) {
      char candidate[sizeof row->values[j].keyword + 1] = {};
      std::memcpy(candidate, row->values[j].keyword, sizeof row->values[j].keyword);
      if (!SameIgnoringCase(candidate, value)) continue;
      if (option->optionValues[row->optionIndex] == j) return false;
      option->optionValues[row->optionIndex] = j;
      return true;
    }
    return false;
  }
  return false;
}

}  // namespace

BOOL GetAuthDevOption(HANDLE printer, const char* address, DevOption* option, const DeviceOptionItem* list,
                      BOOL* changed) {
  if (address == nullptr || option == nullptr) return FALSE;
  if (changed != nullptr) *changed = FALSE;
  OpenApiSession* session = StartupAndGetAuth(printer, address);
  if (session == nullptr) return FALSE;
  const int auth = GetAuthType(session), account = GetAccountTrackType(session);
  CleanupSession(session);
  const ModelInfo* model = ProcessModelInfo();
  const bool interim = model != nullptr && model->features[kMfInterimAuthentic] != 0;
  static const char* const kAuthValues[] = {nullptr, "DevUserAuthentic_Dis", "DevUserAuthentic_GeneralSV",
                                            "DevUserAuthentic_Engin", "DevUserAuthentic_InterSV"};
  const char* authValue = auth == kAuthTypeMiddleServer && !interim ? kAuthValues[1] : kAuthValues[auth];
  const char* accountValue =
      account == 0 ? nullptr : (account == 1 ? "DevAccountTrack_Dis" : "DevAccountTrack_Ena");
  if (authValue == nullptr && accountValue == nullptr) return FALSE;
  bool any = false;
  if (authValue != nullptr) any |= SelectValue(option, list, "DevUserAuthentication", authValue);
  if (accountValue != nullptr) any |= SelectValue(option, list, "DevAccountTrack", accountValue);
  if (changed != nullptr) *changed = any ? TRUE : FALSE;
  return TRUE;
}

BOOL GetEncryption(HWND owner, HANDLE printer, const char* address, DevOption* option, DocDMode* doc,
                   BOOL* received, char* out, const DeviceOptionItem* list) {
  if (address == nullptr || option == nullptr || out == nullptr) return FALSE;
  if (received != nullptr) *received = FALSE;
  const bool middle = IsInterServerAuthentication(ProcessModelInfo(), option, list);
  OpenApiSession* session = owner != nullptr ? StartupAndConnect(owner, printer, doc, address, middle)
                                             : HiddenStartupAndConnect(printer, doc, address, middle);
  if (session == nullptr) return FALSE;
  EncryptionInfo info{};
  SetSessionStatus(session, OpenApi().getPrinterEncryptionSetting(session->handle, &info));
  const bool ok = session->status == kOpenApiOk;
  if (ok) {
    std::memcpy(out, &info, sizeof info);
    if (received != nullptr) *received = TRUE;
  }
  CleanupSession(session);
  return ok ? TRUE : FALSE;
}

BOOL GetDevicePermanentSetting(OpenApiSession* session, HeaderFooterOptionItem* rows,
                               const HeaderFooterOptionItem* loaded, size_t rowCount) {
  if (session == nullptr || OpenApi().getDevicePermanentSetting == nullptr) return FALSE;
  auto block = std::make_unique<PermanentSettingBlock>();
  SetSessionStatus(session,
                   OpenApi().getDevicePermanentSetting(session->handle, kPermanentSettingKindHeaderFooter, block.get()));
  if (session->status != kOpenApiOk) return FALSE;
  for (size_t i = 0; i < rowCount && rows != nullptr && loaded != nullptr; ++i) {
    std::memcpy(rows[i].base.text, loaded[i].base.text, sizeof rows[i].base.text);
    rows[i].deviceName = loaded[i].deviceName;
  }
  const uint32_t count = Store_CapSignedCount(block->count, kPermanentSettingEntries);
  for (uint32_t i = 0; i < count; ++i) {
    const PermanentSettingEntry& e = block->entries[i];
    if (strnlen(e.enable, sizeof e.enable) == sizeof e.enable || std::strcmp(e.enable, "On") != 0) continue;
    wchar_t name[sizeof e.name + 1] = {};
    const size_t bytes = strnlen(e.name, sizeof e.name);  // bounded by its field
    MultiByteToWideChar(CP_UTF8, 0, e.name, static_cast<int>(bytes), name, static_cast<int>(sizeof e.name));
    size_t keep = std::wcslen(name) < 31 ? std::wcslen(name) : 31;
    if (keep == 31 && name[30] >= 0xD800 && name[30] <= 0xDBFF) keep = 30;  // no half character
    name[keep] = 0;
    if (rows == nullptr || static_cast<size_t>(i) >= rowCount || rows[i].base.keyword[0] == '\0') break;
    std::memset(rows[i].base.text, 0, sizeof rows[i].base.text);
    std::memcpy(rows[i].base.text, name, std::wcslen(name) * sizeof(wchar_t));
    rows[i].deviceName = 1;
  }
  return TRUE;
}

BOOL GetProcessHeaderFooterNames(OpenApiSession* session) {
  auto* rows = reinterpret_cast<HeaderFooterOptionItem*>(FindOptionTable(kHeaderFooterDevTable));
  const HeaderFooterOptionItem* loaded = LoadedHeaderFooterRows();
  size_t count = 0;
  while (rows != nullptr && loaded != nullptr && rows[count].base.size == sizeof(HeaderFooterOptionItem) &&
         loaded[count].base.keyword[0] != '\0' && rows[count].base.keyword[0] != '\0') {
    ++count;
  }
  return GetDevicePermanentSetting(session, rows, loaded, count);
}

BOOL QueryDevicePermanentSetting(HWND window, HANDLE printer, DocDMode* doc, const char* address,
                                 const DevOption* option, const DeviceOptionItem* list) {
  if (address == nullptr) return FALSE;
  const bool middle = IsInterServerAuthentication(ProcessModelInfo(), option, list);
  OpenApiSession* session = StartupAndConnect(window, printer, doc, address, middle);
  if (session == nullptr) return FALSE;
  const BOOL answered = GetProcessHeaderFooterNames(session);
  CleanupSession(session);
  return answered;
}
