// Values the document sheets of one process remember between sessions: the
// duplex mode that was chosen before booklet printing and the N-up kind
// that was chosen before a poster kind.  The Layout sheet writes them when
// booklet or a poster is chosen; the Basic sheet's manual zoom reads them.
#pragma once

#include <cstdint>

struct SheetMemory {
  uint8_t duplexBeforeBooklet = 0;   // 0: none (booklet not chosen, or already given back)
  int32_t nupKindBeforePoster = -1;  // -1: none (no poster kind chosen, or already given back)
};
inline SheetMemory& ProcessSheetMemory() {
  static SheetMemory memory = {};
  return memory;
}
