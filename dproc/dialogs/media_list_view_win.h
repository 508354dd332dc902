// The media-type list view (control 1844) of the media dialogs: its
// columns as the model's switches admit them, one owner-drawn row per input
// tray of the model with what the sheet context's tray media table says the
// tray holds, a warning icon beside a tray the constraint rules refuse and a
// page icon for the orientation.
#pragma once

#include <windows.h>

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/media/media_columns.h"
#include "common/media/media_rows.h"
#include "dproc/sheets/sheet_context.h"

inline constexpr int kMediaListViewControl = 1844;

// Builds the columns of list view 1844 (header buttons off, each column as
// wide as its title plus the header's bitmap margins and 36 pixels) and
// returns how many it added.
// Also gives the list its small image list (portrait page, landscape page,
// warning) and empties it.
int InitMediaTypeListView(HWND dialog, const MediaSwitches& switches);
// A new 16 x 16 masked image list for the list view: images 0 and 1 the
// portrait and landscape page icons 473 and 474 of the picture library,
// image 2 the system's warning icon.
void SetMediaListImages(HWND dialog);

// Fills the rows from the tray media table `table` (ten rows, whose tray
// keywords and ids it writes): the model's trays in list order without the
// automatic tray, each cell the media list text of the row's value (empty
// when no item has it).  Keeps the last visible row in view.  Returns the
// number of columns in use, 0 when the model lists no tray.
int FillMediaTypeListViewFrom(HWND dialog, TrayMediaSlot* table, const ModelInfo* model,
                              const MediaTypeLists* lists);
// The same for the sheet context kept by the dialog, with the process's
// model and media lists.  `listId` is not read: the list is always 1844.
int FillMediaTypeListView(HWND dialog, const SheetCtx* ctx, int listId);
// The trays the last fill listed (read by the drawing).
const MediaListTrays& MediaListTraysShown();

// WM_DRAWITEM of the list: the row's background (the list's colour, the
// button face when disabled; no selection), each of the `columns` cells'
// text, the warning icon of a refused tray in the first column and the
// orientation's page icon in the third, from the row of `table` that the
// item's data names.
void DrawMediaTypeListItemWith(HWND dialog, const DRAWITEMSTRUCT* item, int columns, const TrayMediaSlot* table);
// The same with the tray media table of the dialog's sheet context.
void DrawMediaTypeListItem(HWND dialog, const DRAWITEMSTRUCT* item, int columns, int listId);
// The media dialogs' rule for the process's model.
bool IsMediaTypeColumnShown(const char* keyword);
