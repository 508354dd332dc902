// The serialiser between the settings records and a settings document:
// what a settings file holds and in which order, that writing and reading
// back restores every byte the file carries and nothing else, the restore
// options, missing keys, and counts beyond what their lists hold.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "common/contracts/settings_transfer_codes.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_file_keys.h"
#include "dproc/saved/settings_serializer.h"
#include "dproc/saved/tests/cp1252_codec.h"
#include "tests/support/test_paths.h"

namespace {

std::vector<std::u16string> SectionNames(const IniDoc& doc) {
  std::vector<std::u16string> names;
  for (const auto& s : doc.sections) names.push_back(s.name);
  return names;
}

bool HasKey(const IniDoc& doc, std::u16string_view section, std::u16string_view key) {
  for (const auto& s : doc.sections)
    if (s.name == section)
      for (const auto& l : s.lines)
        if (l.kind == IniLineKind::kKey && l.key == key) return true;
  return false;
}

std::u16string Line(const IniDoc& doc, std::u16string_view section, std::u16string_view key) {
  for (const auto& s : doc.sections)
    if (s.name == section)
      for (const auto& l : s.lines)
        if (l.key == key) return l.text;
  return u"<missing>";
}

// Written, put in a file, read back: what a settings file goes through.
std::unique_ptr<IniDoc> ThroughFile(const IniDoc& doc) {
  std::string bytes;
  EXPECT_TRUE(IniDoc_FileBytes(doc, &bytes));
  auto read = IniDoc_ParseFileBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  EXPECT_TRUE(read);
  return read;
}

// Random field contents: integers any bits, texts terminated, of random
// length, with the characters a text must escape among them.
struct Filler {
  std::mt19937 rng{2024};
  void Bytes(void* p, size_t n) {
    auto* b = static_cast<uint8_t*>(p);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(rng());
  }
  void Wide(uint8_t* p, size_t chars) {
    std::memset(p, 0, chars * 2);
    const size_t len = rng() % chars;
    static const char16_t specials[] = {u'\r', u'\n', u'"', u'\'', u'\\', u'=', u';', u'[', u' '};
    for (size_t i = 0; i < len; ++i) {
      char16_t c = rng() % 4 == 0 ? specials[rng() % std::size(specials)] : static_cast<char16_t>(0x20 + rng() % 0xD000);
      std::memcpy(p + i * 2, &c, 2);
    }
  }
  void Ansi(uint8_t* p, size_t size) {
    std::memset(p, 0, size);
    const size_t len = rng() % size;
    for (size_t i = 0; i < len; ++i) p[i] = static_cast<uint8_t>(1 + rng() % 255);
  }
};

// Marks the bytes of the document settings that the file carries; fills
// them in `doc` with random contents that can travel.
std::vector<bool> FillCarried(Filler& f, DocDMode* doc, bool fullFile) {
  std::vector<bool> carried(sizeof(DocDMode));
  auto* base = reinterpret_cast<uint8_t*>(doc);
  for (const auto& key : OemDevKeys()) {
    if (key.gate == SettingsKeyGate::kFullFile && !fullFile) continue;
    for (int e = 0; e < key.count; ++e) {
      uint8_t* field = base + key.at + e * key.stride;
      for (int i = 0; i < key.size; ++i) carried[key.at + e * key.stride + i] = true;
      if (key.kind == SettingsValueKind::kWide) f.Wide(field, key.size / 2);
      else if (key.kind == SettingsValueKind::kAnsi) f.Ansi(field, key.size);
      else f.Bytes(field, key.size);
    }
  }
  Fields(*doc).nOutPaperSize = 9;  // not a server paper, whose size follows the document's
  return carried;
}

TEST(SettingsSerializer, WholeFileAndEasySetSections) {
  DocDMode doc{};
  SettingBundle bundle;
  bundle.doc = &doc;
  IniDoc file;
  ASSERT_TRUE(XferSettingFile(XferDirection::kWrite, file, bundle, Cp1252Codec()));
  EXPECT_EQ(SectionNames(file),
            (std::vector<std::u16string>{u"DriverInfo", u"EasySetName", u"OEMDEV", u"Watermark_Private",
                                         u"Watermark_Public", u"Watermark_Order", u"DeviceOption",
                                         u"SourceTraySetting", u"AcquistionSetting", u"InitialSetting", u"Vistrel",
                                         u"CustomPaper"}));
  EXPECT_TRUE(HasKey(file, u"OEMDEV", u"nOutputMethod"));
  EXPECT_TRUE(HasKey(file, u"OEMDEV", u"PTInfoEach[9].nPaperPrePunched"));
  EXPECT_TRUE(HasKey(file, u"OEMDEV", u"SubTTFontNameNumber[26]"));
  // The tray entries go element by element.
  const auto& lines = file.sections[2].lines;
  auto at = [&](std::u16string_view key) {
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].key == key) return i;
    return size_t{0};
  };
  EXPECT_EQ(at(u"PTInfoEach[1].szKey"), at(u"PTInfoEach[0].nPaperPrePunched") + 1);
  EXPECT_EQ(at(u"bySubPrnFontIndex[0]"), at(u"SubTTFontName[26]") + 1);

  IniDoc easySet;
  ASSERT_TRUE(XferEasySetSections(XferDirection::kWrite, easySet, bundle, Cp1252Codec()));
  EXPECT_EQ(SectionNames(easySet),
            (std::vector<std::u16string>{u"DriverInfo", u"EasySetName", u"OEMDEV", u"Watermark_Private",
                                         u"Watermark_Public", u"Watermark_Order"}));
  EXPECT_FALSE(HasKey(easySet, u"OEMDEV", u"nOutputMethod"));
}

TEST(SettingsSerializer, ExportThenImportRestoresEveryCarriedByte) {
  Filler f;
  DocDMode source{};
  f.Bytes(&source, sizeof source);
  const std::vector<bool> carried = FillCarried(f, &source, true);

  SettingBundle out;
  out.doc = &source;
  std::memcpy(out.header.signature, kEasySetSignature, 4);
  out.header.formatVersion = 1;
  f.Wide(reinterpret_cast<uint8_t*>(out.header.name), kEasySetNameChars);
  f.Wide(reinterpret_cast<uint8_t*>(out.header.comment), kEasySetCommentChars);
  f.Wide(reinterpret_cast<uint8_t*>(out.header.model), kEasySetModelChars);
  out.privateMarks.resize(3);
  out.publicMarks.resize(2);
  for (auto* list : {&out.privateMarks, &out.publicMarks})
    for (auto& m : *list) {
      f.Bytes(&m, sizeof m);
      f.Ansi(reinterpret_cast<uint8_t*>(m.szKey), sizeof m.szKey);
      f.Wide(reinterpret_cast<uint8_t*>(m.szWmkTitle), 32);
      f.Wide(reinterpret_cast<uint8_t*>(m.szWmkStr), 129);
      f.Wide(reinterpret_cast<uint8_t*>(m.szFontName), 32);
    }
  out.order.resize(5);
  for (auto& o : out.order) {
    f.Bytes(&o, sizeof o);
    f.Wide(reinterpret_cast<uint8_t*>(o.szName), 32);
  }
  f.Bytes(&out.devOption, sizeof out.devOption);
  out.devOption.optionCount = 17;
  f.Wide(reinterpret_cast<uint8_t*>(out.devOption.deviceAddress), 63);
  f.Bytes(&out.userPapers, sizeof out.userPapers);
  out.userPapers.count = 4;
  for (auto& e : out.userPapers.entries) f.Wide(reinterpret_cast<uint8_t*>(e.name), 20);

  IniDoc written;
  ASSERT_TRUE(XferSettingFile(XferDirection::kWrite, written, out, Cp1252Codec()));
  auto file = ThroughFile(written);

  DocDMode target{};
  SettingBundle in;
  in.doc = &target;
  ASSERT_TRUE(XferSettingFile(XferDirection::kRead, *file, in, Cp1252Codec()));

  const auto* s = reinterpret_cast<const uint8_t*>(&source);
  const auto* t = reinterpret_cast<const uint8_t*>(&target);
  for (size_t i = 0; i < sizeof(DocDMode); ++i) {
    ASSERT_EQ(t[i], carried[i] ? s[i] : 0) << "byte " << i;
  }
  EXPECT_EQ(in.header.formatVersion, 1u);
  EXPECT_EQ(0, std::memcmp(in.header.name, out.header.name, sizeof out.header.name));
  EXPECT_EQ(0, std::memcmp(in.header.comment, out.header.comment, sizeof out.header.comment));
  EXPECT_EQ(0, std::memcmp(in.header.model, out.header.model, sizeof out.header.model));
  ASSERT_EQ(in.privateMarks.size(), 3u);
  ASSERT_EQ(in.publicMarks.size(), 2u);
  ASSERT_EQ(in.order.size(), 5u);
  EXPECT_EQ(0, std::memcmp(in.privateMarks.data(), out.privateMarks.data(), 3 * sizeof(WaterMarkInfo)));
  EXPECT_EQ(0, std::memcmp(in.publicMarks.data(), out.publicMarks.data(), 2 * sizeof(WaterMarkInfo)));
  EXPECT_EQ(0, std::memcmp(in.order.data(), out.order.data(), 5 * sizeof(WMOrderEntry)));

  // The device options: what the file carries, nothing else.
  DevOption want{};
  for (uint32_t n = 0; n < kDevOptionTraySlots; ++n) {
    const TrayMediaSlot& from = out.devOption.trays[n];
    TrayMediaSlot& to = want.trays[n];
    to.paperId = from.paperId;
    to.orientation = from.orientation;
    to.mediaType = from.mediaType;
    to.mediaWeight = from.mediaWeight;
    to.mediaColor = from.mediaColor;
    to.prePunched = from.prePunched;
  }
  want.vistrel = out.devOption.vistrel;
  want.autoAcquisition = out.devOption.autoAcquisition;
  want.destCustomize = out.devOption.destCustomize;
  std::memcpy(want.deviceAddress, out.devOption.deviceAddress, 63 * 2);  // 63 characters travel
  want.optionCount = 17;
  std::memcpy(want.optionValues, out.devOption.optionValues, 17 * 4);
  want.emfSpool = out.devOption.emfSpool;
  want.displayConstMsg = out.devOption.displayConstMsg;
  want.useServerForm = out.devOption.useServerForm;
  want.firstSheetAll = out.devOption.firstSheetAll;
  want.hardSecurityMode = out.devOption.hardSecurityMode;
  EXPECT_EQ(0, std::memcmp(&in.devOption, &want, sizeof want));

  EXPECT_EQ(+in.userPapers.count, 4);
  EXPECT_EQ(0, std::memcmp(in.userPapers.entries, out.userPapers.entries, 4 * sizeof(UserPaperEntry)));
  for (uint32_t n = 4; n < kUserPaperMaxEntries; ++n) {
    const UserPaperEntry zero{};
    EXPECT_EQ(0, std::memcmp(&in.userPapers.entries[n], &zero, sizeof zero));
  }

  // Written again, the file is the same file.
  IniDoc again;
  ASSERT_TRUE(XferSettingFile(XferDirection::kWrite, again, in, Cp1252Codec()));
  EXPECT_EQ(IniDoc_Render(again), IniDoc_Render(written));
}

TEST(SettingsSerializer, IntegersKeepTheirSignAndWidth) {
  DocDMode doc{};
  DocFields& fields = Fields(doc);
  fields.nPaperSize = -1;             // int16
  fields.wBookletSheets = 65535;      // uint16
  fields.dwStartNumber = 0xFFFFFFFF;  // int32
  fields.ColorAdjustMFP_MatchAll_nBrightness = 0xFE;  // int8
  fields.nCopies = 0xFFFF;
  SettingBundle bundle;
  bundle.doc = &doc;
  IniDoc file;
  ASSERT_TRUE(XferOEMDEV(XferDirection::kWrite, file, true, doc, kRestoreAll, Cp1252Codec()));
  EXPECT_EQ(Line(file, u"OEMDEV", u"nPaperSize"), u"nPaperSize=-1");
  EXPECT_EQ(Line(file, u"OEMDEV", u"wBookletSheets"), u"wBookletSheets=65535");
  EXPECT_EQ(Line(file, u"OEMDEV", u"dwStartNumber"), u"dwStartNumber=-1");
  EXPECT_EQ(Line(file, u"OEMDEV", u"ColorAdjustMFP.MatchAll.nBrightness"), u"ColorAdjustMFP.MatchAll.nBrightness=-2");
  // A value wider than its field leaves its low bytes.
  ASSERT_TRUE(IniDoc_SetInt(file, u"OEMDEV", u"nCopies", 0x12345));
  DocDMode back{};
  ASSERT_TRUE(XferOEMDEV(XferDirection::kRead, file, true, back, kRestoreAll, Cp1252Codec()));
  EXPECT_EQ(+Fields(back).nPaperSize, -1);
  EXPECT_EQ(+Fields(back).wBookletSheets, 65535);
  EXPECT_EQ(+Fields(back).dwStartNumber, 0xFFFFFFFFu);
  EXPECT_EQ(+Fields(back).ColorAdjustMFP_MatchAll_nBrightness, 0xFE);
  EXPECT_EQ(+Fields(back).nCopies, 0x2345);
}

TEST(SettingsSerializer, MissingKeysAndServerPaper) {
  auto file = IniDoc_Parse(u"[OEMDEV]\r\nnOutPaperSize=356\r\nsizPaper.cx=2100\r\nsizPaper.cy=2970\r\n");
  ASSERT_TRUE(file);
  DocDMode doc{};
  DocFields& f = Fields(doc);
  f.nCopies = 3;
  std::memcpy(f.faxSetting.szSendID, u"123", 8);
  std::memcpy(f.PTInfoAuto.szKey, "AUTO", 5);
  f.sizOutPaper_cx = 5;
  ASSERT_TRUE(XferOEMDEV(XferDirection::kRead, *file, true, doc, kRestoreAll, Cp1252Codec()));
  EXPECT_EQ(+f.nCopies, 0);                                        // an integer reads as 0
  EXPECT_EQ(std::u16string(f.faxSetting.szSendID), u"123");      // a wide text stays
  EXPECT_STREQ(f.PTInfoAuto.szKey, "");                           // a narrow text empties
  EXPECT_EQ(+f.sizOutPaper_cx, 2100);
  EXPECT_EQ(+f.sizOutPaper_cy, 2970);
}

TEST(SettingsSerializer, RestoreOptionsLeaveTheirGroups) {
  DocDMode source{};
  DocFields& s = Fields(source);
  s.byResolution = 1;
  s.nResoH = 600;
  s.nOrientation = 2;
  s.rcMargin_bottom = 50;
  s.byUnitInUserDefPaper = 1;  // of the paper group, yet read in any case
  SettingBundle out;
  out.doc = &source;
  out.privateMarks.resize(1);
  out.publicMarks.resize(1);
  out.order.resize(2);
  IniDoc file;
  ASSERT_TRUE(XferEasySetSections(XferDirection::kWrite, file, out, Cp1252Codec()));

  struct Case {
    uint8_t restore[4];
    bool resolution, paper, privateList, publicList;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, false, false, false, false},
      {{1, 0, 0, 0}, true, false, false, false},
      {{0, 1, 0, 0}, false, true, false, false},
      {{0, 0, 1, 0}, false, false, true, false},
      {{0, 0, 1, 1}, false, false, true, true},
      {{0, 0, 0, 1}, false, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.restore[0]) << int(c.restore[1]) << int(c.restore[2]) << int(c.restore[3]));
    DocDMode target{};
    SettingBundle in;
    in.doc = &target;
    std::memcpy(in.header.restore, c.restore, 4);
    in.publicMarks.resize(7);  // what the printer held
    ASSERT_TRUE(XferEasySetSections(XferDirection::kRead, file, in, Cp1252Codec()));
    const DocFields& t = Fields(target);
    EXPECT_EQ(+t.nResoH, c.resolution ? 600 : 0);
    EXPECT_EQ(+t.byResolution, c.resolution ? 1 : 0);
    EXPECT_EQ(+t.nOrientation, c.paper ? 2 : 0);
    EXPECT_EQ(+t.rcMargin_bottom, c.paper ? 50 : 0);
    EXPECT_EQ(+t.byUnitInUserDefPaper, 1);
    EXPECT_EQ(in.privateMarks.size(), c.privateList ? 1u : 0u);
    EXPECT_EQ(in.order.size(), c.privateList ? 2u : 0u);
    EXPECT_EQ(in.publicMarks.size(), c.publicList ? 1u : 7u);
  }
}

TEST(SettingsSerializer, CountsAreHeldToTheirLists) {
  struct Case {
    const char16_t* text;
    size_t privateMarks, publicMarks, order;
    uint32_t options;
    int16_t papers;
  };
  const Case cases[] = {
      {u"[Watermark_Private]\r\nWMInfoCnt=1000\r\n[Watermark_Public]\r\nWMInfoCnt=99999\r\n"
       u"[Watermark_Order]\r\nWMOrderCnt=2147483647\r\n[DeviceOption]\r\nOptionCount=100000\r\n"
       u"[CustomPaper]\r\nPaperCount=50\r\n",
       kMaxPrivateWatermarks, kMaxPublicWatermarks, kMaxWatermarkOrder, kDevOptionMaxOptions, 10},
      {u"[Watermark_Private]\r\nWMInfoCnt=-1\r\n[Watermark_Public]\r\nWMInfoCnt=-2147483648\r\n"
       u"[Watermark_Order]\r\nWMOrderCnt=-5\r\n[DeviceOption]\r\nOptionCount=-1\r\n"
       u"[CustomPaper]\r\nPaperCount=-1\r\nname1=\"never read\"\r\n",
       0, 0, 0, 0, -1},
      {u"[Watermark_Private]\r\nWMInfoCnt=2\r\nWMInfo2.wSize=72\r\n[DeviceOption]\r\nOptionCount=3\r\nOption3=9\r\n"
       u"[CustomPaper]\r\nPaperCount=1\r\nwidth1=210000\r\n",
       2, 0, 0, 3, 1},
  };
  for (const auto& c : cases) {
    auto file = IniDoc_Parse(c.text);
    ASSERT_TRUE(file);
    DocDMode doc{};
    SettingBundle in;
    in.doc = &doc;
    XferSettingFile(XferDirection::kRead, *file, in, Cp1252Codec());
    EXPECT_EQ(in.privateMarks.size(), c.privateMarks);
    EXPECT_EQ(in.publicMarks.size(), c.publicMarks);
    EXPECT_EQ(in.order.size(), c.order);
    EXPECT_EQ(+in.devOption.optionCount, c.options);
    EXPECT_EQ(+in.userPapers.count, c.papers);
    EXPECT_EQ(+in.userPapers.entries[0].name[0], u'\0');
    if (c.privateMarks == 2) {
      EXPECT_EQ(+in.privateMarks[1].wSize, 72);
      EXPECT_EQ(+in.devOption.optionValues[2], 9u);
      EXPECT_EQ(+in.userPapers.entries[0].width, 210000);
    }
  }
  // A record whose count says more than it holds writes what it holds.
  DocDMode doc{};
  SettingBundle out;
  out.doc = &doc;
  out.devOption.optionCount = 0xFFFFFFFF;
  out.userPapers.count = 300;
  IniDoc file;
  XferSettingFile(XferDirection::kWrite, file, out, Cp1252Codec());
  EXPECT_EQ(Line(file, u"DeviceOption", u"OptionCount"), u"OptionCount=64");
  EXPECT_TRUE(HasKey(file, u"DeviceOption", u"Option64"));
  EXPECT_FALSE(HasKey(file, u"DeviceOption", u"Option65"));
  EXPECT_TRUE(HasKey(file, u"CustomPaper", u"name10"));
  EXPECT_FALSE(HasKey(file, u"CustomPaper", u"name11"));
}

TEST(SettingsSerializer, NarrowTextThatDoesNotFitFailsItsKey) {
  auto file = IniDoc_Parse(u"[OEMDEV]\r\nszVQSectionName=\"123456789\"\r\nszChapterPage=\"\u65e5\"\r\nnCopies=2\r\n");
  ASSERT_TRUE(file);
  DocDMode doc{};
  EXPECT_FALSE(XferOEMDEV(XferDirection::kRead, *file, true, doc, kRestoreAll, Cp1252Codec()));
  // The walk goes on past the failed keys.
  EXPECT_EQ(Fields(doc).nCopies, 2);
}

TEST(SettingsSerializer, EasySetTextWithItsRestoreOptions) {
  DocDMode source{};
  Fields(source).nCopies = 5;
  Fields(source).nResoH = 600;
  Fields(source).nColorMode = 2;
  SettingBundle out;
  out.doc = &source;
  out.privateMarks.resize(2);
  IniDoc text;
  ASSERT_TRUE(XferEasySetSections(XferDirection::kWrite, text, out, Cp1252Codec()));
  std::u16string rendered = IniDoc_Render(text);

  EasySetNode node{};
  node.header.restore[kRestoreWatermarks] = 1;
  node.header.textLength = static_cast<uint32_t>(rendered.size() * sizeof(char16_t));
  node.text = rendered.data();
  DocDMode target{};
  auto bundle = LoadEasySetFromText(node, &target, true, Cp1252Codec());
  ASSERT_TRUE(bundle);
  EXPECT_EQ(+Fields(target).nCopies, 5);
  EXPECT_EQ(+Fields(target).nResoH, 0);      // the resolution is not restored
  EXPECT_EQ(+Fields(target).nColorMode, 1);  // a monochrome driver stays monochrome
  EXPECT_EQ(bundle->privateMarks.size(), 2u);
  EXPECT_EQ(bundle->header.restore[kRestoreWatermarks], 1);

  node.header.textLength = 0;
  EXPECT_FALSE(LoadEasySetFromText(node, &target, false, Cp1252Codec()));
}

TEST(SettingsSerializer, HeaderChecks) {
  auto header = [](uint32_t version, const char16_t* model, const char16_t* language) {
    EasySetHeader h{};
    h.formatVersion = version;
    std::u16string_view m(model), l(language);
    std::copy(m.begin(), m.end(), h.model);
    std::copy(l.begin(), l.end(), h.language);
    return h;
  };
  struct Case {
    EasySetHeader h;
    uint32_t code;
  };
  const Case cases[] = {
      {header(1, u"Fax Model", u"en-US"), kTransferOk},
      {header(1, u"Fax Model", u"EN-us"), kTransferOk},
      {header(2, u"Other", u"de"), kTransferWrongVersion},
      {header(0, u"Fax Model", u"en-US"), kTransferWrongVersion},
      {header(1, u"fax model", u"en-US"), kTransferWrongModel},
      {header(1, u"Fax Model", u"de-DE"), kTransferWrongLanguage},
      {header(1, u"Fax Model", u"en"), kTransferWrongLanguage},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckSettingFileHeader(c.h, u"Fax Model", u"en-US"), c.code);
}

TEST(SettingsSerializer, PresetNamesFillOnlyWhatTheTextLacks) {
  auto file = IniDoc_Parse(u"[EasySetName]\r\nname=\"Mine\"\r\n");
  ASSERT_TRUE(file);
  const EasySetPresetNames preset{u"Preset", u"Preset comment"};
  EasySetHeader h{};
  bool used = false;
  ASSERT_TRUE(XferDriverInfo(XferDirection::kRead, *file, &preset, h, &used));
  EXPECT_TRUE(used);
  EXPECT_EQ(std::u16string(h.name), u"Mine");
  EXPECT_EQ(std::u16string(h.comment), u"Preset comment");
  ASSERT_TRUE(IniDoc_SetString(*file, u"EasySetName", u"comment", u"Own"));
  EasySetHeader h2{};
  ASSERT_TRUE(XferDriverInfo(XferDirection::kRead, *file, &preset, h2, &used));
  EXPECT_FALSE(used);
}

}  // namespace

namespace {

std::string SourceFile(const char* relative) {
  std::ifstream in(testsupport::SourcePath(relative), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The settings file of the sample model as the export writes it (made by
// the Windows test of the export, which says how to make it anew): read and
// written again it is the same file, and read into the records and written
// from them again it is the same file too, so every value it carries
// travels whole.
TEST(SettingsSerializer, SampleModelFileTravelsWhole) {
  for (const char* name : {"dproc/saved/tests/data/sample_model_settings.ini",
                           "dproc/saved/tests/data/japanese_comments.ini"}) {
    SCOPED_TRACE(name);
    const std::string bytes = SourceFile(name);
    ASSERT_FALSE(bytes.empty());
    auto doc = IniDoc_ParseFileBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ASSERT_TRUE(doc);
    std::string again;
    ASSERT_TRUE(IniDoc_FileBytes(*doc, &again));
    EXPECT_EQ(again, bytes);
  }
  const std::string bytes = SourceFile("dproc/saved/tests/data/sample_model_settings.ini");
  auto file = IniDoc_ParseFileBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  ASSERT_TRUE(file);
  DocDMode doc{};
  SettingBundle bundle;
  bundle.doc = &doc;
  ASSERT_TRUE(XferSettingFile(XferDirection::kRead, *file, bundle, Cp1252Codec()));
  EXPECT_EQ(CheckSettingFileHeader(bundle.header, u"Fax Test Driver", u"0000"), kTransferOk);
  IniDoc written;
  ASSERT_TRUE(XferSettingFile(XferDirection::kWrite, written, bundle, Cp1252Codec()));
  // The printer's paper size (the model's defaults choose it) takes the
  // document's dimensions on reading; everything else comes back as it was.
  int32_t outPaper = 0, cx = 0, cy = 0;
  ASSERT_TRUE(IniDoc_GetInt(*file, u"OEMDEV", u"nOutPaperSize", &outPaper));
  ASSERT_TRUE(IniDoc_GetInt(*file, u"OEMDEV", u"sizPaper.cx", &cx));
  ASSERT_TRUE(IniDoc_GetInt(*file, u"OEMDEV", u"sizPaper.cy", &cy));
  if (outPaper == 356 || outPaper == 357) {
    ASSERT_TRUE(IniDoc_SetInt(*file, u"OEMDEV", u"sizOutPaper.cx", cx));
    ASSERT_TRUE(IniDoc_SetInt(*file, u"OEMDEV", u"sizOutPaper.cy", cy));
  }
  std::string out, expected;
  ASSERT_TRUE(IniDoc_FileBytes(written, &out));
  ASSERT_TRUE(IniDoc_FileBytes(*file, &expected));
  EXPECT_EQ(out, expected);
}

}  // namespace
