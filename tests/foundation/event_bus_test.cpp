#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/event_bus.h"

namespace {

struct Recorder : Winplus::Observer {
    Recorder(std::vector<std::string>* log, std::string tag) : log(log), tag(std::move(tag)) {}
    bool Notify(const int& code) override {
        log->push_back(tag + ":" + std::to_string(code));
        return true;  // handled, yet the others are still called
    }
    std::vector<std::string>* log;
    std::string tag;
};

TEST(EventBus, NotifiesEveryObserverInRegistrationOrder) {
    std::vector<std::string> log;
    EventBus bus;
    bus.Notify(1);  // nobody listens
    Safe::XPtr<Winplus::Observer> a = Safe::MakeX<Recorder>(&log, "a");
    bus.Add(a);
    bus.Add(Safe::MakeX<Recorder>(&log, "b"));
    bus.Add(Safe::XPtr<Winplus::Observer>());
    bus.Add(a);
    EXPECT_EQ(bus.Count(), 3);
    bus.Notify(130);
    EXPECT_EQ(log, (std::vector<std::string>{"a:130", "b:130", "a:130"}));
}

struct Registrar : Winplus::Observer {
    Registrar(EventBus* bus, std::vector<std::string>* log) : bus(bus), log(log) {}
    bool Notify(const int& code) override {
        log->push_back("r:" + std::to_string(code));
        for (int i = 0; i < 50; ++i)  // enough to move the bus's storage
            bus->Add(Safe::MakeX<Recorder>(log, "n"));
        return false;
    }
    EventBus* bus;
    std::vector<std::string>* log;
};

TEST(EventBus, ObserverAddedDuringNotificationHearsTheNextOne) {
    std::vector<std::string> log;
    EventBus bus;
    bus.Add(Safe::MakeX<Registrar>(&bus, &log));
    bus.Add(Safe::MakeX<Recorder>(&log, "b"));
    bus.Notify(7);
    EXPECT_EQ(log, (std::vector<std::string>{"r:7", "b:7"}));
    EXPECT_EQ(bus.Count(), 52);
}

TEST(EventBus, SubjectsHaveTheirOwnBuses) {
    EXPECT_NE(&Bus(Subject::Models), &Bus(Subject::Fit));
    EXPECT_EQ(&Bus(Subject::DataSet), &Bus(Subject::DataSet));
}

}  // namespace
