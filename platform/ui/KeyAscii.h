#pragma once
// The character code a key press types, as the windows' key rules see it: a printable character as its code,
// a control key below 32 (Backspace 8, Enter 13, Escape 27, Ctrl+letter 1 to 26) as its code, and -1 for a key
// that types nothing (Tab, which moves the focus, cursor keys, Delete).

class QKeyEvent;

namespace ui {

// X11 hands Delete the text U+007F (and some keys other control characters at or above it). Such a key edits
// the box but types no character: a filter that took it for one would drop Delete.
int keyAscii(const QKeyEvent& event);

// Shift, Ctrl, Alt, AltGr, the logo key or a lock key: a key that, pressed on its own, changes no text.
bool isModifierKey(int key);

}  // namespace ui
