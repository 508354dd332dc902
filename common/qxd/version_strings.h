// The driver's version strings, filled from the description files at
// start-up: the five parts of the data version and the driver version.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"

// Each string holds at most 31 characters and a NUL.
inline constexpr size_t kVersionUnits = 32;

enum VersionPart : int {
  kVersionBasic = 0,    // "Ver_Basic" of "Version" in the main file      ("6")
  kVersionSetup,        // "Ver_UISetup"                                  ("6")
  kVersionLocalize,     // "Ver_Localize"                                 ("6")
  kVersionCommand,      // "Ver_Command" of "Version" in the command file ("6")
  kVersionConstraint,   // the constraint file's version text             ("5")
  kVersionDriver,       // "Ver_driver" of "Version" in VELDRANX.QXD      ("1.2.6")
  kVersionPartCount,
};

const char16_t* GetVersionString(VersionPart part);
// Replaces a string (cut to 31 characters); the constraint file's loader
// sets the constraint version this way.
void SetVersionString(VersionPart part, const char16_t* text);
// Every string back to its value before any file was read.
void ResetVersionStrings();
// "basic.setup.localize.command.constraint", cut to `capacity` - 1.
void GetDataVersion(char16_t* out, size_t capacity);

// Zero-fills 260 bytes and reads a narrow text byte by byte: stops after a
// NUL, a failed read or 259 characters.
void ReadQxdNarrowText(QxdContext* ctx, uint32_t offset, char* out);
// Zero-fills 32 units and reads UTF-16 units: stops after a NUL, a failed
// read or 31 characters.
void ReadQxdShortWideText(QxdContext* ctx, uint32_t offset, char16_t* out);

// The basic, setup and localisation versions from the main file.
void ReadVersionInfo(QxdContext* mainFile);
// The command version from an open command file (40-byte section headers).
void ReadCommandVersionFrom(QxdContext* commandFile);
// The driver version from an open VELDRANX.QXD.
void ReadDriverVersionFrom(QxdContext* driverFile);

#ifdef _WIN32
#include <windows.h>
// The same from VELDRANP.QXD and VELDRANX.QXD beside `module`; a missing
// file leaves the string as it is.
void ReadCommandVersion(HMODULE module);
void ReadDriverVersion(HMODULE module);
#endif
