// The pages of a property-sheet session and the rules that choose them:
// which templates and sheet procedures a session mode shows, where each
// page's title is found, the session mode of a document request, and the
// title's cut to its field.
#pragma once

#include <cstddef>
#include <cstdint>

struct SheetPageRow {
  uint32_t templateId;      // dialog template of VELDRANG
  const char* procedure;    // the sheet procedure's export of VELDRANA
};

// The pages of a session mode (0-2 document, 3 device), in order; the
// count is stored in `*count`.  Null (count 0) for another mode.
const SheetPageRow* SheetPagesOfMode(int32_t mode, size_t* count);

struct SheetTitleKey {
  const char* section;
  const char* key;
};
// The display-text section and key of a template's title; false for a
// template without one.
bool SheetTitleKeyOf(uint32_t templateId, SheetTitleKey* out);

// The session mode of a document request: the advanced bit (0x10) gives 1,
// else the user-default bit (0x40) 2, else 0; on Windows 2000 the desktop
// shell asking with one DEVMODE for in and out and no out size edits the
// user's defaults (2).
struct DocumentRequest {
  uint32_t mode;
  int osClass;               // os_version_class.h
  bool callerIsShell;        // the process's program is the Windows folder's explorer.exe
  bool sameDevModes;         // in and out DEVMODE are one buffer
  uint32_t outSize;
};
int32_t DocumentSessionMode(const DocumentRequest& request);

// Copies `text` into a title field of `capacity` units, cut to
// capacity - 1 characters and always terminated.
void CopyPageTitle(const char16_t* text, char16_t* out, size_t capacity);
