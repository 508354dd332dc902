#include "ddproc/bdc/bdc_session_win.h"

#include <cstring>
#include <new>
#include <string>

namespace {

template <typename Fn>
Fn Entry(const BdcSession& s, BdcEntry e) {
  return reinterpret_cast<Fn>(s.table.entries[e]);
}

// The status value goes in as the session's parameter; what comes back is
// kept.
struct StatusCall {
  BdcSession* s;
  uint32_t status;
  explicit StatusCall(BdcSession* session) : s(session), status(session->statusParam) {}
  ~StatusCall() { s->lastStatus = status; }
};

// A list step: the count first, then the filled list.  The count from the
// library is capped before the buffer is sized.
template <typename T, typename Call>
void ListStep(BdcSession* s, std::vector<T>* out, Call call) {
  out->clear();
  uint32_t count = 0;
  {
    StatusCall st(s);
    if (call(&st.status, &count, nullptr) < 0 || count == 0) return;
  }
  if (count > kBdcMaxListEntries) count = kBdcMaxListEntries;
  std::vector<T> list(count);
  std::memset(static_cast<void*>(list.data()), 0, sizeof(T) * count);
  uint32_t filled = count;
  StatusCall st(s);
  const int32_t result = call(&st.status, &filled, list.data());
  if (result < 0 || result == 1) return;
  // A library that claims more than the buffer held keeps the buffer's.
  if (filled < count) list.resize(filled);
  *out = std::move(list);
}

bool SingleOk(int32_t result) { return result >= 0 && result != 1; }

}  // namespace

bool BdcBindLibrary(const wchar_t* path, BdcEntryTable* table) {
  *table = BdcEntryTable{};
  HMODULE module = LoadLibraryW(path);
  if (module == nullptr) return false;
  for (size_t i = 0; i < kBdcEntryCount; ++i) {
    FARPROC entry = GetProcAddress(module, kBdcEntryNames[i]);
    if (entry == nullptr) {
      FreeLibrary(module);
      *table = BdcEntryTable{};
      return false;
    }
    table->entries[i] = reinterpret_cast<void*>(entry);
  }
  table->module = module;
  return true;
}

void BdcUnbindLibrary(BdcEntryTable* table) {
  if (table->module != nullptr) FreeLibrary(table->module);
  *table = BdcEntryTable{};
}

bool BdcBindFrom(const wchar_t* directory, BdcEntryTable* table) {
  if (BdcBindLibrary(L"VELDRANI.DLL", table)) return true;
  std::wstring path = directory;
  if (path.empty() || path.back() != L'\\') path += L'\\';
  path += L"VELDRANI.DLL";
  return BdcBindLibrary(path.c_str(), table);
}

std::unique_ptr<BdcSession> BdcOpenSession(const char* address, const wchar_t* directory) {
  if (address == nullptr || directory == nullptr) return nullptr;
  std::unique_ptr<BdcSession> s(new (std::nothrow) BdcSession);
  if (!s) return nullptr;
  if (!BdcBindFrom(directory, &s->table)) return nullptr;
  s->comm.first = 1;
  s->comm.second = 1;
  std::strncpy(s->comm.address, address, sizeof s->comm.address - 1);
  std::strncpy(s->comm.community, kBdcCommunity, sizeof s->comm.community - 1);
  return s;
}

bool BdcRunSteps(BdcSession* s, const char* address, int lastStep) {
  BdcAnswers& a = s->answers;
  bool ok1, ok2, ok3;
  {
    StatusCall st(s);
    ok1 = Entry<BdcGetLibVersionFn>(*s, kBdcGetLibVersion)(&st.status, &a.version) >= 0;
    if (!ok1) a.version = {};
  }
  {
    StatusCall st(s);
    ok2 = SingleOk(Entry<BdcGetDevCommInfoFn>(*s, kBdcGetDevCommInfo)(&st.status, s->comm.address, &a.commInfo));
    if (ok2) {
      s->comm.channel = a.commInfo.channel;
    } else {
      a.commInfo = {};
    }
  }
  {
    StatusCall st(s);
    ok3 = SingleOk(Entry<BdcGetDevNameFn>(*s, kBdcGetDevName)(&s->comm, &st.status, &a.name));
    if (!ok3) a.name = {};
  }
  (void)address;
  if (lastStep <= 3) return ok1 && ok2 && ok3;
  const BdcCommBlock* comm = &s->comm;
  ListStep(s, &a.firmware, [&](uint32_t* st, uint32_t* n, BdcFirmwareEntry* l) {
    return Entry<BdcGetDevFirmwareVersionFn>(*s, kBdcGetDevFirmwareVersion)(comm, st, n, l);
  });
  ListStep(s, &a.memory, [&](uint32_t* st, uint32_t* n, BdcMemoryEntry* l) {
    return Entry<BdcGetDevMemoryCapacityFn>(*s, kBdcGetDevMemoryCapacity)(comm, st, n, l);
  });
  ListStep(s, &a.options, [&](uint32_t* st, uint32_t* n, BdcOptionEntry* l) {
    return Entry<BdcGetDevOptionInfoFn>(*s, kBdcGetDevOptionInfo)(comm, st, n, l);
  });
  ListStep(s, &a.trays, [&](uint32_t* st, uint32_t* n, BdcInputTrayEntry* l) {
    return Entry<BdcGetDevInputTrayInfoExFn>(*s, kBdcGetDevInputTrayInfoEx)(comm, st, n, kBdcTrayInfoLevel, l);
  });
  ListStep(s, &a.outputTrays, [&](uint32_t* st, uint32_t* n, BdcOutputTrayEntry* l) {
    return Entry<BdcGetDevOutputTrayInfoFn>(*s, kBdcGetDevOutputTrayInfo)(comm, st, n, l);
  });
  {
    StatusCall st(s);
    if (!SingleOk(Entry<BdcGetDevMediaPathInfoFn>(*s, kBdcGetDevMediaPathInfo)(comm, &st.status, &a.mediaPath))) {
      a.mediaPath = {};
    }
  }
  ListStep(s, &a.finishers, [&](uint32_t* st, uint32_t* n, BdcFinisherEntry* l) {
    return Entry<BdcGetDevFinisherInfoFn>(*s, kBdcGetDevFinisherInfo)(comm, st, n, l);
  });
  return ok1 && ok2 && ok3;
}

std::unique_ptr<BdcSession> BdcQueryDevice(const char* address, const wchar_t* directory) {
  std::unique_ptr<BdcSession> s = BdcOpenSession(address, directory);
  if (s) BdcRunSteps(s.get(), address, 10);
  return s;
}
