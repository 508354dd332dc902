// TrueType fonts handed to the render core: the table directory, the font
// of a collection, the character map, glyph locations and composite glyphs,
// as the soft-font download reads them.  Whatever the file holds, the
// download must read only inside it and write a stream that the independent
// dissector accepts.
#include <cstdint>
#include <string>
#include <vector>

#include "drender/text/soft_font_download.h"
#include "tests/pclxl/xl_dissector.h"

namespace {

std::vector<uint8_t> g_out;
uint32_t Sink(void*, const uint8_t* bytes, uint32_t length) {
  g_out.insert(g_out.end(), bytes, bytes + length);
  return 1;
}

uint16_t Convert(uint16_t, uint16_t code) { return static_cast<uint16_t>(code ^ 0x8000); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 22)) return 0;
  static const std::u16string family = u"Test Sans";
  TtFile file{};
  TtFontState state;
  const bool usable = Font_PrepareOutlines(data, static_cast<uint32_t>(size),
                                           reinterpret_cast<const uint16_t*>(family.data()),
                                           static_cast<uint32_t>(family.size()), 128, &file, &state);
  if (!usable) {
    // Still walk what a refused font offers.
    Tt_BuildGtSegment(TtFile{data, static_cast<uint32_t>(size), 0});
    return 0;
  }
  g_out.clear();
  XlEncoder enc;
  XL_InitEncoder(&enc, &Sink, nullptr);
  SoftFontCache cache;
  XlGlyphDownload glyphs{};
  SoftFontJob job{&enc, &cache, &glyphs};
  SoftFontFace face{};
  face.key = 1;
  face.face = "Fuzz";
  face.file = &file;
  face.state = &state;
  face.convert = &Convert;
  face.defaultChar = 0x20;
  std::vector<uint16_t> codes, sent;
  std::vector<uint32_t> handles;
  for (uint16_t c = 0x20; c < 0x80; ++c) codes.push_back(c);
  for (uint16_t c : {0x3042, 0x4E00, 0xFF61, 0x8140, 0xFFFF}) codes.push_back(c);
  for (size_t i = 0; i < codes.size(); ++i) handles.push_back(static_cast<uint32_t>(i * 7));
  sent.resize(codes.size());
  char name[64];
  Font_DownloadSoftFont(job, face, codes.data(), handles.data(), static_cast<uint32_t>(codes.size()),
                        sent.data(), name);
  // Glyph-index text reaches every glyph id the font counts (at most 512).
  face.glyphIndexText = true;
  codes.clear();
  for (uint32_t g = 0; g < state.numGlyphs && g < 512; ++g) codes.push_back(static_cast<uint16_t>(g));
  handles.assign(codes.size(), 0);
  sent.resize(codes.size());
  Font_DownloadSoftFont(job, face, codes.data(), handles.data(), static_cast<uint32_t>(codes.size()),
                        sent.data(), name);
  xl::Options options;
  options.header = false;
  options.start = xl::Context::Session;
  options.dataSourceOpen = true;
  if (!xl::Dissect(g_out, options).ok) __builtin_trap();
  return 0;
}
