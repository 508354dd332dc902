// What the device-communication library's answers mean: the supported
// models, the installed option units as option value keywords of the
// description file, and the paper in each input tray.  Pure rules over the
// answers one session collected.
#pragma once

#include <cstdint>
#include <vector>

#include "common/contracts/bdc_library.h"
#include "common/contracts/ddproc_functions.h"

// No device lists more entries of one kind; a larger count from the library
// is cut to it before anything is allocated.
inline constexpr uint32_t kBdcMaxListEntries = 256;

// The answers of one session; a step that failed leaves its part empty.
struct BdcAnswers {
  BdcLibVersion version{};
  BdcCommInfo commInfo{};
  BdcDevName name{};
  std::vector<BdcFirmwareEntry> firmware;
  std::vector<BdcMemoryEntry> memory;
  std::vector<BdcOptionEntry> options;
  std::vector<BdcInputTrayEntry> trays;
  std::vector<BdcOutputTrayEntry> outputTrays;
  BdcMediaPath mediaPath{};
  std::vector<BdcFinisherEntry> finishers;
};

// True when the device name and the product name are both names of the
// supported models (exact comparison).
bool BdcIsSupportedModel(const BdcAnswers& answers);

// The installed-option bits the rules test.
struct BdcOptionSets {
  uint32_t model, options, finisher, memory, mediaPath;
};
BdcOptionSets BdcComputeOptionSets(const BdcAnswers& answers);

// Fills each entry's value from the option rules (an entry whose keyword is
// not a rule key gets an empty value).
void BdcFillOptionEntries(const BdcAnswers& answers, uint32_t count, DevOptionEntry* entries);

// One input tray's answer: the six media keywords ("MediaTypeList_*_Unknown"
// when the device does not know the tray) and the status.
void BdcFillTrayEntries(const BdcAnswers& answers, uint32_t count, TrayStatusEntry* entries);
