// Numeric conversions and small routines of the PCL XL encoder.
#pragma once

#include <cstddef>
#include <cstdint>

// The value of a decimal text, read from its last character backwards: the
// character at distance k from the end adds (code & 0x0F) x 10^k when that
// is 9 or less and nothing otherwise, but every character takes a position
// (so "12 3" gives 1203).  A null or empty text gives 0.  A value that does
// not fit in 32 bits (more than ten digits, or ten digits above 4294967295)
// gives 0xFFFFFFFF.
uint32_t Rdc_ParseDecimal(const char* text);
// The same over the first `length` characters of a text.
uint32_t Rdc_ParseDecimalN(const char* text, size_t length);

// The IEEE-754 single bit pattern of a count of millionths (1,000,000 = 1.0),
// computed without floating-point arithmetic.  The result is the smallest
// single that is not below the exact value (its magnitude is rounded up),
// so it is never more than one unit in the last place above it.
uint32_t Rdc_MillionthsToReal32(int32_t millionths);

// The four bytes of v in reverse order.
uint32_t Rdc_SwapBytes32(uint32_t v);

// The smallest whole r with r x r >= a x a + b x b.
uint32_t Rdc_Hypot(int32_t a, int32_t b);

// The GDI ternary raster-operation code of a binary mix mode (1 to 16);
// bits 16 to 23 are the XL ROP3 value.  Other codes give 0xFFFFFFFF.
uint32_t Rdc_Rop2ToRop3(int32_t rop2);
