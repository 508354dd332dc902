// Writes the seed inputs of the harnesses that do not read description
// files, each made by the project's own code: texts, enciphered passwords,
// JPEG parameter blocks, PCL XL streams and fragments from the stream
// writer, and DEVMODEs.  Usage: make_seeds <corpus root>; each harness's
// seeds go into a folder of its name.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/cipher/password_cipher.h"
#include "common/cipher/ui_encryption_info.h"
#include "common/records/public_devmode.h"
#include "drender/pclxl/pclxl_tables.h"
#include "drender/pclxl/pclxl_vendor_unique.h"
#include "drender/pclxl/pclxl_writer.h"

namespace {

using Bytes = std::vector<uint8_t>;
std::filesystem::path g_root;

void Put(const char* harness, const std::string& name, const Bytes& bytes) {
  const std::filesystem::path dir = g_root / harness;
  std::filesystem::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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
  XL_UInt16XY(&enc, 600, 600);
  XL_Attr(&enc, XLA_UNITS_PER_MEASURE);
  XL_UByte(&enc, 0, 1);
  XL_Attr(&enc, XLA_MEASURE);
  XL_UByte(&enc, 0, 1);
  XL_Attr(&enc, XLA_ERROR_REPORT);
  XL_Operator(&enc, XLO_BEGIN_SESSION);
  XL_UByte(&enc, 0, 1);
  XL_Attr(&enc, XLA_SOURCE_TYPE);
  XL_UByte(&enc, 1, 1);
  XL_Attr(&enc, XLA_DATA_ORG);
  XL_Operator(&enc, XLO_OPEN_DATA_SOURCE);
  XL_UByte(&enc, 0, 1);
  XL_Attr(&enc, XLA_ORIENTATION);
  XL_UByte(&enc, 2, 1);
  XL_Attr(&enc, XLA_MEDIA_SIZE);
  XL_Operator(&enc, XLO_BEGIN_PAGE);
  XL_VendorUnique(&enc, vdu[0]);
  XL_Operator(&enc, XLO_END_PAGE);
  XL_Operator(&enc, XLO_CLOSE_DATA_SOURCE);
  XL_Operator(&enc, XLO_END_SESSION);
  Bytes stream = {0x00};
  stream.insert(stream.end(), sink.bytes.begin(), sink.bytes.end());
  Put("xl_dissector", "stream", stream);
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
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds <corpus root>\n");
    return 2;
  }
  g_root = argv[1];
  PageRanges();
  Passwords();
  JpegParams();
  XlStreams();
  DevModes();
  return 0;
}
