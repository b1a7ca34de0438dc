#pragma once
#include "platform/Colour.h"
#include <functional>

namespace quorin {

// The paper and pen colours (the main window's two hidden swatch buttons) and
// the colour the common colour dialog remembers. Commands of both windows set
// them; the main window shows them on its swatches.
class Swatches {
public:
    ColorValue paper() const { return paper_; }
    ColorValue pen() const { return pen_; }
    void setPaper(ColorValue c) {
        paper_ = c;
        changed();
    }
    void setPen(ColorValue c) {
        pen_ = c;
        changed();
    }
    // Black until the first choice; Cancel gives it back.
    ColorValue dialogColor = colors::black;
    // Called after every change of paper or pen.
    std::function<void()> onChange;

private:
    void changed() {
        if (onChange)
            onChange();
    }
    ColorValue paper_ = colors::black;
    ColorValue pen_ = colors::black;
};

} // namespace quorin
