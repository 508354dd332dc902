#include "dproc/fax_cover/cover_set_edit.h"

#include <algorithm>
#include <utility>

namespace {

constexpr size_t kNameMax = kFcsSetNameChars - 1;

std::u16string ItemName(const CoverSetEditItem& item) {
  size_t n = 0;
  while (n < kNameMax && item.name[n]) ++n;
  return std::u16string(item.name, n);
}

void SetItemName(CoverSetEditItem* item, const std::u16string& text) {
  const size_t n = std::min(text.size(), kNameMax);
  std::fill(std::begin(item->name), std::end(item->name), u'\0');
  std::copy_n(text.data(), n, item->name);
}

bool Valid(const CoverSetEditModel& m, int32_t i) {
  return i >= 0 && static_cast<size_t>(i) < m.items.size();
}

CoverSetEditStatus Commit(CoverSetEditModel* m) {
  const CoverSetEditStatus st = CoverSetEditCheckName(*m);
  if (st == kCoverEditDone && Valid(*m, m->sel)) SetItemName(&m->items[m->sel], m->nameEdit);
  return st;
}

void SelectWithoutCommit(CoverSetEditModel* m, int32_t index) {
  m->sel = index;
  m->nameEdit = ItemName(m->items[index]);
}

}  // namespace

void CoverSetEditOpen(CoverSetEditModel* m) {
  m->sel = -1;
  m->nameEdit.clear();
  for (size_t i = 0; i < m->items.size(); ++i) {
    if (m->items[i].fCurrent) {
      SelectWithoutCommit(m, static_cast<int32_t>(i));
      return;
    }
  }
}

CoverSetEditStatus CoverSetEditCheckName(const CoverSetEditModel& m) {
  if (!Valid(m, m.sel)) return kCoverEditDone;
  if (m.nameEdit.empty()) return kCoverEditEmptyName;
  for (size_t i = 0; i < m.items.size(); ++i) {
    if (static_cast<int32_t>(i) != m.sel && ItemName(m.items[i]) == m.nameEdit) return kCoverEditDuplicateName;
  }
  return kCoverEditDone;
}

CoverSetEditStatus CoverSetEditSelect(CoverSetEditModel* m, int32_t index) {
  if (!Valid(*m, index)) return kCoverEditNotAllowed;
  if (!CoverSetEditButtonState(*m).list) return kCoverEditNotAllowed;
  if (index == m->sel) return kCoverEditDone;
  const CoverSetEditStatus st = Commit(m);
  if (st != kCoverEditDone) return st;
  SelectWithoutCommit(m, index);
  return kCoverEditDone;
}

CoverSetEditStatus CoverSetEditType(CoverSetEditModel* m, const std::u16string& text) {
  if (!Valid(*m, m->sel)) return kCoverEditNotAllowed;
  m->nameEdit = text.substr(0, kNameMax);
  SetItemName(&m->items[m->sel], m->nameEdit);
  return kCoverEditDone;
}

CoverSetEditStatus CoverSetEditUp(CoverSetEditModel* m) {
  if (!CoverSetEditButtonState(*m).up) return kCoverEditNotAllowed;
  std::swap(m->items[m->sel], m->items[m->sel - 1]);
  --m->sel;
  return kCoverEditDone;
}

CoverSetEditStatus CoverSetEditDown(CoverSetEditModel* m) {
  if (!CoverSetEditButtonState(*m).down) return kCoverEditNotAllowed;
  std::swap(m->items[m->sel], m->items[m->sel + 1]);
  ++m->sel;
  return kCoverEditDone;
}

CoverSetEditStatus CoverSetEditDelete(CoverSetEditModel* m) {
  if (!CoverSetEditButtonState(*m).del) return kCoverEditNotAllowed;
  const int32_t at = m->sel;
  m->items.erase(m->items.begin() + at);
  m->sel = -1;
  m->nameEdit.clear();
  if (!m->items.empty()) SelectWithoutCommit(m, std::min<int32_t>(at, static_cast<int32_t>(m->items.size()) - 1));
  return kCoverEditDone;
}

CoverSetEditStatus CoverSetEditOk(CoverSetEditModel* m, int32_t* current) {
  if (!CoverSetEditButtonState(*m).ok) return kCoverEditNotAllowed;
  const CoverSetEditStatus st = Commit(m);
  if (st != kCoverEditDone) return st;
  *current = -1;
  for (size_t i = 0; i < m->items.size(); ++i) {
    if (m->items[i].fCurrent) *current = static_cast<int32_t>(i);
  }
  return kCoverEditDone;
}

CoverSetEditButtons CoverSetEditButtonState(const CoverSetEditModel& m) {
  CoverSetEditButtons b{};
  const bool selected = Valid(m, m.sel);
  const bool nameOk = selected && CoverSetEditCheckName(m) == kCoverEditDone;
  // The edit stays usable while a set is selected, so an emptied name can be
  // typed again; list and OK wait for a name that is not empty.
  b.nameEdit = selected;
  b.list = !selected || !m.nameEdit.empty();
  b.ok = b.list;
  b.up = nameOk && m.sel >= 1;
  b.down = nameOk && static_cast<size_t>(m.sel) + 1 < m.items.size();
  b.del = !m.items.empty() && selected;
  return b;
}
