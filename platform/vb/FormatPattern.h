#pragma once
// Pieces of VB format patterns shared by the number and date formatters (internal to the VB runtime).

#include <string>
#include <string_view>

#include "VbDate.h"

namespace vb::pattern {

// Calls `onLiteral(text)` for quoted and escaped text and `onChar(index)` for every other character.
template <class Literal, class Char>
void walk(std::string_view pattern, Literal onLiteral, Char onChar) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '"') {
            const std::size_t close = pattern.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
            onLiteral(pattern.substr(i + 1, end - i - 1));
            i = end;
        } else if (pattern[i] == '\\' && i + 1 < pattern.size()) {
            onLiteral(pattern.substr(++i, 1));
        } else {
            i = onChar(i);
        }
    }
}

// True when the pattern formats a date: date letters (d m y q) outside quotes.
bool isDatePattern(std::string_view pattern);

// A date formatted with a date pattern.
std::string formatDate(const Date& date, std::string_view pattern);

// A number formatted with a number pattern (built from "0", "#", ",", ".", "%" and literals), rounded
// half away from zero.
std::string formatNumber(double value, std::string_view pattern);

}  // namespace vb::pattern
