// Stored byte ranges as user streams.
#include "drender/job/stored_stream.h"

#include <cstring>

#include "drender/pclxl/pclxl_ops.h"

uint32_t Xl_CopySpoolRange(XlEncoder* enc, TempSpool* spool, uint32_t offset, uint32_t length, uint8_t* buffer,
                           uint32_t bufferSize) {
  if (length == 0) return 1;
  if (spool == nullptr || buffer == nullptr || bufferSize == 0) return 0;
  while (length > 0) {
    const uint32_t piece = length < bufferSize ? length : bufferSize;
    uint32_t got = 0;
    if (!Spool_Read(spool, offset, buffer, piece, &got) || got != piece) return 0;
    if (!XL_WriteRaw(enc, buffer, piece)) return 0;
    offset += piece;
    length -= piece;
  }
  return 1;
}

uint32_t Xl_WriteStoredStream(XlEncoder* enc, const PageStoreEntry* entry, const char* name, uint8_t* buffer,
                              uint32_t bufferSize) {
  if (entry == nullptr || name == nullptr) return 0;
  const uint32_t length = entry->length;
  if (length > 0xFFFFFFFFu - kStoredStreamHeaderSize) return 0;
  const uint32_t total = length + kStoredStreamHeaderSize;
  const auto* nameBytes = reinterpret_cast<const uint8_t*>(name);
  if (!XlOp_BeginStream(enc, XlUByteArray{nameBytes, static_cast<uint32_t>(std::strlen(name))})) return 0;
  XL_GroupStart(enc);
  XL_GroupUInt32(enc, total);
  XL_GroupAttr(enc, XLA_STREAM_DATA_LENGTH);
  XL_GroupOperator(enc, XlOp::ReadStream);
  if (!XL_GroupSend(enc)) return 0;
  if (!XL_EmbeddedHeader(enc, total, XL_EMBED_LONG)) return 0;
  if (!XL_WriteRaw(enc, kStoredStreamHeader, kStoredStreamHeaderSize)) return 0;
  if (!Xl_CopySpoolRange(enc, entry->spool, entry->offset, length, buffer, bufferSize)) return 0;
  return XlOp_EndStream(enc);
}
