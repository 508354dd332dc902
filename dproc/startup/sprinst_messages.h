// Message texts of the settings import and export functions, one per error
// code ("ERMSG_00" to "ERMSG_14") and a fallback ("ERMSG_XX"), read from the
// description file's "DDJOV_ErrMsg" section at start-up.
#pragma once

#include <cstddef>

#include "common/qxd/qxd_reader.h"

inline constexpr size_t kSprinstMessageRows = 16;
inline constexpr size_t kSprinstMessageText = 290;

struct SprinstMessageRow {
  const char* key;                  // null in the end row
  bool loaded;                      // a text was read for the row
  char text[kSprinstMessageText];   // narrow, as the file holds it
};

// The 16 rows in code order, the fallback last, and an end row.
extern SprinstMessageRow g_sprinstMessages[kSprinstMessageRows + 1];

// Fills the rows from the open main description file; rows already loaded
// keep their text.
void LoadSprinstErrorMessages(QxdContext* ctx);
// Drops every loaded text (library shut-down).
void FreeSprinstErrorMessages();
