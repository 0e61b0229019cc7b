#include "AltKeys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace ui {

namespace {

constexpr const char* kFilterName = "altTypingFilter";

bool takesTypedText(const QObject* receiver) {
    return qobject_cast<const QLineEdit*>(receiver) || qobject_cast<const QComboBox*>(receiver) ||
           qobject_cast<const QAbstractSpinBox*>(receiver) || qobject_cast<const QTextEdit*>(receiver) ||
           qobject_cast<const QPlainTextEdit*>(receiver);
}

// An Alt key that types: Alt (Shift allowed) without Ctrl, carrying a printable character. AltGr, which types the
// third level of a key on many keyboards, does not arrive as Alt and is left alone.
bool isAltTyping(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    return held == Qt::AltModifier && !key.text().isEmpty() && key.text().front().isPrint();
}

class AltTypingFilter final : public QObject {
public:
    explicit AltTypingFilter(QObject* parent) : QObject(parent) { setObjectName(QLatin1String(kFilterName)); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !takesTypedText(receiver)) return false;
        if (!isAltTyping(*static_cast<QKeyEvent*>(event))) return false;
        QApplication::beep();
        return true;
    }
};

}  // namespace

void refuseAltTyping(QCoreApplication& app) {
    if (app.findChild<QObject*>(QLatin1String(kFilterName), Qt::FindDirectChildrenOnly)) return;
    app.installEventFilter(new AltTypingFilter(&app));
}

}  // namespace ui
