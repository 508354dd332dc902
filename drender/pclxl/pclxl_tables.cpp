// Tag tables of the PCL XL encoder.
#include "drender/pclxl/pclxl_tables.h"

#include <array>

const uint8_t XlDataType[kXlTypeCount] = {
    0xC0, 0xC1, 0xC2, 0xC3, 0xC4,  // ubyte, uint16, uint32, sint16, sint32
    0xD0, 0xD1, 0xD2, 0xD3, 0xD4,  // the same as xy pairs
    0xE0, 0xE1, 0xE2, 0xE3, 0xE4,  // the same as boxes
    0xC8, 0xC9, 0xCA, 0xCB, 0xCC,  // the same as arrays
    0xFA, 0xFB,                    // embedded data, four-byte and one-byte length
    0xF8, 0xF9,                    // attribute identifier, one and two bytes
    0xC5, 0xD5,                    // real32, real32_xy
};

namespace {

struct OpEntry {
  uint8_t position;
  uint8_t tag;
};

// Every operator of the table with its position.
constexpr OpEntry kOperators[] = {
    {0, 0x41},   {1, 0x42},   {2, 0x43},   {3, 0x44},   {4, 0x46},   {5, 0x47},
    {6, 0x48},   {7, 0x49},   {8, 0x4A},   {9, 0x4B},   {10, 0x4C},  {23, 0x4F},
    {24, 0x50},  {25, 0x51},  {27, 0x52},  {28, 0x53},  {30, 0x54},  {31, 0x55},
    {41, 0x5B},  {42, 0x5C},  {43, 0x5D},  {44, 0x5E},  {45, 0x60},  {46, 0x61},
    {47, 0x62},  {48, 0x63},  {57, 0x64},  {58, 0x65},  {59, 0x56},  {60, 0x66},
    {71, 0x67},  {72, 0x68},  {73, 0x69},  {74, 0x6A},  {81, 0x6B},  {82, 0x6C},
    {84, 0x6D},  {85, 0x6E},  {86, 0x6F},  {87, 0x70},  {88, 0x71},  {89, 0x72},
    {90, 0x73},  {91, 0x74},  {92, 0x75},  {93, 0x76},  {94, 0x77},  {95, 0x78},
    {96, 0x79},  {105, 0x7A}, {106, 0x7B}, {107, 0x7C}, {108, 0x7D}, {109, 0x7F},
    {110, 0x80}, {111, 0x81}, {112, 0x84}, {114, 0x85}, {115, 0x86}, {118, 0x91},
    {120, 0x93}, {122, 0x95}, {124, 0x96}, {125, 0x97}, {126, 0x98}, {127, 0x99},
    {128, 0x9B}, {129, 0x9D}, {130, 0x9E}, {131, 0x9F}, {132, 0xA0}, {133, 0xA1},
    {134, 0xA2}, {135, 0xA3}, {142, 0xA8}, {143, 0xA9}, {144, 0xAA}, {145, 0xB0},
    {146, 0xB1}, {147, 0xB2}, {153, 0xB3}, {154, 0xB4}, {158, 0xB5}, {159, 0xB6},
    {161, 0xB8}, {162, 0xB9}, {163, 0x5F}, {164, 0x46},
};
static_assert(sizeof(kOperators) / sizeof(kOperators[0]) == 88);

constexpr std::array<uint8_t, kXlOperatorCount> BuildOperatorTable() {
  std::array<uint8_t, kXlOperatorCount> table{};
  for (auto& t : table) t = kXlNoOperator;
  for (const OpEntry& e : kOperators) table[e.position] = e.tag;
  return table;
}

}  // namespace

const std::array<uint8_t, kXlOperatorCount> XlOperator = BuildOperatorTable();
