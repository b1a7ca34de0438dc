#pragma once
#include <QString>
#include <Qt>

namespace quorin {

// The codes the program's mouse and key handlers receive.

// 1 Shift, 2 Ctrl, 4 Alt.
int shiftBits(Qt::KeyboardModifiers modifiers);
// 1 left, 2 right, 4 middle; other buttons give nothing.
int buttonBits(Qt::MouseButtons buttons);
// The classic key code of a Qt key; 0 when there is none. Digits and
// operators on the keypad have codes of their own.
int classicKeyCode(int key, Qt::KeyboardModifiers modifiers);
// The character a key press gives (`text` is what the key typed); 0 when it
// gives none. Ctrl+A .. Ctrl+Z give 1 .. 26.
int keyPressCharacter(int key, Qt::KeyboardModifiers modifiers, const QString& text);

} // namespace quorin
