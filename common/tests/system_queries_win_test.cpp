// Spooler, locale and export queries without a printer of their own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win/driver_help.h"
#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info.h"
#include "common/win/printer_queries.h"
#include "common/win/win_version.h"

namespace {

TEST(SystemQueries, PrinterQueriesFailQuietlyWithoutAPrinter) {
  HANDLE none = nullptr;
  wchar_t name[260];
  wcscpy(name, L"stale");
  EXPECT_FALSE(QueryPrinterName(none, name, 260));
  EXPECT_FALSE(QueryDriverName(none, name, nullptr));
  EXPECT_STREQ(name, L"") << "the driver name is zero-filled first";
  EXPECT_STREQ(GetPrinterDriverNameW(none), L"");
  EXPECT_FALSE(IsRawOnlyPrinter(none));
  EXPECT_FALSE(IsLocalPrinterConnection(none));
  EXPECT_FALSE(IsPrinterAdministrable(L"No Such Printer"));
  EXPECT_FALSE(IsMonoDriverName(nullptr, L"No Such Printer"));
}

TEST(SystemQueries, ShellOpenReportsFailure) {
  EXPECT_FALSE(ShellOpen(nullptr, L"C:\\no such folder\\no such file.fax-test"));
}

TEST(SystemQueries, RunningSystemAndLocale) {
  EXPECT_EQ(GetWinVersionClass(), kWinLater);  // Wine reports 6.1
  EXPECT_TRUE(IsVistaOrLater());
  wchar_t country[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, country, 8);
  EXPECT_EQ(GetLocaleCountry(), _wtoi(country));
  ModelInfo model = {};
  model.languageId = 1033;
  EXPECT_STREQ(GetLanguageCode(&model), L"EN-US");
  EXPECT_STREQ(GetLanguageCode(nullptr), L"0000");
}

}  // namespace
