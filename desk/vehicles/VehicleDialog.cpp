#include "VehicleDialog.h"

#include <QCloseEvent>

#include "ErrorReport.h"
#include "StatusLine.h"
#include "Twips.h"
#include "VehicleWindowParts.h"

namespace tally::desk {

VehicleDialog::VehicleDialog(QWidget* parent, const QString& name, const QString& title, double widthTwips,
                             double heightTwips)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    useVehicleWindowFont(*this);
    setFixedSize(ui::toPixels(widthTwips), ui::toPixels(heightTwips));
}

void VehicleDialog::unload() {
    DisplayMsg({});
    done(QDialog::Rejected);
}

void VehicleDialog::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

// Like the buttons, Escape's errors end in a box, never in the event loop.
void VehicleDialog::reject() { guarded(QStringLiteral("cmdCancel_Click"), [this] { cmdCancel_Click(); })(); }

}  // namespace tally::desk
