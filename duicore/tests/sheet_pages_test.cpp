// The page tables of the sheet session, the title keys, the session mode
// of a document request and the cut of a page title.
#include "duicore/sheets/sheet_pages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "duicore/module/os_version_class.h"

namespace {

TEST(SheetPages, EachModeHasItsPagesInOrder) {
  const struct {
    int32_t mode;
    std::string pages;
  } cases[] = {
      {0, "171 Prc_DocFaxProc,100 Prc_DocPaper1Proc,101 Prc_DocPaper2Proc,104 Prc_DocWOProc,106 Prc_DocVersionProc,"},
      {1, "171 Prc_DocFaxProc,100 Prc_DocPaper1Proc,101 Prc_DocPaper2Proc,104 Prc_DocWOProc,106 Prc_DocVersionProc,"},
      {2, "171 Prc_DocFaxProc,100 Prc_DocPaper1Proc,101 Prc_DocPaper2Proc,104 Prc_DocWOProc,106 Prc_DocVersionProc,"},
      {3, "177 Prc_PrnDeviceOptionProc,184 Prc_PrnSettingsProc,"},
      {4, ""},
      {-1, ""},
  };
  for (const auto& c : cases) {
    size_t count = 99;
    const SheetPageRow* rows = SheetPagesOfMode(c.mode, &count);
    std::string got;
    for (size_t i = 0; i < count; ++i) got += std::to_string(rows[i].templateId) + " " + rows[i].procedure + ",";
    EXPECT_EQ(got, c.pages) << c.mode;
  }
}

TEST(SheetPages, EveryPageOfASessionHasATitleKey) {
  for (int32_t mode : {0, 3}) {
    size_t count = 0;
    const SheetPageRow* rows = SheetPagesOfMode(mode, &count);
    for (size_t i = 0; i < count; ++i) {
      SheetTitleKey key;
      EXPECT_TRUE(SheetTitleKeyOf(rows[i].templateId, &key)) << rows[i].templateId;
    }
  }
  const struct {
    uint32_t id;
    const char* section;
    const char* key;
  } keys[] = {{171, "Property_FAX", "Prop_Fax"},         {100, "Property_1", "Prop_Basic"},
              {156, "Property_10", "Prop_Configure"},    {184, "Property_11", "Prop_Settings"},
              {2531, "Property_6", "Prop_Quality"},      {2288, "Property_3", "Prop_CoverPage"},
              {161, "Property_13", "Prop_Initialize"},   {110, "Property_12", "Prop_Finisher"}};
  for (const auto& k : keys) {
    SheetTitleKey key;
    ASSERT_TRUE(SheetTitleKeyOf(k.id, &key)) << k.id;
    EXPECT_STREQ(key.section, k.section);
    EXPECT_STREQ(key.key, k.key);
  }
  SheetTitleKey none;
  EXPECT_FALSE(SheetTitleKeyOf(115, &none));
}

TEST(SheetPages, DocumentSessionModes) {
  const struct {
    uint32_t mode;
    int osClass;
    bool shell, same;
    uint32_t outSize;
    int32_t expected;
  } cases[] = {
      {0x0, kOsClassOther, false, false, 0, 0},
      {0x10, kOsClassOther, false, false, 0, 1},
      {0x40, kOsClassOther, false, false, 0, 2},
      {0x50, kOsClassOther, false, false, 0, 1},  // advanced wins over user default
      {0x0, kOsClassWindows2000, true, true, 0, 2},
      {0x0, kOsClassWindows2000, true, true, 8260, 0},
      {0x0, kOsClassWindows2000, true, false, 0, 0},
      {0x0, kOsClassWindows2000, false, true, 0, 0},
      {0x0, kOsClassWindowsXP, true, true, 0, 0},   // only Windows 2000's shell
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DocumentSessionMode({c.mode, c.osClass, c.shell, c.same, c.outSize}), c.expected)
        << c.mode << " " << c.osClass;
  }
}

TEST(SheetPages, TitlesAreCutToTheirField) {
  char16_t sixty[61];
  for (int i = 0; i < 60; ++i) sixty[i] = static_cast<char16_t>(u'A' + i % 26);
  sixty[60] = u'\0';
  char16_t title[48];
  std::memset(title, 0x55, sizeof title);
  CopyPageTitle(sixty, title, 48);
  EXPECT_EQ(std::u16string(title), std::u16string(sixty, 47));
  CopyPageTitle(u"Fax", title, 48);
  EXPECT_EQ(std::u16string(title), u"Fax");
  CopyPageTitle(nullptr, title, 48);
  EXPECT_EQ(title[0], u'\0');
}

}  // namespace
