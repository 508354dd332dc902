#include "duicore/events/job_identifier.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(JobIdentifier, PartsHaveTheirFormats) {
  const uint8_t address[6] = {0x00, 0x1b, 0xa9, 0xfe, 0x10, 0x02};
  char adapter[13];
  FormatAdapterPart(address, adapter);
  EXPECT_EQ(std::string(adapter), "001BA9FE1002");
  FormatFallbackAdapterPart(0xAB123456u, adapter);
  EXPECT_EQ(std::string(adapter), "ACDE48123456") << "only the low 24 bits";
  char time[15];
  // 5 March, 14:07:59.999 UTC.
  FormatTimePart(3, 5, 14, 7, 59, 999, time);
  EXPECT_EQ(std::string(time), "03050E073B03E7");
  FormatTimePart(12, 31, 23, 59, 59, 0, time);
  EXPECT_EQ(std::string(time), "0C1F173B3B0000");
  EXPECT_EQ(std::string(adapter).size() + std::string(time).size(), kJobIdChars);
}

TEST(JobIdentifier, PrivateGeneratorIsReproducibleAndSpreads) {
  JobIdRandom a(1700000000), b(1700000000), c(1700000001);
  const uint32_t first = a.Next();
  EXPECT_EQ(first, b.Next());
  EXPECT_NE(first & 0xFFFFFF, c.Next() & 0xFFFFFF) << "neighbouring seconds give other identifiers";
  std::set<uint32_t> seen;
  JobIdRandom r(42);
  for (int i = 0; i < 1000; ++i) seen.insert(r.Next() & 0xFFFFFF);
  EXPECT_GT(seen.size(), 995u);
}

}  // namespace
