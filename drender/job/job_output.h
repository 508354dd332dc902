// The single write path of every byte of a job, and the flush of its
// output buffer to the spooler.
#pragma once

#include <cstdint>

struct RenderPdev;

// While the job is captured, appends to the capture spool; otherwise hands
// the bytes to the output buffer.  1 on success, 0 on failure.
uint32_t Rdc_WriteBytes(RenderPdev* pdev, const void* bytes, uint32_t length);
uint32_t Rdc_BufferOutput(RenderPdev* pdev, const void* bytes, uint32_t length);
uint32_t Rdc_FlushOutput(RenderPdev* pdev);
