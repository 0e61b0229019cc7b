#pragma once
// A box for a whole number of miles (or a column number): digits, the decimal point and control keys go in, any
// other key beeps and is dropped. Whatever reaches the text another way (paste, drag and drop) is cut down to
// its digits and decimal points, so the box never holds anything else the user put there.

#include <QLineEdit>

namespace tally::desk {

class MileageBox : public QLineEdit {
    Q_OBJECT
public:
    explicit MileageBox(const QString& name, QWidget* parent);

signals:
    // The user changed the text (typing, Backspace, Delete, cutting, pasting).
    void edited();
    void gotFocus();
    void lostFocus();
    void keyReleased();
    // A key was refused (the box beeps).
    void refused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace tally::desk
