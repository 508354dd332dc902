#include "dproc/model/control_template_facts.h"

// One line per feature control that a template holds: template, control,
// kind, stop icon.  Kept in template order.
const ControlTemplateFact kControlTemplateFacts[] = {
    {130, 1003, 1, 1110},  // MediaType: drop list, icon beside it
    // Media Type Setting: the drop lists of the tray values, no icons.
    {155, 1860, 1, 0},     // MediaType_Size
    {155, 1862, 1, 0},     // MediaType_Orientation
    {155, 1003, 1, 0},     // MediaType_Paper
    {155, 1086, 1, 0},     // MediaType_Weight
    {155, 1091, 1, 0},     // MediaType_Color
    {155, 1094, 1, 0},     // MediaType_Hole
    {165, 1860, 1, 0},
    {165, 1862, 1, 0},
    {165, 1003, 1, 0},
    {165, 1091, 1, 0},
    {165, 1094, 1, 0},
    {166, 1860, 1, 0},
    {166, 1862, 1, 0},
    {166, 1003, 1, 0},
};
const size_t kControlTemplateFactCount = sizeof kControlTemplateFacts / sizeof kControlTemplateFacts[0];

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
