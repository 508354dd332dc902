// Overlay form file headers: both versions, refusals, building a new one.
#include "common/records/overlay_form_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> FileOf(const FormFileHeader& h, size_t headerBytes, size_t streamBytes) {
  std::vector<uint8_t> file(headerBytes + streamBytes, 0x5A);
  std::memcpy(file.data(), &h, headerBytes);
  return file;
}

FormFileHeader NewHeader() {
  FormHeaderFields f{};
  f.ansiName = "Letterhead";
  f.paperWidth = 4960;
  f.paperLength = 7015;
  f.selectColor = 1;
  f.orientation = 2;
  f.resolution = 600;
  FormFileHeader h;
  Form_BuildHeader(f, &h);
  return h;
}

FormHeaderStatus Parse(const std::vector<uint8_t>& file, FormFileHeader* h, uint32_t* offset, uint64_t* length) {
  return Form_ParseHeader(file.data(), file.size(), file.size(), h, offset, length);
}

TEST(OverlayFormFile, VersionTwoRoundTrip) {
  const std::vector<uint8_t> file = FileOf(NewHeader(), 224, 1000);
  FormFileHeader h;
  uint32_t offset;
  uint64_t length;
  ASSERT_EQ(Parse(file, &h, &offset, &length), kFormHeaderOk);
  EXPECT_EQ(std::string(h.name), "Letterhead");
  EXPECT_EQ(h.wideName[0], u'\0');
  EXPECT_EQ(h.version, 2);
  EXPECT_EQ(h.paperWidth, 4960);
  EXPECT_EQ(h.paperLength, 7015);
  EXPECT_EQ(h.color, 1);
  EXPECT_EQ(h.orientation, 2);
  EXPECT_EQ(h.resolution, 600);
  EXPECT_EQ(offset, 224u);
  EXPECT_EQ(length, 1000u);
  // A page stream of exactly one spool block, and an empty one, are whole.
  ASSERT_EQ(Parse(FileOf(NewHeader(), 224, 65536), &h, &offset, &length), kFormHeaderOk);
  EXPECT_EQ(length, 65536u);
  ASSERT_EQ(Parse(FileOf(NewHeader(), 224, 0), &h, &offset, &length), kFormHeaderOk);
  EXPECT_EQ(length, 0u);
}

TEST(OverlayFormFile, VersionOneStreamStartsAtNinetySix) {
  FormFileHeader v1 = NewHeader();
  v1.version = 1;
  v1.headerSize = 96;
  // Whatever lies behind a version 1 header belongs to the stream.
  std::vector<uint8_t> file = FileOf(v1, 96, 300);
  FormFileHeader h;
  uint32_t offset;
  uint64_t length;
  ASSERT_EQ(Parse(file, &h, &offset, &length), kFormHeaderOk);
  EXPECT_EQ(offset, 96u);
  EXPECT_EQ(length, 300u);
  EXPECT_EQ(std::string(h.name), "Letterhead");
  EXPECT_EQ(h.wideName[0], u'\0');
  EXPECT_EQ(h.wideName[10], u'\0');  // not the stream's bytes
}

TEST(OverlayFormFile, RefusesWhatDisagreesWithTheFile) {
  struct Case {
    const char* what;
    uint16_t version, size;
    size_t fileBytes;   // bytes of the file
    size_t readBytes;   // bytes handed to the reader
    const char* magic;
    FormHeaderStatus want;
  } cases[] = {
      {"version 1 claiming 224", 1, 224, 500, 500, "QFV1", kFormHeaderBadVersion},
      {"version 2 claiming 96", 2, 96, 500, 500, "QFV1", kFormHeaderBadVersion},
      {"version 3", 3, 224, 500, 500, "QFV1", kFormHeaderBadVersion},
      {"bad magic", 2, 224, 500, 500, "QFV2", kFormHeaderBadMagic},
      {"under the prefix", 2, 224, 7, 7, "QFV1", kFormHeaderShort},
      {"header read short", 2, 224, 500, 200, "QFV1", kFormHeaderShort},
      {"file shorter than its header", 2, 224, 200, 200, "QFV1", kFormHeaderShort},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FormFileHeader built = NewHeader();
    std::memcpy(built.magic, c.magic, 4);
    built.version = c.version;
    built.headerSize = c.size;
    std::vector<uint8_t> file(std::max<size_t>(c.fileBytes, 224), 0);
    std::memcpy(file.data(), &built, 224);
    file.resize(c.fileBytes);
    FormFileHeader h;
    uint32_t offset = 7;
    uint64_t length = 7;
    EXPECT_EQ(Form_ParseHeader(file.data(), c.readBytes, file.size(), &h, &offset, &length), c.want);
    EXPECT_EQ(offset, 0u);
    EXPECT_EQ(length, 0u);
  }
  // A file length that disagrees with the bytes: shorter than the header,
  // or a stream longer than a spool holds.
  const std::vector<uint8_t> file = FileOf(NewHeader(), 224, 10);
  FormFileHeader h;
  uint32_t offset;
  uint64_t length;
  EXPECT_EQ(Form_ParseHeader(file.data(), file.size(), 100, &h, &offset, &length), kFormHeaderBadStream);
  EXPECT_EQ(Form_ParseHeader(file.data(), file.size(), 224 + kFormMaxStreamLength + 1, &h, &offset, &length),
            kFormHeaderBadStream);
  EXPECT_EQ(Form_ParseHeader(file.data(), file.size(), 224 + kFormMaxStreamLength, &h, &offset, &length),
            kFormHeaderOk);
  EXPECT_EQ(Form_ParseHeader(nullptr, 0, 0, &h, &offset, &length), kFormHeaderShort);
}

TEST(OverlayFormFile, NamesEndInsideTheirFields) {
  FormFileHeader built = NewHeader();
  std::memset(built.name, 'A', sizeof built.name);
  for (char16_t& c : built.wideName) c = u'W';
  const std::vector<uint8_t> file = FileOf(built, 224, 4);
  FormFileHeader h;
  uint32_t offset;
  uint64_t length;
  ASSERT_EQ(Parse(file, &h, &offset, &length), kFormHeaderOk);
  EXPECT_EQ(std::strlen(h.name), 63u);
  EXPECT_EQ(std::u16string(h.wideName).size(), 63u);
}

TEST(OverlayFormFile, BuildPutsTheNameInOneFieldCutTo63) {
  const std::u16string wide = u"\u6587\u66F8\u30D5\u30A9\u30FC\u30E0";
  FormHeaderFields f{};
  f.ansiName = "??????";
  f.ansiNeededDefault = true;
  f.wideName = wide.c_str();
  f.selectColor = 2;
  f.orientation = 1;
  FormFileHeader h;
  Form_BuildHeader(f, &h);
  EXPECT_EQ(std::u16string(h.wideName), wide);
  for (char c : h.name) EXPECT_EQ(c, '\0');
  EXPECT_EQ(h.color, 2);
  EXPECT_EQ(h.orientation, 1);
  EXPECT_EQ(std::memcmp(h.magic, "QFV1", 4), 0);
  EXPECT_EQ(h.headerSize, 224);

  const std::string longName(100, 'n');
  f = FormHeaderFields{};
  f.ansiName = longName.c_str();
  Form_BuildHeader(f, &h);
  EXPECT_EQ(std::string(h.name), longName.substr(0, 63));
  EXPECT_EQ(h.wideName[0], u'\0');
  EXPECT_EQ(h.color, 2);  // anything but 1 is monochrome
}

}  // namespace
