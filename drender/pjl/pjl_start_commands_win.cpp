// The PJL job header of a PDEV: the PDEV's side of the header (templates
// beside the module, the job's user name from the spooler, the code-page
// conversions and password decipherment of Windows) around the pure walk.
#include "drender/pjl/pjl_start_commands.h"

#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "common/cipher/password_cipher_win.h"
#include "common/qxd/qxd_file.h"
#include "drender/job/job_output.h"
#include "drender/model/render_model.h"
#include "drender/pjl/pjl_expand.h"
#include "drender/pjl/pjl_header_rows.h"
#include "drender/pjl/pjl_model_values.h"
#include "drender/ddi/render_pdev.h"

namespace {

constexpr size_t kUserNameChars = 260;

uint32_t WriteToJob(void* target, const void* bytes, uint32_t length) {
  return Rdc_WriteBytes(static_cast<RenderPdev*>(target), bytes, length);
}

// UTF-16 to UTF-8 or the ANSI code page; at most `size` bytes, terminated
// when shorter.
uint32_t WideToNarrow(const char16_t* text, size_t count, bool utf8, char* out, size_t size) {
  size_t n = 0;
  while (n < count && text[n] != u'\0') ++n;
  if (n == 0 || size == 0) return 0;
  const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
  const auto* wide = reinterpret_cast<const wchar_t*>(text);
  const int needed = WideCharToMultiByte(codePage, 0, wide, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return 0;
  std::unique_ptr<char[]> work(new (std::nothrow) char[static_cast<size_t>(needed)]);
  if (!work) return 0;
  WideCharToMultiByte(codePage, 0, wide, static_cast<int>(n), work.get(), needed, nullptr, nullptr);
  const size_t copy = static_cast<size_t>(needed) < size ? static_cast<size_t>(needed) : size;
  std::memcpy(out, work.get(), copy);
  if (copy < size) out[copy] = '\0';
  return 1;
}

uint32_t AnsiToUtf8(const char* text, char* out, size_t size) {
  wchar_t wide[512] = {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 511);
  if (n <= 1) {
    if (size > 0) out[0] = '\0';
    return 0;
  }
  return WideToNarrow(reinterpret_cast<const char16_t*>(wide), static_cast<size_t>(n - 1), true, out, size);
}

uint32_t Decipher(void* printer, uint8_t* buffer, uint32_t length, uint32_t size, bool aes) {
  if (aes) {
    const int32_t n = DecryptPasswordAes(printer, buffer, length, size);
    return n > 0 ? static_cast<uint32_t>(n) : 0;
  }
  return DecryptPassword(printer, buffer, length, size);
}

// The user of the job: the calling thread's user, or, when the render core
// runs in the spooler's service ("SYSTEM") or Windows gives no name, the
// owner of the spooler job.
void JobUserName(const RenderPdev* pdev, wchar_t name[kUserNameChars]) {
  DWORD chars = kUserNameChars;
  std::memset(name, 0, kUserNameChars * sizeof(wchar_t));
  if (GetUserNameW(name, &chars) && name[0] != L'\0' && wcscmp(name, L"system") != 0 &&
      wcscmp(name, L"SYSTEM") != 0) {
    return;
  }
  std::memset(name, 0, kUserNameChars * sizeof(wchar_t));
  const DWORD job = pdev->state.jobNumber != 0 ? pdev->state.jobNumber : pdev->state.lastJobNumber;
  DWORD needed = 0;
  if (job == 0 || GetJobW(pdev->state.printer, job, 2, nullptr, 0, &needed) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
    return;
  }
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[needed]);
  if (!block || !GetJobW(pdev->state.printer, job, 2, block.get(), needed, &needed)) return;
  const wchar_t* owner = reinterpret_cast<const JOB_INFO_2W*>(block.get())->pUserName;
  if (owner != nullptr) wcsncpy(name, owner, kUserNameChars - 1);  // a longer name is cut to 259
}

RenderPjlState* State(RenderPdev* pdev) { return pdev->tail.pjl; }

}  // namespace

void Pjl_LoadTemplates(RenderPdev* pdev) {
  auto* state = static_cast<RenderPjlState*>(std::calloc(1, sizeof(RenderPjlState)));
  if (state == nullptr) return;
  pdev->tail.pjl = state;
  if (QxdContext* file = QxdOpenBeside(Rdc_Module(), L"VELDRANP.QXD")) {
    Pjl_LoadTemplateSet(file, &state->templates);
    QxdClose(file);
  }
}

void Pjl_FreeTemplates(RenderPdev* pdev) {
  RenderPjlState* state = pdev->tail.pjl;
  if (state == nullptr) return;
  Pjl_FreeTemplateSet(&state->templates);
  std::free(state);
  pdev->tail.pjl = nullptr;
}

void Pjl_MoveJobData(RenderPdev* from, RenderPdev* to) {
  RenderPjlState* a = from->tail.pjl;
  RenderPjlState* b = to->tail.pjl;
  if (a == nullptr || b == nullptr) return;
  b->replayDestination = a->replayDestination;
  std::memcpy(b->driverJobId, a->driverJobId, sizeof b->driverJobId);
  b->haveTimer = a->haveTimer;
  std::memcpy(b->timer, a->timer, sizeof b->timer);
  b->collateCopies = a->collateCopies;
}

namespace {

// The header's view of the job, filled from the PDEV.
void FillJob(RenderPdev* pdev, RenderPjlState* state, PjlJob* job, const wchar_t* userName) {
  const ModelInfo* model = Rdc_Model();
  job->doc = &pdev->state.live->devmode.doc;
  job->device = &pdev->state.live->device;
  job->model = model;
  job->deviceOptions = Rdc_DeviceOptions();
  job->values = Pjl_ModelValues(model);
  job->startCommands = state->templates.startCommands;
  job->colorCommands = pdev->tail.colorCommands;
  job->userName = reinterpret_cast<const char16_t*>(userName);
  job->jobName = reinterpret_cast<const char16_t*>(pdev->state.docName);
  state->driverJobId[kPjlJobIdSize - 1] = '\0';
  job->driverJobId = state->driverJobId;
  job->haveTimer = state->haveTimer;
  std::memcpy(job->timer, state->timer, sizeof job->timer);
  job->fax = pdev->state.engine.fax;
  job->perRecipient = pdev->state.engine.perRecipient != 0;
  job->replayDestination = state->replayDestination;
  job->sheetOrientation = state->sheetOrientation;
  if (const auto* list = static_cast<const InterSheetList*>(pdev->state.interSheetTable)) {
    // The escape that stored the table checked its entries against the
    // block it received; they lie right behind the head.
    job->interSheetEntries = reinterpret_cast<const uint8_t*>(list) + sizeof(InterSheetList);
    job->interSheetCount = list->count;
    job->tabCount = static_cast<uint32_t>(list->tab.tabCount);
  }
  job->write = &WriteToJob;
  job->writeTarget = pdev;
  job->wide = &WideToNarrow;
  job->ansiToUtf8 = &AnsiToUtf8;
  job->decipher = &Decipher;
  job->decipherContext = pdev->state.printer;
}

}  // namespace

uint32_t Pjl_WriteStartCommands(RenderPdev* pdev) {
  if (!Rdc_IsValidPdev(pdev)) return 0;
  RenderPjlState* state = State(pdev);
  if (state == nullptr || state->templates.startCommands == nullptr) return 0;
  wchar_t userName[kUserNameChars];
  JobUserName(pdev, userName);
  std::unique_ptr<PjlJob> job(new (std::nothrow) PjlJob());
  if (!job) return 0;
  FillJob(pdev, state, job.get(), userName);
  const uint32_t rows = Pjl_WalkStartCommands(job.get());
  state->collateCopies = job->collateCopies;
  return rows;
}

uint32_t Pjl_WriteTrailer(RenderPdev* pdev) {
  if (!Rdc_IsValidPdev(pdev)) return 0;
  RenderPjlState* state = State(pdev);
  if (state == nullptr) return 0;
  const CommandTemplateRow* row = Pjl_FindRow(state->templates.endCommands, "Trailer");
  if (row == nullptr || row->entries == nullptr) return 0;
  const uint32_t at = Pjl_FindEntry(row->entries, "EndJob");
  if (row->entries[at].name[0] == '\0') return 0;
  std::unique_ptr<PjlJob> job(new (std::nothrow) PjlJob());
  if (!job) return 0;
  wchar_t noUser[1] = {L'\0'};
  FillJob(pdev, state, job.get(), noUser);
  return Pjl_ExpandTemplate(job.get(), row->entries[at].text);
}
