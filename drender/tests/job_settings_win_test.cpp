// The job settings record: validation, the merge of a caller's DEVMODE,
// and load and save through a test printer.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>

#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "drender/settings/job_binding.h"
#include "drender/settings/job_settings.h"
#include "drender/model/render_model.h"
#include "drender/tests/render_dir.h"
#include "drender/tests/test_model.h"
#include "tests/support/test_printer_win.h"

namespace {

WorkDevMode ValidRecord() {
  WorkDevMode w{};
  auto* pub = reinterpret_cast<DEVMODEW*>(w.devmode.publicPart);
  pub->dmSpecVersion = kDriverSpecVersion;
  pub->dmSize = kDevModeWSize;
  pub->dmDriverExtra = kDriverDevModeExtra;
  pub->dmFields = DM_DUPLEX;
  InitDocDModeHeader(&w.devmode.doc);
  SetDocByte(&w.devmode.doc, kDocOrientationAt, 1);
  SetDocI16(&w.devmode.doc, kDocPaperSizeAt, 9);
  SetDocI16(&w.devmode.doc, 598, 1);
  SetDocByte(&w.devmode.doc, kDocDoubleSidesAt, 1);
  SetDocByte(&w.devmode.doc, kDocBindingEdgeAt, kBindAuto);
  w.devmode.magic = kDriverDevModeMagic;
  SealDocDMode(&w.devmode.doc);
  return w;
}

TEST(ValidateSettingsTest, Table) {
  struct Case {
    const char* why;
    void (*damage)(WorkDevMode*);
    size_t available;
    bool valid;
  } cases[] = {
      {"valid", [](WorkDevMode*) {}, kDriverDevModeSize, true},
      {"driver version is not compared",
       [](WorkDevMode* w) { reinterpret_cast<DEVMODEW*>(w->devmode.publicPart)->dmDriverVersion = 7; },
       kDriverDevModeSize, true},
      {"spec version", [](WorkDevMode* w) { reinterpret_cast<DEVMODEW*>(w->devmode.publicPart)->dmSpecVersion = 0x400; },
       kDriverDevModeSize, false},
      {"driver extra", [](WorkDevMode* w) { reinterpret_cast<DEVMODEW*>(w->devmode.publicPart)->dmDriverExtra = 12; },
       kDriverDevModeSize, false},
      {"magic", [](WorkDevMode* w) { w->devmode.magic = 1; }, kDriverDevModeSize, false},
      {"second size", [](WorkDevMode* w) { w->devmode.doc.sizeAgain = 8000; }, kDriverDevModeSize, false},
      {"signature", [](WorkDevMode* w) { w->devmode.doc.signature[0] = 'X'; }, kDriverDevModeSize, false},
      {"language", [](WorkDevMode* w) { std::strcpy(w->devmode.doc.language, "PCL5"); }, kDriverDevModeSize, false},
      {"checksum", [](WorkDevMode* w) { SetDocByte(&w->devmode.doc, 1000, 9); }, kDriverDevModeSize, false},
      {"shorter than the record", [](WorkDevMode*) {}, kDriverDevModeSize - 1, false},
  };
  for (const Case& c : cases) {
    WorkDevMode w = ValidRecord();
    c.damage(&w);
    EXPECT_EQ(Rdc_ValidateSettings(&w.devmode, c.available) != 0, c.valid) << c.why;
  }
}

class MergeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddCommonPapers(model_);
    model_.get()->copiesMax = 99;
    model_.get()->customPaperMinWidth = 900;
    model_.get()->customPaperMaxWidth = 3000;
    model_.get()->customPaperMinLength = 1400;
    model_.get()->customPaperMaxLength = 4570;
    record_ = ValidRecord();
    std::memset(&caller_, 0, sizeof caller_);
    caller_.dmSpecVersion = 0x401;
    caller_.dmSize = sizeof(DEVMODEW);
  }
  DocDMode* Doc() { return &record_.devmode.doc; }
  const DEVMODEW* Public() { return reinterpret_cast<const DEVMODEW*>(record_.devmode.publicPart); }
  void Merge() { Rdc_MergeCallerDevMode(&record_, &caller_, model_.get()); }

  TestModel model_;
  WorkDevMode record_{};
  DEVMODEW caller_{};
};

TEST_F(MergeTest, Copies) {
  struct Case {
    uint8_t collate;
    int16_t asked, want;
  } cases[] = {{0, 0, 1}, {0, 5, 5}, {0, 100, 1}, {1, 100, 99}, {1, 0, 1}, {1, -3, 1}};
  for (const Case& c : cases) {
    SetDocByte(Doc(), 600, c.collate);
    caller_.dmFields = DM_COPIES;
    caller_.dmCopies = c.asked;
    Merge();
    EXPECT_EQ(DocI16(Doc(), 598), c.want) << int(c.collate) << " " << c.asked;
    EXPECT_EQ(Public()->dmCopies, c.want);
  }
}

TEST_F(MergeTest, CustomPaperTakesTheCallersSizeWithinTheLimits) {
  struct Case {
    int16_t width, length, wantWidth, wantLength;
  } cases[] = {{2100, 2970, 2100, 2970}, {0, -5, 900, 1400}, {5000, 6000, 3000, 4570}};
  for (const Case& c : cases) {
    caller_.dmFields = DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH;
    caller_.dmPaperSize = 256;
    caller_.dmPaperWidth = c.width;
    caller_.dmPaperLength = c.length;
    Merge();
    EXPECT_EQ(DocI16(Doc(), kDocPaperSizeAt), 256);
    EXPECT_EQ(DocI16(Doc(), kDocPaperWidthAt), c.wantWidth) << c.width;
    EXPECT_EQ(DocI16(Doc(), kDocPaperLengthAt), c.wantLength) << c.length;
    EXPECT_EQ(DocI16(Doc(), 72), 50) << "the custom entry's margins";
  }
  // A paper the model does not list changes nothing.
  caller_.dmPaperSize = 77;
  Merge();
  EXPECT_EQ(DocI16(Doc(), kDocPaperSizeAt), 256);
  // A listed paper takes the entry's size and margins.
  caller_.dmPaperSize = 1;
  Merge();
  EXPECT_EQ(DocI16(Doc(), kDocPaperWidthAt), 2159);
  EXPECT_EQ(DocI16(Doc(), 78), 42);
}

TEST_F(MergeTest, DuplexRequestsLiveInTheDocumentSettings) {
  caller_.dmFields = DM_DUPLEX | DM_ORIENTATION;
  caller_.dmOrientation = 1;
  caller_.dmDuplex = DMDUP_VERTICAL;
  Merge();
  EXPECT_EQ(DocByte(Doc(), kDocDoubleSidesAt), 2);
  EXPECT_EQ(Public()->dmDuplex, DMDUP_SIMPLEX);
  caller_.dmDuplex = DMDUP_SIMPLEX;
  Merge();
  EXPECT_EQ(DocByte(Doc(), kDocDoubleSidesAt), 1);
  // A booklet the device makes: a one-sided request ends it.
  SetDocByte(Doc(), kDocDoubleSidesAt, 3);
  Merge();
  EXPECT_EQ(DocByte(Doc(), kDocDoubleSidesAt), 1);
  // A booklet the driver makes stays.
  model_.get()->features[kMfBookletPrint] = 1;
  SetDocByte(Doc(), kDocDoubleSidesAt, 3);
  caller_.dmDuplex = DMDUP_HORIZONTAL;
  Merge();
  EXPECT_EQ(DocByte(Doc(), kDocDoubleSidesAt), 3);
  // Four-side binding takes the edge of the request.
  model_.get()->features[kMfBookletPrint] = 0;
  model_.get()->features[kMfBindingEdge4] = 1;
  SetDocByte(Doc(), kDocDoubleSidesAt, 1);
  SetDocByte(Doc(), kDocBindingEdgeAt, kBindLongEdgeLeft);
  Merge();
  EXPECT_EQ(DocByte(Doc(), kDocDoubleSidesAt), 2);
  EXPECT_EQ(DocByte(Doc(), kDocBindingEdgeAt), kBindShortEdgeTop);
}

TEST_F(MergeTest, OrientationTraysMediaAndResolution) {
  InTrayEntry trays[2] = {};
  trays[0].size = sizeof(InTrayEntry);
  std::strcpy(trays[0].keyword, "Tray1");
  trays[0].binId = 257;
  model_.get()->inTrays = trays;
  ModelListItem media[2] = {};
  std::strcpy(media[0].keyword, "Plain");
  media[0].value = 1;
  model_.get()->mediaTypes = media;
  ResolutionItem resolutions[3] = {};
  std::strcpy(resolutions[0].keyword, "Reso_200x100");
  resolutions[0].values[0] = 200;
  resolutions[0].values[1] = 100;
  resolutions[0].values[2] = 1;
  std::strcpy(resolutions[1].keyword, "Reso_200x200");
  resolutions[1].values[0] = 200;
  resolutions[1].values[1] = 200;
  resolutions[1].values[2] = 2;
  model_.get()->resolutions = resolutions;

  caller_.dmFields = DM_ORIENTATION | DM_DEFAULTSOURCE | DM_MEDIATYPE | DM_PRINTQUALITY | DM_YRESOLUTION;
  caller_.dmOrientation = 3;  // not an orientation
  caller_.dmDefaultSource = 257;
  caller_.dmMediaType = 1;
  caller_.dmPrintQuality = 200;
  caller_.dmYResolution = 200;
  Merge();
  EXPECT_EQ(DocByte(Doc(), kDocOrientationAt), 1);
  EXPECT_EQ(DocI16(Doc(), kDocInTrayAt), 257);
  EXPECT_EQ(DocI16(Doc(), kDocMediaTypeAt), 1);
  EXPECT_EQ(DocI16(Doc(), 2222), 200);
  EXPECT_EQ(DocI16(Doc(), 2224), 2);
  caller_.dmDefaultSource = 999;
  caller_.dmMediaType = 42;
  caller_.dmYResolution = 300;
  Merge();
  EXPECT_EQ(DocI16(Doc(), kDocInTrayAt), 257);
  EXPECT_EQ(DocI16(Doc(), kDocMediaTypeAt), 1);
  EXPECT_EQ(DocI16(Doc(), 2222), 200);
}

TEST_F(MergeTest, FieldsBeyondAShortDevModeAreNotRead) {
  caller_.dmSize = offsetof(DEVMODEW, dmCopies);  // ends before the copies
  caller_.dmFields = DM_ORIENTATION | DM_COPIES | DM_DUPLEX;
  caller_.dmOrientation = 2;
  caller_.dmCopies = 7;
  caller_.dmDuplex = DMDUP_VERTICAL;
  Merge();
  EXPECT_EQ(DocByte(Doc(), kDocOrientationAt), 2);
  EXPECT_EQ(DocI16(Doc(), 598), 1);
  EXPECT_EQ(DocByte(Doc(), kDocDoubleSidesAt), 1);
}

TEST_F(MergeTest, PublicFieldsFollowTheDocumentSettings) {
  SetDocI16(Doc(), kDocPaperSizeAt, 9);
  Rdc_SyncDevModeFields(&record_, model_.get(), L"Fax 1, on the third floor");
  EXPECT_STREQ(Public()->dmDeviceName, L"Fax 1");
  EXPECT_EQ(Public()->dmScale, 100);
  EXPECT_EQ(Public()->dmColor, DMCOLOR_COLOR);
  model_.get()->colorMode = 2;
  std::memcpy(model_.Paper(9)->name, u"A4 sheet", 18);
  Rdc_SyncDevModeFields(&record_, model_.get(), nullptr);
  EXPECT_STREQ(Public()->dmDeviceName, L"Fax 1");
  EXPECT_EQ(Public()->dmColor, DMCOLOR_MONOCHROME);
  EXPECT_STREQ(Public()->dmFormName, L"A4 sheet");
}

// The render core's public fields say how it renders the job, whatever
// the settings' font substitution and colour matching say.
TEST_F(MergeTest, PublicFieldsSayHowTheJobIsRendered) {
  SetDocByte(Doc(), kDocFontSubstituteAt, 1);
  SetDocByte(Doc(), kDocIcmMethodAt, 3);
  SetDocByte(Doc(), kDocIcmIntentAt, 4);
  auto* pub = reinterpret_cast<DEVMODEW*>(record_.devmode.publicPart);
  pub->dmDuplex = DMDUP_VERTICAL;
  Rdc_SyncDevModeFields(&record_, model_.get(), nullptr);
  EXPECT_EQ(Public()->dmTTOption, DMTT_BITMAP);
  EXPECT_EQ(Public()->dmICMMethod, static_cast<DWORD>(DMICMMETHOD_NONE));
  EXPECT_EQ(Public()->dmICMIntent, static_cast<DWORD>(DMICM_CONTRAST));
  EXPECT_EQ(Public()->dmDuplex, DMDUP_SIMPLEX);
  // A record that does not claim the duplex field keeps what it holds there.
  pub->dmFields &= ~DM_DUPLEX;
  pub->dmDuplex = DMDUP_VERTICAL;
  Rdc_SyncDevModeFields(&record_, model_.get(), nullptr);
  EXPECT_EQ(Public()->dmDuplex, DMDUP_VERTICAL);
}

// Load and save through the spooler; the render core's directory is a
// test directory, with or without the user interface core's stand-in.
class PrinterSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    module_ = LoadLibraryW(dir_.Path(L"VELDRANE.DLL").c_str());
    ASSERT_NE(module_, nullptr);
    Rdc_SetModule(module_);
  }
  void TearDown() override {
    Rdc_SetModule(nullptr);
    if (module_) FreeLibrary(module_);
  }
  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Settings"};
  HMODULE module_ = nullptr;
};

TEST_F(PrinterSettingsTest, DeviceSettingsRoundTrip) {
  std::unique_ptr<WorkDevMode> record(new WorkDevMode{});
  // Nothing stored and no defaults to be had: the stored DEVMODE stands,
  // with empty device settings.
  ASSERT_TRUE(Rdc_LoadPrinterSettings(record.get(), printer_.handle(), printer_.name().c_str()));
  EXPECT_EQ(record->device.head[0], 0u);
  record->device.head[0] = 2;
  record->device.option.emfSpool = 1;
  record->device.tail[143] = 0x5A;
  ASSERT_TRUE(Rdc_SavePrinterSettings(record.get(), printer_.handle()));
  std::unique_ptr<WorkDevMode> back(new WorkDevMode{});
  ASSERT_TRUE(Rdc_LoadPrinterSettings(back.get(), printer_.handle(), printer_.name().c_str()));
  EXPECT_EQ(0, std::memcmp(&back->device, &record->device, sizeof(DevDMode)));
  EXPECT_TRUE(Rdc_ValidateSettings(&back->devmode, sizeof back->devmode));
}

TEST_F(PrinterSettingsTest, AForeignSecondPieceResetsToTheDefaults) {
  ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
  std::unique_ptr<WorkDevMode> record(new WorkDevMode{});
  record->device.option.emfSpool = 0;
  ASSERT_TRUE(Rdc_SavePrinterSettings(record.get(), printer_.handle()));
  BYTE foreign[100] = {};
  ASSERT_EQ(SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"Private DevMode02"), REG_BINARY, foreign,
                            sizeof foreign),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_TRUE(Rdc_LoadPrinterSettings(record.get(), printer_.handle(), printer_.name().c_str()));
  EXPECT_EQ(record->device.option.emfSpool, 1) << "the stand-in's defaults";
  EXPECT_EQ(DocI16(&record->devmode.doc, 598), 3);
  EXPECT_TRUE(DocDModeChecksumMatches(&record->devmode.doc));
}

TEST_F(PrinterSettingsTest, GetSettingsCopiesTheWholeRecordWithTheCallersFields) {
  ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
  WorkDevMode caller = ValidRecord();
  SetDocI16(&caller.devmode.doc, 598, 9);
  SealDocDMode(&caller.devmode.doc);
  std::unique_ptr<WorkDevMode> out(new WorkDevMode{});
  ASSERT_TRUE(Rdc_GetSettings(out.get(), reinterpret_cast<const DEVMODEW*>(&caller.devmode), printer_.handle(),
                              printer_.name().c_str(), kSettingsCopyWhole | kSettingsMergeAlso));
  EXPECT_EQ(DocI16(&out->devmode.doc, 598), 9) << "a valid caller's private settings";
  EXPECT_EQ(out->device.option.emfSpool, 1) << "the printer's device settings";
  EXPECT_TRUE(Rdc_ValidateSettings(&out->devmode, sizeof out->devmode));
  // Flag 0x0001 stores the device settings.
  ASSERT_TRUE(Rdc_GetSettings(nullptr, nullptr, printer_.handle(), printer_.name().c_str(), kSettingsStoreDevice));
  DWORD type = 0, needed = 0;
  BYTE piece[1024];
  EXPECT_EQ(GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"Private DevMode01"), &type, piece, sizeof piece,
                            &needed),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(needed, 1024u);
}

TEST_F(PrinterSettingsTest, CopyOfThePublicPartIsAlwaysACompleteRecord) {
  ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
  // A caller's DEVMODE whose private part fails the check: its public
  // fields are merged into the stored settings, and the record handed out
  // carries those settings, never a private part nobody filled.
  WorkDevMode caller = ValidRecord();
  auto* pub = reinterpret_cast<DEVMODEW*>(caller.devmode.publicPart);
  pub->dmFields = DM_ORIENTATION;
  pub->dmOrientation = 2;
  SetDocByte(&caller.devmode.doc, 1000, 1);  // checksum no longer matches
  std::unique_ptr<WorkDevMode> out(new WorkDevMode{});
  std::memset(out.get(), 0xAB, sizeof(WorkDevMode));
  ASSERT_TRUE(Rdc_GetSettings(out.get(), pub, printer_.handle(), printer_.name().c_str(),
                              kSettingsCopyPublic | kSettingsMerge));
  EXPECT_TRUE(Rdc_ValidateSettings(&out->devmode, sizeof out->devmode));
  EXPECT_EQ(DocByte(&out->devmode.doc, kDocOrientationAt), 2);
  EXPECT_EQ(DocI16(&out->devmode.doc, 598), 3) << "the stored (default) settings";
  EXPECT_EQ(DocByte(&out->devmode.doc, 1000), 0);
  EXPECT_EQ(out->device.head[0], 0xABABABABu) << "the device settings are not copied";
}

// The same rebuild with the driver's own user interface core and procedure
// library beside the render core: the defaults come from the sample model.
TEST_F(PrinterSettingsTest, TheUserInterfaceCoreRebuildsAForeignRecord) {
  ASSERT_TRUE(dir_.Copy("bin/VELDRANK.DLL", L"VELDRANK.DLL"));
  ASSERT_TRUE(dir_.Copy("bin/VELDRANA.DLL", L"VELDRANA.DLL"));
  std::unique_ptr<WorkDevMode> record(new WorkDevMode{});
  ASSERT_TRUE(Rdc_SavePrinterSettings(record.get(), printer_.handle()));
  BYTE foreign[100] = {};
  ASSERT_EQ(SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"Private DevMode02"), REG_BINARY, foreign,
                            sizeof foreign),
            static_cast<DWORD>(ERROR_SUCCESS));
  std::memset(record.get(), 0xAB, sizeof(WorkDevMode));
  ASSERT_TRUE(Rdc_LoadPrinterSettings(record.get(), printer_.handle(), printer_.name().c_str()));
  EXPECT_TRUE(Rdc_ValidateSettings(&record->devmode, sizeof record->devmode));
  EXPECT_TRUE(DocDModeChecksumMatches(&record->devmode.doc));
  const int16_t paper = DocI16(&record->devmode.doc, kDocPaperSizeAt);
  EXPECT_TRUE(paper == 1 || paper == 9) << "the locale's default paper, Letter or A4: " << paper;
  EXPECT_EQ(record->device.head[0], 2u) << "the device settings record's own head";
}

}  // namespace
