#pragma once
// VB runtime conversions and rounding with fixed US regional settings.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "VbDate.h"

namespace vb {

// Round half to even to `decimals` places, on the binary double (VB Round).
double Round(double value, int decimals = 0);

// Half-to-even conversions to whole numbers; raise ComError 6 (overflow) when out of range (CInt, CLng).
std::int16_t CInt(double value);
std::int32_t CLng(double value);

// Val: the leading number of the text (blanks skipped, "." decimal point, optional sign and exponent, &H/&O
// prefixes); 0 when there is none. Raises only ComError 6 (overflow), for a number beyond a double ("1e999") or
// a hexadecimal or octal one beyond 32 bits.
double Val(std::string_view text);

// CDbl / CDate of a whole text in US regional form. Return nothing when the text is not a number / date;
// the throwing forms raise ComError 13 (type mismatch).
// Numbers: optional blanks, sign, thousands separators ",", "." decimals, exponent, a leading "$", "(n)" negative.
// Dates: M/d/yyyy, M/d/yy, M/yyyy (first day of the month), yyyy-MM-dd, and month names ("Mar 1, 2005").
std::optional<double> parseNumber(std::string_view text);
std::optional<Date> parseDate(std::string_view text);
double CDbl(std::string_view text);
Date CDate(std::string_view text);
bool IsNumeric(std::string_view text);
bool IsDate(std::string_view text);

// A double as text with up to 15 significant digits in the C locale, without exponent for ordinary amounts
// (9999.000000000002 -> "9999", 0.1 -> "0.1", -2.5 -> "-2.5"). This is VB's CStr of a Double and the form
// numbers are written in SQL.
std::string NumberText(double value);

}  // namespace vb
