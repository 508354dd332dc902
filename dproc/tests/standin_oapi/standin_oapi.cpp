// A scripted stand-in of the open-API library VELDRANV.  Its answers come
// from the text file that the environment variable OAPI_SCRIPT names, read
// when the configuration is checked (the first call of every session), one
// statement a line:
//
//   config <status> <port> <mode> <refused>   the configuration check
//   access fail                               no access handle
//   capability <status>                       the capability query's status
//   auth <text>                               authentication type text (rest of the line)
//   account <text>                            account-track type text
//   publiclogin <0|1>                         the capability's Public-user login flag
//   number <n>                                the middle-server setting number
//   server <number> <name>                    one authentication server
//   login <status> [<error text>]             the next login's answer (in order; then 0)
//   encryption <status> <kind> <key>          the encryption setting
//   middle <status> [<file>]                  the middle-server setting: a file of its 852,572 bytes
//   permanent <status> <count>                kind 5 answer: its entry count
//   entry <enable> <name>                     one kind-5 entry (name: rest of the line, UTF-8)
//   stamps <status> <copy> <hf> <page> <date> kind 4 answer: the copy-protect and header/footer
//                                             texts (- for none) and the page-number and
//                                             date/time bytes
//   fileinfo <status> <count>                 kind 6 answer: its count (the entries are written
//                                             whatever the status)
//   registered <number> <flag> <name>         one kind-6 entry (name: rest of the line, UTF-8,
//                                             cut to its 43 bytes without a terminator)
//   error <text>                              the error text for every other status 4
//
// When OAPI_LOG names a file, every call appends a line with its arguments;
// texts are written as given (UTF-8 bytes).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/contracts/open_api.h"

namespace {

struct Login {
  uint32_t status;
  std::string error;
};

struct Script {
  uint32_t configStatus = 0;
  OpenApiConfigInfo config{9100, 1, 0};
  bool accessFails = false;
  uint32_t capabilityStatus = 0;
  OpenApiCapability capability{};
  std::deque<Login> logins;
  uint32_t encryptionStatus = 0;
  EncryptionInfo encryption{};
  uint32_t middleStatus = 1;
  std::string middleFile;
  uint32_t permanentStatus = 1;
  int16_t permanentCount = 0;
  std::vector<PermanentSettingEntry> entries;
  uint32_t stampStatus = 1;
  DeviceStampBlock stamps{};
  uint32_t fileStatus = 1;
  RegisteredStampAnswer registered{};
  size_t registeredNext = 0;
  std::string error = "DeviceBusy";
  std::string lastError;
};

Script g_script;
int g_handle = 0;

std::string Env(const char* name) {
  char value[MAX_PATH + 1] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? value : "";
}

void Copy(char* out, size_t size, const std::string& text) {
  std::memset(out, 0, size);
  std::memcpy(out, text.data(), text.size() < size ? text.size() : size);
}

void Load() {
  Script s;
  std::ifstream in(Env("OAPI_SCRIPT"));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string verb, rest;
    words >> verb;
    std::getline(words >> std::ws, rest);
    std::istringstream args(rest);
    if (verb == "config") {
      unsigned port = 0, mode = 0, refused = 0;
      args >> s.configStatus >> port >> mode >> refused;
      s.config = OpenApiConfigInfo{static_cast<uint16_t>(port), static_cast<uint8_t>(mode),
                                   static_cast<uint8_t>(refused)};
    }
    if (verb == "access") s.accessFails = true;
    if (verb == "capability") args >> s.capabilityStatus;
    if (verb == "auth") Copy(s.capability.authType, sizeof s.capability.authType, rest);
    if (verb == "account") Copy(s.capability.accountTrack, sizeof s.capability.accountTrack, rest);
    if (verb == "publiclogin") {
      unsigned flag = 0;
      args >> flag;
      s.capability.publicLogin = static_cast<uint8_t>(flag);
    }
    if (verb == "number") args >> s.capability.middleServerSettingNumber;
    if (verb == "server" && s.capability.serverCount < 20) {
      OpenApiServerEntry& e = s.capability.servers[s.capability.serverCount++];
      std::string name;
      args >> e.number;
      std::getline(args >> std::ws, name);
      Copy(e.name, sizeof e.name, name);
    }
    if (verb == "login") {
      Login l{};
      args >> l.status;
      std::getline(args >> std::ws, l.error);
      s.logins.push_back(l);
    }
    if (verb == "encryption") {
      std::string kind, key;
      args >> s.encryptionStatus >> kind >> key;
      Copy(s.encryption.kind, sizeof s.encryption.kind, kind);
      Copy(s.encryption.key, sizeof s.encryption.key, key);
    }
    if (verb == "middle") args >> s.middleStatus >> s.middleFile;
    if (verb == "permanent") args >> s.permanentStatus >> s.permanentCount;
    if (verb == "entry") {
      PermanentSettingEntry e{};
      std::string enable, name;
      args >> enable;
      std::getline(args >> std::ws, name);
      Copy(e.enable, sizeof e.enable, enable);
      Copy(e.name, sizeof e.name, name);
      s.entries.push_back(e);
    }
    if (verb == "stamps") {
      std::string copy, headerFooter;
      unsigned page = 0, date = 0;
      args >> s.stampStatus >> copy >> headerFooter >> page >> date;
      if (copy != "-") std::memcpy(s.stamps.bytes + kDeviceStampCopyProtectAt, copy.c_str(), copy.size() + 1);
      if (headerFooter != "-") {
        std::memcpy(s.stamps.bytes + kDeviceStampHeaderFooterAt, headerFooter.c_str(), headerFooter.size() + 1);
      }
      s.stamps.bytes[kDeviceStampPageNumberAt] = static_cast<uint8_t>(page);
      s.stamps.bytes[kDeviceStampDateTimeAt] = static_cast<uint8_t>(date);
    }
    if (verb == "fileinfo") args >> s.fileStatus >> s.registered.count;
    if (verb == "registered") {
      if (s.registeredNext < kRegisteredStampSlots) {
        RegisteredStampEntry& e = s.registered.entries[s.registeredNext++];
        unsigned flag = 0;
        std::string name;
        args >> e.number >> flag;
        std::getline(args >> std::ws, name);
        e.registered = static_cast<uint8_t>(flag);
        Copy(e.name, sizeof e.name, name);
      }
    }
    if (verb == "error") s.error = rest;
  }
  g_script = std::move(s);
}

void Log(const std::string& line) {
  const std::string path = Env("OAPI_LOG");
  if (path.empty()) return;
  std::ofstream out(path, std::ios::app | std::ios::binary);
  out << line << "\n";
}

std::string Text(const char* text) { return text != nullptr ? text : "(null)"; }

std::string Number(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  return buffer;
}

uint32_t Answer(uint32_t status, const std::string& error) {
  g_script.lastError = error;
  return status;
}

}  // namespace

extern "C" {

uint32_t WINAPI OAPIConfigurationCheck(OpenApiVersion reserved, OpenApiVersion version, const char* address,
                                       OpenApiConfigInfo* config) {
  Load();
  Log("OAPIConfigurationCheck " + Number(reserved) + " " + Number(version) + " " + Text(address));
  *config = g_script.config;
  return g_script.configStatus;
}

void* WINAPI OAPIAccessInit(OpenApiVersion reserved, uint32_t zero1, uint32_t zero2, const char* address,
                            uint16_t port, uint8_t mode) {
  Log("OAPIAccessInit " + Number(reserved) + " " + std::to_string(zero1) + " " + std::to_string(zero2) + " " +
      Text(address) + " " + std::to_string(port) + " " + std::to_string(mode));
  return g_script.accessFails ? nullptr : &g_handle;
}

uint32_t WINAPI OAPIGetAuthCapability(void*, OpenApiCapability* capability) {
  Log("OAPIGetAuthCapability");
  *capability = g_script.capability;
  return Answer(g_script.capabilityStatus, g_script.error);
}

uint32_t WINAPI OAPIGetMiddleServerSetting(void*, const char* language, MiddleServerSetting* setting) {
  Log("OAPIGetMiddleServerSetting " + Text(language));
  if (!g_script.middleFile.empty()) {
    std::ifstream in(g_script.middleFile, std::ios::binary);
    in.read(reinterpret_cast<char*>(setting), sizeof *setting);
  }
  return Answer(g_script.middleStatus, g_script.error);
}

uint32_t WINAPI OAPILogin(void*, const OpenApiLoginRecord* record, const char* head,
                          const MiddleServerLoginList* list) {
  std::string line = "OAPILogin";
  if (record == nullptr) {
    line += " record=(null)";
  } else {
    line += " mode=" + std::to_string(record->mode) + " user=" + Text(record->user) + " password=" +
            Text(record->password) + " department=" + Text(record->department) + " departmentPassword=" +
            Text(record->departmentPassword) + " server=" + std::to_string(record->server) + " empty=" +
            Text(record->empty);
  }
  line += " head=" + Text(head);
  if (list == nullptr) {
    line += " list=(null)";
  } else {
    line += " tail=" + Text(list->tail) + " count=" + std::to_string(list->count);
    for (int i = 0; i < list->count && i < static_cast<int>(kMiddleServerLoginItems); ++i) {
      const MiddleServerLoginItem& item = list->items[i];
      line += " " + Text(item.key) + "=";
      line += item.valueCount > 0 ? Text(item.values[0]) : "(none)";
    }
  }
  Log(line);
  if (g_script.logins.empty()) return Answer(0, "");
  const Login l = g_script.logins.front();
  g_script.logins.pop_front();
  return Answer(l.status, l.error);
}

uint32_t WINAPI OAPILogout(void*) {
  Log("OAPILogout");
  return 0;
}

uint32_t WINAPI OAPIAccessEnd(void*) {
  Log("OAPIAccessEnd");
  return 0;
}

const char* WINAPI OAPIGetErrorDetail(void*) {
  Log("OAPIGetErrorDetail");
  return g_script.lastError.c_str();
}

uint32_t WINAPI OAPIGetPrinterEncryptionSetting(void*, EncryptionInfo* info) {
  Log("OAPIGetPrinterEncryptionSetting");
  if (g_script.encryptionStatus == 0) *info = g_script.encryption;
  return Answer(g_script.encryptionStatus, g_script.error);
}

uint32_t WINAPI OAPIGetDevicePermanentSetting(void*, uint32_t kind, void* block) {
  Log("OAPIGetDevicePermanentSetting " + std::to_string(kind));
  if (kind == kPermanentSettingKindHeaderFooter && g_script.permanentStatus == 0) {
    auto* b = static_cast<PermanentSettingBlock*>(block);
    b->count = g_script.permanentCount;
    for (size_t i = 0; i < g_script.entries.size() && i < kPermanentSettingEntries; ++i) {
      b->entries[i] = g_script.entries[i];
    }
  }
  if (kind == kPermanentSettingKindStamp) {
    if (g_script.stampStatus == 0) *static_cast<DeviceStampBlock*>(block) = g_script.stamps;
    return Answer(g_script.stampStatus, g_script.error);
  }
  return Answer(g_script.permanentStatus, g_script.error);
}

uint32_t WINAPI OAPIGetFileInfo(void*, uint32_t kind, const OpenApiFileRequest* request, void* block) {
  std::string line = "OAPIGetFileInfo " + std::to_string(kind);
  if (request != nullptr) {
    for (uint32_t v : request->value) line += " " + std::to_string(v);
  }
  Log(line);
  if (kind != kOpenApiFileInfoKind) return 1;
  *static_cast<RegisteredStampAnswer*>(block) = g_script.registered;
  return Answer(g_script.fileStatus, g_script.error);
}

uint32_t WINAPI OAPIGetDeviceInfo(void*) { return 1; }
uint32_t WINAPI OAPIGetDeviceInfoDetail(void*) { return 1; }

}  // extern "C"
