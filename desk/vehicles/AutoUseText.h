#pragma once
// The texts the vehicle-use windows build and read: the value lists and the statement they hand to the engine,
// the miles as they are stored, the column totals and the numbers read from a box.

#include <array>
#include <cstdint>

#include <QString>

namespace tally::desk {

// One page column's entries as the page holds them.
struct VehicleUseEntry {
    QString businessMiles;
    QString commutingMiles;
    QString personalMiles;
    bool offDuty = false;        // Yes of OptOffDuty
    bool fivePercentOwner = false;  // Yes of Opt5Owner
    bool anotherVehicle = false;    // Yes of optAnother
};

// The five questionnaire answers in the table's column order: No Personal Use, Commuting Allowed, All Personal
// Use, More 5 Cars & keep Track, Meet Requirements.
using AutoQstAnswers = std::array<bool, 5>;

// Miles as stored: the digits and decimal point of the text, nothing else, so a pasted "17,000" is kept as
// 17000 and reads back as the same number wherever the miles are read as a number.
QString plainMiles(const QString& text);

// The nine values of a tblAutoUse row: "7, 2008,2, '15000', '2500', '1200', True, False, True".
QString AutoUseValueList(std::int32_t companyId, std::int16_t year, const QString& vehicleNumber,
                         const VehicleUseEntry& entry);
// The seven values of a tblAutoQuestions row: "7, 2008, True, False, False, True, False".
QString AutoQstValueList(std::int32_t companyId, std::int16_t year, const AutoQstAnswers& answers);
// The statement that changes an existing questionnaire row.
QString AutoQstUpdateSql(std::int32_t companyId, std::int16_t year, const AutoQstAnswers& answers);

// A column's total miles for its total label: the numbers the three texts begin with, added and rounded to a
// whole number (halves to even); empty when that is 0, so a cleared column shows no stale total.
QString totalMilesText(const QString& business, const QString& commuting, const QString& personal);

// The status-line form of a mileage text: thousands separators, no decimals ("1234567" -> "1,234,567").
QString milesStatusText(const QString& text);

// The column number typed into the removal box: the number the text begins with, rounded (halves to even);
// numbers beyond the 64-bit range keep to its ends.
std::int64_t typedColumnNumber(const QString& text);

}  // namespace tally::desk
