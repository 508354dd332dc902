// What the document-event tests put around the user interface core: a
// render core that answers the private escapes from a job record built from
// the shared layout and logs every escape, libraries whose functions the
// test scripts by name, a fixed clock and adapter, and logs of the job
// cancel, AbortDoc and message boxes.  One harness at a time; it installs
// itself as the core's event services and puts the system's back when it
// ends.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/records/fax_send_block.h"
#include "common/records/settings_records.h"
#include "duicore/events/event_services_win.h"

namespace eventtest {

struct EscapeCall {
  uint32_t code;
  std::vector<uint8_t> in;
  int outSize;
};

class EventHarness {
 public:
  EventHarness();
  ~EventHarness();
  EventHarness(const EventHarness&) = delete;
  EventHarness& operator=(const EventHarness&) = delete;

  // The render core's side.
  std::vector<uint8_t> record;  // the job record handed out
  DocDMode& Doc();
  DevOption& Option();
  void SetPage(uint32_t width, uint32_t height, uint32_t counter, uint16_t logical);
  std::set<uint32_t> failing;   // escape codes that fail
  bool faxHeld = false;
  std::vector<uint8_t> fax;     // the fax block stored by the escape
  uint32_t faxCancelled = 0, authRefused = 0;
  std::vector<EscapeCall> escapes;
  std::vector<uint32_t> Codes() const;
  const EscapeCall* Find(uint32_t code, size_t nth = 0) const;
  // Sends everything on to another render core instead (null: answer here).
  int (*forward)(void* ctx, int code, int inSize, const void* in, int outSize, void* out) = nullptr;
  void* forwardCtx = nullptr;

  // Libraries: a name listed here loads (as the test program's own module,
  // or from `realPath` when given); `functions` answer the binds.
  std::map<std::wstring, std::wstring> libraries;  // file name -> real path ("" = scripted only)
  std::map<std::string, FARPROC> functions;
  std::vector<std::wstring> loads;

  SYSTEMTIME local{2026, 3, 4, 5, 9, 29, 0, 0};   // Thursday 5 March 2026, 09:29 local
  SYSTEMTIME utc{2026, 3, 4, 5, 8, 29, 7, 321};
  bool hasAdapter = false;
  uint8_t adapter[6] = {};
  DWORD windowsMajor = 6;
  std::vector<std::pair<std::wstring, DWORD>> cancelledJobs;
  int abortDocs = 0;
  struct Box {
    std::wstring text, caption;
    UINT style;
  };
  std::vector<Box> boxes;
  std::deque<int> boxAnswers;

  static EventHarness* Current();

 private:
  EventServices services_;
  const EventServices* previous_;
};

// Binds a function for the scripted libraries.
template <typename Fn>
FARPROC Proc(Fn fn) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(fn));
}

// The records of an enhanced metafile, as the tests' independent reader
// walks them (tests/support/emf_records.h).
struct EmfText {
  POINTL reference;
  std::wstring text;
};
struct EmfFont {
  LOGFONTW font;
};
struct EmfContent {
  std::vector<EmfFont> fonts;
  std::vector<EmfText> texts;
  std::vector<std::vector<POINTL>> polylines;
  std::vector<COLORREF> textColors;
  std::vector<LONG> penWidths;
  int rectangles = 0;
  int bitmaps = 0;
  std::vector<RECTL> bitmapRects;
};
EmfContent DecodeEmf(HENHMETAFILE metafile);

}  // namespace eventtest
