// Device answers over SNMP: the datagrams a device (or anything on the
// network) sends back, read by the device library's own client.  The input
// is a row of datagrams, each behind a two-byte length (little-endian).  The
// first is taken apart element by element and decoded as the answer to
// request 1; then every device query (the option rows, the supply levels,
// the form and profile walks) runs against an agent that answers each
// request with the next datagram, decoded and stored as the client stores
// it, until the datagrams run out.  Memory the answers take is counted and
// must all come back.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ddproc/mib/mib_queries.h"
#include "ddproc/mib/mib_tables.h"
#include "ddproc/snmp/ber_codec.h"
#include "ddproc/snmp/oid_text.h"
#include "ddproc/snmp/snmp_message.h"
#include "fuzz/fuzz_input.h"

namespace {

constexpr int32_t kRequestId = 1;
constexpr char kCommunity[] = "public";

long g_blocks = 0;

void* SNMP_API_CALL Alloc(uint32_t bytes) {
  void* p = std::calloc(1, bytes == 0 ? 1 : bytes);
  if (p != nullptr) ++g_blocks;
  return p;
}
void SNMP_API_CALL Free(void* p) {
  if (p != nullptr) --g_blocks;
  std::free(p);
}
void SNMP_API_CALL OidFree(SnmpObjectId* oid) {
  Free(oid->arcs);
  oid->arcs = nullptr;
  oid->count = 0;
}
void SNMP_API_CALL BindFree(SnmpBinding* binding) {
  OidFree(&binding->name);
  SnmpReleaseValue(SnmpAllocator{Alloc, Free}, &binding->value);
}
void SNMP_API_CALL ListFree(SnmpBindingList* list) {
  if (list->list == nullptr) return;
  for (uint32_t i = 0; i < list->count; ++i) BindFree(&list->list[i]);
  Free(list->list);
  list->list = nullptr;
  list->count = 0;
}
int g_session;
void* SNMP_API_CALL Open(char*, char*, int32_t, int32_t) { return &g_session; }
int32_t SNMP_API_CALL Close(void*) { return 1; }
int32_t SNMP_API_CALL StrToOid(char* text, SnmpObjectId* oid) {
  oid->count = 0;
  oid->arcs = nullptr;
  uint32_t arcs[kOidTextMaxArcs];
  size_t count = 0;
  if (!ParseOidText(text, arcs, &count)) return 0;
  oid->arcs = static_cast<uint32_t*>(Alloc(static_cast<uint32_t>(count * sizeof(uint32_t))));
  if (oid->arcs == nullptr) return 0;
  std::memcpy(oid->arcs, arcs, count * sizeof(uint32_t));
  oid->count = static_cast<uint32_t>(count);
  return 1;
}

// The datagrams still to be answered.
FuzzInput* g_datagrams = nullptr;

bool NextDatagram(const uint8_t** data, size_t* size) {
  if (g_datagrams == nullptr || g_datagrams->size() < 2) return false;
  const size_t length = std::min<size_t>(g_datagrams->Take<uint16_t>(), g_datagrams->size());
  *data = g_datagrams->data();
  *size = std::min(length, kSnmpReceiveBufferSize);
  g_datagrams->Take<uint8_t>();  // keep the reader moving on an empty datagram
  for (size_t i = 1; i < length; ++i) g_datagrams->Take<uint8_t>();
  return true;
}

// The client's request: the answer decoded as the client decodes it and its
// value stored into the binding as the client stores it.
int32_t SNMP_API_CALL Request(void*, uint8_t, SnmpBindingList* bindings, int32_t* status, int32_t* index) {
  const uint8_t* data;
  size_t size;
  if (!NextDatagram(&data, &size)) return 0;
  SnmpAnswer answer;
  if (SnmpDecodeAnswer(data, size, kCommunity, kRequestId, &answer) != SnmpDecodeResult::kOk) return 0;
  if (bindings->list != nullptr && bindings->count > 0 &&
      !SnmpStoreAnswerValue(answer, SnmpAllocator{Alloc, Free}, &bindings->list[0])) {
    return 0;
  }
  *status = answer.error_status;
  *index = answer.error_index;
  return 1;
}

const SnmpApiTable kAgent = {Alloc, Free, OidFree, BindFree, ListFree, Open, Close,
                             Request, StrToOid, nullptr, nullptr, 1};

void* ListAlloc(size_t bytes) { return Alloc(static_cast<uint32_t>(bytes)); }

// Every element of a datagram, nested as far as it goes.
void WalkElements(const uint8_t* data, size_t size, int depth) {
  size_t pos = 0;
  BerElement element;
  for (int n = 0; n < 256 && pos < size && BerDecodeTlv(data, size, &pos, &element); ++n) {
    const uint8_t* content = data + element.content;
    BerDecodeInteger(content, element.length);
    uint32_t arcs[kSnmpMaxAnswerArcs];
    size_t count = 0;
    if (element.tag == 0x06 && BerDecodeOid(content, element.length, arcs, kSnmpMaxAnswerArcs, &count)) {
      std::vector<uint8_t> again;
      BerEncodeOidContent(arcs, count, &again);
    }
    if ((element.tag & 0x20) != 0 && depth < 8) WalkElements(content, element.length, depth + 1);
    pos = element.content + element.length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput datagrams(data, size);
  g_datagrams = &datagrams;
  g_blocks = 0;

  const uint8_t* first;
  size_t firstSize;
  if (NextDatagram(&first, &firstSize)) {
    WalkElements(first, firstSize, 0);
    SnmpAnswer answer;
    if (SnmpDecodeAnswer(first, firstSize, kCommunity, kRequestId, &answer) == SnmpDecodeResult::kOk) {
      SnmpBinding binding{};
      if (SnmpStoreAnswerValue(answer, SnmpAllocator{Alloc, Free}, &binding)) BindFree(&binding);
    }
    SnmpDecodeAnswer(first, firstSize, nullptr, kRequestId, &answer);
  }

  // The device queries, each as far as the datagrams go.
  const MibOptionTable& keys = MibOptionKeys();
  for (int32_t k = 0; k < keys.count; ++k) {
    char value[32];
    MibQueryOptionValue(kAgent, &g_session, keys.keys[k], value, sizeof value);
  }
  DevOptionEntry options[2] = {};
  std::strcpy(options[0].keyword, keys.count > 0 ? keys.keys[0].keyword : "OpHDD");
  std::strcpy(options[1].keyword, "NoSuchOption");
  MibFillOptions(kAgent, &g_session, 2, options);
  SupplyLevelEntry supplies[13] = {};
  int32_t supplyCount = 0;
  for (const MibSupplyRow* row = MibSupplyRows(); row->kind != kSupplyTableEnd && supplyCount < 13; ++row) {
    std::memcpy(supplies[supplyCount++].keyword, row->keyword, sizeof row->keyword);
  }
  MibFillSupplies(kAgent, &g_session, supplyCount, supplies);
  for (int32_t storage = 0; storage <= 1; ++storage) Free(MibListOverlays(kAgent, &g_session, storage, ListAlloc));
  for (bool deviceLink : {false, true}) Free(MibListProfiles(kAgent, &g_session, deviceLink, ListAlloc));

  g_datagrams = nullptr;
  if (g_blocks != 0) __builtin_trap();  // an answer's memory was not given back
  return 0;
}
