#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/map_bar.h"

namespace {

struct Recorder : Winplus::Observer {
    explicit Recorder(std::vector<std::string>* log) : log(log) {}
    bool Notify(const int& code) override {
        log->push_back("m:" + std::to_string(code));
        return true;
    }
    std::vector<std::string>* log;
};

TEST(MapBar, AnnouncesOnlyChangedAvailability) {
    std::vector<std::string> log;
    Core::MapBar::AddObserver(Safe::XPtr<Winplus::Observer>(new Recorder(&log)));
    Core::MapBar::SetUndoAvailable(1, true);
    Core::MapBar::SetUndoAvailable(1, true);
    Core::MapBar::SetUndoAvailable(1, false);
    Core::MapBar::SetUndoAvailable(2, true);
    Core::MapBar::SetUndoAvailable(-1, true);
    Core::MapBar::SetRedoAvailable(0, true);
    Core::MapBar::SetUndoAvailable(0, true);
    Core::MapBar::SetRedoAvailable(1, true);
    EXPECT_EQ(log, (std::vector<std::string>{"m:404", "m:404", "m:402", "m:401", "m:405"}));
    EXPECT_TRUE(Core::MapBar::IsRedoAvailable(0));
    EXPECT_FALSE(Core::MapBar::IsUndoAvailable(1));
    EXPECT_FALSE(Core::MapBar::IsUndoAvailable(2));
}

}  // namespace
