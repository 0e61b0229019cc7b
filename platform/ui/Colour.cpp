#include "Colour.h"

#include <QPalette>
#include <QWidget>

namespace ui {

void setTextColour(QWidget& widget, std::int32_t number) {
    QPalette palette = widget.palette();
    const QColor colour = colourFromNumber(number);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget.setPalette(palette);
}

std::int32_t textColour(const QWidget& widget) { return numberFromColour(widget.palette().color(QPalette::WindowText)); }

}  // namespace ui
