// Vendor-unique texts of the page templates: the items they write and the
// bounds of their parser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drender/pclxl/pclxl_vendor_unique.h"
#include "tests/pclxl/xl_dissector.h"

namespace {

struct Sink {
  std::vector<uint8_t> bytes;
  static uint32_t Write(void* context, const uint8_t* data, uint32_t length) {
    auto* sink = static_cast<Sink*>(context);
    sink->bytes.insert(sink->bytes.end(), data, data + length);
    return 1;
  }
};

std::vector<uint8_t> Encode(const char* text, uint32_t* result = nullptr) {
  Sink sink;
  XlEncoder enc;
  XL_InitEncoder(&enc, &Sink::Write, &sink);
  uint32_t r = XL_VendorUnique(&enc, text);
  if (result) *result = r;
  return sink.bytes;
}

TEST(VendorUnique, RecognisesItsPrefix) {
  EXPECT_TRUE(Rdc_IsVendorUniqueText("VDU/"));
  EXPECT_TRUE(Rdc_IsVendorUniqueText("VDU/194_7/"));
  EXPECT_FALSE(Rdc_IsVendorUniqueText("VDU"));
  EXPECT_FALSE(Rdc_IsVendorUniqueText("vdu/194_7/"));
  EXPECT_FALSE(Rdc_IsVendorUniqueText("4"));
  EXPECT_FALSE(Rdc_IsVendorUniqueText(""));
  EXPECT_FALSE(Rdc_IsVendorUniqueText(nullptr));
}

TEST(VendorUnique, WritesItsItemsThenTheOperator) {
  using Bytes = std::vector<uint8_t>;
  const std::string value31(31, '7');
  const std::string value32(32, '7');
  struct Case {
    std::string text;
    Bytes bytes;
  };
  const Case cases[] = {
      {"VDU/194_7/248_150/", {0xC2, 0x07, 0x00, 0x00, 0x00, 0xF8, 0x96, 0x46}},
      {"VDU/", {0x46}},
      {"VDU/200_AB/", {0xC8, 0xC1, 0x02, 0x00, 'A', 'B', 0x46}},
      {"VDU/200_/", {0xC8, 0xC1, 0x00, 0x00, 0x46}},
      {"VDU/194_4294967295/", {0xC2, 0xFF, 0xFF, 0xFF, 0xFF, 0x46}},
      {"VDU/195_1/248_200/", {0xF8, 0xC8, 0x46}},  // unknown type writes nothing
      {"VDU/248_300/", {0x46}},                    // no one-byte attribute identifier
      {"VDU/194_7", {0x46}},                       // no closing slash
      {"VDU/194_7/248_150", {0xC2, 0x07, 0x00, 0x00, 0x00, 0x46}},
      {"VDU/1947/248_1/", {0xF8, 0x01, 0x46}},     // item without an underscore
      {"VDU/0194_7/248_1/", {0xF8, 0x01, 0x46}},   // type text of four characters
      {"VDU/200_" + value31 + "/", {}},            // filled in below
      {"VDU/200_" + value32 + "/248_9/", {0xF8, 0x09, 0x46}},  // value too long: skipped
  };
  for (const Case& c : cases) {
    Bytes expected = c.bytes;
    if (expected.empty()) {
      expected = {0xC8, 0xC1, 31, 0};
      expected.insert(expected.end(), value31.begin(), value31.end());
      expected.push_back(0x46);
    }
    uint32_t result = 0;
    EXPECT_EQ(Encode(c.text.c_str(), &result), expected) << c.text;
    EXPECT_EQ(result, 1u) << c.text;
  }
}

TEST(VendorUnique, OtherTextsWriteNothing) {
  uint32_t result = 1;
  EXPECT_TRUE(Encode("194_7/", &result).empty());
  EXPECT_EQ(result, 0u);
  EXPECT_TRUE(Encode(nullptr, &result).empty());
  EXPECT_EQ(result, 0u);
}

TEST(VendorUnique, OutputIsAnOperatorOfTheStream) {
  std::vector<uint8_t> bytes = Encode("VDU/194_1/248_200/200_PLAIN/248_201/");
  xl::Options o;
  o.header = false;
  o.start = xl::Context::Session;
  xl::Dissection d = xl::Dissect(bytes, o);
  ASSERT_TRUE(d.ok) << d.error;
  ASSERT_EQ(d.ops.size(), 1u);
  EXPECT_EQ(xl::DumpOperator(d.ops[0]),
            "VendorUnique #200:uint32=1 #201:ubyte_array=\"PLAIN\"");
}

}  // namespace
