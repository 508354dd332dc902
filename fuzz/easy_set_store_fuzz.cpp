// The Easy Set stores as the user's registry or a printer's printer data
// hand them back: the concatenated records of the chunks, and the user's
// order values.  The records a walk takes are written and read back the
// same, and their texts go through the settings document as applying them
// would.
//
// Input: a kind byte, the length of an order value (u8), that many UTF-16
// units of it, then the store's bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dproc/easyset/easy_set_list.h"
#include "dproc/easyset/easy_set_records.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint32_t kind = in.Take<uint8_t>() & 1;
  const uint8_t orderUnits = in.Take<uint8_t>();
  std::u16string value;
  for (uint8_t i = 0; i < orderUnits; ++i) value.push_back(in.Take<char16_t>());
  EasySetOrderEntry entry;
  if (ParseEasySetOrderValue(value, &entry) && entry.name[kEasySetNameChars - 1] != 0) std::abort();

  const std::vector<uint8_t> bytes(in.data(), in.data() + in.size());
  EasySetList list;
  const size_t added = AddStoredEasySets(&list, bytes.data(), bytes.size(), kind);
  if (added > (kind == kEasySetShared ? kMaxSharedEasySets : kMaxUserEasySets)) std::abort();
  const std::vector<uint8_t> again = EasySetStoreBytes(list, kind);
  if (again.size() > bytes.size() || (!again.empty() && std::memcmp(again.data(), bytes.data(), again.size()) != 0)) {
    std::abort();
  }
  EasySetList back;
  if (AddStoredEasySets(&back, again.data(), again.size(), kind) != added) std::abort();
  if (list.first != nullptr) {
    if (auto doc = IniDoc_Parse(EasySetText(*list.first))) {
      if (EasySetNode* node = EasySetNodeFromDoc(*doc)) FreeEasySetNode(node);
    }
    if (EasySetNode* fresh = RefreshEasySetText(*list.first)) FreeEasySetNode(fresh);
  }
  EasySetOrderTable order;
  order.count = 1;
  order.entries[0] = entry;
  ApplyEasySetOrder(order, &list);
  FreeEasySetList(&list);
  FreeEasySetList(&back);
  return 0;
}
