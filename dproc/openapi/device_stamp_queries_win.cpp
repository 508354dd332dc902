#include "dproc/openapi/device_stamp_queries_win.h"

#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "common/qxd/model_info.h"
#include "common/text/utf8_text.h"
#include "dproc/model/device_option_values.h"
#include "dproc/openapi/device_auth_queries_win.h"
#include "dproc/openapi/open_api_session_win.h"

namespace {

// "On" and its terminator at `at` of the answer.
uint32_t OnText(const DeviceStampBlock& block, size_t at) {
  return std::memcmp(block.bytes + at, "On", 3) == 0 ? 1 : 0;
}

// The bytes of a UTF-8 name in a field of `size` bytes: up to its NUL, or,
// when the device filled the whole field, without a character the field's
// end cut.
size_t NameBytes(const char* name, size_t size) {
  size_t n = strnlen(name, size);
  if (n < size) return n;
  size_t lead = n;
  while (lead > 0 && (static_cast<uint8_t>(name[lead - 1]) & 0xC0) == 0x80 && n - lead < 3) --lead;
  if (lead == 0) return n;
  const uint8_t b = static_cast<uint8_t>(name[lead - 1]);
  const size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  return need > n - lead + 1 ? lead - 1 : n;
}

}  // namespace

void ReadRegisteredStamps(const RegisteredStampAnswer& answer, RegisteredStampList* list) {
  *list = {};
  const uint32_t count = answer.count < kRegisteredStampSlots ? answer.count : kRegisteredStampSlots;
  for (uint32_t i = 0; i < count; ++i) {
    const RegisteredStampEntry& e = answer.entries[i];
    if (e.number < 1 || e.number > kRegisteredStampSlots) continue;
    RegisteredStamp& out = list->stamps[list->count++];
    out.number = e.number;
    out.registered = e.registered != 0 ? 1 : 0;
    const std::u16string name = Utf8ToUtf16(std::string_view(e.name, NameBytes(e.name, sizeof e.name)));
    size_t keep = name.size() < 31 ? name.size() : 31;
    if (keep == 31 && name[30] >= 0xD800 && name[30] <= 0xDBFF) keep = 30;  // no half character
    std::memcpy(out.name, name.data(), keep * sizeof(char16_t));
  }
}

BOOL GetDeviceStampSettings(OpenApiSession* session, DeviceStampFlags* flags) {
  if (flags != nullptr) *flags = {};
  if (session == nullptr || flags == nullptr || OpenApi().getDevicePermanentSetting == nullptr) return FALSE;
  std::unique_ptr<DeviceStampBlock> block(new (std::nothrow) DeviceStampBlock{});
  if (block == nullptr) return FALSE;
  SetSessionStatus(session,
                   OpenApi().getDevicePermanentSetting(session->handle, kPermanentSettingKindStamp, block.get()));
  if (session->status != kOpenApiOk) return FALSE;
  flags->copyProtect = OnText(*block, kDeviceStampCopyProtectAt);
  flags->headerFooter = OnText(*block, kDeviceStampHeaderFooterAt);
  flags->pageNumber = block->bytes[kDeviceStampPageNumberAt] == 1 ? 1 : 0;
  flags->dateTime = block->bytes[kDeviceStampDateTimeAt] == 1 ? 1 : 0;
  return TRUE;
}

BOOL GetRegisteredStamps(OpenApiSession* session, RegisteredStampList* list) {
  if (list != nullptr) *list = {};
  if (session == nullptr || list == nullptr || OpenApi().getFileInfo == nullptr) return FALSE;
  RegisteredStampAnswer answer{};
  const OpenApiFileRequest request{{0, 1, 8, 0}};
  SetSessionStatus(session, OpenApi().getFileInfo(session->handle, kOpenApiFileInfoKind, &request, &answer));
  // A failed call may have left part of an answer: it counts as none.
  if (session->status != kOpenApiOk) return FALSE;
  ReadRegisteredStamps(answer, list);
  return TRUE;
}

BOOL QueryDeviceStampSettings(HWND window, HANDLE printer, DocDMode* doc, const char* address,
                              const DevOption* option, const DeviceOptionItem* list,
                              DeviceStampFlags* flags) {
  if (flags != nullptr) *flags = {};
  if (address == nullptr || flags == nullptr) return FALSE;
  const bool middle = IsInterServerAuthentication(ProcessModelInfo(), option, list);
  OpenApiSession* session = StartupAndConnect(window, printer, doc, address, middle);
  if (session == nullptr) return FALSE;
  const BOOL stamps = GetDeviceStampSettings(session, flags);
  const BOOL names = GetProcessHeaderFooterNames(session);
  CleanupSession(session);
  return stamps && names ? TRUE : FALSE;
}
