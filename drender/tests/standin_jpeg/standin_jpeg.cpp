// Stands in for the JPEG encoder library: every measuring pass fails.  Each
// call is counted in the process environment ("STANDIN_JPEG_CALLS"), so a
// test sees that the render core called it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "common/contracts/jpeg_encode_params.h"

extern "C" uint16_t JPEG_ENCODE_CALL Jpeg_EncodeStart(JpegEncodeParams* params, uint32_t pass) {
  char text[16] = "0";
  GetEnvironmentVariableA("STANDIN_JPEG_CALLS", text, sizeof text);
  char next[16];
  std::snprintf(next, sizeof next, "%d", std::atoi(text) + 1);
  SetEnvironmentVariableA("STANDIN_JPEG_CALLS", next);
  if (params) params->output_size = 0;
  (void)pass;
  return 0x2F00;
}
