// The device overlay forms' list and the text of its stored entries.
#include "dproc/overlay/driver_form_list.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// One comma-separated field from `*at`, at most 259 bytes, into `out`.
void NextField(const char** at, char out[260]) {
  size_t n = 0;
  const char* p = *at;
  while (*p != '\0' && *p != ',') {
    if (n < 259) out[n++] = *p;
    ++p;
  }
  out[n] = '\0';
  *at = *p == ',' ? p + 1 : p;
}

}  // namespace

bool SameDriverFormName(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (Lower(*a) != Lower(*b)) return false;
    if (*a == '\0') return true;
  }
}

void CopyFormText(char* field, size_t bytes, const char* text) {
  size_t n = 0;
  while (text != nullptr && n + 1 < bytes && text[n] != '\0') {
    field[n] = text[n];
    ++n;
  }
  std::memset(field + n, 0, bytes - n);
}

DriverFormNode* FindDriverForm(DriverFormList* list, const char* name, uint32_t location) {
  if (list == nullptr || name == nullptr) return nullptr;
  char cut[kDriverFormNameBytes];
  CopyFormText(cut, sizeof cut, name);
  for (auto& node : list->nodes) {
    if (node->location == location && SameDriverFormName(node->name, cut)) return node.get();
  }
  return nullptr;
}

DriverFormNode* AddDriverForm(DriverFormList* list, const char* name, uint32_t location) {
  if (list == nullptr || FindDriverForm(list, name, location) != nullptr) return nullptr;
  std::unique_ptr<DriverFormNode> node(new (std::nothrow) DriverFormNode{});
  if (!node) return nullptr;
  CopyFormText(node->name, sizeof node->name, name);
  node->location = location;
  DriverFormNode* raw = node.get();
  list->nodes.push_back(std::move(node));
  return raw;
}

bool RemoveDriverForm(DriverFormList* list, DriverFormNode* node) {
  return list != nullptr && RemoveOwnedNode(&list->nodes, node);
}

void ParseDriverFormValue(const char* text, char* name, char* formName, uint32_t* location) {
  char field[260];
  const char* at = text != nullptr ? text : "";
  NextField(&at, field);
  CopyFormText(name, kDriverFormNameBytes, field);
  NextField(&at, field);
  CopyFormText(formName, kDriverFormFormNameBytes, field);
  NextField(&at, field);
  if (IsLetter(field[0])) return;
  field[7] = '\0';
  *location = static_cast<uint32_t>(std::strtoul(field, nullptr, 10));
}

void FormatDriverFormValue(const DriverFormNode& node, char out[260]) {
  std::snprintf(out, 260, "%s,%s,%d", node.name, node.formName, static_cast<int>(node.location));
}
