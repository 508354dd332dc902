// Delta-row coding of image and pattern rows.
//
// A row is coded against its seed row (the previous row; all zero before
// the first row) as a sequence of commands, each a command byte and 1 to 8
// replacement bytes.  Command byte: bits 5 to 7 the number of replacement
// bytes less one, bits 0 to 4 the offset: the number of unchanged bytes
// since the end of the previous command (or the start of the row).  An
// offset of 31 or more is written as 31 and extension bytes: 255 for each
// further 255, ended by one byte below 255.  Unchanged bytes after the last
// command are not coded.  The caller writes the coded length (uint16, low
// byte first) before each row.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"

// The most bytes either coder gives for a row of `length` bytes: one
// command byte per eight replacement bytes at worst.
inline constexpr uint64_t Img_DeltaRowBound(uint64_t length) { return length + (length + 7) / 8; }

// Codes the first row of an image or pattern (its seed is all zero)
// without comparing: each full group of eight bytes as command 0xE0 and the
// eight bytes, the remaining 1 to 7 bytes as one command and those bytes.
// Returns 1 and the coded length (length plus the number of commands) in
// *coded, or 0 when the row is missing or a sink call failed.
uint32_t Img_DeltaRowFirst(XlWriteFn write, void* context, const uint8_t* row, uint32_t length,
                           uint64_t* coded);

// Codes `row` against `seed` (both `length` bytes): bytes that differ from
// the seed gather into a command, which is written when an unchanged byte
// follows or when it holds eight bytes.  A row equal to its seed codes to
// nothing.  Returns 1 and the coded length in *coded, or 0 when a row is
// missing or a sink call failed.
uint32_t Img_DeltaRow(XlWriteFn write, void* context, const uint8_t* row, const uint8_t* seed,
                      uint32_t length, uint64_t* coded);
