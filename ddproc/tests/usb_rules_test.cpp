// The rules over the USB status reply.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ddproc/usb/usb_rules.h"

namespace {

class Reply {
 public:
  explicit Reply(std::initializer_list<std::pair<std::string, std::string>> list) : pairs_(list.size()) {
    size_t i = 0;
    for (const auto& p : list) {
      pairs_[i] = UsbStatusPair{};
      std::strncpy(pairs_[i].key, p.first.c_str(), 255);
      std::strncpy(pairs_[i].value, p.second.c_str(), 255);
      ++i;
    }
    list_.pairs = pairs_.data();
    list_.count = static_cast<uint32_t>(pairs_.size());
  }
  const UsbStatusList* get() const { return &list_; }
  UsbStatusPair& pair(size_t i) { return pairs_[i]; }

 private:
  std::vector<UsbStatusPair> pairs_;
  UsbStatusList list_{};
};

std::string Ask(const Reply& r, const char* keyword) {
  DevOptionEntry e{};
  std::strncpy(e.keyword, keyword, sizeof e.keyword - 1);
  std::memset(e.value, 'x', sizeof e.value);
  UsbFillOptionEntries(r.get(), 1, &e);
  return std::string(e.value, strnlen(e.value, sizeof e.value));
}

TEST(UsbRules, ModelCompareIsExact) {
  EXPECT_TRUE(UsbIsSupportedModel(Reply({{"TYPE", "MFP"}, {"MODEL", "T620P"}}).get()));
  EXPECT_FALSE(UsbIsSupportedModel(Reply({{"MODEL", "t620p"}}).get()));
  EXPECT_FALSE(UsbIsSupportedModel(Reply({{"model", "T620"}}).get()));
  EXPECT_FALSE(UsbIsSupportedModel(Reply({}).get()));
  EXPECT_FALSE(UsbIsSupportedModel(nullptr));
}

TEST(UsbRules, Options) {
  Reply r({{"MODEL", "T510"},
           {"PUNCHKIT", "GW-457(3H)"},
           {"MEMCARD", "ENABLE"},
           {"MEMCARDSIZE", "1024"},
           {"DUPLEXUNIT", "ENABLE"},
           {"RAMSIZE", "384"},
           {"INTRAY3", "ENABLE"},
           {"OUTTRAY", "QN-341+YV-272"},
           {"VQCERT", "RELAY_SERVER_AUTH"}});
  EXPECT_EQ(Ask(r, "OpPunchKit"), "OpPunchKit2");
  EXPECT_EQ(Ask(Reply({{"MODEL", "T510"}}), "OpPunchKit"), "DisOpPunchKit");
  EXPECT_EQ(Ask(r, "OpMemoryCard1"), "EnaOpMemoryCard1");
  EXPECT_EQ(Ask(r, "opduplex"), "EnaOpDuplex");
  EXPECT_EQ(Ask(r, "OpMemory"), "384MB");
  EXPECT_EQ(Ask(r, "OpMachine"), "OpMachine3");
  EXPECT_EQ(Ask(r, "OpInTray3"), "EnaOpInTray3");
  EXPECT_EQ(Ask(r, "OpInTray2"), "DisOpInTray2");
  EXPECT_EQ(Ask(r, "OpOutTrayUnit"), "OpOutTrayUnit2");
  EXPECT_EQ(Ask(r, "OpManualFeed"), "EnaOpManualFeed");
  EXPECT_EQ(Ask(r, "OpCb-FnUnit"), "DisOpCb-FnUnit");
  EXPECT_EQ(Ask(r, "DevUserAuthentication"), "DevUserAuthentic_InterSV");
  EXPECT_EQ(Ask(r, "OpBody"), "");
  EXPECT_EQ(Ask(r, "NotAKey"), "");
}

TEST(UsbRules, FindValueIsExactAndBounded) {
  Reply r({{"TRAY1PAPERSIZE", "A4"}, {"LONG", ""}});
  std::memset(r.pair(1).value, 'v', sizeof r.pair(1).value);  // no terminator
  char out[kUsbStatusText];
  EXPECT_TRUE(UsbFindValue(r.get(), "TRAY1PAPERSIZE", out));
  EXPECT_STREQ(out, "A4");
  EXPECT_FALSE(UsbFindValue(r.get(), "tray1papersize", out));
  EXPECT_TRUE(UsbFindValue(r.get(), "LONG", out));
  EXPECT_EQ(std::strlen(out), 255u);
}

TEST(UsbRules, Trays) {
  Reply r({{"MODEL", "T620"},
           {"TRAY5PAPERSIZE", "LETTER"},
           {"TRAY5PAPERDIRECTION", "SEF"},
           {"TRAY5PAPERTYPE", "THICK2"},
           {"TRAY5PAPERSECONDSIDE", "ON"},
           {"TRAY1PAPERTYPE", "PAPER"},
           {"TRAY1PAPERCOLOR", "ON"}});
  TrayStatusEntry e[3] = {};
  std::strcpy(e[0].keyword, "InTrayLCT");
  std::strcpy(e[1].keyword, "InTray7");
  std::strcpy(e[2].keyword, "intray1");
  UsbFillTrayEntries(r.get(), 3, e);
  EXPECT_STREQ(e[0].answers[0], "8half11");
  EXPECT_STREQ(e[0].answers[1], "MediaTypeList_Landscape");
  EXPECT_STREQ(e[0].answers[2], "Thick2_2nd");
  EXPECT_STREQ(e[0].answers[3], "NoSettingW");
  EXPECT_STREQ(e[0].answers[4], "ColorNoSet");
  EXPECT_STREQ(e[0].answers[5], "Punch_OFF");
  EXPECT_EQ(e[0].status, 1u);
  EXPECT_STREQ(e[1].answers[0], "MediaTypeList_Size_Unknown");
  EXPECT_STREQ(e[1].answers[2], "MediaTypeList_Type_Unknown");
  EXPECT_EQ(e[1].status, 0u);
  EXPECT_STREQ(e[2].answers[0], "");
  EXPECT_STREQ(e[2].answers[1], "");
  EXPECT_STREQ(e[2].answers[2], "Color");
}

}  // namespace
