// The driver's list of device overlay forms: the forms stored on the device
// that the user registered, each by its name on the device, its overlay
// form name and the location (a value of the "OvlForm_Location" options)
// where the device keeps it.  Two entries are the same form when their
// names match without regard to case and their locations are equal; a list
// never holds two such entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

inline constexpr size_t kDriverFormNameBytes = 41;      // at most 40 bytes and a NUL
inline constexpr size_t kDriverFormFormNameBytes = 64;  // at most 63 bytes and a NUL

// Unlinks and frees `node` from a list of owned nodes; false when it is
// missing or not in the list.
template <typename Node>
bool RemoveOwnedNode(std::vector<std::unique_ptr<Node>>* nodes, Node* node) {
  if (nodes == nullptr || node == nullptr) return false;
  for (auto it = nodes->begin(); it != nodes->end(); ++it) {
    if (it->get() == node) {
      nodes->erase(it);
      return true;
    }
  }
  return false;
}

struct DriverFormNode {
  char name[kDriverFormNameBytes];
  char formName[kDriverFormFormNameBytes];
  uint32_t onDevice;    // 1 when the device reported the form while the manager was open
  uint32_t registered;  // 1 when it belongs to the driver's list (only these are stored)
  uint32_t location;
};

struct DriverFormList {
  void* key = nullptr;  // the open store key (the Windows layer's)
  std::vector<std::unique_ptr<DriverFormNode>> nodes;
};

// Names compared as the device compares them: ASCII letters without regard to case.
bool SameDriverFormName(const char* a, const char* b);
// The node of that form, or null.
DriverFormNode* FindDriverForm(DriverFormList* list, const char* name, uint32_t location);
// A new node at the end: the name cut to 40 bytes, the form name empty, both
// flags 0.  Null when the form is already listed (or without a list).
DriverFormNode* AddDriverForm(DriverFormList* list, const char* name, uint32_t location);
// Unlinks and frees the node; false when either is missing.
bool RemoveDriverForm(DriverFormList* list, DriverFormNode* node);
// Copies `text` into a field of `bytes` bytes, cut to bytes - 1.
void CopyFormText(char* field, size_t bytes, const char* text);

// A stored entry "name,form name,location": the name cut to 40 bytes, the
// form name to 63, the location the decimal value of the first 7
// characters of the third field; a third field starting with a letter keeps
// `*location` (the entry before's).  Fields run to the next comma or the end.
void ParseDriverFormValue(const char* text, char* name, char* formName, uint32_t* location);
// The stored text of a registered node, at most 259 bytes and a NUL.
void FormatDriverFormValue(const DriverFormNode& node, char out[260]);
