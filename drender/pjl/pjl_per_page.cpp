// Per-page PJL commands and their parameters.
#include "drender/pjl/pjl_per_page.h"

#include <cstdio>
#include <cstring>

#include "common/records/doc_fields.h"
#include "drender/pjl/pjl_expand.h"
#include "drender/pjl/pjl_paper.h"
#include "drender/pjl/pjl_parameters.h"

namespace {

bool IsName(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

const InterSheetEntry* Entry(const PjlJob* job, uint32_t i) {
  if (job->interSheetEntries == nullptr || i >= job->interSheetCount) return nullptr;
  return reinterpret_cast<const InterSheetEntry*>(job->interSheetEntries + static_cast<size_t>(i) * kInterSheetEntrySize);
}

std::string NarrowPages(const PjlJob* job, const InterSheetEntry* e) {
  char text[21] = {};
  PjlWideFn convert = job->wide != nullptr ? job->wide : &Pjl_PortableWide;
  char16_t pages[34] = {};
  std::memcpy(pages, e->pages, sizeof e->pages);
  convert(pages, 33, false, text, 20);
  return text;
}

// The media table of the render core: media keyword, then the PJL type,
// weight, colour and pre-printed words.
struct MediaRow {
  const char* keyword;
  const char* words[4];
};
constexpr MediaRow kMediaRows[] = {
    {"Plain", {"PAPER", "NORMAL", "NONE", "OFF"}},         {"Special", {"SPECIAL", "NORMAL", "NONE", "OFF"}},
    {"Envelope", {"ENVELOPE", "NORMAL", "NONE", "OFF"}},   {"Letterhead", {"LETTERHEAD", "NORMAL", "NONE", "OFF"}},
    {"OHP", {"TRANSPARENCY", "NORMAL", "NONE", "OFF"}},    {"SingleSided", {"SINGLESIDEDONLY", "NORMAL", "NONE", "OFF"}},
    {"PlainPaper2nd", {"PAPER", "NORMAL", "NONE", "ON"}},  {"Thick1", {"PAPER", "THICK", "NONE", "OFF"}},
    {"Thick2", {"PAPER", "THICK2", "NONE", "OFF"}},        {"Thick3", {"PAPER", "THICK3", "NONE", "OFF"}},
    {"Thick4", {"PAPER", "THICK4", "NONE", "OFF"}},        {"Thick1_2nd", {"PAPER", "THICK", "NONE", "ON"}},
    {"Thick2_2nd", {"PAPER", "THICK2", "NONE", "ON"}},     {"Thick3_2nd", {"PAPER", "THICK3", "NONE", "ON"}},
    {"Thick4_2nd", {"PAPER", "THICK4", "NONE", "ON"}},     {"Color", {"PAPER", "NORMAL", "OTHER", "OFF"}},
    {"Thick1Plus", {"PAPER", "THICKPLUS", "NONE", "OFF"}}, {"Thick1Plus_2nd", {"PAPER", "THICKPLUS", "NONE", "ON"}}};

const MediaRow* MediaRowOf(const PjlJob* job, uint32_t mediaType) {
  const ModelListItem* list = job->model != nullptr ? job->model->mediaTypes : nullptr;
  for (uint32_t i = 0; list != nullptr && list[i].keyword[0] != '\0'; ++i) {
    if (list[i].value != mediaType) continue;
    for (const MediaRow& row : kMediaRows) {
      if (std::strncmp(row.keyword, list[i].keyword, sizeof list[i].keyword) == 0) return &row;
    }
    return nullptr;
  }
  return nullptr;
}

template <typename Item>
const char* NoteOrNoSet(const Item* list, uint32_t number) {
  for (uint32_t i = 0; list != nullptr && list[i].keyword[0] != '\0'; ++i) {
    if (list[i].value == number && list[i].note[0] != '\0') return list[i].note;
  }
  return "NOSET";
}

const char* TrayWord(const PjlJob* job, uint32_t tray) {
  if (tray == kInterSheetSameTray) tray = Pjl_DocU16(job, kPjlInTrayAt);
  const char* text = Pjl_InTrayText(job->model, tray);
  return text != nullptr ? text : "";
}

const char* StapleWord(const PjlJob* job, uint32_t staple) {
  const uint32_t jobKind = Pjl_DocByte(job, DOC_FIELD_AT(bStaple)) ? Pjl_DocByte(job, DOC_FIELD_AT(nStapleMode)) : 0;
  if (staple == 255) return Pjl_DocByte(job, DOC_FIELD_AT(bCenterStapleFold)) ? "CENTER" : Pjl_StapleKindWord(jobKind);
  if (staple == 1) return Pjl_StapleKindWord(Pjl_DocByte(job, DOC_FIELD_AT(nStapleMode)));
  if (staple == 261) return "LEFT1POINT";
  if (staple == 262) return "RIGHT1POINT";
  if (staple >= 263 && staple <= 265) return "ANY2POINT";
  if (staple == 266) return "CENTER";
  return "OFF";
}

const char* PunchWord(const PjlJob* job, uint32_t punch) {
  if (!job->values.perPagePunch) return "OFF";
  uint32_t kind = 0;
  if (punch == 255)
    kind = Pjl_DocByte(job, DOC_FIELD_AT(bPunch)) ? Pjl_DocByte(job, DOC_FIELD_AT(nPunchNum)) : 0;
  else if (punch == 1)
    kind = Pjl_DocByte(job, DOC_FIELD_AT(nPunchNum));
  else return "OFF";
  return kind >= 4 && kind <= 6 ? "2" : kind >= 7 && kind <= 9 ? "3" : kind >= 10 && kind <= 12 ? "4" : "OFF";
}

PjlRawValue PerPageParam(PjlJob* job, bool second) {
  const InterSheetEntry* e = job->perPageActive ? Entry(job, job->currentEntry) : nullptr;
  if (e == nullptr) return PjlNarrow("");
  const int32_t kind = job->currentEntry < job->entryKinds.size() ? job->entryKinds[job->currentEntry] : 0;
  const char* print = kind >= 1 && kind <= 3 ? "PRINT" : "BLANK";
  const char* duplex = kind == 2 ? "ON" : kind == 3 ? (Pjl_DocByte(job, kPjlDoubleSidesAt) == 1 ? "OFF" : "ON") : "OFF";
  uint32_t tray = e->paperSource;
  if (tray == kInterSheetSameTray) tray = Pjl_DocU16(job, kPjlInTrayAt);
  const char* media[4] = {"NOSET", "NOSET", "NOSET", "OFF"};
  const ModelInfo* m = job->model;
  if (second) {
    const MediaRow* row = MediaRowOf(job, Pjl_TrayMedia(job, tray, kPjlMediaType));
    media[0] = row ? row->words[0] : "PAPER";
    media[1] = row ? row->words[1] : "NORMAL";
    media[2] = row ? row->words[2] : "NONE";
  } else if (tray != 1001 && tray != 1002 && Pjl_TrayHasMedia(job, tray)) {
    media[0] = NoteOrNoSet(m ? m->mediaTypes : nullptr, Pjl_TrayMedia(job, tray, kPjlMediaType));
    media[1] = NoteOrNoSet(m ? m->mediaWeights : nullptr, Pjl_TrayMedia(job, tray, kPjlMediaWeight));
    media[2] = NoteOrNoSet(m ? m->mediaColors : nullptr, Pjl_TrayMedia(job, tray, kPjlMediaColor));
    media[3] = Pjl_TrayMedia(job, tray, kPjlMediaPrePunched) ? "ON" : "OFF";
  }
  char tab[8] = "NONE";
  if (e->tabPaper != 0 && job->tabCount == 1) std::snprintf(tab, sizeof tab, "TAB");
  else if (e->tabPaper != 0 && job->tabCount >= 2 && job->tabCount <= 15) std::snprintf(tab, sizeof tab, "TAB%u", job->tabCount);
  const std::string pages = job->currentEntry < job->entryTexts.size() ? job->entryTexts[job->currentEntry] : "";
  return PjlFormat("%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s", print, Pjl_BindingWord(job), duplex, TrayWord(job, e->paperSource),
                   media[0], media[1], media[2], media[3], tab, StapleWord(job, e->staple), PunchWord(job, e->punch),
                   e->finishStaple == 1 ? "END" : "CONT", pages.c_str());
}

}  // namespace

std::vector<PjlPageEntry> Pjl_PageEntries(const PjlJob* job) {
  std::vector<PjlPageEntry> entries;
  for (uint32_t i = 0; const InterSheetEntry* e = Entry(job, i); ++i) {
    char16_t pages[34] = {};
    std::memcpy(pages, e->pages, sizeof e->pages);
    std::string text;
    for (size_t k = 0; k < 33 && pages[k] != u'\0'; ++k) text.push_back(pages[k] < 0x80 ? static_cast<char>(pages[k]) : '?');
    entries.push_back(PjlPageEntry{text, static_cast<int32_t>(e->printType), e->tabPaper != 0 && e->caption[0] != u'\0'});
  }
  return entries;
}

void Pjl_PerPageSetHandler(PjlJob* job, const CommandTemplateRow* row) {
  if (!Pjl_DocByte(job, kPjlPerPageSettingAt) || job->interSheetEntries == nullptr || job->interSheetCount == 0) return;
  job->entryTexts.clear();
  job->entryKinds.clear();
  if (job->values.tabSheetsArePages) {
    Pjl_FormatPageRanges(Pjl_PageEntries(job), &job->entryTexts, &job->entryKinds);
  } else {
    for (uint32_t i = 0; const InterSheetEntry* e = Entry(job, i); ++i) {
      job->entryTexts.push_back(NarrowPages(job, e));
      job->entryKinds.push_back(static_cast<int32_t>(e->printType));
    }
  }
  job->perPageActive = true;
  for (uint32_t i = 0; i < job->interSheetCount; ++i) {
    job->currentEntry = i;
    Pjl_ExpandTemplate(job, Pjl_EntryText(row, "PerPageSet"));
  }
}

PjlRawValue Pjl_PerPageParameter(PjlJob* job, const char* name) {
  if (std::strncmp(name, "PPSIndex", 8) == 0) {
    const long n = std::atol(name + 8);
    return PjlNumber(static_cast<long long>(job->currentEntry) + (n >= 1 ? n : 1));
  }
  if (IsName(name, "PPSParam")) return PerPageParam(job, false);
  if (IsName(name, "PPSParam2")) return PerPageParam(job, true);
  if (IsName(name, "PPSMediaPrePrinted")) {
    const InterSheetEntry* e = job->perPageActive ? Entry(job, job->currentEntry) : nullptr;
    if (e == nullptr) return PjlNarrow("OFF");
    const MediaRow* row = MediaRowOf(job, Pjl_TrayMedia(job, e->paperSource, kPjlMediaType));
    return PjlNarrow(row != nullptr ? row->words[3] : "OFF");
  }
  if (IsName(name, "PPSInsertPage")) return PjlNarrow("");
  if (IsName(name, "Chapter")) {
    const PjlRawValue text = PjlDocText(job, kPjlChapterPagesAt, kPjlChapterPagesSize);
    std::vector<PjlPageEntry> entries;
    if (job->perPageActive) entries = Pjl_PageEntries(job);
    return PjlNarrow(Pjl_FormatChapterPages(entries, text.narrow, 512));
  }
  return PjlRawValue{};
}
