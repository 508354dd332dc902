#include "duicore/events/job_authentication_win.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "common/cipher/password_cipher_win.h"
#include "common/contracts/auth_dialogs.h"
#include "common/contracts/open_api.h"
#include "common/contracts/private_escapes.h"
#include "common/qxd/auth_messages.h"
#include "common/records/job_record.h"
#include "common/win/printer_address_win.h"
#include "common/win/printer_queries.h"
#include "common/win/user_registry.h"
#include "duicore/module/device_description_win.h"
#include "duicore/printer/device_status_win.h"
#include "duicore/events/event_services_win.h"

namespace {

using StartupAndGetAuthFn = OapiStartupAndGetAuthFn;
using GetAuthTypeFn = OapiGetAuthTypeFn;
using CleanupFn = OapiCleanupFn;
using HiddenStartupFn = OapiHiddenStartupAndConnectFn;
using GetEncryptionFn = OapiGetEncryptionFn;

struct JobAuthContext {
  const EventLibrary* proc;
  HANDLE printer;
  DocDMode* doc;
  DevOption* option;
  const char* address;
};

bool AskAuthType(void* ctx, int* type) {
  auto* c = static_cast<JobAuthContext*>(ctx);
  auto startup = c->proc->Bind<StartupAndGetAuthFn>("OAPI_StartupAndGetAuth");
  auto getType = c->proc->Bind<GetAuthTypeFn>("OAPI_GetAuthType");
  auto cleanup = c->proc->Bind<CleanupFn>("OAPI_Cleanup");
  if (startup == nullptr || getType == nullptr || cleanup == nullptr) return false;
  OpenApiSession* session = startup(c->printer, c->address);
  if (session == nullptr) return false;
  const bool answered = session->status == 0;
  if (answered) *type = getType(session);
  cleanup(session);
  return answered;
}

int ShowDialog(void* ctx, AuthDialogKind kind) {
  auto* c = static_cast<JobAuthContext*>(ctx);
  auto popup = c->proc->Bind<PopupAuthDlgFn>(kind == kAuthMiddleServerDialog ? kPopupMiddleServerAuthenticDlg
                                                                            : kPopupUserAuthenticDlg);
  if (popup == nullptr) return kAuthDrop;
  HANDLE printer = c->printer;
  AuthPopupArgs args{c->doc, c->option, &printer};
  return popup(&args);
}

uint32_t Login(void* ctx, char* errorName) {
  auto* c = static_cast<JobAuthContext*>(ctx);
  auto startup = c->proc->Bind<HiddenStartupFn>("OAPI_Hidden_StartupAndConnect");
  auto cleanup = c->proc->Bind<CleanupFn>("OAPI_Cleanup");
  if (startup == nullptr || cleanup == nullptr) return 1;
  OpenApiSession* opened = startup(c->printer, c->doc, c->address, FALSE);
  if (opened == nullptr) return 1;
  const uint32_t status = opened->status;
  const char* name = opened->errorText;
  if (name != nullptr) std::memcpy(errorName, name, strnlen(name, kAuthErrorNameBytes - 1));
  cleanup(opened);
  return status;
}

const char16_t* FindMessage(void*, uint32_t status, const char* errorName) {
  return FindMessageStr(status, errorName);
}

int AskUser(void*, const char16_t* message, uint32_t tailId, bool yesNo) {
  std::u16string text = message;
  text += u"\n";
  if (const char16_t* tail = AuthMessageById(tailId)) text += tail;
  const char16_t* caption = GetAuthMessageCaption(nullptr);
  return Events().messageBox(nullptr, reinterpret_cast<const wchar_t*>(text.c_str()),
                             reinterpret_cast<const wchar_t*>(caption != nullptr ? caption : u""),
                             MB_ICONINFORMATION | (yesNo ? MB_YESNO : MB_OK));
}

bool ModelSwitch(int feature) {
  const ModelInfo* model = CoreDescription().model;
  return model != nullptr && model->features[feature] != 0;
}

int RunJobAuthentication(const EventLibrary& proc, HANDLE printer, DocDMode* doc, DevOption* option) {
  char address[kAuthErrorNameBytes] = {};
  wchar_t stored[kDestAddressChars] = {};
  std::memcpy(stored, option->deviceAddress, sizeof stored - sizeof(wchar_t));
  GetDeviceAddressA(printer, option->destCustomize, stored, address);
  const AuthFacts facts{ModelSwitch(kMfUserAuthentication),
                        ModelSwitch(kMfAccountTrackSetting),
                        ModelSwitch(kMfInterimAuthentic),
                        SelectedDeviceOption(*option, "DevUserAuthentication"),
                        SelectedDeviceOption(*option, "DevAccountTrack"),
                        option->verifyAuthentic != 0,
                        option->popupAuthenticDlg != 0,
                        address[0] != '\0'};
  JobAuthContext ctx{&proc, printer, doc, option, address};
  const AuthDevice device{&ctx, AskAuthType, ShowDialog, Login, FindMessage, AskUser};
  return RunAuthenticationFlow(facts, device);
}

void QueryJobDeviceStatus(HANDLE printer, HMODULE proc, DevOption* option) {
  HMODULE devProc = Events().loadLibrary(L"VELDRANH.DLL");
  if (devProc == nullptr) return;
  wchar_t name[MAX_PATH] = {};
  if (QueryPrinterName(printer, name, MAX_PATH)) {
    const DeviceQuery query = CoreDeviceQuery(kJobStartQuery, devProc, name, proc);
    bool optionsChanged = false, traysChanged = false;
    QueryDeviceStatus(query, option, &optionsChanged, &traysChanged);
  }
  Events().freeLibrary(devProc);
}

}  // namespace

const char* SelectedDeviceOption(const DevOption& option, const char* name) {
  const DeviceOptionItem* rows = CoreDescription().deviceOptions;
  for (const DeviceOptionItem* row = rows; row != nullptr && row->keyword[0] != '\0'; ++row) {
    if (std::strncmp(row->keyword, name, sizeof row->keyword) != 0) continue;
    if (row->optionIndex >= kDevOptionMaxOptions || row->values == nullptr) return "";
    const uint32_t wanted = option.optionValues[row->optionIndex];
    for (uint32_t i = 0; row->values[i].keyword[0] != '\0'; ++i) {
      if (i == wanted) return row->values[i].keyword;
    }
    return "";
  }
  return "";
}

void SendJobAuthData(HDC dc, HANDLE printer) {
  if (!ReadJobRecord(dc)) return;
  if (!UseProcMakerName()) return;
  wchar_t printerName[MAX_PATH] = {}, driverName[MAX_PATH] = {};
  QueryPrinterName(printer, printerName, MAX_PATH);
  QueryDriverName(printer, driverName, nullptr);
  AuthRegRecord record;
  ReadAuthRegRecord(driverName, printerName, &record);
  SendEscape(dc, kEscSetJobSettings, sizeof record, &record);
}

int RunStartDocAuthentication(HDC dc, HANDLE printer) {
  std::unique_ptr<uint8_t[]> record = ReadJobRecord(dc);
  if (!record) return -1;
  auto* doc = reinterpret_cast<DocDMode*>(record.get() + kJobRecordDocAt);
  auto* option = reinterpret_cast<DevOption*>(record.get() + kJobRecordDevOptionAt);
  int result = kAuthNoLibrary;
  {
    EventLibrary proc(L"VELDRANA.DLL");
    if (proc.get() != nullptr) {
      if (option->verifyAuthentic != 0 || option->autoAcquisition != 0) {
        QueryJobDeviceStatus(printer, proc.get(), option);
      }
      result = RunJobAuthentication(proc, printer, doc, option);
      if (result == kAuthProceed) SendEscape(dc, kEscSetPrivateArea, sizeof(DocDMode), doc);
    }
  }
  SendEscape(dc, kEscSetDevOption, sizeof(DevOption), option);
  return result;
}

bool QueryDeviceEncryption(HMODULE proc, HANDLE printer, DevOption* option, DocDMode* doc, char value[73],
                           uint32_t* length, int* kind) {
  auto getEncryption =
      reinterpret_cast<GetEncryptionFn>(reinterpret_cast<void (*)()>(Events().bind(proc, "OAPI_GetEncryption")));
  if (proc == nullptr || getEncryption == nullptr) return false;
  char address[kAuthErrorNameBytes] = {};
  wchar_t stored[kDestAddressChars] = {};
  std::memcpy(stored, option->deviceAddress, sizeof stored - sizeof(wchar_t));
  GetDeviceAddressA(printer, option->destCustomize, stored, address);
  if (address[0] == '\0') return false;
  char buffer[64] = {};
  BOOL found = FALSE;
  getEncryption(nullptr, printer, address, option, doc, &found, buffer);
  if (found == 0) return false;
  buffer[31] = '\0';
  buffer[63] = '\0';
  *kind = ParseSettingOrigin(buffer);
  const size_t n = strnlen(buffer + 32, 20);
  std::memset(value, 0, 73);
  std::memcpy(value, buffer + 32, n);
  *length = static_cast<uint32_t>(n);
  return true;
}

void StoreDeviceEncryption(HANDLE printer, const char* value, uint32_t length, int kind, DevOption* option) {
  uint8_t buffer[kDevOptionEncryptedValueSize + 1] = {};
  std::memcpy(buffer, value, std::min<uint32_t>(length, 20));
  const int32_t enciphered = EncryptPassword(printer, buffer, kDevOptionEncryptedValueSize);
  if (enciphered > 0 && static_cast<uint32_t>(enciphered) <= kDevOptionEncryptedValueSize) {
    std::memcpy(option->encryptedValue, buffer, static_cast<size_t>(enciphered));
    option->encryptedValueLength = static_cast<uint16_t>(enciphered);
  }
  option->encryptionKey = (kind == 2 && length > 0) ? 1 : 0;
}

bool SendDeviceEncryption(HANDLE printer, HDC dc) {
  std::unique_ptr<uint8_t[]> record = ReadJobRecord(dc);
  if (!record) return false;
  auto* doc = reinterpret_cast<DocDMode*>(record.get() + kJobRecordDocAt);
  auto* option = reinterpret_cast<DevOption*>(record.get() + kJobRecordDevOptionAt);
  {
    EventLibrary proc(L"VELDRANA.DLL");
    if (proc.get() != nullptr && ModelSwitch(kMfEncryptionKey) && option->autoAcquisition != 0) {
      char value[73];
      uint32_t length = 0;
      int kind = 0;
      if (QueryDeviceEncryption(proc.get(), printer, option, doc, value, &length, &kind)) {
        StoreDeviceEncryption(printer, value, length, kind, option);
      }
    }
  }
  SendEscape(dc, kEscSetDevOption, sizeof(DevOption), option);
  return true;
}
