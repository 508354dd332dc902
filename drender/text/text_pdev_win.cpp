#include "drender/text/text_pdev.h"

#include <new>

#include "common/records/doc_fields.h"
#include "drender/ddi/ddi_services.h"
#include "drender/ddi/render_pdev.h"
#include "drender/text/ddi_text_types.h"

namespace {

constexpr int kFontRecordType = 259;
constexpr int kGlyphSetType = 260;  // id 1: the glyph set of the Japanese faces
constexpr uint8_t kShiftJisCharset = 128;

// The glyph set of the single-byte faces (Latin and symbol): the system code
// page's characters 0 to 255, as the engine computes them.
GlyphSetBlock SingleByteGlyphSet() {
  GlyphSetBlock block;
  const DdiTextServices* text = Ddi_TextServices();
  if (text->EngComputeGlyphSet == nullptr) return block;
  auto* computed = static_cast<GlyphSet*>(text->EngComputeGlyphSet(0, 0, 256));
  if (computed == nullptr) return block;
  GlyphSet_Copy(computed, &block);
  if (text->EngFreeMem != nullptr) text->EngFreeMem(computed);
  return block;
}

void LoadDeviceFonts(RenderPdev* pdev, TextPdevState* text) {
  uint32_t count = DocByte(&pdev->state.live->devmode.doc, kDocDeviceFontCountAt);
  if (count > kResidentFontCount) count = kResidentFontCount;
  text->devices.resize(count);
  const DdiServices* services = Ddi_Services();
  if (pdev->state.fontModule == nullptr || services->EngFindResource == nullptr) return;
  GlyphSetBlock singleByte, shiftJis;
  bool singleByteMade = false, shiftJisRead = false;
  for (uint32_t i = 0; i < count; ++i) {
    ULONG size = 0;
    const void* record = services->EngFindResource(pdev->state.fontModule, int(i + 1), kFontRecordType, &size);
    DeviceFontEntry& entry = text->devices[i];
    DeviceFont_Load(static_cast<const uint8_t*>(record), record ? size : 0, i + 1, &entry);
    if (!entry.Loaded()) continue;
    if (entry.ifi.charset == 0 || entry.ifi.charset == 2) {
      if (!singleByteMade) singleByte = SingleByteGlyphSet();
      singleByteMade = true;
      entry.glyphSet = singleByte;
    } else if (entry.ifi.charset == kShiftJisCharset) {
      if (!shiftJisRead) {
        ULONG setSize = 0;
        const void* image = services->EngFindResource(pdev->state.fontModule, 1, kGlyphSetType, &setSize);
        if (image != nullptr) GlyphSet_FromImage(static_cast<const uint8_t*>(image), setSize, &shiftJis);
        shiftJisRead = true;
      }
      entry.glyphSet = shiftJis;
    }
  }
}

}  // namespace

TextPdevState* Text_PdevState(RenderPdev* pdev) {
  if (pdev->tail.text != nullptr) return pdev->tail.text;
  TextPdevState* text = new (std::nothrow) TextPdevState;
  if (text == nullptr) return nullptr;
  try {
    LoadDeviceFonts(pdev, text);
  } catch (const std::bad_alloc&) {
    text->devices.clear();
  }
  pdev->tail.text = text;
  return text;
}

void Text_ReleaseFonts(RenderPdev* pdev) {
  TextPdevState* text = pdev->tail.text;
  if (text == nullptr) return;
  XL_EndChar(&pdev->state.xl, &text->glyphs);
  Font_ReleaseSoftFonts(&text->softFonts, &pdev->state.xl);
  Text_ResetState(&text->text);
}

void Text_PageStart(RenderPdev* pdev) {
  if (pdev->tail.text != nullptr) Text_ResetState(&pdev->tail.text->text);
}

void Text_FreePdev(RenderPdev* pdev) {
  delete pdev->tail.text;
  pdev->tail.text = nullptr;
}
