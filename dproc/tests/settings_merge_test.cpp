// The settings merge, the standard fields, the resets and the fit-to-paper
// zoom, on records built in memory.
#include <gtest/gtest.h>

#include <cstring>

#include "common/records/builtin_dev_option.h"
#include "common/records/settings_checksum.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/tests/settings_fixture.h"

namespace {

using settingstest::Doc;
using settingstest::Model;
using settingstest::Papers;

struct Env {
  std::unique_ptr<ModelInfo> model = Model();
  std::vector<PaperSizeEntry> papers = Papers({
      {"A4", 9, 2100, 2970, 0, {42, 43, 44, 45}},
      {"A5", 11, 1480, 2100, 0, {42, 42, 42, 42}},
      {"UserPaper", 256, 1000, 1480, 0, {30, 30, 30, 30}},
  });
  std::vector<ResolutionItem> resolutions = std::vector<ResolutionItem>(3);
  std::vector<ModelListItem> media = std::vector<ModelListItem>(2);
  std::vector<InTrayEntry> trays = std::vector<InTrayEntry>(2);
  UserPaperList users{};

  Env() {
    ModelInfo& m = *model;
    m.papers = papers.data();
    m.customWidthMin = 1000;
    m.customWidthMax = 2970;
    m.customLengthMin = 2100;
    m.customLengthMax = 4320;
    m.customPaperMargins[0] = m.customPaperMargins[1] = m.customPaperMargins[2] = m.customPaperMargins[3] = 50;
    m.copiesMax = 99;
    m.paperFigureStyle = 1;
    std::memset(resolutions.data(), 0, resolutions.size() * sizeof resolutions[0]);
    const uint16_t values[2][3] = {{200, 100, 7}, {200, 200, 8}};
    for (int i = 0; i < 2; ++i) {
      std::snprintf(resolutions[i].keyword, 32, "Reso%d", i);
      resolutions[i].index = static_cast<uint32_t>(i);
      std::memcpy(resolutions[i].values, values[i], sizeof values[i]);
    }
    m.resolutions = resolutions.data();
    std::memset(media.data(), 0, media.size() * sizeof media[0]);
    std::strcpy(media[0].keyword, "Thick");
    media[0].value = 258;
    m.mediaTypes = media.data();
    std::memset(trays.data(), 0, trays.size() * sizeof trays[0]);
    std::strcpy(trays[0].keyword, "InTray1");
    trays[0].binId = 257;
    m.inTrays = trays.data();
    users.count = 1;
    std::memcpy(users.entries[0].name, u"Receipt", 8 * sizeof(char16_t));
    users.entries[0].width = 80000;
    users.entries[0].length = 200000;
    users.entries[0].paperId = 512;
  }
  SettingsModel Settings() { return SettingsModel{model.get(), {&users, nullptr, 0}}; }
};

std::unique_ptr<DocDMode> A4Doc() {
  auto d = Doc();
  InitDocDModeHeader(d.get());
  SetDocI16(d.get(), kDocPaperSizeAt, 9);
  SetDocI16(d.get(), kDocPaperWidthAt, 2100);
  SetDocI16(d.get(), kDocPaperLengthAt, 2970);
  SetDocI16(d.get(), kDocOutPaperSizeAt, 357);
  SetDocByte(d.get(), kDocDoubleSidesAt, 1);
  SetDocByte(d.get(), kDocBindingEdgeAt, 14);
  SetDocByte(d.get(), kDocBookletBindingAt, 1);
  SetDocI16(d.get(), kDocCopiesAt, 1);
  SetDocI16(d.get(), kDocResolutionXAt, 200);
  SetDocI16(d.get(), kDocResolutionYAt, 100);
  return d;
}

PublicDevMode Input(uint32_t fields) {
  PublicDevMode in{};
  in.dmSize = sizeof in;
  in.dmFields = fields;
  in.dmOrientation = 1;
  return in;
}

TEST(MergeDMode, PaperBySizeOrId) {
  struct Case {
    int16_t paperSize, width, length;
    int16_t expected, expectedWidth, expectedLength, expectedMargin;
  };
  const Case cases[] = {
      {0, 2099, 2972, 9, 2100, 2970, 42},    // within 0.3 mm of A4
      {0, 2000, 2000, 256, 2000, 2100, 30},  // custom size, length raised to the minimum
      {0, 5000, 900, 256, 2970, 2100, 30},
      {11, 0, 0, 11, 1480, 2100, 42},
      {512, 0, 0, 512, 800, 2000, 50},       // a user paper: the model's default margins
      {70, 0, 0, 9, 2100, 2970, 0},          // not offered: nothing merged
      {513, 0, 0, 9, 2100, 2970, 0},
  };
  for (const Case& c : cases) {
    Env env;
    auto d = A4Doc();
    PublicDevMode in = Input(kDmPaperSize);
    in.dmPaperSize = c.paperSize;
    in.dmPaperWidth = c.width;
    in.dmPaperLength = c.length;
    PublicDevMode out{};
    MergeDMode(env.Settings(), &out, d.get(), &in, sizeof in, nullptr);
    EXPECT_EQ(DocI16(d.get(), kDocPaperSizeAt), c.expected) << c.paperSize << " " << c.width << "x" << c.length;
    EXPECT_EQ(DocI16(d.get(), kDocPaperWidthAt), c.expectedWidth);
    EXPECT_EQ(DocI16(d.get(), kDocPaperLengthAt), c.expectedLength);
    EXPECT_EQ(DocI16(d.get(), kDocPaperMarginsAt), c.expectedMargin);
    EXPECT_EQ(out.dmPaperSize, c.expected);
    EXPECT_TRUE(DocDModeChecksumMatches(d.get()));
    if (c.expected == 256) {
      EXPECT_EQ(DocI16(d.get(), kDocUserPaperWidthAt), c.expectedWidth);
      EXPECT_EQ(DocI16(d.get(), kDocUserPaperLengthAt), c.expectedLength);
    }
    if (c.expected == 512) {
      EXPECT_EQ(DocI16(d.get(), kDocServerPaperWidthAt), 800);
      EXPECT_EQ(std::u16string(out.dmFormName), u"Receipt");
      // The output paper follows the input paper.
      EXPECT_EQ(DocI16(d.get(), kDocOutPaperWidthAt), 800);
    }
  }
}

TEST(MergeDMode, CopiesMediaTrayAndResolution) {
  Env env;
  auto d = A4Doc();
  PublicDevMode in = Input(kDmCopies | kDmMediaType | kDmDefaultSource | kDmPrintQuality);
  in.dmCopies = 0;
  in.dmMediaType = 258;
  in.dmDefaultSource = 257;
  in.dmPrintQuality = 200;
  in.dmYResolution = 200;
  PublicDevMode out{};
  MergeDMode(env.Settings(), &out, d.get(), &in, sizeof in, nullptr);
  EXPECT_EQ(DocI16(d.get(), kDocCopiesAt), 1);
  EXPECT_EQ(DocI16(d.get(), kDocMediaTypeAt), 258);
  EXPECT_EQ(DocI16(d.get(), kDocInTrayAt), 257);
  EXPECT_EQ(DocI16(d.get(), kDocResolutionYAt), 200);
  EXPECT_EQ(DocI16(d.get(), kDocResolutionThirdAt), 8);
  EXPECT_EQ(DocByte(d.get(), kDocResolutionValueAt), 1);
  EXPECT_EQ(out.dmMediaType, 258u);
  EXPECT_EQ(out.dmYResolution, 200);

  // Values the model does not offer are ignored field by field.
  in.dmCopies = 500;
  in.dmMediaType = 3;
  in.dmDefaultSource = 4;
  in.dmPrintQuality = 300;
  MergeDMode(env.Settings(), &out, d.get(), &in, sizeof in, nullptr);
  EXPECT_EQ(DocI16(d.get(), kDocCopiesAt), 99);
  EXPECT_EQ(DocI16(d.get(), kDocMediaTypeAt), 258);
  EXPECT_EQ(DocI16(d.get(), kDocInTrayAt), 257);
  EXPECT_EQ(DocI16(d.get(), kDocResolutionXAt), 200);
  EXPECT_EQ(DocI16(d.get(), kDocResolutionYAt), 200);
}

TEST(MergeDMode, ReadsOnlyWithinTheInputsSize) {
  Env env;
  auto d = A4Doc();
  PublicDevMode in = Input(kDmOrientation | kDmDuplex | kDmMediaType | kDmCopies);
  in.dmOrientation = 2;
  in.dmCopies = 5;
  in.dmDuplex = 2;
  in.dmMediaType = 258;
  in.dmSize = offsetof(PublicDevMode, dmDuplex);  // an old DEVMODE that ends before dmDuplex
  PublicDevMode out{};
  std::vector<uint8_t> bytes(in.dmSize);
  std::memcpy(bytes.data(), &in, bytes.size());
  MergeDMode(env.Settings(), &out, d.get(), bytes.data(), bytes.size(), nullptr);
  EXPECT_EQ(DocByte(d.get(), kDocOrientationAt), 2);
  EXPECT_EQ(DocI16(d.get(), kDocCopiesAt), 5);
  EXPECT_EQ(DocByte(d.get(), kDocDoubleSidesAt), 1);
  EXPECT_EQ(DocI16(d.get(), kDocMediaTypeAt), 0);
  // A buffer shorter than its dmSize claims is read only as far as it goes.
  in.dmSize = sizeof in;
  in.dmCopies = 7;
  std::memcpy(bytes.data(), &in, bytes.size());
  MergeDMode(env.Settings(), &out, d.get(), bytes.data(), bytes.size(), nullptr);
  EXPECT_EQ(DocI16(d.get(), kDocCopiesAt), 7);
  EXPECT_EQ(DocByte(d.get(), kDocDoubleSidesAt), 1);
  MergeDMode(env.Settings(), &out, d.get(), nullptr, 0, nullptr);
  EXPECT_EQ(DocI16(d.get(), kDocCopiesAt), 7);
}

TEST(MergeDMode, Duplex) {
  struct Case {
    bool fourEdges, driverBooklet;
    uint8_t sides, edge;
    int16_t dmDuplex;
    uint8_t expectedSides, expectedEdge;
  };
  const Case cases[] = {
      {false, false, 1, 14, 3, 2, 17},  // portrait A4 feeds 15: horizontal duplex binds on the top
      {false, false, 2, 14, 1, 1, 14},
      {false, true, 3, 14, 3, 3, 14},   // a booklet the driver makes stays
      {false, false, 3, 17, 2, 3, 15},  // a device booklet keeps booklet, the edge follows the layout
      {false, false, 3, 17, 1, 1, 17},
      {true, false, 1, 3, 2, 2, 0},     // four edges: long edge, portrait: left/right
      {true, false, 1, 1, 2, 2, 1},
      {true, false, 1, 0, 3, 2, 6},     // short edge, portrait: top/bottom
  };
  for (const Case& c : cases) {
    Env env;
    env.model->features[kMfBindingEdge4] = c.fourEdges ? 1 : 0;
    env.model->features[kMfBookletPrint] = c.driverBooklet ? 1 : 0;
    auto d = A4Doc();
    SetDocByte(d.get(), kDocDoubleSidesAt, c.sides);
    SetDocByte(d.get(), kDocBindingEdgeAt, c.edge);
    PublicDevMode in = Input(kDmDuplex);
    in.dmDuplex = c.dmDuplex;
    PublicDevMode out{};
    MergeDMode(env.Settings(), &out, d.get(), &in, sizeof in, nullptr);
    EXPECT_EQ(DocByte(d.get(), kDocDoubleSidesAt), c.expectedSides) << int(c.sides) << " " << c.dmDuplex;
    EXPECT_EQ(DocByte(d.get(), kDocBindingEdgeAt), c.expectedEdge) << int(c.sides) << " " << c.dmDuplex;
    EXPECT_EQ(out.dmDuplex, 1);  // duplex lives in the private settings
  }
}

TEST(UpdateCmnDModeArea, StandardFieldsFromThePrivateSettings) {
  Env env;
  env.model->colorMode = 2;
  auto d = A4Doc();
  SetDocI16(d.get(), kDocMediaTypeAt, -2);
  SetDocByte(d.get(), kDocIcmMethodAt, 3);
  SetDocByte(d.get(), kDocFontSubstituteAt, 0);
  PublicDevMode dm{};
  dm.dmFields = 0xABCD;
  dm.dmTTOption = 9;
  std::u16string longName(300, u'p');
  UpdateCmnDModeArea(env.Settings(), &dm, d.get(), longName.c_str());
  EXPECT_EQ(std::u16string(dm.dmDeviceName), longName.substr(0, 31));
  EXPECT_EQ(dm.dmFields, 0xABCDu);
  EXPECT_EQ(dm.dmScale, 100);
  EXPECT_EQ(dm.dmDuplex, 1);
  EXPECT_EQ(dm.dmColor, 1);
  EXPECT_EQ(dm.dmTTOption, 3);
  EXPECT_EQ(dm.dmMediaType, 0xFFFFFFFEu);
  EXPECT_EQ(dm.dmICMMethod, 3u);
  EXPECT_EQ(dm.dmPaperWidth, 2100);
  EXPECT_EQ(dm.dmPrintQuality, 200);
  EXPECT_EQ(std::u16string(dm.dmFormName), u"A4");
  // A paper outside the list leaves the form name; other substitution
  // values leave the TrueType option.
  SetDocI16(d.get(), kDocPaperSizeAt, 0x1001);
  SetDocByte(d.get(), kDocFontSubstituteAt, 4);
  UpdateCmnDModeArea(env.Settings(), &dm, d.get(), nullptr);
  EXPECT_EQ(std::u16string(dm.dmFormName), u"A4");
  EXPECT_EQ(dm.dmTTOption, 3);
  EXPECT_EQ(std::u16string(dm.dmDeviceName), longName.substr(0, 31));
}

TEST(CalcFitZoom, OutputPaperAgainstInputPaper) {
  Env env;
  auto d = A4Doc();
  SetDocI16(d.get(), kDocOutPaperSizeAt, 11);  // A5 from A4: about 70 %
  const int32_t a5 = CalcFitZoom(env.model.get(), d.get());
  EXPECT_EQ(a5, std::min((1480 - 84) * 100 / (2100 - 86), (2100 - 84) * 100 / (2970 - 88)) + 0);
  // An output paper half as large in both directions: about 50 %.
  SetDocI16(d.get(), kDocOutPaperSizeAt, 256);
  SetDocI16(d.get(), kDocOutUserPaperWidthAt, 1050 + 50);
  SetDocI16(d.get(), kDocOutUserPaperLengthAt, 1485 + 50);
  const int32_t half = CalcFitZoom(env.model.get(), d.get());
  EXPECT_GE(half, 48);
  EXPECT_LE(half, 52);
  // Too small to be useful, or the input paper's own size: 100.
  SetDocI16(d.get(), kDocOutUserPaperWidthAt, 300);
  EXPECT_EQ(CalcFitZoom(env.model.get(), d.get()), 100);
  SetDocI16(d.get(), kDocOutPaperSizeAt, 357);
  EXPECT_EQ(CalcFitZoom(env.model.get(), d.get()), 100);
  SetDocI16(d.get(), kDocOutPaperSizeAt, 358);
  EXPECT_EQ(CalcFitZoom(env.model.get(), d.get()), 100);
  SetDocI16(d.get(), kDocOutPaperSizeAt, 77);  // unknown output paper
  EXPECT_EQ(CalcFitZoom(env.model.get(), d.get()), 100);
}

TEST(ResetDocDMode, DefaultsMonoAndTheFirstEasySet) {
  auto defaults = A4Doc();
  SetDocByte(defaults.get(), kDocSelectColorAt, 0);
  SealDocDMode(defaults.get());
  auto easySet = A4Doc();
  SetDocI16(easySet.get(), kDocCopiesAt, 3);
  StoreDocDModePrinterHandle(easySet.get(), reinterpret_cast<void*>(0x5555));  // stale, with its checksum
  void* const caller = reinterpret_cast<void*>(0x1234);

  auto d = Doc();
  d->printerHandle = caller;
  ResetDocDModeFrom(d.get(), *defaults, true, nullptr, 0);
  EXPECT_EQ(DocByte(d.get(), kDocSelectColorAt), 1);
  EXPECT_EQ(d->printerHandle, caller);
  EXPECT_TRUE(DocDModeChecksumMatches(d.get()));

  ResetDocDModeFrom(d.get(), *defaults, true, easySet.get(), sizeof *easySet);
  EXPECT_EQ(DocI16(d.get(), kDocCopiesAt), 3);
  EXPECT_EQ(DocByte(d.get(), kDocSelectColorAt), 0);  // the stored record replaces the whole record
  EXPECT_EQ(d->printerHandle, caller);
  EXPECT_TRUE(DocDModeChecksumMatches(d.get()));

  // A stored record that is not sound is ignored.
  struct Damage {
    size_t size;
    uint32_t at, value;
  };
  const Damage damages[] = {{sizeof(DocDMode) - 1, 0, 0}, {sizeof(DocDMode), 200, 7}, {sizeof(DocDMode), 4, 0}};
  for (const Damage& damage : damages) {
    auto bad = std::make_unique<DocDMode>(*easySet);
    if (damage.at != 0) SetDocU32(bad.get(), damage.at, damage.value);
    ResetDocDModeFrom(d.get(), *defaults, false, bad.get(), damage.size);
    EXPECT_EQ(DocI16(d.get(), kDocCopiesAt), 1) << damage.at;
    EXPECT_EQ(d->printerHandle, caller);
  }
}

TEST(ApplyLocalePaperDefaults, PaperAndUnitsOfTheLocale) {
  Env env;
  auto defaults = A4Doc();
  SetDocByte(defaults.get(), DOC_FIELD_AT(byPBUnit), 0);
  ApplyLocalePaperDefaults(env.model.get(), defaults.get(), 11, true);
  EXPECT_EQ(DocI16(defaults.get(), kDocPaperSizeAt), 11);
  EXPECT_EQ(DocI16(defaults.get(), kDocPaperWidthAt), 1480);
  EXPECT_EQ(DocI16(defaults.get(), kDocPaperLengthAt), 2100);
  EXPECT_EQ(DocI16(defaults.get(), kDocPaperMarginsAt + 6), 42);
  EXPECT_EQ(DocByte(defaults.get(), DOC_FIELD_AT(byUnitInUserDefPaper)), 1);
  EXPECT_EQ(DocByte(defaults.get(), DOC_FIELD_AT(byPBUnit)), 1);
  EXPECT_TRUE(DocDModeChecksumMatches(defaults.get()));
  // A paper the model does not list leaves the paper; the units still follow the locale.
  ApplyLocalePaperDefaults(env.model.get(), defaults.get(), 1, false);
  EXPECT_EQ(DocI16(defaults.get(), kDocPaperSizeAt), 11);
  EXPECT_EQ(DocByte(defaults.get(), DOC_FIELD_AT(byTABShiftUnit)), 0);
  EXPECT_TRUE(DocDModeChecksumMatches(defaults.get()));
}

TEST(ResetDevDMode, ColourDescriptionAndBuiltInOptions) {
  DevOption builtIn;
  InitBuiltInDevOption(&builtIn);
  builtIn.useServerForm = 1;
  DevDMode device;
  std::memset(&device, 0xCC, sizeof device);
  ResetDevDMode(&device, builtIn);
  EXPECT_EQ(device.head[0], 2u);
  EXPECT_EQ(device.head[1], 7u);
  EXPECT_EQ(device.head[2], 0u);
  EXPECT_EQ(device.colorInfo.chroma[0][0], 6810);  // red x
  EXPECT_EQ(device.colorInfo.chroma[3][1], 0x992);  // cyan y
  EXPECT_EQ(device.colorInfo.chroma[6][2], 10000);  // white Y
  EXPECT_EQ(device.colorInfo.dye[5], 248);
  EXPECT_EQ(std::memcmp(&device.option, &builtIn, sizeof builtIn), 0);
  for (uint8_t b : device.tail) EXPECT_EQ(b, 0);
}

}  // namespace
