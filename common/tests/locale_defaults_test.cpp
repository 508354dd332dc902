// Locale default paper and language codes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info.h"
#include "tests/support/model_fixture.h"

namespace {

std::u16string Code(uint32_t id, size_t capacity = 64) {
  char16_t out[64];
  LanguageCodeOf(id, out, capacity);
  return out;
}

TEST(LocaleDefaults, LetterOnlyForUnitedStatesAndCanada) {
  EXPECT_EQ(LocaleDefaultPaperId(1), kPaperIdLetter);
  EXPECT_EQ(LocaleDefaultPaperId(2), kPaperIdLetter);
  EXPECT_EQ(LocaleDefaultPaperId(44), kPaperIdA4);
  EXPECT_EQ(LocaleDefaultPaperId(0), kPaperIdA4) << "a failed locale query";
}

TEST(LocaleDefaults, PaperKeywordComesFromTheModel) {
  modeltest::File file(std::string("qxd 1\n\nsection \"PaperSize\" items 620\n") + modeltest::kPaperLayout +
                       "  item key=\"Legal\" id=5 width=2159 length=3556\n"
                       "  item key=\"LetterPlus\" id=1 width=2159 length=2794\n"
                       "  item key=\"Letter\" id=1 width=2159 length=2794\n");
  ModelInfo* model = BuildModelInfo(file.get(), ModelBuildEnv{true, 1, true});
  ASSERT_NE(model, nullptr);
  EXPECT_STREQ(LocaleDefaultPaperKeyword(model, 2), "LetterPlus") << "the first row with the id";
  EXPECT_STREQ(LocaleDefaultPaperKeyword(model, 49), "") << "a model without A4";
  EXPECT_STREQ(LocaleDefaultPaperKeyword(nullptr, 1), "");
  FreeModelInfoRecord(model);
}

TEST(LocaleDefaults, KeywordCopyReportsTheFullLength) {
  char out[4] = "zzz";
  EXPECT_EQ(CopyPaperKeyword("Letter", out, 4), 7);
  EXPECT_STREQ(out, "Let");
  EXPECT_EQ(CopyPaperKeyword("A4", nullptr, 0), 3);
  EXPECT_EQ(CopyPaperKeyword("A4", out, 0), 3);
  EXPECT_STREQ(out, "Let");
}

TEST(LocaleDefaults, LanguageCodes) {
  EXPECT_EQ(Code(1033), u"EN-US");
  EXPECT_EQ(Code(9), u"EN");
  EXPECT_EQ(Code(2052), u"ZH-CN");
  EXPECT_EQ(Code(58), u"MT");
  EXPECT_EQ(Code(0x0436), u"0436");
  EXPECT_EQ(Code(0xabc), u"0ABC");
  EXPECT_EQ(Code(0x12345), u"12345");
  EXPECT_EQ(Code(1033, 3), u"EN");
}

}  // namespace
