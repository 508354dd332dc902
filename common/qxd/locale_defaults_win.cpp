#include <windows.h>

#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info.h"

namespace {

int LocaleNumber(LCTYPE type) {
  wchar_t text[16] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 16) == 0) return 0;
  int v = 0;
  for (const wchar_t* p = text; *p >= L'0' && *p <= L'9' && v < 100000; ++p) v = v * 10 + (*p - L'0');
  return v;
}

wchar_t g_languageCode[64];

}  // namespace

int GetLocaleCountry() { return LocaleNumber(LOCALE_ICOUNTRY); }

bool IsUSMeasure() { return LocaleNumber(LOCALE_IMEASURE) == 1; }

const char* GetLocaleDefaultPaper(const ModelInfo* model) { return LocaleDefaultPaperKeyword(model, GetLocaleCountry()); }

const wchar_t* GetLanguageCode(const ModelInfo* model) {
  LanguageCodeOf(model != nullptr ? model->languageId : 0, reinterpret_cast<char16_t*>(g_languageCode), 64);
  return g_languageCode;
}
