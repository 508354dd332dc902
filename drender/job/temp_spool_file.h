// Temporary page files of the render core: "kp%06x.tmp" in the Windows
// temporary directory.
#pragma once

#include "drender/job/temp_spool.h"

inline constexpr size_t kSpoolTempNameChars = 260;

// The temporary directory followed by "kp%06x.tmp" of the number's low 24
// bits.  0 when the temporary path is empty or longer than 246 characters.
uint32_t Spool_MakeTempName(uint32_t number, char16_t name[kSpoolTempNameChars]);
// Kind 2: a new temporary file named after the number, or, when that name
// is taken, after the next free number.  Any other kind: a memory spool.
// Null on failure.
TempSpool* Spool_Create(uint32_t number, uint16_t kind);
// The file operations of a file spool.
const SpoolFileOps* Spool_WindowsFileOps();
// ReadFile until `count` bytes are read or the end of the file; 0 only when
// ReadFile fails.
uint32_t Rdc_ReadFileFully(void* file, void* buffer, uint32_t count, uint32_t* bytesRead);
