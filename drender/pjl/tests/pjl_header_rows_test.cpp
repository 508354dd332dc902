// The start-command walk: which entries each row writes, in which order
// and how often, on a small command file whose every entry writes its own
// name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "drender/pjl/pjl_header_rows.h"
#include "drender/pjl/pjl_templates.h"
#include "drender/pjl/tests/pjl_test_job.h"
#include "tools/qxd/qxd_document.h"

namespace {

using pjltest::TestJob;

// Rows whose entries write "<entry>;" (and a few that write values).
// Without colour-mode pairs every walk writes the edge rows' defaults.
const char kCommands[] =
    "qxd 1 headers=40\n"
    "\n"
    "section \"PJL_StartCommand\" commands\n"
    "  row \"OutputMethod\"\n"
    "    command \"SecurePrint\" SecurePrint;\n"
    "    command \"SecurePrintId\" SecurePrintId;\n"
    "    command \"SecPassword\" SecPassword;\n"
    "    command \"NormalPrint\" NormalPrint;\n"
    "  row \"Embeded_3\"\n"
    "    command \"PerPageSet\" never;\n"
    "  row \"Embeded_0\"\n"
    "    command \"PerPageSet\" never;\n"
    "  row \"Embeded_11\"\n"
    "    command \"PerPageSet\" never;\n"
    "  row \"Embeded\"\n"
    "    command \"PerPageSet\" never;\n"
    "  row \"Embeded_1\"\n"
    "    command \"PerPageSet\" \"%s{DRV(PPSIndex),3,,}/%s{DRV(PPSIndex2),3,,}=%s{DRV(PPSParam),255,,};\"\n"
    "  row \"Img_RGBProf\"\n"
    "    command \"Img_sRGB\" Img_sRGB;\n"
    "    command \"Img_DeviceRGB\" Img_DeviceRGB;\n"
    "    command \"Img_Photo\" Img_Photo;\n"
    "  row \"Img_Edge\"\n"
    "    command \"Img_EdgeOFF\" Img_EdgeOFF;\n"
    "  row \"Text_Edge\"\n"
    "    command \"Text_EdgeON\" Text_EdgeON;\n"
    "    command \"Text_EdgeOFF\" Text_EdgeOFF;\n"
    "  row \"UserAuthentication\"\n"
    "    command \"UserAuthenticationOFF\" OFF;\n"
    "    command \"RecipientUser\" RecipientUser;\n"
    "    command \"PublicUser\" PublicUser;\n"
    "    command \"UserAuthSVType_None\" None;\n"
    "    command \"Interim_SelectType_Flex\" Flex;\n"
    "    command \"Interim_ControlCount\" \"Count=%s{DRV(InpControlCount),3,,};\"\n"
    "    command \"Interim_ControlID\" \"ID=%s{DRV(InpControlID),32,,};\"\n"
    "    command \"Interim_ControlType\" \"Type=%s{DRV(InpControlType),16,,};\"\n"
    "    command \"Interim_String\" String;\n"
    "    command \"Interim_Year\" Year;\n"
    "    command \"Interim_Month\" Month;\n"
    "    command \"Interim_Day\" Day;\n"
    "    command \"Interim_ScreenID\" Screen;\n"
    "  row \"PCFaxNum\"\n"
    "    command \"PCFaxNum\" \"%s{DRV(PCFaxNumIndex),3,,}:%s{DRV(PCFaxNumber),80,,};\"\n"
    "  row \"UnknownRow\"\n"
    "    command \"UnknownRow\" never;\n";

struct Commands {
  CommandTemplateList* list = nullptr;
  Commands() {
    qxd::Document doc;
    std::string error;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(qxd::ParseText(kCommands, &doc, &error)) << error;
    EXPECT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
    QxdContext* file = QxdOpenImage(bytes.data(), bytes.size());
    list = Pjl_LoadTemplateSection(file, "PJL_StartCommand");
    QxdClose(file);
  }
  ~Commands() { Pjl_FreeTemplateList(list); }
};

const CommandTemplateList* List() {
  static Commands commands;
  return commands.list;
}

struct Walker : TestJob {
  Walker() { job.startCommands = List(); }
  std::string Walk() {
    out.clear();
    Pjl_WalkStartCommands(&job);
    return out;
  }
};

TEST(PjlStartRows, OutputMethodAndEmbeddedSlots) {
  Walker w;
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_EdgeOFF;Text_EdgeOFF;PublicUser;None;");
  w.Byte(603, 3);
  EXPECT_EQ(w.Walk(), "SecurePrint;SecurePrintId;SecPassword;Img_EdgeOFF;Text_EdgeOFF;PublicUser;None;");
}

TEST(PjlStartRows, PerPageSets) {
  Walker w;
  std::vector<InterSheetEntry> entries(3);
  std::memset(entries.data(), 0, entries.size() * sizeof(InterSheetEntry));
  const char16_t* pages[] = {u"1-3", u"4", u"5,7"};
  for (int i = 0; i < 3; ++i) {
    std::memcpy(entries[i].pages, pages[i], 2 * std::char_traits<char16_t>::length(pages[i]));
    entries[i].printType = 1;
    entries[i].paperSource = 32767;
    entries[i].staple = 255;
    entries[i].punch = 255;
  }
  entries[1].printType = 7;
  entries[1].tabPaper = 1;
  entries[2].finishStaple = 1;
  w.job.interSheetEntries = reinterpret_cast<const uint8_t*>(entries.data());
  w.job.interSheetCount = 3;
  w.job.tabCount = 16;  // more than 15 tab positions: no tab word
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_EdgeOFF;Text_EdgeOFF;PublicUser;None;");  // per-page setting off
  w.Byte(1550, 1);
  EXPECT_EQ(w.Walk(),
            "NormalPrint;"
            "1/2=PRINT,LEFT,OFF,,NOSET,NOSET,NOSET,OFF,NONE,OFF,OFF,CONT,1-3;"
            "2/3=BLANK,LEFT,OFF,,NOSET,NOSET,NOSET,OFF,NONE,OFF,OFF,CONT,4;"
            "3/4=PRINT,LEFT,OFF,,NOSET,NOSET,NOSET,OFF,NONE,OFF,OFF,END,5,7;"
            "Img_EdgeOFF;Text_EdgeOFF;PublicUser;None;");
}

TEST(PjlStartRows, ColourRows) {
  Walker w;
  // Colour mode 8: the settings choose; another mode: the colour-mode pairs.
  w.Byte(2171, 8);
  w.U16(2614, 1);
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_sRGB;Img_EdgeOFF;Text_EdgeOFF;PublicUser;None;");
  ColorCommandPair pairs[3] = {};
  std::strcpy(pairs[0].key, "Img_RGBProf");
  std::strcpy(pairs[0].value, "Img_Photo");
  ColorSettingCommand table[3] = {};
  std::strcpy(table[0].name, "Color_Photo");
  table[0].pairs = pairs;
  w.job.colorCommands = table;
  w.Byte(2171, 2);
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_Photo;PublicUser;None;");
  // Without pairs: nothing for the profile rows; edges by toner saving.
  w.Byte(2171, 0);
  w.Byte(2231, 1);
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_EdgeOFF;Text_EdgeON;PublicUser;None;");
}

TEST(PjlStartRows, IntermediateServerControls) {
  Walker w;
  OptionItem values[5] = {};
  const char* names[] = {"DevUserAuthentic_Dis", "DevUserAuthentic_Engin", "DevUserAuthentic_GeneralSV",
                         "DevUserAuthentic_InterSV"};
  for (int i = 0; i < 4; ++i) std::strcpy(values[i].keyword, names[i]);
  DeviceOptionItem options[2] = {};
  std::strcpy(options[0].keyword, "DevUserAuthentication");
  options[0].values = values;
  w.job.deviceOptions = options;
  w.work->device.option.optionValues[0] = 0;
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_EdgeOFF;Text_EdgeOFF;OFF;");
  w.Byte(603, 3);  // secure print writes no authentication line then
  EXPECT_EQ(w.Walk(), "SecurePrint;SecurePrintId;SecPassword;Img_EdgeOFF;Text_EdgeOFF;");
  w.Byte(603, 0);
  w.work->device.option.optionValues[0] = 3;
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_EdgeOFF;Text_EdgeOFF;OFF;");  // the model does not allow the intermediate server
  w.job.values.interimAuthentication = true;
  w.Byte(5673, 1);
  w.U16(6140, 14);  // more than ten controls are never read
  for (uint32_t i = 0; i < 10; ++i) {
    const uint32_t at = 6142 + 174 * i;
    w.Text(at, ("c" + std::to_string(i)).c_str());
    w.Byte(at + 32, i == 0 ? 1 : i == 1 ? 4 : 5);
  }
  w.Byte(6142 + 174 + 34, 2);  // date only
  EXPECT_EQ(w.Walk(),
            "NormalPrint;Img_EdgeOFF;Text_EdgeOFF;RecipientUser;Flex;Count=2;ID=c0;Type=STRING;String;ID=c1;Type=DATEANDTIME2;Year;Month;Day;"
            "Screen;");
}

TEST(PjlStartRows, FaxDestinations) {
  Walker w;
  static FaxSendBlock fax{};
  fax.wRecipientCount = 3;
  std::memcpy(fax.recipients[0].szFaxNumber, u"100", 6);
  std::memcpy(fax.recipients[1].szFaxNumber, u"200", 6);
  std::memcpy(fax.recipients[2].szFaxNumber, u"300", 6);
  w.job.fax = &fax;
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_EdgeOFF;Text_EdgeOFF;PublicUser;None;0:100;1:200;2:300;");
  // One replay per destination: only the replayed one, with index 0.
  fax.faxSetting.fgFaxCoverSheet = 1;
  w.job.perRecipient = true;
  w.job.replayDestination = 1;
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_EdgeOFF;Text_EdgeOFF;PublicUser;None;0:200;");
  // A destination count beyond the block's 100 rows is clamped.
  fax.faxSetting.fgFaxCoverSheet = 0;
  fax.wRecipientCount = 60000;
  const std::string many = w.Walk();
  size_t lines = 0;
  for (char c : many) lines += c == ':';
  EXPECT_EQ(lines, 3u);  // rows 3 to 99 have no number: their lines fail
  fax.wRecipientCount = 0;
  EXPECT_EQ(w.Walk(), "NormalPrint;Img_EdgeOFF;Text_EdgeOFF;PublicUser;None;");
}

}  // namespace
