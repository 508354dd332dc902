// Which N-up table a sheet offers: the variant only to a plug-in host's
// page on Windows NT 4.0.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win/win_version.h"
#include "dproc/model/feature_table.h"
#include "dproc/sheets/nup_option_table_win.h"

namespace {

TEST(NupOptionTable, TheVariantOnlyForAPluginPageOnNt4) {
  OptionHead* standard = NupOptionTable(false);
  OptionHead* variant = NupOptionTable(true);
  ASSERT_NE(standard, nullptr);
  ASSERT_NE(variant, nullptr);
  ASSERT_NE(standard, variant);

  uint8_t sessionRecord[16] = {0};
  uint8_t pluginRecord[16] = {1, kPluginDocumentKind};
  uint8_t pluginDevice[16] = {1, kPluginDeviceKind};
  PROPSHEETPAGEW session = {}, plugin = {}, device = {};
  session.lParam = reinterpret_cast<LPARAM>(sessionRecord);
  plugin.lParam = reinterpret_cast<LPARAM>(pluginRecord);
  device.lParam = reinterpret_cast<LPARAM>(pluginDevice);

  struct Case {
    const PROPSHEETPAGEW* ctx;
    int version;
    OptionHead* expected;
  } cases[] = {
      {&plugin, kWinNT4, variant},    {&device, kWinNT4, variant},     {&session, kWinNT4, standard},
      {&plugin, kWin2000, standard},  {&plugin, kWinLater, standard},  {&plugin, kWinOlder, standard},
      {nullptr, kWinNT4, standard},
  };
  for (const Case& c : cases) EXPECT_EQ(NupOptionTableFor(c.ctx, c.version), c.expected) << c.version;
  // The running system is not NT 4.0.
  EXPECT_EQ(GetNupOptionTable(&plugin), standard);
}

}  // namespace
