#include <string>
#include <utility>
#include <vector>

#include "tools/qxd/qxd_document.h"

namespace qxd {

namespace {

template <typename Row, typename KeyOf>
void OverlayRows(std::vector<Row>* base, const std::vector<Row>& overlay, KeyOf keyOf) {
  for (const Row& row : overlay) {
    bool replaced = false;
    for (Row& old : *base) {
      if (keyOf(old) != keyOf(row)) continue;
      old = row;
      replaced = true;
      break;
    }
    if (!replaced) base->push_back(row);
  }
}

}  // namespace

void OverlayDocument(Document* base, const Document& overlay) {
  for (const Section& section : overlay.sections) {
    Section* old = nullptr;
    for (Section& s : base->sections) {
      if (s.name == section.name) old = &s;
    }
    if (old == nullptr) {
      base->sections.push_back(section);
    } else if (old->kind == section.kind && section.kind == SectionKind::Pairs) {
      OverlayRows(&old->pairs, section.pairs, [](const std::pair<std::string, std::string>& p) { return p.first; });
    } else if (old->kind == section.kind && section.kind == SectionKind::Texts) {
      OverlayRows(&old->items, section.items, [](const Item& i) { return i.key; });
    } else {
      *old = section;
    }
  }
}

}  // namespace qxd
