#include "MileageBox.h"

#include <QApplication>
#include <QKeyEvent>

#include "AutoUseText.h"
#include "KeyAscii.h"
#include "StatusLine.h"

namespace tally::desk {

namespace {
// A typed character other than a digit or the decimal point; control keys, Delete among them, pass.
bool refusedKey(const QKeyEvent& event) {
    const int code = ui::keyAscii(event);
    return code >= 32 && code != '.' && !(code >= '0' && code <= '9');
}
}  // namespace

MileageBox::MileageBox(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString plain = plainMiles(text);
        if (plain != text) {
            const int cursor = cursorPosition() - static_cast<int>(text.left(cursorPosition()).size() -
                                                                   plainMiles(text.left(cursorPosition())).size());
            setText(plain);
            setCursorPosition(cursor);
        }
        emit edited();
    });
}

void MileageBox::keyPressEvent(QKeyEvent* event) {
    if (refusedKey(*event) && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QApplication::beep();
        emit refused();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void MileageBox::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    emit keyReleased();
}

void MileageBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit gotFocus();
    SelectAllText();
}

void MileageBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit lostFocus();
}

}  // namespace tally::desk
