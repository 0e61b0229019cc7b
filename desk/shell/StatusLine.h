#pragma once
// The status line at the foot of the main window and the small routines every window shares.

#include <cstdint>

#include <QString>

class QLabel;

namespace tally::desk {

// The main window registers its status label; once the label is gone the routines below do nothing.
void setStatusLabel(QLabel* label);

// Shows a message on the status line in the colour given as a number text ("255" red); an empty colour means
// green (32768). A colour text that is not a number reports "Error in DisplayMsg. " and keeps the old colour.
void DisplayMsg(const QString& message, const QString& colour = {});
// Replaces the status text and leaves its colour.
void setStatusTextOnly(const QString& message);

// Every apostrophe becomes a backtick, so free text can stand between single quotes in SQL. Stored texts hold
// backticks where the user typed apostrophes.
QString NoQuote(const QString& text);

// The text without the blanks at either end (other white space stays).
QString TrimBlanks(const QString& text);

// Selects the whole text of the focused field (after the click that focused it has been handled).
void SelectAllText();

inline constexpr std::int32_t kStatusGreen = 32768;

}  // namespace tally::desk
