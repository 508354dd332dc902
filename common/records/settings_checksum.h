// The checksum that guards the document settings record, the search for the
// record inside any DEVMODE, and the test whether a DEVMODE is the driver's
// own.  No Windows interface is needed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/settings_records.h"

// The 32-bit sum, carries dropped, of the first 2006 u32 words (bytes
// 0-8023) of an 8032-byte DocDMode.  0 for a null record.  Needs no memory
// of its own, so a valid record never gets 0 for want of it.
uint32_t CalcOEMDevChecksum(const DocDMode* record);
// Seals the record: stores the checksum at byte 8024.  Every change to a
// record that is handed on is followed by this; nothing else writes the
// checksum.
void SealDocDMode(DocDMode* record);
// Seals a whole driver DEVMODE: the magic behind the record, then the record.
void SealDriverDevMode(DriverDevMode* devmode);
bool DocDModeChecksumMatches(const DocDMode* record);
// A stored record is one of ours: size, tag, version and checksum right.
bool IsSoundDocDMode(const DocDMode* record);

// Stores the printer handle of the current call in the record's header and
// recomputes the checksum, so the record stays valid when it is handed on.
void StoreDocDModePrinterHandle(DocDMode* record, void* printer);

// Writes the header of a DocDMode (sizes, tag, version, both signature
// fields) and leaves every other byte as it is.
void InitDocDModeHeader(DocDMode* record);

// Last-error values of the search (ERROR_INVALID_PARAMETER, ERROR_INVALID_DATA).
inline constexpr uint32_t kFindDocInvalidParameter = 87;
inline constexpr uint32_t kFindDocInvalidData = 13;

// Finds the document settings record inside a DEVMODE: the first byte
// position p of the driver-extra area (which starts dmSize bytes into the
// DEVMODE) that holds u32 8032, the tag "SPLX" and u32 1 in a row, and
// from which all 8032 bytes of the record lie inside the driver-extra area.
// Reads nothing beyond the driver-extra area the DEVMODE declares.  Null
// with `*error` 87 for a null DEVMODE, 13 when there is no such position.
// The checksum and the signatures are not checked.
DocDMode* LocateDocDMode(void* devmode, uint32_t* error);

// True when the `available` bytes at `devmode` are a complete DEVMODE of this
// driver: spec version 0x401, driver version 0x100, dmSize 220,
// dmDriverExtra 8040, the magic in place, the second size word 8032, both
// signature fields and a matching checksum.
bool IsOwnDriverDevMode(const void* devmode, size_t available);
// The same test with the driver version that the settings library reports
// in place of 0x100 (a version above 0xFFFF never matches).
bool IsDriverDevModeOfVersion(const void* devmode, size_t available, uint32_t driverVersion);
