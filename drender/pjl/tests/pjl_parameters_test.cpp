// Template parameters, case by case: the job, user, authentication,
// input-control and fax values; the paper, tray, finishing, colour, stamp
// and copy-protect values; the per-page values and page lists.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "drender/pjl/pjl_expand.h"
#include "drender/pjl/pjl_page_ranges.h"
#include "drender/pjl/pjl_parameters.h"
#include "drender/pjl/tests/pjl_test_job.h"
#include "drender/tests/test_model.h"

namespace {

using pjltest::TestJob;

struct Result {
  uint32_t ok;
  std::string value;
};

Result Value(TestJob& t, const std::string& placeholder) {
  char value[kPjlValueSize];
  uint64_t length = 0;
  uint8_t cipher = 0;
  uint32_t ok = Pjl_GetParameterValue(&t.job, placeholder.c_str(), value, sizeof value, &length, &cipher);
  return Result{ok, std::string(value, static_cast<size_t>(length))};
}

struct Case {
  const char* placeholder;
  std::function<void(TestJob&)> setup;
  uint32_t ok;
  std::string value;
};

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    TestJob t;
    if (c.setup) c.setup(t);
    Result r = Value(t, c.placeholder);
    EXPECT_EQ(r.ok, c.ok) << c.placeholder;
    if (c.ok) {
      EXPECT_EQ(r.value, c.value) << c.placeholder;
    }
  }
}

// A control of the intermediate server at index i: type, then value fields
// as stored (plain here: the tests' decipherer is absent).
void Control(TestJob& t, uint32_t i, uint8_t type, const char* id) {
  const uint32_t at = 6142 + 174 * i;
  t.Text(at, id);
  t.Byte(at + 32, type);
}
void ControlField(TestJob& t, uint32_t i, uint32_t fieldAt, uint32_t lengthAt, const char* text) {
  const uint32_t at = 6142 + 174 * i;
  t.Text(at + fieldAt, text);
  t.U16(at + lengthAt, static_cast<uint16_t>(std::strlen(text)));
}

TEST(PjlParameters, JobUserAndAuthentication) {
  static const char16_t longName[] = u"J\u00f6rg-Alexander-Maximilian-von-Hohenstein-Wittgenstein-Sayn-Berleburg";
  RunCases({
      {"%s{API(UserName),64,UTF8,}", [](TestJob& t) { t.job.userName = longName; }, 1,
       std::string("J\xc3\xb6rg-Alexander-Maximilian-von-Hohenstein-Wittgenstein-Sayn-Berl")},
      {"%s{API(UserName),64,,}", [](TestJob& t) { t.job.userName = u"ann"; }, 1, "ann"},
      {"%s{API(UserName),64,,}", [](TestJob& t) { t.job.userName = u""; }, 0, ""},
      {"%s{DRV(UserName),64,,}", [](TestJob& t) { t.job.userName = u"ann"; }, 0, ""},
      {"%s{API(JobName),80,UTF8,}", [](TestJob& t) { t.job.jobName = u"Report.pdf"; }, 1, "Report.pdf"},
      {"%s{API(Copies),5,,}", nullptr, 0, ""},
      {"%s{DRV(Copies),5,,}", [](TestJob& t) { t.U16(598, 12); }, 1, "12"},
      {"%s{DRV(HostName),34,,}",
       [](TestJob& t) { std::memcpy(reinterpret_cast<uint8_t*>(&t.work->device) + 1181, u"PC-07", 12); }, 1, "PC-07"},
      {"%s{DRV(HostName),34,,}", nullptr, 0, ""},  // an empty wide text fails
      {"%s{DRV(EmailAddress),64,,}", [](TestJob& t) { t.Text(5544, "fax@example.org"); }, 1, "fax@example.org"},
      {"%s{DRV(DriverJobId),40,,}", [](TestJob& t) { t.job.driverJobId = "JOB-0042"; }, 1, "JOB-0042"},
      {"%s{DRV(BoxNum),8,,}", [](TestJob& t) { t.Text(758, "0012"); }, 1, "0012"},
      {"%s{DRV(BoxFileName),64,UTF8,}", [](TestJob& t) { t.Wide(696, u"Stra\u00dfe"); }, 1, "Stra\xc3\x9f" "e"},
      {"%s{DRV(BoxFileName),64,,}", [](TestJob& t) { t.Wide(696, u"Stra\u00dfe"); }, 1, "Stra\xdf" "e"},
      {"%s{DRV(SecurePrintId),16,,}", [](TestJob& t) { t.Text(604, "sp1"); }, 1, "sp1"},
      {"%s{DRV(SecPassword),64,,}", [](TestJob& t) { t.Text(621, "1234"); t.U16(694, 4); }, 1, "1234"},
      // A stored length beyond the field is clamped to it.
      {"%s{DRV(SecPassword),-1,,}",
       [](TestJob& t) { std::memset(t.Doc() + 621, 'p', 73); t.U16(694, 500); }, 1, std::string(73, 'p')},
      {"%s{DRV(RecipientUserName),64,UTF8,}", [](TestJob& t) { t.Wide(5674, u"bob"); }, 1, "bob"},
      {"%s{DRV(RecipientUserName),64,UTF8,}", nullptr, 0, ""},
      {"%s{DRV(RecipientPassword),64,,}", [](TestJob& t) { t.Text(5836, "pa55"); t.U16(5918, 4); }, 1, "pa55"},
      {"%s{DRV(PublicUser),16,,}", nullptr, 1, "Public"},
      {"%s{DRV(DepartmentName),8,,}", [](TestJob& t) { t.Text(5920, "Sales"); }, 1, "Sales"},
      {"%s{DRV(DepartmentPassword),64,,}", [](TestJob& t) { t.Text(5929, "77"); t.U16(6002, 2); }, 1, "77"},
      {"%s{DRV(ServerSetting),3,,}", [](TestJob& t) { t.U16(1072, 2); }, 1, "2"},
      {"%s{DRV(TreeDomainName),80,,}", [](TestJob& t) { t.Text(1074, "corp"); }, 1, "corp"},
      {"%s{DRV(ExpenseCode),8,,}", [](TestJob& t) { t.Text(1155, "E17"); }, 1, "E17"},
      {"%s{DRV(ExpenseCodePassword),8,,}", [](TestJob& t) { t.Text(1164, "x"); t.U16(1238, 1); }, 1, "x"},
      {"%s{DRV(JobNameCustom),8,,}", nullptr, 0, ""},
  });
}

TEST(PjlParameters, InputControls) {
  auto three = [](TestJob& t) {
    t.U16(6140, 3);
    Control(t, 0, 1, "name");
    ControlField(t, 0, 34, 148, "Ann");
    Control(t, 1, 5, "hidden");
    Control(t, 2, 4, "when");
    t.Byte(6142 + 174 * 2 + 34, 4);
    ControlField(t, 2, 35, 53, "2026");
    ControlField(t, 2, 54, 72, "3");
    ControlField(t, 2, 134, 152, "-5");
    ControlField(t, 2, 154, 172, "30");
  };
  RunCases({
      {"%s{DRV(InpControlCount),3,,}", three, 1, "2"},
      {"%s{DRV(InpControlCount),3,,}", [](TestJob& t) { t.U16(6140, 40); }, 1, "10"},  // clamped to 10 controls
      {"%s{DRV(InpControlNumber),3,,}", three, 1, "1"},
      {"%s{DRV(InpControlID),32,,}", three, 1, "name"},
      {"%s{DRV(InpControlType),16,,}", three, 1, "STRING"},
      {"%s{DRV(InpStringValue),64,,}", three, 1, "Ann"},
      {"%s{DRV(InpControlType),16,,}", [&](TestJob& t) { three(t); t.job.currentControl = 2; }, 1, "DATEANDTIME4"},
      {"%s{DRV(InpDateTimeYear),4,,}", [&](TestJob& t) { three(t); t.job.currentControl = 2; }, 1, "2026"},
      {"%s{DRV(InpDateTimeMonth),2,,}", [&](TestJob& t) { three(t); t.job.currentControl = 2; }, 1, "03"},
      {"%s{DRV(InpDateTimeTZHour),3,,}", [&](TestJob& t) { three(t); t.job.currentControl = 2; }, 1, "-05"},
      {"%s{DRV(InpDateTimeTZMinute),3,,}", [&](TestJob& t) { three(t); t.job.currentControl = 2; }, 1, "-30"},
      {"%s{DRV(InpControlType),16,,}", [&](TestJob& t) { three(t); t.job.currentControl = 1; }, 0, ""},
      {"%s{DRV(InpStringValue),64,,}", [&](TestJob& t) { three(t); t.job.currentControl = 7; }, 0, ""},
      {"%s{DRV(InpToggleValue),8,,}",
       [](TestJob& t) { t.U16(6140, 1); Control(t, 0, 3, "t"); ControlField(t, 0, 34, 52, "1"); }, 1, "true"},
      {"%s{DRV(InterimScreenID),64,,}", [](TestJob& t) { t.Text(7882, "S1"); }, 1, "S1"},
  });
}

TEST(PjlParameters, Fax) {
  static FaxSendBlock block{};
  block.wRecipientCount = 3;
  std::memcpy(block.recipients[1].szFaxNumber, u"0301234567", 22);
  block.recipients[1].fgECM = 1;
  block.recipients[1].fgV34Mode = 1;
  RunCases({
      {"%s{DRV(FaxResolution),3,,}", [](TestJob& t) { t.U16(2220, 2); }, 1, "2"},
      {"%s{DRV(PCFaxTimer),16,,}",
       [](TestJob& t) {
         t.job.haveTimer = true;
         const uint16_t when[5] = {2026, 12, 24, 7, 5};
         std::memcpy(t.job.timer, when, sizeof when);
       },
       1, "2026/12/24 07:05"},
      {"%s{DRV(PCFaxSubAddress),20,,}", [](TestJob& t) { t.Wide(6010 + 6, u"99"); }, 1, "99"},
      {"%s{DRV(PCFaxSID),20,,}", [](TestJob& t) { t.Wide(6010 + 50, u"#12"); }, 1, "#12"},
      {"%s{DRV(PCFaxNumber),80,,}", [](TestJob& t) { t.job.fax = &block; t.job.currentDestination = 1; }, 1,
       "0301234567"},
      {"%s{DRV(PCFaxECM),1,,}", [](TestJob& t) { t.job.fax = &block; t.job.currentDestination = 1; }, 1, "1"},
      {"%s{DRV(PCFaxInt),1,,}", [](TestJob& t) { t.job.fax = &block; t.job.currentDestination = 1; }, 1, "0"},
      {"%s{DRV(PCFaxV34),1,,}", [](TestJob& t) { t.job.fax = &block; t.job.currentDestination = 1; }, 1, "1"},
      {"%s{DRV(PCFaxNumIndex),3,,}", [](TestJob& t) { t.job.fax = &block; t.job.currentDestination = 2; }, 1, "2"},
      {"%s{DRV(PCFaxNumIndex),3,,}",
       [](TestJob& t) {
         t.job.fax = &block;
         t.job.currentDestination = 2;
         t.job.perRecipient = true;
         block.faxSetting.fgFaxCoverSheet = 1;
       },
       1, "0"},
      // Outside the destination list the destination values fail.
      {"%s{DRV(PCFaxNumber),80,,}", [](TestJob& t) { t.job.fax = &block; t.job.currentDestination = 3; }, 0, ""},
      {"%s{DRV(PCFaxECM),1,,}", nullptr, 0, ""},
  });
}

TEST(PjlParameters, PaperTraysAndFinishing) {
  static TestModel model;
  static bool once = false;
  if (!once) {
    AddCommonPapers(model);
    model.get()->customWidthMin = 900;
    model.get()->customWidthMax = 3000;
    model.get()->customLengthMin = 1000;
    model.get()->customLengthMax = 4500;
    once = true;
  }
  auto custom = [](uint16_t width, uint16_t length) {
    return [=](TestJob& t) {
      t.job.model = model.get();
      t.U16(66, 256);
      t.U16(96, 256);
      t.U16(103, width);
      t.U16(105, length);
      t.U16(81, width);
      t.U16(83, length);
    };
  };
  RunCases({
      {"%s{DRV(CustomPaperWidthM),5,,}", custom(2100, 2970), 1, "2100"},
      {"%s{DRV(CustomPaperWidthM),5,,}", custom(500, 2970), 1, "900"},  // below the minimum: the minimum
      {"%s{DRV(CustomPaperWidthI),5,,}", custom(2100, 2970), 1, "8268"},
      {"%s{DRV(CustomPaperHeightI),5,,}", custom(2100, 9000), 1, "17717"},
      {"%s{DRV(OutPaperSize),16,,}", [](TestJob& t) { t.job.model = model.get(); t.U16(66, 9); t.U16(96, 357); }, 1, "A4"},
      {"%s{DRV(OutPaperSize),16,,}",
       [](TestJob& t) { t.job.model = model.get(); t.U16(66, 9); t.U16(96, 357); t.U16(1240, 1); }, 1, "FBA4"},
      {"%s{DRV(Duplex),3,,}", [](TestJob& t) { t.Byte(1412, 1); }, 1, "OFF"},
      {"%s{DRV(Duplex),3,,}", [](TestJob& t) { t.Byte(1412, 2); }, 1, "ON"},
      {"%s{DRV(Duplex),3,,}", [](TestJob& t) { t.Byte(1412, 3); }, 1, "OFF"},
      {"%s{DRV(Binding),5,,}", [](TestJob& t) { t.Byte(1429, 5); }, 1, "RIGHT"},
      {"%s{DRV(Binding),5,,}", [](TestJob& t) { t.Byte(1429, 17); }, 1, "TOP"},
      {"%s{DRV(Binding),5,,}", [](TestJob& t) { t.Byte(1429, 0); }, 1, "LEFT"},
      {"%s{DRV(Staple),12,,}", [](TestJob& t) { t.Byte(1490, 1); t.Byte(1491, 6); }, 1, "ANY2POINT"},
      {"%s{DRV(Staple),12,,}", [](TestJob& t) { t.Byte(1497, 1); }, 1, "CENTER"},
      {"%s{DRV(HolePunch),3,,}", [](TestJob& t) { t.Byte(1492, 1); t.Byte(1493, 2); }, 1, "3"},
      {"%s{DRV(HolePunch),3,,}", [](TestJob& t) { t.Byte(1493, 2); }, 1, "OFF"},
      {"%s{DRV(PBTray),64,,}", [](TestJob& t) { t.Byte(1510, 1); t.Byte(1514, 10); }, 1, "PITRAY2,NOSET,NOSET,NOSET"},
      {"%s{DRV(PBTray),64,,}", [](TestJob& t) { t.Byte(1510, 1); t.Byte(1514, 3); }, 1, "TRAY3,TRAY3,TRAY3,TRAY3"},
      {"%s{DRV(PBTray),64,,}", nullptr, 1, ""},
      {"%s{DRV(ImgShiftMFP_FrontH),6,,}", [](TestJob& t) { t.U16(1446, 30); }, 1, "-30"},
      {"%s{DRV(ImgShiftMFP_FrontH),6,,}", [](TestJob& t) { t.U16(1446, 30); t.Byte(1444, 1); }, 1, "30"},
      {"%s{DRV(ColAdj_Brightness),4,,}", [](TestJob& t) { t.Byte(2214, static_cast<uint8_t>(-3)); }, 1, "-3"},
      {"%s{DRV(ColAdj_Cyan),4,,}", [](TestJob& t) { t.Byte(2182, 2); t.Byte(2176, 1); }, 1, ""},
      {"%s{DRV(ColAdj_CyanText),4,,}", [](TestJob& t) { t.Byte(2193, 2); }, 1, ""},
      {"%s{DRV(ColAdj_CyanText),4,,}", [](TestJob& t) { t.Byte(2193, 2); t.Byte(2176, 1); }, 1, "2"},
  });
}

// The automatic binding edge of the header: a paper fed with its other edge
// first binds a portrait page on top and a landscape one on the left.
TEST(PjlParameters, AutomaticBindingFollowsTheFeedFlag) {
  static TestModel model;
  static bool once = false;
  if (!once) {
    AddCommonPapers(model);
    model.Paper(1)->rotatedFeed = 1;  // Letter
    once = true;
  }
  auto automatic = [](uint8_t orientation, uint16_t paper) {
    return [=](TestJob& t) {
      t.job.model = model.get();
      t.Byte(kDocOrientationAt, orientation);
      t.Byte(kDocBindingEdgeAt, 14);
      t.Byte(kDocDoubleSidesAt, 2);
      t.U16(kDocPaperSizeAt, paper);
      t.U16(kDocOutPaperSizeAt, 357);
    };
  };
  RunCases({
      {"%s{DRV(Binding),5,,}", automatic(1, 9), 1, "LEFT"},
      {"%s{DRV(Binding),5,,}", automatic(2, 9), 1, "TOP"},
      {"%s{DRV(Binding),5,,}", automatic(1, 1), 1, "TOP"},
      {"%s{DRV(Binding),5,,}", automatic(2, 1), 1, "LEFT"},
      {"%s{DRV(Binding),5,,}", automatic(2, 77), 1, "LEFT"},
  });
}

TEST(PjlParameters, StampsAndCopyProtect) {
  RunCases({
      {"%s{DRV(CP_Pattern),128,,}",
       [](TestJob& t) { t.Byte(2036, 1); t.Byte(2037, 1); t.Byte(2038, 1); t.Byte(2041, 1); t.Byte(2048, 1); }, 1,
       "ARBITRARY,DATE,SERIALNUMBER,OFF,OFF,OFF,OFF,OFF"},
      {"%s{DRV(CP_Pattern2),128,,}",
       [](TestJob& t) { t.Byte(2036, 1); t.Byte(2041, 1); t.U32(2091, 1); t.Byte(2049, 1); t.Byte(2050, 1); }, 1,
       "FIXED,DATE,TIME,NUMBERING,JOBID,OFF,OFF,OFF"},
      {"%s{DRV(CP_PatIdx),32,,}", [](TestJob& t) { t.Byte(2036, 1); t.Byte(2037, 1); t.Byte(2039, 4); }, 1,
       "4,0,0,0,0,0,0,0"},
      {"%s{DRV(CP_Date),8,,}", nullptr, 0, ""},
      {"%s{DRV(CP_Date),8,,}", [](TestJob& t) { t.Byte(2041, 1); t.Byte(2042, 2); }, 1, "DATE3"},
      {"%s{DRV(CP_Time2),8,,}", [](TestJob& t) { t.Byte(2041, 1); }, 1, "OFF"},
      {"%s{DRV(CP_Color),8,,}", [](TestJob& t) { t.Byte(2051, 1); t.U16(2056, 7); }, 1, "CYAN"},
      {"%s{DRV(CP_Contrast),12,,}", [](TestJob& t) { t.U16(2060, static_cast<uint16_t>(-2)); }, 1, "CONTRASTN"},
      {"%s{DRV(CP_Contrast),12,,}", [](TestJob& t) { t.Byte(2051, 1); t.U16(2060, static_cast<uint16_t>(-2)); }, 1,
       "CONTRASTM2"},
      {"%s{DRV(CP_Angle),4,,}", nullptr, 1, "45"},
      {"%s{DRV(DPE_DateTimeDate),8,,}", nullptr, 0, ""},
      {"%s{DRV(DPE_DateTimeTime),8,,}", [](TestJob& t) { t.Byte(2066, 1); t.U32(2099, 1); t.U16(2103, 2); }, 1,
       "TIME2"},
      {"%s{DRV(NumberingColor),8,,}", [](TestJob& t) { t.Byte(2009, 2); }, 1, "BLUE"},
      {"%s{DRV(HFE_HeadStartNum),8,,}", [](TestJob& t) { t.U32(2028, 77); }, 1, "77"},
  });
}

TEST(PjlPageLists, RenumberAroundTabSheets) {
  std::vector<PjlPageEntry> entries = {{"1-3", 1, false}, {"5", 0, true}};
  std::vector<std::string> texts;
  std::vector<int32_t> kinds;
  Pjl_FormatPageRanges(entries, &texts, &kinds);
  EXPECT_EQ(texts, (std::vector<std::string>{"1-3", "6"}));
  EXPECT_EQ(kinds, (std::vector<int32_t>{1, 1}));
  // Empty items are skipped; a text longer than 20 characters is cut.
  entries = {{",,2,,4-5,", 2, false}, {"10,12,14,16,18,20,22,24", 1, false}, {"", 3, false}};
  Pjl_FormatPageRanges(entries, &texts, &kinds);
  EXPECT_EQ(texts, (std::vector<std::string>{"2,4-5", "10,12,14,16,18,20,22", ""}));
  EXPECT_EQ(kinds, (std::vector<int32_t>{2, 1, 0}));
}

TEST(PjlPageLists, ChapterPages) {
  EXPECT_EQ(Pjl_FormatChapterPages({}, "2,4-5", 512), "2,4,5");
  EXPECT_EQ(Pjl_FormatChapterPages({}, "", 512), "");
  EXPECT_EQ(Pjl_FormatChapterPages({}, "5-3,1", 512), "1");
  // The tab sheet of an entry at page 5 becomes page 6: later chapter
  // pages move on by one.
  EXPECT_EQ(Pjl_FormatChapterPages({{"5", 0, true}}, "3,5,7", 512), "3,5,8");
  // A huge typed page number neither builds a huge map nor runs past the
  // value buffer.
  EXPECT_EQ(Pjl_FormatChapterPages({}, "4294967295", 512), "");
  const std::string many = Pjl_FormatChapterPages({}, "1-99999", 64);
  EXPECT_LE(many.size(), 63u);
  EXPECT_EQ(many.substr(0, 8), "1,2,3,4,");
}

}  // namespace
