#pragma once
// Lets test failures show QString values as text.

#include <ostream>

#include <QString>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
