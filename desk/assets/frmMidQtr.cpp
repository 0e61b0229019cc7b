#include "frmMidQtr.h"

#include <QGroupBox>

#include "ErrorReport.h"
#include "AssetRules.h"
#include "DeprSupport.h"
#include "DesktopState.h"
#include "Format.h"
#include "Twips.h"
#include "VbControls.h"
#include "mdiMain.h"

namespace tally::desk {

namespace {

QLabel* figureLabel(QWidget* parent, const char* name, const QString& caption, double top) {
    auto* prompt = new QLabel(caption, parent);
    prompt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui::placeTwips(*prompt, 120, top, 2400, 285);
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    ui::placeTwips(*label, 2600, top, 1800, 285);
    return label;
}

}  // namespace

frmMidQtr::frmMidQtr(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMidQtr"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    ui::placeTwips(*frame, 120, 60, 5160, 1800);
    lblTotalCost = figureLabel(frame, "lblTotalCost", QStringLiteral("Total Asset Cost:"), 240);
    lbl4thQtrCost = figureLabel(frame, "lbl4thQtrCost", QStringLiteral("4th Qtr Cost:"), 600);
    lbl4thQtrPercent = figureLabel(frame, "lbl4thQtrPercent", QStringLiteral("4th Qtr %"), 960);
    lblWarning = new QLabel(frame);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setAlignment(Qt::AlignCenter);
    ui::placeTwips(*lblWarning, 60, 1380, 5040, 285);
    setFixedSize(ui::toPixels(5400), ui::toPixels(2000));
    Form_Load();
}

void frmMidQtr::Form_Load() {
    if (const mdiMain* main = mainWindow()) {
        const ui::TwipsRect place = main->mainGeometryTwips();
        move(ui::toPixels(place.left + 1500), ui::toPixels(place.top + 1500));
    }
    totalCost_ = modMidConvention::GetTotalAssetCostForYear();
    lblTotalCost->setText(QString::fromStdString(vb::Format(totalCost_, "$###,##0")));
    fourthQuarterCost_ = modMidConvention::Get4thQtrAssetCostForYear();
    lbl4thQtrCost->setText(QString::fromStdString(vb::Format(fourthQuarterCost_, "$###,##0")));
    const assets::MidQuarterResult result = assets::midQuarter(totalCost_, fourthQuarterCost_);
    lbl4thQtrPercent->setText(QString::fromStdString(vb::Format(result.share, "#0.0 %")));
    const std::int32_t colour = result.required ? assets::kRed : assets::kGreen;
    assets::setForeColour(*lblWarning, colour);
    assets::setForeColour(*lbl4thQtrPercent, colour);
    lblWarning->setText(result.required ? QStringLiteral("Mid Qtr Convention is required.")
                                        : QStringLiteral("Mid Qtr Convention is not needed."));
}

namespace modMidConvention {

void MidQtrConventionCheck(std::int16_t year) {
    gintMidQtrYear = year;
    frmMidQtr window(mainWindow());
    window.setWindowTitle(QStringLiteral("Mid Qtr Convention Check for ") + QString::number(year));
    window.exec();
}

std::int32_t GetTotalAssetCostForYear() {
    std::int32_t result = 0;
    trapStep(QStringLiteral("Error in GetTotalAssetCostForYear. "), ErrorLayout::ErrorNumber,
                 [&] { result = engine::DeprSupport().GetTotalAssetCost(glngCompanyId, gintMidQtrYear); });
    return result;
}

std::int32_t Get4thQtrAssetCostForYear() {
    std::int32_t result = 0;
    trapStep(QStringLiteral("Error in Get4thQtrAssetCostForYear. "), ErrorLayout::ErrorNumber,
                 [&] { result = engine::DeprSupport().Get4QtrAssetCost(glngCompanyId, gintMidQtrYear); });
    return result;
}

}  // namespace modMidConvention

}  // namespace tally::desk
