#include "drender/text/text_pdev.h"

#include <new>

#include "common/records/doc_fields.h"
#include "drender/ddi/ddi_services.h"
#include "drender/ddi/render_pdev.h"

namespace {

constexpr int kFontRecordType = 259;

void LoadDeviceFonts(RenderPdev* pdev, TextPdevState* text) {
  uint32_t count = DocByte(&pdev->state.live->devmode.doc, kDocDeviceFontCountAt);
  if (count > kResidentFontCount) count = kResidentFontCount;
  text->devices.resize(count);
  const DdiServices* services = Ddi_Services();
  if (pdev->state.fontModule == nullptr || services->EngFindResource == nullptr) return;
  for (uint32_t i = 0; i < count; ++i) {
    ULONG size = 0;
    const void* record = services->EngFindResource(pdev->state.fontModule, int(i + 1), kFontRecordType, &size);
    DeviceFont_Load(static_cast<const uint8_t*>(record), record ? size : 0, i + 1, &text->devices[i]);
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
