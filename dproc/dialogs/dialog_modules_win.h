// What the dialog framework uses of the procedure library's start-up: the
// template and picture libraries, the common-controls activation context,
// and the description's text tables.  Start-up fills it; tests may fill it
// themselves.
#pragma once

#include <windows.h>

#include "common/qxd/paper_tables.h"
#include "dproc/model/disp_strings.h"

struct DialogModules {
  HMODULE templates;             // VELDRANG
  HMODULE images;                // VELDRANW
  HANDLE activation;             // INVALID_HANDLE_VALUE: none
  const MessageTables* texts;    // HintStr, ToolChipStr, ViewTipsStr, MessageStr
  MediaTypeLists* const* mediaLists;  // where the description's media lists are kept
};
inline DialogModules& DialogFrameworkModules() {
  static DialogModules modules = {nullptr, nullptr, INVALID_HANDLE_VALUE, nullptr, nullptr};
  return modules;
}
// The media lists of the description, or null.
inline const MediaTypeLists* DialogMediaLists() {
  MediaTypeLists* const* lists = DialogFrameworkModules().mediaLists;
  return lists != nullptr ? *lists : nullptr;
}
// Slot `n` of one of the text tables; null when there is none.
inline const char16_t* DialogText(MessageTable table, uint32_t n) {
  const MessageTables* t = DialogFrameworkModules().texts;
  return t != nullptr ? MessageText(*t, table, n) : nullptr;
}
