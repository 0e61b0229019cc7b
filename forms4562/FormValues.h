#pragma once
// The values written onto Form 4562, held as text and named by form line, row and column ("26.2(d)" is line
// 26, second row, column (d); "30.4" is line 30 for the fourth vehicle; "owner", "company name" and "tax id"
// are the heading), with the number rules the form's arithmetic and formats follow.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tally::forms {

// Every value name the form has, in form order.
const std::vector<std::string>& formValueIds();
bool isFormValueId(std::string_view id);

class Form4562Values {
public:
    Form4562Values();  // every value starts as the empty text

    // Both raise std::logic_error for a name the form does not have.
    const std::string& operator[](std::string_view id) const;
    void set(std::string_view id, std::string text);

    // The value read as a number: its leading number (vb::Val), 0 when it does not start with one.
    double number(std::string_view id) const;

    // The year's depreciation of 50-year MACRS and ADS property: beside the form, not on it.
    std::int32_t fiftyYearMacrs = 0;
    std::int32_t fiftyYearAds = 0;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

// Format tags of the form's cells: None leaves the text as it is, N0 shows numbers as "#,##0" (0 as "0"),
// N as "#,###" (0 as nothing). A text that is not a number passes either format unchanged.
enum class NumberTag { None, N0, N };
std::string formatTagged(const std::string& text, NumberTag tag);

// The text of a whole-number line: the value rounded half to even to a 32-bit integer (vb::CLng, so ComError 6
// for one out of range). Sums that are not rounded are written with vb::NumberText.
std::string wholeText(double value);

}  // namespace tally::forms
