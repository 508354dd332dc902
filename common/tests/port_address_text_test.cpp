// Hosts found in port texts and URLs.
#include <gtest/gtest.h>

#include <string>

#include "common/win/port_address_text.h"

namespace {

using Finder = bool (*)(const char16_t*, TextSpan*);

struct Case {
  const char16_t* text;
  const char16_t* host;  // null: not found
};

void Check(Finder find, const Case* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    std::u16string text = cases[i].text;
    SCOPED_TRACE(i);
    TextSpan span = {99, 99};
    bool found = find(text.c_str(), &span);
    if (cases[i].host == nullptr) {
      EXPECT_FALSE(found);
      continue;
    }
    ASSERT_TRUE(found);
    ASSERT_LE(span.start + span.length, text.size());
    EXPECT_TRUE(text.substr(span.start, span.length) == cases[i].host);
  }
}

TEST(PortAddressText, IppAddresses) {
  const Case cases[] = {
      {u"http://print.example.com:631/ipp/port1", u"print.example.com:631"},
      {u"HTTPS://10.0.0.7/IPP", u"10.0.0.7"},
      {u"http://10.0.0.7", u"10.0.0.7"},
      {u"https://10.0.0.7/ippx", u"10.0.0.7"},  // "/ipp" begins the path
      {u"http://print.example.com:631/printers/fax", nullptr},
      {u"http:///ipp", nullptr},
      {u"ftp://10.0.0.7/ipp", nullptr},
      {u"http:/10.0.0.7/ipp", nullptr},
      {u"", nullptr},
  };
  Check(FindIppUrlHost, cases, std::size(cases));
}

TEST(PortAddressText, UncNames) {
  const Case cases[] = {
      {u"\\\\srv01\\fax", u"srv01"},
      {u"\\\\srv01", u"srv01"},
      {u"\\\\srv01\\a\\b", u"srv01"},
      {u"\\srv01\\fax", nullptr},
      {u"\\\\\\fax", nullptr},
      {u"IP_10.0.0.7", nullptr},
  };
  Check(FindUncServerName, cases, std::size(cases));
}

TEST(PortAddressText, UrlsByHand) {
  const Case cases[] = {
      {u"http://192.168.5.20:5357/abc-def/", u"192.168.5.20"},
      {u"http://[fe80::1:2]:8080/x", u"fe80::1:2"},
      {u"http://[::1]/", u"::1"},
      {u"http://host", u"host"},
      {u"soap.udp://device.example/", u"device.example"},
      {u"host/path", nullptr},
      {u"http:///path", nullptr},
      {u"http://:80/", nullptr},
      {u"http://[]/", nullptr},
  };
  Check(FindUrlHostByHand, cases, std::size(cases));
}

TEST(PortAddressText, NullTexts) {
  TextSpan span;
  EXPECT_FALSE(FindIppUrlHost(nullptr, &span));
  EXPECT_FALSE(FindUncServerName(nullptr, &span));
  EXPECT_FALSE(FindUrlHostByHand(nullptr, &span));
  EXPECT_FALSE(FindUrlHostByHand(u"http://h", nullptr));
}

}  // namespace
