#include "Strings.h"

#include <algorithm>

#include "ComError.h"
#include "TextScan.h"

namespace vb {

namespace {

// VB raises "Invalid procedure call" for a negative length or a start before the first character.
void requireNotNegative(long value) {
    if (value < 0) tally::raiseVbError(tally::vberr::InvalidProcedureCall);
}

std::size_t clampedLength(std::string_view s, long length) {
    return std::min(static_cast<std::size_t>(length), s.size());
}

bool isTrimBlank(char c) {
    return c == ' ';  // VB's Trim removes blanks only, not tabs
}

}  // namespace

std::string Left(std::string_view s, long length) {
    requireNotNegative(length);
    return std::string(s.substr(0, clampedLength(s, length)));
}

std::string Right(std::string_view s, long length) {
    requireNotNegative(length);
    const std::size_t count = clampedLength(s, length);
    return std::string(s.substr(s.size() - count));
}

std::string Mid(std::string_view s, long start, long length) {
    if (start < 1 || length < -1) tally::raiseVbError(tally::vberr::InvalidProcedureCall);
    const auto from = static_cast<std::size_t>(start - 1);
    if (from >= s.size()) return {};
    return std::string(length == -1 ? s.substr(from) : s.substr(from, static_cast<std::size_t>(length)));
}

long Len(std::string_view s) {
    return static_cast<long>(s.size());
}

long InStr(std::string_view haystack, std::string_view needle, long start) {
    if (start < 1) tally::raiseVbError(tally::vberr::InvalidProcedureCall);
    const auto from = static_cast<std::size_t>(start - 1);
    if (from > haystack.size()) return 0;
    if (needle.empty()) return start;
    const std::size_t found = haystack.find(needle, from);
    return found == std::string_view::npos ? 0 : static_cast<long>(found) + 1;
}

std::string LTrim(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isTrimBlank(s[i])) ++i;
    return std::string(s.substr(i));
}

std::string RTrim(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && isTrimBlank(s[n - 1])) --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
    return LTrim(RTrim(s));
}

std::string UCase(std::string_view s) {
    std::string upper(s);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string Replace(std::string_view s, std::string_view find, std::string_view with) {
    if (find.empty()) return std::string(s);
    std::string result;
    std::size_t from = 0;
    for (std::size_t found = s.find(find); found != std::string_view::npos; found = s.find(find, from)) {
        result.append(s.substr(from, found - from));
        result.append(with);
        from = found + find.size();
    }
    result.append(s.substr(from));
    return result;
}

std::vector<std::string> Split(std::string_view s, std::string_view delimiter) {
    // VB: an empty text gives no elements; an empty delimiter gives the whole text as the one element.
    if (s.empty()) return {};
    if (delimiter.empty()) return {std::string(s)};
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t found = s.find(delimiter); found != std::string_view::npos; found = s.find(delimiter, from)) {
        parts.emplace_back(s.substr(from, found - from));
        from = found + delimiter.size();
    }
    parts.emplace_back(s.substr(from));
    return parts;
}

int StrCompText(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char x = lowerAscii(a[i]);
        const char y = lowerAscii(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return StrCompText(a, b) == 0;
}

}  // namespace vb
