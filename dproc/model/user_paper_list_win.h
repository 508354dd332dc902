// The spooler side of the user paper list: the stored list and the print
// server's forms.
#pragma once

#include <windows.h>

#include <vector>

#include "dproc/model/user_paper_list.h"

// Clears the list, then reads "CustomPaperData" (at most 682 bytes).  True
// when the spooler reports success.
BOOL ReadCustomPaperData(HANDLE printer, UserPaperList* list);

// The print server's forms (FORM_INFO_1W, level 1) of an open printer:
// enumerated once into `buffer`, which the returned forms point into.
// Empty when the enumeration fails.
std::vector<ServerForm> EnumerateServerForms(HANDLE printer, std::vector<BYTE>* buffer);

// The session paper list with the server forms of `printerName` when
// `useServerForms` is set.  The forms are enumerated once into one buffer
// and the rows are sized from the number that enumeration returned, so a
// form added meanwhile cannot write past the rows.  Free with std::free.
uint32_t BuildSessionPaperListForPrinter(const ModelInfo* model, const wchar_t* printerName,
                                         const UserPaperList* users, bool useServerForms,
                                         SessionPaperItem** out);
