// Storing the user paper list: the list as printer data "CustomPaperData"
// and a user form of the spooler per entry.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "dproc/model/user_paper_list.h"

// The spooler calls the store makes; tests put their own in.
struct UserPaperSpooler {
  DWORD (*setPrinterData)(HANDLE printer, const wchar_t* name, DWORD type, const BYTE* data, DWORD size);
  // The spooler has a form of the name.
  bool (*hasForm)(HANDLE printer, const wchar_t* name);
  BOOL (*deleteForm)(HANDLE printer, const wchar_t* name);
  BOOL (*addForm)(HANDLE printer, const FORM_INFO_1W* form);
};
const UserPaperSpooler& SystemUserPaperSpooler();

// Writes `list` (made safe first: count 0 to 10, names ended) as the 682
// bytes of "CustomPaperData".  Only when that write succeeded, and unless
// the session flag is set, are the forms of the names in `start` (the list
// as the dialog found it) deleted and a user form added per entry; failures
// of single form calls are ignored.  False when the write failed: then the
// printer data and the forms stay as they were.
bool StoreUserPaperList(HANDLE printer, const UserPaperList& start, UserPaperList* list, bool sessionFlag,
                        const UserPaperSpooler& spooler);
