// Reads what the paper view shows from the document settings, the model
// record and the session's user papers.
#pragma once

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"
#include "dproc/model/user_paper_list.h"
#include "dproc/preview/paper_view_plan.h"

struct PaperViewSources {
  const ModelInfo* model;
  const DocDMode* doc;
  const UserPaperList* userPapers;  // the session's list, or null
  bool pluginPage;                  // the context is a plug-in page record
  int32_t fitZoom;                  // the automatic zoom ratio of the settings
  // The session's input and output paper lists, which name the print
  // server's forms; null when the session has none.
  const SessionPaperItem* papers = nullptr;
  uint32_t paperCount = 0;
  const SessionPaperItem* outPapers = nullptr;
  uint32_t outPaperCount = 0;
};

PaperViewInputs ReadPaperViewInputs(const PaperViewSources& src);

// The name, size and unit of a paper id for the size label; `output` picks
// the output paper list.  An unknown id gives an empty name.
PaperLabelInput ReadPaperLabel(const PaperViewSources& src, uint32_t paperId, bool output);
