#pragma once
// The error box of the vehicle-use routines: "Error in <routine>. " description, two blanks, number, two
// blanks, source.

#include <QString>

#include "ErrorReport.h"

namespace tally::desk {

// The box text for the exception being handled (call from a catch block).
QString vehicleErrorText(const QString& prefix);
// Shows that box (call from a catch block).
void showVehicleError(const QString& prefix);

// Runs one step; an exception shows the vehicle-use error box and the step counts as failed.
template <typename Step>
bool vehicleStep(const QString& prefix, Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        showVehicleError(prefix);
        return false;
    }
}

}  // namespace tally::desk
