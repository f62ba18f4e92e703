#include <gtest/gtest.h>

#include "model/map_bar.h"
#include "tests/common/code_log.h"

namespace {

TEST(MapBar, AnnouncesOnlyChangedAvailability) {
    auto log = NewCodeLog<MapBarEvent>();
    EventBus::Registration registration = Core::MapBar::AddObserver(log);
    Core::MapBar::SetUndoAvailable(1, true);
    Core::MapBar::SetUndoAvailable(1, true);
    Core::MapBar::SetUndoAvailable(1, false);
    Core::MapBar::SetUndoAvailable(2, true);
    Core::MapBar::SetUndoAvailable(-1, true);
    Core::MapBar::SetRedoAvailable(0, true);
    Core::MapBar::SetUndoAvailable(0, true);
    Core::MapBar::SetRedoAvailable(1, true);
    EXPECT_EQ(log->codes, (std::vector<int>{404, 404, 402, 401, 405}));
    EXPECT_TRUE(Core::MapBar::IsRedoAvailable(0));
    EXPECT_FALSE(Core::MapBar::IsUndoAvailable(1));
    EXPECT_FALSE(Core::MapBar::IsUndoAvailable(2));
}

TEST(MapBar, ResetClearsAndAnnouncesBothFlagsOfItsChannel) {
    Core::MapBar::SetUndoAvailable(0, true);
    Core::MapBar::SetRedoAvailable(1, true);
    Safe::XPtr<CodeLog<MapBarEvent>> log = NewCodeLog<MapBarEvent>();
    EventBus::Registration registration = Core::MapBar::AddObserver(log);
    Core::MapBar::ResetAvailability(0);
    Core::MapBar::ResetAvailability(2);
    Core::MapBar::ResetAvailability(1);
    Core::MapBar::ResetAvailability(1);  // already clear: still announced for the bar
    EXPECT_EQ(log->codes, (std::vector<int>{401, 402, 404, 405, 404, 405}));
    for (int channel : {0, 1}) {
        EXPECT_FALSE(Core::MapBar::IsUndoAvailable(channel));
        EXPECT_FALSE(Core::MapBar::IsRedoAvailable(channel));
    }
}

}  // namespace
