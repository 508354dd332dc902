// The user's own papers and the print server's forms: the stored user paper
// list (printer data "CustomPaperData"), the filter that decides which
// server forms may be offered, and the two per-session paper lists (input
// and output) that merge the model's papers, the user's papers and the
// accepted forms.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_info.h"
#include "dproc/sheets/ui_state_layout.h"

inline constexpr uint32_t kUserPaperMaxEntries = 10;
inline constexpr uint32_t kUserPaperListSize = 682;

#pragma pack(push, 1)
struct UserPaperEntry {
  char16_t name[20];        // at most 19 characters
  int32_t width;            // thousandths of a millimetre
  int32_t length;
  int32_t areaLeft, areaTop, areaRight, areaBottom;
  int16_t paperId;          // 512-522
  uint16_t unit;            // 0 millimetres, else inches
};
struct UserPaperList {
  int16_t count;            // 0-10
  UserPaperEntry entries[kUserPaperMaxEntries];
};
#pragma pack(pop)
static_assert(sizeof(UserPaperEntry) == 68);
static_assert(offsetof(UserPaperEntry, width) == 40);
static_assert(offsetof(UserPaperEntry, paperId) == 64);
static_assert(sizeof(UserPaperList) == kUserPaperListSize);

// The number of entries to use: the stored count bounded to 0-10.
uint32_t UserPaperCount(const UserPaperList* list);

struct SessionPaperItem {
  uint32_t size;            // 180
  char keyword[32];         // model keyword, "CustomPaper", "OutCustomPaper", "OutServerPaper"
  uint32_t value;           // paper id
  uint32_t flag;
  uint32_t iconId;
  char16_t name[48];
  uint32_t paperId;
  uint32_t width, length;   // 0.1 mm
  uint32_t margins[4];      // left, top, right, bottom, 0.1 mm
  uint16_t unit;
  uint16_t zero;
  uint32_t customRange;     // a server form within the model's custom limits
};
static_assert(sizeof(SessionPaperItem) == 180);
// Session lists serve as option tables: their rows begin like every option row.
static_assert(offsetof(SessionPaperItem, value) == 36 && offsetof(SessionPaperItem, iconId) == 44);

// The user paper part of a sheet session's UI state: the stored list as the
// session read it, whether the session lists are installed in the feature
// table, and the two session lists with their row counts.  Byte-packed: it
// lives at kUiStateUserPapersAt inside the UI state's bytes.
#pragma pack(push, 1)
struct UserPaperUiState {
  UserPaperList list;
  uint32_t installed;
  SessionPaperItem* papers;
  uint32_t paperCount;
  SessionPaperItem* outPapers;
  uint32_t outPaperCount;
};
#pragma pack(pop)
static_assert(sizeof(UserPaperUiState) <= kUiStateUserPapersBytes);

// A form of the print server as the filter sees it.
struct ServerForm {
  const char16_t* name;
  int32_t cx, cy;           // thousandths of a millimetre
};

bool IsServerFormUsable(const ModelInfo* model, const UserPaperList* users, const ServerForm& form,
                        uint32_t* customRange);

// Builds the session paper list from the model's papers, the user's papers
// (or none) and `formCount` server forms (or none), the form at place j
// getting the id 0x1000 + j + 1.  Returns the rows written; *out is null when
// the block cannot be taken.  The caller frees the list with std::free.
uint32_t BuildSessionPaperList(const ModelInfo* model, const UserPaperList* users, const ServerForm* forms,
                               uint32_t formCount, SessionPaperItem** out);
uint32_t BuildSessionOutPaperList(const ModelInfo* model, const UserPaperList* users,
                                  const SessionPaperItem* sessionList, SessionPaperItem** out);
