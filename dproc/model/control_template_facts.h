// What the dialog templates of VELDRANG say about their controls: per
// template and control, the control's kind (from its class and style) and
// the stop icon the template places beside it.  The table is made at build
// time from the compiled templates (qxdtool template-facts), so it follows
// every change of a template; the control table takes both from here.
#pragma once

#include <cstddef>
#include <cstdint>

struct ControlTemplateFact {
  uint32_t pageId;      // the template
  uint32_t controlId;
  uint32_t kind;        // 1 drop list ... 8 list view (feature_table.h)
  uint32_t stopIconId;  // 0: no icon beside it
};
extern const ControlTemplateFact kControlTemplateFacts[];
extern const size_t kControlTemplateFactCount;

// The fact of a control on any of the pages (a list ending at 0); null when
// none of its templates holds it.
const ControlTemplateFact* FindControlTemplateFact(const uint32_t* pageIds, size_t pageCount, uint32_t controlId);
