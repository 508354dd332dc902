// The maker's name of a description compiled from text.
#include "drender/model/vendor_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/qxd/qxd_document.h"

namespace {

struct Found {
  bool ok;
  std::string value;
};

Found Read(const std::string& text, uint32_t patchAt = 0, uint32_t patch = 0, bool patchList = false) {
  qxd::Document doc;
  std::string error;
  std::vector<uint8_t> bytes;
  qxd::Placement place;
  EXPECT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  EXPECT_TRUE(qxd::Build(doc, &bytes, &error, &place)) << error;
  if (patchList) qxd::PatchU32(&bytes, qxd::GetU32(bytes, place.sections.back().index) + patchAt, patch);
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  char value[kVendorValueSize];
  bool ok = Rdc_FindVendorName(ctx, value);
  QxdClose(ctx);
  return {ok, value};
}

const std::string kHead = "qxd 1\n\nsection \"Other\" value \"x\"\n\nsection \"RegistryKeySetting\" pairs value=256\n";

TEST(VendorNameTest, LastMatchingRowWins) {
  Found f = Read(kHead +
                 "  pair \"VendorName\" \"First Maker\"\n"
                 "  pair \"DriverName\" \"Fax\"\n"
                 "  pair \"vendorname\" \"Second Maker With A Name Longer Than Thirty-Two Bytes\"\n"
                 "  pair \"VendorNameX\" \"Not This\"\n");
  EXPECT_TRUE(f.ok);
  EXPECT_EQ(f.value, "Second Maker With A Name Longer Than Thirty-Two Bytes");
}

TEST(VendorNameTest, MissingSectionOrRow) {
  EXPECT_FALSE(Read("qxd 1\n\nsection \"Other\" value \"x\"\n").ok);
  Found f = Read(kHead + "  pair \"DriverName\" \"Fax\"\n");
  EXPECT_FALSE(f.ok);
  EXPECT_EQ(f.value, "");
}

TEST(VendorNameTest, DamagedCountsEndWithoutReading) {
  std::string text = kHead + "  pair \"VendorName\" \"Maker\"\n";
  EXPECT_TRUE(Read(text).ok);
  // More rows than the file holds: the rows inside it are read, no more.
  Found many = Read(text, 0, 0x01000000, true);
  EXPECT_TRUE(many.ok);
  EXPECT_EQ(many.value, "Maker");
  EXPECT_FALSE(Read(text, 0, 0xFFFFFFFF, true).ok);   // a negative count
  EXPECT_FALSE(Read(text, 8, 0xFFFFFF00, true).ok);   // rows beyond the file
}

}  // namespace
