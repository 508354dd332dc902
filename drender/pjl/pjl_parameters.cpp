// Placeholders and the parameters of the job, the user, the authentication,
// the intermediate-server input controls and the fax.
#include "drender/pjl/pjl_parameters.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/records/doc_fields.h"
#include "drender/pjl/pjl_cipher.h"
#include "drender/pjl/pjl_expand.h"

namespace {

// Sizes and places of the document settings' fields the parameters read.
constexpr uint32_t kBoxFileNameUnits = sizeof(DocFields::szBoxFileName) / sizeof(char16_t);
constexpr uint32_t kRecipientUserNameUnits = sizeof(DocFields::szAuthUserName) / sizeof(char16_t);
constexpr uint32_t kRecipientPasswordSize = sizeof(DocFields::byAuthUserPass);
// The secure-print, expense-code and department passwords have one size.
constexpr uint32_t kPasswordSize = sizeof(DocFields::bySecurePrintPass);
static_assert(sizeof(DocFields::byExpensePass) == kPasswordSize && sizeof(DocFields::byDeptPass) == kPasswordSize);
constexpr uint32_t kInputCountAt = kDocMiddleServerItemCountAt, kInputControlsAt = kDocMiddleServerItemsAt;
constexpr uint32_t kInputControlSize = kMiddleServerItemSize, kInputControlMax = kMiddleServerItemMax;
constexpr uint32_t kHostNameAt = 1181, kHostNameUnits = 17;  // inside the device settings

bool IsName(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

// ASCII case ignored over the first `n` characters of `text`.
bool StartsNoCase(const char* text, const char* word, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    char a = text[i], b = word[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
    if (a != b) return false;
  }
  return true;
}

// A stored, enciphered value: deciphered into a narrow text.
std::string Deciphered(const PjlJob* job, uint32_t at, uint32_t size, uint32_t lengthAt, bool aes) {
  std::vector<uint8_t> buffer(size + 1, 0);
  std::memcpy(buffer.data(), Pjl_DocPtr(job, at), size);
  uint32_t length = Pjl_DocU16(job, lengthAt);
  if (length > size) length = size;
  uint32_t plain = length;
  if (job->decipher != nullptr) plain = job->decipher(job->decipherContext, buffer.data(), length, size, aes);
  if (plain > size) plain = size;
  return std::string(reinterpret_cast<const char*>(buffer.data()), strnlen(reinterpret_cast<const char*>(buffer.data()), plain));
}

// The current input control, or null.
const uint8_t* CurrentControl(const PjlJob* job) {
  uint32_t count = Pjl_DocU16(job, kInputCountAt);
  if (count > kInputControlMax) count = kInputControlMax;
  if (job->currentControl >= count) return nullptr;
  return Pjl_DocPtr(job, kInputControlsAt + job->currentControl * kInputControlSize);
}

std::string ControlValue(const PjlJob* job, uint32_t fieldAt, uint32_t size, uint32_t lengthAt) {
  const uint32_t base = kInputControlsAt + job->currentControl * kInputControlSize;
  return Deciphered(job, base + fieldAt, size, base + lengthAt, true);
}

PjlRawValue Unconverted(PjlRawValue v) {
  v.noUtf8 = true;
  return v;
}

PjlRawValue InputParameter(PjlJob* job, const char* name) {
  if (IsName(name, "InpControlCount")) {
    uint32_t count = Pjl_DocU16(job, kInputCountAt);
    if (count > kInputControlMax) count = kInputControlMax;
    int n = 0;
    for (uint32_t i = 0; i < count; ++i) {
      if (Pjl_DocByte(job, kInputControlsAt + i * kInputControlSize + 32) != 5) ++n;
    }
    return Unconverted(PjlNumber(n));
  }
  if (IsName(name, "InterimScreenID")) return Unconverted(PjlDocText(job, kDocMiddleServerTailTextAt, 259));
  static const char* const names[] = {"InpControlNumber", "InpControlID", "InpControlType", "InpStringValue",
                                      "InpNumericValue", "InpToggleValue", "InpDateTimeYear", "InpDateTimeMonth",
                                      "InpDateTimeDay", "InpDateTimeHour", "InpDateTimeMinute", "InpDateTimeTZHour",
                                      "InpDateTimeTZMinute", "InpSelectionID"};
  bool known = false;
  for (const char* n : names) known = known || IsName(name, n);
  if (!known) return PjlRawValue{};
  const uint8_t* control = CurrentControl(job);
  if (control == nullptr) return PjlFail();
  if (IsName(name, "InpControlNumber")) return Unconverted(PjlNumber(job->currentControl + 1));
  if (IsName(name, "InpControlID")) {
    char id[33] = {};
    std::memcpy(id, control, 32);
    return PjlNarrow(id);
  }
  const uint8_t type = control[32];
  if (IsName(name, "InpControlType")) {
    switch (type) {
      case 1: case 9: case 10: return PjlNarrow("STRING");
      case 2: return PjlNarrow("NUMERIC");
      case 3: return PjlNarrow("TOGGLE");
      case 6: return PjlNarrow("STATICSELECT");
      case 4:
        if (control[34] >= 1 && control[34] <= 4) return PjlFormat("DATEANDTIME%d", control[34]);
        return PjlFail();
      default: return PjlFail();
    }
  }
  if (IsName(name, "InpStringValue")) return Unconverted(PjlNarrow(ControlValue(job, 34, 113, 148)));
  if (IsName(name, "InpNumericValue")) return Unconverted(PjlNumber(std::atol(ControlValue(job, 34, 17, 52).c_str())));
  if (IsName(name, "InpToggleValue")) {
    return Unconverted(PjlNarrow(std::atol(ControlValue(job, 34, 17, 52).c_str()) != 0 ? "true" : "false"));
  }
  if (IsName(name, "InpSelectionID")) return Unconverted(PjlNarrow(ControlValue(job, 34, 33, 68)));
  auto field = [&](uint32_t at) { return ControlValue(job, at, 17, at + 18); };
  if (IsName(name, "InpDateTimeYear")) return Unconverted(PjlFormat("%04d", std::atoi(field(35).c_str())));
  if (IsName(name, "InpDateTimeMonth")) return Unconverted(PjlFormat("%02d", std::atoi(field(54).c_str())));
  if (IsName(name, "InpDateTimeDay")) return Unconverted(PjlFormat("%02d", std::atoi(field(74).c_str())));
  if (IsName(name, "InpDateTimeHour")) return Unconverted(PjlFormat("%02d", std::atoi(field(94).c_str())));
  if (IsName(name, "InpDateTimeMinute")) return Unconverted(PjlFormat("%02d", std::atoi(field(114).c_str())));
  const std::string hour = field(134);
  const int hourValue = std::atoi(hour.c_str());
  if (IsName(name, "InpDateTimeTZHour")) {
    if (!hour.empty() && hour[0] == '-' && hourValue != 0) return Unconverted(PjlFormat("-%02d", -hourValue));
    return Unconverted(PjlFormat("%02d", hourValue < 0 ? -hourValue : hourValue));
  }
  // InpDateTimeTZMinute
  const int minute = std::atoi(field(154).c_str());
  const int magnitude = minute < 0 ? -minute : minute;
  if (!hour.empty() && hour[0] == '-' && minute != 0) return Unconverted(PjlFormat("-%02d", magnitude));
  return Unconverted(PjlFormat("%02d", magnitude));
}

const FaxRecipientEntry* CurrentDestination(const PjlJob* job) {
  if (job->fax == nullptr || job->currentDestination >= Pjl_FaxDestinationCount(job)) return nullptr;
  return &job->fax->recipients[job->currentDestination];
}

bool ReplayedPerDestination(const PjlJob* job) { return Pjl_FaxSetting(job)->fgFaxCoverSheet != 0 && job->perRecipient; }

PjlRawValue FaxParameter(PjlJob* job, const char* name) {
  const FaxSetting* fax = Pjl_FaxSetting(job);
  if (IsName(name, "FaxResolution")) return PjlNumber(Pjl_DocI16(job, DOC_FIELD_AT(nResoH)));
  if (IsName(name, "PCFaxTimer")) {
    if (!job->haveTimer) return PjlNarrow("");
    return PjlFormat("%04d/%02d/%02d %02d:%02d", job->timer[0], job->timer[1], job->timer[2], job->timer[3],
                     job->timer[4]);
  }
  if (IsName(name, "PCFaxSubAddress")) return PjlWide(fax->szSubAddress, 21);
  if (IsName(name, "PCFaxSID")) return PjlWide(fax->szSendID, 21);
  if (IsName(name, "PCFaxNumIndex")) return PjlNumber(ReplayedPerDestination(job) ? 0 : job->currentDestination);
  const bool perDestination = IsName(name, "PCFaxNumber") || IsName(name, "PCFaxECM") || IsName(name, "PCFaxInt") ||
                              IsName(name, "PCFaxV34");
  if (!perDestination) return PjlRawValue{};
  const FaxRecipientEntry* entry = CurrentDestination(job);
  if (entry == nullptr) return PjlFail();
  if (IsName(name, "PCFaxNumber")) return PjlWide(entry->szFaxNumber, 81);
  if (IsName(name, "PCFaxECM")) return PjlNarrow(entry->fgECM ? "1" : "0");
  if (IsName(name, "PCFaxInt")) return PjlNarrow(entry->fgIntTransMode ? "1" : "0");
  return PjlNarrow(entry->fgV34Mode ? "1" : "0");
}

}  // namespace

PjlRawValue PjlWide(const char16_t* text, size_t units) {
  PjlRawValue v{PjlValueKind::Wide, {}, {}, false};
  for (size_t i = 0; text != nullptr && i < units && text[i] != u'\0'; ++i) v.wide.push_back(text[i]);
  return v;
}

PjlRawValue PjlNumber(long long value) { return PjlFormat("%lld", value); }

PjlRawValue PjlFormat(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return PjlNarrow(text);
}

PjlRawValue PjlDocText(const PjlJob* job, uint32_t at, uint32_t size) {
  std::string text;
  for (uint32_t i = 0; i < size; ++i) {
    const uint8_t c = Pjl_DocByte(job, at + i);
    if (c == 0) break;
    text.push_back(static_cast<char>(c));
  }
  return PjlNarrow(text);
}

PjlRawValue Pjl_JobParameter(PjlJob* job, const char* name, bool api) {
  if (IsName(name, "UserName") || IsName(name, "JobName")) {
    if (!api) return PjlFail();
    return PjlWide(IsName(name, "UserName") ? job->userName : job->jobName, 259);
  }
  if (IsName(name, "JobNameCustom")) return PjlFail();
  if (IsName(name, "HostName")) {
    if (job->device == nullptr) return PjlFail();
    char16_t host[kHostNameUnits] = {};
    std::memcpy(host, reinterpret_cast<const uint8_t*>(job->device) + kHostNameAt, sizeof host);
    return PjlWide(host, kHostNameUnits);
  }
  if (IsName(name, "EmailAddress")) return PjlDocText(job, DOC_FIELD_AT(szEmailAddress), 129);
  if (IsName(name, "AccessNumber")) return PjlDocText(job, DOC_FIELD_AT(szAccessNumber), 6);
  if (IsName(name, "Copies")) return PjlNumber(Pjl_DocU16(job, DOC_FIELD_AT(nCopies)));
  if (IsName(name, "DriverJobId")) return PjlNarrow(job->driverJobId != nullptr ? job->driverJobId : "");
  if (IsName(name, "BoxNum")) return PjlDocText(job, DOC_FIELD_AT(szBoxNumber), 17);
  if (IsName(name, "BoxFileName")) {
    return PjlWide(reinterpret_cast<const char16_t*>(Pjl_DocPtr(job, DOC_FIELD_AT(szBoxFileName))), kBoxFileNameUnits);
  }
  if (IsName(name, "SecurePrintId")) return PjlDocText(job, DOC_FIELD_AT(szSecurePrintId), 17);
  if (IsName(name, "SecPassword")) {
    return PjlNarrow(
        Deciphered(job, DOC_FIELD_AT(bySecurePrintPass), kPasswordSize, DOC_FIELD_AT(wSecurePrintPassLen), false));
  }
  if (IsName(name, "RecipientUserName")) {
    return PjlWide(reinterpret_cast<const char16_t*>(Pjl_DocPtr(job, DOC_FIELD_AT(szAuthUserName))),
                   kRecipientUserNameUnits);
  }
  if (IsName(name, "RecipientPassword")) {
    return PjlNarrow(
        Deciphered(job, DOC_FIELD_AT(byAuthUserPass), kRecipientPasswordSize, DOC_FIELD_AT(wAuthUserPassLen), false));
  }
  if (IsName(name, "PublicUser")) return PjlNarrow("Public");
  if (IsName(name, "DepartmentName")) return PjlDocText(job, DOC_FIELD_AT(szDeptName), 9);
  if (IsName(name, "DepartmentPassword")) {
    return PjlNarrow(Deciphered(job, DOC_FIELD_AT(byDeptPass), kPasswordSize, DOC_FIELD_AT(wDeptPassLen), false));
  }
  if (IsName(name, "ServerSetting")) return PjlNumber(Pjl_DocU16(job, DOC_FIELD_AT(nServerSetting)));
  if (IsName(name, "TreeDomainName")) return PjlDocText(job, kDocTreeDomainNameAt, 81);
  if (IsName(name, "ExpenseCode")) return PjlDocText(job, kDocExpenseCodeAt, 9);
  if (IsName(name, "ExpenseCodePassword")) {
    return PjlNarrow(Deciphered(job, DOC_FIELD_AT(byExpensePass), kPasswordSize, DOC_FIELD_AT(wExpensePassLen), false));
  }
  PjlRawValue v = InputParameter(job, name);
  if (v.kind != PjlValueKind::Missing) return v;
  return FaxParameter(job, name);
}

bool Pjl_ParsePlaceholder(const char* text, PjlPlaceholder* out) {
  *out = PjlPlaceholder{};
  if (std::strncmp(text, "%s{", 3) != 0) return false;
  const char* close = std::strchr(text, '}');
  // The cipher marker first: it is reported whatever else fails.
  const char* open = std::strchr(text, '(');
  const char* shut = open != nullptr ? std::strchr(open, ')') : nullptr;
  const char* c1 = shut != nullptr ? std::strchr(shut, ',') : nullptr;
  const char* c2 = c1 != nullptr ? std::strchr(c1 + 1, ',') : nullptr;
  const char* c3 = c2 != nullptr ? std::strchr(c2 + 1, ',') : nullptr;
  if (c3 != nullptr) {
    if (StartsNoCase(c3 + 1, "DES", 3)) out->cipher = 1;
    else if (StartsNoCase(c3 + 1, "AES", 3)) out->cipher = 2;
  }
  if (close == nullptr || open == nullptr || shut == nullptr || c1 == nullptr || c2 == nullptr || c3 == nullptr ||
      c3 > close) {
    return false;
  }
  out->api = StartsNoCase(text + 3, "API", 3);
  const size_t nameLength = shut - open - 1;
  if (nameLength > 31) return false;
  std::memcpy(out->name, open + 1, nameLength);
  out->name[nameLength] = '\0';
  // LENGTH: at most 3 characters, blanks, an optional sign, digits.
  const size_t lengthChars = c2 - c1 - 1;
  if (lengthChars > 3) return false;
  char number[4] = {};
  std::memcpy(number, c1 + 1, lengthChars);
  const char* p = number;
  while (*p == ' ') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (*p < '0' || *p > '9') return false;
  int32_t length = 0;
  while (*p >= '0' && *p <= '9') length = length * 10 + (*p++ - '0');
  out->length = negative ? -length : length;
  out->utf8 = c3 - c2 - 1 >= 4 && StartsNoCase(c2 + 1, "UTF8", 4);
  if (out->cipher == 1) out->length = 72;
  out->end = close - text + 1;
  return true;
}

uint32_t Pjl_GetParameterValue(PjlJob* job, const char* text, char* value, size_t size, uint64_t* length,
                               uint8_t* cipher) {
  *length = 0;
  *cipher = 0;
  if (value == nullptr || size == 0) return 0;
  std::memset(value, 0, size);
  if (std::strncmp(text, "%s{", 3) != 0) return 1;
  PjlPlaceholder p;
  const bool parsed = Pjl_ParsePlaceholder(text, &p);
  *cipher = p.cipher;
  if (!parsed) return 0;
  PjlRawValue raw = Pjl_JobParameter(job, p.name, p.api);
  if (raw.kind == PjlValueKind::Missing) raw = Pjl_PaperParameter(job, p.name);
  if (raw.kind == PjlValueKind::Missing) raw = Pjl_PerPageParameter(job, p.name);
  if (raw.kind == PjlValueKind::Missing) return 1;  // not a parameter: an empty value
  const bool apiName = IsName(p.name, "UserName") || IsName(p.name, "JobName");
  if (raw.kind == PjlValueKind::Fail || (p.api && !apiName)) return 0;
  const size_t limit = p.length >= 0 && static_cast<size_t>(p.length) < size ? static_cast<size_t>(p.length) : size;
  if (raw.kind == PjlValueKind::Wide) {
    // An empty text fails the placeholder.
    PjlWideFn convert = job->wide != nullptr ? job->wide : &Pjl_PortableWide;
    if (raw.wide.empty() || limit == 0 || convert(raw.wide.data(), raw.wide.size(), p.utf8, value, limit) == 0) {
      return 0;
    }
  } else {
    Pjl_CopyValue(job, raw.narrow.c_str(), p.utf8 && !raw.noUtf8, value, limit);
  }
  // The value ends at its terminator or at LENGTH.
  size_t n = strnlen(value, limit);
  std::memset(value + n, 0, size - n);
  // An empty value stays empty: enciphering it would give the device a
  // password where there is none, and "/OMIT" lines could never be left out.
  if (p.cipher != 0 && n > 0) {
    // The whole value buffer is the cipher's: an enciphered value is never
    // cut at the placeholder's LENGTH.
    uint32_t enciphered = Crypt_EncryptPjlPassword(job->values.cipherMethod, job->values.encryptionKeyEnabled,
                                                   job->model, Pjl_DevOption(job), job->deviceOptions, job->decipher,
                                                   job->decipherContext, reinterpret_cast<uint8_t*>(value),
                                                   static_cast<uint32_t>(size));
    // No room for the enciphered text: the parameter carries no password.
    if (enciphered == 0) std::memset(value, 0, size);
    n = enciphered;
    if (job->values.cipherMethod != 0 && job->values.cipherOutput == 1 && n > 0) {
      char hex[kPjlValueSize];
      if (!Pjl_HexText(reinterpret_cast<const uint8_t*>(value), n, hex, sizeof hex) || std::strlen(hex) >= size) {
        return 0;
      }
      std::memset(value, 0, size);
      std::memcpy(value, hex, std::strlen(hex));
      n = std::strlen(hex);
    }
  }
  *length = n;
  return 1;
}
