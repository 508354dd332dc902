// The Edit dialog's working copy of a session's Easy Sets: one entry per
// Easy Set (its own copy of the node and whether it was the current one),
// renamed, moved, deleted and imported there, and put back into the
// session's list only when the dialog ends with OK.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "dproc/easyset/easy_set_list.h"

class EasySetEditModel {
 public:
  explicit EasySetEditModel(const EasySetList& list);
  ~EasySetEditModel();
  EasySetEditModel(const EasySetEditModel&) = delete;
  EasySetEditModel& operator=(const EasySetEditModel&) = delete;

  // False when a copy could not be made.
  bool ok() const { return ok_; }
  size_t size() const { return entries_.size(); }
  const EasySetNode& node(size_t i) const { return *entries_[i].node; }
  size_t Count(uint32_t kind) const;
  // Name, comment and place may change for an Easy Set that is not
  // protected: the user's own, or a shared one for a user who may
  // administer the printer.
  bool Editable(size_t i, bool admin) const;
  // The Easy Sets that may still be kept: the shared ones' room only for an
  // administrator.
  size_t Room(bool admin) const;

  bool MoveUp(size_t i);
  bool MoveDown(size_t i);
  // Removes entry i; the entry now selected (the one at its place, the new
  // last one when it was last), -1 when none is left.
  int Delete(size_t i);
  enum class Rename { kDone, kEmpty, kTaken, kFailed };
  // The entry's name and comment; refused for an empty name or one another
  // entry of its kind bears.
  Rename SetNames(size_t i, std::u16string_view name, std::u16string_view comment);
  // Whether entry i shows an icon of its own, and which.
  void SetIcon(size_t i, bool shown, uint16_t index);
  // The kind of entry i (shared or the user's own).
  void SetKind(size_t i, uint32_t kind);
  // Whether entry i could change its kind: the other kind has room for it.
  bool MayChangeKind(size_t i) const;
  // The restore options of entry i (the first `count` bytes).
  void SetRestoreOptions(size_t i, const uint8_t* options, size_t count);
  // Appends a node (owned from then on) as a user Easy Set.
  bool AddUser(EasySetNode* node);
  // Empties `list` and fills it with copies of the entries, the current one
  // current again.
  void PutInto(EasySetList* list) const;

 private:
  struct Entry {
    EasySetNode* node;
    bool current;
  };
  std::vector<Entry> entries_;
  bool ok_ = true;
};
