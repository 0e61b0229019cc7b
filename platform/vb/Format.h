#pragma once
// VB Format for the patterns the program uses. Display formats round halves away from zero.

#include <string>
#include <string_view>

#include "VbDate.h"

namespace vb {

class Variant;

// Number patterns: "#,##0", "#,###", "#,##0.00", "$###,##0", "$#,##0", "##0", "0", "0.00", "0%", "##0.00%",
// "Currency" / "Standard" / "Fixed" / "Percent" named formats, and sections separated by ";" (positive;negative;
// zero). An empty pattern gives CStr.
std::string Format(double value, std::string_view pattern);

// Date patterns: "mm/yyyy", "MM/YYYY", "yyyy", "YYYY", "mm/dd/yyyy", "m/d/yyyy", "Short Date", "mmm d, yyyy",
// "mmmm yyyy", "hh:mm" ... (letters: d dd ddd dddd m mm mmm mmmm yy yyyy, case-insensitive for y/d, "m" after
// "h" means minutes).
std::string Format(const Date& value, std::string_view pattern);

// Format of a Variant: Null and Empty give "", text that is a number is formatted as a number, dates as dates.
std::string Format(const Variant& value, std::string_view pattern);

}  // namespace vb
