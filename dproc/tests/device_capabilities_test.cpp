// Capability answers from the model record, the user's papers and the
// server's forms, on records built in memory and on the sample model.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/qxd/paper_tables.h"
#include "common/qxd/qxd_reader.h"
#include "dproc/settings/device_capabilities.h"
#include "dproc/tests/settings_fixture.h"
#include "tests/support/test_paths.h"

namespace {

using settingstest::Doc;
using settingstest::Model;
using settingstest::Papers;

enum : uint16_t {
  kFields = 1, kPapers = 2, kPaperSize = 3, kMinExtent = 4, kMaxExtent = 5, kBins = 6, kDuplex = 7,
  kSize = 8, kExtra = 9, kVersion = 10, kDriver = 11, kEnumResolutions = 13, kTrueType = 15,
  kPaperNames = 16, kOrientation = 17, kCopies = 18, kCollate = 22, kPrintRate = 26, kPrintRateUnit = 27,
  kMediaReady = 29, kStaple = 30, kPrintRatePpm = 31, kColorDevice = 32, kNup = 33, kMediaTypeNames = 34,
  kMediaTypes = 35,
};

struct Records {
  std::unique_ptr<ModelInfo> model = Model();
  std::unique_ptr<DocDMode> doc = Doc();
  PublicDevMode devmode{};
  DevDMode device{};
  std::vector<PaperSizeEntry> papers;

  CapabilityQuery Query() {
    return CapabilityQuery{model.get(), nullptr, &devmode, doc.get(), &device, 4, {nullptr, nullptr, 0}, nullptr};
  }
};

UserPaperList TwoUserPapers() {
  UserPaperList users{};
  users.count = 2;
  const char16_t* names[] = {u"Receipt", u"Label"};
  for (int i = 0; i < 2; ++i) {
    UserPaperEntry& e = users.entries[i];
    for (int k = 0; names[i][k] != 0; ++k) e.name[k] = names[i][k];
    e.paperId = static_cast<int16_t>(512 + i);
  }
  users.entries[0].width = 80099;  // 80.099 mm: 800 tenths, truncated
  users.entries[0].length = 200000;
  users.entries[1].width = 101600;
  users.entries[1].length = 152400;
  return users;
}

TEST(DeviceCapabilities, PaperListJoinsModelUserAndServerPapers) {
  Records s;
  s.papers = Papers({{"A4", 9, 2100, 2970, 0, {}}, {"UserPaper", 256, 1000, 1480, 0, {}}});
  s.model->papers = s.papers.data();
  s.model->customWidthMin = 1000;
  s.model->customWidthMax = 2970;
  s.model->customLengthMin = 1480;
  s.model->customLengthMax = 4320;
  SetDocI16(s.doc.get(), kDocUserPaperWidthAt, 1234);
  SetDocI16(s.doc.get(), kDocUserPaperLengthAt, 2345);
  UserPaperList users = TwoUserPapers();
  // The first form is the model's own A4 and is left out; the third is too
  // large.  A kept form keeps its place in the spooler's list as its id.
  std::u16string longName(64, u'x');
  const ServerForm forms[] = {{u"A4", 210000, 297000}, {longName.c_str(), 150000, 200000},
                              {u"Poster", 900000, 900000}, {u"Card", 100000, 148000}};
  CapabilityQuery q = s.Query();
  q.papers = {&users, forms, 4};

  ASSERT_EQ(AnswerDeviceCapability(q, kPapers, nullptr), 6);
  std::vector<uint16_t> ids(6);
  EXPECT_EQ(AnswerDeviceCapability(q, kPapers, ids.data()), 6);
  EXPECT_EQ(ids, (std::vector<uint16_t>{9, 256, 512, 513, 0x1002, 0x1004}));

  std::vector<int32_t> sizes(12);
  EXPECT_EQ(AnswerDeviceCapability(q, kPaperSize, sizes.data()), 6);
  EXPECT_EQ(sizes, (std::vector<int32_t>{2100, 2970, 1234, 2345, 800, 2000, 1016, 1524, 1500, 2000, 1000, 1480}));

  for (uint16_t code : {kPaperNames, kMediaReady}) {
    std::vector<char16_t> names(6 * 64, u'?');
    EXPECT_EQ(AnswerDeviceCapability(q, code, names.data()), 6);
    EXPECT_EQ(std::u16string(names.data()), u"A4");
    EXPECT_EQ(std::u16string(names.data() + 2 * 64), u"Receipt");
    EXPECT_EQ(std::u16string(names.data() + 4 * 64), longName.substr(0, 63));
    EXPECT_EQ(std::u16string(names.data() + 5 * 64), u"Card");
  }

  // Without user papers and forms the model's papers stand alone.
  q.papers = {};
  EXPECT_EQ(AnswerDeviceCapability(q, kPapers, nullptr), 2);

  int32_t extent[2] = {};
  EXPECT_EQ(AnswerDeviceCapability(q, kMinExtent, extent), 1000 | (1480 << 16));
  EXPECT_EQ(extent[0], 1000);
  EXPECT_EQ(extent[1], 1480);
  EXPECT_EQ(AnswerDeviceCapability(q, kMaxExtent, nullptr), 2970 | (4320 << 16));
}

TEST(DeviceCapabilities, ResolutionsWithoutRepeats) {
  Records s;
  std::vector<ResolutionItem> rows(4);
  std::memset(rows.data(), 0, rows.size() * sizeof rows[0]);
  const uint16_t pairs[3][2] = {{600, 600}, {1200, 600}, {600, 600}};
  for (int i = 0; i < 3; ++i) {
    rows[i].size = sizeof rows[i];
    std::snprintf(rows[i].keyword, sizeof rows[i].keyword, "Reso%d", i);
    rows[i].values[0] = pairs[i][0];
    rows[i].values[1] = pairs[i][1];
  }
  s.model->resolutions = rows.data();
  CapabilityQuery q = s.Query();
  ASSERT_EQ(AnswerDeviceCapability(q, kEnumResolutions, nullptr), 2);
  int32_t out[4] = {};
  EXPECT_EQ(AnswerDeviceCapability(q, kEnumResolutions, out), 2);
  EXPECT_EQ(out[0], 600);
  EXPECT_EQ(out[1], 600);
  EXPECT_EQ(out[2], 1200);
  EXPECT_EQ(out[3], 600);
}

TEST(DeviceCapabilities, FixedAnswersAndTheDevModeFields) {
  Records s;
  s.devmode.dmFields = 0x1234;
  s.devmode.dmSize = 220;
  s.devmode.dmDriverExtra = 8040;
  s.devmode.dmSpecVersion = 0x401;
  s.devmode.dmDriverVersion = 0x100;
  s.model->copiesMax = 99;
  s.model->staplerPresent = 1;
  CapabilityQuery q = s.Query();
  struct Case {
    uint16_t code;
    int32_t expected;
  };
  const Case cases[] = {{kFields, 0x1234}, {kSize, 220},   {kExtra, 8040},  {kVersion, 0x401},
                        {kDriver, 0x100},  {kDuplex, 1},   {kCollate, 0},   {kCopies, 99},
                        {kBins, -1},       {kNup, -1},     {kStaple, 1},    {kColorDevice, 0},
                        {kOrientation, 90}, {14, -1},      {36, -1},        {0, -1}};
  for (const Case& c : cases) EXPECT_EQ(AnswerDeviceCapability(q, c.code, nullptr), c.expected) << c.code;

  SetDocByte(s.doc.get(), kDocLandscapeRotationAt, 1);
  EXPECT_EQ(AnswerDeviceCapability(q, kOrientation, nullptr), 270);
  for (auto [substitute, expected] : {std::pair{0, 4}, {1, 2}, {2, 0}}) {
    SetDocByte(s.doc.get(), kDocFontSubstituteAt, static_cast<uint8_t>(substitute));
    EXPECT_EQ(AnswerDeviceCapability(q, kTrueType, nullptr), expected);
  }
  // Before Windows 2000 the newer codes are not answered.
  q.winVersionClass = 0;
  EXPECT_EQ(AnswerDeviceCapability(q, kStaple, nullptr), 0);
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRate, nullptr), -1);
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRatePpm, nullptr), -1);
  // No settings to answer from.
  q.doc = nullptr;
  EXPECT_EQ(AnswerDeviceCapability(q, kDuplex, nullptr), -1);
  q.doc = s.doc.get();
  q.devmode = nullptr;
  EXPECT_EQ(AnswerDeviceCapability(q, kDuplex, nullptr), -1);
}

TEST(DeviceCapabilities, MediaTypes) {
  Records s;
  std::vector<ModelListItem> rows(3);
  std::memset(rows.data(), 0, rows.size() * sizeof rows[0]);
  std::strcpy(rows[0].keyword, "Plain");
  rows[0].value = 1;
  std::memcpy(rows[0].text, u"Plain Paper", 12 * sizeof(char16_t));
  std::strcpy(rows[1].keyword, "Thick");
  rows[1].value = 258;
  std::memcpy(rows[1].text, u"Thick Paper", 12 * sizeof(char16_t));
  s.model->mediaTypes = rows.data();
  CapabilityQuery q = s.Query();
  uint32_t ids[2] = {};
  EXPECT_EQ(AnswerDeviceCapability(q, kMediaTypes, ids), 2);
  EXPECT_EQ(ids[1], 258u);
  std::vector<char16_t> names(2 * 64);
  EXPECT_EQ(AnswerDeviceCapability(q, kMediaTypeNames, names.data()), 2);
  EXPECT_EQ(std::u16string(names.data() + 64), u"Thick Paper");
}

// "OpMachine" with the values T600 and T610P; the device record selects
// `selected`.
struct Machines {
  std::vector<OptionItem> values = std::vector<OptionItem>(3);
  std::vector<DeviceOptionItem> options = std::vector<DeviceOptionItem>(2);
  std::vector<MachineRow> rows;
  std::vector<std::vector<MachineValue>> items;

  Machines() {
    std::memset(values.data(), 0, values.size() * sizeof values[0]);
    std::memset(options.data(), 0, options.size() * sizeof options[0]);
    std::strcpy(values[0].keyword, "T600");
    std::strcpy(values[1].keyword, "T610P");
    values[1].value = 1;
    std::strcpy(options[0].keyword, "OpMachine");
    options[0].values = values.data();
  }
  void Add(const char* name, std::vector<std::pair<const char*, const char*>> pairs) {
    std::vector<MachineValue> v(pairs.size() + 1);
    std::memset(v.data(), 0, v.size() * sizeof v[0]);
    for (size_t i = 0; i < pairs.size(); ++i) {
      std::strcpy(v[i].key, pairs[i].first);
      std::strcpy(v[i].value, pairs[i].second);
    }
    items.push_back(std::move(v));
    MachineRow row{};
    std::strcpy(row.name, name);
    row.itemCount = static_cast<uint32_t>(pairs.size() + 1);
    rows.push_back(row);
  }
  void Install(ModelInfo* m) {
    rows.push_back(MachineRow{});  // the all-zero end row
    for (size_t i = 0; i < items.size(); ++i) rows[i].items = items[i].data();
    m->machines = rows.data();
    m->machineRowCount = static_cast<uint32_t>(rows.size());
  }
};

TEST(DeviceCapabilities, PrintRateFromTheSelectedMachine) {
  Records s;
  s.model->printRate = 20;
  s.model->printRateUnit = 7;  // unknown units count as pages per minute
  s.model->printRatePpm = 21;
  Machines machines;
  machines.Add("T610", {{"PrintRate", "30"}, {"PrintRateUnit", "PPM"}});  // not T610P
  machines.Add("t610p", {{"PrintRateUnit", "cps"}, {"PrintRate", "45"}});
  machines.Add("T610P", {{"PrintRate", "99"}, {"PrintRatePPM", "33"}});  // the rate was found above
  machines.Install(s.model.get());
  s.device.option.optionValues[0] = 1;
  CapabilityQuery q = s.Query();
  q.deviceOptions = machines.options.data();
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRate, nullptr), 45);
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRateUnit, nullptr), 2);
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRatePpm, nullptr), 33);

  // A machine without rows of its own, or no device record: the model's values.
  s.device.option.optionValues[0] = 0;
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRate, nullptr), 20);
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRateUnit, nullptr), 1);
  s.device.option.optionValues[0] = 1;
  q.device = nullptr;
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRatePpm, nullptr), 21);
}

TEST(DeviceCapabilities, EmptyMachineNamesMatchNothing) {
  Records s;
  s.model->printRate = 20;
  Machines machines;
  machines.Add("", {{"PrintRate", "77"}});  // a damaged row with no name
  machines.Add("T600", {{"PrintRate", "60"}});
  machines.Install(s.model.get());
  CapabilityQuery q = s.Query();
  q.deviceOptions = machines.options.data();
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRate, nullptr), 60);
}

int32_t DDPROC_CALL AnswerBinsOnly(const ModelInfo*, const DeviceOptionItem*, const DocDMode*, const DevOption* option,
                                   uint16_t capability, void* output, int32_t* result) {
  if (capability == kBins) {
    if (output != nullptr) static_cast<uint16_t*>(output)[0] = 257;
    *result = option != nullptr ? 1 : 0;
    return 1;
  }
  if (capability == kDuplex) {
    *result = 0;
    return 1;
  }
  *result = 12345;  // not answered: ignored
  return 0;
}

TEST(DeviceCapabilities, TheDeviceLibraryAnswersFirst) {
  Records s;
  CapabilityQuery q = s.Query();
  q.ddproc = AnswerBinsOnly;
  uint16_t bin = 0;
  EXPECT_EQ(AnswerDeviceCapability(q, kBins, &bin), 1);
  EXPECT_EQ(bin, 257);
  EXPECT_EQ(AnswerDeviceCapability(q, kDuplex, nullptr), 0);
  EXPECT_EQ(AnswerDeviceCapability(q, kCollate, nullptr), 0);
  EXPECT_EQ(AnswerDeviceCapability(q, 12, nullptr), -1);
}

TEST(DeviceCapabilities, SampleModel) {
  std::ifstream in(testsupport::BinaryPath("model/VELDRANH.QXD"), std::ios::binary);
  ASSERT_TRUE(in.good());
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ResetInputTrayTable();
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  ASSERT_NE(ctx, nullptr);
  ModelInfo* model = BuildModelInfo(ctx, ModelBuildEnv{true, 1, true});
  QxdClose(ctx);
  ASSERT_NE(model, nullptr);
  Records s;
  CapabilityQuery q = s.Query();
  q.model = model;
  EXPECT_EQ(AnswerDeviceCapability(q, kPapers, nullptr), 5);
  EXPECT_EQ(AnswerDeviceCapability(q, kEnumResolutions, nullptr), 3);
  EXPECT_EQ(AnswerDeviceCapability(q, kMediaTypes, nullptr), 3);
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRatePpm, nullptr), 20);
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRateUnit, nullptr), 1);
  EXPECT_EQ(AnswerDeviceCapability(q, kColorDevice, nullptr), 0);

  // The print rate of the fax unit that the device settings select.
  ctx = QxdOpenImage(bytes.data(), bytes.size());
  DeviceOptionItem* options = LoadDeviceOptionList(ctx, model, &s.device.option);
  QxdClose(ctx);
  ASSERT_NE(options, nullptr);
  q.deviceOptions = options;
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRate, nullptr), 20);
  s.device.option.optionValues[2] = 1;  // "OpMachine": the high-speed unit
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRate, nullptr), 30);
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRatePpm, nullptr), 30);
  EXPECT_EQ(AnswerDeviceCapability(q, kPrintRateUnit, nullptr), 1);
  FreeDeviceOptionList(options);
  FreeModelInfoRecord(model);
}

}  // namespace
