// The built-in SNMPv1 client over Windows Sockets 1.1.
#include <winsock2.h>
#include <windows.h>

#include <cstring>
#include <new>
#include <vector>

#include "ddproc/snmp/oid_text.h"
#include "ddproc/snmp/snmp_lite_client.h"
#include "ddproc/snmp/snmp_message.h"

namespace {

struct SnmpLiteSession {
  SOCKET socket;
  sockaddr_in agent;
  const char* community;  // the caller's text, which outlives the session
  int32_t timeout_ms;
  int32_t retries;
  int32_t request_counter;
  uint8_t buffer[kSnmpReceiveBufferSize];
};

// Stops Windows Sockets and frees the session, keeping `error` as the
// thread's last error.
void* FailOpen(SnmpLiteSession* session, bool started, DWORD error) {
  if (session->socket != INVALID_SOCKET) closesocket(session->socket);
  if (started) WSACleanup();
  LocalFree(session);
  SetLastError(error);
  return nullptr;
}

// Waits until a datagram (or an error) is waiting, at most until `deadline`.
// 1 readable, 0 time is up, -1 failure.
int WaitReadable(SOCKET socket, ULONGLONG deadline) {
  ULONGLONG now = GetTickCount64();
  ULONGLONG left = deadline > now ? deadline - now : 0;
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval wait;
  wait.tv_sec = static_cast<long>(left / 1000);
  wait.tv_usec = static_cast<long>((left % 1000) * 1000);
  int r = select(0, &readable, nullptr, nullptr, &wait);
  if (r == SOCKET_ERROR) return -1;
  return r > 0 ? 1 : 0;
}

}  // namespace

void* SNMP_API_CALL SnmpLiteMemAlloc(uint32_t bytes) { return LocalAlloc(LPTR, bytes); }

void SNMP_API_CALL SnmpLiteMemFree(void* memory) {
  if (memory != nullptr) LocalFree(memory);
}

void SNMP_API_CALL SnmpLiteOidFree(SnmpObjectId* oid) {
  if (oid == nullptr) return;
  SnmpLiteMemFree(oid->arcs);
  oid->arcs = nullptr;
  oid->count = 0;
}

void SNMP_API_CALL SnmpLiteVarBindFree(SnmpBinding* binding) {
  if (binding == nullptr) return;
  SnmpLiteOidFree(&binding->name);
  SnmpAny value;
  std::memcpy(&value, &binding->value, sizeof(value));
  SnmpReleaseValue(SnmpAllocator{SnmpLiteMemAlloc, SnmpLiteMemFree}, &value);
  std::memcpy(&binding->value, &value, sizeof(value));
}

void SNMP_API_CALL SnmpLiteVarBindListFree(SnmpBindingList* list) {
  if (list == nullptr || list->list == nullptr) return;
  for (uint32_t i = 0; i < list->count; ++i) SnmpLiteVarBindFree(&list->list[i]);
  SnmpLiteMemFree(list->list);
  list->list = nullptr;
  list->count = 0;
}

void* SNMP_API_CALL SnmpLiteOpen(char* agent, char* community, int32_t timeout_ms, int32_t retries) {
  if (agent == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* session = static_cast<SnmpLiteSession*>(LocalAlloc(LPTR, sizeof(SnmpLiteSession)));
  if (session == nullptr) {
    SetLastError(kSnmpErrorNoMemory);
    return nullptr;
  }
  session->socket = INVALID_SOCKET;
  WSADATA data;
  int started = WSAStartup(MAKEWORD(1, 1), &data);
  if (started != 0) return FailOpen(session, false, static_cast<DWORD>(started));
  if (data.wVersion != MAKEWORD(1, 1)) return FailOpen(session, true, kSnmpErrorWinsockVersion);
  session->socket = socket(AF_INET, SOCK_DGRAM, 0);
  if (session->socket == INVALID_SOCKET) return FailOpen(session, true, static_cast<DWORD>(WSAGetLastError()));
  session->agent.sin_family = AF_INET;
  session->agent.sin_port = htons(161);
  unsigned long address = inet_addr(agent);
  if (address == INADDR_NONE) {
    hostent* host = gethostbyname(agent);
    if (host == nullptr || host->h_addrtype != AF_INET || host->h_addr_list == nullptr ||
        host->h_addr_list[0] == nullptr) {
      DWORD error = static_cast<DWORD>(WSAGetLastError());
      return FailOpen(session, true, error != 0 ? error : static_cast<DWORD>(WSAHOST_NOT_FOUND));
    }
    std::memcpy(&address, host->h_addr_list[0], sizeof(address));
  }
  session->agent.sin_addr.s_addr = address;
  if (connect(session->socket, reinterpret_cast<sockaddr*>(&session->agent), sizeof(session->agent)) ==
      SOCKET_ERROR) {
    return FailOpen(session, true, static_cast<DWORD>(WSAGetLastError()));
  }
  session->community = community;
  session->timeout_ms = timeout_ms;
  session->retries = retries;
  session->request_counter = 256;
  return session;
}

int32_t SNMP_API_CALL SnmpLiteClose(void* handle) {
  auto* session = static_cast<SnmpLiteSession*>(handle);
  if (session == nullptr) return 1;
  DWORD error = GetLastError();
  if (session->socket != INVALID_SOCKET) closesocket(session->socket);
  WSACleanup();
  LocalFree(session);
  SetLastError(error);
  return 1;
}

int32_t SNMP_API_CALL SnmpLiteRequest(void* handle, uint8_t pdu_type, SnmpBindingList* bindings,
                                      int32_t* error_status, int32_t* error_index) {
  auto* session = static_cast<SnmpLiteSession*>(handle);
  if (session == nullptr || bindings == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int32_t id = ++session->request_counter;
  std::vector<uint8_t> message;
  try {
    message = SnmpEncodeRequest(session->community, pdu_type, id, *bindings);
  } catch (const std::bad_alloc&) {
    SetLastError(kSnmpErrorNoMemory);
    return 0;
  }
  const ULONGLONG wait_ms = session->timeout_ms > 0 ? static_cast<ULONGLONG>(session->timeout_ms) : 0;
  // The session's retries: a device that does not answer costs the time-out
  // once per send, the first send and each retry.
  const int sends = session->retries <= 0 ? 1 : session->retries >= kSnmpSends ? kSnmpSends : session->retries + 1;
  int wrong_ids = 0;
  for (int send_count = 0; send_count < sends; ++send_count) {
    if (send(session->socket, reinterpret_cast<const char*>(message.data()), static_cast<int>(message.size()), 0) ==
        SOCKET_ERROR) {
      SetLastError(kSnmpErrorTransfer);
      return 0;
    }
    // Every reception is preceded by a wait that ends with this send's
    // time-out, also after a datagram that answered another request.
    ULONGLONG deadline = GetTickCount64() + wait_ms;
    for (;;) {
      int ready = WaitReadable(session->socket, deadline);
      if (ready < 0) {
        SetLastError(kSnmpErrorTransfer);
        return 0;
      }
      if (ready == 0) break;  // send again
      int received = recv(session->socket, reinterpret_cast<char*>(session->buffer), sizeof(session->buffer), 0);
      if (received == SOCKET_ERROR) {
        SetLastError(kSnmpErrorTransfer);
        return 0;
      }
      SnmpAnswer answer;
      SnmpDecodeResult result = SnmpDecodeAnswer(session->buffer, static_cast<size_t>(received),
                                                 session->community, id, &answer);
      if (result == SnmpDecodeResult::kWrongRequestId) {
        if (++wrong_ids >= kSnmpReceptions) {
          SetLastError(kSnmpErrorRequestId);
          return 0;
        }
        continue;
      }
      if (result == SnmpDecodeResult::kBadFormat) {
        SetLastError(kSnmpErrorBadFormat);
        return 0;
      }
      if (bindings->list != nullptr && bindings->count > 0) {
        SnmpAllocator memory{SnmpLiteMemAlloc, SnmpLiteMemFree};
        if (!SnmpStoreAnswerValue(answer, memory, &bindings->list[0])) {
          SetLastError(kSnmpErrorNoMemory);
          return 0;
        }
      }
      if (error_status != nullptr) *error_status = answer.error_status;
      if (error_index != nullptr) *error_index = answer.error_index;
      if (!answer.community_matches) SetLastError(kSnmpErrorCommunity);
      return 1;
    }
  }
  SetLastError(kSnmpErrorNoAnswer);
  return 0;
}

int32_t SNMP_API_CALL SnmpLiteStrToOid(char* text, SnmpObjectId* oid) {
  if (oid == nullptr) return 0;
  oid->count = 0;
  oid->arcs = nullptr;
  uint32_t arcs[kOidTextMaxArcs];
  size_t count = 0;
  if (!ParseOidText(text, arcs, &count)) return 0;
  auto* copy = static_cast<uint32_t*>(SnmpLiteMemAlloc(static_cast<uint32_t>(count * sizeof(uint32_t))));
  if (copy == nullptr) return 0;
  std::memcpy(copy, arcs, count * sizeof(uint32_t));
  oid->arcs = copy;
  oid->count = static_cast<uint32_t>(count);
  return 1;
}

void SnmpLiteFillTable(SnmpApiTable* table) {
  table->mem_alloc = SnmpLiteMemAlloc;
  table->mem_free = SnmpLiteMemFree;
  table->oid_free = SnmpLiteOidFree;
  table->var_bind_free = SnmpLiteVarBindFree;
  table->var_bind_list_free = SnmpLiteVarBindListFree;
  table->open = SnmpLiteOpen;
  table->close = SnmpLiteClose;
  table->request = SnmpLiteRequest;
  table->str_to_oid = SnmpLiteStrToOid;
}
