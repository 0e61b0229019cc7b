#include "MaskedEdit.h"

#include <vector>

#include <QFocusEvent>
#include <QMouseEvent>

#include "ComError.h"

namespace ui {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('_'); }

// One character place of a mask: an input place with its mask character, or a literal.
struct Place {
    QChar code;
    bool literal = false;
};

std::vector<Place> placesOf(const QString& mask) {
    std::vector<Place> places;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar m = mask[i];
        if (m == QLatin1Char('>') || m == QLatin1Char('<')) continue;  // case switches take no place
        const bool escaped = m == QLatin1Char('\\');
        if (escaped && ++i == mask.size()) break;  // a closing "\" takes no place, as in qtInputMask
        places.push_back({mask[i], escaped || !QStringLiteral("#9Aa&C?").contains(mask[i])});
    }
    return places;
}

bool fitsPlace(QChar code, QChar c) {
    switch (code.unicode()) {
    case '#':
    case '9': return c.isDigit() || isBlank(c);
    case 'A':
    case 'a': return c.isLetterOrNumber() || isBlank(c);
    case '?': return c.isLetter() || isBlank(c);
    default: return true;  // "&" and "C": any character
    }
}

// Whether `text` fills `mask` position by position: as many characters as the mask has places, each literal as
// written, and in each input place a character of its kind or a blank ("_" or a space). Qt would otherwise fit
// any text in by dropping what does not fit: "12/31/2008" under "##/####" became the valid "12/3120".
bool fitsMask(const QString& mask, const QString& text) {
    const std::vector<Place> places = placesOf(mask);
    if (static_cast<qsizetype>(places.size()) != text.size()) return false;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const QChar c = text[static_cast<qsizetype>(i)];
        if (places[i].literal ? c != places[i].code : !fitsPlace(places[i].code, c)) return false;
    }
    return true;
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

void MaskedEdit::toFirstFreePlace() {
    const std::vector<Place> places = placesOf(mask_);
    const QString shown = displayText();
    int firstFree = -1;
    for (std::size_t i = 0; i < places.size() && static_cast<qsizetype>(i) < shown.size(); ++i) {
        if (places[i].literal) continue;
        if (!isBlank(shown[static_cast<qsizetype>(i)])) return;  // the box holds a typed character
        if (firstFree < 0) firstFree = static_cast<int>(i);
    }
    if (firstFree >= 0) setCursorPosition(firstFree);
}

void MaskedEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    toFirstFreePlace();
}

void MaskedEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) toFirstFreePlace();
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
