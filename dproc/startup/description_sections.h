// The start-up reading of the main description file: every section the
// procedure library takes at start-up, in the order it takes them.  The
// Windows layer (description_loader_win.h) opens the file, builds the model
// record, hands over what needs its surroundings and keeps the lists.
#pragma once

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_records.h"
#include "dproc/model/disp_strings.h"
#include "dproc/startup/startup_settings.h"

// What the reading needs of its surroundings.
struct DescriptionReadEnv {
  // Completes the default document settings from the file, with the font
  // library's list where there is one.
  void (*loadDefaultSettings)(void* context, QxdContext* ctx, const ModelInfo* model, const char* localePaper,
                              DocDMode* record);
  void* context;
  AnsiToWideFn toWide;
};

// What the reading fills: the default settings records (set back to their
// built-in state first), the message tables, and the lists it makes (owned
// by the caller afterwards).
struct DescriptionReadTargets {
  DocDMode* defaults;
  DevOption* builtInDevice;
  MessageTables* messages;
  DeviceOptionItem* deviceOptions;  // out
  MediaTypeLists* mediaTypeLists;   // out
};

void ReadDescriptionSections(QxdContext* ctx, ModelInfo* model, const char* localePaper, const DescriptionReadEnv& env,
                             DescriptionReadTargets* targets);
