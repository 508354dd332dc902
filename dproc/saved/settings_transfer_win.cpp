#include "dproc/saved/settings_transfer_win.h"

#include <winspool.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "common/cipher/password_cipher_win.h"
#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info.h"
#include "common/qxd/version_strings.h"
#include "common/records/builtin_dev_option.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/win/auth_store_win.h"
#include "common/win/printer_queries.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/user_paper_list_win.h"
#include "dproc/saved/settings_file_io_win.h"
#include "dproc/saved/side_data_positions.h"
#include "dproc/watermark/watermark_store_win.h"

namespace {

inline constexpr size_t kTransferPathChars = 260;
inline constexpr wchar_t kCustomPaperValue[] = L"CustomPaperData";
inline constexpr wchar_t kDefaultOemDevValue[] = L"DefaultOEMDEV";
inline constexpr wchar_t kDefaultDevOptionValue[] = L"DefaultDevOption";
inline constexpr wchar_t kDefaultEasySetValue[] = L"DefaultEasySet";

#ifdef _WIN64
inline constexpr wchar_t kSystemText[] = L"Windows NT x64";
#else
inline constexpr wchar_t kSystemText[] = L"Windows NT x86";
#endif

BOOL SpoolerOpen(void*, const wchar_t* name, HANDLE* printer, bool allAccess) {
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  return OpenPrinterW(const_cast<wchar_t*>(name), printer, allAccess ? &defaults : nullptr);
}
LONG SpoolerDocumentProperties(void*, HANDLE printer, wchar_t* name, DEVMODEW* out, DWORD mode) {
  return DocumentPropertiesW(nullptr, printer, name, out, nullptr, mode);
}
BOOL SpoolerSetPrinter(void*, HANDLE printer, DWORD level, BYTE* info) { return SetPrinterW(printer, level, info, 0); }
void* Allocate(void*, size_t size) { return std::calloc(size, 1); }
BOOL StoreAuthentication(void*, HANDLE printer, const DocDMode* settings) {
  return SaveAuthenticationReg(printer, settings) ? TRUE : FALSE;
}

// An open printer, closed on every way out.
class ScopedPrinter {
 public:
  ScopedPrinter(const TransferSpooler& s) : s_(s) {}
  ~ScopedPrinter() {
    if (h_ != nullptr) ClosePrinter(h_);
  }
  ScopedPrinter(const ScopedPrinter&) = delete;
  ScopedPrinter& operator=(const ScopedPrinter&) = delete;
  bool Open(const wchar_t* name, bool allAccess) { return s_.openPrinter(s_.context, name, &h_, allAccess) && h_; }
  HANDLE get() const { return h_; }

 private:
  const TransferSpooler& s_;
  HANDLE h_ = nullptr;
};

// The printer's DEVMODE as the spooler and the driver hand it out, and its
// document settings.
template <typename T>
using Block = std::unique_ptr<T[], decltype(&std::free)>;

template <typename T>
Block<T> Take(const TransferSpooler& s, size_t count) {
  return Block<T>(static_cast<T*>(s.allocate(s.context, count * sizeof(T))), &std::free);
}

struct PrinterSettings {
  Block<uint8_t> bytes{nullptr, &std::free};
  size_t size = 0;
  DEVMODEW* devmode() { return reinterpret_cast<DEVMODEW*>(bytes.get()); }
  DocDMode* doc = nullptr;
};

uint32_t FetchSettings(const TransferSpooler& s, HANDLE printer, const wchar_t* printerName, PrinterSettings* out) {
  std::wstring name(printerName);
  const LONG size = s.documentProperties(s.context, printer, name.data(), nullptr, 0);
  if (size < 1) return kTransferNoSettings;
  out->bytes = Take<uint8_t>(s, static_cast<size_t>(size));
  if (!out->bytes) return kTransferNoMemory;
  out->size = static_cast<size_t>(size);
  if (s.documentProperties(s.context, printer, name.data(), out->devmode(), DM_OUT_BUFFER) != IDOK)
    return kTransferNoSettings;
  // The record must lie inside what was fetched.
  const DEVMODEW* dm = out->devmode();
  if (out->size < sizeof(DEVMODEW) || size_t{dm->dmSize} + dm->dmDriverExtra > out->size)
    return kTransferNoSettings;
  uint32_t error = 0;
  out->doc = LocateDocDMode(out->devmode(), &error);
  return out->doc != nullptr ? kTransferOk : kTransferNoSettings;
}

void ReadUserPapers(const TransferSpooler& s, HANDLE printer, UserPaperList* list) {
  std::memset(list, 0, sizeof *list);
  DWORD type = 0, needed = 0;
  s.data.get(s.data.context, printer, kCustomPaperValue, &type, reinterpret_cast<BYTE*>(list), sizeof *list, &needed);
}

void CopyText(char16_t* out, size_t capacity, const std::wstring& text) {
  std::memset(out, 0, capacity * sizeof(char16_t));
  std::memcpy(out, text.data(), std::min(text.size(), capacity - 1) * sizeof(char16_t));
}

void FillExportHeader(EasySetHeader* h, const std::wstring& driverName, const TransferDriverFacts& facts) {
  *h = EasySetHeader{};
  std::memcpy(h->signature, kEasySetSignature, sizeof h->signature);
  h->formatVersion = kEasySetFormatVersion;
  CopyText(h->name, kEasySetNameChars, L"DD-SETTING");
  CopyText(h->model, kEasySetModelChars, driverName);
  CopyText(h->version, kEasySetVersionChars, facts.version);
  CopyText(h->system, kEasySetSystemChars, facts.system);
  CopyText(h->language, kEasySetLanguageChars, facts.language);
}

std::wstring DriverNameOf(HANDLE printer) {
  wchar_t name[kTransferPathChars] = {};
  QueryDriverName(printer, name, nullptr);
  return name;
}

// Reads the file into the bundle and checks it is made for this driver:
// 0, or the code of the first thing wrong.
uint32_t ReadFileInto(const wchar_t* path, SettingBundle* bundle, const std::wstring& driverName,
                      const TransferDriverFacts& facts, std::unique_ptr<IniDoc>* keep) {
  auto doc = ReadSettingsFile(path);
  if (!doc) return kTransferFileNotRead;
  if (!XferSettingFile(XferDirection::kRead, *doc, *bundle, SystemAnsiCodec())) return kTransferFileNotRead;
  const uint32_t check = CheckSettingFileHeader(
      bundle->header, std::u16string_view(reinterpret_cast<const char16_t*>(driverName.c_str()), driverName.size()),
      std::u16string_view(reinterpret_cast<const char16_t*>(facts.language.c_str()), facts.language.size()));
  if (keep) *keep = std::move(doc);
  return check;
}

// The printer's shared watermarks, the user's own and the user's order of
// them, as their stores hold them.
void ReadWatermarks(HANDLE printer, const wchar_t* printerName, const std::wstring& driverName,
                    SettingBundle* bundle) {
  WaterMarkInfo* marks = nullptr;
  size_t n = ReadPrinterWaterMarks(printer, &marks);
  bundle->publicMarks.assign(marks, marks + n);
  if (marks != nullptr) LocalFree(marks);
  marks = nullptr;
  n = ReadUserWaterMarks(nullptr, printerName, driverName.c_str(), &marks);
  bundle->privateMarks.assign(marks, marks + n);
  if (marks != nullptr) LocalFree(marks);
  WMOrderEntry* order = nullptr;
  n = ReadWaterMarkOrder(nullptr, printerName, driverName.c_str(), bundle->publicMarks.size(),
                         bundle->publicMarks.data(), bundle->privateMarks.size(), bundle->privateMarks.data(), &order);
  bundle->order.assign(order, order + n);
  if (order != nullptr) LocalFree(order);
}

template <typename T>
bool SameList(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

// Stores the lists a settings file brought: the user's own and order, and
// the shared ones for an administrator.  True when nothing failed.
bool StoreWatermarks(bool admin, const wchar_t* printerName, const std::wstring& driverName,
                     const SettingBundle& before, const SettingBundle& read) {
  bool ok = true;
  if (admin && !SameList(before.publicMarks, read.publicMarks)) {
    ok &= WritePrinterWaterMarks(printerName, read.publicMarks.data(), read.publicMarks.size()) != FALSE;
  }
  if (!SameList(before.privateMarks, read.privateMarks)) {
    ok &= WriteUserWaterMarks(nullptr, printerName, driverName.c_str(), read.privateMarks.data(),
                              read.privateMarks.size()) != FALSE;
  }
  if (!SameList(before.order, read.order)) {
    ok &= WriteWaterMarkOrder(nullptr, printerName, driverName.c_str(), read.order.data(), read.order.size()) != FALSE;
  }
  return ok;
}

}  // namespace

TransferSpooler RealTransferSpooler(void (*updatePublicFields)(DEVMODEW*, DocDMode*, const wchar_t*)) {
  return TransferSpooler{SpoolerOpen, SpoolerDocumentProperties, SpoolerSetPrinter, SpoolerPrinterData(),
                         updatePublicFields, StoreAuthentication, Allocate, nullptr};
}

TransferDriverFacts CurrentDriverFacts() {
  TransferDriverFacts facts;
  const char16_t* version = GetVersionString(kVersionDriver);
  facts.version.assign(reinterpret_cast<const wchar_t*>(version));
  facts.system = kSystemText;
  facts.language = GetLanguageCode(ProcessModelInfo());
  return facts;
}

bool TransferArgument(const char* text, std::wstring* out) {
  if (text == nullptr) return false;
  wchar_t buffer[kTransferPathChars] = {};
  const size_t length = strnlen(text, kTransferPathChars);
  if (length >= kTransferPathChars) return false;
  if (length > 0 &&
      MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length) + 1, buffer, kTransferPathChars) == 0)
    return false;
  *out = buffer;
  return true;
}

uint32_t RunSettingExport(const TransferSpooler& s, const TransferDriverFacts& facts, const wchar_t* printerName,
                          const wchar_t* path) {
  ScopedPrinter printer(s);
  if (!printer.Open(printerName, false)) return kTransferPrinterNotOpened;
  SettingBundle bundle;
  FillExportHeader(&bundle.header, DriverNameOf(printer.get()), facts);
  PrinterSettings settings;
  if (const uint32_t code = FetchSettings(s, printer.get(), printerName, &settings)) return code;
  bundle.doc = settings.doc;
  ReadWatermarks(printer.get(), printerName, DriverNameOf(printer.get()), &bundle);
  if (ReadDevOptionFromPrinter(s.data, printer.get(), &bundle.devOption) != kDevModeStoreOk)
    return kTransferDeviceNotRead;
  ReadUserPapers(s, printer.get(), &bundle.userPapers);
  IniDoc doc;
  if (!XferSettingFile(XferDirection::kWrite, doc, bundle, SystemAnsiCodec()) || !WriteSettingsFile(doc, path))
    return kTransferFileNotWritten;
  return kTransferOk;
}

uint32_t RunSettingImport(const TransferSpooler& s, const TransferDriverFacts& facts, const wchar_t* printerName,
                          const wchar_t* path) {
  ScopedPrinter printer(s);
  bool admin = printer.Open(printerName, true);
  if (!admin && !printer.Open(printerName, false)) return kTransferPrinterNotOpened;
  const std::wstring driverName = DriverNameOf(printer.get());
  PrinterSettings settings;
  if (const uint32_t code = FetchSettings(s, printer.get(), printerName, &settings)) return code;
  SettingBundle bundle;
  bundle.doc = settings.doc;
  if (ReadDevOptionFromPrinter(s.data, printer.get(), &bundle.devOption) != kDevModeStoreOk)
    return kTransferDeviceNotRead;
  ReadUserPapers(s, printer.get(), &bundle.userPapers);
  ReadWatermarks(printer.get(), printerName, driverName, &bundle);
  SettingBundle stored;
  stored.publicMarks = bundle.publicMarks;
  stored.privateMarks = bundle.privateMarks;
  stored.order = bundle.order;
  // Nothing is stored before the whole file has been read and checked.
  if (const uint32_t code = ReadFileInto(path, &bundle, driverName, facts, nullptr)) return code;
  if (!StoreWatermarks(admin, printerName, driverName, stored, bundle)) return kTransferStoreFailed;

  ClampListPositions(0, static_cast<uint32_t>(bundle.publicMarks.size()),
                     static_cast<uint32_t>(bundle.privateMarks.size()), settings.doc);
  s.updatePublicFields(settings.devmode(), settings.doc, printerName);

  if (admin) {
    DevDMode device{};
    DWORD status = 0;
    if (ReadPrivateDevModeData(s.data, printer.get(), &device, &status) != kDevModeStoreOk)
      return kTransferDeviceNotStored;
    device.option = bundle.devOption;
    if (WritePrivateDevModeData(s.data, printer.get(), &device) != kDevModeStoreOk) return kTransferDeviceNotStored;
    s.data.set(s.data.context, printer.get(), kCustomPaperValue, REG_BINARY,
               reinterpret_cast<const BYTE*>(&bundle.userPapers), sizeof bundle.userPapers);
  }
  SealDocDMode(settings.doc);
  PRINTER_INFO_9W user{settings.devmode()};
  if (!s.setPrinter(s.context, printer.get(), 9, reinterpret_cast<BYTE*>(&user))) return kTransferStoreFailed;
  if (admin) {
    PRINTER_INFO_8W global{settings.devmode()};
    if (!s.setPrinter(s.context, printer.get(), 8, reinterpret_cast<BYTE*>(&global))) return kTransferStoreFailed;
  }
  return kTransferOk;
}

uint32_t RunDefaultSetting(const TransferSpooler& s, const TransferDriverFacts& facts, const wchar_t* printerName,
                           const wchar_t* path) {
  ScopedPrinter printer(s);
  if (!printer.Open(printerName, true)) return kTransferPrinterNotOpened;
  const std::wstring driverName = DriverNameOf(printer.get());
  PrinterSettings settings;
  if (const uint32_t code = FetchSettings(s, printer.get(), printerName, &settings)) return code;
  DocDMode working = *settings.doc;
  SettingBundle bundle;
  bundle.doc = &working;
  bundle.devOption = BuiltInDevOption();
  std::unique_ptr<IniDoc> doc;
  if (const uint32_t code = ReadFileInto(path, &bundle, driverName, facts, &doc)) return code;

  Fields(working).byEasySetIndex = kEasySetStateBuiltIn;
  std::memset(Fields(working).szEasySetName, 0, sizeof Fields(working).szEasySetName);
  SealDocDMode(&working);
  const std::u16string text = IniDoc_Render(*doc);
  auto store = [&](const wchar_t* name, const void* data, size_t size) {
    return s.data.set(s.data.context, printer.get(), name, REG_BINARY, static_cast<const BYTE*>(data),
                      static_cast<DWORD>(size)) == ERROR_SUCCESS;
  };
  if (!store(kDefaultOemDevValue, &working, sizeof working) ||
      !store(kDefaultDevOptionValue, &bundle.devOption, sizeof bundle.devOption) || text.empty() ||
      !store(kDefaultEasySetValue, text.data(), text.size() * sizeof(char16_t)))
    return kTransferDefaultNotStored;
  return kTransferOk;
}

namespace {

inline constexpr wchar_t kPersonalInfo[] = L"PersonalInfo";
inline constexpr DWORD kKeyListStep = 260;

// The keys of the file's section, each once, as the profile functions list
// them; empty when the list cannot be had.
// The list of keys: one NUL after each, another after the last.
struct KeyList {
  Block<wchar_t> text{nullptr, &std::free};
  DWORD size = 0;
};

bool ListPersonalKeys(const TransferSpooler& s, const wchar_t* path, KeyList* list) {
  for (DWORD size = kKeyListStep;; size += kKeyListStep) {
    list->text = Take<wchar_t>(s, size);
    if (!list->text) return false;
    list->size = size;
    const DWORD got = GetPrivateProfileStringW(kPersonalInfo, nullptr, L"", list->text.get(), size, path);
    if (got != size - 2) return true;
  }
}

bool KeyPresent(const KeyList& list, const wchar_t* key) {
  for (const wchar_t* p = list.text.get(); p < list.text.get() + list.size && *p != L'\0'; p += wcslen(p) + 1)
    if (CompareStringOrdinal(p, -1, key, -1, TRUE) == CSTR_EQUAL) return true;
  return false;
}

enum class PersonalField { kWide, kNarrow, kPassword, kServer };

struct PersonalKey {
  const wchar_t* key;
  const char* keyword;      // the edit item's check
  int maxLength;
  PersonalField kind;
  uint32_t at;              // DocDMode offset of the field
  uint32_t size;            // bytes of the field
  uint32_t lengthAt;        // a password's 16-bit length
  uint32_t modelFeature;    // offered only when the model has it (0: always)
};

#define AT(member) DOC_FIELD_AT(member), static_cast<uint32_t>(sizeof(DocFields::member))
const PersonalKey kPersonalKeys[] = {
    {L"VQUserName", "RecipientUserName", 80, PersonalField::kWide, AT(szAuthUserName), 0, 0},
    {L"VQUserKey", "RecipientPassword", 64, PersonalField::kPassword, AT(byAuthUserPass), DOC_FIELD_AT(wAuthUserPassLen), 0},
    {L"VQSectionName", "DepartmentName", 8, PersonalField::kNarrow, AT(szDeptName), 0, 0},
    {L"VQSectionKey", "DepartmentPassword", 8, PersonalField::kPassword, AT(byDeptPass), DOC_FIELD_AT(wDeptPassLen), 0},
    {L"ServerSetting", nullptr, 0, PersonalField::kServer, AT(nServerSetting), 0, 0},
    {L"TreeDomainName", "TreeDomainName", 80, PersonalField::kNarrow, AT(szTreeDomainName), 0, kMfTreeDomainName},
    {L"ExpenseCode", "ExpenseCode", 8, PersonalField::kNarrow, AT(szExpenseCode), 0, kMfExpenseCode},
    {L"ExpenseCodePassword", "ExpenseCodePassword", 8, PersonalField::kPassword, AT(byExpensePass),
     DOC_FIELD_AT(wExpensePassLen), kMfExpenseCodePassword},
    {L"SecurePrintId", "SecurePrintId", 16, PersonalField::kNarrow, AT(szSecurePrintId), 0, 0},
    {L"SecPassword", "SecPassword", 16, PersonalField::kPassword, AT(bySecurePrintPass),
     DOC_FIELD_AT(wSecurePrintPassLen), 0},
    {L"BoxFileName", "BoxFileName", 30, PersonalField::kWide, AT(szBoxFileName), 0, 0},
    {L"BoxNum", "BoxNum", 16, PersonalField::kNarrow, AT(szBoxNumber), 0, 0},
};
#undef AT

bool Offered(const PersonalKey& k) {
  const ModelInfo* model = ProcessModelInfo();
  return k.modelFeature == 0 || (model != nullptr && model->features[k.modelFeature] != 0);
}

// Takes one value into its field; false when it is refused.
bool TakePersonalValue(HANDLE printer, const PersonalKey& k, const wchar_t* value, char* narrow, size_t narrowSize,
                       DocDMode* doc) {
  uint8_t* field = DocBytes(doc) + k.at;
  if (k.kind == PersonalField::kServer) {
    const int number = _wtoi(value);
    if (number < 1 || number > 20) return false;
    SetDocI16(doc, k.at, static_cast<int16_t>(number));
    return true;
  }
  if (ValidateEditTextByKeyword(k.keyword, value, k.maxLength) == 0) return false;
  if (k.kind == PersonalField::kWide) {
    const size_t units = std::min<size_t>(wcslen(value), std::min<size_t>(k.maxLength, k.size / 2 - 1));
    std::memset(field, 0, k.size);
    std::memcpy(field, value, units * 2);
    return true;
  }
  std::memset(narrow, 0, narrowSize);
  if (WideCharToMultiByte(CP_ACP, 0, value, -1, narrow, static_cast<int>(narrowSize), nullptr, nullptr) == 0)
    return false;
  if (k.kind == PersonalField::kNarrow) {
    std::memset(field, 0, k.size);
    std::memcpy(field, narrow, std::min<size_t>(strnlen(narrow, narrowSize), k.size - 1));
    return true;
  }
  const int32_t length = EncryptPassword(printer, reinterpret_cast<uint8_t*>(narrow), static_cast<uint32_t>(narrowSize));
  std::memset(field, 0, k.size);
  std::memcpy(field, narrow, length < 0 ? k.size : std::min<size_t>(static_cast<size_t>(length), k.size));
  SetDocI16(doc, k.lengthAt, static_cast<int16_t>(length));
  return true;
}

}  // namespace

uint32_t RunPersonalInfoImport(const TransferSpooler& s, const TransferDriverFacts&, const wchar_t* printerName,
                               const wchar_t* iniPath) {
  KeyList keys;
  if (!ListPersonalKeys(s, iniPath, &keys)) return kTransferNoMemory;
  ScopedPrinter printer(s);
  if (!printer.Open(printerName, false)) return kTransferPrinterNotOpened;
  PrinterSettings settings;
  if (const uint32_t code = FetchSettings(s, printer.get(), printerName, &settings)) return code;
  Block<wchar_t> value = Take<wchar_t>(s, keys.size);
  Block<char> narrow = Take<char>(s, keys.size);
  if (!value || !narrow) return kTransferNoMemory;
  DocDMode* doc = settings.doc;
  DocFields& f = Fields(*doc);
  uint32_t result = kTransferOk;
  for (const PersonalKey& k : kPersonalKeys) {
    if (!KeyPresent(keys, k.key) || !Offered(k)) continue;
    GetPrivateProfileStringW(kPersonalInfo, k.key, L"", value.get(), keys.size, iniPath);
    if (value[0] == L'\0') continue;
    if (k.at == DOC_FIELD_AT(szAuthUserName) && wcscmp(value.get(), L"Public") == 0) {
      f.byUserType = 0;  // the public user
    } else if (!TakePersonalValue(printer.get(), k, value.get(), narrow.get(), keys.size, doc)) {
      result = kTransferValueRefused;
    } else if (k.at == DOC_FIELD_AT(szAuthUserName)) {
      f.byUserType = 1;
    }
  }
  // Authentication goes on when the file names a user (or the public user)
  // with what it needs; account tracking when it names a department with
  // its password.
  if (KeyPresent(keys, L"VQUserName")) {
    if (f.byUserType == 0) {
      f.bUserAuthentication = 1;
    } else if (KeyPresent(keys, L"VQUserKey")) {
      f.bUserAuthentication = (f.szAuthUserName[0] == u'\0' || static_cast<int16_t>(f.wAuthUserPassLen) <= 0) ? 0 : 1;
    }
  }
  if (KeyPresent(keys, L"VQSectionName") && KeyPresent(keys, L"VQSectionKey"))
    f.bAccountTrackOn = (f.szDeptName[0] == '\0' || static_cast<int16_t>(f.wDeptPassLen) <= 0) ? 0 : 1;
  SealDocDMode(doc);
  if (!s.saveAuthentication(s.context, printer.get(), doc)) return kTransferStoreFailed;
  return result;
}
