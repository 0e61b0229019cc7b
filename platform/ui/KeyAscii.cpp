#include "KeyAscii.h"

#include <QKeyEvent>

namespace ui {

int keyAscii(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return -1;
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return event.key() - Qt::Key_A + 1;
    const QString text = event.text();
    if (text.isEmpty()) return -1;
    const QChar c = text.front();
    if (c.unicode() >= 0x7f && c.category() == QChar::Other_Control) return -1;
    return c.unicode();
}

}  // namespace ui
