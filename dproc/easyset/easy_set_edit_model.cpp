#include "dproc/easyset/easy_set_edit_model.h"

#include <utility>

#include "dproc/easyset/easy_set_records.h"

EasySetEditModel::EasySetEditModel(const EasySetList& list) {
  for (const EasySetNode* n = list.first; n != nullptr; n = n->next) {
    EasySetNode* copy = CopyEasySetNode(*n);
    if (copy == nullptr) {
      ok_ = false;
      continue;
    }
    entries_.push_back({copy, n == list.current});
  }
}

EasySetEditModel::~EasySetEditModel() {
  for (Entry& e : entries_) FreeEasySetNode(e.node);
}

size_t EasySetEditModel::Count(uint32_t kind) const {
  size_t n = 0;
  for (const Entry& e : entries_) n += e.node->kind == kind ? 1 : 0;
  return n;
}

bool EasySetEditModel::Editable(size_t i, bool admin) const {
  if (i >= entries_.size()) return false;
  const EasySetNode& n = *entries_[i].node;
  return n.header.protectedSet == 0 && n.builtIn == 0 && (n.kind == kEasySetUser || admin);
}

size_t EasySetEditModel::Room(bool admin) const {
  const size_t shared = Count(kEasySetShared), user = Count(kEasySetUser);
  const size_t sharedRoom = admin && shared < kMaxSharedEasySets ? kMaxSharedEasySets - shared : 0;
  return sharedRoom + (user < kMaxUserEasySets ? kMaxUserEasySets - user : 0);
}

bool EasySetEditModel::MoveUp(size_t i) {
  if (i == 0 || i >= entries_.size()) return false;
  std::swap(entries_[i], entries_[i - 1]);
  return true;
}

bool EasySetEditModel::MoveDown(size_t i) {
  if (i + 1 >= entries_.size()) return false;
  std::swap(entries_[i], entries_[i + 1]);
  return true;
}

int EasySetEditModel::Delete(size_t i) {
  if (i >= entries_.size()) return -1;
  FreeEasySetNode(entries_[i].node);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
  if (entries_.empty()) return -1;
  return static_cast<int>(i < entries_.size() ? i : entries_.size() - 1);
}

EasySetEditModel::Rename EasySetEditModel::SetNames(size_t i, std::u16string_view name,
                                                    std::u16string_view comment) {
  if (i >= entries_.size()) return Rename::kFailed;
  const std::u16string_view cut = name.substr(0, kEasySetNameChars - 1);
  if (cut.empty()) return Rename::kEmpty;
  EasySetNode& node = *entries_[i].node;
  for (size_t j = 0; j < entries_.size(); ++j) {
    if (j != i && entries_[j].node->kind == node.kind && EasySetName(entries_[j].node->header) == cut) {
      return Rename::kTaken;
    }
  }
  const bool same = EasySetName(node.header) == cut &&
                    std::u16string_view(node.header.comment) == comment.substr(0, kEasySetCommentChars - 1);
  if (same) return Rename::kDone;
  EasySetNode changed = node;
  SetEasySetField(changed.header.name, kEasySetNameChars, cut);
  SetEasySetField(changed.header.comment, kEasySetCommentChars, comment);
  EasySetNode* fresh = RefreshEasySetText(changed);
  if (fresh == nullptr) return Rename::kFailed;
  FreeEasySetNode(entries_[i].node);
  entries_[i].node = fresh;
  return Rename::kDone;
}

bool EasySetEditModel::AddUser(EasySetNode* node) {
  if (node == nullptr || !IsEasySetHeaderOfThisFormat(node->header)) return false;
  node->kind = kEasySetUser;
  node->builtIn = 0;
  node->prev = node->next = nullptr;
  entries_.push_back({node, false});
  return true;
}

void EasySetEditModel::PutInto(EasySetList* list) const {
  FreeEasySetList(list);
  for (const Entry& e : entries_) {
    EasySetNode* copy = CopyEasySetNode(*e.node);
    if (copy == nullptr) continue;
    if (!AddEasySet(list, copy, copy->kind)) {
      FreeEasySetNode(copy);
      continue;
    }
    if (e.current) list->current = copy;
  }
}

void EasySetEditModel::SetRestoreOptions(size_t i, const uint8_t* options, size_t count) {
  if (i >= entries_.size() || options == nullptr) return;
  uint8_t* restore = entries_[i].node->header.restore;
  for (size_t k = 0; k < count && k < kEasySetRestoreOptionBytes; ++k) restore[k] = options[k] != 0 ? 1 : 0;
}

void EasySetEditModel::SetIcon(size_t i, bool shown, uint16_t index) {
  if (i >= entries_.size()) return;
  entries_[i].node->header.iconShown = shown ? 1 : 0;
  entries_[i].node->header.iconIndex = index;
}

void EasySetEditModel::SetKind(size_t i, uint32_t kind) {
  if (i >= entries_.size() || entries_[i].node->builtIn != 0) return;
  entries_[i].node->kind = kind == kEasySetShared ? kEasySetShared : kEasySetUser;
}

bool EasySetEditModel::MayChangeKind(size_t i) const {
  if (i >= entries_.size() || entries_[i].node->builtIn != 0) return false;
  return entries_[i].node->kind == kEasySetUser ? Count(kEasySetShared) < kMaxSharedEasySets
                                                : Count(kEasySetUser) < kMaxUserEasySets;
}
