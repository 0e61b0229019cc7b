#pragma once
// Conversions of the texts the desktop's windows hold, shared so that every window converts them alike.

#include <cstdint>

#include <QString>

namespace tally::desk {

// A number text as a Long, converted as the rest of the program converts it (rounded half to even); a text that
// is no number raises Type mismatch (13), one out of range Overflow (6).
std::int32_t toLong(const QString& text);

}  // namespace tally::desk
