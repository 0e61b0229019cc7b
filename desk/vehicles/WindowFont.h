#pragma once
// The vehicle windows lay their controls out in twips for an 8-point sans-serif face; a wider or larger default
// face would cut their captions off.

#include <QFont>
#include <QWidget>

namespace tally::desk {

inline void useVehicleWindowFont(QWidget& window) {
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPointSizeF(8.25);
    window.setFont(face);
}

}  // namespace tally::desk
