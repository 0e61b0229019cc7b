#pragma once
// The vehicle-use routines: the checks the asset save and the Form 4562 request ask, the vehicle-use page's
// opening, loading, totals, validation, saving and deletion, and the employer questionnaire's. Each routine
// traps and shows its own errors ("Error in <routine>. "), except DoAutoQstForm, whose errors reach its caller.

#include <cstdint>

#include <QString>

namespace tally::desk {

class frmAutoUse;
class frmAutoQst;

namespace modAutoUse {

// Whether the vehicle data of the year is complete enough for Form 4562: every active vehicle has its use row,
// or the questionnaire has a Yes. A company without vehicles in the year passes; a step that failed fails.
bool VehicleUseOk(std::int16_t intYear);
// Run after a new vehicle asset was added: without use data for the year, asks who uses the vehicle and leads
// to the vehicle-use page or the questionnaire. True when the vehicle's use is documented or exempt.
bool VehicleDocsOk(std::int16_t intYear, std::int16_t intVehicleNum);

// The page, shown modal for the year; a vehicle number above 0 starts the cursor in that vehicle's column.
void DoAutoUseForm(std::int16_t intYear, std::int16_t intVehicleNum);
// Fills the vehicle columns from the engine and disables the columns without a vehicle.
void PopulateVehicleDesc(frmAutoUse& page);
// Greys out and disables column 1 to 6's entries; any other number does nothing.
void DisableVehicleInput(frmAutoUse& page, std::int16_t column);
void ClearVehicleDesc();
QString GetVehicleDesc(std::int16_t column);
// Fills the page from the stored use rows of the year.
void GetAutoUse(frmAutoUse& page);
// The total label of column 1 to 6.
void ShowTotal(frmAutoUse& page, int column);
bool ValidateAuto(frmAutoUse& page);
// Validates and stores every changed column; true when at least one was changed and all were stored.
bool AddAutoUse(frmAutoUse& page);
// Deletes the stored use of the vehicle in page column `column` after confirmation and loads the page afresh.
void DeleteVehicle(frmAutoUse& page, std::int64_t column);
void SetVehicleChanged(int column, bool changed);
void SetAutoUseCancelled(bool cancelled);

// The employer questionnaire, shown modal for the year.
void DoAutoQstForm(std::int16_t intYear);
void GetAutoQst(frmAutoQst& window);
bool ValidateAutoQst(frmAutoQst& window);
// Validates and writes the answers (changing the row, or adding it when there is none); true when written.
bool AddUpdateAutoQst(frmAutoQst& window);
void DeleteAutoQst(frmAutoQst& window);

}  // namespace modAutoUse
}  // namespace tally::desk
