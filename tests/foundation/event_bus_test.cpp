#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/event_bus.h"

namespace {

using Registration = EventBus::Registration;

// The codes of a bus of the tests' own.
enum class TestEvent { kOne = 1, kSeven = 7, kDataSet = 130 };
using TestBus = TypedBus<TestEvent>;
using Observer = Winplus::EventObserver<TestEvent>;

// A bus takes its own code type only, for announcing and for its observers.
template <class Bus, class Code>
concept Announces = requires(const Bus& bus, Code code) {
    bus.Notify(code);
};
template <class Bus, class Code>
concept Hears = requires(Bus& bus, Safe::XPtr<Winplus::EventObserver<Code>> observer) {
    bus.Add(observer);
};
static_assert(Announces<TypedBus<LayerEvent>, LayerEvent>);
static_assert(!Announces<TypedBus<LayerEvent>, ViewEvent>);
static_assert(!Announces<TypedBus<LayerEvent>, int>);
static_assert(!Announces<TypedBus<ModelEvent>, FitEvent>);
static_assert(Hears<TypedBus<ViewEvent>, ViewEvent>);
static_assert(!Hears<TypedBus<ViewEvent>, LayerEvent>);

template <class Code = TestEvent>
struct Recorder : Winplus::EventObserver<Code> {
    Recorder(std::vector<std::string>* log, std::string tag) : log(log), tag(std::move(tag)) {}
    bool Notify(const Code& code) override {
        log->push_back(tag + ":" + std::to_string(CodeNumber(code)));
        return true;  // handled, yet the others are still called
    }
    std::vector<std::string>* log;
    std::string tag;
};

template <class Code = TestEvent>
Safe::XPtr<Winplus::EventObserver<Code>> NewRecorder(std::vector<std::string>* log,
                                                     std::string tag) {
    return Safe::MakeX<Recorder<Code>>(log, std::move(tag));
}

TEST(EventBus, NotifiesEveryObserverInRegistrationOrder) {
    std::vector<std::string> log;
    TestBus bus;
    bus.Notify(TestEvent::kOne);  // nobody listens
    Safe::XPtr<Observer> a = NewRecorder(&log, "a");
    Registration first = bus.Add(a);
    Registration b = bus.Add(NewRecorder(&log, "b"));
    Registration none = bus.Add(Safe::XPtr<Observer>());
    Registration again = bus.Add(a);
    EXPECT_EQ(bus.Count(), 3);
    bus.Notify(TestEvent::kDataSet);
    EXPECT_EQ(log, (std::vector<std::string>{"a:130", "b:130", "a:130"}));
}

TEST(EventBus, ReleasingARegistrationRemovesItsObserverOnly) {
    std::vector<std::string> log;
    TestBus bus;
    Safe::XPtr<Observer> a = NewRecorder(&log, "a");
    Registration first = bus.Add(a);
    Registration kept;
    {
        Registration second = bus.Add(a);
        Registration b = bus.Add(NewRecorder(&log, "b"));
        kept = std::move(b);  // moves keep the observer registered
    }                         // second goes: a is registered once more
    EXPECT_EQ(bus.Count(), 2);
    bus.Notify(TestEvent::kOne);
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

struct Registrar : Observer {
    Registrar(TestBus* bus, std::vector<std::string>* log) : bus(bus), log(log) {}
    bool Notify(const TestEvent& code) override {
        log->push_back("r:" + std::to_string(CodeNumber(code)));
        for (int i = 0; i < 50; ++i)  // enough to move the bus's storage
            added.push_back(bus->Add(NewRecorder(log, "n")));
        removed.Release();
        return false;
    }
    TestBus* bus;
    std::vector<std::string>* log;
    std::vector<Registration> added;
    Registration removed;
};

TEST(EventBus, ObserversAddedOrRemovedDuringNotification) {
    std::vector<std::string> log;
    TestBus bus;
    Safe::XPtr<Registrar> registrar = Safe::MakeX<Registrar>(&bus, &log);
    Registration r = bus.Add(registrar);
    Registration b = bus.Add(NewRecorder(&log, "b"));
    registrar->removed = bus.Add(NewRecorder(&log, "c"));
    bus.Notify(TestEvent::kSeven);  // c is removed before its turn; the new ones hear the next
                                    // announcement
    EXPECT_EQ(log, (std::vector<std::string>{"r:7", "b:7"}));
    EXPECT_EQ(bus.Count(), 52);
    registrar->added.clear();
    r.Release();
    EXPECT_EQ(bus.Count(), 1);
}

TEST(EventBus, CodeTypesHaveTheirOwnBuses) {
    EXPECT_NE(static_cast<EventBus*>(&BusOf<ModelEvent>()),
              static_cast<EventBus*>(&BusOf<FitEvent>()));
    EXPECT_EQ(&BusOf<DataSetEvent>(), &BusOf<DataSetEvent>());
    // The numbers stay those of the stored files: the same number on two buses.
    EXPECT_EQ(CodeNumber(ModelEvent::kCurrentNodeChanged), 202);
    EXPECT_EQ(CodeNumber(FitEvent::kMathPathChanged), 202);
    EXPECT_EQ(CodeNumber(LayerEvent::kModelCurveUpdated), 610);
    EXPECT_EQ(CodeNumber(ViewEvent::kViewModelCurveUpdated), 610);
}

// An observer of one bus that counts what it hears.
template <class Code>
Registration Count(int& heard) {
    return BusOf<Code>().Add(MakeObserver<Code>([&heard](Code) { ++heard; }));
}

int resets = 0;
void CountReset() {
    ++resets;
}

TEST(EventBus, ProcessResetEmptiesEveryBusAndRunsTheRegisteredResets) {
    std::vector<std::string> log;
    static const bool registered = RegisterProcessReset(&CountReset);
    ASSERT_TRUE(registered);
    Registration onModels = BusOf<ModelEvent>().Add(NewRecorder<ModelEvent>(&log, "m"));
    Registration onFit = BusOf<FitEvent>().Add(NewRecorder<FitEvent>(&log, "f"));
    int heard = 0;
    Registration all[] = {Count<DataSetEvent>(heard),    Count<LayerEvent>(heard),
                          Count<ViewEvent>(heard),       Count<SelectionEvent>(heard),
                          Count<LibraryEvent>(heard),    Count<MapBarEvent>(heard),
                          Count<DefinitionEvent>(heard), Count<AxisEvent>(heard)};
    const int before = resets;
    ResetProcessState();
    EXPECT_EQ(resets, before + 1);
    BusOf<ModelEvent>().Notify(ModelEvent::kModelsReset);
    BusOf<FitEvent>().Notify(FitEvent::kFitStarted);
    BusOf<DataSetEvent>().Notify(DataSetEvent::kDataSetReplaced);
    BusOf<LayerEvent>().Notify(LayerEvent::kLayersReplaced);
    BusOf<ViewEvent>().Notify(ViewEvent::kViewModeChanged);
    BusOf<SelectionEvent>().Notify(SelectionEvent::kSelectedNodeChanged);
    BusOf<LibraryEvent>().Notify(LibraryEvent::kLibraryChanged);
    BusOf<MapBarEvent>().Notify(MapBarEvent::kMapBarTargetChanged);
    BusOf<DefinitionEvent>().Notify(DefinitionEvent::kHistoryUndoable);
    BusOf<AxisEvent>().Notify(AxisEvent::kCursorMoved);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(heard, 0);
}

}  // namespace
