#include "dproc/fax_cover/cover_store_win.h"

#include <cstdio>
#include <cstring>

#include "common/cover/cover_defaults.h"
#include "common/win/store_values_win.h"
#include "common/win/user_registry.h"

namespace {

constexpr wchar_t kRecordTail[] = L"FaxCoverSheet";
constexpr wchar_t kSetsTail[] = L"FaxCoverSheet\\CoverSheetSet";

class Key {
 public:
  Key(const wchar_t* printerName, const wchar_t* driverName, const wchar_t* tail) {
    wchar_t path[1024];
    if (MakeUserSettingsPath(driverName, printerName, tail, path, sizeof(path) / sizeof(path[0])) &&
        OpenUserRegKey(nullptr, path, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// Reads at most `size` bytes; the number read, or -1 when the value is
// missing or larger.
int32_t ReadValue(HKEY key, const wchar_t* name, void* to, DWORD size) {
  DWORD got = size;
  if (RegQueryValueExW(key, name, nullptr, nullptr, static_cast<BYTE*>(to), &got) != ERROR_SUCCESS) return -1;
  return static_cast<int32_t>(got);
}

bool WriteValue(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

// One part as a binary value of exactly the part's size; a missing, shorter
// or larger value gives the defaults and false (a shorter one would mix
// stored bytes with defaults).
template <typename Part>
bool ReadPart(HKEY key, const wchar_t* name, Part* part, const Part& defaults) {
  if (Store_ReadRegRecord(key, name, part, sizeof(Part))) return true;
  *part = defaults;
  return false;
}

bool HasValue(HKEY key, const wchar_t* name) {
  return RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

template <size_t N>
void Terminate(char16_t (&text)[N]) {
  text[N - 1] = 0;
}

void Terminate(FcsBasicPart& b) {
  Terminate(b.szSubject);
  Terminate(b.szDate);
  Terminate(b.szComment);
}
void Terminate(FcsRecipientPart& r) {
  Terminate(r.szTitle);
  Terminate(r.szCompany);
  Terminate(r.szDepartment);
  Terminate(r.szName);
  Terminate(r.szFaxNumber);
}
void Terminate(FcsSenderPart& s) {
  for (FcsSenderLine& l : s.lines) Terminate(l.szText);
}
void Terminate(FcsImagePart& i) { Terminate(i.szImageFile); }

void IndexedName(wchar_t* out, const wchar_t* stem, uint32_t index) {
  swprintf(out, 32, L"%ls%02u", stem, index);
}

size_t NameLength(const char16_t* name) {
  size_t n = 0;
  while (n < kFcsSetNameChars - 1 && name[n] != 0) ++n;
  return n;
}

bool WriteSet(HKEY key, uint32_t index, const CoverSheetSet& set) {
  wchar_t name[32];
  IndexedName(name, L"Name", index);
  if (!WriteValue(key, name, REG_SZ, set.name, static_cast<DWORD>(2 * NameLength(set.name)))) return false;
  IndexedName(name, L"Basic", index);
  if (!WriteValue(key, name, REG_BINARY, &set.basic, sizeof(set.basic))) return false;
  IndexedName(name, L"Sender", index);
  if (!WriteValue(key, name, REG_BINARY, &set.sender, sizeof(set.sender))) return false;
  IndexedName(name, L"Image", index);
  return WriteValue(key, name, REG_BINARY, &set.image, sizeof(set.image));
}

void DeleteSet(HKEY key, uint32_t index) {
  wchar_t name[32];
  for (const wchar_t* stem : {L"Name", L"Basic", L"Sender", L"Image"}) {
    IndexedName(name, stem, index);
    RegDeleteValueW(key, name);
  }
}

int StoreRead(const wchar_t* printerName, const wchar_t* driverName, uint8_t* record) {
  return ReadFaxCoverSheetReg(printerName, driverName, reinterpret_cast<FaxCoverSheetData*>(record));
}
int StoreWrite(const wchar_t* printerName, const wchar_t* driverName, const uint8_t* record) {
  FaxCoverSheetData copy;
  std::memcpy(&copy, record, sizeof copy);
  return WriteFaxCoverSheetReg(printerName, driverName, copy);
}
const FaxCoverStore kStore = {StoreRead, StoreWrite};

}  // namespace

void TerminateCoverTexts(FaxCoverSheetData* record) {
  Terminate(record->szCoverSheetSet);
  Terminate(record->basic);
  Terminate(record->recipient);
  Terminate(record->sender);
  Terminate(record->image);
}

int ReadFaxCoverSheetReg(const wchar_t* printerName, const wchar_t* driverName, FaxCoverSheetData* record) {
  Key key(printerName, driverName, kRecordTail);
  if (key.get() == nullptr || record == nullptr) return 0;
  FaxCoverSheetData defaults;
  MakeDefaultCoverSheet(&defaults);
  std::memset(defaults.szCoverSheetSet, 0, sizeof defaults.szCoverSheetSet);
  *record = defaults;
  if (ReadValue(key.get(), L"CoverSheetSet", record->szCoverSheetSet, sizeof record->szCoverSheetSet) < 0) {
    std::memset(record->szCoverSheetSet, 0, sizeof record->szCoverSheetSet);
  }
  int32_t size = 0;
  if (ReadValue(key.get(), L"CoverSize", &size, sizeof size) >= 0) record->sCoverSize = static_cast<int16_t>(size);
  const bool all = ReadPart(key.get(), L"Basic", &record->basic, defaults.basic) &&
                   ReadPart(key.get(), L"Recipient", &record->recipient, defaults.recipient) &&
                   ReadPart(key.get(), L"Sender", &record->sender, defaults.sender) &&
                   ReadPart(key.get(), L"Image", &record->image, defaults.image);
  TerminateCoverTexts(record);
  return all ? 1 : 0;
}

int WriteFaxCoverSheetReg(const wchar_t* printerName, const wchar_t* driverName, const FaxCoverSheetData& record) {
  Key key(printerName, driverName, kRecordTail);
  if (key.get() == nullptr) return 0;
  const int32_t size = record.sCoverSize;
  const bool all = WriteValue(key.get(), L"CoverSheetSet", REG_SZ, record.szCoverSheetSet,
                              sizeof record.szCoverSheetSet) &&
                   WriteValue(key.get(), L"CoverSize", REG_DWORD, &size, sizeof size) &&
                   WriteValue(key.get(), L"Basic", REG_BINARY, &record.basic, sizeof record.basic) &&
                   WriteValue(key.get(), L"Recipient", REG_BINARY, &record.recipient, sizeof record.recipient) &&
                   WriteValue(key.get(), L"Sender", REG_BINARY, &record.sender, sizeof record.sender) &&
                   WriteValue(key.get(), L"Image", REG_BINARY, &record.image, sizeof record.image);
  return all ? 1 : 0;
}

CoverSheetSet MakeCoverSheetSet(const char16_t* name, const FcsBasicPart& basic, const FcsSenderPart& sender,
                                const FcsImagePart& image) {
  CoverSheetSet set{};
  if (name != nullptr) std::memcpy(set.name, name, 2 * NameLength(name));
  set.basic = basic;
  set.sender = sender;
  set.image = image;
  return set;
}

bool LoadCoverSheetSetList(const wchar_t* printerName, const wchar_t* driverName, FaxCoverSheetSets* out) {
  Key key(printerName, driverName, kSetsTail);
  if (key.get() == nullptr || out == nullptr) return false;
  out->sets.clear();
  out->current = -1;
  // A damaged count must neither size the list nor keep the dialog reading:
  // it is capped, and the list ends at the first set the store lacks.
  const uint32_t count = Store_ReadRegCount(key.get(), L"OrderNum", kCoverSheetSetsMax);
  FaxCoverSheetData defaults;
  MakeDefaultCoverSheet(&defaults);
  for (uint32_t i = 0; i < count; ++i) {
    wchar_t name[32];
    CoverSheetSet set{};
    IndexedName(name, L"Name", i);
    if (!HasValue(key.get(), name)) break;
    if (ReadValue(key.get(), name, set.name, sizeof set.name) < 0) std::memset(set.name, 0, sizeof set.name);
    set.name[kFcsSetNameChars - 1] = 0;
    IndexedName(name, L"Basic", i);
    ReadPart(key.get(), name, &set.basic, defaults.basic);
    IndexedName(name, L"Sender", i);
    ReadPart(key.get(), name, &set.sender, defaults.sender);
    IndexedName(name, L"Image", i);
    ReadPart(key.get(), name, &set.image, defaults.image);
    Terminate(set.basic);
    Terminate(set.sender);
    Terminate(set.image);
    out->sets.push_back(set);
  }
  return true;
}

int SaveCoverSheetSetList(const wchar_t* printerName, const wchar_t* driverName, const FaxCoverSheetSets& list) {
  Key key(printerName, driverName, kSetsTail);
  if (key.get() == nullptr) return 0;
  const uint32_t oldCount = Store_ReadRegCount(key.get(), L"OrderNum", kCoverSheetSetsMax);
  uint32_t written = 0;
  for (const CoverSheetSet& set : list.sets) {
    if (!WriteSet(key.get(), written, set)) break;
    ++written;
  }
  if (written < list.sets.size()) {
    // The old sets behind the ones written stay where they are, and so does
    // their count: nothing stored is lost, and the failure is reported.
    const uint32_t keep = written > oldCount ? written : oldCount;
    WriteValue(key.get(), L"OrderNum", REG_DWORD, &keep, sizeof keep);
    return 0;
  }
  if (!WriteValue(key.get(), L"OrderNum", REG_DWORD, &written, sizeof written)) return 0;
  for (uint32_t i = written; i < oldCount; ++i) DeleteSet(key.get(), i);
  return 1;
}

const FaxCoverStore* CoverSheetStore() { return &kStore; }
