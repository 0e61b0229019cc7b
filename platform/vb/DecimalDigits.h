#pragma once
// A double as VB sees it when it turns a number into text: at most 15 significant decimal digits
// (internal to the VB runtime; shared by NumberText and Format).

#include <string>

namespace vb {

struct DecimalDigits {
    bool negative = false;
    std::string digits;  // significant digits without trailing zeros; empty for zero
    int exponent = 0;    // value = 0.d1d2d3... x 10^(exponent + 1), i.e. d1 stands at 10^exponent

    // Raises Overflow (6) for infinity and NaN.
    static DecimalDigits of(double value);
    bool isZero() const { return digits.empty(); }
};

// The value of a fixed-point text split into its whole and fractional digits, rounded half away from zero to
// `decimals` places. `whole` has no leading zeros (empty for a whole part of zero).
struct FixedDigits {
    bool negative = false;
    std::string whole;
    std::string fraction;  // exactly `decimals` digits

    static FixedDigits roundedAwayFromZero(const DecimalDigits& number, int decimals);
    bool isZero() const;
};

}  // namespace vb
