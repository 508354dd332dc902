// The file dialogs of the Edit Easy Set dialog's Import and Export: the
// system's open and save dialogs with a part of our own below them that
// shows the Easy Set's name and comment.  On import the name and comment
// of the chosen file fill that part, the user may change them, and a file
// that does not fit this driver is refused before the dialog closes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dproc/easyset/easy_set_records.h"

inline constexpr uint16_t kEasySetFileTemplate = 169;

struct EasySetFileRequest {
  bool import = true;
  HWND owner = nullptr;
  wchar_t path[MAX_PATH] = {};
  wchar_t name[kEasySetNameChars] = {};        // export: shown; import: chosen
  wchar_t comment[kEasySetCommentChars] = {};  // likewise
  EasySetDriverFacts driver;                   // what an imported file must fit
  std::vector<std::u16string> userNames;       // names an import may not take
};

// False when the user cancelled; otherwise the path (and on import the
// name and comment) are in the request.
bool ShowEasySetFileDialog(EasySetFileRequest* request);
UINT_PTR CALLBACK EasySetFileHookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
