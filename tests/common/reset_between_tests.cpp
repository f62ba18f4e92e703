// Linked into every test executable: each test starts and ends with the process as it was at
// start-up (stores emptied, buses without observers), whatever the tests before it left behind.
#include <gtest/gtest.h>

#include "foundation/event_bus.h"

namespace {

class ResetBetweenTests : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { ResetProcessState(); }
    void OnTestEnd(const testing::TestInfo&) override { ResetProcessState(); }
};

[[maybe_unused]] const bool kInstalled = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new ResetBetweenTests);
    return true;
}();

}  // namespace
