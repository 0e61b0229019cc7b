#include "AssetRecord.h"

#include "AssetRules.h"
#include "StatusLine.h"

namespace tally::desk::assets {

QString dateLiteral(const vb::Date& date) {
    return QStringLiteral("#") + QString::fromStdString(date.toShortDate()) + QStringLiteral("#");
}

QString assetValueList(const AssetRecord& r) {
    QString list;
    list += QString::number(r.companyId) + QStringLiteral(", '");
    list += NoQuote(r.description) + QStringLiteral("' ,");
    list += numberText(r.cost) + QStringLiteral(",");
    list += numberText(r.allowance) + QStringLiteral(",");
    list += numberText(r.amount179) + QStringLiteral(", ");
    list += dateLiteral(r.inService) + QStringLiteral(", ");
    list += QString::number(r.methodId) + QStringLiteral(", ");
    list += numberText(r.life) + QStringLiteral(",");
    list += QString::number(r.convention) + QStringLiteral(", ");
    list += numberText(r.otherDeductions) + QStringLiteral(",");
    list += numberText(r.businessFraction) + QStringLiteral(", ");
    list += dateLiteral(r.soldDate) + QStringLiteral(", ");
    list += numberText(r.soldAmount) + QStringLiteral(", '");
    list += NoQuote(r.notes) + QStringLiteral("', ");
    list += QString::number(r.classId) + QStringLiteral(", ");
    list += QString::number(r.lifeId) + QStringLiteral(", ");
    list += numberText(r.amortizeCode) + QStringLiteral(", ");
    list += numberText(r.vehicleNumber) + QStringLiteral(", '");
    list += NoQuote(r.actualMethod) + QStringLiteral("',");
    list += r.type179 ? QStringLiteral("1") : QStringLiteral("0");
    return list;
}

QString assetUpdateStatement(const AssetRecord& r, std::int32_t assetNumber) {
    QString sql;
    sql += QStringLiteral(" Update tblAssets Set asset_name = '") + NoQuote(r.description);
    sql += QStringLiteral("', Cost = ") + numberText(r.cost);
    sql += QStringLiteral(", [allowance 30 %] = ") + numberText(r.allowance);
    sql += QStringLiteral(", other_deductions = ") + numberText(r.otherDeductions);
    sql += QStringLiteral(", 179_deduction = ") + numberText(r.amount179);
    sql += QStringLiteral(", In_Service_date = ") + dateLiteral(r.inService);
    sql += QStringLiteral(", depr_method = ") + QString::number(r.methodId);
    sql += QStringLiteral(", life = ") + numberText(r.life);
    sql += QStringLiteral(", Convention = ") + QString::number(r.convention);
    sql += QStringLiteral(", bussiness_percent = ") + numberText(r.businessFraction);
    sql += QStringLiteral(", sold_date = ") + dateLiteral(r.soldDate);
    sql += QStringLiteral(", sold_amt = ") + numberText(r.soldAmount);
    sql += QStringLiteral(" , notes = '") + NoQuote(r.notes);
    sql += QStringLiteral(" ', depr_class_id = ") + QString::number(r.classId);
    sql += QStringLiteral(" , life_id = ") + QString::number(r.lifeId);
    sql += QStringLiteral(", Amortize_code = ") + numberText(r.amortizeCode);
    sql += QStringLiteral(", Vehicle_num = ") + numberText(r.vehicleNumber);
    sql += QStringLiteral(" , actual_method = '") + NoQuote(r.actualMethod);
    sql += QStringLiteral("' , Type_179 = ") + (r.type179 ? QStringLiteral("1") : QStringLiteral("0"));
    sql += QStringLiteral(" Where Asset_num = ") + QString::number(assetNumber);
    return sql;
}

}  // namespace tally::desk::assets
