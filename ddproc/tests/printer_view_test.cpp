// Which layers the printer view stacks for the installed options and the
// selections.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ddproc/tests/device_fixture.h"
#include "ddproc/view/printer_view.h"

namespace {

using ddtest::DeviceOptions;
using Layers = std::vector<int>;

struct View {
  DeviceOptions options;
  PrinterViewOptions request{};
  View(int machine, int in, int out, bool hdd, bool duplex, bool mail, bool saddle) {
    options.Add("OpMachine", {"DisOpMachine", "OpMachine1"}, machine)
        .Add("OpInTrayUnit", {"DisOpInTrayUnit", "OpInTrayUnit1", "OpInTrayUnit2", "OpInTrayUnit3"}, in)
        .Add("OpOutTrayUnit",
             {"DisOpOutTrayUnit", "OpOutTrayUnit1", "OpOutTrayUnit2", "OpOutTrayUnit3", "OpOutTrayUnit4",
              "OpOutTrayUnit5"},
             out)
        .Add("OpHDD", {"DisOpHDD", "EnaOpHDD"}, hdd)
        .Add("OpDuplex", {"DisOpDuplex", "EnaOpDuplex"}, duplex)
        .Add("OpMailBinKit", {"DisOpMailBinKit", "EnaOpMailBinKit"}, mail)
        .Add("OpSaddleKit", {"DisSaddleKit", "EnaSaddleKit"}, saddle);
    request.deviceOptions = options.list();
    request.deviceOption = options.option();
  }
  View& Select(const char* tray, std::vector<int> flags) {
    request.documentSheet = 1;
    std::strncpy(request.inTrayKeyword, tray, sizeof request.inTrayKeyword);
    for (int f : flags) {
      if (f <= 12) request.outputTrays[f - 1] = 1;
      if (f == 13) request.centreStaple = 1;
    }
    return *this;
  }
};

TEST(PrinterView, NothingInstalled) {
  View v(0, 0, 0, false, false, false, false);
  EXPECT_EQ(PrinterViewLayers(v.request), (Layers{101, 105}));
  EXPECT_EQ(PrinterViewDiskMark(v.request), 201);
  // Without any device option at all the picture is the same.
  PrinterViewOptions empty{};
  EXPECT_EQ(PrinterViewLayers(empty), (Layers{101, 105}));
}

TEST(PrinterView, InstalledUnits) {
  struct Case {
    int machine, in, out;
    bool hdd, duplex, mail, saddle;
    Layers want;
  } cases[] = {
      {1, 1, 1, true, true, false, false, {102, 105, 106, 161, 107}},
      {0, 2, 2, false, false, false, false, {101, 105, 103, 161, 162}},
      {0, 3, 3, false, false, false, false, {101, 105, 104, 163}},
      {0, 0, 4, false, false, true, true, {101, 105, 172}},
      {0, 0, 4, false, false, false, true, {101, 105, 174}},
      {0, 0, 4, false, false, false, false, {101, 105, 170}},
      {0, 0, 5, false, false, true, false, {101, 105, 173}},
      {0, 0, 5, false, false, false, true, {101, 105, 175}},
      {0, 0, 5, false, false, false, false, {101, 105, 171}},
  };
  for (const Case& c : cases) {
    View v(c.machine, c.in, c.out, c.hdd, c.duplex, c.mail, c.saddle);
    EXPECT_EQ(PrinterViewLayers(v.request), c.want) << c.out;
    EXPECT_EQ(PrinterViewDiskMark(v.request), c.hdd ? 202 : 201);
  }
}

TEST(PrinterView, Selections) {
  // Without the show flag, the tray and flags are not looked at.
  View quiet(0, 0, 1, false, false, false, false);
  std::strcpy(quiet.request.inTrayKeyword, "InTray1");
  quiet.request.outputTrays[2] = 1;
  EXPECT_EQ(PrinterViewLayers(quiet.request), (Layers{101, 105, 161}));

  EXPECT_EQ(PrinterViewLayers(View(0, 0, 1, false, false, false, false).Select("intray2", {3, 8}).request),
            (Layers{101, 105, 161, 113, 165}));
  // The first flag decides even when it draws nothing.
  EXPECT_EQ(PrinterViewLayers(View(0, 0, 3, false, false, true, false).Select("", {3, 8}).request),
            (Layers{101, 105, 163}));
  EXPECT_EQ(PrinterViewLayers(View(0, 0, 0, false, false, false, false).Select("InTray5", {}).request),
            (Layers{101, 105}));
  EXPECT_EQ(PrinterViewLayers(View(0, 0, 4, false, false, false, true).Select("InTrayLCT", {3, 13}).request),
            (Layers{101, 105, 174, 121, 178, 179}));
  EXPECT_EQ(PrinterViewLayers(View(0, 0, 5, false, false, false, false).Select("InTrayManual", {4}).request),
            (Layers{101, 105, 171, 119, 180}));
  EXPECT_EQ(PrinterViewLayers(View(0, 0, 4, false, false, true, false).Select("", {11}).request),
            (Layers{101, 105, 172, 185}));
}

}  // namespace
