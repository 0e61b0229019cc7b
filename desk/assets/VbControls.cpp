#include "VbControls.h"

#include <QApplication>
#include <QLineEdit>

#include "Colour.h"
#include "Format.h"

namespace tally::desk::assets {

std::function<void()>& beeper() {
    static std::function<void()> beep = [] { QApplication::beep(); };
    return beep;
}

void setBackColour(QWidget& widget, std::int32_t number) {
    QPalette palette = widget.palette();
    const QColor colour = ui::colourFromNumber(number);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    widget.setPalette(palette);
    widget.setProperty("vbBack", number);
}

std::int32_t backColour(const QWidget& widget) {
    const QVariant stored = widget.property("vbBack");
    return stored.isValid() ? stored.toInt() : kWhite;
}

void setForeColour(QWidget& widget, std::int32_t number) {
    ui::setTextColour(widget, number);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::ButtonText, ui::colourFromNumber(number));
    widget.setPalette(palette);
    widget.setProperty("vbFore", number);
}

std::int32_t foreColour(const QWidget& widget) {
    const QVariant stored = widget.property("vbFore");
    return stored.isValid() ? stored.toInt() : kBlack;
}

void switchField(QWidget& widget, bool on) {
    setBackColour(widget, on ? kWhite : kGrey);
    widget.setEnabled(on);
}

void untickOption(QRadioButton& option) {
    option.setAutoExclusive(false);
    option.setChecked(false);
    option.setAutoExclusive(true);
}

VbCombo::VbCombo(bool editable, QWidget* parent) : QComboBox(parent) {
    setEditable(editable);
    setInsertPolicy(QComboBox::NoInsert);
    if (editable) {
        setCompleter(nullptr);
        // Typing leaves no entry selected, as the program's combos do; the typed text stays.
        connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& typed) {
            if (currentIndex() < 0) return;
            const int cursor = lineEdit()->cursorPosition();
            const QSignalBlocker block(this);
            setCurrentIndex(-1);
            setEditText(typed);
            lineEdit()->setCursorPosition(cursor);
        });
    }
}

void VbCombo::showPopup() {
    emit dropDown();
    QComboBox::showPopup();
}

void VbCombo::setText(const QString& text) {
    setCurrentIndex(-1);
    if (isEditable()) setEditText(text);
}

std::int32_t VbCombo::selectedData() const {
    const QVariant data = currentData();
    return data.isValid() ? data.toInt() : 0;
}

void FigureLabel::setFigure(double figure) {
    figure_ = figure;
    setText(QString::fromStdString(vb::Format(figure, "$###,##0")));
}

void FigureLabel::clearFigure() {
    figure_ = 0;
    clear();
}

}  // namespace tally::desk::assets
