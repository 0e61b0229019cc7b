#include "StatusLine.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include "Colour.h"
#include "ErrorReport.h"
#include "ShellConversions.h"
#include "Strings.h"

namespace tally::desk {

namespace {
QPointer<QLabel>& label() {
    static QPointer<QLabel> instance;
    return instance;
}
}  // namespace

void setStatusLabel(QLabel* statusLabel) { label() = statusLabel; }

void DisplayMsg(const QString& message, const QString& colour) {
    QLabel* target = label();
    if (!target) return;
    target->setText(message);
    trapStep(QStringLiteral("Error in DisplayMsg. "), ErrorLayout::ErrorNumber, [&] {
        const std::int32_t number = colour.isEmpty() ? kStatusGreen : toLong(colour);
        ui::setTextColour(*target, number);
    });
}

void setStatusTextOnly(const QString& message) {
    if (QLabel* target = label()) target->setText(message);
}

QString NoQuote(const QString& text) {
    QString quoted = text;
    return quoted.replace(QLatin1Char('\''), QLatin1Char('`'));
}

QString TrimBlanks(const QString& text) { return QString::fromStdString(vb::Trim(text.toStdString())); }

void SelectAllText() {
    QWidget* focused = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(focused)) focused = combo->lineEdit();
    if (auto* edit = qobject_cast<QLineEdit*>(focused)) {
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(focused)) {
        QTimer::singleShot(0, spin, &QAbstractSpinBox::selectAll);
    }
}

}  // namespace tally::desk
