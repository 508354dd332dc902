// A scripted stand-in of the device-communication library VELDRANI.  Its
// answers come from the text file that the environment variable BDC_SCRIPT
// names, read at every call, one statement a line:
//
//   name <text>                       device name (rest of the line)
//   product <text>                    product name
//   channel <n>                       the communication-info value at byte 72
//   option <category> <unit name>     one option entry
//   memory <kind>                     one memory entry
//   finisher <mask>                   one finisher entry (0x.. allowed)
//   mediapath <kind>                  the media-path record
//   tray <number> <size> <orientation> <type> <colour> <second side> <status>
//   fail <function>                   the function returns -1
//   claim <function> <count>          a list function reports this count
//
// When BDC_LOG names a file, every call appends a line to it:
// "<function> status=<value> channel=<value> community=<text>".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/contracts/bdc_library.h"

namespace {

struct Script {
  std::string name, product;
  uint32_t channel = 7;
  std::vector<BdcOptionEntry> options;
  std::vector<BdcMemoryEntry> memory;
  std::vector<BdcFinisherEntry> finishers;
  std::vector<BdcInputTrayEntry> trays;
  BdcMediaPath mediaPath{};
  std::vector<std::string> failing;
  std::vector<std::pair<std::string, uint32_t>> claims;

  bool Fails(const char* fn) const {
    for (const std::string& f : failing) {
      if (f == fn) return true;
    }
    return false;
  }
};

std::string Env(const char* name) {
  char value[MAX_PATH + 1] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? value : "";
}

Script Load() {
  Script s;
  std::ifstream in(Env("BDC_SCRIPT"));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    std::string rest;
    std::getline(words >> std::ws, rest);
    std::istringstream args(rest);
    if (verb == "name") s.name = rest;
    if (verb == "product") s.product = rest;
    if (verb == "channel") args >> s.channel;
    if (verb == "option") {
      BdcOptionEntry e{};
      std::string unit;
      args >> e.category >> unit;
      std::strncpy(e.unitName, unit.c_str(), sizeof e.unitName - 1);
      s.options.push_back(e);
    }
    if (verb == "memory") {
      BdcMemoryEntry e{};
      args >> e.kind;
      s.memory.push_back(e);
    }
    if (verb == "finisher") {
      BdcFinisherEntry e{};
      e.capabilities = static_cast<uint32_t>(std::strtoul(rest.c_str(), nullptr, 0));
      s.finishers.push_back(e);
    }
    if (verb == "mediapath") args >> s.mediaPath.kind;
    if (verb == "tray") {
      BdcInputTrayEntry e{};
      uint32_t size = 0, status = 0;
      args >> e.trayNumber >> size >> e.orientation >> e.mediaType >> e.paperColour >> e.secondSide >> status;
      e.paperSize = static_cast<uint16_t>(size);
      e.status = static_cast<uint16_t>(status);
      s.trays.push_back(e);
    }
    if (verb == "fail") s.failing.push_back(rest);
    if (verb == "claim") {
      std::string fn;
      uint32_t n = 0;
      args >> fn >> n;
      s.claims.push_back({fn, n});
    }
  }
  return s;
}

void Log(const char* fn, const uint32_t* status, const BdcCommBlock* comm) {
  const std::string path = Env("BDC_LOG");
  if (path.empty()) return;
  FILE* f = std::fopen(path.c_str(), "a");
  if (f == nullptr) return;
  std::fprintf(f, "%s status=%u channel=%u community=%s\n", fn, status != nullptr ? *status : 0u,
               comm != nullptr ? comm->channel : 0u, comm != nullptr ? comm->community : "");
  std::fclose(f);
}

// The two calls of a list function.
template <typename T>
int32_t List(const char* fn, const Script& s, const std::vector<T>& rows, uint32_t* count, T* list) {
  if (s.Fails(fn)) return -1;
  if (list == nullptr) {
    *count = static_cast<uint32_t>(rows.size());
    for (const auto& claim : s.claims) {
      if (claim.first == fn) *count = claim.second;
    }
    return 0;
  }
  const size_t n = rows.size() < *count ? rows.size() : *count;
  for (size_t i = 0; i < n; ++i) list[i] = rows[i];
  *count = static_cast<uint32_t>(n);
  return 0;
}

}  // namespace

extern "C" {

int32_t BDC_CALL BdcGetLibVersion(uint32_t* status, BdcLibVersion* version) {
  Log("BdcGetLibVersion", status, nullptr);
  Script s = Load();
  if (s.Fails("BdcGetLibVersion")) return -1;
  *version = BdcLibVersion{1, 2, 3, 0};
  *status = 0;
  return 1;  // 1 is a success here
}

int32_t BDC_CALL BdcGetDevCommInfo(uint32_t* status, const char* address, BdcCommInfo* info) {
  Log("BdcGetDevCommInfo", status, nullptr);
  Script s = Load();
  if (s.Fails("BdcGetDevCommInfo")) return -1;
  *info = BdcCommInfo{};
  std::strncpy(info->address, address, sizeof info->address - 1);
  info->channel = s.channel;
  return 0;
}

int32_t BDC_CALL BdcGetDevName(const BdcCommBlock* comm, uint32_t* status, BdcDevName* name) {
  Log("BdcGetDevName", status, comm);
  Script s = Load();
  if (s.Fails("BdcGetDevName")) return -1;
  *name = BdcDevName{};
  std::strncpy(name->deviceName, s.name.c_str(), sizeof name->deviceName - 1);
  std::strncpy(name->productName, s.product.c_str(), sizeof name->productName - 1);
  return 0;
}

int32_t BDC_CALL BdcGetDevFirmwareVersion(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                          BdcFirmwareEntry* list) {
  Log("BdcGetDevFirmwareVersion", status, comm);
  return List("BdcGetDevFirmwareVersion", Load(), std::vector<BdcFirmwareEntry>{}, count, list);
}

int32_t BDC_CALL BdcGetDevMemoryCapacity(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                         BdcMemoryEntry* list) {
  Log("BdcGetDevMemoryCapacity", status, comm);
  Script s = Load();
  return List("BdcGetDevMemoryCapacity", s, s.memory, count, list);
}

int32_t BDC_CALL BdcGetDevOptionInfo(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                     BdcOptionEntry* list) {
  Log("BdcGetDevOptionInfo", status, comm);
  Script s = Load();
  return List("BdcGetDevOptionInfo", s, s.options, count, list);
}

int32_t BDC_CALL BdcGetDevInputTrayInfoEx(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                          uint32_t level, BdcInputTrayEntry* list) {
  Log("BdcGetDevInputTrayInfoEx", status, comm);
  if (level != kBdcTrayInfoLevel) return -1;
  Script s = Load();
  return List("BdcGetDevInputTrayInfoEx", s, s.trays, count, list);
}

int32_t BDC_CALL BdcGetDevOutputTrayInfo(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                         BdcOutputTrayEntry* list) {
  Log("BdcGetDevOutputTrayInfo", status, comm);
  return List("BdcGetDevOutputTrayInfo", Load(), std::vector<BdcOutputTrayEntry>{}, count, list);
}

int32_t BDC_CALL BdcGetDevMediaPathInfo(const BdcCommBlock* comm, uint32_t* status, BdcMediaPath* path) {
  Log("BdcGetDevMediaPathInfo", status, comm);
  Script s = Load();
  if (s.Fails("BdcGetDevMediaPathInfo")) return -1;
  *path = s.mediaPath;
  return 0;
}

int32_t BDC_CALL BdcGetDevFinisherInfo(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                       BdcFinisherEntry* list) {
  Log("BdcGetDevFinisherInfo", status, comm);
  Script s = Load();
  return List("BdcGetDevFinisherInfo", s, s.finishers, count, list);
}

#define UNCALLED(name)                                                    \
  int32_t BDC_CALL name(const BdcCommBlock* comm, uint32_t* status, void*) { \
    Log(#name, status, comm);                                             \
    return -1;                                                            \
  }
UNCALLED(BdcGetDevIpAddress)
UNCALLED(BdcGetDevInputTrayInfo)
UNCALLED(BdcGetDevStatus)
UNCALLED(BdcBeginDevEventNotify)
UNCALLED(BdcEndDevEventNotify)
UNCALLED(BdcBeginNotifyPrint)
UNCALLED(BdcGetDevJobHistoryList)
UNCALLED(BdcEndNotifyPrint)
UNCALLED(BdcBeginNotifyJobCompletion)
UNCALLED(BdcGetReceiveAddress)
UNCALLED(BdcEndNotifyJobCompletion)

}  // extern "C"
