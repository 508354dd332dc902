#include "dproc/basic/user_paper_rules.h"

#include <cstdlib>
#include <cstring>

#include "common/text/safe_format.h"

namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool SameName(const char16_t* a, size_t aUnits, const char16_t* b, size_t bUnits) {
  size_t i = 0;
  for (; i < aUnits && i < bUnits; ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
    if (a[i] == 0) return true;
  }
  const char16_t restA = i < aUnits ? a[i] : 0;
  const char16_t restB = i < bUnits ? b[i] : 0;
  return restA == 0 && restB == 0;
}

template <typename Row>
bool InModelList(const Row* rows, const char16_t* name) {
  for (const Row* row = rows; row != nullptr && row->size != 0 && row->keyword[0] != '\0';
       row = reinterpret_cast<const Row*>(reinterpret_cast<const uint8_t*>(row) + row->size)) {
    if (SameName(row->name, 48, name, 20)) return true;
  }
  return false;
}

}  // namespace

int UserPaperDisplayKind(uint16_t unit, bool sizeFigure) {
  if (unit == 1) return sizeFigure ? 4 : 3;
  return sizeFigure ? 2 : 1;
}

void FormatUserPaperListText(const UserPaperEntry& e, int kind, char16_t* out, size_t capacity) {
  char16_t name[20] = {};
  std::memcpy(name, e.name, sizeof name);
  name[19] = 0;
  const int32_t w = e.width, l = e.length;
  auto whole = [](int32_t t, int32_t scale) { return SafeFormatArg::WholePart(t / scale, t < 0); };
  auto part = [](int32_t t, int32_t scale) { return SafeFormatArg::Number(std::abs(t % scale)); };
  if (kind == 1) {
    const SafeFormatArg args[] = {SafeFormatArg::Text(name), SafeFormatArg::Number((w + 500) / 1000),
                                  SafeFormatArg::Number((l + 500) / 1000)};
    SafeFormat(u"%s\t(%d x %dmm)", args, 3, out, capacity);
    return;
  }
  const char16_t* format = kind == 2 ? u"%s\t(%d.%01d x %d.%01dmm)"
                                     : (kind == 3 ? u"%s\t(%d.%02d x %d.%02dinch)" : u"%s\t(%d.%03d x %d.%03dinch)");
  const int32_t scale = kind == 2 ? 10 : (kind == 3 ? 100 : 1000);
  auto shown = [kind](int32_t v) {
    if (kind == 2) return (v + 50) / 100;
    if (kind == 3) return (v + 127) / 254;
    return (v * 10 + 127) / 254;
  };
  const int32_t tw = shown(w), tl = shown(l);
  const SafeFormatArg args[] = {SafeFormatArg::Text(name), whole(tw, scale), part(tw, scale), whole(tl, scale),
                                part(tl, scale)};
  SafeFormat(format, args, 5, out, capacity);
}

uint16_t LowestFreeUserPaperId(const UserPaperList& list) {
  const uint32_t count = UserPaperCount(&list);
  for (uint16_t id = 512; id <= 522; ++id) {
    bool used = false;
    for (uint32_t i = 0; i < count && !used; ++i) used = static_cast<uint16_t>(list.entries[i].paperId) == id;
    if (!used) return id;
  }
  return 0;
}

bool IsUserPaperNameUnique(const char16_t* name, const UserPaperList& list, uint32_t self,
                           const UserPaperList& stored, const ModelInfo* model,
                           const std::vector<const char16_t*>& spoolerForms) {
  if (name == nullptr || name[0] == 0) return false;
  if (model != nullptr && (InModelList(model->papers, name) || InModelList(model->outPapers, name))) return false;
  const uint32_t count = UserPaperCount(&list);
  for (uint32_t i = 0; i < count; ++i) {
    if (i != self && SameName(list.entries[i].name, 20, name, 20)) return false;
  }
  for (const char16_t* form : spoolerForms) {
    if (form == nullptr || !SameName(form, 64, name, 20)) continue;
    // A form of one of the list's own names (its entry's form) is no clash.
    bool own = false;
    for (uint32_t i = 0; i < UserPaperCount(&stored) && !own; ++i) own = SameName(stored.entries[i].name, 20, form, 64);
    if (!own) return false;
  }
  return true;
}

void SanitizeUserPaperList(UserPaperList* list) {
  if (list == nullptr) return;
  const uint32_t count = UserPaperCount(list);
  list->count = static_cast<int16_t>(count);
  for (uint32_t i = 0; i < kUserPaperMaxEntries; ++i) {
    if (i >= count) {
      std::memset(&list->entries[i], 0, sizeof list->entries[i]);
    } else {
      list->entries[i].name[19] = 0;
    }
  }
}
