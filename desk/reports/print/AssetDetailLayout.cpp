#include "AssetDetailLayout.h"

#include <initializer_list>

#include "Format.h"
#include "Variant.h"

namespace tally::desk {
namespace {

constexpr int kBodySize = 9;
constexpr int kTitleSize = 12;
constexpr int kClassLength = 35;
const QString kUnsold = QStringLiteral("__/____");

struct Pair {
    double labelX;
    QString label;
    double valueX;
    QString value;
};

QString conventionText(std::int16_t code) {
    switch (code) {
    case 1: return QStringLiteral("HY");
    case 2: return QStringLiteral("MQ");
    case 3: return QStringLiteral("MM");
    case 4: return QStringLiteral(" ");
    default: return {};
    }
}

class AssetDetailWriter {
public:
    PrintedDocument write(const AssetDetailFields& a, const QString& companyName, const QDate& today) {
        out_.setOrientation(PageOrientation::Portrait);
        out_.setFontSize(kBodySize);
        out_.setBold(false);
        out_.setY(700);
        out_.setX(600);
        out_.print(companyName);
        out_.setX(10000);
        out_.printLine(today.toString(QStringLiteral("MM/dd/yyyy")));

        out_.setBold(true);
        out_.endLine();
        underline();
        out_.endLine();
        out_.setFontSize(kTitleSize);
        out_.setX(5230);
        out_.printLine(QStringLiteral("Asset Detail"));
        underline();
        out_.setFontSize(kBodySize);
        out_.setBold(false);
        out_.endLine();

        row({{400, QStringLiteral("Description:"), 2000, a.description},
             {7800, QStringLiteral("Asset ID:"), 10000, a.assetId}});
        row({{400, QStringLiteral("Tax Method:"), 2000, a.method},
             {4300, QStringLiteral("Life: "), 6100, a.life},
             {7800, QStringLiteral("Amortize Code:"), 10000, a.amortizeCode}});
        row({{400, QStringLiteral("Cost:"), 2000, detailAmount(a.cost)},
             {4300, QStringLiteral("Actual method:"), 6100, a.actualMethod},
             {7800, QStringLiteral("Business %:"), 10000, a.businessPercent}});
        row({{400, QStringLiteral("179 Deduction:"), 2000, detailAmount(a.amount179)},
             {4300, QStringLiteral("Salvage/Other:"), 6100, detailAmount(a.otherDeductions)},
             {7800, QStringLiteral("30/50% Deduction:"), 10000, detailAmount(a.allowance)}});
        row({{400, QStringLiteral("Cost Basis:"), 2000, detailAmount(a.costBasis)},
             {4300, QStringLiteral("Convention:"), 6100, conventionText(a.convention)},
             {7800, QStringLiteral("In Service Date:"), 10000, a.inService}});
        row({{400, QStringLiteral("Class:"), 2000, a.assetClass.left(kClassLength)},
             {7800, QStringLiteral("Vehicle #"), 10000, a.vehicleNumber}});

        if (!a.notes.isEmpty()) {
            out_.endLine();
            notes(a.notes);
            out_.endLine();
        }
        if (a.soldDate != kUnsold) {
            out_.endLine();
            out_.setX(400);
            out_.setBold(true);
            out_.printLine(QStringLiteral("   Disposition Data:"));
            out_.setBold(false);
            row({{400, QStringLiteral("Date:"), 2000, a.soldDate},
                 {4300, QStringLiteral("Amount:"), 6100, detailAmount(a.soldAmount)},
                 {7800, QStringLiteral("Gain/Loss:"), 10000, detailAmount(a.gainLoss)}});
        }
        return out_.take();
    }

private:
    void underline() {
        out_.setX(150);
        out_.printLine(QString(112, QLatin1Char('_')));
    }

    void label(double x, const QString& text) {
        out_.setX(x);
        out_.setBold(true);
        out_.print(text);
        out_.setBold(false);
    }

    // One line of pairs, then a blank line.
    void row(std::initializer_list<Pair> pairs) {
        for (const Pair& pair : pairs) {
            label(pair.labelX, pair.label);
            out_.setX(pair.valueX);
            out_.print(pair.value);
        }
        out_.endLine();
        out_.endLine();
    }

    // Notes typed over several lines keep their lines, each starting under the first.
    void notes(const QString& text) {
        label(400, QStringLiteral("Notes:"));
        QString lines = text;
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& line : lines.split(QLatin1Char('\n'))) {
            out_.setX(2000);
            out_.printLine(line);
        }
    }

    PrintRecorder out_;
};

}  // namespace

QString detailAmount(const QString& fieldText) {
    return QString::fromStdString(vb::Format(vb::Variant(fieldText.toStdString()), "###,###,###,###"));
}

PrintedDocument layoutAssetDetail(const AssetDetailFields& asset, const QString& companyName, const QDate& today) {
    return AssetDetailWriter().write(asset, companyName, today);
}

}  // namespace tally::desk
