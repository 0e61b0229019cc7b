#include "MaintNumbers.h"

#include <QRegularExpression>

#include "Conversions.h"

namespace tally::desk {

bool isPlainNumber(const QString& text) {
    static const QRegularExpression plain(QStringLiteral(R"(^ *[+-]?([0-9]+\.?[0-9]*|\.[0-9]+) *$)"));
    return plain.match(text).hasMatch();
}

QString canonicalNumber(const QString& text) {
    return QString::fromStdString(vb::NumberText(QString(text).remove(u' ').toDouble()));
}

}  // namespace tally::desk
