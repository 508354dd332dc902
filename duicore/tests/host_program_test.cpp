#include "duicore/module/host_program.h"

#include <gtest/gtest.h>

namespace {

TEST(HostProgramTest, OnlyTheSpreadsheetExecutableItselfCounts) {
  struct Case {
    const wchar_t* path;
    bool spreadsheet;
  } const cases[] = {
      {L"C:\\Program Files\\Office\\EXCEL.EXE", true},
      {L"C:\\Program Files\\Office\\excel.exe", true},
      {L"excel.Exe", true},
      {L"D:excel.exe", true},
      {L"C:\\Office\\EXCEL.EXE.BAK", false},
      {L"C:\\Office\\MYEXCEL.EXE", false},
      {L"C:\\Office\\EXCEL.COM", false},
      {L"C:\\EXCEL.EXE\\winword.exe", false},
      {L"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsSpreadsheetHost(c.path), c.spreadsheet) << c.path;
}

TEST(HostProgramTest, FileNameIsCutToFitItsField) {
  char16_t field[16];
  CopyHostFileName(L"C:\\apps\\a-very-long-program-name.exe", field, 16);
  EXPECT_EQ(std::u16string(field), u"a-very-long-pro");
  CopyHostFileName(L"C:\\apps\\notepad.exe", field, 16);
  EXPECT_EQ(std::u16string(field), u"notepad.exe");
  for (int i = 11; i < 16; ++i) EXPECT_EQ(field[i], u'\0');
}

}  // namespace
