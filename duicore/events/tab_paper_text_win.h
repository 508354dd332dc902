// The tab-paper text of a job's per-page list: the list sent to the render
// core at the start of the document, and the tab text steps of the page
// and document events.
#pragma once

#include <windows.h>

// Sends the job's per-page list (head and entries in one block) when the
// job's settings use one.
void SendJobInterSheetList(HANDLE printer, HDC dc);

// The tab-paper step of the start-page (6), end-page (7) and end-document
// (8) events; always 1.
int DrawTabPaperText(HDC dc, HANDLE printer, int event);
