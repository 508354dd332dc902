// Binding the SNMP table to the system's management interface or to the
// library's own client.
#include <windows.h>

#include <cstring>
#include <string>

#include "common/win/bind_export.h"
#include "common/win/win_version.h"
#include "ddproc/snmp/snmp_api_bind.h"
#include "ddproc/snmp/snmp_lite_client.h"

namespace {

SnmpApiTable g_table{};

template <typename Proc>
bool Bind(HMODULE module, const char* name, Proc* slot) {
  *slot = BindExport<Proc>(module, name);
  return *slot != nullptr;
}

HMODULE LoadFrom(const wchar_t* directory, const wchar_t* name) {
  std::wstring path = directory;
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  path += name;
  return LoadLibraryW(path.c_str());
}

}  // namespace

bool SnmpApiBindFrom(SnmpApiTable* table, const wchar_t* directory, uint32_t platform, uint32_t major) {
  if (table->bound) return true;
  if (platform == VER_PLATFORM_WIN32_NT && directory != nullptr) {
    table->mgmtapi = LoadFrom(directory, L"MGMTAPI.DLL");
    table->snmpapi = LoadFrom(directory, L"SNMPAPI.DLL");
  }
  if (table->mgmtapi != nullptr && table->snmpapi != nullptr) {
    auto snmpapi = static_cast<HMODULE>(table->snmpapi);
    auto mgmtapi = static_cast<HMODULE>(table->mgmtapi);
    bool all = Bind(snmpapi, kSnmpUtilMemAllocName, &table->mem_alloc) &&
               Bind(snmpapi, kSnmpUtilMemFreeName, &table->mem_free) &&
               Bind(snmpapi, kSnmpUtilOidFreeName, &table->oid_free) &&
               Bind(snmpapi, kSnmpUtilVarBindFreeName, &table->var_bind_free) &&
               Bind(snmpapi, kSnmpUtilVarBindListFreeName, &table->var_bind_list_free) &&
               Bind(mgmtapi, kSnmpMgrOpenName, &table->open) && Bind(mgmtapi, kSnmpMgrCloseName, &table->close) &&
               Bind(mgmtapi, kSnmpMgrRequestName, &table->request);
    if (all) {
      if (major < 5) {
        table->str_to_oid = SnmpLiteStrToOid;
      } else {
        all = Bind(mgmtapi, kSnmpMgrStrToOidName, &table->str_to_oid);
      }
    }
    if (!all) {
      SnmpApiUnbindTable(table);
      return false;
    }
    table->bound = 1;
    return true;
  }
  SnmpLiteFillTable(table);
  table->bound = 1;
  return true;
}

void SnmpApiUnbindTable(SnmpApiTable* table) {
  if (table->mgmtapi != nullptr) FreeLibrary(static_cast<HMODULE>(table->mgmtapi));
  if (table->snmpapi != nullptr) FreeLibrary(static_cast<HMODULE>(table->snmpapi));
  std::memset(table, 0, sizeof(*table));
}

const SnmpApiTable& ProcessSnmpApi() { return g_table; }

bool SnmpApiBind() {
  if (g_table.bound) return true;
  OSVERSIONINFOW version;
  if (!QueryWindowsVersion(&version)) return false;
  wchar_t directory[MAX_PATH];
  UINT length = GetSystemDirectoryW(directory, MAX_PATH);
  const wchar_t* from = length > 0 && length < MAX_PATH ? directory : nullptr;
  return SnmpApiBindFrom(&g_table, from, version.dwPlatformId, version.dwMajorVersion);
}

bool SnmpApiIsBound() { return SnmpApiTableComplete(g_table); }

void SnmpApiUnbind() { SnmpApiUnbindTable(&g_table); }
