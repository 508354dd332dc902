// The rules that turn the device-communication library's answers into
// option value keywords and tray media keywords.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ddproc/bdc/bdc_rules.h"

namespace {

BdcAnswers Device(const char* name = "HALDOVAR serivo T610", const char* product = "HALDOVAR serivo T570") {
  BdcAnswers a;
  std::strncpy(a.name.deviceName, name, sizeof a.name.deviceName - 1);
  std::strncpy(a.name.productName, product, sizeof a.name.productName - 1);
  return a;
}

void AddOption(BdcAnswers* a, uint32_t category, const char* unit) {
  BdcOptionEntry e{};
  e.category = category;
  std::strncpy(e.unitName, unit, sizeof e.unitName - 1);
  a->options.push_back(e);
}

void AddFinisher(BdcAnswers* a, uint32_t mask) {
  BdcFinisherEntry e{};
  e.capabilities = mask;
  a->finishers.push_back(e);
}

std::string Ask(const BdcAnswers& a, const char* keyword) {
  DevOptionEntry e{};
  std::strncpy(e.keyword, keyword, sizeof e.keyword - 1);
  std::memset(e.value, 'x', sizeof e.value);
  BdcFillOptionEntries(a, 1, &e);
  return std::string(e.value, strnlen(e.value, sizeof e.value));
}

TEST(BdcRules, SupportedModelNeedsBothNamesExactly) {
  EXPECT_TRUE(BdcIsSupportedModel(Device()));
  EXPECT_FALSE(BdcIsSupportedModel(Device("HALDOVAR serivo T610", "Other")));
  EXPECT_FALSE(BdcIsSupportedModel(Device("haldovar serivo t610", "HALDOVAR serivo T570")));
  EXPECT_FALSE(BdcIsSupportedModel(Device("", "")));
  // A name that fills its whole field without a terminator is no name.
  BdcAnswers full = Device();
  std::memset(full.name.deviceName, 'A', sizeof full.name.deviceName);
  EXPECT_FALSE(BdcIsSupportedModel(full));
}

TEST(BdcRules, OutputUnitListedOnceOrTwice) {
  BdcAnswers a = Device();
  AddOption(&a, 5, "QN-362");
  EXPECT_EQ(Ask(a, "OpOutTrayUnit"), "OpOutTrayUnit3");
  AddOption(&a, 5, "qn-362");
  EXPECT_EQ(Ask(a, "OpOutTrayUnit"), "DisOpOutTrayUnit");
  // The category must match too.
  BdcAnswers b = Device();
  AddOption(&b, 6, "QN-362");
  EXPECT_EQ(Ask(b, "opouttrayunit"), "DisOpOutTrayUnit");
}

TEST(BdcRules, PunchKits) {
  struct Case {
    const char* unit;
    uint32_t mask;
    const char* want;
  } cases[] = {
      {"GW-455", 0x70, "OpPunchKit6"}, {"GW-455", 0x20, "OpPunchKit5"}, {"GW-455", 0x10, "OpPunchKit4"},
      {"GW-450", 0x40, "OpPunchKit3"}, {"GW-450", 0x20, "OpPunchKit2"}, {"GW-450", 0x10, "OpPunchKit1"},
      {"GW-450", 0x0, "DisOpPunchKit"}, {"YV-270", 0x70, "DisOpPunchKit"},
  };
  for (const Case& c : cases) {
    BdcAnswers a = Device();
    AddOption(&a, 6, c.unit);
    AddFinisher(&a, 0x1);
    AddFinisher(&a, c.mask);
    EXPECT_EQ(Ask(a, "OpPunchKit"), c.want) << c.unit << " " << c.mask;
  }
}

TEST(BdcRules, DuplexHardDiskMachineAndUnknownKeys) {
  BdcAnswers a = Device();
  EXPECT_EQ(Ask(a, "OpDuplex"), "DisOpDuplex");
  a.mediaPath.kind = 1;
  EXPECT_EQ(Ask(a, "OpDuplex"), "EnaOpDuplex");
  BdcAnswers unit = Device();
  AddOption(&unit, 7, "UJ-614");
  EXPECT_EQ(Ask(unit, "OpDuplex"), "EnaOpDuplex");

  BdcMemoryEntry disk{};
  disk.kind = 3;
  a.memory.push_back(disk);
  EXPECT_EQ(Ask(a, "OpHDD"), "EnaOpHDD");
  a.memory.push_back(disk);
  EXPECT_EQ(Ask(a, "OpHDD"), "DisOpHDD");

  EXPECT_EQ(Ask(a, "OpMachine"), "OpMachine1");
  EXPECT_EQ(Ask(Device("Other", "x"), "OpMachine"), "");
  EXPECT_EQ(Ask(a, "OpInTray1"), "");
  EXPECT_EQ(Ask(a, "OpMailBinKit"), "DisOpMailBinKit");
  AddOption(&a, 6, "HX-530");
  AddOption(&a, 3, "RV-722");
  EXPECT_EQ(Ask(a, "OpMailBinKit"), "EnaOpMailBinKit");
  EXPECT_EQ(Ask(a, "OpInTrayUnit"), "OpInTrayUnit2");
}

TrayStatusEntry AskTray(const BdcAnswers& a, const char* keyword) {
  TrayStatusEntry e{};
  std::strncpy(e.keyword, keyword, sizeof e.keyword - 1);
  std::memset(e.answers, 'x', sizeof e.answers);
  e.status = 99;
  BdcFillTrayEntries(a, 1, &e);
  return e;
}

TEST(BdcRules, TrayMedia) {
  BdcAnswers a = Device();
  BdcInputTrayEntry t{};
  t.trayNumber = 2;
  t.paperSize = 260;
  t.orientation = 3;
  t.mediaType = 1;
  t.status = 4;
  a.trays.push_back(t);
  t.trayNumber = 5;
  t.paperSize = 1551;
  t.orientation = 2;
  t.mediaType = 226;
  t.secondSide = 1;
  a.trays.push_back(t);

  TrayStatusEntry e = AskTray(a, "intray2");
  EXPECT_STREQ(e.answers[0], "A4");
  EXPECT_STREQ(e.answers[1], "MediaTypeList_Landscape");
  EXPECT_STREQ(e.answers[2], "Plain");
  for (int k = 3; k < 6; ++k) EXPECT_STREQ(e.answers[k], "");
  EXPECT_EQ(e.status, 4u);

  e = AskTray(a, "InTrayLCT");
  EXPECT_STREQ(e.answers[0], "8half11");
  EXPECT_STREQ(e.answers[1], "MediaTypeList_Portrait");
  EXPECT_STREQ(e.answers[2], "Thick2_2nd");

  for (const char* unknown : {"InTray5", "InTray1"}) {
    e = AskTray(a, unknown);
    EXPECT_STREQ(e.answers[0], "MediaTypeList_Size_Unknown") << unknown;
    EXPECT_STREQ(e.answers[5], "MediaTypeList_Hole_Unknown");
    EXPECT_EQ(e.status, 0u);
  }
}

}  // namespace
