// Binding the SNMP table to stand-ins of the system's SNMP libraries.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ddproc/snmp/snmp_api_bind.h"
#include "ddproc/snmp/snmp_lite_client.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"

namespace {

std::wstring StandinDir(const char* name) {
  std::string path = testsupport::BinaryPath(std::string("bin/standin_snmp/") + name);
  return testsupport::Widen(path);
}

void* Export(HMODULE module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(module, name));
}

TEST(SnmpBind, BothLibrariesGiveTheSystemInterface) {
  SnmpApiTable table{};
  std::wstring dir = StandinDir("complete");
  ASSERT_TRUE(SnmpApiBindFrom(&table, dir.c_str(), VER_PLATFORM_WIN32_NT, 6));
  EXPECT_TRUE(SnmpApiTableComplete(table));
  ASSERT_NE(table.mgmtapi, nullptr);
  ASSERT_NE(table.snmpapi, nullptr);
  auto mgmtapi = static_cast<HMODULE>(table.mgmtapi);
  auto snmpapi = static_cast<HMODULE>(table.snmpapi);
  EXPECT_EQ(reinterpret_cast<void*>(table.open), Export(mgmtapi, "SnmpMgrOpen"));
  EXPECT_EQ(reinterpret_cast<void*>(table.request), Export(mgmtapi, "SnmpMgrRequest"));
  EXPECT_EQ(reinterpret_cast<void*>(table.str_to_oid), Export(mgmtapi, "SnmpMgrStrToOid"));
  EXPECT_EQ(reinterpret_cast<void*>(table.var_bind_list_free), Export(snmpapi, "SnmpUtilVarBindListFree"));
  // Bound once: a second bind keeps the table.
  EXPECT_TRUE(SnmpApiBindFrom(&table, nullptr, VER_PLATFORM_WIN32_NT, 6));
  EXPECT_EQ(table.mgmtapi, mgmtapi);
  SnmpApiUnbindTable(&table);
  EXPECT_FALSE(SnmpApiTableComplete(table));
  EXPECT_EQ(table.mgmtapi, nullptr);
}

TEST(SnmpBind, BeforeVersionFiveTheTextConversionIsBuiltIn) {
  SnmpApiTable table{};
  std::wstring dir = StandinDir("complete");
  ASSERT_TRUE(SnmpApiBindFrom(&table, dir.c_str(), VER_PLATFORM_WIN32_NT, 4));
  EXPECT_EQ(table.str_to_oid, &SnmpLiteStrToOid);
  EXPECT_EQ(reinterpret_cast<void*>(table.open), Export(static_cast<HMODULE>(table.mgmtapi), "SnmpMgrOpen"));
  SnmpApiUnbindTable(&table);
}

TEST(SnmpBind, AMissingEntryPointLeavesSnmpUnavailable) {
  SnmpApiTable table{};
  std::wstring dir = StandinDir("partial");
  EXPECT_FALSE(SnmpApiBindFrom(&table, dir.c_str(), VER_PLATFORM_WIN32_NT, 6));
  EXPECT_FALSE(SnmpApiTableComplete(table));
  EXPECT_EQ(table.bound, 0);
  EXPECT_EQ(table.mgmtapi, nullptr);
  EXPECT_EQ(table.snmpapi, nullptr);
  // No fall-back to the built-in client either.
  EXPECT_EQ(table.open, nullptr);
}

TEST(SnmpBind, WithoutSnmpapiTheBuiltInClientIsUsed) {
  SnmpApiTable table{};
  std::wstring dir = StandinDir("mgmtapi_only");
  ASSERT_TRUE(SnmpApiBindFrom(&table, dir.c_str(), VER_PLATFORM_WIN32_NT, 6));
  EXPECT_TRUE(SnmpApiTableComplete(table));
  EXPECT_EQ(table.open, &SnmpLiteOpen);
  EXPECT_EQ(table.request, &SnmpLiteRequest);
  EXPECT_EQ(table.mem_free, &SnmpLiteMemFree);
  EXPECT_NE(table.mgmtapi, nullptr);  // stays loaded until unbinding
  SnmpApiUnbindTable(&table);
}

TEST(SnmpBind, OutsideTheNtFamilyNothingIsLoaded) {
  SnmpApiTable table{};
  std::wstring dir = StandinDir("complete");
  ASSERT_TRUE(SnmpApiBindFrom(&table, dir.c_str(), 1, 4));
  EXPECT_EQ(table.open, &SnmpLiteOpen);
  EXPECT_EQ(table.mgmtapi, nullptr);
  SnmpApiUnbindTable(&table);
}

}  // namespace
