#include "dproc/model/control_template_facts.h"

// One line per feature control that a template holds: template, control,
// kind, stop icon.  Kept in template order.
const ControlTemplateFact kControlTemplateFacts[] = {
    // The Basic sheet.
    {100, 1000, 1, 0},     // PaperSize
    {100, 1003, 1, 1110},  // MediaType
    {100, 1006, 1, 0},     // InTray
    {100, 1011, 4, 0},     // Copies
    {100, 1014, 5, 1111},  // Collate
    {100, 1018, 5, 2242},  // JobOffset
    {100, 1033, 4, 0},     // ZoomValue
    {100, 1040, 1, 0},     // OutPaperSize
    {100, 1138, 1, 1140},  // OutputMethod
    {100, 1193, 5, 1195},  // PaperOption1
    {100, 1285, 6, 0},     // UserSetting
    {100, 1287, 6, 0},     // PaperSourceTraySetting
    {100, 1898, 6, 0},     // PaperSettingAuto
    {100, 2170, 6, 2504},  // AuthenticationSetting
    {130, 1003, 1, 1110},  // MediaType: drop list, icon beside it
    // The custom size dialog.
    {151, 1336, 4, 0},     // UserPaper_Width, OutUserPaper_Width
    {151, 1337, 4, 0},     // UserPaper_Length, OutUserPaper_Length
    // Media Type Setting: the drop lists of the tray values, no icons.
    {155, 1860, 1, 0},     // MediaType_Size
    {155, 1862, 1, 0},     // MediaType_Orientation
    {155, 1003, 1, 0},     // MediaType_Paper
    {155, 1086, 1, 0},     // MediaType_Weight
    {155, 1091, 1, 0},     // MediaType_Color
    {155, 1094, 1, 0},     // MediaType_Hole
    // The automatic tray paper dialog.
    {164, 1086, 1, 0},     // MediaWeight
    {164, 1091, 1, 0},     // MediaColor
    {164, 1094, 1, 0},     // MediaPrePunched
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
