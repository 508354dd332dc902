// The guard every exported function runs its body through: a result passes
// unchanged, any exception becomes the function's failure result, and the
// guard itself never throws.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "common/win/export_guard.h"

namespace {

// What a body of each kind does when run through the guard.
enum class Body { kReturns, kBadAlloc, kLogicError, kNotAnException };

long RunGuarded(Body body) {
  return GuardExport("test", -1L, [&]() -> long {
    switch (body) {
      case Body::kReturns:
        return 42;
      case Body::kBadAlloc:
        throw std::bad_alloc();
      case Body::kLogicError:
        throw std::logic_error("refused");
      case Body::kNotAnException:
        throw 7;
    }
    return 0;
  });
}

// The same bodies in the function-try-block form of the guard.
long RunInTryBlock(Body body) try {
  switch (body) {
    case Body::kReturns:
      return 42;
    case Body::kBadAlloc:
      throw std::bad_alloc();
    case Body::kLogicError:
      throw std::logic_error("refused");
    case Body::kNotAnException:
      throw 7;
  }
  return 0;
} catch (...) {
  return ExportFailed("test", -1L);
}

TEST(ExportGuard, ResultPassesAndEveryExceptionBecomesTheFailureResult) {
  static_assert(noexcept(GuardExport("test", 0, [] { return 1; })));
  const struct {
    Body body;
    long expected;
  } cases[] = {
      {Body::kReturns, 42}, {Body::kBadAlloc, -1}, {Body::kLogicError, -1}, {Body::kNotAnException, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(RunGuarded(c.body), c.expected) << static_cast<int>(c.body);
    EXPECT_EQ(RunInTryBlock(c.body), c.expected) << static_cast<int>(c.body);
  }
}

TEST(ExportGuard, WithoutAResultTheWorkDoneBeforeTheExceptionStays) {
  int steps = 0;
  GuardExport("test", [&] {
    ++steps;
    throw std::bad_alloc();
  });
  EXPECT_EQ(steps, 1);
  GuardExport("test", [&] { ++steps; });
  EXPECT_EQ(steps, 2);
}

}  // namespace
