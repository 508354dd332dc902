#include "duicore/tests/event_harness_win.h"

#include <cstring>

#include "common/contracts/private_escapes.h"
#include "common/records/job_record.h"
#include "tests/support/emf_records.h"

namespace eventtest {
namespace {

EventHarness* g_current = nullptr;

void Put32(std::vector<uint8_t>& r, uint32_t at, uint32_t v) { std::memcpy(r.data() + at, &v, 4); }

int Escape(HDC, int code, int inSize, const void* in, int outSize, void* out) {
  EventHarness& h = *g_current;
  EscapeCall call{static_cast<uint32_t>(code), {}, outSize};
  if (in != nullptr && inSize > 0) {
    const auto* bytes = static_cast<const uint8_t*>(in);
    call.in.assign(bytes, bytes + inSize);
  }
  h.escapes.push_back(call);
  if (h.forward != nullptr) return h.forward(h.forwardCtx, code, inSize, in, outSize, out);
  if (h.failing.count(static_cast<uint32_t>(code)) != 0) return 0;
  switch (static_cast<uint32_t>(code)) {
    case kEscGetJobData:
      if (out == nullptr || static_cast<uint32_t>(outSize) < kJobRecordSize) return 0;
      std::memcpy(out, h.record.data(), kJobRecordSize);
      return 1;
    case kEscSetFaxData:
      if (inSize < static_cast<int>(sizeof(FaxSendBlock))) return 0;
      if (!h.faxHeld) h.fax = call.in;
      h.faxHeld = true;
      return 1;
    case kEscGetFaxData:
      if (out == nullptr || outSize < static_cast<int>(sizeof(FaxSendBlock))) return 0;
      if (h.faxHeld) std::memcpy(out, h.fax.data(), sizeof(FaxSendBlock));
      return 1;
    case kEscFaxCancelled:
      h.faxCancelled = 1;
      return 1;
    case kEscAuthResult:
      h.authRefused = 1;
      return 1;
    case kEscQueryDrop1:
      if (out == nullptr || outSize < 4) return 0;
      std::memcpy(out, &h.faxCancelled, 4);
      return 1;
    case kEscQueryDrop2:
      if (out == nullptr || outSize < 4) return 0;
      std::memcpy(out, &h.authRefused, 4);
      return 1;
    case kEscSetPrivateArea:
      if (inSize < static_cast<int>(sizeof(DocDMode))) return 0;
      std::memcpy(h.record.data() + kJobRecordDocAt, in, sizeof(DocDMode));
      return 1;
    case kEscSetDevOption:
      if (inSize < static_cast<int>(sizeof(DevOption))) return 0;
      std::memcpy(h.record.data() + kJobRecordDevOptionAt, in, sizeof(DevOption));
      return 1;
    default:
      return 1;
  }
}

HMODULE Load(const wchar_t* name) {
  EventHarness& h = *g_current;
  h.loads.push_back(name);
  auto it = h.libraries.find(name);
  if (it == h.libraries.end()) return nullptr;
  if (!it->second.empty()) return LoadLibraryW(it->second.c_str());
  return GetModuleHandleW(nullptr);
}

void Free(HMODULE module) {
  if (module != GetModuleHandleW(nullptr)) FreeLibrary(module);
}

FARPROC Bind(HMODULE module, const char* name) {
  EventHarness& h = *g_current;
  auto it = h.functions.find(name);
  if (it != h.functions.end()) return it->second;
  if (module != GetModuleHandleW(nullptr)) return GetProcAddress(module, name);
  return nullptr;
}

void Local(SYSTEMTIME* out) { *out = g_current->local; }
void Utc(SYSTEMTIME* out) { *out = g_current->utc; }
bool Adapter(uint8_t out[6]) {
  if (!g_current->hasAdapter) return false;
  std::memcpy(out, g_current->adapter, 6);
  return true;
}
bool Cancel(const wchar_t* printer, DWORD job) {
  g_current->cancelledJobs.push_back({printer, job});
  return true;
}
int Abort(HDC) {
  ++g_current->abortDocs;
  return 1;
}
int ShowBox(HWND, const wchar_t* text, const wchar_t* caption, UINT style) {
  EventHarness& h = *g_current;
  h.boxes.push_back({text, caption, style});
  if (h.boxAnswers.empty()) return IDOK;
  const int answer = h.boxAnswers.front();
  h.boxAnswers.pop_front();
  return answer;
}
DWORD Major() { return g_current->windowsMajor; }

}  // namespace

EventHarness::EventHarness() : record(kJobRecordSize, 0) {
  g_current = this;
  services_ = {Escape, Load, Free, Bind, Local, Utc, Adapter, Cancel, Abort, ShowBox, Major};
  previous_ = SetEventServices(&services_);
  const uint16_t marker = kJobRecordMarker;
  std::memcpy(record.data(), &marker, 2);
  Put32(record, kJobRecordSizeAt, kJobRecordSize);
}

EventHarness::~EventHarness() {
  SetEventServices(previous_);
  g_current = nullptr;
}

EventHarness* EventHarness::Current() { return g_current; }

DocDMode& EventHarness::Doc() { return *reinterpret_cast<DocDMode*>(record.data() + kJobRecordDocAt); }
DevOption& EventHarness::Option() { return *reinterpret_cast<DevOption*>(record.data() + kJobRecordDevOptionAt); }

void EventHarness::SetPage(uint32_t width, uint32_t height, uint32_t counter, uint16_t logical) {
  Put32(record, kJobRecordPageWidthAt, width);
  Put32(record, kJobRecordPageHeightAt, height);
  Put32(record, kJobRecordPageCounterAt, counter);
  std::memcpy(record.data() + kJobRecordLogicalPageAt, &logical, 2);
}

std::vector<uint32_t> EventHarness::Codes() const {
  std::vector<uint32_t> out;
  for (const EscapeCall& c : escapes) out.push_back(c.code);
  return out;
}

const EscapeCall* EventHarness::Find(uint32_t code, size_t nth) const {
  for (const EscapeCall& c : escapes) {
    if (c.code == code && nth-- == 0) return &c;
  }
  return nullptr;
}

EmfContent DecodeEmf(HENHMETAFILE metafile) {
  using namespace testsupport;
  EmfContent out;
  const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
  std::vector<uint8_t> bits(size);
  GetEnhMetaFileBits(metafile, size, bits.data());
  WalkEmf(bits, [&](const EmfRecord& r) {
    switch (r.type) {
      case kEmrExtCreateFontIndirectW: {
        EmfFont f{};
        if (r.Has(12, sizeof(LOGFONTW))) std::memcpy(&f.font, r.bytes + 12, sizeof(LOGFONTW));
        out.fonts.push_back(f);
        break;
      }
      case kEmrExtTextOutW: {
        const EmfTextRun run = ReadEmfTextRun(r);
        if (!run.valid) break;
        out.texts.push_back(EmfText{POINTL{run.x, run.y}, std::wstring(run.text.begin(), run.text.end())});
        break;
      }
      case kEmrPolyline:
      case kEmrPolyline16: {
        const bool small = r.type == kEmrPolyline16;
        const uint32_t count = r.U32(24);
        if (!r.Has(28, size_t(count) * (small ? 4 : 8))) break;
        std::vector<POINTL> points;
        for (uint32_t i = 0; i < count; ++i) {
          points.push_back(small ? POINTL{r.I16(28 + 4 * i), r.I16(30 + 4 * i)}
                                 : POINTL{r.I32(28 + 8 * i), r.I32(32 + 8 * i)});
        }
        out.polylines.push_back(points);
        break;
      }
      case kEmrStretchDiBits: {
        ++out.bitmaps;
        const LONG x = r.I32(24), y = r.I32(28);
        out.bitmapRects.push_back({x, y, x + r.I32(72), y + r.I32(76)});
        break;
      }
      case kEmrSetTextColor:
        out.textColors.push_back(r.U32(8));
        break;
      case kEmrCreatePen:
      case kEmrExtCreatePen:
        out.penWidths.push_back(ReadEmfPen(r).width);
        break;
      case kEmrFillRgn:
      case kEmrRectangle:
      case kEmrBitBlt:
        ++out.rectangles;
        break;
      default:
        break;
    }
  });
  return out;
}

}  // namespace eventtest
