// Locale defaults: the default paper of the user's country and the language
// code that settings files and the device session carry.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint16_t kPaperIdLetter = 1;
inline constexpr uint16_t kPaperIdA4 = 9;

// Letter for the country codes 1 (United States) and 2 (Canada), A4 for every
// other country and for a failed locale query (0).
uint16_t LocaleDefaultPaperId(int countryCode);

// The code of a language id ("EN-US" for 1033); an id that the table lacks
// gives its number as four upper-case hex digits ("0436").  At most
// `capacity` - 1 characters and a NUL.
void LanguageCodeOf(uint32_t languageId, char16_t* out, size_t capacity);

struct ModelInfo;
// The keyword of the model's first paper row with the locale default paper
// id of a country code, or an empty text when the model has no such paper.
const char* LocaleDefaultPaperKeyword(const ModelInfo* model, int countryCode);

// Copies a keyword, cut to `size` - 1 characters and a NUL, and returns its
// length + 1; with no output or a size of 0 it only returns that length.
int CopyPaperKeyword(const char* keyword, char* out, int size);

#ifdef _WIN32
// LOCALE_ICOUNTRY of the user default locale (0 on failure).
int GetLocaleCountry();
// LOCALE_IMEASURE of the user default locale is 1 (U.S. measures).
bool IsUSMeasure();
// LocaleDefaultPaperKeyword for the user's country.
const char* GetLocaleDefaultPaper(const ModelInfo* model);
// LanguageCodeOf the model's language id (0 without a model) into a
// process-wide buffer of 64 characters that the next call overwrites.
const wchar_t* GetLanguageCode(const ModelInfo* model);
#endif
