#include "VehicleWindowParts.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "Twips.h"

namespace tally::desk {

void useVehicleWindowFont(QWidget& window) {
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPointSizeF(8.25);
    window.setFont(face);
}

QLabel* plainLabel(QWidget* parent, const QString& name, const QString& caption, double left, double top, double width,
                   double height) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(height > 300);
    ui::placeTwips(*label, left, top, width, height);
    return label;
}

QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption, double left, double top,
                           double width, double height) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    ui::placeTwips(*button, left, top, width, height);
    return button;
}

}  // namespace tally::desk
