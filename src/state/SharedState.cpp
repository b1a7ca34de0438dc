#include "state/SharedState.h"

namespace quorin {

std::size_t SharedState::memoryBytes() const {
    std::size_t n = sizeof(*this);
    // The tables' own headers are inside sizeof(*this); add what they hold.
    auto held = [](const auto& t) { return t.memoryBytes() - sizeof(t); };
    n += held(previewFiles) + held(strokeX) + held(strokeY) + held(strokeColor) +
         held(strokeWidth) + held(strokePointCount) + held(strokeGroupEnd) + held(treeRecords) +
         held(recordValues) + held(capturedPixels) + held(pixelSet1) + held(pixelSet2) +
         held(pixelSet3);
    return n;
}

} // namespace quorin
