#include "dproc/dialogs/template_controls.h"

#include <cstdlib>

namespace {

constexpr uint16_t kButton = 0x80, kEdit = 0x81, kListBox = 0x83, kComboBox = 0x85;

bool ClassIs(const DialogItemFacts& item, uint16_t ordinal, const char16_t* name) {
  if (item.classOrdinal != 0) return item.classOrdinal == ordinal;
  const std::u16string& c = item.className;
  size_t i = 0;
  for (; name[i] != 0 && i < c.size(); ++i) {
    char16_t a = c[i], b = name[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a + 32);
    if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b + 32);
    if (a != b) return false;
  }
  return name[i] == 0 && i == c.size();
}

int Gap(int aFrom, int aTo, int bFrom, int bTo) {
  if (aTo < bFrom) return bFrom - aTo;
  if (bTo < aFrom) return aFrom - bTo;
  return 0;
}

}  // namespace

uint32_t ControlKindOf(const DialogItemFacts& item) {
  if (ClassIs(item, kComboBox, u"ComboBox")) return kKindDropList;
  if (ClassIs(item, kListBox, u"ListBox")) return kKindListBox;
  if (ClassIs(item, kEdit, u"Edit")) return kKindNumberEdit;
  if (item.classOrdinal == 0 && ClassIs(item, 0, u"SysListView32")) return kKindListView;
  if (!ClassIs(item, kButton, u"Button")) return kKindNone;
  switch (item.style & 0x0F) {
    case 0x0:  // BS_PUSHBUTTON
    case 0x1:  // BS_DEFPUSHBUTTON
      return kKindPushButton;
    case 0x2:  // BS_CHECKBOX
    case 0x3:  // BS_AUTOCHECKBOX
    case 0x5:  // BS_3STATE
    case 0x6:  // BS_AUTO3STATE
      return kKindCheckBox;
    case 0x4:  // BS_RADIOBUTTON
    case 0x9:  // BS_AUTORADIOBUTTON
      return kKindRadio;
    default: return kKindNone;
  }
}

uint32_t StopIconBeside(const std::vector<DialogItemFacts>& items, const DialogItemFacts& control,
                        bool (*isIcon)(uint32_t id)) {
  uint32_t best = 0;
  int bestGap = kStopIconReach + 1;
  for (const DialogItemFacts& icon : items) {
    if (icon.id == control.id || !isIcon(icon.id)) continue;
    if (!ClassIs(icon, kButton, u"Button") || (icon.style & 0x0F) != 0xB) continue;  // BS_OWNERDRAW
    const int dx = Gap(control.x, control.x + control.cx, icon.x, icon.x + icon.cx);
    const int dy = Gap(control.y, control.y + control.cy, icon.y, icon.y + icon.cy);
    const int gap = dx > dy ? dx : dy;
    if (gap < bestGap) {
      bestGap = gap;
      best = icon.id;
    }
  }
  return best;
}
