// The job's bytes on their way to the spooler.
#include "drender/job/job_output.h"

#include <windows.h>
#include <winspool.h>

#include "drender/ddi/render_pdev.h"

namespace {

bool SpoolerWrite(void* printer, const void* bytes, uint32_t length, uint32_t* written) {
  DWORD done = 0;
  BOOL ok = WritePrinter(printer, const_cast<void*>(bytes), length, &done);
  *written = done;
  return ok != 0;
}

OutputSink Sink(const RenderPdev* pdev) {
  return OutputSink{&SpoolerWrite, pdev->state.printer, pdev->state.faxCancelled != 0 || pdev->state.authFailed != 0};
}

}  // namespace

uint32_t Rdc_BufferOutput(RenderPdev* pdev, const void* bytes, uint32_t length) {
  if (!Rdc_IsValidPdev(pdev)) return 0;
  return Out_BufferBytes(&pdev->state.output, Sink(pdev), bytes, length);
}

uint32_t Rdc_FlushOutput(RenderPdev* pdev) {
  if (!Rdc_IsValidPdev(pdev)) return 0;
  return Out_Flush(&pdev->state.output, Sink(pdev));
}

uint32_t Rdc_WriteBytes(RenderPdev* pdev, const void* bytes, uint32_t length) {
  if (!Rdc_IsValidPdev(pdev)) return 0;
  TempSpool* spool = pdev->state.captureSpool;
  if (pdev->state.capturing && spool) return Spool_Write(spool, spool->length, bytes, length);
  return Rdc_BufferOutput(pdev, bytes, length);
}
