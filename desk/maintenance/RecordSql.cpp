#include "RecordSql.h"

#include <QStringList>

#include "Conversions.h"
#include "Format.h"
#include "MaintNumbers.h"
#include "MaintTables.h"
#include "StatusLine.h"

namespace tally::desk {

namespace {

enum class ValueKind { Text, Number, Date, YesNo };

ValueKind kindOf(int adoType) {
    switch (adoType) {
    case 2: case 3: case 4: case 5: case 6: case 131: return ValueKind::Number;
    case 7: case 133: return ValueKind::Date;
    case 11: return ValueKind::YesNo;
    default: return ValueKind::Text;  // 200, 202, 203 and anything else: quoted text
    }
}

QString quoted(const QString& text) { return u'\'' + NoQuote(text) + u'\''; }

// The value itself; `dateLead` is the blank the insert puts before a date.
QString literal(int adoType, const QString& text, const QString& dateLead) {
    switch (kindOf(adoType)) {
    case ValueKind::Number:
        if (text.isEmpty()) return QStringLiteral("0");
        return isPlainNumber(text) ? canonicalNumber(text) : quoted(text);
    case ValueKind::Date: {
        if (text.isEmpty()) return QStringLiteral("Null");
        const auto date = vb::parseDate(text.toStdString());
        if (!date) return quoted(text);
        return dateLead + u'#' + QString::fromStdString(vb::Format(*date, "mm/dd/yyyy")) + u'#';
    }
    case ValueKind::YesNo: {
        const QString upper = text.toUpper();
        return upper == QLatin1String("YES") || upper == QLatin1String("TRUE") ? QStringLiteral("Yes")
                                                                                 : QStringLiteral("No");
    }
    case ValueKind::Text: return quoted(text);
    }
    return quoted(text);
}

bool writesMethodId(const RecordSqlInput& input) { return input.caption == kClassCaption; }

QString methodIdText(const RecordSqlInput& input) { return QString::number(input.methodId.value_or(0)); }

}  // namespace

QString updateValue(int adoType, const QString& text) { return QStringLiteral(" = ") + literal(adoType, text, {}); }

QString insertValue(int adoType, const QString& text) { return literal(adoType, text, QStringLiteral(" ")); }

QString keyText(const QString& keyValue) {
    return isPlainNumber(keyValue) ? canonicalNumber(keyValue) : quoted(keyValue);
}

QString CreateUpdateSQL(const RecordSqlInput& input) {
    QString sql = QStringLiteral("Update ") + input.table + QStringLiteral(" Set ");
    for (std::size_t i = 0; i < input.fields.size(); ++i) {
        const SqlField& field = input.fields[i];
        if (i == 0 && writesMethodId(input)) {
            sql += QStringLiteral(" Method_Id  = ") + methodIdText(input);
            continue;
        }
        sql += (i == 0 ? QStringLiteral("[") : QStringLiteral(" , [")) + field.name + u']' +
               updateValue(field.adoType, field.text);
    }
    return sql + QStringLiteral(" WHERE ") + input.keyField + QStringLiteral(" = ") + keyText(input.keyValue);
}

QString CreateInsertSQL(const RecordSqlInput& input) {
    const bool misc = input.caption == kMisc4562Caption;
    QString columns;
    QStringList values;
    for (std::size_t i = 0; i < input.fields.size(); ++i) {
        const SqlField& field = input.fields[i];
        if (i == 0 && writesMethodId(input)) {
            columns += QStringLiteral(" Method_Id ");
            values << methodIdText(input);
            continue;
        }
        columns += (i == 0 ? QStringLiteral("[") : QStringLiteral(", [")) + field.name + u']';
        values << insertValue(field.adoType, field.text);
    }
    if (misc) columns += QStringLiteral(", company_id");
    QString sql = QStringLiteral("INSERT INTO ") + input.table + QStringLiteral(" (") + columns +
                  QStringLiteral(") Values( ") + values.join(QStringLiteral(", "));
    if (misc) sql += QStringLiteral(", ") + QString::number(input.companyId);
    return sql + u')';
}

QString CreateDeleteSQL(const QString& table, const QString& keyField, const QString& keyValue) {
    return QStringLiteral("Delete from ") + table + QStringLiteral(" WHERE ") + keyField + QStringLiteral("  = ") +
           keyText(keyValue);
}

QString RetrieveKeySQL(const QString& table, const QString& keyField) {
    return QStringLiteral("Select MAX(") + keyField + QStringLiteral(") from ") + table;
}

}  // namespace tally::desk
