#include "dproc/model/edit_items.h"

#include <cstdlib>
#include <cstring>

#include "dproc/model/message_text.h"
#include "common/text/number_text.h"
#include "common/text/safe_format.h"

namespace {

EditItemRow g_rows[kEditItemRowCount + 1] = {
    {"Paper_Name", 1553, nullptr},
    {"UserPaper_Width", 1555, nullptr},
    {"UserPaper_Length", 1559, nullptr},
    {"Copies", 1011, nullptr},
    {"SecurePrintId", 1424, nullptr},
    {"SecPassword", 2027, nullptr},
    {"BoxFileName", 1421, nullptr},
    {"BoxNum", 1419, nullptr},
    {"BindShift_Front", 1362, nullptr},
    {"BindShift_Back", 1365, nullptr},
    {"ImgShiftPrn_FrontH", 1258, nullptr},
    {"ImgShiftPrn_FrontV", 1269, nullptr},
    {"ImgShiftPrn_BackH", 1265, nullptr},
    {"ImgShiftPrn_BackV", 1363, nullptr},
    {"RecipientUserName", 1874, nullptr},
    {"RecipientPassword", 2028, nullptr},
    {"DepartmentName", 1870, nullptr},
    {"DepartmentPassword", 2029, nullptr},
    {"PerPageEditListName", 1626, nullptr},
    {"PerPageNumber", 1614, nullptr},
    {"PerPageCaption", 1146, nullptr},
    {"WM_String", 1678, nullptr},
    {"SaveEasy_Name", 1901, nullptr},
    {"SaveEasy_Comment", 1906, nullptr},
    {"DestPrinterName", 1857, nullptr},
    {"EncryptionKey_op", 2188, nullptr},
    {"Prof_FileName", 1543, nullptr},
    {"Prof_ProfName", 1545, nullptr},
    {"OvlForm_FileName", 1572, nullptr},
    {"OvlForm_FormName", 1574, nullptr},
    {"PBSpinWidth", 2319, nullptr},
    {"TABImageShiftValue", 2325, nullptr},
    {"", 0, nullptr},
};

int32_t Saturate(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

void FreeDesc(EditItemDesc* desc) {
  if (desc == nullptr) return;
  for (EditCharRule& rule : desc->rules) std::free(rule.list);
  std::free(desc);
}

// Reads one descriptor at the section's payload; null when the file cannot
// hold it or memory fails.
EditItemDesc* ReadDesc(QxdContext* ctx, uint32_t payload) {
  auto* desc = static_cast<EditItemDesc*>(std::calloc(1, sizeof(EditItemDesc)));
  if (desc == nullptr) return nullptr;
  uint32_t at = payload;
  bool ok = QxdReadFully(ctx, &desc->head, sizeof desc->head, at);
  at += sizeof desc->head;
  for (int i = 0; ok && i < kEditRuleCount; ++i) {
    EditRuleHead rule;
    ok = QxdReadFully(ctx, &rule, sizeof rule, at) && QxdArrayFits(ctx, at + sizeof rule, rule.size, 1);
    if (!ok) break;
    at += sizeof rule;
    desc->rules[i].kind = rule.kind;
    if (rule.size != 0) {
      desc->rules[i].list = static_cast<uint8_t*>(std::malloc(rule.size));
      ok = desc->rules[i].list != nullptr && QxdReadFully(ctx, desc->rules[i].list, rule.size, at);
      desc->rules[i].size = rule.size;
      at += rule.size;
    }
  }
  ok = ok && QxdReadFully(ctx, &desc->check, sizeof desc->check, at);
  at += sizeof desc->check;
  ok = ok && QxdReadFully(ctx, &desc->length, sizeof desc->length, at);
  if (!ok) {
    FreeDesc(desc);
    return nullptr;
  }
  return desc;
}

bool InList(const EditCharRule& rule, const EditChar& c, int charClass) {
  if (rule.list == nullptr) return false;
  if (charClass == kEditClassDouble) {
    uint32_t value = static_cast<uint32_t>(c.ansi[0] | (c.ansiLength > 1 ? c.ansi[1] << 8 : 0));
    for (uint32_t i = 0; i + 1 < rule.size; i += 2) {
      if (static_cast<uint32_t>(rule.list[i] | (rule.list[i + 1] << 8)) == value) return true;
    }
    return false;
  }
  for (uint32_t i = 0; i < rule.size; ++i) {
    if (rule.list[i] == c.ansi[0]) return true;
  }
  return false;
}

void PutNumber(int32_t v, char16_t* out, size_t capacity) {
  const SafeFormatArg arg = SafeFormatArg::Number(v);
  SafeFormat(u"%d", &arg, 1, out, capacity);
}

void Append(char16_t* text, size_t capacity, const char16_t* tail) {
  size_t n = 0;
  while (n < capacity && text[n] != u'\0') ++n;
  for (; *tail != u'\0' && n + 1 < capacity; ++tail) text[n++] = *tail;
  if (n < capacity) text[n] = u'\0';
}

size_t Length(const char16_t* text) {
  size_t n = 0;
  while (text[n] != u'\0') ++n;
  return n;
}

// The value of a bound in the display unit as the label writes it.
void LabelBoundText(int32_t v, int display, char16_t* out, size_t capacity) {
  switch (display) {
    case kEditUnitTenthMm: FormatTenths(v, out, capacity); break;
    case kEditUnitHundredthInch: FormatHundredths(v, out, capacity); break;
    case kEditUnitThousandthInch: FormatThousandths(v, out, capacity); break;
    default: PutNumber(v, out, capacity); break;
  }
}

}  // namespace

void FreeEditItemTable() {
  for (EditItemRow& row : g_rows) {
    FreeDesc(row.desc);
    row.desc = nullptr;
  }
}

void LoadEditItemTable(QxdContext* mainFile) {
  FreeEditItemTable();
  if (mainFile == nullptr) return;
  for (EditItemRow& row : g_rows) {
    if (row.controlId == 0) break;
    uint32_t at = QxdFindSection(mainFile, row.keyword);
    if (at == 0) continue;
    row.desc = ReadDesc(mainFile, at + kQxdRangeRecordAt);
  }
}

const EditItemRow* EditItemRows() { return g_rows; }

const EditItemDesc* FindEditItem(uint32_t controlId) {
  for (const EditItemRow& row : g_rows) {
    if (row.controlId == 0) break;
    if (row.controlId == controlId) return row.desc;
  }
  return nullptr;
}

const EditItemRow* FindEditItemByKeyword(const char* keyword) {
  if (keyword == nullptr) return nullptr;
  const size_t length = std::strlen(keyword);
  for (const EditItemRow& row : g_rows) {
    if (row.controlId == 0) break;
    size_t n = std::strlen(row.keyword);
    if (length < n) n = length;
    bool same = true;
    for (size_t i = 0; same && i < n; ++i) {
      char a = keyword[i], b = row.keyword[i];
      if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
      if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
      same = a == b;
    }
    if (same) return &row;
  }
  return nullptr;
}

void ConvertEditUnits(int from, int to, int boundKind, int32_t* value) {
  if (value == nullptr || from == to) return;
  const int64_t v = *value;
  int64_t r = v;
  switch (from * 10 + to) {
    case 12: r = v * 10; break;
    case 13: r = v * 1000 / 254; break;
    case 14: r = v * 10000 / 254; break;
    case 21: r = (v + 5) / 10; break;
    case 23: r = v * 100 / 254; break;
    case 24: {
      int64_t round = boundKind == kEditBoundMin ? 253 : boundKind == kEditBoundMax ? 0 : 127;
      r = (v * 1000 + round) / 254;
      break;
    }
    case 31: r = v * 254 / 1000; break;
    case 32: r = v * 254 / 100; break;
    case 34: r = v * 10; break;
    case 41: r = v * 254 / 10000; break;
    case 42: r = v * 254 / 1000; break;
    case 43: r = (v + 5) / 10; break;
    default: return;  // a unit outside 1 to 4 leaves the value
  }
  *value = Saturate(r);
}

int32_t ParseEditNumber(const char16_t* text, int, int display) {
  if (text == nullptr) return 0;
  switch (display) {
    case kEditUnitMm: return ParseHundredths(text) / 10 / 10;
    case kEditUnitTenthMm: return ParseHundredths(text) / 10;
    case kEditUnitHundredthInch: return ParseHundredths(text);
    case kEditUnitThousandthInch: return ParseThousandths(text);
    default: {
      // The whole number at the start of the text.
      int32_t hundredths = ParseHundredths(text);
      return hundredths / 100;
    }
  }
}

int FormatEditNumber(int32_t value, int stored, int display, char16_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return 0;
  out[0] = u'\0';
  int64_t t = value;
  bool raw = false;
  switch (stored) {
    case kEditUnitMm: t = int64_t{value} * 10; break;
    case kEditUnitTenthMm: break;
    case kEditUnitHundredthInch: t = (int64_t{value} * 254 + 50) / 100; break;
    case kEditUnitThousandthInch: t = int64_t{value} * 254 / 1000; break;
    default: raw = true; break;
  }
  switch (display) {
    case kEditUnitMm: {
      // Whole millimetres, as the range label and message write them.
      int32_t mm = Saturate(t);
      ConvertEditUnits(kEditUnitTenthMm, kEditUnitMm, kEditBoundOther, &mm);
      PutNumber(mm, out, capacity);
      return 1;
    }
    case kEditUnitTenthMm: FormatTenths(Saturate(t), out, capacity); return 1;
    case kEditUnitHundredthInch: FormatHundredths(Saturate((t * 100 + 127) / 254), out, capacity); return 1;
    case kEditUnitThousandthInch: FormatThousandths(Saturate(t * 1000 / 254), out, capacity); return 1;
    default:
      if (!raw) return 0;
      PutNumber(value, out, capacity);
      return 1;
  }
}

bool IsAtLeastEditMin(const char16_t* text, int stored, int display, const EditItemDesc* desc) {
  if (desc == nullptr || desc->head.minValue == kEditNoBound) return true;
  int32_t minimum = desc->head.minValue;
  ConvertEditUnits(stored, display, kEditBoundMin, &minimum);
  return ParseEditNumber(text, stored, display) >= minimum;
}

bool IsAtMostEditMax(const char16_t* text, int stored, int display, const EditItemDesc* desc) {
  if (desc == nullptr || desc->head.maxValue == kEditNoBound) return true;
  int32_t maximum = desc->head.maxValue;
  ConvertEditUnits(stored, display, kEditBoundMax, &maximum);
  return ParseEditNumber(text, stored, display) <= maximum;
}

bool IsInEditRange(const char16_t* text, int stored, int display, const EditItemDesc* desc) {
  return IsAtLeastEditMin(text, stored, display, desc) && IsAtMostEditMax(text, stored, display, desc);
}

bool IsCharOfClass(const EditChar& c, int charClass) {
  const char16_t w = c.wide;
  switch (charClass) {
    case kEditClassLetter: return (w >= u'A' && w <= u'Z') || (w >= u'a' && w <= u'z');
    case kEditClassDigit: return w >= u'0' && w <= u'9';
    case kEditClassSingle:
      return w < 256 && !IsCharOfClass(c, kEditClassLetter) && !IsCharOfClass(c, kEditClassDigit);
    case kEditClassDouble: return w >= 256;
    default: return false;
  }
}

size_t ApplyCharRule(const EditCharRule& rule, int charClass, EditChar* chars, size_t* count) {
  if (rule.kind != kEditRuleAllow && rule.kind != kEditRuleForbid) return 0;
  size_t kept = 0, removed = 0;
  for (size_t i = 0; i < *count; ++i) {
    bool allowed = true;
    if (IsCharOfClass(chars[i], charClass)) {
      bool listed = InList(rule, chars[i], charClass);
      allowed = rule.kind == kEditRuleAllow ? listed : !listed;
    }
    if (allowed) chars[kept++] = chars[i];
    else ++removed;
  }
  *count = kept;
  return removed;
}

size_t ApplyCharRules(const EditItemDesc* desc, EditChar* chars, size_t* count) {
  if (desc == nullptr || chars == nullptr || count == nullptr) return 0;
  size_t removed = 0;
  for (int i = 0; i < kEditRuleCount; ++i) removed += ApplyCharRule(desc->rules[i], i, chars, count);
  return removed;
}

size_t EditAnsiLength(const EditChar* chars, size_t count) {
  size_t n = 0;
  for (size_t i = 0; i < count; ++i) n += chars[i].ansiLength;
  return n;
}

size_t EditCharsWithinBytes(const EditChar* chars, size_t count, size_t limit) {
  size_t bytes = 0, i = 0;
  for (; i < count && bytes + chars[i].ansiLength <= limit; ++i) bytes += chars[i].ansiLength;
  return i;
}

bool EditCharsAreDigits(const EditChar* chars, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (chars[i].wide < u'0' || chars[i].wide > u'9') return false;
  }
  return true;
}

EditLengthLimit EditLimitFor(const EditItemDesc* desc, size_t maxLength) {
  EditLengthLimit l{kEditLengthFree, maxLength, 0};
  if (desc != nullptr &&
      (desc->head.lengthKind == kEditLengthChars || desc->head.lengthKind == kEditLengthBytes)) {
    l.lengthKind = desc->head.lengthKind;
    l.limit = desc->head.maxLength < maxLength ? desc->head.maxLength : maxLength;
    l.minimum = desc->head.minLength;
  }
  return l;
}

bool EditCharsPassKeywordCheck(const EditItemDesc* desc, const EditChar* chars, size_t count, size_t maxLength) {
  if (desc == nullptr || desc->check.kind == kEditCheckNone) return true;
  EditLengthLimit l = EditLimitFor(desc, maxLength);
  if (count != 0) {
    // The filter works on a copy: the caller's text is only judged.
    EditChar* copy = static_cast<EditChar*>(std::malloc(count * sizeof(EditChar)));
    if (copy == nullptr) return false;
    std::memcpy(copy, chars, count * sizeof(EditChar));
    size_t n = count;
    size_t removed = ApplyCharRules(desc, copy, &n);
    std::free(copy);
    if (removed != 0) return false;
  }
  if (l.lengthKind == kEditLengthFree) return true;
  size_t length = l.lengthKind == kEditLengthBytes ? EditAnsiLength(chars, count) : count;
  if (length > l.limit) return false;
  return l.minimum < 1 || length >= l.minimum;
}

void EditRangeBoundText(int32_t bound, int boundKind, int stored, int display, char16_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  if (bound == kEditNoBound) {
    SafeFormat(u" ", nullptr, 0, out, capacity);
    return;
  }
  int32_t v = bound;
  if (display == kEditUnitMm) {
    int32_t whole = bound, tenths = bound;
    ConvertEditUnits(stored, kEditUnitMm, boundKind, &whole);
    ConvertEditUnits(stored, kEditUnitTenthMm, boundKind, &tenths);
    const int64_t wholeTenths = int64_t{whole} * 10;
    bool inexact = boundKind == kEditBoundMin ? tenths > wholeTenths : tenths < wholeTenths;
    PutNumber(whole, out, capacity);
    if (inexact) {
      char16_t exact[24];
      FormatTenths(tenths, exact, 24);
      Append(out, capacity, u"(");
      Append(out, capacity, exact);
      Append(out, capacity, u")");
    }
    return;
  }
  if (display >= kEditUnitTenthMm && display <= kEditUnitThousandthInch) {
    ConvertEditUnits(stored, display, boundKind, &v);
    LabelBoundText(v, display, out, capacity);
    return;
  }
  PutNumber(bound, out, capacity);
}

void BuildEditRangeMessage(const EditItemDesc* desc, int stored, int display, char16_t* caption, char16_t* text,
                           size_t capacity) {
  if (caption == nullptr || text == nullptr || capacity == 0) return;
  caption[0] = text[0] = u'\0';
  if (desc == nullptr) return;
  LoadMessageText(desc->check.caption, caption, kMessageRowUnits);
  char16_t body[kMessageRowUnits], format[kMessageRowUnits];
  LoadMessageText(desc->check.text, body, kMessageRowUnits);
  bool inch = display == kEditUnitHundredthInch || display == kEditUnitThousandthInch;
  LoadMessageText(inch ? desc->check.formatInch : desc->check.formatMm, format, kMessageRowUnits);
  char16_t minText[40], maxText[40];
  EditRangeBoundText(desc->head.minValue, kEditBoundMin, stored, display, minText, 40);
  EditRangeBoundText(desc->head.maxValue, kEditBoundMax, stored, display, maxText, 40);
  const SafeFormatArg args[2] = {SafeFormatArg::Text(minText), SafeFormatArg::Text(maxText)};
  SafeFormat(body, nullptr, 0, text, capacity);
  size_t n = Length(text);
  if (n + 1 < capacity) SafeFormat(format, args, 2, text + n, capacity - n);
}

void BuildEditLengthMessage(const EditItemDesc* desc, size_t minimum, size_t maximum, char16_t* caption,
                            char16_t* text, size_t capacity) {
  if (caption == nullptr || text == nullptr || capacity == 0) return;
  caption[0] = text[0] = u'\0';
  if (desc == nullptr) return;
  LoadMessageText(desc->length.caption, caption, kMessageRowUnits);
  LoadMessageText(desc->length.text, text, capacity);
  if (desc->length.caption != 0) {
    char16_t format[kMessageRowUnits];
    LoadMessageText(desc->length.format, format, kMessageRowUnits);
    const SafeFormatArg args[2] = {SafeFormatArg::Number(Saturate(static_cast<int64_t>(minimum))),
                                   SafeFormatArg::Number(Saturate(static_cast<int64_t>(maximum)))};
    size_t n = Length(text);
    if (n + 1 < capacity) SafeFormat(format, args, 2, text + n, capacity - n);
  }
}

EditRangeLabel BuildEditRangeLabel(const EditItemDesc* desc, int stored, int display, char16_t* label,
                                   size_t capacity) {
  EditRangeLabel result{kEditNoBound, kEditNoBound, 0};
  if (label != nullptr && capacity != 0) label[0] = u'\0';
  if (desc == nullptr) return result;
  result.minimum = desc->head.minValue;
  result.maximum = desc->head.maxValue;
  char16_t minText[24] = {}, maxText[24] = {};
  // A bound that is not set has no text.
  if (result.minimum != kEditNoBound) {
    ConvertEditUnits(stored, display, kEditBoundMin, &result.minimum);
    LabelBoundText(result.minimum, display, minText, 24);
  }
  if (result.maximum != kEditNoBound) {
    ConvertEditUnits(stored, display, kEditBoundMax, &result.maximum);
    LabelBoundText(result.maximum, display, maxText, 24);
  }
  size_t a = Length(minText), b = Length(maxText);
  result.textLimit = a > b ? a : b;
  if (label == nullptr || capacity == 0) return result;
  const char16_t* unit = (display == kEditUnitMm || display == kEditUnitTenthMm)               ? u"mm "
                         : (display == kEditUnitHundredthInch || display == kEditUnitThousandthInch) ? u"inch "
                                                                                                      : u"";
  const SafeFormatArg args[3] = {SafeFormatArg::Text(unit), SafeFormatArg::Text(minText),
                                 SafeFormatArg::Text(maxText)};
  SafeFormat(u"%s[%s...%s]", args, 3, label, capacity);
  return result;
}
