// Easy Set files (".QXS"): an Easy Set's text written as a settings file
// (UTF-8 with a byte-order mark), without its restore options, icon and
// protected mark, and read back as a user's Easy Set.
#pragma once

#include <windows.h>

#include "dproc/easyset/easy_set_list.h"

// The header of a settings file ("DriverInfo", "EasySetName"); false when
// the file cannot be read or lacks one of their keys.
bool ReadEasySetFile(const wchar_t* path, EasySetHeader* header);
// A record of the file: its header with the default restore options, no
// icon, not protected, and the name (at most 31 characters) and comment
// (at most 255) given in place of the file's when not null.  Null when the
// file cannot be read.
EasySetNode* ImportEasySetFile(const wchar_t* path, const wchar_t* name, const wchar_t* comment);
// The record's text as a settings file; false when it cannot be written
// (an earlier file of that name is then left as it was).
bool ExportEasySetFile(const EasySetNode& node, const wchar_t* path);
