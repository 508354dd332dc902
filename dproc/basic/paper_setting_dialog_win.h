// The Paper Setting dialog (template 130): what each input tray of the
// printer holds (media type, weight, colour, punching), kept in the per-tray
// media rows of the settings.  The upper list shows what the device reports
// for its trays, with a button that copies those values.  While the dialog
// is open the settings' tray is the tray selected in the lower list, so
// that the constraint pass judges that tray's media; each change goes
// through the pass and a refused one is undone.  Cancel puts the settings
// back as they were when the dialog opened; on closing, the tray and media
// type get their own values back.  Ends with 1 (OK) or 2 (Cancel).
#pragma once

#include <windows.h>

inline constexpr int kPaperSettingTemplate = 130;
inline constexpr int kPaperSettingTrayList = 1848;

INT_PTR CALLBACK PaperSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
