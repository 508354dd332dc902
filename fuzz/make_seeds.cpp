// Writes the seed inputs of the harnesses that do not read description
// files, each made by the project's own code: texts, enciphered passwords,
// JPEG parameter blocks, PCL XL streams and fragments from the stream
// writer, and DEVMODEs; and the regression inputs that are description files
// damaged in a way the tool's text cannot say, made by compiling a text and
// damaging the result.  Usage: make_seeds <corpus root> <regression root>;
// each harness's inputs go into a folder of its name.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

#include "common/cipher/password_cipher.h"
#include "common/cipher/ui_encryption_info.h"
#include "common/records/easy_set_record.h"
#include "common/records/fax_send_block.h"
#include "common/records/inter_sheet_list.h"
#include "common/records/overlay_form_file.h"
#include "common/records/public_devmode.h"
#include "common/records/settings_checksum.h"
#include "ddproc/snmp/ber_codec.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/user_paper_list.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/pclxl/pclxl_vendor_unique.h"
#include "common/qxd/qxd_reader.h"
#include "drender/pclxl/pclxl_writer.h"
#include "drender/text/tests/test_font.h"
#include "tools/qxd/qxd_document.h"

namespace {

using Bytes = std::vector<uint8_t>;
std::filesystem::path g_root;
std::filesystem::path g_regressions;

void PutIn(const std::filesystem::path& root, const char* harness, const std::string& name, const Bytes& bytes) {
  const std::filesystem::path dir = root / harness;
  std::filesystem::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Put(const char* harness, const std::string& name, const Bytes& bytes) { PutIn(g_root, harness, name, bytes); }

Bytes CompileOrDie(const std::string& text, qxd::Placement* placement) {
  qxd::Document doc;
  std::string error;
  Bytes bytes;
  if (!qxd::ParseText(text, &doc, &error) || !qxd::Build(doc, &bytes, &error, placement)) {
    std::fprintf(stderr, "make_seeds: %s\n", error.c_str());
    std::exit(1);
  }
  return bytes;
}

// A device option without a keyword, in a file that also has a section
// without a name: the option's empty keyword once found that section, gave
// the option a value list that nothing freed and hid the options after it.
void EmptyOptionKeyword() {
  qxd::Placement place;
  Bytes bytes = CompileOrDie(
      "qxd 1\n\n"
      "section \"DeviceOption\" items 28\n"
      "  item key=\"DevFirst\" text=\"First\"\n"
      "  item text=\"No keyword\"\n"
      "  item key=\"DevLast\" text=\"Last\"\n\n"
      "section \"DevFirst\" items 16\n  item key=\"DevFirst_On\" text=\"On\"\n\n"
      "section \"Unnamed\" items 16\n  item key=\"Unnamed_On\" text=\"On\"\n\n"
      "section \"DevLast\" items 16\n  item key=\"DevLast_On\" text=\"On\"\n",
      &place);
  std::fill_n(bytes.begin() + place.sections[2].header, 32, 0);
  PutIn(g_regressions, "model", "empty-option-keyword", bytes);
  PutIn(g_regressions, "startup", "empty-option-keyword", bytes);
}

Bytes Narrow(const std::string& text) { return Bytes(text.begin(), text.end()); }

void AppendWide(Bytes* out, const std::u16string& text) {
  for (char16_t c : text) {
    out->push_back(static_cast<uint8_t>(c));
    out->push_back(static_cast<uint8_t>(c >> 8));
  }
}

void PageRanges() {
  const char16_t* texts[] = {u"1-3,5,7-9", u"2,4,6-10", u"10-1", u"1,,2", u"0", u"1-2-3", u"65535-65536",
                             u"12.5", u"-3", u"99999999999"};
  int n = 0;
  for (const char16_t* t : texts) {
    Bytes b = {static_cast<uint8_t>(n), 0xE7, 0x03, 0x0F, 0x27};  // mode, highest page 999, total 9999
    AppendWide(&b, t);
    Put("texts", "text" + std::to_string(n++), b);
  }
}

void Passwords() {
  const char* passwords[] = {"secret", "", "a password of thirty-two chars!!", "12345678"};
  int n = 0;
  for (uint32_t method : {kCipherMethodDes, kCipherMethodAes}) {
    for (const char* pw : passwords) {
      uint8_t buffer[128] = {};
      std::strcpy(reinterpret_cast<char*>(buffer), pw);
      const UiEncryptionInfo info = {method, 1, 0};
      const int32_t length = EncryptPasswordWithKey(info, nullptr, buffer, sizeof buffer);
      if (length <= 0) continue;
      Bytes b = {static_cast<uint8_t>(method), 1, 0, 16};
      b.insert(b.end(), buffer, buffer + length);
      Put("password", "cipher" + std::to_string(n++), b);
    }
  }
}

void JpegParams() {
  struct Shape {
    uint8_t width, height, depth, quality, subsampling, order;
  } shapes[] = {{16, 16, 0, 75, 0, 1}, {17, 9, 2, 90, 1, 0}, {33, 7, 3, 50, 2, 1},
                {8, 8, 1, 100, 0, 0},  {1, 1, 2, 1, 0, 0},   {40, 3, 2 | 0x40, 75, 0, 1},
                {24, 24, 3 | 0x80, 75, 1, 0}};
  int n = 0;
  for (const Shape& s : shapes) {
    Bytes b = {s.width, s.height, s.depth, s.quality, s.subsampling, s.order};
    for (int i = 0; i < 256; ++i) b.push_back(static_cast<uint8_t>(i * 37 + n));
    Put("jpeg", "params" + std::to_string(n++), b);
  }
}

struct Sink {
  Bytes bytes;
  static uint32_t Write(void* context, const uint8_t* data, uint32_t length) {
    auto* s = static_cast<Sink*>(context);
    s->bytes.insert(s->bytes.end(), data, data + length);
    return 1;
  }
};

void XlStreams() {
  const char* vdu[] = {"VDU/194_7/200_abc/248_12/", "VDU/", "VDU/194_4294967295/248_256/x_1/", "VDU/200_/1_2/"};
  int n = 0;
  for (const char* text : vdu) {
    Put("vendor_unique", "vdu" + std::to_string(n), Narrow(text));
    Sink sink;
    XlEncoder enc;
    XL_InitEncoder(&enc, &Sink::Write, &sink);
    XL_VendorUnique(&enc, text);
    Bytes fragment = {0x0C};  // the harness's mode: a fragment inside a page
    fragment.insert(fragment.end(), sink.bytes.begin(), sink.bytes.end());
    Put("xl_dissector", "fragment" + std::to_string(n++), fragment);
  }
  // A whole stream with one empty page.
  Sink sink;
  XlEncoder enc;
  XL_InitEncoder(&enc, &Sink::Write, &sink);
  const char header[] = ") HP-PCL XL;3;0;\n";
  XL_WriteRaw(&enc, header, sizeof header - 1);
  XlOp_BeginSession(&enc, {600, 600}, 0, 0);
  XlOp_OpenDataSource(&enc, 0, 1);
  XlPageStart page{};
  page.orientation = 0;
  page.mediaSize = 2;
  page.sides = XlPageSides::Duplex;
  XlOp_BeginPage(&enc, page);
  XL_VendorUnique(&enc, vdu[0]);
  XlOp_EndPage(&enc, 1);
  XlOp_CloseDataSource(&enc);
  XlOp_EndSession(&enc);
  Bytes stream = {0x00};
  stream.insert(stream.end(), sink.bytes.begin(), sink.bytes.end());
  Put("xl_dissector", "stream", stream);
}

// Rows for the row coders: runs, ramps, rows equal to the one before and
// rows that change in scattered bytes.
void ImageRows() {
  const uint8_t widths[] = {8, 37, 130};
  int n = 0;
  for (uint8_t width : widths) {
    Bytes b = {static_cast<uint8_t>(width - 1)};
    for (int r = 0; r < 6; ++r) {
      for (int x = 0; x < width; ++x) {
        uint8_t v = 0;
        if (r == 0) v = x < width / 2 ? 0xFF : 0x00;
        if (r == 1) v = static_cast<uint8_t>(x * 7);
        if (r == 2) v = static_cast<uint8_t>(x * 7);
        if (r == 3) v = static_cast<uint8_t>(x * 7 + (x % 9 == 0 ? 1 : 0));
        if (r == 4) v = static_cast<uint8_t>(x % 3 == 0 ? x : 0x55);
        if (r == 5) v = static_cast<uint8_t>(x < 40 ? 0x80 : x);
        b.push_back(v);
      }
    }
    Put("row_coders", "rows" + std::to_string(n++), b);
  }
}

void DevModes() {
  struct Case {
    uint16_t size;
    uint32_t fields;
    int16_t paper, copies, source, quality;
  } cases[] = {{sizeof(PublicDevMode), kDmOrientation | kDmPaperSize | kDmCopies, 9, 3, 7, 600},
               {sizeof(PublicDevMode), 0xFFFFFFFFu, 256, -1, 257, -4},
               {72, kDmPaperSize | kDmMediaType, 1, 1, 1, 1},
               {0xFFFF, kDmPrintQuality | kDmYResolution | kDmDuplex, 11, 999, 0, 200}};
  int n = 0;
  for (const Case& c : cases) {
    PublicDevMode dm{};
    std::memcpy(dm.dmDeviceName, u"Fax", 8);
    dm.dmSize = c.size;
    dm.dmFields = c.fields;
    dm.dmOrientation = 2;
    dm.dmPaperSize = c.paper;
    dm.dmPaperWidth = 2100;
    dm.dmPaperLength = 2970;
    dm.dmCopies = c.copies;
    dm.dmDefaultSource = c.source;
    dm.dmPrintQuality = c.quality;
    dm.dmYResolution = c.quality;
    dm.dmDuplex = 2;
    const uint16_t handed = static_cast<uint16_t>(sizeof dm);
    Bytes b = {static_cast<uint8_t>(handed), static_cast<uint8_t>(handed >> 8)};
    const uint8_t* raw = reinterpret_cast<const uint8_t*>(&dm);
    b.insert(b.end(), raw, raw + sizeof dm);
    Put("settings_merge", "devmode" + std::to_string(n++), b);
  }
  // A user paper whose printable area lies beyond 32 bits of its width: the
  // margins were once computed as a signed overflow.
  PublicDevMode dm{};
  dm.dmSize = sizeof dm;
  dm.dmFields = kDmPaperSize;
  dm.dmPaperSize = 512;
  UserPaperList users{};
  users.count = 1;
  users.entries[0].paperId = 512;
  users.entries[0].width = -603979776;
  users.entries[0].areaRight = 2013290752;
  users.entries[0].length = INT32_MIN;
  users.entries[0].areaBottom = INT32_MAX;
  const uint16_t handed = static_cast<uint16_t>(sizeof dm);
  Bytes b = {static_cast<uint8_t>(handed), static_cast<uint8_t>(handed >> 8)};
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(&dm);
  b.insert(b.end(), raw, raw + sizeof dm);
  raw = reinterpret_cast<const uint8_t*>(&users);
  b.insert(b.end(), raw, raw + sizeof users);
  PutIn(g_regressions, "settings_merge", "user-paper-area-overflow", b);
}

// A whole DEVMODE of the driver, sealed, as the driver hands it out; and
// the same record behind a longer public part and inside a larger
// driver-extra area, where the search has to find it.
void DriverDevModes() {
  auto dm = std::make_unique<DriverDevMode>();
  std::memset(dm.get(), 0, sizeof *dm);
  PublicDevMode pub{};
  std::memcpy(pub.dmDeviceName, u"Fax", 8);
  pub.dmSpecVersion = kDriverSpecVersion;
  pub.dmDriverVersion = kDriverDriverVersion;
  pub.dmSize = kDevModeWSize;
  pub.dmDriverExtra = kDriverDevModeExtra;
  pub.dmFields = kDmOrientation | kDmPaperSize | kDmCopies;
  pub.dmOrientation = 1;
  pub.dmPaperSize = 9;
  pub.dmCopies = 1;
  std::memcpy(dm->publicPart, &pub, sizeof pub);
  InitBuiltInDocDMode(&dm->doc);
  dm->magic = kDriverDevModeMagic;
  SealDriverDevMode(dm.get());
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(dm.get());
  Put("devmode_guard", "driver", Bytes(raw, raw + sizeof *dm));

  Bytes shifted(raw, raw + kDevModeWSize);
  shifted.insert(shifted.end(), 17, 0);
  shifted.insert(shifted.end(), raw + kDevModeWSize, raw + sizeof *dm);
  const uint16_t extra = static_cast<uint16_t>(kDriverDevModeExtra + 17);
  std::memcpy(shifted.data() + kDevModeDriverExtraAt, &extra, 2);
  Put("devmode_guard", "driver-shifted", shifted);
  Put("devmode_guard", "public-only", Bytes(raw, raw + kDevModeWSize));
}

// SNMP answers as a device sends them: GetResponse messages to request 1
// with the community "public", each behind its two-byte length.
Bytes SnmpAnswer(const std::vector<uint32_t>& name, const Bytes& value) {
  Bytes oid;
  BerEncodeOidContent(name.data(), name.size(), &oid);
  Bytes nameElement, binding, list, ids, pdu, message;
  BerEncodeTlv(0x06, oid.data(), oid.size(), &nameElement);
  Bytes bindingContent = nameElement;
  bindingContent.insert(bindingContent.end(), value.begin(), value.end());
  BerEncodeTlv(0x30, bindingContent.data(), bindingContent.size(), &binding);
  BerEncodeTlv(0x30, binding.data(), binding.size(), &list);
  BerEncodeInteger(1, &ids);
  BerEncodeInteger(0, &ids);
  BerEncodeInteger(0, &ids);
  ids.insert(ids.end(), list.begin(), list.end());
  BerEncodeTlv(0xA2, ids.data(), ids.size(), &pdu);
  Bytes content;
  BerEncodeInteger(0, &content);
  const char community[] = "public";
  BerEncodeTlv(0x04, reinterpret_cast<const uint8_t*>(community), 6, &content);
  content.insert(content.end(), pdu.begin(), pdu.end());
  BerEncodeTlv(0x30, content.data(), content.size(), &message);
  Bytes framed = {static_cast<uint8_t>(message.size()), static_cast<uint8_t>(message.size() >> 8)};
  framed.insert(framed.end(), message.begin(), message.end());
  return framed;
}

void SnmpAnswers() {
  const std::vector<uint32_t> name = {1, 3, 6, 1, 2, 1, 1, 2, 0};
  Bytes integer, text, oid, counter, null;
  BerEncodeInteger(3, &integer);
  BerEncodeTlv(0x04, reinterpret_cast<const uint8_t*>("HDD"), 3, &text);
  Bytes oidContent;
  BerEncodeOidContent(name.data(), name.size(), &oidContent);
  BerEncodeTlv(0x06, oidContent.data(), oidContent.size(), &oid);
  const uint8_t ticks[] = {0x01, 0x00};
  BerEncodeTlv(0x41, ticks, sizeof ticks, &counter);
  BerEncodeTlv(0x05, nullptr, 0, &null);
  int n = 0;
  Bytes all;
  for (const Bytes* value : {&integer, &text, &oid, &counter, &null}) {
    const Bytes one = SnmpAnswer(name, *value);
    Put("snmp_ber", "answer" + std::to_string(n++), one);
    all.insert(all.end(), one.begin(), one.end());
  }
  // A conversation: answers for the queries one after the other.
  for (int i = 0; i < 6; ++i) all.insert(all.end(), all.begin(), all.begin() + static_cast<long>(all.size() / 2));
  Put("snmp_ber", "conversation", all);
}

// Per-page lists and fax blocks as the render core receives them.
void PerPageRecords() {
  const char16_t* pages[] = {u"1-3", u"5,7-9", u"10-", u"2,2,2"};
  for (int n = 0; n < 3; ++n) {
    Bytes b = {static_cast<uint8_t>(0x81 | (n << 4) | (n == 2 ? 0x42 : 0)), static_cast<uint8_t>(n + 1),
               static_cast<uint8_t>(n + 2), static_cast<uint8_t>(n), 0};
    for (int e = 0; e < n + 2; ++e) {
      InterSheetEntry entry{};
      std::memcpy(entry.pages, pages[e], 2 * std::char_traits<char16_t>::length(pages[e]));
      entry.printType = static_cast<uint32_t>(e % 4);
      entry.paperSource = e == 0 ? kInterSheetSameTray : 257;
      entry.staple = e == 1 ? 255 : 0;
      entry.punch = e == 1 ? 1 : 0;
      entry.tabPaper = n == 2 ? 1 : 0;
      std::memcpy(entry.caption, u"Tab", 8);
      const uint8_t* raw = reinterpret_cast<const uint8_t*>(&entry);
      b.insert(b.end(), raw, raw + sizeof entry);
    }
    FaxSetting fax{};
    fax.fgSubAddress = 1;
    std::memcpy(fax.szSubAddress, u"1234", 10);
    fax.fgFaxCoverSheet = 1;
    const uint8_t* raw = reinterpret_cast<const uint8_t*>(&fax);
    b.insert(b.end(), raw, raw + sizeof fax);
    for (int r = 0; r < 2; ++r) {
      FaxRecipientEntry to{};
      std::memcpy(to.szName, u"Ann", 8);
      const std::u16string number = r == 0 ? u"0123456" : u"*99#";
      std::memcpy(to.szFaxNumber, number.data(), 2 * number.size());
      to.fgECM = 1;
      raw = reinterpret_cast<const uint8_t*>(&to);
      b.insert(b.end(), raw, raw + sizeof to);
    }
    Put("per_page_record", "job" + std::to_string(n), b);
  }
}

// Texts for the PJL header's values: one seed per slot carrying a forged
// line (as narrow bytes, or as UTF-16 for the slots that are UTF-16), and
// one with an escape and control bytes everywhere.
void PjlValues() {
  const std::string forged = "x\"\r\n@PJL SET FAXNUMBER9=\"0900\"\r\n";
  std::u16string forgedWide;
  for (char c : forged) forgedWide.push_back(static_cast<char16_t>(c));
  constexpr int kSlots = 17;
  for (int wide = 0; wide < 2; ++wide) {
    Bytes b;
    for (int slot = 0; slot < kSlots; ++slot) {
      if (wide != 0) {
        b.push_back(static_cast<uint8_t>(2 * forgedWide.size()));
        AppendWide(&b, forgedWide);
      } else {
        b.push_back(static_cast<uint8_t>(forged.size()));
        b.insert(b.end(), forged.begin(), forged.end());
      }
    }
    Put("pjl_values", wide != 0 ? "forged-wide" : "forged", b);
  }
  Bytes controls;
  for (int slot = 0; slot < 17; ++slot) {
    const uint8_t text[] = {0x1B, '%', '-', '1', '2', '3', '4', '5', 'X', 0x09, 0x7F, 0x0C, 0x00, 0x0A, '"'};
    controls.push_back(sizeof text);
    controls.insert(controls.end(), text, text + sizeof text);
  }
  Put("pjl_values", "controls", controls);
}

// Overlay form files of both header versions, with a short page stream.
void OverlayForms() {
  FormHeaderFields fields{};
  fields.ansiName = "Letterhead";
  fields.paperWidth = 4960;
  fields.paperLength = 7015;
  fields.selectColor = 1;
  fields.orientation = 1;
  fields.resolution = 600;
  FormFileHeader header;
  Form_BuildHeader(fields, &header);
  const Bytes stream = {0x41, 0xC0, 0x01, 0xF8, 0x86, 0x6B};
  for (uint16_t version = 1; version <= 2; ++version) {
    header.version = version;
    header.headerSize = version == 1 ? kFormHeaderV1Size : kFormHeaderV2Size;
    const uint8_t* raw = reinterpret_cast<const uint8_t*>(&header);
    Bytes file(raw, raw + header.headerSize);
    file.insert(file.end(), stream.begin(), stream.end());
    Put("qfv_header", "version" + std::to_string(version), file);
  }
}

// Files whose rows share their records, so that a small file once cost
// memory and time with the product of its counts.
void SharedRows() {
  // Many device options naming one value section.
  std::string options = "qxd 1\n\nsection \"DeviceOption\" items 28\n";
  for (int i = 0; i < 300; ++i) options += "  item key=\"Opt\"\n";
  options += "\nsection \"Opt\" items 16\n";
  for (int v = 0; v < 300; ++v) options += "  item key=\"V" + std::to_string(v) + "\"\n";
  const Bytes optionFile = CompileOrDie(options, nullptr);
  PutIn(g_regressions, "model", "shared-option-values", optionFile);

  // Machines and colour modes whose entries all point at one long list.
  struct Groups {
    const char* harness;
    const char* section;
    const char* field;  // the section's group field option
    uint32_t nameBytes;
  } lists[] = {{"model", "MachineInfo", " field=16", 16}, {"color_commands", "ColorSettingCommand", "", 32}};
  for (const Groups& l : lists) {
    std::string text = std::string("qxd 1\n\nsection \"") + l.section + "\" groups" + l.field + "\n  group \"Big\"\n";
    for (int i = 0; i < 300; ++i) text += "    pair \"K" + std::to_string(i) + "\" \"V\"\n";
    for (int g = 0; g < 300; ++g) text += "  group \"G" + std::to_string(g) + "\"\n";
    qxd::Placement place;
    Bytes bytes = CompileOrDie(text, &place);
    const std::vector<uint32_t>& groups = place.sections[0].records;
    for (size_t g = 1; g < groups.size(); ++g) {
      qxd::PatchU32(&bytes, groups[g] + l.nameBytes, qxd::GetU32(bytes, groups[0] + l.nameBytes));
      qxd::PatchU32(&bytes, groups[g] + l.nameBytes + 4, qxd::GetU32(bytes, groups[0] + l.nameBytes + 4));
    }
    PutIn(g_regressions, l.harness, std::string("shared-") + l.section, bytes);
  }
}

// The description tool: texts the binary form cannot hold, and files whose
// records do not hold their layout or claim a size the file cannot have.
void ToolInputs() {
  const std::string texts[] = {
      "qxd 1\n\nsection \"Version\" texts\n  entry key=\"Ver_driver\" text=\"1.3\xEF\xBF.0\"\n",
      std::string("qxd 1\n\nsection \"Version\" texts\n  entry key=\"Ver\" text=\"1\0002\"\n", 60),
      "qxd 1\n\nsection \"S\" items 24\n  layout a:u32@16\n  item key=\"k\" a=1 a=2\n",
      "qxd 1\n\nsection \"S\" items 4294967295\n",
      "constraints\nversion \"\xC0\xAF\"\n",
  };
  int n = 0;
  for (const std::string& t : texts) PutIn(g_regressions, "qxd_text", "refused" + std::to_string(n++), Narrow(t));

  qxd::Placement place;
  const Bytes good = CompileOrDie(
      "qxd 1\n\nsection \"S\" items 24\n  layout a:u32@16 b:u32@20\n  item key=\"k\" a=1 b=2\n\n"
      "section \"E\" items 16\n",
      &place);
  const uint32_t writerSize = offsetof(QxdSectionHeader, writerSize);
  Bytes shortRecords = good;
  qxd::PatchU32(&shortRecords, place.sections[0].header + writerSize, 20);
  PutIn(g_regressions, "qxd_decode", "layout-outside-records", shortRecords);
  Bytes hugeRecords = good;
  qxd::PatchU32(&hugeRecords, place.sections[1].header + writerSize, 0xFFFFFFF0u);
  PutIn(g_regressions, "qxd_decode", "huge-record-without-items", hugeRecords);
}

// Cover image files: bitmaps of every depth the check accepts, a top-down
// one and one with the small header of the oldest format.
void CoverBitmaps() {
  const auto put32 = [](Bytes* v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) (*v)[at + i] = static_cast<uint8_t>(x >> (8 * i));
  };
  struct Shape {
    int32_t width, height;
    uint16_t bits;
  };
  const Shape shapes[] = {{9, 3, 1}, {5, 4, 4}, {16, 8, 8}, {7, 2, 16}, {6, 5, 24}, {3, -4, 32}};
  for (const Shape& s : shapes) {
    const uint32_t colors = s.bits <= 8 ? 1u << s.bits : 0;
    const uint32_t stride = ((static_cast<uint32_t>(s.width) * s.bits + 31) / 32) * 4;
    const uint32_t rows = static_cast<uint32_t>(s.height < 0 ? -s.height : s.height);
    const uint32_t offset = 14 + 40 + colors * 4;
    Bytes v(offset + stride * rows, 0);
    v[0] = 'B';
    v[1] = 'M';
    put32(&v, 2, static_cast<uint32_t>(v.size()));
    put32(&v, 10, offset);
    put32(&v, 14, 40);
    put32(&v, 18, static_cast<uint32_t>(s.width));
    put32(&v, 22, static_cast<uint32_t>(s.height));
    v[26] = 1;
    v[28] = static_cast<uint8_t>(s.bits);
    for (size_t i = offset; i < v.size(); ++i) v[i] = static_cast<uint8_t>(i * 37);
    Put("cover_bmp", "bits" + std::to_string(s.bits) + ".bmp", v);
  }
  Bytes core(14 + 12 + 2 * 3 + 4, 0);
  core[0] = 'B';
  core[1] = 'M';
  put32(&core, 10, 14 + 12 + 6);
  put32(&core, 14, 12);
  core[18] = 8;
  core[20] = 1;
  core[22] = 1;
  core[24] = 1;
  Put("cover_bmp", "core.bmp", core);
}

// TrueType fonts: a plain one with long glyph offsets, one with short
// offsets and composites, a collection whose second font is the face, and
// one whose composite glyph contains itself.
void TrueTypeFonts() {
  using namespace testfont;
  FontSpec plain;
  plain.glyphs = {SimpleGlyph(0, 1), SimpleGlyph(30, 600, 40), Bytes{}, SimpleGlyph(5, 700, 30)};
  plain.segments = {{0x20, 0x20, int16_t(2 - 0x20), {}}, {0x41, 0x42, 0, {1, 3}}};
  plain.metrics = 2;
  Put("truetype", "plain.ttf", MakeFont(plain));
  FontSpec composite = plain;
  composite.indexToLocFormat = 0;
  composite.glyphs.push_back(CompositeGlyph({{1, 0x0001 | 0x0008}, {3, 0x0040}, {2, 0x0080}}));
  composite.segments.push_back({0x43, 0x43, int16_t(4 - 0x43), {}});
  Put("truetype", "composite.ttf", MakeFont(composite));
  FontSpec second = composite;
  second.families = {{0x0411, u"Test Sans"}};
  plain.families = {{0x0409, u"Other"}};
  Put("truetype", "collection.ttc", Collection({plain, second}));
  FontSpec looped = plain;
  looped.glyphs.push_back(CompositeGlyph({{4, 0}, {1, 0}}));
  looped.segments.push_back({0x43, 0x43, int16_t(4 - 0x43), {}});
  PutIn(g_regressions, "truetype", "composite-of-itself.ttf", MakeFont(looped));
}


// Enhanced metafiles of a few records each, laid out as the format has them:
// a header, then drawing (a polygon, a text with its advances, a picture of
// 2 x 2 pixels, a clip region, a gradient, a comment), then the end.
Bytes EmfRecordBytes(uint32_t type, const std::vector<uint32_t>& words, const Bytes& tail = {}) {
  Bytes b;
  auto word = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
  };
  const size_t size = 8 + 4 * words.size() + ((tail.size() + 3) & ~size_t(3));
  word(type);
  word(uint32_t(size));
  for (uint32_t w : words) word(w);
  b.insert(b.end(), tail.begin(), tail.end());
  b.resize(size, 0);
  return b;
}

Bytes EmfFile(const std::vector<Bytes>& records) {
  // EMR_HEADER: bounds, frame (A4), signature, version, size, records,
  // handles, description, palette, the reference device.
  std::vector<uint32_t> header = {0, 0, 100, 100, 0, 0, 21000, 29700, 0x464D4520, 0x10000, 0, 0, 4, 0, 0, 0,
                                  1280, 1024, 339, 271};
  Bytes eof = EmfRecordBytes(14, {0, 16, 20});
  size_t total = 8 + 4 * header.size() + eof.size();
  for (const Bytes& r : records) total += r.size();
  header[10] = uint32_t(total);
  header[11] = uint32_t(records.size() + 2);
  Bytes b = EmfRecordBytes(1, header);
  for (const Bytes& r : records) b.insert(b.end(), r.begin(), r.end());
  b.insert(b.end(), eof.begin(), eof.end());
  return b;
}

void EmfFiles() {
  // Polygon16 of three points; a pen and its selection.
  const Bytes polygon = EmfRecordBytes(86, {0, 0, 100, 100, 3, 10 | (10u << 16), 100 | (10u << 16), 100 | (100u << 16)});
  const Bytes pen = EmfRecordBytes(38, {1, 0, 3, 0, 0xFF});
  const Bytes select = EmfRecordBytes(37, {1});
  // ExtTextOutW "Fax" at (10, 200) with its advances.
  Bytes text = EmfRecordBytes(84, {0, 0, 0, 0, 1, 0, 0, 10, 200, 3, 76, 0, 0, 0, 0, 0, 84},
                              {'F', 0, 'a', 0, 'x', 0, 0, 0, 9, 0, 0, 0, 8, 0, 0, 0, 7, 0, 0, 0});
  // StretchDIBits of 2 x 2 pixels of 24 bits.
  Bytes info = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0};
  info.resize(40, 0);
  Bytes pixels(16, 0x80);
  Bytes tail = info;
  tail.insert(tail.end(), pixels.begin(), pixels.end());
  const Bytes picture = EmfRecordBytes(81, {0, 0, 20, 20, 10, 300, 0, 0, 2, 2, 80, 40, 120, 16, 0, 0xCC0020, 20, 20}, tail);
  // ExtSelectClipRgn of one rectangle.
  const Bytes clip = EmfRecordBytes(75, {48, 5, 32, 1, 1, 16, 0, 0, 50, 50, 0, 0, 50, 50});
  // GradientFill of one rectangle between two vertices.
  const Bytes gradient = EmfRecordBytes(118, {0, 0, 50, 50, 2, 1, 0, 0, 0, 0xFF00, 0, 50, 50, 0, 0xFF00, 0, 1});
  const Bytes comment = EmfRecordBytes(70, {4, 0x2A2A2A2A});
  Put("emf_file", "shapes.emf", EmfFile({pen, select, polygon}));
  Put("emf_file", "text.emf", EmfFile({text}));
  Put("emf_file", "picture.emf", EmfFile({clip, picture, gradient, comment}));
}

}  // namespace

// The Easy Set stores: two records of a short settings text, as a store
// keeps them, behind a kind byte and an order value "1,Mine".
void EasySetStores() {
  Bytes b = {1, 6};
  for (char16_t c : std::u16string(u"1,Mine")) {
    b.push_back(static_cast<uint8_t>(c));
    b.push_back(static_cast<uint8_t>(c >> 8));
  }
  for (const std::u16string& name : {std::u16string(u"Mine"), std::u16string(u"Fine fax")}) {
    const std::u16string text = u"[DriverInfo]\r\nversionnum=1\r\n[EasySetName]\r\nname=\"" + name + u"\"\r\n";
    EasySetHeader h{};
    std::memcpy(h.signature, kEasySetSignature, sizeof h.signature);
    h.formatVersion = kEasySetFormatVersion;
    std::copy(name.begin(), name.end(), h.name);
    h.textLength = static_cast<uint32_t>(text.size() * 2);
    const uint8_t* raw = reinterpret_cast<const uint8_t*>(&h);
    b.insert(b.end(), raw, raw + sizeof h);
    raw = reinterpret_cast<const uint8_t*>(text.data());
    b.insert(b.end(), raw, raw + text.size() * 2);
  }
  Put("easy_set_store", "two-records", b);
}

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_seeds <corpus root> <regression root>\n");
    return 2;
  }
  g_root = argv[1];
  g_regressions = argv[2];
  EmptyOptionKeyword();
  SharedRows();
  ToolInputs();
  PageRanges();
  Passwords();
  JpegParams();
  XlStreams();
  ImageRows();
  DevModes();
  DriverDevModes();
  SnmpAnswers();
  PerPageRecords();
  PjlValues();
  OverlayForms();
  CoverBitmaps();
  TrueTypeFonts();
  EmfFiles();
  EasySetStores();
  return 0;
}
