// Settings files on disk and the system's narrow code page.
#pragma once

#include <windows.h>

#include <memory>

#include "dproc/saved/ini_document.h"

// Reads and parses a whole settings file (opened with read sharing).  Null,
// with the last error set, for a null or empty path, a file that cannot be
// opened, sized or read, or one that holds no text.
std::unique_ptr<IniDoc> ReadSettingsFile(const wchar_t* path);

// Writes the document as a settings file: into a new file beside the target
// first, which then replaces the target, so that a failed write leaves the
// old file as it was.  False, with the last error set, on any failure; the
// new file is then removed again.
bool WriteSettingsFile(const IniDoc& doc, const wchar_t* path);

// CP_ACP.
const AnsiCodec& SystemAnsiCodec();
