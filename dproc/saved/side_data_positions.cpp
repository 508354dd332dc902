#include "dproc/saved/side_data_positions.h"

#include "common/records/doc_fields.h"

bool ClampListPositions(uint32_t formCount, uint32_t printerMarks, uint32_t userMarks, DocDMode* settings) {
  DocFields& f = Fields(*settings);
  if (formCount == 0) {
    f.bOverlay = 0;
    f.nFormListPos = -1;
  } else if (f.nFormListPos < 0 || static_cast<uint32_t>(f.nFormListPos) >= formCount) {
    f.nFormListPos = 0;
  }
  if (f.wWmkListPos >= uint64_t{printerMarks} + userMarks) {
    f.wWmkListPos = 0;
    return true;
  }
  return false;
}
