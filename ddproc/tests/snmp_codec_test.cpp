// BER elements, the SNMPv1 request and answer, and dotted OID texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ddproc/snmp/ber_codec.h"
#include "ddproc/snmp/oid_text.h"
#include "ddproc/snmp/snmp_message.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Test-side assembly of elements, independent of the encoder: short lengths,
// or the long form with `long_bytes` length bytes.
Bytes Tlv(uint8_t tag, const Bytes& content, int long_bytes = 0) {
  Bytes out{tag};
  if (long_bytes == 0 && content.size() >= 128) long_bytes = 2;
  if (long_bytes == 0) {
    out.push_back(static_cast<uint8_t>(content.size()));
  } else {
    out.push_back(static_cast<uint8_t>(0x80 | long_bytes));
    for (int i = long_bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(content.size() >> (8 * i)));
  }
  out.insert(out.end(), content.begin(), content.end());
  return out;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// sysObjectID.0
const Bytes kName = {0x2B, 6, 1, 2, 1, 1, 2, 0};

// An answer to request `id` with the given value element.
Bytes Answer(int id, const Bytes& value, const std::string& community = "tamrik", uint8_t pdu = 0xA2,
             int status = 0, int index = 0) {
  Bytes binding = Tlv(0x30, Cat({Tlv(0x06, kName), value}));
  Bytes ids = Cat({Tlv(0x02, {static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)}),
                   Tlv(0x02, {static_cast<uint8_t>(status)}), Tlv(0x02, {static_cast<uint8_t>(index)})});
  return Tlv(0x30, Cat({Tlv(0x02, {0}), Tlv(0x04, Text(community)), Tlv(pdu, Cat({ids, Tlv(0x30, binding)}))}));
}

SnmpDecodeResult Decode(const Bytes& datagram, SnmpAnswer* answer, int id = 257) {
  return SnmpDecodeAnswer(datagram.data(), datagram.size(), "tamrik", id, answer);
}

TEST(SnmpRequest, GetOfSysObjectIdEncodesAsTheKnown41Bytes) {
  uint32_t arcs[] = {1, 3, 6, 1, 2, 1, 1, 2, 0};
  SnmpBinding binding{};
  binding.name.count = 9;
  binding.name.arcs = arcs;
  binding.value.type = kAsnNull;
  SnmpBindingList list{&binding, 1};
  Bytes expected = {0x30, 0x27, 0x02, 0x01, 0x00, 0x04, 0x06, 't',  'a',  'm',  'r',  'i',  'k',  0xA0,
                    0x1A, 0x02, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x0E, 0x30,
                    0x0C, 0x06, 0x08, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, 0x02, 0x00, 0x05, 0x00};
  EXPECT_EQ(SnmpEncodeRequest("tamrik", kSnmpPduGetRequest, 257, list), expected);
  EXPECT_EQ(expected.size(), 41u);
  // Without a community text the element is left out.
  Bytes bare = SnmpEncodeRequest(nullptr, kSnmpPduGetRequest, 257, list);
  EXPECT_EQ(bare.size(), 33u);
  EXPECT_EQ(bare[5], 0xA0);
}

TEST(SnmpRequest, UnencodableNamesAreLeftOutOfTheirBinding) {
  std::vector<uint32_t> long_name = {1, 3};
  long_name.insert(long_name.end(), 30, 0xFFFFFFFFu);  // 151 content bytes
  const std::vector<uint32_t> cases[] = {{3, 6, 1}, {1, 40, 2}, {1}, long_name};
  for (const auto& arcs : cases) {
    Bytes out;
    BerEncodeVarBind(arcs.data(), arcs.size(), true, &out);
    EXPECT_EQ(out, (Bytes{0x30, 0x02, 0x05, 0x00})) << arcs.size();
  }
  // 128 content bytes are still written.
  std::vector<uint32_t> arcs(128, 1);
  Bytes content;
  EXPECT_TRUE(BerEncodeOidContent(arcs.data(), arcs.size(), &content));
  EXPECT_EQ(content.size(), 127u);
  arcs.assign(129, 1);
  arcs.push_back(1);
  content.clear();
  EXPECT_FALSE(BerEncodeOidContent(arcs.data(), arcs.size(), &content));
}

TEST(BerInteger, MinimalTwosComplementAndBack) {
  struct Case {
    int32_t value;
    Bytes encoded;
  } cases[] = {
      {0, {0x02, 0x01, 0x00}},          {257, {0x02, 0x02, 0x01, 0x01}},
      {127, {0x02, 0x01, 0x7F}},        {128, {0x02, 0x02, 0x00, 0x80}},
      {-1, {0x02, 0x01, 0xFF}},         {-128, {0x02, 0x01, 0x80}},
      {-129, {0x02, 0x02, 0xFF, 0x7F}}, {INT32_MIN, {0x02, 0x04, 0x80, 0x00, 0x00, 0x00}},
      {INT32_MAX, {0x02, 0x04, 0x7F, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& c : cases) {
    Bytes out;
    BerEncodeInteger(c.value, &out);
    EXPECT_EQ(out, c.encoded) << c.value;
    EXPECT_EQ(BerDecodeInteger(out.data() + 2, out.size() - 2), c.value);
  }
  // Five bytes (a Counter32 with its leading zero) give the low four.
  Bytes counter = {0x00, 0xFF, 0xFF, 0xFF, 0xFE};
  EXPECT_EQ(static_cast<uint32_t>(BerDecodeInteger(counter.data(), counter.size())), 0xFFFFFFFEu);
}

TEST(BerLength, ShortAndLongFormsRoundTrip) {
  struct Case {
    size_t length;
    Bytes header;
  } cases[] = {
      {0, {0x04, 0x00}},
      {127, {0x04, 0x7F}},
      {128, {0x04, 0x82, 0x00, 0x80}},
      {65535, {0x04, 0x82, 0xFF, 0xFF}},
      {65536, {0x04, 0x83, 0x01, 0x00, 0x00}},
      {16777216, {0x04, 0x84, 0x01, 0x00, 0x00, 0x00}},
  };
  for (const auto& c : cases) {
    Bytes content(c.length, 0x5A);
    Bytes out;
    BerEncodeTlv(0x04, content.data(), content.size(), &out);
    ASSERT_EQ(out.size(), c.header.size() + c.length);
    EXPECT_TRUE(std::equal(c.header.begin(), c.header.end(), out.begin())) << c.length;
    size_t pos = 0;
    BerElement e;
    ASSERT_TRUE(BerDecodeTlv(out.data(), out.size(), &pos, &e));
    EXPECT_EQ(e.length, c.length);
    EXPECT_EQ(e.content, c.header.size());
    // One byte short of the content is refused.
    pos = 0;
    EXPECT_FALSE(BerDecodeTlv(out.data(), out.size() - 1, &pos, &e) && c.length > 0);
  }
}

TEST(BerLength, RefusesIndefiniteAndOverlongLengthForms) {
  BerElement e;
  for (const Bytes& b : {Bytes{0x04, 0x80, 0x00, 0x00}, Bytes{0x04, 0x85, 0, 0, 0, 0, 1, 0xAA},
                         Bytes{0x04, 0x84, 0xFF, 0xFF, 0xFF, 0xFF, 0}, Bytes{0x04, 0x02, 0x00}, Bytes{0x04},
                         Bytes{0x04, 0x82, 0x00}}) {
    size_t pos = 0;
    EXPECT_FALSE(BerDecodeTlv(b.data(), b.size(), &pos, &e)) << b.size();
  }
}

TEST(BerOid, DecodesArcsAndRefusesOverflowsAndExcess) {
  uint32_t arcs[32];
  size_t n = 0;
  Bytes big = {0x2B, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F};  // 1.3.4294967295
  ASSERT_TRUE(BerDecodeOid(big.data(), big.size(), arcs, 32, &n));
  ASSERT_EQ(n, 3u);
  EXPECT_EQ(arcs[2], 0xFFFFFFFFu);
  Bytes overflow = {0x2B, 0x90, 0x80, 0x80, 0x80, 0x00};  // 2^32
  EXPECT_FALSE(BerDecodeOid(overflow.data(), overflow.size(), arcs, 32, &n));
  Bytes open = {0x2B, 0x86};
  EXPECT_FALSE(BerDecodeOid(open.data(), open.size(), arcs, 32, &n));
  Bytes many(32, 0x01);  // 0.1 and 31 more arcs: 33
  EXPECT_FALSE(BerDecodeOid(many.data(), many.size(), arcs, 32, &n));
  many.pop_back();
  EXPECT_TRUE(BerDecodeOid(many.data(), many.size(), arcs, 32, &n));
  EXPECT_EQ(n, 32u);
  Bytes two = {0x88, 0x37};  // 2.999
  ASSERT_TRUE(BerDecodeOid(two.data(), two.size(), arcs, 32, &n));
  EXPECT_EQ(arcs[0], 2u);
  EXPECT_EQ(arcs[1], 999u);
}

TEST(SnmpAnswerDecode, ReadsEveryValueType) {
  SnmpAnswer a;
  ASSERT_EQ(Decode(Answer(257, Tlv(0x02, {0x01, 0x00})), &a), SnmpDecodeResult::kOk);
  EXPECT_EQ(a.value_tag, 0x02);
  EXPECT_EQ(a.number, 256);
  EXPECT_TRUE(a.community_matches);

  ASSERT_EQ(Decode(Answer(257, Tlv(0x41, {0x00, 0xFF, 0xFF, 0xFF, 0xFF})), &a), SnmpDecodeResult::kOk);
  EXPECT_EQ(static_cast<uint32_t>(a.number), 0xFFFFFFFFu);

  ASSERT_EQ(Decode(Answer(257, Tlv(0x06, {0x2B, 6, 1, 2, 1, 25, 2, 1, 4})), &a), SnmpDecodeResult::kOk);
  EXPECT_TRUE(OidEqualsText(a.arcs, a.arc_count, "1.3.6.1.2.1.25.2.1.4"));

  ASSERT_EQ(Decode(Answer(257, Tlv(0x05, {}), "tamrik", 0xA2, 2, 1), &a), SnmpDecodeResult::kOk);
  EXPECT_EQ(a.error_status, 2);
  EXPECT_EQ(a.error_index, 1);
  EXPECT_EQ(a.length, 0u);

  // 200 bytes of text with either long length form.
  Bytes text(200, 'x');
  for (int long_bytes : {1, 2}) {
    Bytes datagram = Answer(257, Tlv(0x04, text, long_bytes));
    ASSERT_EQ(Decode(datagram, &a), SnmpDecodeResult::kOk) << long_bytes;
    ASSERT_EQ(a.length, 200u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(a.bytes), a.length), std::string(200, 'x'));
  }
}

TEST(SnmpAnswerDecode, WrongIdCommunityAndTags) {
  SnmpAnswer a;
  EXPECT_EQ(Decode(Answer(258, Tlv(0x02, {1})), &a), SnmpDecodeResult::kWrongRequestId);
  // The community is compared by length first.
  for (const char* other : {"tamri", "tamrikk", "Tamrik", ""}) {
    ASSERT_EQ(Decode(Answer(257, Tlv(0x02, {7}), other), &a), SnmpDecodeResult::kOk) << other;
    EXPECT_FALSE(a.community_matches) << other;
    EXPECT_EQ(a.number, 7);
  }
  EXPECT_EQ(Decode(Answer(257, Tlv(0x02, {1}), "tamrik", 0xA0), &a), SnmpDecodeResult::kBadFormat);
  EXPECT_EQ(Decode(Answer(257, Tlv(0x80, {})), &a), SnmpDecodeResult::kBadFormat);
  EXPECT_EQ(Decode(Answer(257, Tlv(0x47, {1})), &a), SnmpDecodeResult::kBadFormat);
  Bytes wrong_outer = Answer(257, Tlv(0x02, {1}));
  wrong_outer[0] = 0x31;
  EXPECT_EQ(Decode(wrong_outer, &a), SnmpDecodeResult::kBadFormat);
  Bytes many_arcs(40, 0x01);
  EXPECT_EQ(Decode(Answer(257, Tlv(0x06, many_arcs)), &a), SnmpDecodeResult::kBadFormat);
}

TEST(SnmpAnswerDecode, EveryTruncationIsRefused) {
  Bytes full = Answer(257, Tlv(0x04, Text("HALDOVAR vistacrom 8120")));
  SnmpAnswer a;
  ASSERT_EQ(Decode(full, &a), SnmpDecodeResult::kOk);
  for (size_t n = 0; n < full.size(); ++n) {
    Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_EQ(Decode(cut, &a), SnmpDecodeResult::kBadFormat) << n;
  }
}

TEST(SnmpAnswerDecode, RandomAndMutatedDatagramsStayInBounds) {
  std::mt19937 random(20261210);
  Bytes base = Answer(257, Tlv(0x06, {0x2B, 6, 1, 4, 1, 0x85, 0xC2, 0x11, 1}));
  SnmpAnswer a;
  for (int round = 0; round < 20000; ++round) {
    Bytes d;
    if (round % 2 == 0) {
      d.resize(random() % 64);
      for (uint8_t& b : d) b = static_cast<uint8_t>(random());
      if (!d.empty() && round % 4 == 0) d[0] = 0x30;
    } else {
      d = base;
      int flips = 1 + static_cast<int>(random() % 4);
      for (int i = 0; i < flips; ++i) d[random() % d.size()] = static_cast<uint8_t>(random());
      d.resize(random() % (d.size() + 1));
    }
    // Heap copies so that the sanitizers see any read past the datagram.
    uint8_t* heap = static_cast<uint8_t*>(std::malloc(d.size() + 1));
    if (!d.empty()) std::memcpy(heap, d.data(), d.size());
    SnmpDecodeResult r = SnmpDecodeAnswer(heap, d.size(), "tamrik", 257, &a);
    if (r == SnmpDecodeResult::kOk) {
      EXPECT_LE(a.arc_count, static_cast<size_t>(kSnmpMaxAnswerArcs));
      if (a.bytes != nullptr) {
        EXPECT_GE(a.bytes, heap);
        EXPECT_LE(a.bytes + a.length, heap + d.size());
      }
    }
    std::free(heap);
  }
}

void* SNMP_API_CALL TestAlloc(uint32_t bytes) { return std::calloc(1, bytes == 0 ? 1 : bytes); }
void SNMP_API_CALL TestFree(void* p) { std::free(p); }

TEST(SnmpAnswerValue, IsCopiedIntoTheBinding) {
  SnmpAllocator memory{TestAlloc, TestFree};
  SnmpBinding binding{};
  binding.value.type = kAsnNull;
  SnmpAnswer a;
  Bytes datagram = Answer(257, Tlv(0x04, Text("abc")));
  ASSERT_EQ(Decode(datagram, &a), SnmpDecodeResult::kOk);
  ASSERT_TRUE(SnmpStoreAnswerValue(a, memory, &binding));
  EXPECT_EQ(binding.value.type, kAsnOctetString);
  SnmpOctets s = binding.value.value.string;
  ASSERT_EQ(s.length, 3u);
  EXPECT_EQ(std::memcmp(s.stream, "abc", 3), 0);
  EXPECT_NE(s.dynamic, 0);
  // A second answer replaces (and releases) the first value.
  ASSERT_EQ(Decode(Answer(257, Tlv(0x06, {0x2B, 6, 1})), &a), SnmpDecodeResult::kOk);
  ASSERT_TRUE(SnmpStoreAnswerValue(a, memory, &binding));
  EXPECT_EQ(binding.value.type, kAsnObjectId);
  SnmpObjectId o = binding.value.value.object;
  ASSERT_EQ(o.count, 4u);
  EXPECT_EQ(o.arcs[3], 1u);
  std::free(o.arcs);
}

TEST(OidText, ConversionRules) {
  struct Case {
    const char* text;
    bool ok;
    std::vector<uint32_t> arcs;
  } cases[] = {
      {".1.3.6", true, {1, 3, 6}},
      {"1.3.6.1.2.1.1.2.0", true, {1, 3, 6, 1, 2, 1, 1, 2, 0}},
      {"1..3", true, {1, 0, 3}},
      {"1.3.", true, {1, 3, 0}},
      {"2.39.4294967295", true, {2, 39, 4294967295u}},
      {"3.6.1", false, {}},
      {"1.40.2", false, {}},
      {"1", false, {}},
      {"", false, {}},
      {".", false, {}},
      {"1.3.x", false, {}},
      {"1.3.-6", false, {}},
      {"1.3.4294967296", false, {}},
      {"1.3.0000000000000001", false, {}},  // 16 digits
      {"1.3.000000000000001", true, {1, 3, 1}},
  };
  for (const auto& c : cases) {
    uint32_t arcs[kOidTextMaxArcs];
    size_t n = 0;
    EXPECT_EQ(ParseOidText(c.text, arcs, &n), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(std::vector<uint32_t>(arcs, arcs + n), c.arcs) << c.text;
    }
  }
  std::string many = "1.3";
  for (int i = 2; i < 128; ++i) many += ".7";
  uint32_t arcs[kOidTextMaxArcs];
  size_t n = 0;
  EXPECT_TRUE(ParseOidText(many.c_str(), arcs, &n));
  EXPECT_EQ(n, 128u);
  many += ".7";
  EXPECT_FALSE(ParseOidText(many.c_str(), arcs, &n));
  EXPECT_FALSE(ParseOidText(nullptr, arcs, &n));
}

TEST(OidText, ComparesArcByArc) {
  uint32_t arcs[] = {1, 3, 6, 1, 2, 1, 25, 2, 1, 4};
  EXPECT_TRUE(OidEqualsText(arcs, 10, "1.3.6.1.2.1.25.2.1.4"));
  EXPECT_TRUE(OidEqualsText(arcs, 10, ".1.3.6.1.2.1.25.2.1.4"));
  EXPECT_FALSE(OidEqualsText(arcs, 10, "1.3.6.1.2.1.25.2.1.5"));
  EXPECT_FALSE(OidEqualsText(arcs, 9, "1.3.6.1.2.1.25.2.1.4"));
  EXPECT_FALSE(OidEqualsText(arcs, 10, "1.3.6.1.2.1.25.2.1.4.0"));
}

}  // namespace
