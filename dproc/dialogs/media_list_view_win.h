// The media-type list view (control 1844) of the media dialogs: its
// columns as the model's switches admit them.
#pragma once

#include <windows.h>

#include "dproc/dialogs/media_columns.h"

inline constexpr int kMediaListViewControl = 1844;

// Builds the columns of list view 1844 (header buttons off, each column as
// wide as its title plus the header's bitmap margins and 36 pixels) and
// returns how many it added.
int InitMediaTypeListView(HWND dialog, const MediaSwitches& switches);
// The media dialogs' rule for the process's model.
bool IsMediaTypeColumnShown(const char* keyword);
