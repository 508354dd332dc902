// The Easy Set area of every document sheet: the label (1131), the combo box
// of the session's Easy Sets with "Untitled" for settings that equal none
// (1132), and the Save (1133) and Edit (1134) buttons.  The sheet skeleton
// offers it every message of a page before the page's own handling, and
// tells it of every change of a setting.
#pragma once

#include <windows.h>

#include "common/records/settings_records.h"

inline constexpr int kEasySetLabelId = 1131;
inline constexpr int kEasySetComboId = 1132;
inline constexpr int kEasySetSaveId = 1133;
inline constexpr int kEasySetEditId = 1134;

void EasySetAreaProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The settings of the page changed: they equal no Easy Set any more.
void MarkEasySetModified(HWND dialog, const DocDMode* doc);

// Installs the area and the change notice into the sheet skeleton.
void InstallEasySetArea();
