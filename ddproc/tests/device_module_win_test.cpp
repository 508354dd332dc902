// The device library's module init on the sample model, run in the test
// program on a library folder of its own: the default document settings
// and the resident font list it builds for its dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/cover/cover_defaults.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "ddproc/startup/ddproc_module_win.h"
#include "ddproc/tests/library_dir_win.h"

namespace {

TEST(DeviceModule, BuildsItsDefaultSettingsFromTheModelAndTheFontLibrary) {
  const ddtest::LibraryDir& library = ddtest::Library();
  ASSERT_NE(library.module(), nullptr);
  ASSERT_TRUE(CopyFileW(ddtest::Widen(testsupport::BinaryPath("bin/VELDRANQ.DLL")).c_str(),
                        (library.dir() + L"VELDRANQ.DLL").c_str(), FALSE));
  DDProcInitModule(library.module());
  ASSERT_NE(DDProcModel(), nullptr);
  const DocDMode& d = DDProcDefaultSettings();
  EXPECT_TRUE(IsSoundDocDMode(&d)) << "sealed after the load";
  // The sample model's substitution list, kept for the faces the font
  // library has.
  const DocFields& f = Fields(d);
  ASSERT_EQ(f.SubFontEntryNum, 3);
  EXPECT_STREQ(f.SubTTFontName[1], "Liberation Mono");
  EXPECT_STREQ(f.SubDevFontName[1], "Courier");
  // The built-in cover record's title from the description file.
  FaxCoverSheetData cover;
  MakeDefaultCoverSheet(&cover);
  EXPECT_EQ(std::u16string(cover.recipient.szTitle), u"To all recipients");
  DDProcFreeModule();
  DeleteFileW((library.dir() + L"VELDRANQ.DLL").c_str());
}

}  // namespace
