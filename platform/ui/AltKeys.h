#pragma once
// Under X11 a key pressed with Alt still carries its letter. When no mnemonic takes it (the button it names is
// disabled, or no control has that letter), Qt hands it to the focused box as typed: Alt+N pressed while New was
// disabled put an "n" into the field being edited, and Alt+T in a drop-down picked an entry starting with "t".
// A key held with Alt is a command, never text: one the program cannot carry out only beeps.

class QCoreApplication;

namespace ui {

// Makes every text box, drop-down and spin box of the application refuse a key pressed with Alt (and without Ctrl)
// that carries a character, once mnemonics and shortcuts have had their turn.
void refuseAltTyping(QCoreApplication& app);

}  // namespace ui
