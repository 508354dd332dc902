// Fix-ups that bring one document setting back into line after a partner
// setting changed: the binding edge with the side the pages are bound on,
// the N-up page order with the N-up layout, staple and punch positions with
// the paper feed, the booklet binding and the combination order with the
// orientation, and the layouts an outside host can only print through
// enhanced metafiles.  Each replaces an impossible value by the nearest
// possible one and returns 1 when it changed the settings, else 0; none asks
// the user.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

// Binding edge against the binding side (four-edge models) or the automatic
// binding codes 14-17 (other models).
int AdjustBindingEdge(const ModelInfo* model, DocDMode* doc);
// AdjustBindingEdge, on four-edge models only.
int FixUpBindingEdge(const ModelInfo* model, DocDMode* doc);
// "NupStyle" against the N-up layout kind.
int FixUpNupStyle(DocDMode* doc);
// "Staple_op" / "HolePunch_op": the model's replacement for the current
// paper feed, when the position's row asks for one.
int FixUpStaplePosition(const ModelInfo* model, DocDMode* doc);
int FixUpPunchPosition(const ModelInfo* model, DocDMode* doc);
// "BookletBinding" against the orientation.
int FixUpBookletBinding(DocDMode* doc);
// "Combination_op" against the effective orientation.
int FixUpCombinationOrder(const ModelInfo* model, DocDMode* doc);

// What the page's host tells the fix-ups that depend on it.
struct FixUpHost {
  bool outsideHost;          // the sheets run inside an outside host's property pages
  bool advPrintFeaturesOn;   // the host's advanced printing features (on before Windows 2000)
  bool rawOnlyPrinter;       // the printer accepts raw data only
  bool monoDriver;           // the printer's driver name ends in "Mono"
};

// A poster "Nup_op" (7, 8, 9) goes back to the default settings' value when
// the model has no poster printing, the advanced printing features are off
// or the printer is raw-only: posters need metafile spooling.
int ResetEmfOnlyNup(const ModelInfo* model, DocDMode* doc, const DocDMode* defaults, const FixUpHost& host);
// Outside hosts only: ResetEmfOnlyNup.
int FixUpEmfOnlyNup(const ModelInfo* model, DocDMode* doc, const DocDMode* defaults, const FixUpHost& host);
// Outside hosts only: a booklet goes back to the default "DoubleSides" when
// the advanced printing features are off or the printer is raw-only.
int FixUpEmfOnlyDuplex(DocDMode* doc, const DocDMode* defaults, const FixUpHost& host);

// Every fix-up but the punch position, in order, then greyscale for a
// "Mono" driver (not counted as a change).  The OR of the results.
int FixUpSettingsConflicts(const ModelInfo* model, DocDMode* doc, const DocDMode* defaults,
                           const FixUpHost& host);
