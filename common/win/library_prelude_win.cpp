// The object the library prelude's precompiled header is made with.
#include "common/win/library_prelude_win.h"
