// Where each feature's value lives: the keyword to field map of the document
// settings and the device option record, the field-name table of the
// settings file, and the binding of the runtime feature table's rows to
// their fields at the start of every constraint pass.
#pragma once

#include <cstdint>

#include "common/records/doc_fields.h"
#include "dproc/model/feature_table.h"
#include "common/qxd/model_info.h"
#include "dproc/model/user_paper_list.h"

// --- Field names of the settings file.
enum DocFieldNameKind : uint8_t { kNameByte, kNameI16, kNameU16, kNameU32, kNameText, kNameWideText };
struct DocFieldName {
  const char* name;     // "nOrientation", "sizPaper.cx", "FaxSetting.szSendID", ...
  uint32_t offset;      // in DocDMode
  DocFieldNameKind kind;
  uint32_t size;        // bytes
};
// Every named field in record order, ended by a row with a null name.
const DocFieldName* DocFieldNames();
const DocFieldName* FindDocFieldName(const char* name);

// --- Binding.
struct BindFieldsContext {
  FeatureEntry* table;
  DocDMode* doc;                          // null: no document field is bound
  DevOption* device;                      // null: no device setting is bound
  const DeviceOptionItem* deviceOptions;  // the model's device option list
  const ModelInfo* model;
  int passMode;                           // -1 the normal constraint pass
  int paperDialogMode;                    // 1 while the automatic-tray paper dialog is open
  UserPaperEntry* selectedUserPaper;      // set in the user paper dialog for a change of a control
};

// Binds every row's field pointer and storage kind, and the available flag
// of the device settings.
void BindFeatureFields(const BindFieldsContext& ctx);

// Reads and writes a bound value by its storage kind.
int32_t ReadFeatureValue(const FeatureEntry& row);
void WriteFeatureValue(const FeatureEntry& row, int32_t value);
