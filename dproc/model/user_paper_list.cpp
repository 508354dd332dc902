#include "dproc/model/user_paper_list.h"

#include <cstdlib>
#include <cstring>

#include "common/qxd/model_list_reader.h"
#include "common/qxd/paper_tables.h"

namespace {

bool SameText(const char16_t* a, size_t aUnits, const char16_t* b, size_t bUnits) {
  size_t i = 0;
  for (; i < aUnits && i < bUnits; ++i) {
    if (a[i] != b[i]) return false;
    if (a[i] == 0) return true;
  }
  const char16_t ca = i < aUnits ? a[i] : 0;
  const char16_t cb = i < bUnits ? b[i] : 0;
  return ca == cb;
}

size_t WideLength(const char16_t* s) {
  size_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

// The head of a model paper or output paper row: keyword, id, flag, icon
// and display name.
template <typename ModelRow>
void CopyModelPaperHead(SessionPaperItem& row, const ModelRow& p) {
  row.size = sizeof row;
  std::memcpy(row.keyword, p.keyword, sizeof row.keyword);
  row.value = p.paperId;
  row.flag = p.flag;
  row.iconId = p.iconId;
  CopyWide(row.name, 48, p.name, 48);
  row.paperId = p.paperId;
}

void AddUserPaper(SessionPaperItem& row, const UserPaperEntry& e, const char* keyword) {
  row.size = sizeof row;
  CopyText(row.keyword, sizeof row.keyword, keyword, 32);
  // The stored name has 20 units; at most 19 of them are text.
  CopyWide(row.name, 48, e.name, 19);
  row.paperId = static_cast<uint32_t>(static_cast<int32_t>(e.paperId));
  row.value = row.paperId;
  row.width = static_cast<uint32_t>(e.width / 100);
  row.length = static_cast<uint32_t>(e.length / 100);
  row.margins[0] = static_cast<uint32_t>(e.areaLeft / 100);
  row.margins[1] = static_cast<uint32_t>(e.areaTop / 100);
  row.margins[2] = static_cast<uint32_t>((int64_t{e.width} - e.areaRight) / 100);
  row.margins[3] = static_cast<uint32_t>((int64_t{e.length} - e.areaBottom) / 100);
  row.unit = e.unit;
  row.iconId = kRowIconId;
}

}  // namespace

uint32_t UserPaperCount(const UserPaperList* list) {
  if (list == nullptr || list->count <= 0) return 0;
  return list->count > static_cast<int16_t>(kUserPaperMaxEntries) ? kUserPaperMaxEntries
                                                                  : static_cast<uint32_t>(list->count);
}

bool IsServerFormUsable(const ModelInfo* m, const UserPaperList* users, const ServerForm& form,
                        uint32_t* customRange) {
  if (customRange != nullptr) *customRange = 0;
  if (m == nullptr || form.name == nullptr) return false;
  const int64_t cx = form.cx, cy = form.cy;
  const bool within = int64_t{m->customLengthMin} * 100 <= cy && cy <= int64_t{m->customLengthMax} * 100 &&
                      int64_t{m->customWidthMin} * 100 <= cx && cx <= int64_t{m->customWidthMax} * 100;
  bool paperSize = false;
  if (!within && m->papers != nullptr) {
    for (const PaperSizeEntry* row = m->papers; row->keyword[0] != '\0' && !paperSize; ++row) {
      paperSize = int64_t{row->width} * 100 == cx && int64_t{row->length} * 100 == cy;
    }
  }
  if (m->features[kMfPaperLengthLarger] != 0 && cx > cy) return false;
  if (!within && !paperSize) return false;
  const size_t nameUnits = WideLength(form.name) + 1;
  if (m->papers != nullptr) {
    for (const PaperSizeEntry* row = m->papers; row->keyword[0] != '\0'; ++row) {
      if (SameText(form.name, nameUnits, row->name, 48)) return false;
    }
  }
  for (uint32_t i = 0; i < UserPaperCount(users); ++i) {
    if (SameText(form.name, nameUnits, users->entries[i].name, 20)) return false;
  }
  if (customRange != nullptr) *customRange = within ? 1 : 0;
  return true;
}

uint32_t BuildSessionPaperList(const ModelInfo* m, const UserPaperList* users, const ServerForm* forms,
                               uint32_t formCount, SessionPaperItem** out) {
  *out = nullptr;
  if (forms == nullptr) formCount = 0;
  const uint32_t papers = m != nullptr ? CountRows(m->papers) : 0;
  const uint32_t userCount = UserPaperCount(users);
  SessionPaperItem* rows = AllocRows<SessionPaperItem>(papers + userCount + formCount);
  if (rows == nullptr) return 0;
  uint32_t n = 0;
  for (uint32_t i = 0; i < papers; ++i) {
    const PaperSizeEntry& p = m->papers[i];
    SessionPaperItem& row = rows[n++];
    CopyModelPaperHead(row, p);
    row.width = p.width;
    row.length = p.length;
    std::memcpy(row.margins, p.margins, sizeof row.margins);
  }
  for (uint32_t i = 0; i < userCount; ++i) AddUserPaper(rows[n++], users->entries[i], "CustomPaper");
  for (uint32_t j = 0; j < formCount; ++j) {
    uint32_t range = 0;
    if (!IsServerFormUsable(m, users, forms[j], &range)) continue;
    SessionPaperItem& row = rows[n++];
    row.size = sizeof row;
    CopyText(row.keyword, sizeof row.keyword, "OutServerPaper", 32);
    CopyWide(row.name, 48, forms[j].name, WideLength(forms[j].name));
    row.paperId = (j + 1) | kPaperServerFormBit;
    row.value = row.paperId;
    row.width = static_cast<uint32_t>(forms[j].cx / 100);
    row.length = static_cast<uint32_t>(forms[j].cy / 100);
    std::memcpy(row.margins, m->customPaperMargins, sizeof row.margins);
    row.customRange = range;
    row.iconId = kRowIconId;
  }
  *out = rows;
  return n;
}

uint32_t BuildSessionOutPaperList(const ModelInfo* m, const UserPaperList* users,
                                  const SessionPaperItem* sessionList, SessionPaperItem** out) {
  *out = nullptr;
  const uint32_t outPapers = m != nullptr ? CountRows(m->outPapers) : 0;
  const uint32_t userCount = UserPaperCount(users);
  uint32_t forms = 0;
  for (uint32_t i = 0; sessionList != nullptr && sessionList[i].keyword[0] != '\0'; ++i) {
    if ((sessionList[i].paperId & kPaperServerFormBit) != 0 && sessionList[i].customRange == 1) ++forms;
  }
  SessionPaperItem* rows = AllocRows<SessionPaperItem>(outPapers + userCount + forms);
  if (rows == nullptr) return 0;
  uint32_t n = 0;
  for (uint32_t i = 0; i < outPapers; ++i) {
    CopyModelPaperHead(rows[n++], m->outPapers[i]);
  }
  for (uint32_t i = 0; i < userCount; ++i) AddUserPaper(rows[n++], users->entries[i], "OutCustomPaper");
  for (uint32_t i = 0; sessionList != nullptr && sessionList[i].keyword[0] != '\0'; ++i) {
    if ((sessionList[i].paperId & kPaperServerFormBit) != 0 && sessionList[i].customRange == 1) {
      rows[n++] = sessionList[i];
    }
  }
  *out = rows;
  return n;
}
