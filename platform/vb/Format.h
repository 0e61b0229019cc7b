#pragma once
// VB Format for the patterns the program uses. Display formats round halves away from zero.

#include <string>
#include <string_view>

#include "VbDate.h"

namespace vb {

class Variant;

// Number patterns: "#,##0", "#,###", "#,##0.00", "$###,##0", "$#,##0", "##0", "0", "0.00", "0%", "##0.00%",
// and sections separated by ";" (positive;negative;zero). An empty pattern gives CStr.
std::string Format(double value, std::string_view pattern);

// Date patterns: "mm/yyyy", "MM/YYYY", "yyyy", "YYYY", "mm/dd/yyyy", "m/d/yyyy", "mmm d, yyyy", "mmmm yyyy" ...
// (letters, in either case: d dd m mm mmm mmmm y yy yyyy q; any other character is written as it stands). An
// empty pattern gives the short date.
std::string Format(const Date& value, std::string_view pattern);

// Format of a Variant: Null and Empty give "", text that is a number is formatted as a number, dates as dates.
std::string Format(const Variant& value, std::string_view pattern);

}  // namespace vb
