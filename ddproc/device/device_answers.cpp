#include "ddproc/device/device_answers.h"

#include <cstring>

const char* const kTrayUnknownKeywords[kTrayAnswerCount] = {
    "MediaTypeList_Size_Unknown",   "MediaTypeList_Orient_Unknown", "MediaTypeList_Type_Unknown",
    "MediaTypeList_Weight_Unknown", "MediaTypeList_Color_Unknown",  "MediaTypeList_Hole_Unknown"};

void PutAnswerKeyword(char (&field)[32], const char* text) {
  std::memset(field, 0, sizeof field);
  std::strncpy(field, text, sizeof field - 1);
}

void ResetTrayEntry(TrayStatusEntry* entry) {
  std::memset(entry->answers, 0, sizeof entry->answers);
  entry->status = 0;
  for (int k = 0; k < kTrayAnswerCount; ++k) PutAnswerKeyword(entry->answers[k], kTrayUnknownKeywords[k]);
}

void EntryKeyword(const char (&field)[32], char (&out)[33]) {
  std::memcpy(out, field, sizeof field);
  out[32] = '\0';
}
