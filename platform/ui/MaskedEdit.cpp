#include "MaskedEdit.h"

#include "ComError.h"

namespace ui {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('_'); }

// Whether `text` fills `mask` position by position: as many characters as the mask has places, each literal as
// written, and in each input place a character of its kind or a blank ("_" or a space). Qt would otherwise fit
// any text in by dropping what does not fit: "12/31/2008" under "##/####" became the valid "12/3120".
bool fitsMask(const QString& mask, const QString& text) {
    qsizetype at = 0;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar m = mask[i];
        if (m == QLatin1Char('>') || m == QLatin1Char('<')) continue;  // case switches take no place
        const bool escaped = m == QLatin1Char('\\');
        if (escaped && ++i == mask.size()) break;  // a closing "\" takes no place, as in qtInputMask
        if (at >= text.size()) return false;
        const QChar c = text[at++];
        bool fits = false;
        switch (escaped ? 0 : m.unicode()) {
        case '#':
        case '9': fits = c.isDigit() || isBlank(c); break;
        case 'A':
        case 'a': fits = c.isLetterOrNumber() || isBlank(c); break;
        case '?': fits = c.isLetter() || isBlank(c); break;
        case '&':
        case 'C': fits = true; break;
        default: fits = c == mask[i];
        }
        if (!fits) return false;
    }
    return at == text.size();
}

}  // namespace

MaskedEdit::MaskedEdit(QWidget* parent) : QLineEdit(parent) {}

QString MaskedEdit::qtInputMask(const QString& mask) {
    if (mask.isEmpty()) return {};
    QString out;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        switch (c.unicode()) {
        case '#': out += '9'; break;
        case '9': out += '0'; break;
        case 'A': out += 'N'; break;
        case 'a': out += 'n'; break;
        case '&': out += 'X'; break;
        case 'C': out += 'x'; break;
        case '?': out += 'A'; break;
        case '>': out += '>'; break;
        case '<': out += '<'; break;
        case '\\':
            if (i + 1 < mask.size()) out += QStringLiteral("\\") + mask[++i];
            break;
        default:
            // Every other character is a literal; Qt needs its own mask letters escaped. A ";" cannot be one:
            // Qt ends the mask at the first ";" even when it is escaped, so no mask of the program holds one.
            if (QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}").contains(c)) out += '\\';
            out += c;
        }
    }
    return out + QStringLiteral(";_");
}

void MaskedEdit::setMask(const QString& mask) {
    mask_ = mask;
    setInputMask(qtInputMask(mask));
    // Qt refits the old text into the new mask ("03/2005" under "##/##/####" became "03/20/05__").
    clear();
}

QString MaskedEdit::Text() const { return mask_.isEmpty() ? text() : displayText(); }

void MaskedEdit::setTextValue(const QString& value) {
    if (value.isEmpty() && !mask_.isEmpty()) {
        clear();
        return;
    }
    if (!mask_.isEmpty() && !fitsMask(mask_, value)) tally::raiseVbError(tally::vberr::InvalidPropertyValue);
    setText(value);
}

}  // namespace ui
