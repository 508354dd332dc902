// What start-up takes from the sample model for the default settings, the
// shared display texts and the numbered message tables.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/records/builtin_dev_option.h"
#include "dproc/model/default_settings.h"
#include "common/qxd/locale_defaults.h"
#include "common/records/settings_checksum.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/startup/process_texts.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"

namespace {

TEST(StartupDefaults, TheSampleModelCompletesTheBuiltInRecords) {
  const std::string path = testsupport::BinaryPath("model/VELDRANH.QXD");
  AllocProcessMessageTables();  // as attach does before it reads the file
  LoadDispStringTablesFrom(testsupport::Widen(path).c_str());
  ASSERT_NE(ProcessModelInfo(), nullptr);

  const DocDMode& doc = DefaultDocDMode();
  const DocFields& f = Fields(doc);
  const uint16_t localePaper = LocaleDefaultPaperId(GetLocaleCountry());
  EXPECT_EQ(+f.nPaperSize, localePaper);
  EXPECT_EQ(+f.nOutPaperSize, 356);  // the sample model sends at the original size
  EXPECT_EQ(+f.nDefaultSource, 7);
  EXPECT_EQ(+f.nMediaType, 1);
  EXPECT_EQ(+f.nBinding, 14);
  EXPECT_EQ(+f.nFrontCoverMode, 1);  // the model's driver prints the covers
  EXPECT_STREQ(f.PTInfoEach[0].szKey, "InTray1");
  EXPECT_EQ(+f.SubFontEntryNum, 9);  // no font library beside the test program
  EXPECT_TRUE(DocDModeChecksumMatches(&doc));

  const DevOption& device = BuiltInDevOption();
  EXPECT_EQ(+device.trays[0].paperId, localePaper);
  EXPECT_EQ(+device.trays[9].mediaType, 1);
  EXPECT_EQ(+device.emfSpool, 1);
  EXPECT_EQ(+device.optionCount, 3u);  // authentication, account track, fax unit

  EXPECT_EQ(std::u16string(CommonItemTable()[12].text), u"OK");
  EXPECT_EQ(std::u16string(MessageText(ProcessMessageTables(), kChgMessageStr, 0)), u"Change of Settings");
  FreeDescriptionData();
  FreeProcessMessageTables();
  EXPECT_EQ(ProcessMessageTables().tables[0], nullptr);
}

}  // namespace
