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
    // The Layout sheet.
    {101, 1779, 5, 1112},  // Nup
    {101, 1025, 1, 1112},  // Nup_op
    {101, 1124, 6, 1125},  // SetNupStyle
    {101, 1290, 5, 0},     // SaveBlankPaper
    {101, 1296, 5, 2210},  // Combination
    {101, 1031, 1, 2210},  // Combination_op
    {101, 1289, 5, 2279},  // Rotate180
    {101, 1294, 5, 2211},  // Chapter
    {101, 1286, 1, 1113},  // DoubleSides
    {101, 1230, 5, 2209},  // AdhesiveBind
    {101, 1128, 6, 0},     // DriverBooklet
    {101, 1046, 1, 2223},  // BindingEdge
    {101, 1288, 5, 2224},  // BindingShift
    {101, 1052, 6, 0},     // SetBindingShift
    {101, 1291, 5, 2212},  // ImageShift
    {101, 1212, 6, 0},     // SetImageShift
    {101, 1204, 6, 0},     // PrintPositionSetting
    // The user paper list dialog.
    {115, 1547, 2, 1548},  // CustomPaperList
    {115, 1549, 6, 0},     // Paper_Add
    {115, 1550, 6, 0},     // Paper_Del
    {115, 1553, 4, 0},     // Paper_Name
    {115, 1555, 4, 0},     // Paper_Width
    {115, 1559, 4, 0},     // Paper_Length
    {115, 1240, 3, 0},     // Paper_Unit/Paper_MM
    {115, 1241, 3, 0},     // Paper_Unit/Paper_Inch
    // The style dialog.
    {116, 1025, 1, 1112},  // Nup_op
    {116, 1837, 5, 1407},  // BorderLine
    {116, 1578, 1, 1407},  // BorderLine_op
    {116, 1580, 5, 0},     // PosterMarginLine
    {116, 1405, 1, 0},     // NupStyle
    // The binding margin dialog.
    {117, 1362, 4, 0},     // BindShift_Front
    {117, 1365, 4, 1399},  // BindShift_Back
    {117, 1423, 5, 0},     // BindShift_Same
    // The Paper Setting dialog.
    {130, 1899, 6, 0},     // DevStatusCopy
    {130, 1003, 1, 1110},  // MediaType, MediaType_Tray1...
    {130, 1086, 1, 0},     // MediaWeight
    {130, 1091, 1, 0},     // MediaColor
    {130, 1094, 1, 0},     // MediaPrePunched
    // The booklet dialog.
    {134, 1590, 1, 1608},  // BookletBinding
    // The image shift dialog.
    {136, 1258, 4, 0},     // ImgShiftMFP_FrontH
    {136, 1269, 4, 0},     // ImgShiftMFP_FrontV
    {136, 1366, 4, 0},     // ImgShiftMFP_FrontI
    {136, 1368, 4, 0},     // ImgShiftMFP_FrontO
    {136, 1265, 4, 0},     // ImgShiftMFP_BackH
    {136, 1363, 4, 0},     // ImgShiftMFP_BackV
    {136, 1369, 4, 0},     // ImgShiftMFP_BackI
    {136, 1371, 4, 0},     // ImgShiftMFP_BackO
    {136, 1607, 5, 0},     // ImgShiftMFP_Auto
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
    // The print position dialog.
    {163, 1892, 3, 1891},  // PrintPosition
    // The automatic tray paper dialog.
    {164, 1086, 1, 0},     // MediaWeight
    {164, 1091, 1, 0},     // MediaColor
    {164, 1094, 1, 0},     // MediaPrePunched
    // The other Media Type Setting dialogs.
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
