#include "duicore/events/adapter_query_win.h"

#include <windows.h>

#include <nb30.h>

#include <algorithm>
#include <cstring>

#include "common/win/bind_export.h"

namespace {

using NetbiosFn = UCHAR(WINAPI*)(PNCB ncb);

struct AdapterStatus {
  ADAPTER_STATUS status;
  NAME_BUFFER names[30];
};
static_assert(sizeof(AdapterStatus) <= 600);

}  // namespace

bool QueryLanAdapterAddress(uint8_t out[6]) {
  if (GetModuleHandleW(L"netapi32.dll") != nullptr) return false;
  HMODULE library = LoadLibraryW(L"netapi32.dll");
  if (library == nullptr) return false;
  bool found = false;
  auto netbios = BindExport<NetbiosFn>(library, "Netbios");
  if (netbios != nullptr) {
    LANA_ENUM lanas{};
    NCB ncb{};
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
    ncb.ncb_length = sizeof lanas;
    if (netbios(&ncb) == NRC_GOODRET) {
      const size_t count = std::min<size_t>(lanas.length, MAX_LANA);
      std::sort(lanas.lana, lanas.lana + count);
      for (size_t i = 0; i < count && !found; ++i) {
        std::memset(&ncb, 0, sizeof ncb);
        ncb.ncb_command = NCBRESET;
        ncb.ncb_lana_num = lanas.lana[i];
        if (netbios(&ncb) != NRC_GOODRET) break;
        AdapterStatus status{};
        std::memset(&ncb, 0, sizeof ncb);
        ncb.ncb_command = NCBASTAT;
        ncb.ncb_lana_num = lanas.lana[i];
        std::memcpy(ncb.ncb_callname, "*               ", NCBNAMSZ);
        ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&status);
        ncb.ncb_length = sizeof status;
        if (netbios(&ncb) == NRC_GOODRET) {
          std::memcpy(out, status.status.adapter_address, 6);
          found = true;
        }
      }
    }
  }
  FreeLibrary(library);
  return found;
}
