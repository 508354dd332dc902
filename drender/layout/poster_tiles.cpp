// Poster tiles.
#include "drender/layout/poster_tiles.h"

#include "common/records/nup_kinds.h"

#include <algorithm>
#include <climits>

#include "drender/layout/page_placement.h"

namespace {

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

uint32_t Poster_TilesPerSide(uint8_t nupValue) { return PosterTilesPerSide(nupValue); }

bool Poster_ComputeTile(const PosterScale& scale, uint32_t tiles, int32_t cellWidth, int32_t cellHeight,
                        int32_t shiftX, int32_t shiftY, uint32_t column, uint32_t row, PosterTile* tile) {
  *tile = PosterTile{};
  if (tiles == 0 || tiles > 4 || cellWidth <= 0 || cellHeight <= 0) return false;
  // Page units per sheet unit, as numerator over denominator for each axis.
  int64_t numX, numY, denX, denY;
  if (scale.fit) {
    numX = numY = 10000;
    denX = int64_t{tiles} * (scale.fitScaleX / 100);
    denY = int64_t{tiles} * (scale.fitScaleY / 100);
  } else {
    const int64_t percent = Page_ZoomOverFitPercent(scale.zoomValue, scale.fitPercent);
    numX = numY = 100;
    denX = denY = int64_t{tiles} * percent;
  }
  if (denX <= 0 || denY <= 0) return false;
  const int64_t m = cellWidth * numX / denX, l = cellHeight * numY / denY;
  const int64_t sx = shiftX * numX / denX, sy = shiftY * numY / denY;
  if (m <= 0 || l <= 0) return false;
  tile->tileWidth = Clamp32(m);
  tile->tileHeight = Clamp32(l);
  tile->originX = Clamp32(-int64_t{column} * m);
  tile->originY = Clamp32(-int64_t{row} * l);
  tile->shiftX = Clamp32(sx);
  tile->shiftY = Clamp32(sy);
  tile->keepLeft = Clamp32(column * m - sx);
  tile->keepTop = Clamp32(row * l - sy);
  tile->keepRight = Clamp32(column * m - sx + m - 1);
  tile->keepBottom = Clamp32(row * l - sy + l - 1);
  return true;
}
