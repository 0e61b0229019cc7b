#include "AutoUseText.h"

#include <cmath>
#include <limits>

#include "Conversions.h"
#include "Format.h"
#include "StatusLine.h"
#include "Variant.h"

namespace tally::desk {

namespace {
QString trueFalse(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString quotedText(const QString& text) { return QLatin1Char('\'') + NoQuote(text) + QLatin1Char('\''); }

double leadingNumber(const QString& text) { return vb::Val(text.toStdString()); }
}  // namespace

QString plainMiles(const QString& text) {
    QString plain;
    for (const QChar c : text)
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')) plain.append(c);
    return plain;
}

QString AutoUseValueList(std::int32_t companyId, std::int16_t year, const QString& vehicleNumber,
                         const VehicleUseEntry& entry) {
    return QString::number(companyId) + QStringLiteral(", ") + QString::number(year) + QStringLiteral(",") +
           vehicleNumber + QStringLiteral(", ") + quotedText(plainMiles(entry.businessMiles)) +
           QStringLiteral(", ") + quotedText(plainMiles(entry.commutingMiles)) + QStringLiteral(", ") +
           quotedText(plainMiles(entry.personalMiles)) + QStringLiteral(", ") + trueFalse(entry.offDuty) +
           QStringLiteral(", ") + trueFalse(entry.fivePercentOwner) + QStringLiteral(", ") +
           trueFalse(entry.anotherVehicle);
}

QString AutoQstValueList(std::int32_t companyId, std::int16_t year, const AutoQstAnswers& answers) {
    QString list = QString::number(companyId) + QStringLiteral(", ") + QString::number(year);
    for (const bool answer : answers) list += QStringLiteral(", ") + trueFalse(answer);
    return list;
}

QString AutoQstUpdateSql(std::int32_t companyId, std::int16_t year, const AutoQstAnswers& answers) {
    return QStringLiteral(" Update tblAutoQuestions set [No Personal Use] = ") + trueFalse(answers[0]) +
           QStringLiteral(", [Commuting Allowed] = ") + trueFalse(answers[1]) + QStringLiteral(", ") +
           QStringLiteral(" [All Personal Use] = ") + trueFalse(answers[2]) +
           QStringLiteral(", [More 5 Cars & keep Track] = ") + trueFalse(answers[3]) +
           QStringLiteral(", [Meet Requirements] = ") + trueFalse(answers[4]) + QStringLiteral(" where company_id = ") +
           QString::number(companyId) + QStringLiteral(" and [year] = ") + QString::number(year);
}

QString totalMilesText(const QString& business, const QString& commuting, const QString& personal) {
    const double total = vb::Round(leadingNumber(business) + leadingNumber(commuting) + leadingNumber(personal));
    return total > 0 ? QString::number(total, 'f', 0) : QString();
}

QString milesStatusText(const QString& text) {
    try {
        return QString::fromStdString(vb::Format(vb::Variant(text.toStdString()), "###,###,###,###"));
    } catch (...) {
        return text;  // a number beyond what the format takes shows as typed
    }
}

std::int64_t typedColumnNumber(const QString& text) {
    const double number = vb::Round(leadingNumber(text));
    if (number >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    if (number <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(number);
}

}  // namespace tally::desk
