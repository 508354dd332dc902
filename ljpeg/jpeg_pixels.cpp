#include "ljpeg/jpeg_pixels.h"

bool JpegChooseSampling(uint8_t mode, JpegSampling* sampling) {
  switch (mode) {
    case 0: *sampling = {16, 16, 2, 2}; return true;
    case 1: *sampling = {16, 8, 2, 1}; return true;
    case 2: *sampling = {8, 8, 1, 1}; return true;
    default: return false;
  }
}

int JpegDepthIndex(uint16_t bits_per_pixel) {
  switch (bits_per_pixel) {
    case 8: return 0;
    case 16: return 1;
    case 24: return 2;
    case 32: return 3;
    default: return -1;
  }
}
