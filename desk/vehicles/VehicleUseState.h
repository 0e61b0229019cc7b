#pragma once
// What the vehicle-use page, the employer questionnaire and the vehicle checks share while the program runs:
// the tax year both windows show, the vehicle of each page column, which columns the user changed, and how the
// windows were last left. One structure, owned by the vehicle-use routines.

#include <array>
#include <cstdint>

#include <QString>

namespace tally::desk {

inline constexpr int kVehicleColumns = 6;

struct VehicleUseState {
    // The tax year of the page and of the questionnaire.
    std::int16_t gintAutoUseYear = 0;
    // Per page column 1 to 6 (0 unused): field 1 the vehicle's description, field 2 its vehicle number as text;
    // "N/A" and "0" for a column without a vehicle. Field 0 is unused.
    std::array<std::array<QString, 3>, kVehicleColumns + 1> gstrVehicles;
    // Column 1 to 6 changed since it was loaded or stored (0 unused).
    std::array<bool, kVehicleColumns + 1> gblnVehicleChanged{};
    // The page was last closed with its Cancel button.
    bool gblnAutoUseCancelled = false;
    // The last save stored every changed column.
    bool gblnAutoUseSaved = false;
    // The questionnaire row of the company and year exists.
    bool gblnAutoQstExists = false;
    // The questionnaire saved in its current showing has at least one Yes.
    bool gblnAutoQstHasYes = false;
};

VehicleUseState& vehicleUseState();

}  // namespace tally::desk
