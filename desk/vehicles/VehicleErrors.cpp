#include "VehicleErrors.h"

#include "AppIdentity.h"
#include "ComError.h"
#include "Prompts.h"

namespace tally::desk {

QString vehicleErrorText(const QString& prefix) {
    const ErrorInfo error = currentError();
    QString source = QString::fromLatin1(kErrorSource);
    try {
        throw;
    } catch (const ComError& e) {
        source = QString::fromStdString(e.source());
    } catch (...) {
    }
    return prefix + error.description + QStringLiteral("  ") + QString::number(error.number) + QStringLiteral("  ") +
           source;
}

void showVehicleError(const QString& prefix) { ui::prompts().msgBox(vehicleErrorText(prefix)); }

}  // namespace tally::desk
