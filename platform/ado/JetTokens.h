#pragma once
// The tokens of an SQL statement as the Jet-dialect translator sees them. Literals, bracketed and quoted names
// and # dates are single tokens, so no rule ever looks inside them. Rules edit tokens in place (their text, or
// text written before or after them) and the statement is written out again from the tokens.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ado::jet {

enum class TokenKind {
    Space,      // blanks and line breaks
    Comment,    // -- to the end of the line, or /* ... */
    String,     // '...' with '' inside
    Bracket,    // [name]
    Quoted,     // "name" or `name`
    Date,       // #...#
    Word,       // a name or keyword
    DigitName,  // a name that begins with digits, such as 179_deduction
    Number,
    Symbol,     // an operator or punctuation, one or two characters
};

struct Token {
    TokenKind kind;
    std::string text;
    std::string before;  // written before the token
    std::string after;   // written after the token

    bool significant() const { return kind != TokenKind::Space && kind != TokenKind::Comment; }
    bool isWord(std::string_view keyword) const;      // a Word equal to keyword, without regard to case
    bool isSymbol(std::string_view symbol) const;
};

using Tokens = std::vector<Token>;
constexpr std::size_t npos = static_cast<std::size_t>(-1);

// Splits a statement into tokens; writing the tokens out again gives the statement back unchanged.
Tokens tokenize(std::string_view sql);

// Writes tokens [first, last) out again, with the text the rules added before and after them.
std::string render(const Tokens& tokens, std::size_t first = 0, std::size_t last = npos);

// The first significant token; the next / previous one from `index` (exclusive); npos when there is none (also
// when `index` is npos).
std::size_t firstSignificant(const Tokens& tokens);
std::size_t nextSignificant(const Tokens& tokens, std::size_t index);
std::size_t prevSignificant(const Tokens& tokens, std::size_t index);

// The parenthesis depth of every token: "(" and ")" carry the depth outside them.
std::vector<int> depths(const Tokens& tokens);

// The name inside a bracket token, or a word as it stands.
std::string nameOf(const Token& token);

}  // namespace ado::jet
