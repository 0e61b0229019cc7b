#pragma once
// The arithmetic and text rules of the asset window that need no window: reading the business share, cutting the
// class text apart, the cost basis and special allowance, the method shown for a method and life, the convention
// code, the section 179 limit test, the method a save hands to the calculation, and the vehicle limit decision.
// The window (Depr routines) feeds these from its controls.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

#include <QString>

#include "VbDate.h"

namespace tally::desk::assets {

// Leading number of a text (VB Val): 0 when the text does not start with a number; never fails.
double val(const QString& text);
// A number as the program writes it (up to 15 significant digits, no separators).
QString numberText(double value);

// The business-use share typed as a percentage ("75" -> 0.75, "12.5" -> 0.125, "" -> 1). A text that starts with
// "." or "0." is already a fraction (".75", "0.75" -> 0.75); "7.5" is 7.5 %, not 750 %.
double businessFraction(const QString& text);
// The text the window shows for a stored share: the percentage ("75" for 0.75), or for a share below 1 % the
// fraction itself (".005"), so that reading it back gives the stored share again.
QString businessPercentText(double fraction);

// The class item text: description, 50 blanks, life, "-", vehicle type text, "\", amortization code. Life and
// code raise Type mismatch when their part is no number.
double classLife(const QString& classText);
QString classVehicleType(const QString& classText);  // "N", "G", "E", "T"; empty when no "-" is found
double classAmortizeCode(const QString& classText);
// The life part of the class text read with Val (0 when there is none): the class rule's life selection.
double classLifeValue(const QString& classText);

// cost x fraction - (s179 + allowance + other).
double costBasis(double cost, double fraction, double s179, double allowance, double other);
// The basis caption: whole dollars, halves away from zero, "-" when negative ("##0").
QString costBasisCaption(double basis);
// The special allowance caption at a rate: (cost x fraction - (other + s179)) x rate as the default number text;
// "0" when negative.
QString allowanceCaption(double cost, double fraction, double other, double s179, double rate);

// The method shown for a method name and life: "200 DB", "150 DB", "S/L", "Amortize" or "" (names are exact).
QString showMethod(const QString& method, int life);

// Convention code: 4 when the frame is disabled, else the first ticked option's index + 1, else 0.
std::int16_t conventionCode(bool frameEnabled, const std::array<bool, 3>& ticked);

// "mm/yyyy" as the first day of that month; nothing when it is no date (month 01-12, year 1900-9999).
std::optional<vb::Date> monthYearDate(const QString& text);
// 1/1/1900 (not sold) unless the sold-date text is a date.
vb::Date soldDate(const QString& maskText);

// The section 179 limit test.
struct Section179Figures {
    double limit = 0;
    double threshold = 0;
    double costTotal = 0;
    double total179 = 0;
    double carryover = 0;
    double incomeLimit = 0;
};
struct Section179Result {
    bool computed = false;  // false when the year has no threshold (no limits)
    double adjusted = 0;
    double remaining = 0;
    bool overLimit = false;
};
Section179Result check179(const Section179Figures& figures);

// The method and life a save hands to the calculation (the stored row keeps the window's values).
struct CalculationPlan {
    QString method;
    double life = 0;
};
CalculationPlan calculationPlan(const QString& windowMethod, double life, double fraction);

// Which allowance box a loaded allowance ticks, from its share of the depreciable cost: 0 none, 30, 50 or 100.
int bonusBoxForRatio(double ratio);
// The allowance code the vehicle limits are asked with: 3, 5 or 0.
std::int16_t vehicleAllowanceCode(bool box30, bool box50, bool box100, const QString& allowanceCaption);

// The vehicle limit decision for the limit code the engine gave (first-year limit, 0, -3, -5).
struct VehicleLimitDecision {
    enum class Kind { Proceed, MissingLimits, AskZero30, AskZero50, Over179, AdjustAllowance } kind = Kind::Proceed;
    double limit = 0;         // code x fraction
    double allowance = 0;     // the adjusted allowance for AdjustAllowance
};
VehicleLimitDecision vehicleLimitDecision(std::int32_t code, double fraction, double s179Text, double allowanceText);

// The mid-quarter share and verdict: share of the fourth quarter (0 when the year total is 0); required above 0.4.
struct MidQuarterResult {
    double share = 0;
    bool required = false;
};
MidQuarterResult midQuarter(double yearTotal, double fourthQuarter);

// Whether a method name is one of the names (compared exactly, case included).
bool isOneOf(const QString& method, std::initializer_list<const char*> names);

// Lives MACRS accepts.
bool isMacrsLife(double life);

}  // namespace tally::desk::assets
