// The built-in SNMP client against a scripted UDP responder on a loopback
// address at port 161 (snmp_responder.py, started by the harness): request
// ids, resends, wrong answers, bad elements.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ddproc/snmp/snmp_lite_client.h"
#include "ddproc/snmp/snmp_message.h"

namespace {

using Bytes = std::vector<uint8_t>;

// One GET of sysObjectID through the built-in client.
struct Get {
  BOOL ok = FALSE;
  DWORD error = 0;
  int32_t status = -1;
  int32_t index = -1;
  uint8_t type = 0;
  int32_t number = 0;
  std::vector<uint8_t> bytes;
  DWORD elapsed_ms = 0;
};

Get GetSysObjectId(void* session) {
  Get get;
  SnmpBindingList list{static_cast<SnmpBinding*>(SnmpLiteMemAlloc(sizeof(SnmpBinding))), 1};
  char oid[] = ".1.3.6.1.2.1.1.2.0";
  EXPECT_TRUE(SnmpLiteStrToOid(oid, &list.list[0].name));
  list.list[0].value.type = kAsnNull;
  SetLastError(0);
  DWORD start = GetTickCount();
  get.ok = SnmpLiteRequest(session, kSnmpPduGetRequest, &list, &get.status, &get.index);
  get.elapsed_ms = GetTickCount() - start;
  get.error = GetLastError();
  const SnmpAny& value = list.list[0].value;
  get.type = value.type;
  if (value.type == kAsnInteger) get.number = value.value.number;
  if (value.type == kAsnOctetString && value.value.string.stream != nullptr) {
    get.bytes.assign(value.value.string.stream, value.value.string.stream + value.value.string.length);
  }
  SnmpLiteVarBindListFree(&list);
  EXPECT_EQ(list.list, nullptr);
  return get;
}

// Sessions with the scripted responder, which the harness starts on a
// loopback address at port 161; the community text names its case.
class SnmpClient : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* address = std::getenv("SNMP_AGENT_SNMP_RESPONDER");
    ASSERT_NE(address, nullptr) << "run through tests/harness/with-snmpd.sh";
    address_ = address;
  }
  // The community must outlive the session.
  void* Open(const char* community, int32_t timeout_ms = 1000) {
    community_ = community;
    void* session = SnmpLiteOpen(address_.data(), community_.data(), timeout_ms, 3);
    EXPECT_NE(session, nullptr) << GetLastError();
    return session;
  }
  // A session of its own, beside one that Open left open.
  Get Ask(const char* community, int32_t timeout_ms = 1000) {
    std::string text = community;
    void* session = SnmpLiteOpen(address_.data(), text.data(), timeout_ms, 3);
    EXPECT_NE(session, nullptr) << GetLastError();
    Get get = GetSysObjectId(session);
    SnmpLiteClose(session);
    return get;
  }
  std::string address_;
  std::string community_;
};

TEST_F(SnmpClient, SendsTheKnownRequestAndCountsIdsUp) {
  void* session = Open("tamrik");
  Get first = GetSysObjectId(session);
  ASSERT_TRUE(first.ok) << first.error;
  EXPECT_EQ(first.type, kAsnInteger);
  EXPECT_EQ(first.number, 42);
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.index, 0);
  Get kept = Ask("lastrequest");
  Bytes expected = {0x30, 0x27, 0x02, 0x01, 0x00, 0x04, 0x06, 't',  'a',  'm',  'r',  'i',  'k',  0xA0,
                    0x1A, 0x02, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x0E, 0x30,
                    0x0C, 0x06, 0x08, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, 0x02, 0x00, 0x05, 0x00};
  EXPECT_EQ(kept.bytes, expected);
  Get second = GetSysObjectId(session);
  SnmpLiteClose(session);
  ASSERT_TRUE(second.ok) << second.error;
  kept = Ask("lastrequest");
  ASSERT_EQ(kept.bytes.size(), 41u);
  EXPECT_EQ(kept.bytes[17], 0x01);
  EXPECT_EQ(kept.bytes[18], 0x02);  // id 258
}

TEST_F(SnmpClient, DropsAnAnswerWithAnotherRequestId) {
  Get get = Ask("wrongid");
  ASSERT_TRUE(get.ok) << get.error;
  EXPECT_EQ(get.number, 2);
}

TEST_F(SnmpClient, FiveWrongIdsEndTheRequest) {
  Get get = Ask("fivewrong");
  EXPECT_FALSE(get.ok);
  EXPECT_EQ(get.error, kSnmpErrorRequestId);
}

TEST_F(SnmpClient, AnotherCommunityStillDeliversTheValue) {
  Get get = Ask("other");
  ASSERT_TRUE(get.ok);
  EXPECT_EQ(get.error, kSnmpErrorCommunity);
  EXPECT_EQ(get.type, kAsnOctetString);
  EXPECT_EQ(get.bytes, (Bytes{'o', 'k'}));
}

// The sessions here have three retries: four sends.
TEST_F(SnmpClient, NoAnswerMeansOneSendPerTryEachWaitingTheTimeOut) {
  Ask("count");  // clears the responder's count
  Get get = Ask("silent", 200);
  EXPECT_FALSE(get.ok);
  EXPECT_EQ(get.error, kSnmpErrorNoAnswer);
  EXPECT_GE(get.elapsed_ms, 4 * 200u - 50u);
  EXPECT_LT(get.elapsed_ms, 4 * 200u + 1500u);
  std::printf("no answer: %lu ms for four sends of 200 ms\n", static_cast<unsigned long>(get.elapsed_ms));
  Get count = Ask("count");
  ASSERT_TRUE(count.ok);
  EXPECT_EQ(count.number, 4);
}

// The session's retry count decides the sends: none, one, and more than the
// client ever sends.
TEST_F(SnmpClient, RetriesOfTheSessionCountTheSends) {
  const struct {
    int32_t retries;
    int32_t sends;
  } cases[] = {{0, 1}, {1, 2}, {-1, 1}, {9, 5}};
  for (const auto& c : cases) {
    Ask("count");
    std::string text = "silent";
    void* session = SnmpLiteOpen(address_.data(), text.data(), 100, c.retries);
    ASSERT_NE(session, nullptr);
    Get get = GetSysObjectId(session);
    SnmpLiteClose(session);
    EXPECT_EQ(get.error, kSnmpErrorNoAnswer) << c.retries;
    Get count = Ask("count");
    ASSERT_TRUE(count.ok);
    EXPECT_EQ(count.number, c.sends) << c.retries;
  }
}

// An answer to another request must not leave the client waiting for ever:
// the next reception waits only for the rest of that send's time-out, and
// the remaining sends follow.
TEST_F(SnmpClient, AfterAnotherRequestsAnswerTheWaitStaysBounded) {
  Ask("count");
  Get get = Ask("wrongthensilent", 200);
  EXPECT_FALSE(get.ok);
  EXPECT_EQ(get.error, kSnmpErrorNoAnswer);
  EXPECT_GE(get.elapsed_ms, 4 * 200u - 50u);
  EXPECT_LT(get.elapsed_ms, 4 * 200u + 1500u);
  Get count = Ask("count");
  ASSERT_TRUE(count.ok);
  EXPECT_EQ(count.number, 4);
}

TEST_F(SnmpClient, UnexpectedElementsAreBadFormat) {
  for (const char* community : {"badpdu", "exception", "badouter", "truncated"}) {
    Get get = Ask(community);
    EXPECT_FALSE(get.ok) << community;
    EXPECT_EQ(get.error, kSnmpErrorBadFormat) << community;
  }
}

char g_community[] = "tamrik";

TEST(SnmpClientOpen, RefusesWhatItCannotUse) {
  SetLastError(0);
  EXPECT_EQ(SnmpLiteOpen(nullptr, g_community, 1000, 1), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(SnmpLiteClose(nullptr));
  char bad[] = "3.6.1";
  SnmpObjectId oid{};
  EXPECT_FALSE(SnmpLiteStrToOid(bad, &oid));
  EXPECT_EQ(oid.arcs, nullptr);
}

}  // namespace
