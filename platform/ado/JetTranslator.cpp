#include "JetTranslator.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>

#include "JetTokens.h"
#include "ProviderError.h"
#include "Recordset.h"
#include "Strings.h"
#include "VbDate.h"

namespace ado {

namespace {

using namespace jet;

bool isDigits(std::string_view text, std::size_t minLength, std::size_t maxLength) {
    return text.size() >= minLength && text.size() <= maxLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The ISO text of a # date literal written m/d/yyyy or mm/yyyy (the first of that month), blanks allowed inside
// the # signs; nothing for any other text, so that a date is never guessed.
std::optional<std::string> isoDateOf(const std::string& literal) {
    if (literal.size() < 2 || literal.back() != '#') return std::nullopt;
    const std::vector<std::string> parts = vb::Split(vb::Trim(literal.substr(1, literal.size() - 2)), "/");
    int month = 0, day = 1, year = 0;
    if (parts.size() == 3 && isDigits(parts[0], 1, 2) && isDigits(parts[1], 1, 2) && isDigits(parts[2], 4, 4)) {
        month = std::stoi(parts[0]);
        day = std::stoi(parts[1]);
        year = std::stoi(parts[2]);
    } else if (parts.size() == 2 && isDigits(parts[0], 1, 2) && isDigits(parts[1], 4, 4)) {
        month = std::stoi(parts[0]);
        year = std::stoi(parts[1]);
    } else {
        return std::nullopt;
    }
    if (!vb::isValidDate(year, month, day)) return std::nullopt;
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", year, month, day);
    return std::string(iso);
}

void translateDates(Tokens& tokens) {
    for (Token& token : tokens) {
        if (token.kind != TokenKind::Date) continue;
        const std::optional<std::string> iso = isoDateOf(token.text);
        if (!iso) raiseProviderError(adoerr::ProviderError, "Syntax error in date in query expression '" + token.text + "'.");
        token.kind = TokenKind::String;
        token.text = "'" + *iso + "'";
    }
}

// 179_deduction -> [179_deduction]: SQLite does not take a name that begins with a digit.
void bracketDigitNames(Tokens& tokens) {
    for (Token& token : tokens) {
        if (token.kind != TokenKind::DigitName) continue;
        token.kind = TokenKind::Bracket;
        token.text = "[" + token.text + "]";
    }
}

// True and Yes -> 1, False and No -> 0 where they stand alone (not a qualified name, a function or an alias).
void translateBooleans(Tokens& tokens) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Token& token = tokens[i];
        const bool isTrue = token.isWord("True") || token.isWord("Yes");
        const bool isFalse = token.isWord("False") || token.isWord("No");
        if (!isTrue && !isFalse) continue;
        const std::size_t prev = prevSignificant(tokens, i);
        const std::size_t next = nextSignificant(tokens, i);
        if (prev != npos && (tokens[prev].isSymbol(".") || tokens[prev].isWord("AS"))) continue;
        if (next != npos && (tokens[next].isSymbol(".") || tokens[next].isSymbol("("))) continue;
        token.kind = TokenKind::Number;
        token.text = isTrue ? "1" : "0";
    }
}

// Delete * from -> DELETE FROM
void translateDeleteStar(Tokens& tokens) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!tokens[i].isWord("DELETE")) continue;
        const std::size_t star = nextSignificant(tokens, i);
        if (star == npos || !tokens[star].isSymbol("*")) continue;
        const std::size_t from = nextSignificant(tokens, star);
        if (from == npos || !tokens[from].isWord("FROM")) continue;
        tokens[i].text = "DELETE";
        for (std::size_t j = star; j < from; ++j) tokens[j].text.clear();
        tokens[from].text = "FROM";
    }
}

bool hasTrailingBlanks(const Token& token) {
    if (token.kind != TokenKind::Bracket) return false;
    const std::string name = nameOf(token);
    return !name.empty() && name.back() == ' ' && name.find_first_not_of(' ') != std::string::npos;
}

bool endsSelectList(const Token& token) {
    static constexpr std::string_view words[] = {"FROM", "WHERE", "UNION", "ORDER", "GROUP", "HAVING", "INTO", "LIMIT"};
    return token.isSymbol(";") || std::any_of(std::begin(words), std::end(words),
                                              [&](std::string_view w) { return token.isWord(w); });
}

// A select-list item that is nothing but a column, possibly qualified ([Year  ], tblCompany.[State  ]), whose
// bracketed name carries trailing blanks: the blanks are its heading.
bool isBareHeadingItem(const Tokens& tokens, const std::vector<std::size_t>& item) {
    if (item.empty() || item.size() % 2 == 0 || !hasTrailingBlanks(tokens[item.back()])) return false;
    for (std::size_t k = 0; k < item.size(); ++k) {
        const Token& token = tokens[item[k]];
        const bool ok = k % 2 == 1 ? token.isSymbol(".")
                                   : token.kind == TokenKind::Word || token.kind == TokenKind::Bracket;
        if (!ok) return false;
    }
    return true;
}

// The bracket tokens that stand alone as select-list items with trailing blanks in their names.
std::set<std::size_t> selectListHeadings(const Tokens& tokens, const std::vector<int>& depth) {
    std::set<std::size_t> headings;
    for (std::size_t s = 0; s < tokens.size(); ++s) {
        if (!tokens[s].isWord("SELECT")) continue;
        std::vector<std::size_t> item;
        auto closeItem = [&] {
            if (isBareHeadingItem(tokens, item)) headings.insert(item.back());
            item.clear();
        };
        for (std::size_t i = nextSignificant(tokens, s); i != npos; i = nextSignificant(tokens, i)) {
            if (depth[i] < depth[s] || (depth[i] == depth[s] && endsSelectList(tokens[i]))) break;
            if (depth[i] == depth[s] && tokens[i].isSymbol(",")) {
                closeItem();
                continue;
            }
            const bool quantifier = item.empty() && (tokens[i].isWord("DISTINCT") || tokens[i].isWord("ALL"));
            if (!quantifier) item.push_back(i);
        }
        closeItem();
    }
    return headings;
}

// [Year  ] names the column Year; after AS the blanks are the heading and stay; a bare select-list item keeps them
// as its heading: [Year  ] -> [Year] AS [Year  ].
void trimBracketNames(Tokens& tokens, const std::vector<int>& depth) {
    const std::set<std::size_t> headings = selectListHeadings(tokens, depth);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Token& token = tokens[i];
        if (!hasTrailingBlanks(token)) continue;
        const std::size_t prev = prevSignificant(tokens, i);
        if (prev != npos && tokens[prev].isWord("AS")) continue;
        const std::string heading = token.text;
        token.text = "[" + vb::RTrim(nameOf(token)) + "]";
        if (headings.count(i)) token.after = " AS " + heading + token.after;
    }
}

bool endsOperand(const Token& token) {
    static constexpr std::string_view symbols[] = {",", "=", "==", "<", ">", "<=", ">=", "<>", "!=", "||", ";"};
    static constexpr std::string_view words[] = {
        "SELECT", "FROM",  "WHERE", "AND",    "OR",    "NOT",   "AS",     "ON",        "SET",     "VALUES",
        "BETWEEN", "IN",   "IS",    "LIKE",   "GLOB",  "WHEN",  "THEN",   "ELSE",      "END",     "CASE",
        "ORDER",  "GROUP", "BY",    "HAVING", "UNION", "ALL",   "JOIN",   "INNER",     "LEFT",    "RIGHT",
        "OUTER",  "CROSS", "INTO",  "DISTINCT", "LIMIT", "OFFSET", "ESCAPE", "ASC",     "DESC",    "COLLATE",
        "UPDATE", "DELETE", "INSERT", "EXCEPT", "INTERSECT"};
    if (token.kind == TokenKind::Symbol)
        return std::any_of(std::begin(symbols), std::end(symbols), [&](std::string_view s) { return token.text == s; });
    return std::any_of(std::begin(words), std::end(words), [&](std::string_view w) { return token.isWord(w); });
}

// One run of operands joined by + at one parenthesis depth.
struct PlusChain {
    struct Operand {
        std::size_t first = npos;
        std::size_t last = npos;
    };
    std::vector<Operand> operands;
    std::vector<std::size_t> pluses;
    Operand current;

    void extend(std::size_t i) {
        if (current.first == npos) current.first = i;
        current.last = i;
    }
};

// A + chain with a text literal among its operands joins text: its + become || and every other operand is
// written as VB writes it in text (5 rather than 5.0), through the registered function VbText.
void finishChain(Tokens& tokens, PlusChain& chain) {
    if (chain.current.first != npos) chain.operands.push_back(chain.current);
    chain.current = {};
    if (chain.pluses.empty() || chain.operands.size() != chain.pluses.size() + 1) return;
    auto isLiteral = [&](const PlusChain::Operand& o) {
        return o.first == o.last && tokens[o.first].kind == TokenKind::String;
    };
    if (std::none_of(chain.operands.begin(), chain.operands.end(), isLiteral)) return;
    for (std::size_t plus : chain.pluses) tokens[plus].text = "||";
    for (const PlusChain::Operand& operand : chain.operands) {
        if (isLiteral(operand)) continue;
        tokens[operand.first].before = "VbText(" + tokens[operand.first].before;
        tokens[operand.last].after += ")";
    }
}

void translateConcatenation(Tokens& tokens) {
    std::vector<PlusChain> open(1);
    for (std::size_t i = firstSignificant(tokens); i != npos; i = nextSignificant(tokens, i)) {
        const Token& token = tokens[i];
        if (token.isSymbol("(")) {
            open.back().extend(i);
            open.emplace_back();
        } else if (token.isSymbol(")")) {
            if (open.size() > 1) {
                finishChain(tokens, open.back());
                open.pop_back();
            }
            open.back().extend(i);
        } else if (endsOperand(token)) {
            finishChain(tokens, open.back());
            open.back() = PlusChain{};
        } else if (token.isSymbol("+") && open.back().current.first != npos) {
            open.back().operands.push_back(open.back().current);
            open.back().current = {};
            open.back().pluses.push_back(i);
        } else {
            open.back().extend(i);
        }
    }
    while (!open.empty()) {
        finishChain(tokens, open.back());
        open.pop_back();
    }
}

bool isTableName(const Token& token) { return token.kind == TokenKind::Word || token.kind == TokenKind::Bracket; }
bool sameName(const Token& a, const Token& b) { return vb::EqualsNoCase(nameOf(a), nameOf(b)); }

std::size_t findAtDepthZero(const Tokens& tokens, const std::vector<int>& depth, std::size_t from,
                            std::string_view keyword) {
    for (std::size_t i = nextSignificant(tokens, from); i != npos; i = nextSignificant(tokens, i)) {
        if (depth[i] == 0 && tokens[i].isWord(keyword)) return i;
    }
    return npos;
}

// UPDATE a INNER JOIN b ON <join> SET b.x = a.x, ... [WHERE <where>]
//   -> UPDATE b SET x = a.x, ... FROM a WHERE (<join>) AND (<where>)
// The updated table is the one the SET targets name; SQLite wants the targets unqualified.
std::optional<std::string> translateUpdateJoin(Tokens& tokens, const std::vector<int>& depth) {
    const std::size_t update = firstSignificant(tokens);
    if (update == npos || !tokens[update].isWord("UPDATE")) return std::nullopt;
    const std::size_t first = nextSignificant(tokens, update);
    const std::size_t inner = nextSignificant(tokens, first);
    const std::size_t join = nextSignificant(tokens, inner);
    const std::size_t second = nextSignificant(tokens, join);
    const std::size_t on = nextSignificant(tokens, second);
    if (on == npos || !isTableName(tokens[first]) || !tokens[inner].isWord("INNER") || !tokens[join].isWord("JOIN") ||
        !isTableName(tokens[second]) || !tokens[on].isWord("ON"))
        return std::nullopt;
    const std::size_t set = findAtDepthZero(tokens, depth, on, "SET");
    if (set == npos) return std::nullopt;
    const std::size_t where = findAtDepthZero(tokens, depth, set, "WHERE");
    std::size_t end = prevSignificant(tokens, tokens.size());
    if (tokens[end].isSymbol(";")) end = prevSignificant(tokens, end);
    ++end;

    // The qualifier of each assignment's target: the assignment starts after SET or a comma at depth 0.
    std::vector<std::size_t> qualifiers;
    const std::size_t setEnd = where == npos ? end : where;
    for (std::size_t i = set; i != npos && i < setEnd; i = nextSignificant(tokens, i)) {
        if (!(i == set || (depth[i] == 0 && tokens[i].isSymbol(",")))) continue;
        const std::size_t name = nextSignificant(tokens, i);
        const std::size_t dot = nextSignificant(tokens, name);
        const std::size_t column = nextSignificant(tokens, dot);
        if (column != npos && isTableName(tokens[name]) && tokens[dot].isSymbol(".") && isTableName(tokens[column]))
            qualifiers.push_back(name);
    }
    std::size_t target = first;
    for (std::size_t q : qualifiers) {
        if (sameName(tokens[q], tokens[first]) || sameName(tokens[q], tokens[second])) {
            target = sameName(tokens[q], tokens[first]) ? first : second;
            break;
        }
    }
    const std::size_t other = target == first ? second : first;
    for (std::size_t q : qualifiers) {
        if (!sameName(tokens[q], tokens[target])) continue;
        const std::size_t dot = nextSignificant(tokens, q);
        for (std::size_t j = q; j <= dot; ++j) {
            tokens[j].text.clear();
            tokens[j].before.clear();
            tokens[j].after.clear();
        }
    }

    auto piece = [&](std::size_t from, std::size_t to) { return vb::Trim(render(tokens, from, to)); };
    std::string sql = "UPDATE " + piece(target, target + 1) + " SET " + piece(set + 1, setEnd) + " FROM " +
                      piece(other, other + 1) + " WHERE (" + piece(on + 1, set) + ")";
    if (where != npos) sql += " AND (" + piece(where + 1, end) + ")";
    return sql;
}

}  // namespace

std::string translateJetSql(const std::string& jetSql) {
    Tokens tokens = tokenize(jetSql);
    translateDates(tokens);
    bracketDigitNames(tokens);
    translateBooleans(tokens);
    translateDeleteStar(tokens);
    const std::vector<int> depth = depths(tokens);
    trimBracketNames(tokens, depth);
    translateConcatenation(tokens);
    if (std::optional<std::string> update = translateUpdateJoin(tokens, depth)) return *update;
    return render(tokens);
}

}  // namespace ado
