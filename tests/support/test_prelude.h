// The headers nearly every test program begins with.  They are compiled
// once per build tree into a precompiled header that every test program
// reuses: parsing them took most of the time a test program needed to
// compile.  A test source still includes what it uses itself.  Test
// programs that use the Windows interface start with test_prelude_win.h.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>
