#pragma once
// What the two vehicle windows build alike: their face, their plain-text labels and their buttons, placed in
// twips.

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace tally::desk {

// The windows lay their controls out in twips for an 8-point sans-serif face; a wider or larger default face
// would cut their captions off.
void useVehicleWindowFont(QWidget& window);

// A plain-text label (captions and data are never markup); one taller than a line wraps.
QLabel* plainLabel(QWidget* parent, const QString& name, const QString& caption, double left, double top, double width,
                   double height);
QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption, double left, double top,
                           double width, double height);

}  // namespace tally::desk
