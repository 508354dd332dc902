// A model record built in memory for the render core's pure tests: papers,
// lists and switches set by the test, without a description file.
#pragma once

#include <cstring>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_checksum.h"

struct TestPaper {
  const char* keyword;
  uint32_t id;
  uint32_t width, length;
  uint32_t margins[4];
};

class TestModel {
 public:
  TestModel() { Rebuild(); }
  TestModel(const TestModel&) = delete;
  TestModel& operator=(const TestModel&) = delete;

  PaperSizeEntry& AddPaper(const TestPaper& p) {
    PaperSizeEntry e{};
    e.size = sizeof e;
    std::strncpy(e.keyword, p.keyword, sizeof e.keyword - 1);
    e.paperId = p.id;
    e.width = p.width;
    e.length = p.length;
    std::memcpy(e.margins, p.margins, sizeof e.margins);
    e.marginsFlag = 1;
    std::snprintf(e.note, sizeof e.note, "%s note", p.keyword);
    papers_.insert(papers_.end() - 1, e);
    Rebuild();
    return papers_[papers_.size() - 2];
  }
  // The device sheet of a listed paper: `sheetKeyword` carries two of its
  // pages, each `pageWidth` by `pageLength`.
  void SetDeviceSheet(uint32_t id, const char* sheetKeyword, uint32_t sheetCode, uint32_t pageWidth,
                      uint32_t pageLength) {
    for (PaperSizeEntry& e : papers_) {
      if (e.paperId != id || !e.keyword[0]) continue;
      e.twoUpValid = 1;
      std::strncpy(e.twoUpKeyword, sheetKeyword, sizeof e.twoUpKeyword - 1);
      e.twoUpValue = sheetCode;
      e.halfWidth = pageWidth;
      e.halfLength = pageLength;
      std::snprintf(e.twoUpText, sizeof e.twoUpText, "%s sheet", sheetKeyword);
    }
    Rebuild();
  }
  PaperSizeEntry* Paper(uint32_t id) {
    for (PaperSizeEntry& e : papers_) {
      if (e.paperId == id && e.keyword[0]) return &e;
    }
    return nullptr;
  }
  ModelInfo* get() { return &model_; }

 private:
  void Rebuild() {
    if (papers_.empty()) papers_.push_back(PaperSizeEntry{});
    model_.papers = papers_.data();
  }
  std::vector<PaperSizeEntry> papers_;
  ModelInfo model_{};
};

// A document settings record with a valid header.
inline DocDMode MakeDoc() {
  DocDMode doc{};
  InitDocDModeHeader(&doc);
  SetDocByte(&doc, kDocOrientationAt, 1);
  return doc;
}

// A4 and Letter with 4.2 mm margins, the custom size and a paper with a
// device sheet.
inline void AddCommonPapers(TestModel& m) {
  m.AddPaper({"A4", 9, 2100, 2970, {42, 42, 42, 42}});
  m.AddPaper({"Letter", 1, 2159, 2794, {42, 42, 42, 42}});
  m.AddPaper({"CustomSize", 256, 0, 0, {50, 50, 50, 50}});
  m.AddPaper({"A3", 8, 2970, 4200, {42, 42, 42, 42}});
}
