#include "dproc/model/control_template_facts.h"

// The table itself (kControlTemplateFacts) is made at build time from the
// compiled dialog templates (qxdtool template-facts).

const ControlTemplateFact* FindControlTemplateFact(const uint32_t* pageIds, size_t pageCount, uint32_t controlId) {
  for (size_t i = 0; i < kControlTemplateFactCount; ++i) {
    const ControlTemplateFact& f = kControlTemplateFacts[i];
    if (f.controlId != controlId) continue;
    for (size_t p = 0; p < pageCount && pageIds[p] != 0; ++p) {
      if (pageIds[p] == f.pageId) return &f;
    }
  }
  return nullptr;
}
