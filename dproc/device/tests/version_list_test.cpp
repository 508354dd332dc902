// The Version sheet's list of versions.
#include <gtest/gtest.h>

#include "dproc/device/version_list.h"

namespace {

TEST(VersionList, OneLinePerRowAndTheTabStopAfterTheLongestText) {
  const VersionRow rows[] = {{u"Core", kCoreVersion}, {u"Sub", kSubVersion}, {u"Data", u"6.6.6.6.5"}};
  int stop = 0;
  EXPECT_EQ(VersionListText(rows, 3, &stop), u"Core\t: 2.03.29-0.01\r\nSub\t: 1.0.0\r\nData\t: 6.6.6.6.5");
  EXPECT_EQ(stop, 20);
}

TEST(VersionList, AMissingRowLeavesItsLineOutAndTheStopFollowsTheOthers) {
  const VersionRow rows[] = {{u"Core version", kCoreVersion}, {u"", kSubVersion}, {nullptr, u"x"}, {u"Data", u"6"}};
  int stop = 0;
  EXPECT_EQ(VersionListText(rows, 4, &stop), u"Core version\t: 2.03.29-0.01\r\nData\t: 6");
  EXPECT_EQ(stop, 12 * 4 + 4);
  EXPECT_EQ(VersionListText(nullptr, 0, &stop), u"");
  EXPECT_EQ(stop, 4);
}

TEST(VersionList, TheListIsCutToItsBuffer) {
  const std::u16string longText(300, u'v');
  const VersionRow rows[] = {{u"A", longText.c_str()}};
  EXPECT_EQ(VersionListText(rows, 1, nullptr).size(), kVersionListUnits);
}

}  // namespace
