#include "dproc/startup/model_startup_defaults.h"

#include <cstring>

namespace {

const FinishChangeRow kStapleChanges[] = {
    {"OneStapleLeftTop", {0, 0, 0, 0, 1, 110, 4, 110, 0, 0, 0, 0}},
    {"OneStapleRightTop", {1, 111, 3, 111, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"TwoStaplesLeft", {0, 0, 0, 0, 1, 112, 6, 112, 1, 112, 7, 113}},
    {"TwoStaplesRight", {1, 113, 5, 114, 0, 0, 0, 0, 1, 113, 7, 113}},
    {"TwoStaplesTop", {1, 114, 5, 114, 1, 114, 6, 112, 0, 0, 0, 0}},
    {"TwoStaplesCenter", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
};
const FinishChangeRow kHolePunchChanges[] = {
    {"TwoHolesLeft", {0, 0, 0, 0, 1, 112, 5, 121, 1, 112, 6, 124}},
    {"TwoHolesRight", {1, 113, 4, 118, 0, 0, 0, 0, 1, 113, 6, 124}},
    {"TwoHolesTop", {1, 114, 4, 118, 1, 114, 5, 121, 0, 0, 0, 0}},
    {"ThreeHolesLeft", {0, 0, 0, 0, 1, 112, 8, 122, 1, 112, 9, 125}},
    {"ThreeHolesRight", {1, 113, 7, 119, 0, 0, 0, 0, 1, 113, 9, 125}},
    {"ThreeHolesTop", {1, 114, 7, 119, 1, 114, 8, 122, 0, 0, 0, 0}},
    {"FourHolesLeft", {0, 0, 0, 0, 1, 112, 11, 123, 1, 112, 12, 126}},
    {"FourHolesRight", {1, 113, 10, 120, 0, 0, 0, 0, 1, 113, 12, 126}},
    {"FourHolesTop", {1, 114, 10, 120, 1, 114, 11, 123, 0, 0, 0, 0}},
};

template <size_t N>
void ApplyChanges(const FinishChangeRow (&table)[N], FinishPositionItem* list) {
  if (list == nullptr) return;
  for (const FinishChangeRow& change : table) {
    for (FinishPositionItem* row = list; row->keyword[0] != '\0'; ++row) {
      if (strncmp(row->keyword, change.keyword, sizeof row->keyword) != 0) continue;
      std::memcpy(row->feedData, change.data, sizeof row->feedData);
      break;
    }
  }
}

}  // namespace

int FillFinishPositionDefaults(ModelInfo* model) {
  if (model == nullptr || model->features[kMfBindingEdge4] != 0) return 1;
  ApplyChanges(kStapleChanges, model->staples);
  ApplyChanges(kHolePunchChanges, model->holePunches);
  return 1;
}

char16_t g_defaultDialogFace[32] = u"Arial";

void SetDefaultDialogFace(uint32_t modelLanguage) {
  const char16_t* face = modelLanguage == 17 ? u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF" : u"Arial";
  std::memset(g_defaultDialogFace, 0, sizeof g_defaultDialogFace);
  for (size_t i = 0; face[i] != 0 && i + 1 < 32; ++i) g_defaultDialogFace[i] = face[i];
}

TabSettings g_defaultIndexPaper = {};

void FillDefaultIndexPaper(const ModelInfo* model, uint32_t localePaperCode) {
  if (model == nullptr || model->tabPaperSizes == nullptr) return;
  for (const TabPaperSizeItem* row = model->tabPaperSizes; row->keyword[0] != '\0'; ++row) {
    if (row->value != localePaperCode) continue;
    const bool letter = localePaperCode == 1;
    TabSettings paper;
    paper.paperSize = static_cast<int32_t>(localePaperCode);
    paper.width = static_cast<int32_t>(row->first);
    paper.height = static_cast<int32_t>(row->second);
    paper.bodyWidth = static_cast<int32_t>(row->third);
    paper.tabCount = 5;
    paper.topSpace = letter ? 15 : 34;
    paper.bottomSpace = letter ? 15 : 34;
    paper.gap = letter ? 5 : 10;
    paper.charPos = 0;
    std::memcpy(&g_defaultIndexPaper, &paper, sizeof paper);
    return;
  }
}
