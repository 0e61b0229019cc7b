// The vehicle checks: before Form 4562 (is every active vehicle's use stored, or the company exempt?) and after
// a new vehicle asset is saved (lead the user to the use data or the questionnaire).

#include "Auto.h"
#include "DesktopState.h"
#include "Prompts.h"
#include "VehicleErrors.h"
#include "VehicleUseState.h"
#include "modAutoUse.h"

namespace tally::desk::modAutoUse {

namespace {
// Whether the year's questionnaire exists and whether one of its answers is Yes (Null counts as No).
struct Questionnaire {
    bool exists = false;
    bool hasYes = false;
};

Questionnaire readQuestionnaire(std::int16_t year) {
    const ado::RecordsetPtr rs = engine::Auto().GetAutoQst(year, glngCompanyId);
    Questionnaire q;
    q.exists = !rs->EOF_();
    for (long i = 0; q.exists && !q.hasYes && i < rs->FieldCount(); ++i) {
        const vb::Variant& value = (*rs)[i];
        q.hasYes = !value.isNull() && value.toBool();
    }
    return q;
}

// The vehicle-use page for the vehicle; completed unless closed with Cancel.
bool useEntered(std::int16_t year, std::int16_t vehicle) {
    DoAutoUseForm(year, vehicle);
    return !vehicleUseState().gblnAutoUseCancelled;
}
}  // namespace

bool VehicleUseOk(std::int16_t intYear) {
    const QString prefix = QStringLiteral("Error in VehicleUseOk. ");
    std::int32_t active = 0;
    std::int32_t withUse = 0;
    Questionnaire questionnaire;
    // A step that failed leaves the data unknown, which is not complete: the caller then asks whether to go on.
    bool stepsRan = vehicleStep(prefix, [&] { active = engine::Auto().ActiveAutos(glngCompanyId, intYear); });
    stepsRan = vehicleStep(prefix, [&] { questionnaire = readQuestionnaire(intYear); }) && stepsRan;
    if (questionnaire.hasYes) return true;
    stepsRan = vehicleStep(prefix, [&] { withUse = engine::Auto().CheckAutoUse(glngCompanyId, intYear, 0); }) &&
               stepsRan;
    return stepsRan && withUse >= active;
}

bool VehicleDocsOk(std::int16_t intYear, std::int16_t intVehicleNum) {
    const QString prefix = QStringLiteral("Error in VehicleDocsOk. ");
    // Each step that fails is shown and the check goes on with the next one.
    std::int32_t useRows = 0;
    vehicleStep(prefix, [&] { useRows = engine::Auto().CheckAutoUse(glngCompanyId, intYear, intVehicleNum); });
    if (useRows == 1) return true;

    bool result = false;
    const int answer = ui::prompts().msgBox(
        QStringLiteral("Is the vehicle used by a sole proprietor, partner or other 'more than 5% owner,' or related "
                       "person?"),
        ui::mb::YesNo, QStringLiteral("Auto Use"));
    if (answer != ui::mb::Yes) {
        Questionnaire questionnaire;
        const bool read = vehicleStep(prefix, [&] { questionnaire = readQuestionnaire(intYear); });
        if (read && !questionnaire.exists) {
            vehicleStep(prefix, [&] { DoAutoQstForm(intYear); });
            if (vehicleUseState().gblnAutoQstHasYes) return true;
        } else if (questionnaire.hasYes) {
            return true;
        }
    }
    vehicleStep(prefix, [&] { result = useEntered(intYear, intVehicleNum); });
    return result;
}

}  // namespace tally::desk::modAutoUse
