// The Easy Sets of one sheet session in memory: the list of nodes (the
// built-in Easy Set, the printer's shared ones and the user's own), the
// order the user keeps them in, and the bytes of a store, in which the
// records of one kind are kept concatenated (header, then text) and cut
// into numbered chunks.
//
// A record whose signature or format version is not this driver's never
// enters a list.  Stored bytes are read only as far as whole records go:
// a record whose text runs past the bytes read ends the walk, and so does
// a list that already holds as many Easy Sets of the store's kind as the
// dialogs allow (30 shared, 20 user).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/records/easy_set_record.h"

inline constexpr uint32_t kMaxSharedEasySets = 30;
inline constexpr uint32_t kMaxUserEasySets = 20;
inline constexpr uint32_t kMaxEasySetOrder = 50;
// Chunks of a store: each value at most 16384 bytes, and no more chunks
// than 30 Easy Sets of the largest text a settings document renders need.
inline constexpr uint32_t kEasySetChunkBytes = 16384;
inline constexpr uint32_t kMaxEasySetChunks = 256;
// The longest text one record may carry (bytes).
inline constexpr uint32_t kMaxEasySetTextBytes = 1024 * 1024;

struct EasySetList {
  EasySetNode* first = nullptr;
  EasySetNode* last = nullptr;
  EasySetNode* current = nullptr;  // the Easy Set the settings now equal
};

// A new node holding `header` (its text length set to the text's) and its
// own copy of `textUnits` UTF-16 units; null when memory runs out or the
// text is longer than a record may be.  Free it with FreeEasySetNode.
EasySetNode* NewEasySetNode(const EasySetHeader& header, const char16_t* text, size_t textUnits);
void FreeEasySetNode(EasySetNode* node);
EasySetNode* CopyEasySetNode(const EasySetNode& node);
// The node's text (header.textLength bytes).
std::u16string_view EasySetText(const EasySetNode& node);

// Whether a header names a record of this driver's format.
bool IsEasySetHeaderOfThisFormat(const EasySetHeader& header);

// Appends `node` with `kind`; false (the node untouched, the caller still
// owns it) for a record of another signature or format version.
bool AddEasySet(EasySetList* list, EasySetNode* node, uint32_t kind);
// The first node of that name (exact) and kind.
EasySetNode* FindEasySet(const EasySetList& list, std::u16string_view name, uint32_t kind);
void FreeEasySetList(EasySetList* list);
// Takes `node` out of the list (the caller owns it after).
void UnlinkEasySet(EasySetList* list, EasySetNode* node);
size_t CountEasySets(const EasySetList& list);
size_t CountEasySetsOfKind(const EasySetList& list, uint32_t kind, bool withBuiltIn = true);
std::u16string_view EasySetName(const EasySetHeader& header);

// Fixed-size UTF-16 fields: `text` cut to capacity - 1 units, the rest zero.
void SetEasySetField(char16_t* field, size_t capacity, std::u16string_view text);

// The records of `kind` that are not built-in, in list order, as a store
// keeps them.
std::vector<uint8_t> EasySetStoreBytes(const EasySetList& list, uint32_t kind);
// The number of chunks `bytes` take (0 for none), and chunk `index` (from 0).
uint32_t EasySetChunkCount(size_t bytes);
// Appends the records of stored bytes to the list with `kind`, as far as
// whole records of this format go and the kind's limit allows.  Returns the
// number added.
size_t AddStoredEasySets(EasySetList* list, const uint8_t* bytes, size_t size, uint32_t kind);

// The user's order of the list.
struct EasySetOrderEntry {
  char16_t name[kEasySetNameChars];
  uint32_t kind;  // 0 or 1
};
struct EasySetOrderTable {
  uint32_t count = 0;
  EasySetOrderEntry entries[kMaxEasySetOrder] = {};
};
// One stored order value: "<kind>,<name>"; any kind other than 0 reads as
// 1.  False for a value without a comma.
bool ParseEasySetOrderValue(std::u16string_view value, EasySetOrderEntry* entry);
std::u16string FormatEasySetOrderValue(const EasySetNode& node);
// Rebuilds the list: for each entry the first remaining node of that name
// and kind, then the nodes no entry named in their order.
void ApplyEasySetOrder(const EasySetOrderTable& order, EasySetList* list);
