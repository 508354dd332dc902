// A stored byte range written into the job as a PCL XL user stream: the
// stream's name and BeginStream, one ReadStream whose data is a stream
// header line followed by the stored bytes, and EndStream.  The stored
// bytes are read from their spool in pieces of at most the caller's
// buffer.  Pure code.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"
#include "drender/job/temp_spool.h"

// The header line every stored stream begins with (16 characters).
inline constexpr char kStoredStreamHeader[] = ") HP-PCL XL;2;1\n";
inline constexpr uint32_t kStoredStreamHeaderSize = 16;
inline constexpr uint32_t kEntryPieceSize = 65536;

// Writes `length` bytes of `spool` from `offset` through `enc` in pieces of
// at most `bufferSize` bytes of `buffer`.  1, or 0 when a read or a write
// fails (what was written stays written).
uint32_t Xl_CopySpoolRange(XlEncoder* enc, TempSpool* spool, uint32_t offset, uint32_t length, uint8_t* buffer,
                           uint32_t bufferSize);
// Defines the user stream `name` with the entry's bytes.  1 or 0.
uint32_t Xl_WriteStoredStream(XlEncoder* enc, const PageStoreEntry* entry, const char* name, uint8_t* buffer,
                              uint32_t bufferSize);
