// The headers Windows test programs begin with: those of every test
// program and the Windows interface (see test_prelude.h).
#pragma once

#include <windows.h>

#include "tests/support/test_prelude.h"
