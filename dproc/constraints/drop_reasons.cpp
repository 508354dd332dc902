#include "dproc/constraints/drop_reasons.h"

#include <new>

#include "dproc/constraints/hint_text.h"

namespace {

DropReasonNode* g_reasons = nullptr;

}  // namespace

DropReasonNode* FindDropReason(uint32_t controlId, uint32_t optionValue) {
  for (DropReasonNode* n = g_reasons; n != nullptr; n = n->next) {
    if (n->controlId == controlId && n->optionValue == optionValue) return n;
  }
  return nullptr;
}

bool AppendDropReason(uint32_t controlId, uint32_t optionValue, const char16_t* line) {
  DropReasonNode* node = FindDropReason(controlId, optionValue);
  if (node == nullptr) {
    node = new (std::nothrow) DropReasonNode{};
    if (node == nullptr) return false;
    node->controlId = controlId;
    node->optionValue = optionValue;
    node->text = node->buffer;
    node->next = g_reasons;
    g_reasons = node;
  }
  AppendHintLine(node->text, kDropReasonUnits, line);
  return true;
}

void FreeDropReasons() {
  while (g_reasons != nullptr) {
    DropReasonNode* next = g_reasons->next;
    delete g_reasons;
    g_reasons = next;
  }
}
