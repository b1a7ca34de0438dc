#pragma once
#include <cstdint>

namespace quorin {

// Colours are 0x00BBGGRR values (red in the low byte) throughout the program
// logic; they become QColor only where something is drawn.
using ColorValue = std::int32_t;

constexpr ColorValue rgb(int r, int g, int b) {
    return static_cast<ColorValue>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(ColorValue c) {
    return c & 0xFF;
}
constexpr int greenOf(ColorValue c) {
    return (c >> 8) & 0xFF;
}
constexpr int blueOf(ColorValue c) {
    return (c >> 16) & 0xFF;
}
// A colour worked out by arithmetic (a shade, a brighter pen) may leave the
// range: its low three bytes are what is drawn.
constexpr ColorValue lowThreeBytes(std::int64_t value) {
    return static_cast<ColorValue>(value & 0xFFFFFF);
}

// Colours the program uses by value.
namespace colors {
constexpr ColorValue black = 0;
constexpr ColorValue red = 255;
constexpr ColorValue blue = 16711680;
constexpr ColorValue panelGreen = rgb(192, 208, 192);
constexpr ColorValue buttonCream = rgb(232, 227, 174);
} // namespace colors

} // namespace quorin
