// The start-command rows of layout, finishing, stamps and copy protect:
// for each row, which of its entries a setting selects, at the edges of
// each value map.  Each case walks a command file of that one row, whose
// every entry writes "<entry>;".
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "drender/pjl/pjl_header_rows.h"
#include "drender/pjl/pjl_model_values.h"
#include "drender/pjl/pjl_templates.h"
#include "drender/pjl/tests/pjl_test_job.h"
#include "tools/qxd/qxd_document.h"

namespace {

using pjltest::TestJob;

// Every entry name each row may expand.
const std::map<std::string, std::vector<std::string>>& RowEntries() {
  static const std::map<std::string, std::vector<std::string>> rows = {
      {"Layout", {"LayoutRpt2in1", "TwoRepeatR_L", "TwoRepeatR_R", "TwoRepeatR_U", "TwoRepeatR_D", "LayoutNormal2in1",
                  "LayoutBooklet4in1", "LayoutAdhesive", "LayoutNormal"}},
      {"Nup", {"2up", "4up", "6up", "9up", "16up"}},
      {"Duplex", {"DuplexON", "DuplexOFF"}},
      {"Finish", {"FinishLeft1Point", "FinishRight1Point", "FinishAny2Point", "CenterStaple", "FinishNone"}},
      {"HolePunch", {"TwoHoles", "ThreeHoles", "FourHoles", "HolePunchOFF"}},
      {"OutputOrder", {"FaceDownNOne", "FaceUpNOne", "FaceUpOneN", "FaceDownOneN"}},
      {"CenterErase", {"CenterEraseON", "CenterEraseOFF"}},
      {"Folding", {"Z_Fold2", "Z_Fold1", "FoldCntrFoldIn", "HalfFoldOut", "MHalfFold", "HalfFoldIn", "FoldingOFF"}},
      {"FrontCover", {"Blank_Fcover_PJL", "Print_Fcover_PJL", "FrontCoverOFF"}},
      {"PIBackCover", {"PIBTray1", "PIBTray2", "PIBackCoverOFF"}},
      {"OHP_Interleave", {"Blank_OHPInt", "Duplicate_OHPInt", "OHP_InterleaveOFF"}},
      {"DateStamp", {"DateStampFrntCvr", "DateStampAllPages", "DateStampNone"}},
      {"DPE_DateTimePosition", {"DPE_DateTimeTopLeft", "DPE_DateTimeTop", "DPE_DateTimeBottomRight"}},
      {"DPE_DateTimeColor", {"DPE_DateTimeBlack", "DPE_DateTimeRed", "DPE_DateTimeCyan"}},
      {"PageStamp", {"PageStampNoFrntCvr", "PageStampNoCvr", "PageStampAllPages", "PageStampNone"}},
      {"DPE_PageNumber", {"DPE_PageNumPrintBCover", "DPE_PageNumPrintFBCover", "DPE_PageNumPrintNotCover",
                          "DPE_PageNumberOFF"}},
      {"Numbering", {"WatermarkNumber", "NumberingFrntCvr", "NumberingAllPages", "NumberingNone"}},
      {"HFE_HeadDistNum", {"HFE_HeadDistNumNumOnly", "HFE_HeadDistNumFixed", "HFE_HeadDistNumOFF"}},
      {"HFE_FootStartNum", {"HFE_FootStartNum"}},
      {"CopyProtect", {"CopyProtectON", "CopyProtectOFF"}},
      {"CPE_CompositeMethod", {"CPE_CopyProtect", "CPE_Stamp"}},
      {"CP_DateTime", {"CP_DateTimeON", "CP_DateTimeOFF"}},
      {"StartNumber", {"StartNumberRequireDigit", "StartNumber8DigitFix"}},
      {"CPE_CP_Pattern", {"CPE_CP_Pattern1", "CPE_CP_Pattern2", "CPE_CP_Pattern8"}},
      {"AccessNumber", {"AccessNumber"}},
  };
  return rows;
}

std::string Walk(const std::string& row, const std::function<void(TestJob&)>& setup) {
  std::string text = "qxd 1 headers=40\n\nsection \"PJL_StartCommand\" commands\n  row \"" + row + "\"\n";
  for (const std::string& entry : RowEntries().at(row)) text += "    command \"" + entry + "\" " + entry + ";\n";
  qxd::Document doc;
  std::string error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  EXPECT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  QxdContext* file = QxdOpenImage(bytes.data(), bytes.size());
  CommandTemplateList* list = Pjl_LoadTemplateSection(file, "PJL_StartCommand");
  QxdClose(file);
  TestJob t;
  t.job.values.commandFamily = 2;
  t.job.startCommands = list;
  setup(t);
  Pjl_WalkStartCommands(&t.job);
  Pjl_FreeTemplateList(list);
  return t.out;
}

struct Case {
  const char* row;
  std::function<void(TestJob&)> setup;
  const char* written;
};

void Check(const std::vector<Case>& cases) {
  int i = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(Walk(c.row, c.setup), c.written) << c.row << " case " << i;
    ++i;
  }
}

auto Set(std::initializer_list<std::pair<uint32_t, uint8_t>> bytes) {
  return [bytes](TestJob& t) {
    for (const auto& b : bytes) t.Byte(b.first, b.second);
  };
}

auto SetWord(std::initializer_list<std::pair<uint32_t, uint8_t>> bytes, uint32_t at, uint16_t word) {
  return [bytes, at, word](TestJob& t) {
    for (const auto& b : bytes) t.Byte(b.first, b.second);
    t.U16(at, word);
  };
}

auto Family1(std::initializer_list<std::pair<uint32_t, uint8_t>> bytes, bool headerFooterStamps = true) {
  return [bytes, headerFooterStamps](TestJob& t) {
    for (const auto& b : bytes) t.Byte(b.first, b.second);
    t.job.values.commandFamily = 1;
    t.job.values.headerFooterStamps = headerFooterStamps;
  };
}

TEST(PjlRowTable, LayoutAndDuplex) {
  Check({
      {"Layout", Set({}), "LayoutNormal;"},
      {"Layout", Set({{1413, 1}}), "LayoutAdhesive;"},
      {"Layout", Set({{1412, 3}}), "LayoutBooklet4in1;"},
      {"Layout", [](TestJob& t) { t.Byte(1412, 3); t.job.values.driverBooklet = true; }, "LayoutNormal;"},
      {"Layout", Set({{1502, 1}}), "LayoutNormal2in1;"},
      {"Layout", Set({{1502, 1}, {1503, 1}}), "LayoutRpt2in1;"},
      {"Layout", Set({{1502, 1}, {1503, 5}}), "TwoRepeatR_D;"},
      {"Layout", Set({{1502, 1}, {1503, 6}, {1412, 3}}), "LayoutNormal2in1;"},
      {"Nup", Set({{1243, 1}}), ""},
      {"Nup", Set({{1242, 1}, {1243, 1}}), "2up;"},
      {"Nup", Set({{1242, 1}, {1243, 5}}), "16up;"},
      {"Nup", Set({{1242, 1}, {1243, 7}}), ""},
      {"Duplex", Set({{1412, 1}}), "DuplexOFF;"},
      {"Duplex", Set({{1412, 2}}), "DuplexON;"},
      {"Duplex", Set({{1412, 3}}), "DuplexOFF;"},
      {"Duplex", [](TestJob& t) { t.Byte(1412, 3); t.job.values.driverBooklet = true; }, "DuplexON;"},
  });
}

TEST(PjlRowTable, Finishing) {
  Check({
      {"Finish", Set({{1491, 3}}), "FinishNone;"},
      {"Finish", Set({{1497, 1}}), "CenterStaple;"},
      {"Finish", Set({{1490, 1}, {1491, 3}}), "FinishLeft1Point;"},
      {"Finish", Set({{1490, 1}, {1491, 4}}), "FinishRight1Point;"},
      {"Finish", Set({{1490, 1}, {1491, 5}}), "FinishAny2Point;"},
      {"Finish", Set({{1490, 1}, {1491, 7}}), "FinishAny2Point;"},
      {"Finish", Set({{1490, 1}, {1491, 8}}), "CenterStaple;"},
      {"Finish", Set({{1490, 1}, {1491, 9}, {1497, 1}}), "FinishNone;"},
      {"HolePunch", Set({{1493, 2}}), "HolePunchOFF;"},
      {"HolePunch", Set({{1492, 1}, {1493, 0}}), "HolePunchOFF;"},
      {"HolePunch", Set({{1492, 1}, {1493, 1}}), "TwoHoles;"},
      {"HolePunch", Set({{1492, 1}, {1493, 2}}), "ThreeHoles;"},
      {"HolePunch", Set({{1492, 1}, {1493, 3}}), "FourHoles;"},
      {"HolePunch", Set({{1492, 1}, {1493, 4}}), "TwoHoles;"},
      {"HolePunch", Set({{1492, 1}, {1493, 6}}), "TwoHoles;"},
      {"HolePunch", Set({{1492, 1}, {1493, 7}}), "ThreeHoles;"},
      {"HolePunch", Set({{1492, 1}, {1493, 9}}), "ThreeHoles;"},
      {"HolePunch", Set({{1492, 1}, {1493, 10}}), "FourHoles;"},
      {"HolePunch", Set({{1492, 1}, {1493, 12}}), "FourHoles;"},
      {"HolePunch", Set({{1492, 1}, {1493, 13}}), "HolePunchOFF;"},
      {"OutputOrder", Set({}), "FaceDownOneN;"},
      {"OutputOrder", Set({{1496, 1}}), "FaceDownNOne;"},
      {"OutputOrder", Set({{1496, 3}}), "FaceUpOneN;"},
      {"OutputOrder", Set({{1496, 4}}), "FaceDownOneN;"},
      {"CenterErase", Set({{1498, 1}}), "CenterEraseON;"},
      {"CenterErase", Set({{1498, 2}}), "CenterEraseOFF;"},
      {"Folding", Set({}), "FoldingOFF;"},
      {"Folding", Set({{1497, 1}}), "FoldCntrFoldIn;"},
      {"Folding", Set({{1499, 1}}), "HalfFoldIn;"},
      {"Folding", Set({{1499, 1}, {1500, 1}}), "Z_Fold2;"},
      {"Folding", Set({{1499, 1}, {1500, 2}}), "Z_Fold1;"},
      {"Folding", Set({{1499, 1}, {1500, 15}}), "MHalfFold;"},
      {"Folding", Set({{1499, 1}, {1500, 16}}), "HalfFoldIn;"},
      {"FrontCover", Set({{1529, 4}}), "FrontCoverOFF;"},
      {"FrontCover", Set({{1528, 1}, {1529, 4}}), "Blank_Fcover_PJL;"},
      {"FrontCover", Set({{1528, 1}, {1529, 5}}), "Print_Fcover_PJL;"},
      {"FrontCover", Set({{1528, 1}, {1529, 3}}), "FrontCoverOFF;"},
      {"FrontCover", [](TestJob& t) { t.Byte(1528, 1); t.Byte(1529, 5); t.job.values.driverFrontCover = true; },
       "FrontCoverOFF;"},
      {"PIBackCover", Set({}), "PIBackCoverOFF;"},
      {"PIBackCover", SetWord({{1545, 1}}, 1546, 1001), "PIBTray1;"},
      {"PIBackCover", SetWord({{1545, 1}}, 1546, 1002), "PIBTray2;"},
      {"OHP_Interleave", Set({{1536, 1}, {1537, 1}}), "Blank_OHPInt;"},
      {"OHP_Interleave", Set({{1536, 1}, {1537, 2}}), "Duplicate_OHPInt;"},
      {"OHP_Interleave", Set({{1536, 1}, {1537, 3}}), "OHP_InterleaveOFF;"},
      {"OHP_Interleave", [](TestJob& t) { t.Byte(1536, 1); t.Byte(1537, 1); t.job.values.driverOhp = true; },
       "OHP_InterleaveOFF;"},
  });
}

TEST(PjlRowTable, StampsByCommandFamily) {
  Check({
      // Family 1: date stamps and numbering under the header/footer switch.
      {"DateStamp", Set({{2005, 1}, {2014, 1}}), ""},
      {"DateStamp", Family1({}), "DateStampNone;"},
      {"DateStamp", Family1({{2005, 1}, {2014, 1}}), "DateStampAllPages;"},
      {"DateStamp", Family1({{2005, 1}, {2014, 1}, {2016, 2}}), "DateStampFrntCvr;"},
      {"DateStamp", Family1({{2014, 1}}), "DateStampNone;"},
      {"DateStamp", Family1({{2014, 1}}, false), "DateStampNone;"},
      {"DateStamp",
       [](TestJob& t) {
         t.job.values.commandFamily = 1;
         t.job.values.dateStampWithoutHeaderFooter = true;
         t.Byte(2014, 1);
       },
       "DateStampAllPages;"},
      {"Numbering", Family1({{2005, 1}, {2006, 1}}), "NumberingAllPages;"},
      {"Numbering", Family1({{2005, 1}, {2006, 1}, {2010, 1}}), "NumberingFrntCvr;"},
      {"Numbering", Family1({{2005, 1}, {2006, 1}, {2007, 1}, {2010, 1}}), "WatermarkNumber;"},
      {"Numbering", Set({{2005, 1}, {2006, 1}}), ""},
      {"PageStamp", Set({}), "PageStampNone;"},
      {"PageStamp", Family1({}), ""},
      {"PageStamp", Set({{2005, 1}, {2017, 1}}), "PageStampAllPages;"},
      {"PageStamp", Family1({{2005, 1}, {2017, 1}, {2018, 1}}), "PageStampNoFrntCvr;"},
      {"PageStamp", Set({{2005, 1}, {2017, 1}, {2018, 2}}), "PageStampNoCvr;"},
      // The other family: the date, page-number and header/footer rows.
      {"DPE_DateTimePosition", SetWord({}, 2071, 2), ""},
      {"DPE_DateTimePosition", SetWord({{2066, 1}}, 2071, 1), "DPE_DateTimeTopLeft;"},
      {"DPE_DateTimePosition", SetWord({{2066, 1}}, 2071, 2), "DPE_DateTimeTop;"},
      {"DPE_DateTimePosition", SetWord({{2066, 1}}, 2071, 9), "DPE_DateTimeBottomRight;"},
      {"DPE_DateTimePosition", SetWord({{2066, 1}}, 2071, 10), "DPE_DateTimeTopLeft;"},
      {"DPE_DateTimeColor", SetWord({{2066, 1}}, 2069, 2), "DPE_DateTimeRed;"},
      {"DPE_DateTimeColor", SetWord({{2066, 1}}, 2069, 7), "DPE_DateTimeCyan;"},
      {"DPE_DateTimeColor", SetWord({{2066, 1}}, 2069, 8), "DPE_DateTimeBlack;"},
      {"DPE_PageNumber", Set({}), "DPE_PageNumberOFF;"},
      {"DPE_PageNumber", Family1({}), ""},
      {"DPE_PageNumber", Set({{2073, 1}}), "DPE_PageNumPrintNotCover;"},
      {"DPE_PageNumber", Set({{2073, 1}, {2082, 1}}), "DPE_PageNumPrintFBCover;"},
      {"DPE_PageNumber", SetWord({{2073, 1}, {2082, 1}}, 2083, 2), "DPE_PageNumPrintBCover;"},
      {"HFE_HeadDistNum", Set({{2026, 1}}), ""},
      {"HFE_HeadDistNum", Set({{2005, 1}}), "HFE_HeadDistNumOFF;"},
      {"HFE_HeadDistNum", Set({{2005, 1}, {2026, 1}}), "HFE_HeadDistNumFixed;"},
      {"HFE_HeadDistNum", Set({{2005, 1}, {2026, 1}, {2032, 1}}), "HFE_HeadDistNumNumOnly;"},
      {"HFE_HeadDistNum", Set({{2005, 1}, {2027, 1}, {2032, 1}}), "HFE_HeadDistNumOFF;"},
      {"HFE_FootStartNum", Set({{2005, 1}, {2026, 1}}), ""},
      {"HFE_FootStartNum", Set({{2005, 1}, {2027, 1}}), "HFE_FootStartNum;"},
  });
}

TEST(PjlRowTable, CopyProtect) {
  Check({
      {"CopyProtect", Set({{2037, 1}}), "CopyProtectOFF;"},
      {"CopyProtect", Set({{2036, 1}}), "CopyProtectOFF;"},
      {"CopyProtect", Set({{2036, 1}, {2037, 1}}), "CopyProtectON;"},
      {"CopyProtect", Set({{2036, 1}, {2050, 1}}), "CopyProtectON;"},
      {"CPE_CompositeMethod", Set({{2036, 1}, {2048, 1}}), "CPE_Stamp;"},
      {"CPE_CompositeMethod", Set({{2036, 1}, {2048, 1}, {2051, 1}}), "CPE_CopyProtect;"},
      {"CPE_CompositeMethod", Family1({{2036, 1}, {2048, 1}, {2051, 1}}), ""},
      {"CP_DateTime", Set({{2036, 1}, {2041, 1}}), "CP_DateTimeON;"},
      {"CP_DateTime", Set({{2041, 1}}), ""},
      {"CP_DateTime", Family1({{2041, 1}}), "CP_DateTimeOFF;"},
      {"StartNumber", Set({{2036, 1}, {2049, 1}}), "StartNumber8DigitFix;"},
      {"StartNumber", [](TestJob& t) { t.Byte(2036, 1); t.Byte(2049, 1); t.U32(2112, 5); }, "StartNumberRequireDigit;"},
      {"StartNumber", Family1({{2036, 1}, {2049, 1}}), ""},
      {"CPE_CP_Pattern", Set({{2036, 1}, {2037, 1}, {2054, 2}}), ""},
      {"CPE_CP_Pattern", Set({{2036, 1}, {2037, 1}, {2051, 1}, {2054, 1}}), "CPE_CP_Pattern1;"},
      {"CPE_CP_Pattern", Set({{2036, 1}, {2037, 1}, {2051, 1}, {2054, 2}}), "CPE_CP_Pattern2;"},
      {"CPE_CP_Pattern", Set({{2036, 1}, {2037, 1}, {2051, 1}, {2054, 8}}), "CPE_CP_Pattern8;"},
      {"CPE_CP_Pattern", Set({{2036, 1}, {2037, 1}, {2051, 1}, {2054, 9}}), "CPE_CP_Pattern1;"},
  });
}

// The access number goes to a device that tracks accounts by number, not
// to one that manages departments by name and password, nor to one that
// tracks none.
TEST(PjlRowTable, AccessNumberByTheModelsAccountTracking) {
  struct Model {
    bool accountTrack, multiDepartment;
    const char* written;
  };
  for (const Model& m : {Model{true, false, "AccessNumber;"}, Model{true, true, ""}, Model{false, false, ""},
                         Model{false, true, ""}}) {
    auto model = std::make_unique<ModelInfo>();
    model->features[kMfAccountTrackSetting] = m.accountTrack ? 1 : 0;
    model->features[kMfMultiDepartmentMng] = m.multiDepartment ? 1 : 0;
    EXPECT_EQ(Walk("AccessNumber", [&](TestJob& t) { t.job.values = Pjl_ModelValues(model.get()); }), m.written)
        << m.accountTrack << m.multiDepartment;
  }
  EXPECT_EQ(Walk("AccessNumber", [](TestJob& t) { t.job.values = Pjl_ModelValues(nullptr); }), "");
}

}  // namespace
