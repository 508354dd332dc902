// Answers to the spooler's device-capability queries (the DC_* codes) from
// the model record, the user's papers, the print server's forms and the
// settings records.  The spooler side gathers the papers and forms; this
// part decides the answers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/contracts/ddproc_functions.h"
#include "common/qxd/model_info.h"
#include "common/records/public_devmode.h"
#include "common/records/settings_records.h"
#include "dproc/model/user_paper_list.h"

inline constexpr int32_t kCapsUnsupported = -1;
inline constexpr size_t kCapsNameUnits = 64;

// The papers that join the model's in the capability paper list: the
// user's papers (null: none) and every spooler form in the spooler's order
// (the list keeps those the user paper list's form filter accepts).
struct SpoolerPapers {
  const UserPaperList* users;
  const ServerForm* forms;
  uint32_t formCount;
};

// One paper of that list, found by its id.
struct ListedPaper {
  int32_t width, length;   // 0.1 mm; the custom size's row gives the model's row size
  uint32_t margins[4];     // the model row's, or the model's default margins
  bool modelPaper;
};
// False when the id is not in the list.  `name` (or null) receives the
// paper's name, cut to `nameUnits` - 1 units and a NUL.
bool FindListedPaper(const ModelInfo* model, const SpoolerPapers& papers, uint32_t paperId, ListedPaper* out,
                     char16_t* name, size_t nameUnits);

struct CapabilityQuery {
  const ModelInfo* model;
  const DeviceOptionItem* deviceOptions;
  const PublicDevMode* devmode;
  const DocDMode* doc;
  const DevDMode* device;          // null when there is none
  int winVersionClass;             // -1 older, 0 NT 4.0, 1 Windows 2000, ... 4 later
  SpoolerPapers papers;
  DDProcDeviceCapabilitiesProc ddproc;  // asked first when not null
};

// The answer to `capability`; -1 when it is not supported.  `output` (or
// null) receives the capability's array; the caller sizes it from the
// answer of a first call without output.
int32_t AnswerDeviceCapability(const CapabilityQuery& query, uint16_t capability, void* output);

// The print rate, its unit (1 PPM, 2 CPS, 3 LPM, 4 IPM) and the pages per
// minute, from the model and the machine that the "OpMachine" device option
// selects.
struct PrintRate {
  int32_t rate;
  int32_t unit;
  int32_t pagesPerMinute;
};
PrintRate GetPrintRate(const ModelInfo* model, const DeviceOptionItem* deviceOptions, const DevOption* option);
