#include "dproc/openapi/middle_server_cache_win.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "common/cipher/password_cipher_win.h"
#include "common/win/printer_queries.h"
#include "common/win/user_registry.h"

namespace {

constexpr char kSignature[4] = {'V', 'Q', 'C', 'I'};
constexpr size_t kVersionAt = 8, kNumberAt = 16, kHeadAt = 20, kCountAt = 52, kItemsAt = 56;
constexpr size_t kTailAt = 54696, kTailLengthAt = 54746;
static_assert(kItemsAt + kMiddleServerCacheItems * kMiddleServerCacheItemBytes == kTailAt);
constexpr size_t kPartAt = 436;  // the kind-specific part of a cache item

// One enciphered text: its place in the setting's item (`from`, `fromSize`
// bytes), the most characters kept in the cache (`keep`), its field in the
// cache item (`at`, `size` bytes) and its length (`lengthAt`).
struct TextField {
  uint32_t from, fromSize, keep, at, size, lengthAt;
};
constexpr uint32_t Even(uint32_t n) { return (n + 1) & ~1u; }
constexpr TextField Text(uint32_t from, uint32_t fromSize, uint32_t at, uint32_t size) {
  return {from, fromSize, size - 1, at, size, Even(at + size)};
}

// The fields every item has.
constexpr TextField kCommon[] = {Text(1, 64, 1, 81), Text(65, 256, 84, 273), Text(321, 32, 360, 49),
                                 Text(355, 8, 414, 17)};
// Plain bytes: (item offset, cache offset).
constexpr uint32_t kCommonBytes[][2] = {{0, 0}, {353, 412}, {354, 434}};

// Number texts: (item offset, width 4 = i32 / 2 = i16 / 1 = byte as 0/1),
// enciphered at (cache offset, size).
struct NumberField {
  uint32_t from, width, at, size, lengthAt;
};

uint8_t* Cache(uint8_t* block, uint32_t i) { return block + kItemsAt + i * kMiddleServerCacheItemBytes; }

// Kind-specific texts, plain bytes and numbers.
struct KindLayout {
  const TextField* texts;
  size_t textCount;
  const uint32_t (*bytes)[2];
  size_t byteCount;
  const NumberField* numbers;
  size_t numberCount;
};

constexpr uint32_t P = kPartAt;
constexpr TextField kKind1Texts[] = {Text(364, 128, P + 0, 145)};
constexpr uint32_t kKind1Bytes[][2] = {{492, P + 148}, {493, P + 149}, {494, P + 150}, {495, P + 151}};
constexpr TextField kKind5Texts[] = {Text(630, 128, P + 0, 145)};
constexpr NumberField kKind2Numbers[] = {{496, 4, P + 0, 33, P + 34}};
constexpr uint32_t kKind2Bytes[][2] = {{500, P + 36}, {501, P + 37}, {504, P + 40}, {505, P + 41}, {506, P + 42},
                                       {507, P + 43}, {508, P + 44}, {509, P + 45}, {510, P + 46}, {511, P + 47}};
constexpr NumberField kKind3Numbers[] = {{512, 1, P + 0, 17, P + 18}};
constexpr TextField kKind3Texts[] = {Text(513, 32, P + 20, 49), Text(545, 32, P + 72, 49)};
constexpr NumberField kKind4Numbers[] = {{578, 2, P + 0, 17, P + 18}};
constexpr TextField kKind4Texts[] = {Text(580, 8, P + 20, 17),  Text(588, 8, P + 40, 17),  Text(596, 8, P + 60, 17),
                                     Text(604, 8, P + 80, 17),  Text(612, 8, P + 100, 17), Text(620, 8, P + 120, 17)};
constexpr uint32_t kKind4Bytes[][2] = {{628, P + 140}, {629, P + 141}};

// Kind 6 and the list of kind 7 share one choice layout.
constexpr size_t kChoices = 20;
struct ChoiceTables {
  TextField texts[2 + 2 * kChoices];
};
constexpr ChoiceTables MakeChoices(uint32_t countFrom, uint32_t countAt) {
  ChoiceTables t{};
  (void)countAt;
  for (uint32_t i = 0; i < kChoices; ++i) {
    const uint32_t from = countFrom + 1 + i * 168, at = countAt + 2 + i * 200;
    t.texts[2 * i] = {from, 32, 48, at, 49, at + 50};
    t.texts[2 * i + 1] = {from + 32, 128, 144, at + 52, 145, at + 198};
  }
  return t;
}
constexpr ChoiceTables kKind6Choices = MakeChoices(791, P + 54);
constexpr TextField kKind6Texts[] = {Text(758, 32, P + 0, 49)};
constexpr uint32_t kKind6Bytes[][2] = {{790, P + 52}, {791, P + 54}};
struct NameTables {
  TextField texts[20];
};
constexpr NameTables MakeNames() {
  NameTables t{};
  for (uint32_t i = 0; i < 20; ++i) t.texts[i] = {4153 + i * 32, 32, 48, P + 1 + i * 49, 49, P + 982 + i * 2};
  return t;
}
constexpr NameTables kKind7Names = MakeNames();
constexpr ChoiceTables kKind7Choices = MakeChoices(4794, P + 1024);
constexpr uint32_t kKind7Bytes[][2] = {{4152, P + 0}, {4793, P + 1022}, {4794, P + 1024}};
constexpr TextField Kind9Text(uint32_t base, uint32_t index) {
  return index == 0   ? Text(base, 128, P + 0, 145)
         : index == 1 ? Text(base + 129, 32, P + 150, 49)
                      : Text(base + 161, 16, P + 202, 33);
}
constexpr TextField kKind9Texts[] = {Kind9Text(8155, 0), Kind9Text(8155, 1), Kind9Text(8155, 2)};
constexpr TextField kKind10Texts[] = {Kind9Text(8335, 0), Kind9Text(8335, 1), Kind9Text(8335, 2)};
constexpr uint32_t kKind9Bytes[][2] = {{8155 + 128, P + 148}, {8155 + 177, P + 238}, {8155 + 178, P + 239},
                                       {8155 + 179, P + 240}};
constexpr uint32_t kKind10Bytes[][2] = {{8335 + 128, P + 148}, {8335 + 177, P + 238}, {8335 + 178, P + 239},
                                        {8335 + 179, P + 240}};

template <typename T, size_t N>
constexpr size_t Count(const T (&)[N]) {
  return N;
}

// Calls `f` with every text field, plain byte and number of `kind`.
template <typename TextFn, typename ByteFn, typename NumberFn>
void ForKind(int kind, TextFn text, ByteFn byte, NumberFn number) {
  auto texts = [&](const TextField* t, size_t n) {
    for (size_t i = 0; i < n; ++i) text(t[i]);
  };
  auto bytes = [&](const uint32_t (*b)[2], size_t n) {
    for (size_t i = 0; i < n; ++i) byte(b[i][0], b[i][1]);
  };
  switch (kind) {
    case 1: texts(kKind1Texts, 1); bytes(kKind1Bytes, Count(kKind1Bytes)); break;
    case 5: texts(kKind5Texts, 1); break;
    case 2: number(kKind2Numbers[0]); bytes(kKind2Bytes, Count(kKind2Bytes)); break;
    case 3: number(kKind3Numbers[0]); texts(kKind3Texts, 2); break;
    case 4: number(kKind4Numbers[0]); texts(kKind4Texts, 6); bytes(kKind4Bytes, 2); break;
    case 6:
      texts(kKind6Texts, 1);
      bytes(kKind6Bytes, 2);
      texts(kKind6Choices.texts, 2 * kChoices);
      break;
    case 7:
      bytes(kKind7Bytes, 3);
      texts(kKind7Names.texts, 20);
      texts(kKind7Choices.texts, 2 * kChoices);
      break;
    case 9: texts(kKind9Texts, 3); bytes(kKind9Bytes, 4); break;
    case 10: texts(kKind10Texts, 3); bytes(kKind10Bytes, 4); break;
    default: break;
  }
}

void PutU16(uint8_t* at, uint16_t v) { std::memcpy(at, &v, 2); }
uint16_t GetU16(const uint8_t* at) {
  uint16_t v;
  std::memcpy(&v, at, 2);
  return v;
}

// Back from the cache: the deciphered text of a field, cut to `limit` bytes
// on a character boundary.
void DecipherTextField(HANDLE printer, const uint8_t* field, uint32_t size, uint16_t length, char* out,
                       size_t limit) {
  std::memset(out, 0, limit + 1);
  if (length == 0 || length > size) return;
  std::unique_ptr<uint8_t[]> work(new (std::nothrow) uint8_t[size + 1]());
  if (!work) return;
  std::memcpy(work.get(), field, size);
  DecryptPasswordAes(printer, work.get(), length, size);
  work[size] = 0;
  size_t n = strnlen(reinterpret_cast<const char*>(work.get()), size);
  if (n > limit) {
    n = limit;
    while (n > 0 && (work[n] & 0xC0) == 0x80) --n;
  }
  std::memcpy(out, work.get(), n);
}

bool KeyPath(HANDLE printer, wchar_t* path, size_t capacity) {
  wchar_t driver[MAX_PATH] = {}, name[MAX_PATH] = {};
  if (!QueryDriverName(printer, driver, nullptr)) return false;
  QueryPrinterName(printer, name, MAX_PATH);
  return MakeUserSettingsPath(driver, name, L"Middle Server Setting", path, capacity);
}

}  // namespace

uint16_t EncipherTextField(HANDLE printer, const char* text, size_t limit, uint8_t* field, uint32_t size) {
  std::memset(field, 0, size);
  if (text == nullptr || size < 2) return 0;
  size_t n = strnlen(text, limit < size - 1 ? limit : size - 1);
  for (;;) {
    while (n > 0 && (static_cast<uint8_t>(text[n]) & 0xC0) == 0x80) --n;  // whole characters only
    if (n == 0) break;
    std::memset(field, 0, size);
    std::memcpy(field, text, n);
    const int32_t length = EncryptPasswordAes(printer, field, size);
    if (length > 0 && static_cast<uint32_t>(length) <= size) return static_cast<uint16_t>(length);
    --n;  // the ciphertext does not fit: keep less of the text
  }
  std::memset(field, 0, size);
  return 0;
}

bool OpenMiddleServerKey(HANDLE printer, HKEY* key) {
  *key = nullptr;
  wchar_t path[520];
  if (!KeyPath(printer, path, std::size(path))) return false;
  return OpenUserRegKey(nullptr, path, key) == ERROR_SUCCESS && *key != nullptr;
}

void SaveMiddleServerCache(HANDLE printer, uint32_t number, const MiddleServerSetting* setting) {
  if (setting == nullptr) return;
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[kMiddleServerControlInfoBytes]());
  if (!block) return;
  uint8_t* b = block.get();
  std::memcpy(b, kSignature, 4);
  const double version = kOpenApiVersion;
  std::memcpy(b + kVersionAt, &version, 8);
  std::memcpy(b + kNumberAt, &number, 4);
  std::memcpy(b + kHeadAt, setting->head, strnlen(setting->head, 31));
  std::memcpy(b + kCountAt, &setting->itemCount, 2);
  const int count = setting->itemCount < 0 ? 0 : setting->itemCount;
  for (int i = 0; i < count && i < static_cast<int>(kMiddleServerCacheItems); ++i) {
    const auto* item = reinterpret_cast<const uint8_t*>(&setting->items[i]);
    uint8_t* out = Cache(b, static_cast<uint32_t>(i));
    auto text = [&](const TextField& f) {
      char plain[300] = {};
      std::memcpy(plain, item + f.from, strnlen(reinterpret_cast<const char*>(item + f.from), f.fromSize));
      PutU16(out + f.lengthAt, EncipherTextField(printer, plain, f.keep, out + f.at, f.size));
    };
    auto byte = [&](uint32_t from, uint32_t at) { out[at] = item[from]; };
    for (const TextField& f : kCommon) text(f);
    for (const auto& pair : kCommonBytes) byte(pair[0], pair[1]);
    out[435] = setting->items[i].kind;
    ForKind(setting->items[i].kind, text, byte, [&](const NumberField& f) {
      char plain[32];
      if (f.width == 4) {
        int32_t v;
        std::memcpy(&v, item + f.from, 4);
        std::snprintf(plain, sizeof plain, "%ld", static_cast<long>(v));
      } else if (f.width == 2) {
        int16_t v;
        std::memcpy(&v, item + f.from, 2);
        std::snprintf(plain, sizeof plain, "%d", v);
      } else {
        std::snprintf(plain, sizeof plain, "%d", item[f.from]);
      }
      PutU16(out + f.lengthAt, EncipherTextField(printer, plain, f.size - 1, out + f.at, f.size));
    });
  }
  PutU16(b + kTailLengthAt, EncipherTextField(printer, setting->tail, 48, b + kTailAt, 49));
  HKEY key;
  if (!OpenMiddleServerKey(printer, &key)) return;
  RegSetValueExW(key, L"ControlInfo", 0, REG_BINARY, b, kMiddleServerControlInfoBytes);
  RegCloseKey(key);
}

bool LoadMiddleServerCache(HANDLE printer, uint32_t* number, MiddleServerSetting* setting) {
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[kMiddleServerControlInfoBytes + 1]());
  if (!block) return false;
  uint8_t* b = block.get();
  HKEY key;
  if (!OpenMiddleServerKey(printer, &key)) return false;
  DWORD type = 0, size = kMiddleServerControlInfoBytes + 1;
  const LONG read = RegQueryValueExW(key, L"ControlInfo", nullptr, &type, b, &size);
  RegCloseKey(key);
  double version = 0;
  std::memcpy(&version, b + kVersionAt, 8);
  if (read != ERROR_SUCCESS || size != kMiddleServerControlInfoBytes || std::memcmp(b, kSignature, 4) != 0 ||
      version != kOpenApiVersion) {
    return false;
  }
  int16_t count;
  std::memcpy(&count, b + kCountAt, 2);
  if (count < 0 || count > static_cast<int16_t>(kMiddleServerSettingItems)) return false;
  if (number != nullptr) std::memcpy(number, b + kNumberAt, 4);
  if (setting == nullptr) return true;
  std::memset(setting, 0, sizeof *setting);
  std::memcpy(setting->head, b + kHeadAt, strnlen(reinterpret_cast<const char*>(b + kHeadAt), 31));
  setting->itemCount = count;
  for (int i = 0; i < count && i < static_cast<int>(kMiddleServerCacheItems); ++i) {
    auto* item = reinterpret_cast<uint8_t*>(&setting->items[i]);
    const uint8_t* in = Cache(b, static_cast<uint32_t>(i));
    auto text = [&](const TextField& f) {
      char plain[300];
      DecipherTextField(printer, in + f.at, f.size, GetU16(in + f.lengthAt), plain, f.fromSize - 1);
      std::memcpy(item + f.from, plain, f.fromSize - 1);
    };
    auto byte = [&](uint32_t from, uint32_t at) { item[from] = in[at]; };
    for (const TextField& f : kCommon) text(f);
    for (const auto& pair : kCommonBytes) byte(pair[0], pair[1]);
    setting->items[i].kind = in[435];
    ForKind(in[435], text, byte, [&](const NumberField& f) {
      char plain[40];
      DecipherTextField(printer, in + f.at, f.size, GetU16(in + f.lengthAt), plain, f.size - 1);
      if (f.width == 4) {
        const int32_t v = static_cast<int32_t>(std::atol(plain));
        std::memcpy(item + f.from, &v, 4);
      } else if (f.width == 2) {
        const int16_t v = static_cast<int16_t>(std::atoi(plain));
        std::memcpy(item + f.from, &v, 2);
      } else {
        item[f.from] = std::atoi(plain) != 0 ? 1 : 0;
      }
    });
  }
  char tail[64];
  DecipherTextField(printer, b + kTailAt, 49, GetU16(b + kTailLengthAt), tail, 31);
  std::memcpy(setting->tail, tail, std::strlen(tail));
  return true;
}

void DeleteMiddleServerCache(HANDLE printer) {
  HKEY key;
  if (!OpenMiddleServerKey(printer, &key)) return;
  RegDeleteValueW(key, L"ControlInfo");
  RegCloseKey(key);
}

void SetMiddleServerResetFlag(HANDLE printer, DWORD value) {
  HKEY key;
  if (!OpenMiddleServerKey(printer, &key)) return;
  RegDeleteValueW(key, L"ResetFlag");
  RegSetValueExW(key, L"ResetFlag", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}
