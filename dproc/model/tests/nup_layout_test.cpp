// N-up layout kinds of document settings.
#include <gtest/gtest.h>

#include <memory>

#include "common/records/doc_fields.h"
#include "dproc/model/nup_layout.h"

namespace {

TEST(NupLayout, KindBySettingAndOrientation) {
  struct Case {
    uint8_t nup, kind, orientation;
    int expected;
  } cases[] = {
      {1, 1, 1, 0}, {1, 1, 2, 1}, {1, 2, 1, 2}, {1, 5, 2, 2}, {1, 6, 1, -1},
      {1, 7, 1, -1}, {1, 9, 1, -1},  // posters
      {0, 2, 1, -1},                  // N-up off
      {1, 0, 1, -1},
  };
  auto doc = std::make_unique<DocDMode>();
  for (const Case& c : cases) {
    *doc = DocDMode{};
    DocBytes(doc.get())[kDocNupAt] = c.nup;
    DocBytes(doc.get())[kDocNupKindAt] = c.kind;
    DocBytes(doc.get())[kDocOrientationAt] = c.orientation;
    EXPECT_EQ(GetNupLayoutKind(doc.get()), c.expected) << int(c.nup) << " " << int(c.kind) << " " << int(c.orientation);
  }
  EXPECT_EQ(GetNupLayoutKind(nullptr), -1);
}

}  // namespace
