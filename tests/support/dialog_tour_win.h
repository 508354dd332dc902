// The dialog tour: every sheet and dialog the driver can open, reached on
// an installed printer as a person would reach it (the document sheets
// through DocumentPropertiesW, the dialogs by their buttons, the fax
// destination dialog as a fax job opens it), each handed to a visitor while
// it stands on the display and then closed with Cancel.  The device sheets
// are opened through the user interface core's PrinterProperties, called
// directly: Wine's spooler never shows them.
//
// The tour is a table: a sheet or dialog built later is one more row of
// kDialogTour (dialog_tour_win.cpp), naming its template, its title, and
// the window and control it is opened from (or the tab that shows it).  `./run.sh` saves a picture of
// each stop (faxprinter), and the tests check that the texts of each fit
// their controls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// How a stop's window is reached.
enum class TourWay {
  kDocumentPage,  // a page of the document sheets; `page` is its index
  kControl,       // opened by control `control` of the stop `from`
  kTab,           // a page of the tab control `control` of the stop `from`; `page` is its index
  kFaxJobStart,   // the fax destination dialog a fax job opens
  kDevicePage,    // a page of the device sheets; `page` is its index
  kHostedPage,    // a page no host of the driver lists, on a sheet of the tour's own (a session
                  // with the printer's default settings)
  kDeviceDialog,  // a dialog the device library's hook runs, shown by a caller of the tour's own that
                  // offers it every message under the template id (a session with the printer's
                  // default settings)
};

struct TourStop {
  uint16_t templateId;
  const char* title;              // the name in the picture's file name
  TourWay way;
  uint16_t from;                  // kControl, kTab: the template id of the window it opens from
  int control;
  int page;                       // kDocumentPage, kTab; kControl: 1 only on the hosted pages' model
  // kControl: what a person does before pressing `control`; kDocumentPage:
  // what a person does on the page before it is seen (may be null).
  void (*prepare)(HWND from);
};

// The rows of the tour, in the order they are visited (a window's dialogs
// follow it).
const std::vector<TourStop>& DialogTour();

struct TourReport {
  std::vector<uint16_t> visited;       // template ids, in visiting order
  std::vector<std::string> problems;   // stops that could not be reached, and why
  // Message boxes that came on the way to a stop, answered with OK.
  std::vector<std::string> questions;
};

// Called for each stop with the window that shows it: the page of a sheet,
// or the dialog.  It runs on a thread of its own while the window's thread
// goes on serving the window.
using TourVisit = std::function<void(const TourStop& stop, HWND window)>;

// Takes the tour on the installed printer (its name and a handle with
// full access).  The procedure library and the dialog templates are those
// of the printer's driver.  With `hostedModel` (a main description file),
// the pages no host lists are shown on that model instead of the
// printer's: a copy of the driver's files with that description in a
// folder of the tour's own (the fuller finishing model shows the controls
// a fax model hides).
TourReport RunDialogTour(HANDLE printer, const std::wstring& printerName, const TourVisit& visit,
                         const std::wstring& hostedModel = L"");

// The file name of a stop's picture: "<template id>-<title>.png".
std::string TourPictureName(const TourStop& stop);

}  // namespace testsupport
