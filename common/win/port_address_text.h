// Finding a device's host in the texts that name a printer's port: an IPP
// address of a printer connection, a UNC name, and any URL (the WSD
// devices' location).  Each finder gives where the host lies in the text;
// the Windows layer (printer_address_win.h) converts it.
#pragma once

#include <cstddef>

struct TextSpan {
  size_t start;
  size_t length;
};

// "http://" or "https://" (any case), the host up to the first "/" or the
// end, and when a path follows it must begin with "/ipp" (any case).  A
// port after a colon stays part of the host.  False for anything else or
// an empty host.
bool FindIppUrlHost(const char16_t* text, TextSpan* host);
// Two backslashes, then the server name up to the next backslash or the
// end.  False for anything else or an empty name.
bool FindUncServerName(const char16_t* text, TextSpan* server);
// The host of a URL read by hand: after the first "//", up to the next
// "/"; a ":" outside square brackets cuts the port; one leading "[" and one
// trailing "]" are removed.  False without "//" or for an empty host.
bool FindUrlHostByHand(const char16_t* url, TextSpan* host);
