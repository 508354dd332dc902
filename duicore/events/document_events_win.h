// The document events of a job (DrvDocumentEvent): what the user interface
// core does in the application's process around each step of printing, and
// the private escapes it sends the render core on the application's DC.
#pragma once

#include <windows.h>

#include <cstdint>

// The worker behind DrvDocumentEvent: -1 failure, else the event's result.
// `event` is the event code without the flags of its high word.
int RunDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inSize, const void* in);

// The start-document steps in their order; none stops the ones after it.
void RunStartDocSequence(HANDLE printer, HDC dc);
// After StartDoc: a job that was cancelled at the destinations or refused
// at authentication is aborted and removed from the queue.  `in` points to
// the spooler's job number.
void RunDropCheck(HANDLE printer, HDC dc, ULONG inSize, const void* in);
// EndPage: the watermark, then the tab-paper text; -1 when the job record
// cannot be read or the drawing mode cannot be switched.
int RunEndPage(HANDLE printer, HDC dc);

// Makes the 26-character identifier (NUL-terminated); false when none can
// be made.
bool MakeJobIdentifier(char out[27]);
// The identifier of the last job started in this process (empty before).
const char* LastJobIdentifier();
