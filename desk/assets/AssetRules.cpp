#include "AssetRules.h"

#include <algorithm>

#include "ComError.h"
#include "Conversions.h"
#include "Format.h"
#include "Strings.h"

namespace tally::desk::assets {

namespace {

std::string utf8(const QString& text) { return text.toStdString(); }

// The part of the class text's last 13 characters before its first "-" (the whole window when there is none).
std::string lifePart(const QString& classText) {
    const std::string window = vb::Right(utf8(classText), 13);
    const long dash = vb::InStr(window, "-");
    return dash > 0 ? vb::Left(window, dash - 1) : window;
}

}  // namespace

double val(const QString& text) { return vb::Val(utf8(text)); }

QString numberText(double value) { return QString::fromStdString(vb::NumberText(value)); }

double businessFraction(const QString& text) {
    if (text.startsWith(QLatin1Char('.')) || text.startsWith(QLatin1String("0."))) return val(text);
    if (text.isEmpty()) return 1;
    return val(text) * 0.01;
}

QString businessPercentText(double fraction) {
    const double percent = fraction * 100;
    if (percent > -1 && percent < 1 && fraction != 0) {
        QString text = numberText(fraction);
        if (text.startsWith(QLatin1String("0."))) text.remove(0, 1);
        return text;
    }
    return numberText(vb::Round(percent, 10));
}

double classLife(const QString& classText) { return vb::CDbl(lifePart(classText)); }

double classLifeValue(const QString& classText) { return vb::Val(lifePart(classText)); }

QString classVehicleType(const QString& classText) {
    const std::string window = vb::Right(utf8(classText), 13);
    const long dash = vb::InStr(window, "-");
    if (dash == 0) return {};
    return QString::fromStdString(vb::Mid(window, dash + 1, 1));
}

double classAmortizeCode(const QString& classText) {
    const std::string window = vb::Right(utf8(classText), 17);
    const long slash = vb::InStr(window, "\\");
    if (slash == 0) raiseVbError(vberr::TypeMismatch);
    return vb::CDbl(vb::Mid(window, slash + 1, 3));
}

double costBasis(double cost, double fraction, double s179, double allowance, double other) {
    return cost * fraction - (s179 + allowance + other);
}

QString costBasisCaption(double basis) { return QString::fromStdString(vb::Format(basis, "##0")); }

QString allowanceCaption(double cost, double fraction, double other, double s179, double rate) {
    const QString caption = numberText((cost * fraction - (other + s179)) * rate);
    return val(caption) < 0 ? QStringLiteral("0") : caption;
}

QString showMethod(const QString& method, int life) {
    if (method == QLatin1String("MACRS") || method == QLatin1String("Listed")) {
        switch (life) {
            case 3: case 5: case 7: case 10: return QStringLiteral("200 DB");
            case 15: case 20: return QStringLiteral("150 DB");
            default: return life > 20 ? QStringLiteral("S/L") : QString();
        }
    }
    if (method == QLatin1String("ADS") || method == QLatin1String("S/L")) return QStringLiteral("S/L");
    if (method == QLatin1String("Amortize")) return QStringLiteral("Amortize");
    return {};
}

std::int16_t conventionCode(bool frameEnabled, const std::array<bool, 3>& ticked) {
    if (!frameEnabled) return 4;
    for (std::size_t i = 0; i < ticked.size(); ++i)
        if (ticked[i]) return static_cast<std::int16_t>(i + 1);
    return 0;
}

std::optional<vb::Date> monthYearDate(const QString& text) {
    if (text.size() != 7 || text[2] != QLatin1Char('/')) return std::nullopt;
    bool monthOk = false;
    bool yearOk = false;
    const int month = text.left(2).toInt(&monthOk);
    const int year = text.mid(3).toInt(&yearOk);
    for (const QChar c : text.left(2) + text.mid(3))
        if (!c.isDigit()) return std::nullopt;
    if (!monthOk || !yearOk || month < 1 || month > 12 || year < 1900) return std::nullopt;
    return vb::Date(year, month, 1);
}

vb::Date soldDate(const QString& maskText) { return monthYearDate(maskText).value_or(vb::notSoldDate()); }

Section179Result check179(const Section179Figures& f) {
    Section179Result result;
    if (f.threshold == 0) return result;
    result.computed = true;
    const double excess = std::max(0.0, vb::Round(f.costTotal - f.threshold));
    const double reduced = std::max(0.0, vb::Round(f.limit - excess));
    double allowed = reduced;
    if (f.incomeLimit != 0 && f.incomeLimit <= reduced) allowed = std::max(0.0, vb::Round(f.incomeLimit));
    result.adjusted = std::min(reduced + f.carryover, allowed);
    result.remaining = result.adjusted - f.total179;
    result.overLimit = f.total179 != 0 && result.remaining < 0;
    return result;
}

CalculationPlan calculationPlan(const QString& windowMethod, double life, double fraction) {
    if (windowMethod == QLatin1String("Listed"))
        return {fraction < 0.51 ? QStringLiteral("ADS") : QStringLiteral("MACRS"), life};
    if (windowMethod == QLatin1String("MACRS")) {
        if (life == 31.5) return {QStringLiteral("Macrs31"), 32};
        if (life == 27.5) return {QStringLiteral("Macrs27"), 28};
        if (life == 39) return {QStringLiteral("Macrs39"), 39};
        if (life > 39) return {QStringLiteral("ADS"), life};
    }
    return {windowMethod, life};
}

int bonusBoxForRatio(double ratio) {
    const double rounded = vb::Round(ratio, 2);
    if (rounded == 0.5) return 50;
    if (rounded == 1) return 100;
    if (rounded == 0.3) return 30;
    return 0;
}

std::int16_t vehicleAllowanceCode(bool box30, bool box50, bool box100, const QString& allowanceCaption) {
    if (box30) return 3;
    if (box50 || box100 || !allowanceCaption.isEmpty()) return 5;
    return 0;
}

VehicleLimitDecision vehicleLimitDecision(std::int32_t code, double fraction, double s179Text,
                                          double allowanceText) {
    using Kind = VehicleLimitDecision::Kind;
    if (code == 0) return {Kind::MissingLimits};
    if (code == -3) return {Kind::AskZero30};
    if (code == -5) return {Kind::AskZero50};
    if (code < 0) return {Kind::Proceed};
    const std::int32_t s179 = vb::CLng(s179Text);
    const std::int32_t allowance = vb::CLng(allowanceText);
    const double limit = code * fraction;
    if (limit < s179) return {Kind::Over179, limit};
    if (limit >= static_cast<double>(s179) + allowance) return {Kind::Proceed, limit};
    return {Kind::AdjustAllowance, limit, limit - s179};
}

MidQuarterResult midQuarter(double yearTotal, double fourthQuarter) {
    MidQuarterResult result;
    result.share = yearTotal != 0 ? fourthQuarter / yearTotal : 0;
    result.required = result.share > 0.4;
    return result;
}

bool isOneOf(const QString& method, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (method == QLatin1String(name)) return true;
    return false;
}

bool isMacrsLife(double life) {
    for (double allowed : {3.0, 5.0, 7.0, 10.0, 15.0, 20.0, 27.5, 31.5, 39.0, 50.0})
        if (life == allowed) return true;
    return false;
}

}  // namespace tally::desk::assets
