#include "platform/InputCodes.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace quorin;

namespace {
constexpr Qt::KeyboardModifiers none = Qt::NoModifier;
constexpr Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
} // namespace

TEST(InputCodes, ClassicKeyCodes) {
    const std::vector<std::tuple<int, Qt::KeyboardModifiers, int>> cases = {
        {Qt::Key_A, none, 65},         {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_7, none, 55},         {Qt::Key_0, keypad, 96},
        {Qt::Key_9, keypad, 105},      {Qt::Key_F1, none, 112},
        {Qt::Key_F12, none, 123},      {Qt::Key_Left, keypad, 37},
        {Qt::Key_Down, none, 40},      {Qt::Key_Escape, none, 27},
        {Qt::Key_Enter, keypad, 13},   {Qt::Key_Backtab, Qt::ShiftModifier, 9},
        {Qt::Key_Asterisk, none, 56},  {Qt::Key_Asterisk, keypad, 106},
        {Qt::Key_Minus, none, 189},    {Qt::Key_Minus, keypad, 109},
        {Qt::Key_Period, keypad, 110}, {Qt::Key_Slash, keypad, 111},
        {Qt::Key_QuoteDbl, none, 222}, {Qt::Key_Menu, none, 0},
    };
    for (const auto& [key, modifiers, code] : cases)
        EXPECT_EQ(classicKeyCode(key, modifiers), code) << std::hex << key;
}

TEST(InputCodes, ShiftAndButtonBits) {
    EXPECT_EQ(shiftBits(none), 0);
    EXPECT_EQ(shiftBits(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftBits(ctrl | Qt::AltModifier), 6);
    EXPECT_EQ(shiftBits(Qt::MetaModifier | keypad), 0);

    EXPECT_EQ(buttonBits(Qt::LeftButton), 1);
    EXPECT_EQ(buttonBits(Qt::RightButton), 2);
    EXPECT_EQ(buttonBits(Qt::MiddleButton), 4);
    EXPECT_EQ(buttonBits(Qt::LeftButton | Qt::MiddleButton), 5); // held while moving
    EXPECT_EQ(buttonBits(Qt::BackButton), 0);
}

TEST(InputCodes, KeyPressCharacters) {
    const std::vector<std::tuple<int, Qt::KeyboardModifiers, const char*, int>> cases = {
        {Qt::Key_A, none, "a", 'a'},
        {Qt::Key_A, Qt::ShiftModifier, "A", 'A'},
        {Qt::Key_S, ctrl, "", 19}, // whatever text the platform gives
        {Qt::Key_Z, ctrl | Qt::ShiftModifier, "\x1a", 26},
        {Qt::Key_Q, ctrl | Qt::AltModifier, "@", '@'}, // AltGr types
        {Qt::Key_1, ctrl, "", 0},
        {Qt::Key_Escape, none, "", 27},
        {Qt::Key_Enter, keypad, "", 13},
        {Qt::Key_Backspace, none, "", 8},
        {Qt::Key_F5, none, "", 0},
    };
    for (const auto& [key, modifiers, text, character] : cases)
        EXPECT_EQ(keyPressCharacter(key, modifiers, QString::fromLatin1(text)), character)
            << std::hex << key;
}
