// The SNMPv1 messages of the device library's own client: the request it
// sends and the answer it reads back, with the error codes the client
// reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/contracts/snmp_mgmt_api.h"

// Error codes the client leaves as the thread's last error.
inline constexpr uint32_t kSnmpErrorNoMemory = 1;        // session allocation failed
inline constexpr uint32_t kSnmpErrorRequestId = 3;       // five answers with a wrong request id
inline constexpr uint32_t kSnmpErrorCommunity = 5;       // the answer's community differs
inline constexpr uint32_t kSnmpErrorBadFormat = 11;      // an answer element of an unexpected type
inline constexpr uint32_t kSnmpErrorWinsockVersion = 30;
inline constexpr uint32_t kSnmpErrorNoAnswer = 4102;     // no answer after the last send
inline constexpr uint32_t kSnmpErrorTransfer = 0xFFFFFFFFu;  // send or receive failed

inline constexpr int kSnmpMaxAnswerArcs = 32;
inline constexpr size_t kSnmpReceiveBufferSize = 4096;
// At most this many sends of one request: the first and the session's
// retries.
inline constexpr int kSnmpSends = 5;
inline constexpr int kSnmpReceptions = 5;

// SEQUENCE { INTEGER 0, OCTET STRING community (left out when null),
// pdu_type { INTEGER id, INTEGER 0, INTEGER 0, SEQUENCE { one SEQUENCE per
// binding } } }.
std::vector<uint8_t> SnmpEncodeRequest(const char* community, uint8_t pdu_type, int32_t request_id,
                                       const SnmpBindingList& bindings);

// What an answer datagram says.  The value's bytes point into the datagram.
struct SnmpAnswer {
  int32_t request_id;
  int32_t error_status;
  int32_t error_index;
  bool community_matches;
  uint8_t value_tag;
  int32_t number;
  const uint8_t* bytes;
  size_t length;
  uint32_t arcs[kSnmpMaxAnswerArcs];
  size_t arc_count;
};

enum class SnmpDecodeResult { kOk, kWrongRequestId, kBadFormat };

// Reads an answer to the request `expected_id`.  The community is compared
// with `community` (null: empty) by length, then by bytes.  kWrongRequestId:
// the datagram answers another request and is to be dropped.
SnmpDecodeResult SnmpDecodeAnswer(const uint8_t* data, size_t size, const char* community, int32_t expected_id,
                                  SnmpAnswer* answer);

// Memory for the values given to the caller: the client's own allocator.
struct SnmpAllocator {
  SnmpMemAllocProc alloc;
  SnmpMemFreeProc free;
};

// Frees what a value holds (bytes when its dynamic flag is set, an OID's
// arcs) and makes it NULL.
void SnmpReleaseValue(const SnmpAllocator& memory, SnmpAny* value);

// Puts the answer's value into `binding` (its value only; the name stays):
// integers as a number, byte values as an allocated copy with the dynamic
// flag, an OBJECT IDENTIFIER as an allocated arc array.  False when memory
// runs out or the value's type is not one of these; the binding's value is
// then NULL.
bool SnmpStoreAnswerValue(const SnmpAnswer& answer, const SnmpAllocator& memory, SnmpBinding* binding);
