#include "dproc/fax/host_program.h"

#include <gtest/gtest.h>

namespace {

TEST(HostProgram, ExcelByNameAndExtensionInAnyCase) {
  struct Case {
    const char16_t* path;
    bool excel;
  } cases[] = {
      {u"C:\\Program Files\\Office\\EXCEL.EXE", true},
      {u"c:\\office\\excel.exe", true},
      {u"Z:/build/ExCeL.ExE", true},
      {u"EXCEL.EXE", true},
      {u"C:\\EXCEL.EXE\\WINWORD.EXE", false},
      {u"C:\\office\\EXCEL2.EXE", false},
      {u"C:\\office\\XEXCEL.EXE", false},
      {u"C:\\office\\EXCEL.EXE.BAK", false},
      {u"C:\\office\\EXCEL", false},
      {u"C:\\office\\EXCEL.EX", false},
      {u"", false},
      {nullptr, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsExcelProgramPath(c.path), c.excel);
}

}  // namespace
