// The guard over a caller's DEVMODE fields, the document settings checksum, the search for the record inside a
// DEVMODE, the driver-DEVMODE test and the built-in device option record.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/records/builtin_dev_option.h"
#include "common/records/devmode_field_guard.h"
#include "common/records/doc_fields.h"
#include "common/records/public_devmode_fill.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"

namespace {

void PutU16(void* base, size_t at, uint16_t v) { std::memcpy(static_cast<uint8_t*>(base) + at, &v, 2); }
void PutU32(void* base, size_t at, uint32_t v) { std::memcpy(static_cast<uint8_t*>(base) + at, &v, 4); }

// A driver DEVMODE built the way every writer builds one: standard part,
// record header, magic, and the checksum last.
std::unique_ptr<DriverDevMode> MakeDriverDevMode() {
  auto dm = std::make_unique<DriverDevMode>();
  std::memset(dm.get(), 0, sizeof *dm);
  PutU16(dm.get(), kDevModeSpecVersionAt, 0x401);
  PutU16(dm.get(), kDevModeDriverVersionAt, 0x100);
  PutU16(dm.get(), kDevModeSizeAt, 220);
  PutU16(dm.get(), kDevModeDriverExtraAt, 8040);
  InitDocDModeHeader(&dm->doc);
  for (size_t i = 0; i < sizeof dm->doc.settings; ++i) dm->doc.settings[i] = static_cast<uint8_t>(i * 7);
  dm->magic = 0x28116119;
  SealDocDMode(&dm->doc);
  return dm;
}

TEST(DocDModeHeader, HoldsTheFixedTexts) {
  auto dm = MakeDriverDevMode();
  const uint8_t* doc = reinterpret_cast<const uint8_t*>(&dm->doc);
  EXPECT_EQ(std::memcmp(doc, "\x60\x1f\x00\x00SPLX\x01\x00\x00\x00\x60\x1f\x00\x00", 16), 0);
  EXPECT_EQ(std::memcmp(doc + 16, "ZOVELIK\0\0\0\0\0\0\0\0\0", 16), 0);
  EXPECT_EQ(std::memcmp(doc + 32, "PCLXL\0\0\0\0\0\0\0\0\0\0\0", 16), 0);
}

TEST(DocDModeChecksum, GuardsBytesInFrontOfItOnly) {
  // A fresh record passes; one changed byte anywhere in bytes 0-8023 fails
  // the check; bytes 8028-8031 are outside it.
  struct Case {
    size_t offset;
    bool guarded;
  };
  const Case cases[] = {{0, true}, {4, true}, {17, true}, {56, true}, {63, true}, {64, true},
                        {4001, true}, {8023, true}, {8028, false}, {8031, false}};
  for (const Case& c : cases) {
    auto dm = MakeDriverDevMode();
    ASSERT_TRUE(IsOwnDriverDevMode(dm.get(), sizeof *dm));
    reinterpret_cast<uint8_t*>(&dm->doc)[c.offset] ^= 0x5A;
    EXPECT_EQ(DocDModeChecksumMatches(&dm->doc), !c.guarded) << "byte " << c.offset;
    EXPECT_EQ(IsOwnDriverDevMode(dm.get(), sizeof *dm), !c.guarded) << "byte " << c.offset;
  }
}

TEST(DocDModeChecksum, KeepsTheLow32BitsOfTheSum) {
  // Every settings word 0xFFFFFFFF: each adds -1 modulo 2^32.
  auto doc = std::make_unique<DocDMode>();
  std::memset(doc.get(), 0, sizeof *doc);
  InitDocDModeHeader(doc.get());
  std::memset(doc->settings, 0xFF, sizeof doc->settings);
  uint64_t header = 0;
  for (size_t i = 0; i < 64; i += 4) {
    uint32_t w;
    std::memcpy(&w, reinterpret_cast<const uint8_t*>(doc.get()) + i, 4);
    header += w;
  }
  const uint64_t words = sizeof doc->settings / 4;  // 1990
  const uint32_t expected = static_cast<uint32_t>(header + words * 0xFFFFFFFFull);
  EXPECT_EQ(CalcOEMDevChecksum(doc.get()), expected);
  EXPECT_EQ(CalcOEMDevChecksum(nullptr), 0u);
}

TEST(DocDModeChecksum, StoringThePrinterHandleKeepsTheRecordValid) {
  auto dm = MakeDriverDevMode();
  const uint32_t before = dm->doc.checksum;
  int anything = 0;
  StoreDocDModePrinterHandle(&dm->doc, &anything);
  EXPECT_EQ(dm->doc.printerHandle, &anything);
  EXPECT_NE(dm->doc.checksum, before);
  EXPECT_TRUE(IsOwnDriverDevMode(dm.get(), sizeof *dm));
  StoreDocDModePrinterHandle(&dm->doc, nullptr);
  EXPECT_EQ(dm->doc.checksum, before);
}

TEST(DriverDevModeCheck, RefusesForeignOrShortDevModes) {
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    int width;
  };
  const Case cases[] = {{"spec version", 64, 0x400, 2},  {"driver version", 66, 0x101, 2},
                        {"dmSize", 68, 156, 2},          {"dmDriverExtra", 70, 8036, 2},
                        {"magic", 8256, 0x28116118, 4}};
  for (const Case& c : cases) {
    auto dm = MakeDriverDevMode();
    if (c.width == 2) PutU16(dm.get(), c.at, static_cast<uint16_t>(c.value));
    else PutU32(dm.get(), c.at, c.value);
    EXPECT_FALSE(IsOwnDriverDevMode(dm.get(), sizeof *dm)) << c.what;
  }
  // Signature texts and the second size word are checked (with a fresh
  // checksum, so only the field itself is wrong).
  auto dm = MakeDriverDevMode();
  dm->doc.signature[7] = 'X';
  SealDocDMode(&dm->doc);
  EXPECT_FALSE(IsOwnDriverDevMode(dm.get(), sizeof *dm));
  dm = MakeDriverDevMode();
  dm->doc.sizeAgain = 8036;
  SealDocDMode(&dm->doc);
  EXPECT_FALSE(IsOwnDriverDevMode(dm.get(), sizeof *dm));
  dm = MakeDriverDevMode();
  EXPECT_FALSE(IsOwnDriverDevMode(dm.get(), sizeof *dm - 1));
  EXPECT_FALSE(IsOwnDriverDevMode(nullptr, sizeof *dm));
}

// A foreign DEVMODE: a standard part of `headSize` bytes and a driver-extra
// area of `extra` bytes, with a record header triple at `at` when at >= 0.
std::vector<uint8_t> ForeignDevMode(uint16_t headSize, uint16_t extra, long at) {
  std::vector<uint8_t> dm(headSize + extra, 0xEE);
  PutU16(dm.data(), kDevModeSizeAt, headSize);
  PutU16(dm.data(), kDevModeDriverExtraAt, extra);
  if (at >= 0) {
    PutU32(dm.data(), headSize + at, 8032);
    std::memcpy(dm.data() + headSize + at + 4, "SPLX", 4);
    PutU32(dm.data(), headSize + at + 8, 1);
  }
  return dm;
}

TEST(LocateDocDMode, FindsTheRecordOfTheDriversDevModeAtByte224) {
  auto dm = MakeDriverDevMode();
  uint32_t error = 0;
  EXPECT_EQ(reinterpret_cast<uint8_t*>(LocateDocDMode(dm.get(), &error)),
            reinterpret_cast<uint8_t*>(dm.get()) + 224);
}

TEST(LocateDocDMode, FindsTheFirstWholeRecordAtAnyByte) {
  auto dm = ForeignDevMode(156, 9000, 5);
  PutU32(dm.data(), 156 + 700, 8032);  // a second match later on
  std::memcpy(dm.data() + 156 + 704, "SPLX", 4);
  PutU32(dm.data(), 156 + 708, 1);
  uint32_t error = 0;
  EXPECT_EQ(reinterpret_cast<uint8_t*>(LocateDocDMode(dm.data(), &error)), dm.data() + 156 + 5);
  // A triple with the wrong version, size or tag is passed over.
  auto wrongVersion = ForeignDevMode(156, 9000, 3);
  PutU32(wrongVersion.data(), 156 + 3 + 8, 2);
  EXPECT_EQ(LocateDocDMode(wrongVersion.data(), &error), nullptr);
  EXPECT_EQ(error, 13u);
}

TEST(LocateDocDMode, RefusesWithTheRightLastError) {
  uint32_t error = 0;
  EXPECT_EQ(LocateDocDMode(nullptr, &error), nullptr);
  EXPECT_EQ(error, 87u);

  struct Case {
    const char* what;
    uint16_t extra;
    long at;
  };
  const Case cases[] = {
      {"no driver extra", 0, -1},
      {"an extra area of exactly 12 bytes holding the triple", 12, 0},
      {"an extra area of 8 bytes", 8, -1},
      {"a match whose record would run past the area's end by one byte", 8031, 0},
      {"a match too close to the end of a larger area", 9000, 9000 - 8031},
      {"no match at all", 9000, -1},
  };
  for (const Case& c : cases) {
    auto dm = ForeignDevMode(220, c.extra, c.at);
    error = 0;
    EXPECT_EQ(LocateDocDMode(dm.data(), &error), nullptr) << c.what;
    EXPECT_EQ(error, 13u) << c.what;
  }
  // A record that ends exactly at the area's end is whole.
  auto exact = ForeignDevMode(220, 9000, 9000 - 8032);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(LocateDocDMode(exact.data(), &error)),
            exact.data() + 220 + 9000 - 8032);
}

TEST(BuiltInDevOption, StartsWithItsBuiltInValues) {
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&BuiltInDevOption());
  for (size_t i = 0; i < sizeof(DevOption); ++i) {
    const bool one = (i < 480 && i % 48 == 38) || i == 954;
    EXPECT_EQ(bytes[i], one ? 1 : 0) << "byte " << i;
  }
}

// The standard fields handed out with the settings mirror the record the
// same way in every library that fills them.
TEST(PublicDevModeFill, StandardFieldsMirrorTheRecord) {
  auto doc = std::make_unique<DocDMode>();
  std::memset(doc.get(), 0, sizeof *doc);
  DocFields& f = Fields(*doc);
  f.nOrientation = 2;
  f.nPaperSize = 9;
  f.sizPaper_cx = 2100;
  f.sizPaper_cy = 2970;
  f.nCopies = 4;
  f.nDefaultSource = 261;
  f.nResoH = 600;
  f.nResoV = 300;
  f.nMediaType = -2;
  f.ColorICM_nMethod = 3;
  f.ColorICM_nIntent = 4;
  PublicDevMode dm{};
  dm.dmFields = 0x1234;
  dm.dmCollate = 7;
  FillPublicDevModeFields(&dm, *doc, {u"Fax", true, u"A4"});
  EXPECT_EQ(dm.dmOrientation, 2);
  EXPECT_EQ(dm.dmPaperSize, 9);
  EXPECT_EQ(dm.dmPaperWidth, 2100);
  EXPECT_EQ(dm.dmPaperLength, 2970);
  EXPECT_EQ(dm.dmScale, 100);
  EXPECT_EQ(dm.dmCopies, 4);
  EXPECT_EQ(dm.dmDefaultSource, 261);
  EXPECT_EQ(dm.dmPrintQuality, 600);
  EXPECT_EQ(dm.dmYResolution, 300);
  EXPECT_EQ(dm.dmColor, 1);
  EXPECT_EQ(dm.dmMediaType, 0xFFFFFFFEu);  // sign-extended
  EXPECT_EQ(dm.dmICMMethod, 3u);
  EXPECT_EQ(dm.dmICMIntent, 4u);
  EXPECT_EQ(std::u16string(dm.dmFormName), u"A4");
  // Fields the record does not describe stay.
  EXPECT_EQ(dm.dmFields, 0x1234u);
  EXPECT_EQ(dm.dmCollate, 7);
  FillPublicDevModeFields(&dm, *doc, {nullptr, false, nullptr});
  EXPECT_EQ(dm.dmColor, 2);
  EXPECT_EQ(std::u16string(dm.dmDeviceName), u"Fax");
  EXPECT_EQ(std::u16string(dm.dmFormName), u"A4");
}

TEST(PublicDevModeFill, DeviceNameDuplexAndTrueTypeOption) {
  struct Case {
    const char16_t* printer;
    int16_t duplexBefore;
    uint8_t fontSubstitute;
    int16_t ttBefore;
    const char16_t* deviceName;
    int16_t ttAfter;
  } const cases[] = {
      {u"Fax", 2, 0, 1, u"Fax", 3},                                    // substitute device fonts
      {u"Fax,LocalsplOnly", 3, 1, 1, u"Fax", 2},                       // the spooler's qualifier is cut; download
      {u",x", 1, 2, 9, u"", 9},                                        // another value leaves dmTTOption
      {u"A printer with a name longer than the field", 0, 0, 0, u"A printer with a name longer th", 3},
  };
  for (const Case& c : cases) {
    auto doc = std::make_unique<DocDMode>();
    std::memset(doc.get(), 0, sizeof *doc);
    Fields(*doc).nTTFont = c.fontSubstitute;
    PublicDevMode dm{};
    std::memset(dm.dmDeviceName, 'x', sizeof dm.dmDeviceName);
    dm.dmDuplex = c.duplexBefore;
    dm.dmTTOption = c.ttBefore;
    FillPublicDevModeFields(&dm, *doc, {c.printer, false, nullptr});
    EXPECT_EQ(std::u16string(dm.dmDeviceName), c.deviceName) << int(c.fontSubstitute);
    EXPECT_EQ(dm.dmDeviceName[31], 0);
    EXPECT_EQ(dm.dmDuplex, 1);  // two-sided printing lives in the private record
    EXPECT_EQ(dm.dmTTOption, c.ttAfter);
  }
}

// The render core's fill says how the job is rendered: TrueType text as
// bitmaps, no colour matching, whatever the settings say; it writes
// dmDuplex only when dmFields claims the field.  The other fields are the
// same as the settings'.
TEST(PublicDevModeFill, TheRenderCoreReportsHowItRenders) {
  struct Case {
    uint32_t fields;
    uint8_t fontSubstitute;
    int16_t duplexBefore;
    int16_t duplexAfter;
  } const cases[] = {
      {kDmDuplex, 0, 2, 1},
      {kDmDuplex | kDmOrientation, 1, 3, 1},
      {kDmOrientation, 2, 3, 3},
      {0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    auto doc = std::make_unique<DocDMode>();
    std::memset(doc.get(), 0, sizeof *doc);
    DocFields& f = Fields(*doc);
    f.nTTFont = c.fontSubstitute;
    f.ColorICM_nMethod = 3;
    f.ColorICM_nIntent = 4;
    f.nCopies = 5;
    PublicDevMode rendered{};
    rendered.dmFields = c.fields;
    rendered.dmDuplex = c.duplexBefore;
    rendered.dmTTOption = 9;
    FillPublicDevModeFields(&rendered, *doc, {u"Fax,LocalsplOnly", false, nullptr, PublicFillPolicy::kRendering});
    SCOPED_TRACE(c.fields);
    EXPECT_EQ(rendered.dmDuplex, c.duplexAfter);
    EXPECT_EQ(rendered.dmTTOption, 1);    // bitmap
    EXPECT_EQ(rendered.dmICMMethod, 1u);  // none
    EXPECT_EQ(rendered.dmICMIntent, 2u);  // contrast
    EXPECT_EQ(rendered.dmFields, c.fields);

    PublicDevMode settings{};
    settings.dmFields = c.fields;
    settings.dmDuplex = c.duplexBefore;
    settings.dmTTOption = 9;
    FillPublicDevModeFields(&settings, *doc, {u"Fax,LocalsplOnly", false, nullptr});
    EXPECT_EQ(settings.dmDuplex, 1);
    EXPECT_EQ(settings.dmICMMethod, 3u);
    EXPECT_EQ(settings.dmICMIntent, 4u);
    // Everything else is filled alike.
    rendered.dmDuplex = settings.dmDuplex;
    rendered.dmTTOption = settings.dmTTOption;
    rendered.dmICMMethod = settings.dmICMMethod;
    rendered.dmICMIntent = settings.dmICMIntent;
    EXPECT_EQ(std::memcmp(&rendered, &settings, sizeof rendered), 0);
    EXPECT_EQ(std::u16string(rendered.dmDeviceName), u"Fax");
  }
}

}  // namespace

// A field counts only when every byte of it lies inside the record, whether
// the record is cut by its dmSize or by the bytes given.
TEST(DevModeFieldGuard, TakesAFieldOnlyWhenWhollyInside) {
  struct Case {
    uint32_t bit;
    size_t end;  // first byte after the field
  } const kCases[] = {
      {kDmOrientation, 78}, {kDmPaperSize, 80}, {kDmCopies, 88},     {kDmDefaultSource, 90},
      {kDmDuplex, 96},      {kDmYResolution, 98}, {kDmMediaType, 200}, {0x10000, 166},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.bit);
    EXPECT_TRUE(DevModeHasField(c.bit, c.end, c.bit));
    EXPECT_FALSE(DevModeHasField(c.bit, c.end - 1, c.bit));
    EXPECT_FALSE(DevModeHasField(0, c.end, c.bit));
    EXPECT_EQ(DevModeFieldsInside(c.bit, c.end - 1), 0u);
    EXPECT_EQ(DevModeUsableBytes(static_cast<uint16_t>(c.end), c.end - 1), c.end - 1);
  }
  EXPECT_FALSE(DevModeHasField(0x20, kDevModeWSize, 0x20));  // no field answers to the bit
  EXPECT_EQ(DevModeFieldsInside(0xFFFFFFFFu, kDevModeWSize), 0xFFFFFFFFu);
  EXPECT_EQ(DevModeFieldsInside(0x20 | kDmOrientation, 76), 0x20u);
}
