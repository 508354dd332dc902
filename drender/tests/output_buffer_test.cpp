// Output buffer: gathering, write-through, drop and failure rules.
#include "drender/job/output_buffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A spooler that records every call and can be told to fail or stall.
struct FakeSpooler {
  std::vector<uint32_t> calls;  // length asked in each call
  std::vector<uint8_t> received;
  int failAtCall = -1;          // this call (0-based) fails
  int stallAtCall = -1;         // this call reports success with 0 bytes
  uint32_t maxPerCall = 0;      // 0: take everything

  static bool Write(void* target, const void* bytes, uint32_t length, uint32_t* written) {
    auto* self = static_cast<FakeSpooler*>(target);
    int index = static_cast<int>(self->calls.size());
    self->calls.push_back(length);
    *written = 0;
    if (index == self->failAtCall) return false;
    if (index == self->stallAtCall) return true;
    uint32_t take = self->maxPerCall && length > self->maxPerCall ? self->maxPerCall : length;
    const auto* b = static_cast<const uint8_t*>(bytes);
    self->received.insert(self->received.end(), b, b + take);
    *written = take;
    return true;
  }
};

class OutputBufferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    block_.assign(65536, 0xEE);
    buffer_ = RenderOutputBuffer{block_.data(), static_cast<uint32_t>(block_.size()), kOutputBufferCapacity, 0, 0};
  }
  OutputSink Sink(bool drop = false) { return OutputSink{&FakeSpooler::Write, &spooler_, drop}; }
  std::vector<uint8_t> Bytes(uint32_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (uint32_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(seed + i);
    return v;
  }
  uint32_t Put(const std::vector<uint8_t>& v, bool drop = false) {
    return Out_BufferBytes(&buffer_, Sink(drop), v.data(), static_cast<uint32_t>(v.size()));
  }

  std::vector<uint8_t> block_;
  RenderOutputBuffer buffer_{};
  FakeSpooler spooler_;
};

TEST_F(OutputBufferTest, SizesAroundTheCapacity) {
  // Exactly the capacity is buffered after the held bytes go out; one more
  // goes straight to the spooler after them.
  auto held = Bytes(10, 1), exact = Bytes(512, 50), over = Bytes(513, 90);
  EXPECT_EQ(Put(held), 1u);
  EXPECT_EQ(Put(exact), 1u);
  EXPECT_EQ(spooler_.calls, (std::vector<uint32_t>{10}));
  EXPECT_EQ(buffer_.fill, 512u);
  EXPECT_EQ(Put(over), 1u);
  EXPECT_EQ(spooler_.calls, (std::vector<uint32_t>{10, 512, 513}));
  EXPECT_EQ(buffer_.fill, 0u);
  std::vector<uint8_t> all = held;
  all.insert(all.end(), exact.begin(), exact.end());
  all.insert(all.end(), over.begin(), over.end());
  EXPECT_EQ(spooler_.received, all);
  // The owner's head of the block is never touched.
  for (uint32_t i = 0; i < kOutputBufferHead; ++i) ASSERT_EQ(block_[i], 0xEE) << i;
}

TEST_F(OutputBufferTest, AWriteThatWouldFillTheAreaFlushesFirst) {
  EXPECT_EQ(Put(Bytes(300, 0)), 1u);
  EXPECT_EQ(Put(Bytes(212, 0)), 1u);
  EXPECT_EQ(spooler_.calls, (std::vector<uint32_t>{300}));
  EXPECT_EQ(buffer_.fill, 212u);
  EXPECT_EQ(Out_Flush(&buffer_, Sink()), 1u);
  EXPECT_EQ(spooler_.calls, (std::vector<uint32_t>{300, 212}));
  EXPECT_TRUE(buffer_.jobFlags & kJobDelivered);
}

TEST_F(OutputBufferTest, EmptyFlushAndEmptyWriteCallNothing) {
  EXPECT_EQ(Out_Flush(&buffer_, Sink()), 1u);
  EXPECT_EQ(Out_BufferBytes(&buffer_, Sink(), nullptr, 0), 1u);
  EXPECT_TRUE(spooler_.calls.empty());
  EXPECT_EQ(buffer_.jobFlags, 0u);
}

TEST_F(OutputBufferTest, PartialWritesContinueUntilEverythingIsTaken) {
  spooler_.maxPerCall = 200;
  auto big = Bytes(1000, 7);
  EXPECT_EQ(Put(big), 1u);
  EXPECT_EQ(spooler_.calls, (std::vector<uint32_t>{1000, 800, 600, 400, 200}));
  EXPECT_EQ(spooler_.received, big);
}

TEST_F(OutputBufferTest, DroppedJobDiscardsEverything) {
  EXPECT_EQ(Put(Bytes(100, 0), true), 1u);
  EXPECT_EQ(Put(Bytes(5000, 0), true), 1u);
  EXPECT_EQ(Put(Bytes(400, 0), true), 1u);
  EXPECT_EQ(Out_Flush(&buffer_, Sink(true)), 1u);
  EXPECT_TRUE(spooler_.calls.empty());
  EXPECT_TRUE(buffer_.jobFlags & kJobDelivered);
  EXPECT_EQ(buffer_.fill, 0u);
}

// Once a spooler write fails, the flag stays and nothing more is written.
struct FailureCase {
  const char* name;
  int failAtCall;
  int stallAtCall;
};

class OutputBufferFailureTest : public OutputBufferTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(OutputBufferFailureTest, FailureStaysSet) {
  spooler_.failAtCall = GetParam().failAtCall;
  spooler_.stallAtCall = GetParam().stallAtCall;
  EXPECT_EQ(Put(Bytes(600, 0)), 0u);
  EXPECT_TRUE(buffer_.jobFlags & kJobWriteFailed);
  size_t callsAfterFailure = spooler_.calls.size();
  EXPECT_EQ(callsAfterFailure, 1u);
  EXPECT_EQ(Put(Bytes(10, 0)), 0u);
  EXPECT_EQ(Put(Bytes(700, 0)), 0u);
  EXPECT_EQ(Out_Flush(&buffer_, Sink()), 0u);
  EXPECT_EQ(spooler_.calls.size(), callsAfterFailure);
  EXPECT_EQ(buffer_.fill, 0u);
}

INSTANTIATE_TEST_SUITE_P(Failures, OutputBufferFailureTest,
                         ::testing::Values(FailureCase{"WritePrinterFails", 0, -1},
                                           FailureCase{"WritePrinterTakesNothing", -1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OutputBufferTest, FailureOfABufferedFlushIsReportedByTheNextWrite) {
  spooler_.failAtCall = 0;
  EXPECT_EQ(Put(Bytes(300, 0)), 1u);
  EXPECT_EQ(Put(Bytes(300, 0)), 0u);  // flushes the first 300, which fails
  EXPECT_EQ(spooler_.calls.size(), 1u);
}

TEST_F(OutputBufferTest, WithoutABlockWritesAreRefused) {
  RenderOutputBuffer none{nullptr, 0, kOutputBufferCapacity, 0, 0};
  auto bytes = Bytes(20, 0);
  EXPECT_EQ(Out_BufferBytes(&none, Sink(), bytes.data(), 20), 0u);
  EXPECT_EQ(Out_BufferBytes(&none, Sink(), bytes.data(), 0), 1u);
  EXPECT_EQ(Out_Flush(&none, Sink()), 1u);
  // A capacity larger than the block could hold is refused too.
  RenderOutputBuffer small{block_.data(), 1100, kOutputBufferCapacity, 0, 0};
  EXPECT_EQ(Out_BufferBytes(&small, Sink(), bytes.data(), 20), 0u);
  EXPECT_EQ(Out_BufferBytes(nullptr, Sink(), bytes.data(), 20), 0u);
  EXPECT_TRUE(spooler_.calls.empty());
}

}  // namespace
