// Number patterns of VB's Format: "#,##0", "#,###", "$###,##0", "##0", "0.00", "##0.00%" and sections.
// Display formats round halves away from zero on the number's 15-digit decimal form.

#include <vector>

#include "DecimalDigits.h"
#include "FormatPattern.h"

namespace vb::pattern {

namespace {

// One section of a number pattern, read once: literal text around the digit placeholders, the digits it
// forces and allows, grouping and percent.
class NumberSection {
public:
    explicit NumberSection(std::string_view section) {
        bool inFraction = false;
        bool placeholderSeen = false;
        bool zeroInWhole = false;
        bool commaPending = false;
        std::string literal;
        walk(
            section, [&](std::string_view text) { literal.append(text); },
            [&](std::size_t i) {
                const char c = section[i];
                if (c == '0' || c == '#') {
                    if (!placeholderSeen) prefix_ = literal;
                    literal.clear();
                    placeholderSeen = true;
                    if (inFraction) {
                        ++maxDecimals_;
                        if (c == '0') minDecimals_ = maxDecimals_;
                    } else {
                        if (commaPending) grouping_ = true;
                        if (c == '0') zeroInWhole = true;
                        if (zeroInWhole) ++minWholeDigits_;
                    }
                    commaPending = false;
                } else if (c == '.' && !inFraction) {
                    if (!placeholderSeen) prefix_ = literal;
                    literal.clear();
                    placeholderSeen = true;
                    inFraction = true;
                    hasPoint_ = true;
                } else if (c == ',' && placeholderSeen && !inFraction) {
                    commaPending = true;  // grouping when another whole-number placeholder follows
                } else {
                    if (c == '%') percent_ = true;
                    literal += c;
                }
                return i;
            });
        if (placeholderSeen)
            suffix_ = literal;
        else
            prefix_ = literal;
    }

    // The magnitude of `value` laid out by this section (no sign); `roundsToZero` tells whether it shows zero.
    std::string render(double magnitude, bool& roundsToZero) const {
        if (percent_) magnitude *= 100;
        FixedDigits fixed = FixedDigits::roundedAwayFromZero(DecimalDigits::of(magnitude), maxDecimals_);
        roundsToZero = fixed.isZero();
        std::string fraction = fixed.fraction;
        while (static_cast<int>(fraction.size()) > minDecimals_ && fraction.back() == '0') fraction.pop_back();
        std::string whole = fixed.whole;
        if (static_cast<int>(whole.size()) < minWholeDigits_)
            whole.insert(0, static_cast<std::size_t>(minWholeDigits_) - whole.size(), '0');
        if (grouping_) whole = grouped(whole);
        return prefix_ + whole + (hasPoint_ ? "." + fraction : "") + suffix_;
    }

private:
    static std::string grouped(const std::string& digits) {
        std::string text;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
            text += digits[i];
        }
        return text;
    }

    std::string prefix_;
    std::string suffix_;
    int minWholeDigits_ = 0;
    int minDecimals_ = 0;
    int maxDecimals_ = 0;
    bool hasPoint_ = false;
    bool grouping_ = false;
    bool percent_ = false;
};

// The pattern split at ";" outside quotes into its sections (positive; negative; zero).
std::vector<std::string> sections(std::string_view pattern) {
    std::vector<std::string> parts(1);
    walk(
        pattern, [&](std::string_view literal) { parts.back() += '"' + std::string(literal) + '"'; },
        [&](std::size_t i) {
            if (pattern[i] == ';')
                parts.emplace_back();
            else
                parts.back() += pattern[i];
            return i;
        });
    return parts;
}

}  // namespace

std::string formatNumber(double value, std::string_view pattern) {
    const std::vector<std::string> parts = sections(pattern);
    bool roundsToZero = false;
    if (value == 0 && parts.size() >= 3 && !parts[2].empty()) return NumberSection(parts[2]).render(0, roundsToZero);
    if (value < 0 && parts.size() >= 2 && !parts[1].empty()) return NumberSection(parts[1]).render(-value, roundsToZero);
    const std::string text = NumberSection(parts[0]).render(value < 0 ? -value : value, roundsToZero);
    // A negative amount that shows as zero gets no minus sign ("0", not "-0").
    return value < 0 && !roundsToZero ? "-" + text : text;
}

}  // namespace vb::pattern
