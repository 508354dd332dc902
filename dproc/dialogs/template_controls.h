// What a dialog template says about the controls of the feature table: a
// control's kind from its class and style, and its stop icon, the icon
// control that the template places beside it.
#pragma once

#include <cstdint>
#include <vector>

#include "dproc/dialogs/dialog_template.h"

// Kinds of the feature table's control rows.
enum ControlKind : uint32_t {
  kKindNone = 0, kKindDropList = 1, kKindListBox = 2, kKindRadio = 3, kKindNumberEdit = 4, kKindCheckBox = 5,
  kKindPushButton = 6, kKindPerPageColumn = 7, kKindListView = 8,
};
// From the class and style: combo box 1, list box 2, radio button 3, edit 4,
// check box (two- or three-state) 5, push button 6, list view 8; 0 for the
// others (statics, group boxes, owner-drawn buttons).
uint32_t ControlKindOf(const DialogItemFacts& item);

// The stop icon beside a control: of the template's icon controls (owner-
// drawn buttons whose id `isIcon` accepts), the one whose rectangle lies
// nearest the control's, at most 6 dialog units away; the first in
// template order on a tie.  0 when none.
inline constexpr int kStopIconReach = 6;
uint32_t StopIconBeside(const std::vector<DialogItemFacts>& items, const DialogItemFacts& control,
                        bool (*isIcon)(uint32_t id));
