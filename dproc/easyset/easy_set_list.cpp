#include "dproc/easyset/easy_set_list.h"

#include <cstdlib>
#include <cstring>

#include "common/records/stored_counts.h"

namespace {

uint32_t LimitOf(uint32_t kind) { return kind == kEasySetShared ? kMaxSharedEasySets : kMaxUserEasySets; }

void Append(EasySetList* list, EasySetNode* node) {
  node->prev = list->last;
  node->next = nullptr;
  if (list->last != nullptr) {
    list->last->next = node;
  } else {
    list->first = node;
  }
  list->last = node;
}

}  // namespace

EasySetNode* NewEasySetNode(const EasySetHeader& header, const char16_t* text, size_t textUnits) {
  if (textUnits > kMaxEasySetTextBytes / sizeof(char16_t) || (text == nullptr && textUnits != 0)) return nullptr;
  const size_t textBytes = textUnits * sizeof(char16_t);
  auto* node = static_cast<EasySetNode*>(std::calloc(1, sizeof(EasySetNode) + textBytes + sizeof(char16_t)));
  if (node == nullptr) return nullptr;
  node->header = header;
  node->header.textLength = static_cast<uint32_t>(textBytes);
  node->text = reinterpret_cast<char16_t*>(node + 1);
  if (textBytes != 0) std::memcpy(node->text, text, textBytes);
  return node;
}

void FreeEasySetNode(EasySetNode* node) { std::free(node); }

EasySetNode* CopyEasySetNode(const EasySetNode& node) {
  EasySetNode* copy = NewEasySetNode(node.header, node.text, node.header.textLength / sizeof(char16_t));
  if (copy == nullptr) return nullptr;
  copy->builtIn = node.builtIn;
  copy->kind = node.kind;
  return copy;
}

std::u16string_view EasySetText(const EasySetNode& node) {
  return std::u16string_view(node.text, node.header.textLength / sizeof(char16_t));
}

bool IsEasySetHeaderOfThisFormat(const EasySetHeader& header) {
  return std::memcmp(header.signature, kEasySetSignature, sizeof header.signature) == 0 &&
         header.formatVersion == kEasySetFormatVersion;
}

bool AddEasySet(EasySetList* list, EasySetNode* node, uint32_t kind) {
  if (list == nullptr || node == nullptr || !IsEasySetHeaderOfThisFormat(node->header)) return false;
  node->kind = kind == kEasySetShared ? kEasySetShared : kEasySetUser;
  Append(list, node);
  return true;
}

std::u16string_view EasySetName(const EasySetHeader& header) {
  size_t n = 0;
  while (n < kEasySetNameChars && header.name[n] != 0) ++n;
  return std::u16string_view(header.name, n);
}

EasySetNode* FindEasySet(const EasySetList& list, std::u16string_view name, uint32_t kind) {
  for (EasySetNode* node = list.first; node != nullptr; node = node->next) {
    if (node->kind == kind && EasySetName(node->header) == name) return node;
  }
  return nullptr;
}

void FreeEasySetList(EasySetList* list) {
  if (list == nullptr) return;
  for (EasySetNode* node = list->first; node != nullptr;) {
    EasySetNode* next = node->next;
    FreeEasySetNode(node);
    node = next;
  }
  *list = EasySetList{};
}

void UnlinkEasySet(EasySetList* list, EasySetNode* node) {
  if (node->prev != nullptr) node->prev->next = node->next; else list->first = node->next;
  if (node->next != nullptr) node->next->prev = node->prev; else list->last = node->prev;
  if (list->current == node) list->current = nullptr;
  node->prev = node->next = nullptr;
}

size_t CountEasySets(const EasySetList& list) {
  size_t n = 0;
  for (const EasySetNode* node = list.first; node != nullptr; node = node->next) ++n;
  return n;
}

size_t CountEasySetsOfKind(const EasySetList& list, uint32_t kind, bool withBuiltIn) {
  size_t n = 0;
  for (const EasySetNode* node = list.first; node != nullptr; node = node->next) {
    if (node->kind == kind && (withBuiltIn || node->builtIn == 0)) ++n;
  }
  return n;
}

void SetEasySetField(char16_t* field, size_t capacity, std::u16string_view text) {
  if (capacity == 0) return;
  const size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
  std::memset(field, 0, capacity * sizeof(char16_t));
  if (n != 0) std::memcpy(field, text.data(), n * sizeof(char16_t));
}

std::vector<uint8_t> EasySetStoreBytes(const EasySetList& list, uint32_t kind) {
  std::vector<uint8_t> bytes;
  for (const EasySetNode* node = list.first; node != nullptr; node = node->next) {
    if (node->kind != kind || node->builtIn != 0) continue;
    const auto* head = reinterpret_cast<const uint8_t*>(&node->header);
    bytes.insert(bytes.end(), head, head + sizeof node->header);
    const auto* text = reinterpret_cast<const uint8_t*>(node->text);
    bytes.insert(bytes.end(), text, text + node->header.textLength);
  }
  return bytes;
}

uint32_t EasySetChunkCount(size_t bytes) {
  return static_cast<uint32_t>((bytes + kEasySetChunkBytes - 1) / kEasySetChunkBytes);
}

size_t AddStoredEasySets(EasySetList* list, const uint8_t* bytes, size_t size, uint32_t kind) {
  if (list == nullptr || bytes == nullptr) return 0;
  size_t added = 0;
  size_t at = 0;
  while (size - at >= sizeof(EasySetHeader)) {
    if (CountEasySetsOfKind(*list, kind, false) >= LimitOf(kind)) break;
    EasySetHeader header;
    std::memcpy(&header, bytes + at, sizeof header);
    at += sizeof header;
    // A text of odd length, or one running past the bytes read, is no
    // whole record.
    if (header.textLength % sizeof(char16_t) != 0 || header.textLength > size - at) break;
    if (!IsEasySetHeaderOfThisFormat(header)) break;
    std::vector<char16_t> text(header.textLength / sizeof(char16_t));
    if (!text.empty()) std::memcpy(text.data(), bytes + at, header.textLength);
    at += header.textLength;
    EasySetNode* node = NewEasySetNode(header, text.data(), text.size());
    if (node == nullptr) break;
    if (!AddEasySet(list, node, kind)) {
      FreeEasySetNode(node);
      break;
    }
    ++added;
  }
  return added;
}

bool ParseEasySetOrderValue(std::u16string_view value, EasySetOrderEntry* entry) {
  const size_t comma = value.find(u',');
  if (comma == std::u16string_view::npos || entry == nullptr) return false;
  // The kind is a decimal number; anything other than 0 is a user Easy Set.
  uint64_t kind = 0;
  bool digits = false;
  for (size_t i = 0; i < comma; ++i) {
    const char16_t c = value[i];
    if (c == u' ' && !digits) continue;
    if (c < u'0' || c > u'9') break;
    digits = true;
    kind = kind * 10 + (c - u'0');
    if (kind > 1) kind = 1;
  }
  *entry = EasySetOrderEntry{};
  entry->kind = kind == 0 ? kEasySetShared : kEasySetUser;
  SetEasySetField(entry->name, kEasySetNameChars, value.substr(comma + 1));
  return true;
}

std::u16string FormatEasySetOrderValue(const EasySetNode& node) {
  std::u16string text = node.kind == kEasySetShared ? u"0," : u"1,";
  text += EasySetName(node.header);
  return text;
}

void ApplyEasySetOrder(const EasySetOrderTable& order, EasySetList* list) {
  if (list == nullptr) return;
  EasySetList ordered;
  ordered.current = list->current;
  const uint32_t count = Store_CapCount(order.count, kMaxEasySetOrder);
  for (uint32_t i = 0; i < count; ++i) {
    const EasySetOrderEntry& e = order.entries[i];
    size_t n = 0;
    while (n < kEasySetNameChars && e.name[n] != 0) ++n;
    EasySetNode* node = FindEasySet(*list, std::u16string_view(e.name, n), e.kind == 0 ? 0 : 1);
    if (node == nullptr) continue;
    UnlinkEasySet(list, node);
    Append(&ordered, node);
  }
  while (list->first != nullptr) {
    EasySetNode* node = list->first;
    UnlinkEasySet(list, node);
    Append(&ordered, node);
  }
  *list = ordered;
}
