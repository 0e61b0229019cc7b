#pragma once
// Puts the process in a comma-decimal locale for the life of one test, as a user with German regional settings
// has it once the desktop has taken the system locale: the C++ global locale writes 1234.5 as "1.234,5", and the
// C locale (printf, strtod) is German too when the machine has that locale. Both are put back when the guard
// ends. Numbers and dates in SQL text and in the program's fixed US forms must not follow it.

#include <clocale>
#include <locale>
#include <sstream>
#include <string>

namespace tally::testing {

class CommaDecimalLocale {
public:
    CommaDecimalLocale()
        : savedC_(std::setlocale(LC_ALL, nullptr)),
          savedGlobal_(std::locale::global(std::locale(std::locale::classic(), new CommaDecimal))) {
        // The C locale last: installing an unnamed C++ locale leaves the C locale alone, a named one would not.
        germanC_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~CommaDecimalLocale() {
        std::locale::global(savedGlobal_);  // sets the C locale too when the saved one has a name
        std::setlocale(LC_ALL, savedC_.c_str());
    }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    // Whether printf and strtod are German as well (the machine may lack the locale).
    bool germanC() const { return germanC_; }

    // A number as a stream writes it now: shows that the locale is in force.
    static std::string streamText(double value) {
        std::ostringstream out;
        out << value;
        return out.str();
    }

private:
    struct CommaDecimal : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };

    std::string savedC_;
    std::locale savedGlobal_;
    bool germanC_ = false;
};

}  // namespace tally::testing
