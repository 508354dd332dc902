// The N-up kinds of the document settings ("Nup_op"): 1 to 5 put 2, 4, 6,
// 9 or 16 pages on a sheet; 7, 8 and 9 are posters, one page enlarged over
// 2 x 2, 3 x 3 or 4 x 4 sheets.
#pragma once

#include <cstdint>

inline bool IsPosterNupKind(uint32_t kind) { return kind >= 7 && kind <= 9; }
// Sheets per side of a poster kind (2, 3, 4); 0 for every other value.
inline uint32_t PosterTilesPerSide(uint32_t kind) { return IsPosterNupKind(kind) ? kind - 5u : 0; }
