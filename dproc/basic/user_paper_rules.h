// The rules of the user paper list (the printer's named custom sizes): the
// list text of an entry, the lowest free paper id, the uniqueness of a name,
// and what is made of a stored list before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/qxd/model_info.h"
#include "dproc/model/user_paper_list.h"

// How an entry's lengths are shown: 1 whole millimetres, 2 tenths of a
// millimetre, 3 hundredths of an inch, 4 thousandths of an inch.
int UserPaperDisplayKind(uint16_t unit, bool sizeFigure);

// "<name>\t(210 x 297mm)" and the like, cut to `capacity` - 1 characters.
void FormatUserPaperListText(const UserPaperEntry& entry, int kind, char16_t* out, size_t capacity);

// The lowest paper id of 512 to 522 that no entry of the list uses; 0 when
// all are taken.
uint16_t LowestFreeUserPaperId(const UserPaperList& list);

// A name may be given to entry `self` of the list being edited: not empty,
// and, ignoring case, unlike every paper of the model's original and output
// lists, every other entry, and every spooler form that does not carry one
// of the names of the stored list (the forms the list made itself).
bool IsUserPaperNameUnique(const char16_t* name, const UserPaperList& edited, uint32_t self,
                           const UserPaperList& stored, const ModelInfo* model,
                           const std::vector<const char16_t*>& spoolerForms);

// A stored list made safe to use: the count brought into 0 to 10, the
// entries after it cleared, every name ended within its 20 units.
void SanitizeUserPaperList(UserPaperList* list);
