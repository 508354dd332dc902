#include "dproc/auth/middle_server_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/text/utf8_text.h"

namespace ms {

namespace {

// Window and control styles of the template.
constexpr uint32_t kChild = 0x40000000, kVisible = 0x10000000, kBorder = 0x00800000, kTabStop = 0x00010000,
                   kGroup = 0x00020000, kVScroll = 0x00200000;
constexpr uint32_t kPopup = 0x80000000, kCaption = 0x00C00000, kSysMenu = 0x00080000, kModalFrame = 0x80,
                   kSetFont = 0x40;
constexpr uint32_t kAutoHScroll = 0x80, kPassword = 0x20;
constexpr uint32_t kPushButton = 0, kDefPushButton = 1, kAutoCheckBox = 3, kRadioButton = 4, kGroupBox = 7;
constexpr uint32_t kLeft = 0, kCenter = 1, kDropDownList = 3;

constexpr uint32_t kEditStyle = kChild | kVisible | kBorder | kTabStop | kAutoHScroll;
constexpr uint32_t kLabelStyle = kChild | kVisible | kLeft;

}  // namespace

std::string ItemText(const uint8_t* item, uint32_t at, uint32_t size) {
  if (at >= kItemBytes) return {};
  size = std::min(size, kItemBytes - at);
  const char* p = reinterpret_cast<const char*>(item + at);
  return std::string(p, strnlen(p, size));
}

int32_t ItemI32(const uint8_t* item, uint32_t at) {
  int32_t v;
  std::memcpy(&v, item + at, 4);
  return v;
}

int16_t ItemI16(const uint8_t* item, uint32_t at) {
  int16_t v;
  std::memcpy(&v, item + at, 2);
  return v;
}

uint32_t TextPartAt(int kind) { return kind == 9 ? kKind9At : kind == 10 ? kKind10At : kTextDefaultAt; }

int TextClass(const uint8_t* item) {
  const int kind = item[kKindAt];
  return kind == 9 || kind == 10 ? item[TextPartAt(kind) + kExtraClassAt] : item[kTextClassAt];
}

int TextMinLength(const uint8_t* item) {
  const int kind = item[kKindAt];
  return kind == 9 || kind == 10 ? item[TextPartAt(kind) + kExtraMinAt] : item[kTextMinAt];
}

int InputStyle(const uint8_t* item) {
  switch (item[kKindAt]) {
    case 1: return item[kTextStyleAt];
    case 2: return item[kNumberStyleAt];
    default: return 1;
  }
}

int ListCount(const uint8_t* item) { return std::min<int>(item[kListCountAt], kListMax); }

std::string ListValue(const uint8_t* item, int i) {
  return ItemText(item, kListEntriesAt + static_cast<uint32_t>(i) * kListEntryBytes, kListValueBytes);
}

std::string ListText(const uint8_t* item, int i) {
  return ItemText(item, kListEntriesAt + static_cast<uint32_t>(i) * kListEntryBytes + kListValueBytes,
                  kListTextBytes);
}

bool DateFieldUsed(int subKind, int field) {
  const bool date = field <= 2, time = field == 3 || field == 4;
  switch (subKind) {
    case 1: return date || time;
    case 2: return date;
    case 3: return time;
    default: return true;
  }
}

bool IsNumberInRange(std::string_view text, const NumberRange* range) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) i = 1;
  if (i >= text.size()) return false;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
    if (value > (int64_t{1} << 40)) value = int64_t{1} << 40;  // far outside every range
  }
  if (range == nullptr) return true;
  if (negative && range->min >= 0) return false;
  if (negative) value = -value;
  return value >= range->min && value <= range->max;
}

bool TextAnswerOk(std::string_view text, uint8_t input, int minLength, int charClass) {
  if (text.empty()) return input != kRequired || minLength <= 0;
  if (text.size() < static_cast<size_t>(std::max(minLength, 0)) || text.size() > 64) return false;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (charClass == 2 && (c < 32 || c > 126)) return false;
    if (charClass == 3 && !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  }
  return true;
}

bool NumberAnswerOk(std::string_view text, uint8_t input, int32_t min, int32_t max) {
  if (input != kRequired && text.empty()) return true;
  if (text.empty() || text.size() > 11) return false;
  const NumberRange whole{INT32_MIN, INT32_MAX};
  if (!IsNumberInRange(text, &whole)) return false;
  if (min < max) {
    const NumberRange own{min, max};
    return IsNumberInRange(text, &own);
  }
  return true;
}

bool DateAnswerOk(std::string_view text, uint8_t input, int field) {
  if (input != kRequired) return true;
  const DateField& f = kDateFields[field];
  if (text.empty() || text.size() > f.chars) return false;
  const NumberRange range{f.min, f.max};
  return IsNumberInRange(text, &range);
}

int SnapZoneMinutes(int minutes) { return minutes >= 16 && minutes <= 45 ? 30 : 0; }

namespace {

std::string Number(int v) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", v);
  return text;
}

int Clamp(int field, long v) {
  return static_cast<int>(std::clamp<long>(v, kDateFields[field].min, kDateFields[field].max));
}

// A number read from a text that IsNumberInRange accepts without a range.
long ReadNumber(std::string_view text) {
  const std::string s(text.substr(0, 12));
  return std::strtol(s.c_str(), nullptr, 10);
}

}  // namespace

std::string DateFieldAnswer(int field, std::string_view typed, uint8_t input, int defaultYear,
                            std::string_view defaultText, bool* failed) {
  const DateField& f = kDateFields[field];
  const NumberRange range{f.min, f.max};
  std::string out;
  if ((!typed.empty() && typed.size() <= f.chars && IsNumberInRange(typed, &range)) || input == kRequired) {
    out.assign(typed.substr(0, 16));
  } else {
    long v;
    if (field == 0) {
      v = defaultYear;
    } else if (IsNumberInRange(typed.substr(0, 12), nullptr)) {
      v = ReadNumber(typed);
    } else {
      v = IsNumberInRange(defaultText, nullptr) ? ReadNumber(defaultText) : 0;
    }
    out = Number(Clamp(field, v));
    if (input == kNeeded && failed != nullptr) *failed = true;
  }
  if (field == 6) out = Number(SnapZoneMinutes(static_cast<int>(ReadNumber(out))));
  return out;
}

std::string DateFieldDefault(int field, int defaultYear, std::string_view defaultText) {
  long v = field == 0 ? defaultYear : (IsNumberInRange(defaultText, nullptr) ? ReadNumber(defaultText) : 0);
  v = Clamp(field, v);
  if (field == 6) v = SnapZoneMinutes(static_cast<int>(v));
  return Number(static_cast<int>(v));
}

void PlanControls(const uint8_t* items, int count, std::vector<Control>* controls, std::vector<Node>* nodes) {
  controls->clear();
  nodes->clear();
  controls->push_back({kButton, kChild | kVisible | kTabStop | kAutoCheckBox, kPublicUserId, u"Public user"});
  uint16_t label = kLabelBase;
  uint16_t next[11] = {0, kTextBase, kNumberBase, kRadioBase, kDateBase, 0, kListBase, 0, 0, kKind9Base, kKind10Base};
  for (int i = 0; i < count; ++i) {
    const uint8_t* item = items + static_cast<size_t>(i) * kItemBytes;
    const int kind = item[kKindAt];
    Node node{};
    node.index = i;
    node.kind = kind;
    std::u16string text = Utf8ToUtf16(ItemText(item, kLabelAt, kLabelBytes));
    if (item[kInputAt] == kRequired && kind != 5) text += u" *";
    switch (kind) {
      case 1: case 2: case 9: case 10: {
        const int style = InputStyle(item);
        if (style == 1 || style == 2) {
          node.first = next[kind]++;
          controls->push_back({kEdit, kEditStyle | (style == 2 ? kPassword : 0), node.first, u""});
        }
        node.label = label++;
        controls->push_back({kStatic, kLabelStyle, node.label, text});
        break;
      }
      case 3: {
        node.first = next[3];
        next[3] = static_cast<uint16_t>(next[3] + 2);
        node.label = label;
        node.group = static_cast<uint16_t>(label + 1);
        label = static_cast<uint16_t>(label + 2);
        controls->push_back({kButton, kChild | kVisible | kGroupBox, node.group, u""});
        controls->push_back({kButton, kChild | kVisible | kTabStop | kGroup | kRadioButton, node.first,
                             Utf8ToUtf16(ItemText(item, kCaption1At, kCaptionBytes))});
        controls->push_back({kButton, kChild | kVisible | kRadioButton, static_cast<uint16_t>(node.first + 1),
                             Utf8ToUtf16(ItemText(item, kCaption2At, kCaptionBytes))});
        controls->push_back({kStatic, kLabelStyle, node.label, text});
        break;
      }
      case 4: {
        for (uint16_t& box : node.boxes) box = next[4]++;
        node.first = node.boxes[0];
        node.label = label;
        for (int s = 0; s < 3; ++s) node.separators[s] = static_cast<uint16_t>(label + 1 + s);
        node.group = static_cast<uint16_t>(label + 4);
        label = static_cast<uint16_t>(label + 5);
        const uint32_t separator = kChild | kVisible | kCenter;
        controls->push_back({kEdit, kEditStyle, node.boxes[0], u""});
        controls->push_back({kStatic, separator, node.separators[0], u"/"});
        controls->push_back({kEdit, kEditStyle, node.boxes[1], u""});
        controls->push_back({kStatic, separator, node.separators[1], u"/"});
        controls->push_back({kEdit, kEditStyle, node.boxes[2], u""});
        controls->push_back({kEdit, kEditStyle, node.boxes[3], u""});
        controls->push_back({kStatic, separator, node.separators[2], u":"});
        for (int b = 4; b < 7; ++b) controls->push_back({kEdit, kEditStyle, node.boxes[b], u""});
        controls->push_back({kStatic, kLabelStyle, node.label, text});
        controls->push_back({kButton, kChild | kVisible | kGroupBox, node.group, u""});
        break;
      }
      case 5:
        node.first = node.label = label++;
        controls->push_back({kStatic, kLabelStyle, node.label, text});
        break;
      case 6:
        node.first = next[6]++;
        controls->push_back({kCombo, kChild | kVisible | kTabStop | kVScroll | kDropDownList, node.first, u""});
        node.label = label++;
        controls->push_back({kStatic, kLabelStyle, node.label, text});
        break;
      default:
        break;
    }
    nodes->push_back(node);
  }
  controls->push_back({kButton, kChild | kVisible | kTabStop | kDefPushButton, 1, u"OK"});
  controls->push_back({kButton, kChild | kVisible | kTabStop | kPushButton, 2, u"CANCEL"});
}

namespace {

void Put16(std::vector<uint8_t>* out, uint16_t v) {
  out->push_back(static_cast<uint8_t>(v));
  out->push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>* out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v));
  Put16(out, static_cast<uint16_t>(v >> 16));
}
void PutText(std::vector<uint8_t>* out, std::u16string_view text) {
  for (char16_t c : text) Put16(out, c);
  Put16(out, 0);
}
void Align4(std::vector<uint8_t>* out) {
  while (out->size() % 4 != 0) out->push_back(0);
}

}  // namespace

std::vector<uint8_t> TemplateBytes(const std::vector<Control>& controls, std::u16string_view face, uint16_t points) {
  std::vector<uint8_t> out;
  if (controls.size() > 0xFFFF) return out;
  Put32(&out, kPopup | kVisible | kCaption | kSysMenu | kModalFrame | kSetFont);
  Put32(&out, 0);
  Put16(&out, static_cast<uint16_t>(controls.size()));
  for (int i = 0; i < 4; ++i) Put16(&out, i < 2 ? 0 : 100);
  Put16(&out, 0);  // no menu
  Put16(&out, 0);  // the standard class
  PutText(&out, u"???");
  Put16(&out, points);
  PutText(&out, face);
  for (const Control& c : controls) {
    Align4(&out);
    Put32(&out, c.style);
    Put32(&out, 0);
    for (int i = 0; i < 4; ++i) Put16(&out, i < 2 ? 0 : 10);
    Put16(&out, c.id);
    Put16(&out, 0xFFFF);
    Put16(&out, c.classOrdinal);
    PutText(&out, c.text);
    Put16(&out, 0);  // no creation data
  }
  Align4(&out);
  return out;
}

}  // namespace ms
