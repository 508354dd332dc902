// The binding-edge rules of a job, shared by the job header, the page start
// and the driver's own layout: the orientation of the sheet the pages are
// put on, the automatic binding edge, and whether a two-sided page binds on
// the other edge of its sheet.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"
#include "drender/settings/page_settings.h"

// The orientation (1 portrait, 2 landscape) of the sheet that carries pages
// of orientation `orientation`: a booklet the driver makes turns it; so do
// 2-up and 6-up, and then `Combination` turns it once more; the other N-up
// kinds keep it, without the `Combination` turn.
uint8_t Pjl_SheetOrientation(const DocDMode* doc, uint8_t orientation, bool driverBooklet);

// The automatic binding edge (15 left or 17 top) for a sheet of orientation
// `sheetOrientation`: a booklet the device makes binds left on a portrait
// sheet, else on top; a paper the model does not list binds left; a listed
// paper fed with its other edge first binds on top of a portrait sheet and
// left on a landscape one; any other listed paper the reverse.  The paper is
// the job's effective one (the output paper when one is chosen).
uint32_t Pjl_AutoBindingEdgeForSheet(const ModelInfo* model, const DocDMode* doc, uint8_t sheetOrientation,
                                     bool driverBooklet);
// The same for pages of orientation `orientation`, turned when
// `Combination` is set.
uint32_t Pjl_AutoBindingEdge(const ModelInfo* model, const DocDMode* doc, uint8_t orientation, bool driverBooklet);
// The binding edge of the settings with the automatic edge (14) resolved for
// the settings' own orientation.
uint32_t Pjl_ResolvedBindingEdge(const ModelInfo* model, const DocDMode* doc, bool driverBooklet);

// Whether pages of orientation `orientation` bind on the other edge of
// their sheet: edges 0 to 3, 10 and 12 do; left and right (15, 16) on a
// portrait sheet; top (17) on a landscape one.
bool Pjl_BindsOnOtherEdge(const ModelInfo* model, const DocDMode* doc, uint8_t orientation, bool driverBooklet);

// The binding test of a captured page: its snapshot applied to empty
// settings, asked for pages of orientation `orientation`.  1 or 0.
uint32_t Page_GetDuplexBinding(const ModelInfo* model, uint8_t orientation, const PageSettings* snapshot,
                               bool driverBooklet);
// The `DuplexPageMode` of a two-sided page: for a portrait page 1 when it
// binds on the other edge, for a landscape one 1 when it does not.
uint8_t Page_DuplexPageMode(const ModelInfo* model, const PageSettings* snapshot, bool driverBooklet);
