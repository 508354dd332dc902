// What the Edit Cover Sheet Setting dialog does to the stored sets, without
// its windows: the items in list order, the selection, the name being typed,
// and the operations of the dialog's controls (select, type, up, down,
// delete, OK).  The dialog procedure shows the result and the messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/records/fax_cover_sheet.h"

struct CoverSetEditItem {
  uint32_t fCurrent;                  // the set the cover data equalled when the dialog opened
  char16_t name[kFcsSetNameChars];    // the name being edited
  FcsBasicPart basic;
  FcsSenderPart sender;
  FcsImagePart image;
};

struct CoverSetEditModel {
  std::vector<CoverSetEditItem> items;  // list-box order
  int32_t sel = -1;                     // selection, -1 none
  std::u16string nameEdit;              // text of the name edit, at most 20 characters
};

enum CoverSetEditStatus : int32_t {
  kCoverEditDone = 0,
  kCoverEditEmptyName = 530,      // the message entry the dialog shows
  kCoverEditDuplicateName = 531,
  kCoverEditNotAllowed = -1,      // the control is disabled: nothing happens
};

struct CoverSetEditButtons {
  bool nameEdit, list, up, down, del, ok;
};

// Opening: the first item with the current flag is selected, its name in
// the edit; without one nothing is selected.
void CoverSetEditOpen(CoverSetEditModel* m);
// The commit test of the selected item's name, without changing anything.
CoverSetEditStatus CoverSetEditCheckName(const CoverSetEditModel& m);
// Selecting another item: the selected item's name is committed first; a
// refused commit keeps the old selection.
CoverSetEditStatus CoverSetEditSelect(CoverSetEditModel* m, int32_t index);
// Typing in the name edit (only while an item is selected): the text, cut
// to 20 characters, becomes the item's name at once.
CoverSetEditStatus CoverSetEditType(CoverSetEditModel* m, const std::u16string& text);
CoverSetEditStatus CoverSetEditUp(CoverSetEditModel* m);
CoverSetEditStatus CoverSetEditDown(CoverSetEditModel* m);
// Delete, after the user's Yes: the item goes, and the item now at its place
// (the last one when it was the last) becomes the selection without a commit.
CoverSetEditStatus CoverSetEditDelete(CoverSetEditModel* m);
// OK: commits the selected name; on success `current` is the index of the
// item carrying the current flag (-1 when it was deleted).
CoverSetEditStatus CoverSetEditOk(CoverSetEditModel* m, int32_t* current);
CoverSetEditButtons CoverSetEditButtonState(const CoverSetEditModel& m);
