#include "core/CanvasModes.h"

namespace quorin {

std::span<const ControlVisibility> modeVisibility() {
    //                                       Math Drop Intercept Compare Freehand Overlay
    static constexpr ControlVisibility rows[] = {
        {{"Command1", 0}, "HSHHHH"},  {{"Command1", 1}, "SSHHSH"},  {{"Command1", 2}, "SSHHSH"},
        {{"Command1", 3}, "SSHSSS"},  {{"Command1", 4}, "HSHHHH"},  {{"Command1", 5}, "HSHHHH"},
        {{"Command1", 6}, "SSHSSS"},  {{"Command1", 7}, "SSHSSS"},  {{"Command1", 8}, "HSHHHH"},
        {{"Command1", 9}, "HSHSSS"},  {{"Command1", 10}, "HHHHHH"}, {{"Command1", 11}, "HSHHSH"},
        {{"Command1", 12}, "HSHHHH"}, {{"Command1", 13}, "HHHHHH"}, {{"Command1", 14}, "HHHHSH"},
        {{"Command1", 15}, "HHHHSH"}, {{"Command1", 16}, "HHHHSH"}, {{"Command1", 17}, "HHHHSH"},
        {{"Command1", 18}, "HHHHHH"}, {{"Command1", 19}, "hhhHSH"}, {{"Command1", 20}, "hhhHSS"},
        {{"Command1", 21}, "hhhhSh"}, {{"Command2"}, "SHHHHH"},     {{"Command3"}, "SHHHHH"},
        {{"Command4"}, "SHHHHH"},     {{"Command5"}, "SHHHHH"},     {{"Command6"}, "SHHHHH"},
        {{"Command7"}, "SHHHHH"},     {{"Command8"}, "HHHHHH"},     {{"Command9"}, "HHHHHH"},
        {{"Command10"}, "SHHHHH"},    {{"Command11"}, "hhhShH"},    {{"Command12", 0}, "HHHHHS"},
        {{"Command12", 1}, "HHHHHS"}, {{"Command12", 2}, "HHHHHS"}, {{"Text1", 0}, "HSHHHH"},
        {{"Text1", 1}, "HSHHHH"},     {{"Text1", 2}, "HSHSSS"},     {{"Text1", 3}, "HSHSSS"},
        {{"Text2"}, "HHHSSS"},        {{"Text3"}, "HHHSSS"},        {{"Label1"}, "hhhShS"},
    };
    return rows;
}

const CanvasModeRow& canvasModeRow(CanvasMode mode) {
    using Fields = std::array<const char*, 7>;
    static const CanvasModeRow rows[canvasModeCount] = {
        {CanvasMode::Math,
         "数学画画",
         "数学画画",
         {.simulationMode = false, .mathDrawingLayout = true},
         false,
         false,
         Fields{"1", "1", "1", "1", "1", "1", "1"},
         ModeBackground::None,
         false},
        {CanvasMode::Drop,
         "Quorin模拟",
         "Quorin模拟",
         {.simulationMode = true,
          .captureMode = false,
          .mathDrawingLayout = false,
          .angleTransformArmed = false},
         false,
         false,
         std::nullopt,
         ModeBackground::None,
         false},
        {CanvasMode::Intercept,
         "反导模拟",
         "反导模拟",
         {.simulationMode = true,
          .mathDrawingLayout = false,
          .angleTransformArmed = true,
          .interceptMode = true},
         true,
         false,
         Fields{"50", "7", "700", "1", "1", "-700", "10"},
         ModeBackground::ScreenAndHai1,
         false},
        {CanvasMode::Compare,
         "图像比较",
         nullptr,
         {.simulationMode = false, .captureMode = false, .hideAnimationButtons = true},
         false,
         true,
         std::nullopt,
         ModeBackground::Hai2,
         true},
        {CanvasMode::Freehand,
         "新月画画",
         nullptr,
         {.simulationMode = false, .hideAnimationButtons = true},
         false,
         true,
         std::nullopt,
         ModeBackground::Hai11,
         false},
        {CanvasMode::Overlay,
         "图像叠加",
         nullptr,
         {.simulationMode = false, .captureMode = false, .hideAnimationButtons = true},
         false,
         true,
         std::nullopt,
         ModeBackground::Hai03,
         true},
    };
    return rows[static_cast<int>(mode)];
}

} // namespace quorin
