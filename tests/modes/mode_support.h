#pragma once
// Real models and logs of the buses for the tool-core tests.
#include <string>
#include <vector>

#include "foundation/event_bus.h"
#include "model/math_map.h"
#include "modes/tool_core.h"

namespace ModeTest {

// Model "m" of the model set, current with its definition "model", whose root is a Sum of two
// three-parameter phonons "p1" (w 100) and "p2" (w 300), each of x. The current node is p1.
Core::MathMap::Ptr PhononModel();
Core::Node::Ptr Find(const std::string& name);
// Model "f", current, with the fit's math path on its definition "model": s = Sum(a,
// t = Sum(b, d), a reference to "c"); "c" (active) is u = Sum(k). The current node is s.
Core::MathMap::Ptr ReferencingModel();
double Value(const Core::Node::Ptr& node, const std::string& child);

// Every code of the view, layer and model buses (and the own lists registered with Watch),
// in order, tagged by bus: "view 610", "layer 610", "model 103", "own 202".
class BusLog {
public:
    BusLog();
    void Watch(EventBus::Registration registration) {
        registrations_.push_back(std::move(registration));
    }
    Safe::XPtr<Winplus::EventObserver<Core::ToolCode>> Own();
    std::vector<std::string> Take();

private:
    std::vector<EventBus::Registration> registrations_;
    Safe::XPtr<Winplus::EventObserver<Core::ToolCode>> own_;
    std::vector<std::string> entries_;
};

// A mouse action on the plot with the cursor at (x, y) (down and up with no delta).
void Mouse(int action, double x, double y, int dx = 0, int dy = 0);

}  // namespace ModeTest
