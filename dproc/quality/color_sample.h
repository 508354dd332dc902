// The image operations behind the colour pages' sample pictures: the
// lightness histogram of a device-independent bitmap, the contrast and
// brightness tone curve and its application, the saturation change by the
// hexcone hue/saturation/value model.  Pure: a bitmap is its bytes (the
// 40-byte header, the colour table, the rows bottom-up, each padded to four
// bytes), checked before any read.
#pragma once

#include <cstddef>
#include <cstdint>

// A bitmap in memory; `size` bounds every read and write.
struct SampleDib {
  uint8_t* bytes;
  size_t size;
};

// The facts of a bitmap the operations need; `ok` is false when the header,
// colour table or rows do not fit in its bytes.
struct SampleDibShape {
  bool ok;
  int32_t width, height;  // height without its sign
  uint16_t bits;
  uint32_t colors;        // colour-table entries
  size_t tableAt, bitsAt, stride;
};
SampleDibShape SampleDibShapeOf(const SampleDib& dib);

// A slider value of -9..+9 on the -100..+100 scale of the operations.
int32_t ScaleSampleValue(int32_t value);

// Counts every pixel by its lightness ((largest + smallest component) / 2);
// pixels of an image of neither 8 nor 24 bits count as 0.  False when there
// is no image.
bool BuildLightnessHistogram(uint32_t counts[256], const SampleDib& dib);

// The tone curve for `contrast` and `brightness` (-100..+100) around the
// image's median lightness: three tables of 256 levels (red, green, blue).
void BuildToneCurve(int32_t contrast, int32_t brightness, const SampleDib& dib, uint8_t curve[768]);

// Maps the colour table of an 8-bit image, or every pixel of a 24-bit one,
// through the curve; other depths stay as they are.
void ApplyToneCurve(const uint8_t curve[768], const SampleDib& dib);

// Hue (degrees), saturation and value (0..255) of a colour, and back
// (components truncated).
struct SampleHsv {
  double hue, saturation, value;
};
SampleHsv SampleRgbToHsv(uint8_t red, uint8_t green, uint8_t blue);
void SampleHsvToRgb(const SampleHsv& hsv, uint8_t* red, uint8_t* green, uint8_t* blue);

// The saturation after a chroma change of `chroma` (-100..+100) in each model:
// the hexcone one (0..255) and the system's HLS one (1..240).
double HsvSaturationAfter(double saturation, int32_t chroma);
int32_t HlsSaturationAfter(int32_t saturation, int32_t chroma);

// Changes the saturation of every colour-table entry (blue, green, red,
// reserved) by the hexcone model; the reserved byte becomes 0.
void ChangeTableSaturationHsv(uint8_t* table, uint32_t entries, int32_t chroma);
