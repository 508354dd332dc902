#include "duicore/sheets/sheet_pages.h"

#include "common/contracts/sheet_procedures.h"
#include "duicore/module/os_version_class.h"

namespace {

constexpr SheetPageRow kDocumentPages[] = {
    {171, kPrcDocFaxProc},   {100, kPrcDocPaper1Proc},  {101, kPrcDocPaper2Proc},
    {104, kPrcDocWOProc},    {106, kPrcDocVersionProc},
};
constexpr SheetPageRow kDevicePages[] = {
    {177, kPrcPrnDeviceOptionProc},
    {184, kPrcPrnSettingsProc},
};

struct TitleRow {
  uint32_t templateId;
  SheetTitleKey key;
};
constexpr TitleRow kTitles[] = {
    {100, {"Property_1", "Prop_Basic"}},
    {101, {"Property_2", "Prop_Layout"}},
    {102, {"Property_10", "Prop_Configure"}},  {156, {"Property_10", "Prop_Configure"}},
    {177, {"Property_10", "Prop_Configure"}},
    {104, {"Property_4", "Prop_WatermarksForms"}},  {190, {"Property_4", "Prop_WatermarksForms"}},
    {105, {"Property_6", "Prop_Quality"}},     {196, {"Property_6", "Prop_Quality"}},
    {2531, {"Property_6", "Prop_Quality"}},
    {106, {"Property_7", "Prop_Version"}},
    {107, {"Property_11", "Prop_Settings"}},   {157, {"Property_11", "Prop_Settings"}},
    {184, {"Property_11", "Prop_Settings"}},
    {109, {"Property_12", "Prop_Finisher"}},   {110, {"Property_12", "Prop_Finisher"}},
    {112, {"Property_3", "Prop_CoverPage"}},   {113, {"Property_3", "Prop_CoverPage"}},
    {2288, {"Property_3", "Prop_CoverPage"}},
    {161, {"Property_13", "Prop_Initialize"}},
    {171, {"Property_FAX", "Prop_Fax"}},
};

}  // namespace

const SheetPageRow* SheetPagesOfMode(int32_t mode, size_t* count) {
  if (mode >= 0 && mode <= 2) {
    *count = sizeof kDocumentPages / sizeof kDocumentPages[0];
    return kDocumentPages;
  }
  if (mode == 3) {
    *count = sizeof kDevicePages / sizeof kDevicePages[0];
    return kDevicePages;
  }
  *count = 0;
  return nullptr;
}

bool SheetTitleKeyOf(uint32_t templateId, SheetTitleKey* out) {
  for (const TitleRow& row : kTitles) {
    if (row.templateId == templateId) {
      *out = row.key;
      return true;
    }
  }
  return false;
}

int32_t DocumentSessionMode(const DocumentRequest& request) {
  constexpr uint32_t kAdvanced = 0x10;
  constexpr uint32_t kUserDefault = 0x40;
  if ((request.mode & kAdvanced) != 0) return 1;
  if ((request.mode & kUserDefault) != 0) return 2;
  if (request.osClass == kOsClassWindows2000 && request.callerIsShell && request.sameDevModes &&
      request.outSize == 0) {
    return 2;
  }
  return 0;
}

void CopyPageTitle(const char16_t* text, char16_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  size_t i = 0;
  if (text != nullptr) {
    for (; i + 1 < capacity && text[i] != u'\0'; ++i) out[i] = text[i];
  }
  out[i] = u'\0';
}
