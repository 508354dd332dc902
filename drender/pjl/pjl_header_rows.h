// The PJL job header without the PDEV: walks the rows of the start-command
// table in file order and expands, for each row it knows by name, the
// entries the job's settings call for.  Rows named "Embeded_<n>" call the
// embedded handler of slot n (1 and 2: the per-page sets).
#pragma once

#include <cstdint>

#include "drender/pjl/pjl_job.h"

// Returns the number of rows walked (0 without a start-command table).
uint32_t Pjl_WalkStartCommands(PjlJob* job);
// The row of the colour-setting command table that the job's colour mode
// chooses.
const char* Pjl_ColorModeRowName(uint8_t colorMode);
