#include "state/CanvasEnv.h"
#include "platform/Twips.h"
#include "state/SharedState.h"
#include "state/WindowHosts.h"
#include <cstring>

namespace quorin {

CanvasEnv::CanvasEnv(QWidget& window, SharedState& state, const Services& services,
                     CanvasHost& host)
    : window_(window), state_(state), services_(services), host_(host) {}

bool CanvasEnv::mustStop() const {
    return dead_ || host_.stopRequested();
}

MainFields& CanvasEnv::mainFields() {
    return host_.mainFields();
}

Swatches& CanvasEnv::swatches() {
    return state_.swatches;
}

double CanvasEnv::widthTwips() const {
    return quorin::widthTwips(&window_);
}
double CanvasEnv::heightTwips() const {
    return quorin::heightTwips(&window_);
}

QWidget* CanvasEnv::control(const CanvasControlRef& ref) const {
    const auto is = [&ref](const char* name) { return std::strcmp(ref.name, name) == 0; };
    const auto element = [&ref](const auto& array) -> QWidget* {
        return ref.index >= 0 && ref.index < int(array.size()) ? array[ref.index] : nullptr;
    };
    if (is("Command1"))
        return element(Command1);
    if (is("Command12"))
        return element(Command12);
    if (is("Text1"))
        return element(Text1);
    const std::pair<const char*, QWidget*> single[] = {
        {"Picture1", Picture1}, {"Image1", Image1},       {"Command2", Command2},
        {"Command3", Command3}, {"Command4", Command4},   {"Command5", Command5},
        {"Command6", Command6}, {"Command7", Command7},   {"Command8", Command8},
        {"Command9", Command9}, {"Command10", Command10}, {"Command11", Command11},
        {"Text2", Text2},       {"Text3", Text3},         {"Label1", Label1},
    };
    for (const auto& [name, widget] : single)
        if (is(name))
            return ref.index < 0 ? widget : nullptr;
    return nullptr;
}

} // namespace quorin
