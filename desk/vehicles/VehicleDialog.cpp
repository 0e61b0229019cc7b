#include "VehicleDialog.h"

#include <QCloseEvent>

#include "ErrorReport.h"
#include "StatusLine.h"

namespace tally::desk {

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
