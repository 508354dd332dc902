// A session with the device-communication library VELDRANI: bind the
// library, ask the device, keep the answers, free the library again.  One
// session per export call; nothing is cached.
#pragma once

#include <windows.h>

#include <memory>

#include "common/contracts/bdc_library.h"
#include "ddproc/bdc/bdc_rules.h"

struct BdcEntryTable {
  HMODULE module = nullptr;
  void* entries[kBdcEntryCount] = {};
};

// Loads the library by `path` and binds all 21 names; false (library freed,
// table clear) unless every name is there.
bool BdcBindLibrary(const wchar_t* path, BdcEntryTable* table);
void BdcUnbindLibrary(BdcEntryTable* table);
// Binds the library by its plain name (the system's search order), else
// beside `directory` (which ends with or without a backslash).
bool BdcBindFrom(const wchar_t* directory, BdcEntryTable* table);

struct BdcSession {
  BdcEntryTable table;
  uint32_t statusParam = 1;
  BdcCommBlock comm{};
  BdcAnswers answers;
  uint32_t lastStatus = 0;
  ~BdcSession() { BdcUnbindLibrary(&table); }
};

// Null when the address or the directory is null, memory runs out, or the
// library cannot be bound.
std::unique_ptr<BdcSession> BdcOpenSession(const char* address, const wchar_t* directory);
// Query steps 1 to 10; `lastStep` stops after that step.  Returns whether
// steps 1 to 3 all succeeded.
bool BdcRunSteps(BdcSession* session, const char* address, int lastStep);
// Opens a session and runs all ten steps; null when the open failed.
std::unique_ptr<BdcSession> BdcQueryDevice(const char* address, const wchar_t* directory);
