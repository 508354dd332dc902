#include "drender/draw/draw_job.h"

void Draw_MarkContent(DrawJob* job, uint32_t bit) {
  if (job->saveBlankPaper && Gfx_PageHasMarks(job->gs)) job->gs->contentFlags |= bit;
}

uint8_t Draw_GrayLevel(uint32_t colour) {
  const uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  return static_cast<uint8_t>((30 * r + 59 * g + 11 * b) / 100);
}
