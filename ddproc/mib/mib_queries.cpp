#include "ddproc/mib/mib_queries.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ddproc/mib/mib_tables.h"
#include "ddproc/snmp/oid_text.h"
#include "common/text/bounded_text.h"

namespace {

bool IsIntegerType(uint8_t type) {
  return type == kAsnInteger || type == kAsnCounter32 || type == kAsnGauge32 || type == kAsnTimeTicks ||
         type == kAsnUInteger32;
}

bool IsTextType(uint8_t type) {
  return type == kAsnBitString || type == kAsnOctetString || type == kAsnSequence || type == kAsnIpAddress ||
         type == kAsnOpaque;
}

bool Answered(const MibAnswer& a) { return a.error_status == 0 && a.error_index == 0; }

// A GET whose text answer goes to `out` (empty for an error status or a
// value that is not text); false only when the GET failed.
bool MibGetString(const SnmpApiTable& api, void* session, const char* oid, const char* suffix, char* out,
                  size_t out_size) {
  MibAnswer answer;
  out[0] = '\0';
  if (!MibGet(api, session, oid, suffix, &answer)) return false;
  if (Answered(answer) && IsTextType(answer.type)) CopyText(out, out_size, answer.text);
  return true;
}

// A GET of an integer; *is_integer tells whether the answer is one.
bool MibGetInteger(const SnmpApiTable& api, void* session, const char* oid, const char* suffix, int32_t* value,
                   bool* is_integer, bool* unanswered = nullptr) {
  MibAnswer answer;
  *value = 0;
  *is_integer = false;
  if (!MibGet(api, session, oid, suffix, &answer, unanswered)) return false;
  if (Answered(answer) && IsIntegerType(answer.type)) {
    *value = answer.number;
    *is_integer = true;
  }
  return true;
}

void IndexSuffix(int32_t index, char (&suffix)[16]) { std::snprintf(suffix, sizeof(suffix), ".%d", index); }

}  // namespace

bool MibGet(const SnmpApiTable& api, void* session, const char* oid, const char* suffix, MibAnswer* answer,
            bool* unanswered) {
  std::memset(answer, 0, sizeof(*answer));
  char text[256];
  size_t oid_length = std::strlen(oid);
  size_t suffix_length = std::strlen(suffix);
  if (oid_length + suffix_length > 255) return false;
  std::memcpy(text, oid, oid_length);
  std::memcpy(text + oid_length, suffix, suffix_length + 1);

  SnmpBindingList list{};
  list.list = static_cast<SnmpBinding*>(api.mem_alloc(sizeof(SnmpBinding)));
  if (list.list == nullptr) return false;
  list.count = 1;
  SnmpBinding* binding = list.list;
  SnmpObjectId name{};
  if (!api.str_to_oid(text, &name)) {
    api.var_bind_list_free(&list);
    return false;
  }
  binding->name = name;
  binding->value.type = kAsnNull;
  int32_t status = 0;
  int32_t index = 0;
  const bool requested = api.request(session, kSnmpPduGetRequest, &list, &status, &index) != 0;
  bool ok = requested;
  if (ok && list.list != nullptr && list.count > 0) {
    const SnmpAny& value = list.list[0].value;
    answer->error_status = status;
    answer->error_index = index;
    answer->type = value.type;
    if (IsIntegerType(value.type)) {
      answer->number = value.value.number;
    } else if (IsTextType(value.type) || value.type == kAsnNull) {
      SnmpOctets bytes = value.value.string;
      size_t n = bytes.stream != nullptr ? bytes.length : 0;
      if (n > 255) n = 255;
      if (n > 0) std::memcpy(answer->text, bytes.stream, n);
      answer->text[n] = '\0';
    } else if (value.type == kAsnObjectId) {
      SnmpObjectId object = value.value.object;
      size_t n = object.arcs != nullptr ? object.count : 0;
      if (n > 128) n = 128;
      if (n > 0) std::memcpy(answer->arcs, object.arcs, n * sizeof(uint32_t));
      answer->arc_count = n;
    }
  } else {
    if (!requested && unanswered != nullptr) *unanswered = true;
    ok = false;
  }
  api.var_bind_list_free(&list);
  return ok;
}

bool MibCompareValue(int32_t compare, const char* expected, const MibAnswer& answer) {
  switch (compare) {
    case kMibCompareAnswered:
      return answer.error_status == 0;
    case kMibCompareInteger: {
      if (!Answered(answer) || !IsIntegerType(answer.type)) return false;
      errno = 0;
      char* end = nullptr;
      long long want = std::strtoll(expected, &end, 10);
      if (end == expected || errno != 0) return false;
      long long got = answer.type == kAsnInteger ? static_cast<long long>(answer.number)
                                                 : static_cast<long long>(static_cast<uint32_t>(answer.number));
      return got == want;
    }
    case kMibCompareString:
      return Answered(answer) && IsTextType(answer.type) && std::strcmp(answer.text, expected) == 0;
    case kMibCompareOid:
      return Answered(answer) && answer.type == kAsnObjectId &&
             OidEqualsText(answer.arcs, answer.arc_count, expected);
    default:
      return false;
  }
}

bool MibQueryOptionValue(const SnmpApiTable& api, void* session, const MibOptionKey& key, char* out,
                         size_t out_size, bool* unanswered, bool* answered) {
  for (int32_t i = 0; i < key.row_count; ++i) {
    const MibOptionRow& row = key.rows[i];
    if (row.oid[0] == '\0') {
      CopyText(out, out_size, row.value);
      return true;
    }
    if (row.index_suffix[0] == '\0') return false;
    MibAnswer answer;
    if (!MibGet(api, session, row.oid, row.index_suffix, &answer, unanswered)) return false;
    if (answered != nullptr) *answered = true;
    if (MibCompareValue(row.compare, row.expected, answer)) {
      CopyText(out, out_size, row.value);
      return true;
    }
  }
  return false;
}

void MibFillOptions(const SnmpApiTable& api, void* session, int32_t count, DevOptionEntry* entries) {
  bool unanswered = false;
  bool answered = false;
  for (int32_t i = 0; i < count; ++i) {
    DevOptionEntry& entry = entries[i];
    std::memset(entry.value, 0, sizeof(entry.value));
    if (unanswered) continue;
    char keyword[sizeof(entry.keyword) + 1];
    std::memcpy(keyword, entry.keyword, sizeof(entry.keyword));
    keyword[sizeof(entry.keyword)] = '\0';
    const MibOptionKey* key = FindMibOptionKey(keyword);
    if (key == nullptr) continue;
    char value[260];
    if (MibQueryOptionValue(api, session, *key, value, sizeof(value), &unanswered, &answered)) {
      CopyText(entry.value, sizeof(entry.value), value);
    }
  }
  // A device that answered nothing: the fallbacks taken before it was
  // asked say nothing about it either.
  if (unanswered && !answered) {
    for (int32_t i = 0; i < count; ++i) std::memset(entries[i].value, 0, sizeof(entries[i].value));
  }
}

bool MibSupplyLevelFromValues(const MibSupplyRow& row, int32_t maximum, int32_t level, SupplyLevelEntry* out) {
  if (row.kind == static_cast<int32_t>(kSupplyPercent)) {
    int32_t percent;
    if (maximum > 0) {
      // level * 100 / maximum, rounded half away from zero.
      long long product = static_cast<long long>(level) * 100;
      long long half = maximum / 2;
      long long q = product >= 0 ? (product + half) / maximum : -((-product + half) / maximum);
      if (q < 0 || q > 100) return false;
      percent = static_cast<int32_t>(q);
    } else {
      percent = level > 0 ? 100 : 0;
    }
    out->kind = kSupplyPercent;
    out->level = percent;
    out->colour = row.colour;
    return true;
  }
  if (row.kind == static_cast<int32_t>(kSupplyState)) {
    bool flag = row.state_flag != 0;
    int32_t state;
    if (level == 0) {
      state = flag ? 4 : 1;
    } else if (level == 1) {
      state = flag ? 3 : 2;
    } else if (level == -3 || level >= 2) {
      state = 5;
    } else {
      state = 0;
    }
    out->kind = kSupplyState;
    out->level = state;
    out->colour = 0;
    return true;
  }
  return false;
}

namespace {

bool MibQuerySupplyLevel(const SnmpApiTable& api, void* session, const MibSupplyRow& row, SupplyLevelEntry* out,
                         bool* unanswered) {
  if (row.kind == static_cast<int32_t>(kSupplyNotMeasured)) {
    out->kind = kSupplyNotMeasured;
    out->level = 0;
    out->colour = 0;
    return true;
  }
  if (row.kind != static_cast<int32_t>(kSupplyPercent) && row.kind != static_cast<int32_t>(kSupplyState)) {
    return false;
  }
  const MibOidText* oids = MibSupplyOids();
  int32_t maximum = 0;
  int32_t level = 0;
  bool is_integer = false;
  if (!MibGetInteger(api, session, oids[0], row.index_suffix, &maximum, &is_integer, unanswered) || !is_integer) {
    return false;
  }
  if (!MibGetInteger(api, session, oids[1], row.index_suffix, &level, &is_integer, unanswered) || !is_integer) {
    return false;
  }
  return MibSupplyLevelFromValues(row, maximum, level, out);
}

}  // namespace

bool MibFillSupplies(const SnmpApiTable& api, void* session, int32_t count, SupplyLevelEntry* entries) {
  bool unanswered = false;
  for (int32_t i = 0; i < count; ++i) {
    SupplyLevelEntry& entry = entries[i];
    entry.kind = 0;
    entry.level = 0;
    entry.colour = 0;
    char keyword[sizeof(entry.keyword) + 1];
    std::memcpy(keyword, entry.keyword, sizeof(entry.keyword));
    keyword[sizeof(entry.keyword)] = '\0';
    const MibSupplyRow* row = FindMibSupplyRow(keyword);
    if (row == nullptr) return false;
    if (row->kind == static_cast<int32_t>(kSupplyNotQueried) || unanswered) continue;
    SupplyLevelEntry result = entry;
    if (MibQuerySupplyLevel(api, session, *row, &result, &unanswered)) {
      entry.kind = result.kind;
      entry.level = result.level;
      entry.colour = result.colour;
    }
  }
  return true;
}

namespace {

// Whether the integer at filter.oid + suffix is one of the filter's values;
// false in *ok when the GET failed.
bool FilterAccepts(const SnmpApiTable& api, void* session, const MibValueFilter& filter, const char* suffix,
                   bool* ok) {
  for (int32_t v = 0; v < filter.value_count; ++v) {
    int32_t value = 0;
    bool is_integer = false;
    if (!MibGetInteger(api, session, filter.oid, suffix, &value, &is_integer)) {
      *ok = false;
      return false;
    }
    if (is_integer && value == filter.values[v]) return true;
  }
  return false;
}

const char* CodeKeyword(const MibCodeName* list, size_t count, int32_t code) {
  for (size_t i = 0; i < count; ++i) {
    if (list[i].code == code) return list[i].keyword;
  }
  return nullptr;
}

}  // namespace

DeviceFormList* MibListOverlays(const SnmpApiTable& api, void* session, int32_t storage, MibListAlloc alloc) {
  if (storage != 0 && storage != 1) return nullptr;
  const MibOvlOids& oids = MibOverlayOids();
  std::vector<DeviceFormItem> items;
  for (int32_t i = 1; i <= kMibWalkLimit; ++i) {
    char suffix[16];
    IndexSuffix(i, suffix);
    char file[128];
    if (!MibGetString(api, session, oids.column3, suffix, file, sizeof(file))) return nullptr;
    if (file[0] == '\0') break;
    bool ok = true;
    bool accepted = FilterAccepts(api, session, oids.selector[storage], suffix, &ok);
    if (!ok) return nullptr;
    if (!accepted) continue;
    DeviceFormItem item{};
    if (!MibGetString(api, session, oids.column4, suffix, item.name, sizeof(item.name))) return nullptr;
    CopyText(item.file, sizeof(item.file), file);
    CopyText(item.storage, sizeof(item.storage), oids.storage_keyword);
    items.push_back(item);
  }
  size_t bytes = sizeof(DeviceFormList) + items.size() * sizeof(DeviceFormItem);
  auto* list = static_cast<DeviceFormList*>(alloc(bytes));
  if (list == nullptr) return nullptr;
  list->count = static_cast<uint32_t>(items.size());
  list->items = reinterpret_cast<DeviceFormItem*>(list + 1);
  if (!items.empty()) std::memcpy(list->items, items.data(), items.size() * sizeof(DeviceFormItem));
  return list;
}

DeviceProfileList* MibListProfiles(const SnmpApiTable& api, void* session, bool use_device_link_profile,
                                   MibListAlloc alloc) {
  const MibProfOids& oids = MibProfileOids();
  std::vector<DeviceProfileItem> lists[3];
  for (int32_t i = 1; i <= kMibWalkLimit; ++i) {
    char suffix[16];
    IndexSuffix(i, suffix);
    DeviceProfileItem item{};
    if (!MibGetString(api, session, oids.column4, suffix, item.name, sizeof(item.name))) return nullptr;
    if (item.name[0] == '\0') break;
    bool in_category[3] = {false, false, false};
    bool any = false;
    for (int c = 0; c < 3; ++c) {
      bool ok = true;
      in_category[c] = FilterAccepts(api, session, oids.categories[c], suffix, &ok);
      if (!ok) return nullptr;
      any = any || in_category[c];
    }
    if (!any) continue;
    if (!MibGetString(api, session, oids.column3, suffix, item.file, sizeof(item.file))) return nullptr;
    int32_t location = 0;
    int32_t colour_space = 0;
    bool is_integer = false;
    if (!MibGetInteger(api, session, oids.column2, suffix, &location, &is_integer)) return nullptr;
    const char* location_keyword = is_integer ? CodeKeyword(oids.locations, 5, location) : nullptr;
    if (!MibGetInteger(api, session, oids.colour_space, suffix, &colour_space, &is_integer)) return nullptr;
    const char* colour_keyword = is_integer ? CodeKeyword(oids.colour_spaces, 2, colour_space) : nullptr;
    if (!use_device_link_profile) {
      int32_t kind = 0;
      if (!MibGetInteger(api, session, oids.column5, suffix, &kind, &is_integer)) return nullptr;
      if (is_integer && kind == 4) continue;
    }
    if (location_keyword == nullptr || colour_keyword == nullptr) continue;
    CopyText(item.location, sizeof(item.location), location_keyword);
    item.colour_space = colour_space;
    for (int c = 0; c < 3; ++c) {
      if (in_category[c]) lists[c].push_back(item);
    }
  }
  size_t total = lists[0].size() + lists[1].size() + lists[2].size();
  auto* list = static_cast<DeviceProfileList*>(alloc(sizeof(DeviceProfileList) + total * sizeof(DeviceProfileItem)));
  if (list == nullptr) return nullptr;
  auto* next = reinterpret_cast<DeviceProfileItem*>(list + 1);
  for (int c = 0; c < 3; ++c) {
    list->category[c].count = static_cast<uint32_t>(lists[c].size());
    list->category[c].items = next;
    if (!lists[c].empty()) std::memcpy(next, lists[c].data(), lists[c].size() * sizeof(DeviceProfileItem));
    next += lists[c].size();
  }
  return list;
}
