#include "LineCaptions.h"

#include <map>
#include <stdexcept>

namespace tally::forms {

namespace {

const std::map<std::string, std::string, std::less<>> kLines = {
    {"owner", "Name(s) shown on return"},
    {"company name", "Business or activity"},
    {"tax id", "Identifying number"},
    {"1", "Maximum amount"},
    {"2", "Total cost of section 179 property"},
    {"3", "Threshold cost before reduction"},
    {"4", "Reduction in limitation"},
    {"5", "Dollar limitation for tax year"},
    {"7", "Listed property (line 29)"},
    {"8", "Total elected cost"},
    {"9", "Tentative deduction"},
    {"10", "Carryover of disallowed deduction"},
    {"11", "Business income limitation"},
    {"12", "Section 179 expense deduction"},
    {"13", "Carryover to next year"},
    {"14", "Special depreciation allowance"},
    {"15", "Section 168(f)(1) election property"},
    {"16", "Other depreciation (incl. ACRS)"},
    {"17", "MACRS, assets of prior years"},
    {"18", "Group assets in general accounts"},
    {"21", "Listed property (line 28)"},
    {"22", "Total depreciation"},
    {"23", "Section 263A costs"},
    {"24a", "Evidence for business use?"},
    {"24b", "Is the evidence written?"},
    {"25", "Special allowance, listed property"},
    {"28", "Total of column (h)"},
    {"29", "Total of column (i)"},
    {"30", "Business miles"},
    {"31", "Commuting miles"},
    {"32", "Other personal miles"},
    {"33", "Total miles"},
    {"34", "Available off duty?"},
    {"35", "Used by a more than 5% owner?"},
    {"36", "Another vehicle available?"},
    {"37", "Policy: no personal use?"},
    {"38", "Policy: no use but commuting?"},
    {"39", "All use treated as personal?"},
    {"40", "Over 5 vehicles, use recorded?"},
    {"41", "Demonstration use rules met?"},
    {"43", "Amortization begun earlier"},
    {"44", "Total amortization"},
};

const std::map<char, std::string> kClasses = {
    {'a', "3-year"}, {'b', "5-year"}, {'c', "7-year"}, {'d', "10-year"}, {'e', "15-year"},
    {'f', "20-year"}, {'g', "25-year"}, {'h', "residential rental"}, {'i', "nonresidential real"}};
const std::map<char, std::string> kAdsClasses = {{'a', "class life"}, {'b', "12-year"}, {'c', "40-year"}};
const std::map<char, std::string> kClassColumns = {
    {'c', "basis"}, {'d', "recovery period"}, {'e', "convention"}, {'f', "method"}, {'g', "deduction"}};
const std::map<char, std::string> k179Columns = {{'a', "description"}, {'b', "cost"}, {'c', "elected cost"}};
const std::map<char, std::string> kListedColumns = {
    {'a', "property"}, {'b', "in service"}, {'c', "business %"}, {'d', "cost"}, {'e', "basis"},
    {'f', "recovery period"}, {'g', "method/convention"}, {'h', "depreciation"}, {'i', "section 179"}};
const std::map<char, std::string> kAmortizationColumns = {
    {'a', "description"}, {'b', "begins"}, {'c', "amount"}, {'d', "code section"}, {'e', "period"},
    {'f', "this year"}};

// "26.2(d)" -> line "26", row "2", column 'd'; "19a(c)" -> line "19a", column 'c'; "30.4" -> line "30", row "4".
struct Parts {
    std::string line;
    std::string row;
    char column = 0;
};

Parts split(std::string_view id) {
    Parts parts;
    std::size_t open = id.find('(');
    if (open != std::string_view::npos) {
        parts.column = id[open + 1];
        id = id.substr(0, open);
    }
    std::size_t dot = id.find('.');
    parts.line = std::string(id.substr(0, dot));
    if (dot != std::string_view::npos) parts.row = std::string(id.substr(dot + 1));
    return parts;
}

// The line of a value id as the form of the tax year numbers it: 20c (ADS 40-year) is 20d from 2018 on, when the
// form put a 30-year row in its place.
constexpr int kFirstYearWithAds30YearRow = 2018;
std::string formLine(const std::string& line, int taxYear) {
    return line == "20c" && taxYear >= kFirstYearWithAds30YearRow ? "20d" : line;
}

const std::string& lookup(const std::map<char, std::string>& table, char key, std::string_view id) {
    auto it = table.find(key);
    if (it == table.end()) throw std::logic_error("no caption for " + std::string(id));
    return it->second;
}

}  // namespace

std::string lineCaption(std::string_view id, int taxYear) {
    if (auto it = kLines.find(id); it != kLines.end()) {
        return it->first.find_first_of("0123456789") == 0 ? "Line " + it->first + " " + it->second : it->second;
    }
    Parts p = split(id);
    const std::string label = "Line " + formLine(p.line, taxYear) + (p.row.empty() ? "" : "." + p.row) +
                              (p.column ? std::string(" (") + p.column + ")" : std::string()) + " ";
    if (p.line.size() == 3 && p.line.starts_with("19")) {
        return label + lookup(kClasses, p.line[2], id) + ", " + lookup(kClassColumns, p.column, id);
    }
    if (p.line.size() == 3 && p.line.starts_with("20")) {
        return label + "ADS " + lookup(kAdsClasses, p.line[2], id) + ", " + lookup(kClassColumns, p.column, id);
    }
    if (p.line == "6") return label + lookup(k179Columns, p.column, id);
    if (p.line == "26" || p.line == "27") return label + lookup(kListedColumns, p.column, id);
    if (p.line == "42") return label + lookup(kAmortizationColumns, p.column, id);
    if (auto it = kLines.find(p.line); it != kLines.end() && !p.row.empty()) {
        return "Line " + p.line + " vehicle " + p.row + ": " + it->second;
    }
    throw std::logic_error("no caption for " + std::string(id));
}

AnswerKind answerKind(std::string_view id) {
    if (id == "18") return AnswerKind::CheckBox;
    if (id == "24a" || id == "24b") return AnswerKind::YesNo;
    Parts p = split(id);
    if (p.column == 0 && p.line.size() == 2 && p.line >= "34" && p.line <= "41") return AnswerKind::YesNo;
    return AnswerKind::Text;
}

}  // namespace tally::forms
