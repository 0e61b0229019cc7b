#include "FormValues.h"

#include <algorithm>
#include <stdexcept>

#include "Conversions.h"
#include "Format.h"

namespace tally::forms {

namespace {

std::vector<std::string> buildIds() {
    std::vector<std::string> ids = {"owner", "company name", "tax id", "1", "2", "3", "4", "5"};
    for (const char* row : {"6.1", "6.2"}) {
        for (const char* column : {"(a)", "(b)", "(c)"}) ids.push_back(std::string(row) + column);
    }
    for (int line = 7; line <= 18; ++line) ids.push_back(std::to_string(line));
    for (const char* cls : {"19a", "19b", "19c", "19d", "19e", "19f"}) {
        for (const char* column : {"(c)", "(d)", "(e)", "(f)", "(g)"}) ids.push_back(std::string(cls) + column);
    }
    for (const char* id : {"19g(c)", "19g(d)", "19g(e)", "19g(g)", "19h(c)", "19h(g)", "19i(c)", "19i(g)",
                           "20a(c)", "20a(d)", "20a(e)", "20a(g)", "20b(c)", "20b(e)", "20b(g)", "20c(c)", "20c(g)",
                           "21", "22", "23", "24a", "24b", "25"}) {
        ids.push_back(id);
    }
    for (int row = 1; row <= 3; ++row) {
        for (char column = 'a'; column <= 'i'; ++column) {
            ids.push_back("26." + std::to_string(row) + "(" + column + ")");
        }
    }
    for (int row = 1; row <= 3; ++row) {
        for (char column = 'a'; column <= 'h'; ++column) {
            ids.push_back("27." + std::to_string(row) + "(" + column + ")");
        }
    }
    ids.push_back("28");
    ids.push_back("29");
    for (int line = 30; line <= 36; ++line) {
        for (int vehicle = 1; vehicle <= 6; ++vehicle) ids.push_back(std::to_string(line) + "." + std::to_string(vehicle));
    }
    for (int line = 37; line <= 41; ++line) ids.push_back(std::to_string(line));
    for (int row = 1; row <= 2; ++row) {
        for (char column = 'a'; column <= 'f'; ++column) {
            ids.push_back("42." + std::to_string(row) + "(" + column + ")");
        }
    }
    ids.push_back("43");
    ids.push_back("44");
    return ids;
}

}  // namespace

const std::vector<std::string>& formValueIds() {
    static const std::vector<std::string> ids = buildIds();
    return ids;
}

bool isFormValueId(std::string_view id) {
    const auto& ids = formValueIds();
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

Form4562Values::Form4562Values() {
    for (const auto& id : formValueIds()) values_.emplace(id, std::string());
}

const std::string& Form4562Values::operator[](std::string_view id) const {
    auto it = values_.find(id);
    if (it == values_.end()) throw std::logic_error("Form 4562 has no value " + std::string(id));
    return it->second;
}

void Form4562Values::set(std::string_view id, std::string text) {
    auto it = values_.find(id);
    if (it == values_.end()) throw std::logic_error("Form 4562 has no value " + std::string(id));
    it->second = std::move(text);
}

double Form4562Values::number(std::string_view id) const { return vb::Val((*this)[id]); }

std::string formatTagged(const std::string& text, NumberTag tag) {
    if (tag == NumberTag::None) return text;
    std::optional<double> value = vb::parseNumber(text);
    if (!value) return text;
    return vb::Format(*value, tag == NumberTag::N0 ? "#,##0" : "#,###");
}

std::string wholeText(double value) { return std::to_string(vb::CLng(value)); }

}  // namespace tally::forms
