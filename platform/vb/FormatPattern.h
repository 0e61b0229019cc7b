#pragma once
// Pieces of VB format patterns shared by the number and date formatters (internal to the VB runtime).

#include <string>
#include <string_view>
#include <vector>

#include "VbDate.h"

namespace vb::pattern {

// The pattern split at ";" outside quotes into its sections (positive; negative; zero).
std::vector<std::string> sections(std::string_view pattern);

// True when the pattern formats a date: a named date format, or date letters (d m y h n s q) outside quotes.
bool isDatePattern(std::string_view pattern);

// A date formatted with a date pattern (named or built from letters).
std::string formatDate(const Date& date, std::string_view pattern);

// A number formatted with a number pattern (named or built from "0", "#", ",", ".", "%" and literals), rounded
// half away from zero.
std::string formatNumber(double value, std::string_view pattern);

}  // namespace vb::pattern
