#pragma once
// The error box of the vehicle-use routines: "Error in <routine>. " description, two blanks, number, two
// blanks, source.

#include <QString>

#include "ErrorReport.h"

namespace tally::desk {

// Runs one step; an exception shows the vehicle-use error box and the step counts as failed.
template <typename Step>
bool vehicleStep(const QString& prefix, Step&& step) {
    return trapStep(prefix, ErrorLayout::Source, std::forward<Step>(step));
}

}  // namespace tally::desk
