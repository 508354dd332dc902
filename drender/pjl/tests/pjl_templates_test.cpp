// The command file as the render core reads it: sections found whatever
// their case, rows and entries in file order, texts cut to 511
// characters, the key selection of "PJL_Encryption", and damaged files.
// Fixtures are compiled from text with the description tool.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "drender/pjl/pjl_templates.h"
#include "tools/qxd/qxd_document.h"

namespace {

struct Closer {
  void operator()(QxdContext* c) const { QxdClose(c); }
};
using File = std::unique_ptr<QxdContext, Closer>;

const char kText[] =
    "qxd 1 headers=40\n"
    "\n"
    "section \"Version\" texts\n"
    "  entry key=\"Ver_Command\" text=\"3\"\n"
    "\n"
    "section \"pjl_encryption\" pairs\n"
    "  pair \"EncKeyID\" \"3\"\n"
    "  pair \"Other\" \"9\"\n"
    "  pair \"ModelID\" \"12\"\n"
    "\n"
    "section \"PJL_StartCommand\" commands\n"
    "  row \"NonUI1\"\n"
    "    command \"StartJob\" \"@PJL JOB\\r\\n\"\n"
    "    command \"Empty\"\n"
    "  row \"Orientation\"\n"
    "    command \"Portrait\" \"@PJL SET ORIENTATION=PORTRAIT\\r\\n\"\n"
    "\n"
    "section \"PJL_EndCommand\" commands\n"
    "  row \"Trailer\"\n"
    "    command \"EndJob\" \"@PJL EOJ\\r\\n\"\n";

std::vector<uint8_t> Compile(const std::string& text, qxd::Placement* placement = nullptr) {
  qxd::Document doc;
  std::string error;
  EXPECT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::Build(doc, &bytes, &error, placement)) << error;
  return bytes;
}

File Open(const std::vector<uint8_t>& bytes) { return File(QxdOpenImage(bytes.data(), bytes.size())); }

TEST(PjlCommandFile, TextFormRoundTrip) {
  qxd::Document doc, back;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(kText, &doc, &error)) << error;
  EXPECT_EQ(qxd::FormatText(doc), kText);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  ASSERT_TRUE(qxd::Decode(bytes, &back, &error)) << error;
  EXPECT_EQ(qxd::FormatText(back), kText);
  // Commands sections exist only in files with 40-byte headers.
  EXPECT_FALSE(qxd::ParseText("qxd 1\n\nsection \"A\" commands\n  row \"R\"\n", &doc, &error) &&
               qxd::Build(doc, &bytes, &error));
}

TEST(PjlCommandFile, LoadsRowsAndEntries) {
  std::vector<uint8_t> bytes = Compile(kText);
  File file = Open(bytes);
  EXPECT_NE(QxdFindShortSection(file.get(), "pjl_startcommand"), 0u);
  EXPECT_EQ(QxdFindShortSection(file.get(), "PJL_Start"), 0u);
  PjlTemplateSet set{};
  Pjl_ResetKeySelection();
  Pjl_LoadTemplateSet(file.get(), &set);
  EXPECT_EQ(set.beginPage, nullptr);
  ASSERT_NE(set.startCommands, nullptr);
  ASSERT_NE(set.endCommands, nullptr);
  const CommandTemplateRow* rows = set.startCommands->rows;
  EXPECT_STREQ(rows[0].name, "NonUI1");
  EXPECT_STREQ(rows[1].name, "Orientation");
  EXPECT_STREQ(rows[2].name, "");
  EXPECT_STREQ(Pjl_EntryText(&rows[0], "StartJob"), "\"@PJL JOB\\r\\n\"");
  EXPECT_STREQ(Pjl_EntryText(&rows[0], "Empty"), "");
  EXPECT_STREQ(Pjl_EntryText(&rows[0], "startjob"), "");  // entry names match exactly
  EXPECT_EQ(Pjl_FindEntry(rows[0].entries, "Nothing"), 2u);
  EXPECT_EQ(Pjl_FindRow(set.startCommands, "orientation"), nullptr);
  EXPECT_EQ(Pjl_FindRow(set.startCommands, "Orientation"), &rows[1]);
  EXPECT_EQ(Pjl_KeyId(), 3u);
  EXPECT_EQ(Pjl_ModelId(), 12u);
  Pjl_FreeTemplateSet(&set);
}

TEST(PjlCommandFile, LongTextsAreCutTo511) {
  const std::string text = std::string("qxd 1 headers=40\n\nsection \"PJL_EndCommand\" commands\n  row \"Trailer\"\n") +
                           "    command \"EndJob\" " + std::string(600, 'x') + "\n";
  std::vector<uint8_t> bytes = Compile(text);
  File file = Open(bytes);
  CommandTemplateList* list = Pjl_LoadTemplateSection(file.get(), "PJL_EndCommand");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(std::string(Pjl_EntryText(&list->rows[0], "EndJob")), std::string(511, 'x'));
  Pjl_FreeTemplateList(list);
}

TEST(PjlCommandFile, DamagedFiles) {
  qxd::Placement places;
  const std::vector<uint8_t> good = Compile(kText, &places);
  const uint32_t version = places.sections[0].header;
  const uint32_t start = places.sections[2].header;
  const uint32_t nextAt = offsetof(QxdShortSectionHeader, nextSection);
  // A chain that points back to itself, or past the file, ends the walk.
  for (uint32_t next : {version, 0u, 0x7FFFFFF0u}) {
    std::vector<uint8_t> bytes = good;
    qxd::PatchU32(&bytes, version + nextAt, next);
    File file = Open(bytes);
    EXPECT_EQ(Pjl_LoadTemplateSection(file.get(), "PJL_StartCommand"), nullptr) << next;
  }
  // A row count beyond the file, an entry count beyond the file, a text
  // length of 0 and an entry chain that leaves the file.
  {
    std::vector<uint8_t> bytes = good;
    qxd::PatchU32(&bytes, start + kQxdShortCountAt, 100000);
    File file = Open(bytes);
    EXPECT_EQ(Pjl_LoadTemplateSection(file.get(), "PJL_StartCommand"), nullptr);
  }
  {
    std::vector<uint8_t> bytes = good;
    const uint32_t row = places.sections[2].records[0];
    qxd::PatchU32(&bytes, row + offsetof(QxdCommandRowHeader, entryCount), 0xFFFFFFFFu);
    File file = Open(bytes);
    CommandTemplateList* list = Pjl_LoadTemplateSection(file.get(), "PJL_StartCommand");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->rows[0].entries, nullptr);
    EXPECT_STREQ(Pjl_EntryText(&list->rows[1], "Portrait"), "\"@PJL SET ORIENTATION=PORTRAIT\\r\\n\"");
    Pjl_FreeTemplateList(list);
  }
  {
    std::vector<uint8_t> bytes = good;
    const uint32_t row = places.sections[2].records[0];
    const uint32_t entry = qxd::GetU32(bytes, row + offsetof(QxdCommandRowHeader, firstEntry));
    qxd::PatchU32(&bytes, entry + offsetof(QxdCommandEntryHeader, textLength), 0);
    qxd::PatchU32(&bytes, entry + offsetof(QxdCommandEntryHeader, nextEntry), 0x7FFFFFF0u);
    File file = Open(bytes);
    CommandTemplateList* list = Pjl_LoadTemplateSection(file.get(), "PJL_StartCommand");
    ASSERT_NE(list, nullptr);
    EXPECT_STREQ(Pjl_EntryText(&list->rows[0], "StartJob"), "");
    EXPECT_STREQ(Pjl_EntryText(&list->rows[0], "Empty"), "");
    Pjl_FreeTemplateList(list);
  }
}

TEST(PjlCommandFile, EncryptionKeysNeedEqualNonEmptyNames) {
  const char text[] =
      "qxd 1 headers=40\n\nsection \"PJL_Encryption\" pairs\n"
      "  pair \"EncKeyIDX\" \"7\"\n  pair \"\" \"8\"\n  pair \"Enc\" \"9\"\n  pair \"ModelID\" \"11\"\n";
  std::vector<uint8_t> bytes = Compile(text);
  File file = Open(bytes);
  Pjl_ResetKeySelection();
  Pjl_ReadEncryptionSection(file.get());
  EXPECT_EQ(Pjl_KeyId(), 1u);
  EXPECT_EQ(Pjl_ModelId(), 11u);
  // A file without the section leaves the values of an earlier load.
  std::vector<uint8_t> none = Compile("qxd 1 headers=40\n\nsection \"Version\" texts\n");
  File other = Open(none);
  Pjl_ReadEncryptionSection(other.get());
  EXPECT_EQ(Pjl_ModelId(), 11u);
}

}  // namespace
