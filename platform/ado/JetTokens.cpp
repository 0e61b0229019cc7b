#include "JetTokens.h"

#include <algorithm>
#include <cctype>

#include "Strings.h"

namespace ado::jet {

namespace {

bool isNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool isNameChar(char c) { return isNameStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '$'; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// The end of a token that runs from `start` (its opening character) to the closing character `close`; a doubled
// closing character stands for itself when `doubled` is set. An unclosed token runs to the end of the text.
std::size_t closingEnd(std::string_view sql, std::size_t start, char close, bool doubled) {
    std::size_t i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (doubled && i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

// A number, or a name that begins with digits (179_deduction). Hex numbers (0x1F) are numbers.
std::size_t numberEnd(std::string_view sql, std::size_t start, TokenKind& kind) {
    std::size_t i = start;
    kind = TokenKind::Number;
    if (sql[i] == '0' && i + 2 < sql.size() && (sql[i + 1] == 'x' || sql[i + 1] == 'X') && isHexDigit(sql[i + 2])) {
        i += 2;
        while (i < sql.size() && isHexDigit(sql[i])) ++i;
        return i;
    }
    while (i < sql.size() && isDigit(sql[i])) ++i;
    bool fraction = false;
    if (i < sql.size() && sql[i] == '.') {
        fraction = true;
        ++i;
        while (i < sql.size() && isDigit(sql[i])) ++i;
    }
    if (i < sql.size() && (sql[i] == 'e' || sql[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < sql.size() && (sql[j] == '+' || sql[j] == '-')) ++j;
        if (j < sql.size() && isDigit(sql[j])) {
            while (j < sql.size() && isDigit(sql[j])) ++j;
            if (j >= sql.size() || !isNameChar(sql[j])) return j;
        }
    }
    if (!fraction && i < sql.size() && isNameChar(sql[i])) {
        kind = TokenKind::DigitName;
        while (i < sql.size() && isNameChar(sql[i])) ++i;
    }
    return i;
}

std::size_t symbolEnd(std::string_view sql, std::size_t start) {
    static constexpr std::string_view twoCharacter[] = {"||", "<=", ">=", "<>", "!=", "==", "<<", ">>"};
    if (start + 1 < sql.size()) {
        for (std::string_view op : twoCharacter) {
            if (sql.substr(start, 2) == op) return start + 2;
        }
    }
    return start + 1;
}

}  // namespace

// The length first: the translator asks every word about dozens of keywords.
bool Token::isWord(std::string_view keyword) const {
    return kind == TokenKind::Word && text.size() == keyword.size() && vb::EqualsNoCase(text, keyword);
}

bool Token::isSymbol(std::string_view symbol) const { return kind == TokenKind::Symbol && text == symbol; }

Tokens tokenize(std::string_view sql) {
    Tokens tokens;
    tokens.reserve(sql.size() / 3 + 1);  // about one token in three characters, blanks included
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        TokenKind kind = TokenKind::Symbol;
        std::size_t end = i + 1;
        if (std::isspace(static_cast<unsigned char>(c))) {
            kind = TokenKind::Space;
            while (end < sql.size() && std::isspace(static_cast<unsigned char>(sql[end]))) ++end;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            kind = TokenKind::Comment;
            end = sql.find('\n', i);
            end = end == std::string_view::npos ? sql.size() : end;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            kind = TokenKind::Comment;
            end = sql.find("*/", i + 2);
            end = end == std::string_view::npos ? sql.size() : end + 2;
        } else if (c == '\'') {
            kind = TokenKind::String;
            end = closingEnd(sql, i, '\'', true);
        } else if (c == '[') {
            kind = TokenKind::Bracket;
            end = closingEnd(sql, i, ']', false);
        } else if (c == '"' || c == '`') {
            kind = TokenKind::Quoted;
            end = closingEnd(sql, i, c, true);
        } else if (c == '#') {
            kind = TokenKind::Date;
            end = closingEnd(sql, i, '#', false);
        } else if (isDigit(c) || (c == '.' && i + 1 < sql.size() && isDigit(sql[i + 1]))) {
            end = numberEnd(sql, i, kind);
        } else if (isNameStart(c)) {
            kind = TokenKind::Word;
            while (end < sql.size() && isNameChar(sql[end])) ++end;
        } else {
            end = symbolEnd(sql, i);
        }
        tokens.push_back(Token{kind, std::string(sql.substr(i, end - i)), {}, {}});
        i = end;
    }
    return tokens;
}

std::string render(const Tokens& tokens, std::size_t first, std::size_t last) {
    std::string out;
    if (last == npos || last > tokens.size()) last = tokens.size();
    for (std::size_t i = first; i < last; ++i) {
        out += tokens[i].before;
        out += tokens[i].text;
        out += tokens[i].after;
    }
    return out;
}

namespace {
std::size_t significantFrom(const Tokens& tokens, std::size_t start) {
    for (std::size_t i = start; i < tokens.size(); ++i) {
        if (tokens[i].significant()) return i;
    }
    return npos;
}
}  // namespace

std::size_t firstSignificant(const Tokens& tokens) { return significantFrom(tokens, 0); }

std::size_t nextSignificant(const Tokens& tokens, std::size_t index) {
    return index == npos ? npos : significantFrom(tokens, index + 1);
}

std::size_t prevSignificant(const Tokens& tokens, std::size_t index) {
    if (index == npos) return npos;
    for (std::size_t i = std::min(index, tokens.size()); i-- > 0;) {
        if (tokens[i].significant()) return i;
    }
    return npos;
}

std::vector<int> depths(const Tokens& tokens) {
    std::vector<int> result(tokens.size(), 0);
    int depth = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].isSymbol(")") && depth > 0) --depth;
        result[i] = depth;
        if (tokens[i].isSymbol("(")) ++depth;
    }
    return result;
}

std::string nameOf(const Token& token) {
    if (token.kind == TokenKind::Bracket && token.text.size() >= 2 && token.text.back() == ']')
        return token.text.substr(1, token.text.size() - 2);
    return token.text;
}

}  // namespace ado::jet
