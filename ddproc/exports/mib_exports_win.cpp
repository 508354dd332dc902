// The SNMP device queries and their static tables.  Every request opens its
// own session with the device, asks, and closes it; the session's failure
// reason stays the thread's last error.
#include <windows.h>

#include <new>
#include <string>
#include <type_traits>

#include "common/contracts/ddproc_functions.h"
#include "common/win/export_guard.h"
#include "ddproc/mib/mib_queries.h"
#include "ddproc/mib/mib_tables.h"
#include "ddproc/snmp/snmp_api_bind.h"
#include "ddproc/snmp/snmp_lite_client.h"
#include "ddproc/startup/ddproc_module_win.h"

namespace {

// The session keeps a pointer to its community text.
char g_community[] = "tamrik";
static_assert(sizeof(g_community) == sizeof(kMibCommunity));

// An open session with the device, closed when it goes out of scope
// without touching the last error.
class MibSession {
 public:
  MibSession(const char* address, int32_t timeout_ms, int32_t retries) : api_(ProcessSnmpApi()) {
    std::string agent(address);
    session_ = api_.open(agent.data(), g_community, timeout_ms, retries);
  }
  ~MibSession() {
    if (session_ == nullptr) return;
    DWORD error = GetLastError();
    api_.close(session_);
    SetLastError(error);
  }
  MibSession(const MibSession&) = delete;
  MibSession& operator=(const MibSession&) = delete;
  bool open() const { return session_ != nullptr; }
  void* handle() const { return session_; }
  const SnmpApiTable& api() const { return api_; }

 private:
  const SnmpApiTable& api_;
  void* session_ = nullptr;
};

// The checks every request makes before it asks: SNMP bound (else false
// without a last error) and the arguments present.
bool Ready(const void* address, const void* entries = reinterpret_cast<const void*>(1)) {
  if (!SnmpApiIsBound()) return false;
  if (address == nullptr || entries == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

void* AllocList(size_t bytes) { return LocalAlloc(LPTR, bytes); }

}  // namespace

extern "C" {

const MibOptionTable* WINAPI MIB_ModelCheckInfo() noexcept { return &MibModelCheckTable(); }
const MibOptionTable* WINAPI MIB_OptionReqInfo() noexcept { return &MibOptionKeys(); }
const MibOidText* WINAPI MIB_MrkSupReqInfo() noexcept { return MibSupplyOids(); }
const MibOvlOids* WINAPI MIB_OvlReqInfo() noexcept { return &MibOverlayOids(); }
const MibProfOids* WINAPI MIB_CMProfReqInfo() noexcept { return &MibProfileOids(); }
const MibSupplyRow* WINAPI GET_MrkSupItemList() noexcept { return MibSupplyRows(); }

BOOL WINAPI MIB_IsModelOK(const char* address) noexcept { return SnmpApiIsBound() && address != nullptr; }

BOOL WINAPI MIB_IsAccessOK(const char* address) noexcept {
  return GuardExport("MIB_IsAccessOK", BOOL{FALSE}, [&]() -> BOOL {
    if (!Ready(address)) return FALSE;
    if (address[0] == '\0') {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    MibSession session(address, kMibAccessTimeoutMs, kMibAccessRetries);
    if (!session.open()) return FALSE;
    MibAnswer answer;
    return MibGet(session.api(), session.handle(), kMibSysObjectId, "", &answer) ? TRUE : FALSE;
  });
}

BOOL WINAPI MIB_OptionRequest(const char* address, int32_t count, DevOptionEntry* entries) noexcept {
  return GuardExport("MIB_OptionRequest", BOOL{FALSE}, [&]() -> BOOL {
    if (!Ready(address, entries)) return FALSE;
    MibSession session(address, kMibQueryTimeoutMs, kMibQueryRetries);
    if (!session.open()) return FALSE;
    MibFillOptions(session.api(), session.handle(), count, entries);
    return TRUE;
  });
}

BOOL WINAPI MIB_MrkSupRequest(const char* address, int32_t count, SupplyLevelEntry* entries) noexcept {
  return GuardExport("MIB_MrkSupRequest", BOOL{FALSE}, [&]() -> BOOL {
    if (!Ready(address, entries)) return FALSE;
    MibSession session(address, kMibQueryTimeoutMs, kMibQueryRetries);
    if (!session.open()) return FALSE;
    return MibFillSupplies(session.api(), session.handle(), count, entries) ? TRUE : FALSE;
  });
}

DeviceFormList* WINAPI MIB_OverlayRequest(const char* address, int32_t storage) noexcept {
  return GuardExport("MIB_OverlayRequest", static_cast<DeviceFormList*>(nullptr), [&]() -> DeviceFormList* {
    if (!Ready(address)) return nullptr;
    MibSession session(address, kMibQueryTimeoutMs, kMibQueryRetries);
    if (!session.open()) return nullptr;
    if (storage != 0 && storage != 1) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    return MibListOverlays(session.api(), session.handle(), storage, AllocList);
  });
}

DeviceProfileList* WINAPI MIB_ProfileRequest(const char* address) noexcept {
  return GuardExport("MIB_ProfileRequest", static_cast<DeviceProfileList*>(nullptr), [&]() -> DeviceProfileList* {
    if (!Ready(address)) return nullptr;
    MibSession session(address, kMibQueryTimeoutMs, kMibQueryRetries);
    if (!session.open()) return nullptr;
    // The model record read at attach says whether device links are listed;
    // without one they are left out.
    const ModelInfo* model = DDProcModel();
    const bool deviceLinks = model != nullptr && model->features[kMfUseDeviceLinkProfile] != 0;
    return MibListProfiles(session.api(), session.handle(), deviceLinks, AllocList);
  });
}

// Both lists come from the local heap.
void WINAPI MIB_FreeOverlayInfo(void* list) noexcept { SnmpLiteMemFree(list); }
void WINAPI MIB_FreeProfileInfo(void* list) noexcept { SnmpLiteMemFree(list); }

}  // extern "C"

// Each export has the type its contract declares (the exports are noexcept,
// which the contract's pointer types take).
template <typename Export, typename Contract>
inline constexpr bool kExportMatches = std::is_convertible_v<Export, Contract>;
static_assert(kExportMatches<decltype(&MIB_IsAccessOK), MibIsAccessOKProc>);
static_assert(kExportMatches<decltype(&MIB_IsModelOK), MibIsModelOKProc>);
static_assert(kExportMatches<decltype(&MIB_OptionRequest), MibOptionRequestProc>);
static_assert(kExportMatches<decltype(&MIB_MrkSupRequest), MibMrkSupRequestProc>);
static_assert(kExportMatches<decltype(&MIB_OverlayRequest), MibOverlayRequestProc>);
static_assert(kExportMatches<decltype(&MIB_FreeOverlayInfo), MibFreeListProc>);
static_assert(kExportMatches<decltype(&MIB_ProfileRequest), MibProfileRequestProc>);
static_assert(kExportMatches<decltype(&MIB_FreeProfileInfo), MibFreeListProc>);
static_assert(kExportMatches<decltype(&GET_MrkSupItemList), GetMrkSupItemListProc>);
static_assert(kExportMatches<decltype(&MIB_ModelCheckInfo), MibOptionReqInfoProc>);
static_assert(kExportMatches<decltype(&MIB_OptionReqInfo), MibOptionReqInfoProc>);
static_assert(kExportMatches<decltype(&MIB_MrkSupReqInfo), MibMrkSupReqInfoProc>);
static_assert(kExportMatches<decltype(&MIB_OvlReqInfo), MibOvlReqInfoProc>);
static_assert(kExportMatches<decltype(&MIB_CMProfReqInfo), MibCMProfReqInfoProc>);
