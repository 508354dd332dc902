// The model values of the PJL header.
#include "drender/pjl/pjl_model_values.h"

#include "drender/model/model_features.h"

PjlModelValues Pjl_ModelValues(const ModelInfo* model) {
  PjlModelValues v{};
  v.cipherOutput = 1;  // enciphered values travel as hexadecimal text
  if (model == nullptr) return v;
  const uint32_t* f = model->features;
  v.commandFamily = f[kMfPjlVersion] == 1 ? 1 : 2;
  v.cipherMethod = model->machineEncryption;
  v.encryptionKeyEnabled = f[kMfEncryptionKey] != 0;
  v.edgeType = f[kMfEdgeType] != 0;
  v.paperOption1 = f[kMfPaperOption1] != 0;
  v.printPosition = f[kMfPrintPosition] != 0;
  v.deviceImageShift = f[kMfImageShiftSwitchSetup] != 0;
  v.perTrayMedia = f[kMfPaperSourceTraySetting] != 0;
  v.paperArrangement = model->paperArrangements != nullptr;
  v.glossyMode = f[kMfGlossyMode] != 0;
  v.headerFooterStamps = f[kMfHeaderFooter] != 0;
  v.dateStampWithoutHeaderFooter = f[kMfDateTimePage] != 0;
  v.interimAuthentication = f[kMfInterimAuthentic] != 0;
  v.perPagePunch = f[kMfPpsPunchSetting] != 0;
  v.tabSheetsArePages = f[kMfPpsTabPaper] != 0;
  v.driverBooklet = Rdc_GetModelValue(model, kModelDriverBooklet) != 0;
  v.driverImageShift = Rdc_GetModelValue(model, kModelDriverImageShift) != 0;
  v.driverFrontCover = Rdc_GetModelValue(model, kModelDriverFrontCover) != 0;
  v.driverBackCover = Rdc_GetModelValue(model, kModelDriverBackCover) != 0;
  v.driverOhp = Rdc_GetModelValue(model, kModelDriverOhp) != 0;
  // A department's access number: kept by the device when it tracks
  // accounts, but not when departments go by name and password.
  v.accessNumberA = Rdc_GetModelValue(model, kModelAccountTrack) != 0;
  v.accessNumberB = Rdc_GetModelValue(model, kModelMultiDepartment) != 0;
  v.languageId = model->languageId;
  return v;
}
