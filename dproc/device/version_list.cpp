#include "dproc/device/version_list.h"

std::u16string VersionListText(const VersionRow* rows, size_t count, int* tabStop) {
  std::u16string list;
  size_t longest = 0;
  for (size_t i = 0; rows != nullptr && i < count; ++i) {
    if (rows[i].text == nullptr || rows[i].text[0] == 0) continue;
    const std::u16string text(rows[i].text);
    if (text.size() > longest) longest = text.size();
    if (!list.empty()) list += u"\r\n";
    list += text + u"\t: " + (rows[i].value != nullptr ? rows[i].value : u"");
  }
  if (list.size() > kVersionListUnits) list.resize(kVersionListUnits);
  if (tabStop != nullptr) *tabStop = static_cast<int>(longest) * 4 + 4;
  return list;
}
