// Whole PJL job headers of the sample model (model/VELDRANP.txt) for a set
// of settings profiles, compared with the readable files in golden/.
//
// A golden file holds comment lines ("#") and then the header: each CR LF
// ends a line, ESC is written "\x1B", other control bytes "\xNN" and a
// backslash "\\".  To regenerate after a deliberate change:
//   PJL_GOLDEN_WRITE=1 build/native/bin/pjl_header_golden_test
// then read every changed line against the profile below before committing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/qxd/paper_tables.h"
#include "drender/pjl/pjl_header_rows.h"
#include "drender/pjl/pjl_templates.h"
#include "drender/pjl/tests/pjl_test_job.h"
#include "drender/tests/test_model.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/qxd_document.h"

namespace {

using pjltest::TestJob;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Readable(const std::string& bytes) {
  std::string out;
  char hex[8];
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      out += '\n';
      ++i;
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c >= 0x7F) {
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// The body of a golden file: everything after its comment lines.
std::string Body(const std::string& file) {
  std::string body;
  std::istringstream in(file);
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (header && !line.empty() && line[0] == '#') continue;
    header = false;
    body += line + "\n";
  }
  return body;
}

struct SampleModel {
  CommandTemplateList* commands = nullptr;
  TestModel model;
  std::vector<InTrayEntry> trays;
  std::vector<ModelListItem> media;
  SampleModel() {
    qxd::Document doc;
    std::string error;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(qxd::ParseText(ReadFile(testsupport::SourcePath("model/VELDRANP.txt")), &doc, &error)) << error;
    EXPECT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
    QxdContext* file = QxdOpenImage(bytes.data(), bytes.size());
    Pjl_ResetKeySelection();
    commands = Pjl_LoadTemplateSection(file, "PJL_StartCommand");
    Pjl_ReadEncryptionSection(file);
    QxdClose(file);
    AddCommonPapers(model);
    model.get()->customWidthMin = 1000;
    model.get()->customWidthMax = 3000;
    model.get()->customLengthMin = 1480;
    model.get()->customLengthMax = 4320;
    // The PJL tray words come from the description's "ALL_InTray" section;
    // the input tray list's notes are help texts and must not reach the job.
    ResetInputTrayTable();
    qxd::Document trayDoc;
    std::vector<uint8_t> trayBytes;
    EXPECT_TRUE(qxd::ParseText("qxd 1\n\nsection \"ALL_InTray\" items 156\n  layout note:str128@28\n"
                               "  item key=\"InTrayAuto\" text=\"Auto\" number=7 note=\"AUTO\"\n"
                               "  item key=\"InTray1\" text=\"Tray 1\" number=257 note=\"TRAY1\"\n"
                               "  item key=\"InTray2\" text=\"Tray 2\" number=258 note=\"TRAY2\"\n"
                               "  item key=\"InTrayManual\" text=\"Bypass\" number=4 note=\"MANUALFEED\"\n",
                               &trayDoc, &error))
        << error;
    EXPECT_TRUE(qxd::Build(trayDoc, &trayBytes, &error)) << error;
    QxdContext* trayFile = QxdOpenImage(trayBytes.data(), trayBytes.size());
    UpdateInputTrayTable(trayFile);
    QxdClose(trayFile);
    const struct {
      const char* keyword;
      uint32_t bin;
    } trayRows[] = {{"InTrayAuto", 7}, {"InTray1", 257}, {"InTray2", 258}, {"InTrayManual", 4}};
    for (const auto& r : trayRows) {
      InTrayEntry e{};
      e.size = sizeof e;
      std::strcpy(e.keyword, r.keyword);
      e.binId = r.bin;
      std::snprintf(e.note, sizeof e.note, "Help text of %s.", r.keyword);
      trays.push_back(e);
    }
    trays.push_back(InTrayEntry{});
    model.get()->inTrays = trays.data();
  }
  ~SampleModel() { Pjl_FreeTemplateList(commands); }
};

SampleModel& Sample() {
  static SampleModel sample;
  return sample;
}

// One destination row of the fax block.
void Destination(FaxSendBlock* block, uint32_t i, const char16_t* number, bool ecm) {
  std::memset(block->recipients[i].szFaxNumber, 0, sizeof block->recipients[i].szFaxNumber);
  std::memcpy(block->recipients[i].szFaxNumber, number, 2 * std::char_traits<char16_t>::length(number));
  block->recipients[i].fgECM = ecm ? 1 : 0;
}

// The settings every profile starts from: a portrait A4 fax from the
// automatic tray, one copy, standard fax resolution, to one number.
struct Profile {
  TestJob t;
  std::unique_ptr<FaxSendBlock> fax{new FaxSendBlock()};
  Profile() {
    std::memset(fax.get(), 0, sizeof(FaxSendBlock));
    PjlJob& job = t.job;
    job.model = Sample().model.get();
    job.startCommands = Sample().commands;
    job.userName = u"ann";
    job.jobName = u"Quarterly report.pdf";
    job.driverJobId = "JOB-0042";
    job.values.commandFamily = 2;
    job.values.cipherMethod = 2;
    job.values.cipherOutput = 1;
    job.values.languageId = 9;
    std::memcpy(reinterpret_cast<uint8_t*>(&t.work->device) + 1181, u"PC-07", 12);
    t.Byte(64, 1);        // portrait
    t.U16(66, 9);         // A4
    t.U16(96, 357);       // output paper as the document's
    t.U16(120, 7);        // automatic tray
    t.U16(598, 1);        // one copy
    t.Byte(1412, 1);      // one-sided
    t.Byte(2170, 1);      // grey scale
    t.U16(2220, 1);       // fax resolution
    fax->wRecipientCount = 1;
    Destination(fax.get(), 0, u"0301234567", true);
    job.fax = fax.get();
  }
  std::string Header() {
    Pjl_WalkStartCommands(&t.job);
    return t.out;
  }
};

void Check(const std::string& name, const std::string& what, const std::string& header) {
  const std::string path = testsupport::SourcePath("drender/pjl/tests/golden/" + name + ".txt");
  // Every line of a header ends with CR LF.
  EXPECT_EQ(header.substr(header.size() - 2), "\r\n") << name;
  if (std::getenv("PJL_GOLDEN_WRITE") != nullptr) {
    std::ofstream out(path, std::ios::binary);
    out << "# PJL job header of the sample model: " << what << "\n"
        << "# Regenerate: PJL_GOLDEN_WRITE=1 build/native/bin/pjl_header_golden_test, then read\n"
        << "# each changed line against this profile in pjl_header_golden_test.cpp.\n"
        << Readable(header);
    return;
  }
  EXPECT_EQ(Readable(header), Body(ReadFile(path))) << name;
}

TEST(PjlHeaderGolden, PlainFaxToOneNumber) {
  Profile p;
  Check("plain_fax", "a grey fax on A4 to one number", p.Header());
}

TEST(PjlHeaderGolden, FaxToOneHundredDestinations) {
  Profile p;
  p.fax->wRecipientCount = 100;
  for (uint32_t i = 0; i < 100; ++i) {
    const std::u16string number = u"0800" + std::u16string(1, static_cast<char16_t>(u'0' + i / 10)) +
                                  std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
    Destination(p.fax.get(), i, number.c_str(), i % 2 == 0);
  }
  const std::string header = p.Header();
  Check("fax_100_destinations", "a fax to 100 numbers, every other one with ECM", header);
  // One line per destination, in list order.
  size_t lines = 0;
  for (size_t at = header.find("FAXNUMBER"); at != std::string::npos; at = header.find("FAXNUMBER", at + 1)) ++lines;
  EXPECT_EQ(lines, 100u);
}

TEST(PjlHeaderGolden, OneReplayPerDestination) {
  Profile p;
  p.fax->wRecipientCount = 3;
  Destination(p.fax.get(), 1, u"040555", false);
  Destination(p.fax.get(), 2, u"089777", true);
  p.fax->faxSetting.fgFaxCoverSheet = 1;
  p.t.job.perRecipient = true;
  p.t.job.replayDestination = 1;
  Check("fax_replay_destination", "the replay for the second of three destinations, each with its own cover sheet",
        p.Header());
}

TEST(PjlHeaderGolden, DelayedSend) {
  Profile p;
  p.fax->faxSetting.fgTimerSend = 1;
  p.fax->faxSetting.fgSubAddress = 1;
  std::memcpy(p.fax->faxSetting.szSubAddress, u"12", 4);
  p.fax->faxSetting.fgSendID = 1;
  std::memcpy(p.fax->faxSetting.szSendID, u"#77", 6);
  p.t.job.haveTimer = true;
  const uint16_t when[5] = {2026, 12, 24, 7, 5};
  std::memcpy(p.t.job.timer, when, sizeof when);
  Check("delayed_send", "a fax sent at 07:05 on 24 December 2026, with sub-address and sender id", p.Header());
}

// The device option "DevUserAuthentication" with its values.
struct AuthOptions {
  OptionItem values[5] = {};
  DeviceOptionItem options[2] = {};
  explicit AuthOptions(Profile& p, uint32_t selected) {
    const char* names[] = {"DevUserAuthentic_Dis", "DevUserAuthentic_Engin", "DevUserAuthentic_GeneralSV",
                           "DevUserAuthentic_InterSV"};
    for (int i = 0; i < 4; ++i) std::strcpy(values[i].keyword, names[i]);
    std::strcpy(options[0].keyword, "DevUserAuthentication");
    options[0].values = values;
    p.t.work->device.option.optionValues[0] = selected;
    p.t.job.deviceOptions = options;
  }
};

TEST(PjlHeaderGolden, UserAuthenticationWithEncipheredPassword) {
  Profile p;
  AuthOptions auth(p, 1);
  p.t.Byte(5673, 1);
  p.t.Wide(5674, u"bob");
  p.t.Text(5836, "pa55");
  p.t.U16(5918, 4);
  // The password is DES-enciphered with key id 1, model id 0 (see
  // pjl_cipher_test.cpp) and written as hexadecimal text; its first block
  // was checked with
  //   printf 'pa55++++' | openssl enc -des-ecb -K 0D64823426AA2B25 -nopad -provider legacy -provider default
  // which gives 99e4f5f7b2b260de,
  // and every further block is that of "++++++++" (a56731c36449b7a6).
  Check("user_authentication", "user bob with password pa55, authenticated by the device", p.Header());
}

// The sample model's own method: AES ("MachineEncryption" is "AES" in
// model/VELDRANH.txt).  The password was checked with
//   k=8KV2LscLK8hRB89DknLp
//   key=$(printf %s "${k:0:10}" | openssl dgst -sha256 -binary | xxd -p -c 64)
//   iv=$(printf %s "${k:10:10}" | openssl dgst -sha256 -binary | xxd -p -c 64 | cut -c1-32)
//   (printf pa55; printf '\x0b%.0s' $(seq 12)) | openssl enc -aes-256-cbc -K $key -iv $iv -nopad | xxd -p
// which gives d8558b7edb3e4081fedbceafdfd444b8.
TEST(PjlHeaderGolden, UserAuthenticationWithTheModelsAesMethod) {
  Profile p;
  AuthOptions auth(p, 1);
  p.t.job.values.cipherMethod = 1;
  p.t.Byte(5673, 1);
  p.t.Wide(5674, u"bob");
  p.t.Text(5836, "pa55");
  p.t.U16(5918, 4);
  const std::string header = p.Header();
  Check("user_authentication_aes", "user bob with password pa55, enciphered with AES", header);
  EXPECT_NE(header.find("AUTHPASS=\"D8558B7EDB3E4081FEDBCEAFDFD444B8\"\r\n"), std::string::npos);
}

TEST(PjlHeaderGolden, AccountTrack) {
  Profile p;
  p.t.Text(5920, "Sales");
  p.t.Text(5929, "4711");
  p.t.U16(6002, 4);
  // First block checked as above: "4711++++" -> 766b43d28753fb57.
  Check("account_track", "department Sales with password 4711", p.Header());
}

TEST(PjlHeaderGolden, CustomPaper) {
  Profile p;
  p.t.U16(66, 256);
  p.t.U16(96, 256);
  p.t.U16(81, 1480);
  p.t.U16(83, 2100);
  p.t.U16(103, 1480);
  p.t.U16(105, 2100);
  p.t.U16(120, 257);
  Check("custom_paper", "a custom 148 x 210 mm paper from tray 1", p.Header());
}

TEST(PjlHeaderGolden, DuplexWithBindingEdge) {
  Profile p;
  p.t.Byte(64, 2);      // landscape
  p.t.Byte(1412, 2);    // two-sided
  p.t.Byte(1429, 17);   // top
  p.t.Byte(600, 1);     // collated
  p.t.U16(598, 3);      // three copies
  Check("duplex_binding", "three collated two-sided copies, landscape, bound at the top", p.Header());
  EXPECT_EQ(p.t.job.collateCopies, 3u);
}

TEST(PjlHeaderGolden, ColourMode) {
  Profile p;
  p.t.Byte(2170, 0);    // full colour
  p.t.Byte(2171, 2);    // photo
  p.t.Byte(2231, 1);    // toner save
  p.t.Byte(2219, 1);    // one bit per pixel
  Check("colour_mode", "full colour with the photo colour setting and toner saving", p.Header());
}

TEST(PjlHeaderGolden, SecurePrintAndPerPageSets) {
  Profile p;
  p.t.Byte(603, 3);  // secure print
  p.t.Text(604, "4242");
  p.t.Text(621, "pin1");
  p.t.U16(694, 4);
  // First block of the password checked as above: "pin1++++" -> 53aa5f2d2955d827.
  // Two per-page entries: pages 1-2 one-sided from tray 1, page 3 stapled
  // at the left from the job's tray, ending the set.
  std::vector<InterSheetEntry> entries(2);
  std::memset(entries.data(), 0, entries.size() * sizeof(InterSheetEntry));
  std::memcpy(entries[0].pages, u"1-2", 6);
  entries[0].printType = 1;
  entries[0].paperSource = 257;
  entries[0].staple = 255;
  entries[0].punch = 255;
  std::memcpy(entries[1].pages, u"3", 2);
  entries[1].printType = 3;
  entries[1].paperSource = 32767;
  entries[1].staple = 261;
  entries[1].punch = 255;
  entries[1].finishStaple = 1;
  p.t.job.interSheetEntries = reinterpret_cast<const uint8_t*>(entries.data());
  p.t.job.interSheetCount = 2;
  p.t.Byte(1550, 1);
  Check("secure_print_per_page", "secure print with id 4242 and password pin1, two per-page entries", p.Header());
}

// The header's lines with what stands between each pair of quotes left out.
std::vector<std::string> Skeleton(const std::string& header) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t end = header.find("\r\n"); end != std::string::npos; end = header.find("\r\n", at)) {
    std::string line;
    bool quoted = false;
    for (size_t i = at; i < end; ++i) {
      if (header[i] == '"') quoted = !quoted;
      if (!quoted || header[i] == '"') line += header[i];
    }
    lines.push_back(line);
    at = end + 2;
  }
  lines.push_back(header.substr(at));
  return lines;
}

// A document title and a phone-book number that try to add a destination
// of their own: the header keeps exactly the lines of the clean job, the
// forged text staying inside the quoted values.
TEST(PjlHeaderGolden, ForgedLinesStayInsideTheirValues) {
  Profile clean;
  const std::string expected = clean.Header();
  Profile forged;
  forged.t.job.jobName = u"Report\"\r\n@PJL SET FAXNUMBER1=\"0900666\"\r\n@PJL COMMENT \"";
  forged.t.job.userName = u"ann\"\n@PJL SET HOLD=OFF\x1B%-12345X";
  Destination(forged.fax.get(), 0, u"0301234567\"\r\n@PJL SET FAXNUMBER1=\"0900666", true);
  const std::string header = forged.Header();
  EXPECT_EQ(Skeleton(header), Skeleton(expected));
  EXPECT_EQ(header.find("\n@PJL SET FAXNUMBER1"), std::string::npos);
  EXPECT_NE(header.find("@PJL SET JOBNAME=\"Report'  @PJL SET FAXNUMBER1='0900666'  @PJL COMMENT '\"\r\n"),
            std::string::npos);
  EXPECT_NE(header.find("@PJL SET FAXNUMBER0=\"0301234567'  @PJL SET FAXNUMBER1='0900666\",ECM=1"), std::string::npos);
}

}  // namespace
