// The header the driver's libraries and programs are compiled after: the
// Windows interface, compiled once per build tree into a precompiled header
// (see driver_library_preludes in cmake/DriverTargets.cmake).  The standard
// headers stay out of it: read from a precompiled header, their inlined
// copies are no longer known as system code and draw the libraries' warnings.
// A source still includes what it uses itself.
#pragma once

#include <windows.h>
