#include "MaskedEdit.h"

namespace ui {

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
}

QString MaskedEdit::Text() const { return mask_.isEmpty() ? text() : displayText(); }

void MaskedEdit::setTextValue(const QString& value) {
    if (value.isEmpty() && !mask_.isEmpty()) {
        clear();
        return;
    }
    setText(value);
}

}  // namespace ui
