#pragma once
#include "platform/Controls.h"
#include <array>

namespace quorin {

// The canvas's text boxes: Text1(0..3) the entry fields of the modes (the
// start point, the file names, the capture resolution and threshold), Text2
// the message line, Text3 the drawing counter, and the resolution label.
class CanvasFields {
public:
    std::array<TextBox*, 4> Text1{};
    TextBox* Text2 = nullptr;
    TextBox* Text3 = nullptr;
    ClickLabel* Label1 = nullptr;

protected:
    CanvasFields() = default;
    ~CanvasFields() = default;
};

// The command bar's buttons Command1(0..21); what each does is the command
// bar's (canvas/CommandBar), the captions that change are set by the feature
// that changes them.
class CommandBarButtons {
public:
    std::array<CommandButton*, 22> Command1{};

protected:
    CommandBarButtons() = default;
    ~CommandBarButtons() = default;
};

} // namespace quorin
