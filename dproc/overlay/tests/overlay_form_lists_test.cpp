// The form files the lists read, made by qxdtool from their texts, through
// the lists' reader and the job's reader; the driver's list of device forms
// and the text of its stored entries.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/records/overlay_form_file.h"
#include "dproc/overlay/driver_form_list.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/form_document.h"

namespace {

std::vector<uint8_t> FormFile(const std::string& stem) {
  std::ifstream in(testsupport::BinaryPath("overlay_forms/" + stem + ".QFV"), std::ios::binary);
  EXPECT_TRUE(in) << stem;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(OverlayFormFiles, ListedAndInsertedAsTheirHeadersAllow) {
  struct Case {
    const char* stem;
    bool listed;                // the lists' reader accepts it
    FormHeaderStatus inserted;  // what a job's reader says
    const char* ansiName;
    std::u16string wideName;
  };
  const Case cases[] = {
      {"letterhead_v2", true, kFormHeaderOk, "Letterhead", u""},
      {"invoice_v1", true, kFormHeaderOk, "Invoice", u""},
      {"wide_name_v2", true, kFormHeaderOk, "", u"\u0391\u03b8\u03ae\u03bd\u03b1 \u8868"},
      {"wrong_size_v2", true, kFormHeaderBadVersion, "Odd size", u""},
      {"bad_magic", false, kFormHeaderBadMagic, "", u""},
      {"short_v2", false, kFormHeaderShort, "", u""},
      {"version3", false, kFormHeaderBadVersion, "", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stem);
    const std::vector<uint8_t> file = FormFile(c.stem);
    FormFileHeader h;
    std::memset(&h, 0x5A, sizeof h);
    ASSERT_EQ(Form_ReadListHeader(file.data(), file.size(), &h), c.listed);
    EXPECT_STREQ(h.name, c.ansiName);
    EXPECT_EQ(std::u16string(h.wideName), c.wideName);
    EXPECT_EQ(Form_ShowsAnsiName(h), c.ansiName[0] != 0);
    FormFileHeader j;
    uint32_t at = 0;
    uint64_t length = 0;
    EXPECT_EQ(Form_ParseHeader(file.data(), file.size(), file.size(), &j, &at, &length), c.inserted);
  }
  // A version 1 header leaves the whole wide part zero, whatever follows it
  // in the file (its page data).
  const std::vector<uint8_t> v1 = FormFile("invoice_v1");
  FormFileHeader h;
  ASSERT_TRUE(Form_ReadListHeader(v1.data(), v1.size(), &h));
  const auto* bytes = reinterpret_cast<const uint8_t*>(&h);
  for (size_t i = 96; i < sizeof h; ++i) ASSERT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(h.paperWidth, 2159);
  EXPECT_EQ(h.orientation, 2);
  EXPECT_EQ(h.resolution, 300);
  // A version 1 file cut inside its 96 bytes is not a form.
  EXPECT_FALSE(Form_ReadListHeader(v1.data(), 95, &h));
}

TEST(OverlayFormFiles, TheToolRefusesTextsItCannotWrite) {
  std::vector<uint8_t> bytes;
  std::string error;
  for (const char* text : {"", "qxd 1\n", "form\nversion x\n", "form\nmagic \"QF\"\n", "form\nsize 3\n",
                           "form\nversion 1\nwide-name \"A\"\n", "form\nname \"unterminated\n"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(qxd::CompileFormText(text, &bytes, &error));
    EXPECT_FALSE(error.empty());
    error.clear();
  }
}

TEST(DriverFormList, OneEntryPerNameAndLocation) {
  DriverFormList list;
  DriverFormNode* a = AddDriverForm(&list, "Letter", 1);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(AddDriverForm(&list, "LETTER", 1), nullptr);
  DriverFormNode* b = AddDriverForm(&list, "letter", 2);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(FindDriverForm(&list, "lEtTeR", 2), b);
  EXPECT_EQ(FindDriverForm(&list, "Letter", 3), nullptr);
  // Names are cut to 40 bytes, also when looked for.
  const std::string longName(60, 'N');
  DriverFormNode* c = AddDriverForm(&list, longName.c_str(), 1);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(std::strlen(c->name), 40u);
  EXPECT_EQ(FindDriverForm(&list, longName.c_str(), 1), c);
  EXPECT_EQ(c->onDevice + c->registered + c->formName[0], 0u);
  EXPECT_TRUE(RemoveDriverForm(&list, a));
  EXPECT_FALSE(RemoveDriverForm(&list, nullptr));
  EXPECT_FALSE(RemoveDriverForm(nullptr, b));
  ASSERT_EQ(list.nodes.size(), 2u);
  EXPECT_EQ(list.nodes[0].get(), b);
}

TEST(DriverFormList, StoredEntriesReadAsWritten) {
  struct Case {
    const char* text;
    uint32_t before;  // the location of the entry before
    const char* name;
    const char* formName;
    uint32_t location;
  };
  const Case cases[] = {
      {"Form A,Quarterly,2", 0, "Form A", "Quarterly", 2},
      {"Form A,,3", 0, "Form A", "", 3},
      {"Only a name", 5, "Only a name", "", 0},
      {"Name,Form,HDD", 7, "Name", "Form", 7},  // a letter keeps the entry before's location
      {"Name,Form,12345678", 0, "Name", "Form", 1234567},
      {"", 4, "", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    char name[kDriverFormNameBytes], formName[kDriverFormFormNameBytes];
    uint32_t location = c.before;
    ParseDriverFormValue(c.text, name, formName, &location);
    EXPECT_STREQ(name, c.name);
    EXPECT_STREQ(formName, c.formName);
    EXPECT_EQ(location, c.location);
  }
  // Round trip of a node with the longest fields.
  DriverFormNode node{};
  CopyFormText(node.name, sizeof node.name, std::string(50, 'n').c_str());
  CopyFormText(node.formName, sizeof node.formName, std::string(70, 'f').c_str());
  node.location = 3;
  char text[260];
  FormatDriverFormValue(node, text);
  char name[kDriverFormNameBytes], formName[kDriverFormFormNameBytes];
  uint32_t location = 0;
  ParseDriverFormValue(text, name, formName, &location);
  EXPECT_EQ(std::string(name), std::string(40, 'n'));
  EXPECT_EQ(std::string(formName), std::string(63, 'f'));
  EXPECT_EQ(location, 3u);
}

}  // namespace
