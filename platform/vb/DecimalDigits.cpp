#include "DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "ComError.h"

namespace vb {

DecimalDigits DecimalDigits::of(double value) {
    // VB's arithmetic raises before it can hold infinity or NaN, so such a value is a fault upstream; writing it
    // as 0 would hide it in every amount stored or shown.
    if (!std::isfinite(value)) tally::raiseVbError(tally::vberr::Overflow);
    DecimalDigits result;
    if (value == 0) return result;
    result.negative = value < 0;
    // Scientific form with 14 decimals is exactly 15 significant digits, rounded as printf rounds in the C locale.
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 14).ptr;
    const std::string_view form(text, static_cast<std::size_t>(end - text));
    const std::size_t e = form.find('e');
    std::string digits;
    for (char c : form.substr(0, e))
        if (c != '.') digits += c;
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    result.digits = digits;
    result.exponent = std::atoi(std::string(form.substr(e + 1)).c_str());
    return result;
}

FixedDigits FixedDigits::roundedAwayFromZero(const DecimalDigits& number, int decimals) {
    FixedDigits result;
    result.negative = number.negative;
    // Lay the digits out on fixed positions: index 0 is 10^top, the last kept one 10^-decimals.
    const int top = number.isZero() ? 0 : std::max(number.exponent, 0);
    const int keep = top + 1 + decimals;
    std::string laid(static_cast<std::size_t>(keep), '0');
    bool roundUp = false;
    for (std::size_t i = 0; i < number.digits.size(); ++i) {
        const int position = top - (number.exponent - static_cast<int>(i));  // index in `laid`
        if (position < 0) continue;
        if (position < keep) {
            laid[static_cast<std::size_t>(position)] = number.digits[i];
        } else if (position == keep) {
            roundUp = number.digits[i] >= '5';
            break;
        } else {
            break;
        }
    }
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && laid[static_cast<std::size_t>(i)] == '9') laid[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++laid[static_cast<std::size_t>(i)];
        else
            laid.insert(laid.begin(), '1');
    }
    const std::size_t wholeLength = laid.size() - static_cast<std::size_t>(decimals);
    result.whole = laid.substr(0, wholeLength);
    result.fraction = laid.substr(wholeLength);
    const std::size_t firstNonZero = result.whole.find_first_not_of('0');
    result.whole = firstNonZero == std::string::npos ? std::string() : result.whole.substr(firstNonZero);
    return result;
}

bool FixedDigits::isZero() const {
    return whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
}

}  // namespace vb
