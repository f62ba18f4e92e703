#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/event_bus.h"

namespace {

using Registration = EventBus::Registration;

struct Recorder : Winplus::Observer {
    Recorder(std::vector<std::string>* log, std::string tag) : log(log), tag(std::move(tag)) {}
    bool Notify(const int& code) override {
        log->push_back(tag + ":" + std::to_string(code));
        return true;  // handled, yet the others are still called
    }
    std::vector<std::string>* log;
    std::string tag;
};

Safe::XPtr<Winplus::Observer> NewRecorder(std::vector<std::string>* log, std::string tag) {
    return Safe::MakeX<Recorder>(log, std::move(tag));
}

TEST(EventBus, NotifiesEveryObserverInRegistrationOrder) {
    std::vector<std::string> log;
    EventBus bus;
    bus.Notify(1);  // nobody listens
    Safe::XPtr<Winplus::Observer> a = NewRecorder(&log, "a");
    Registration first = bus.Add(a);
    Registration b = bus.Add(NewRecorder(&log, "b"));
    Registration none = bus.Add(Safe::XPtr<Winplus::Observer>());
    Registration again = bus.Add(a);
    EXPECT_EQ(bus.Count(), 3);
    bus.Notify(130);
    EXPECT_EQ(log, (std::vector<std::string>{"a:130", "b:130", "a:130"}));
}

TEST(EventBus, ReleasingARegistrationRemovesItsObserverOnly) {
    std::vector<std::string> log;
    EventBus bus;
    Safe::XPtr<Winplus::Observer> a = NewRecorder(&log, "a");
    Registration first = bus.Add(a);
    Registration kept;
    {
        Registration second = bus.Add(a);
        Registration b = bus.Add(NewRecorder(&log, "b"));
        kept = std::move(b);  // moves keep the observer registered
    }                         // second goes: a is registered once more
    EXPECT_EQ(bus.Count(), 2);
    bus.Notify(1);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:1"}));
    EXPECT_EQ(a->RefCount(), 2u);  // this test and the bus
    first.Release();
    first.Release();
    EXPECT_EQ(a->RefCount(), 1u);
    kept = Registration();
    EXPECT_EQ(bus.Count(), 0);

    Registration late = bus.Add(a);
    bus.Clear();  // an earlier release must not remove a later observer
    Registration fresh = bus.Add(a);
    late.Release();
    EXPECT_EQ(bus.Count(), 1);
}

struct Registrar : Winplus::Observer {
    Registrar(EventBus* bus, std::vector<std::string>* log) : bus(bus), log(log) {}
    bool Notify(const int& code) override {
        log->push_back("r:" + std::to_string(code));
        for (int i = 0; i < 50; ++i)  // enough to move the bus's storage
            added.push_back(bus->Add(NewRecorder(log, "n")));
        removed.Release();
        return false;
    }
    EventBus* bus;
    std::vector<std::string>* log;
    std::vector<Registration> added;
    Registration removed;
};

TEST(EventBus, ObserversAddedOrRemovedDuringNotification) {
    std::vector<std::string> log;
    EventBus bus;
    Safe::XPtr<Registrar> registrar = Safe::MakeX<Registrar>(&bus, &log);
    Registration r = bus.Add(registrar);
    Registration b = bus.Add(NewRecorder(&log, "b"));
    registrar->removed = bus.Add(NewRecorder(&log, "c"));
    bus.Notify(7);  // c is removed before its turn; the new ones hear the next announcement
    EXPECT_EQ(log, (std::vector<std::string>{"r:7", "b:7"}));
    EXPECT_EQ(bus.Count(), 52);
    registrar->added.clear();
    r.Release();
    EXPECT_EQ(bus.Count(), 1);
}

TEST(EventBus, SubjectsHaveTheirOwnBuses) {
    EXPECT_NE(&Bus(Subject::Models), &Bus(Subject::Fit));
    EXPECT_EQ(&Bus(Subject::DataSet), &Bus(Subject::DataSet));
}

int resets = 0;
void CountReset() {
    ++resets;
}

TEST(EventBus, ProcessResetEmptiesEveryBusAndRunsTheRegisteredResets) {
    std::vector<std::string> log;
    static const bool registered = RegisterProcessReset(&CountReset);
    ASSERT_TRUE(registered);
    Registration onModels = Bus(Subject::Models).Add(NewRecorder(&log, "m"));
    Registration onFit = Bus(Subject::Fit).Add(NewRecorder(&log, "f"));
    const int before = resets;
    ResetProcessState();
    EXPECT_EQ(resets, before + 1);
    Bus(Subject::Models).Notify(EventCode::kModelsReset);
    Bus(Subject::Fit).Notify(EventCode::kFitStarted);
    EXPECT_TRUE(log.empty());
}

}  // namespace
