#pragma once
// Colour numbers as the program writes them: red + 256 * green + 65536 * blue.

#include <cstdint>

#include <QColor>

class QWidget;

namespace ui {

inline QColor colourFromNumber(std::int32_t number) {
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

inline std::int32_t numberFromColour(const QColor& colour) {
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

// Sets a widget's text colour (its WindowText and Text roles).
void setTextColour(QWidget& widget, std::int32_t number);
std::int32_t textColour(const QWidget& widget);

}  // namespace ui
