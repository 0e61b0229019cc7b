// The checks before a save: every failing rule marks its field and adds its message; the questions stop the
// check when declined.
#include "AssetClock.h"
#include "AssetRules.h"
#include "Conversions.h"
#include "Depr.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "Prompts.h"
#include "StatusLine.h"
#include "frmAsset.h"

namespace tally::desk::Depr {

using assets::setForeColour;

using assets::val;

namespace {

class Validation {
public:
    explicit Validation(frmAsset& f) : f_(f) {}

    // Runs the rules; false when a declined question stopped them (the status line is then left alone).
    bool run(bool bCheck179) {
        f_.state.gblnAssetInvalid = false;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 f_.lblDescription, f_.lblCost, f_.lblMethod, f_.lblLife, f_.lblInService, f_.lblAutoBusiness,
                 f_.lblVehicleNum, f_.lblDispositionAmt, f_.lblSoldDate, f_.lblClass, f_.lblAmortize, f_.chkBonus,
                 f_.chk50Bonus, f_.chk100Bonus})
            setForeColour(*w, assets::kBlack);
        setForeColour(*f_.txt179Amt, assets::kBlue);

        const QString method = f_.cboMethod->text();
        const QString inServiceText = f_.txtInService->Text();
        const auto inService = assets::monthYearDate(inServiceText);

        if (f_.state.gblnAssetLoaded &&
            !ask(QStringLiteral("This asset is sold. Do you want to update it?"), QStringLiteral("Sold Asset")))
            return false;

        if (inService) {
            if (inService->year() < GetDefaultYear() && gblnEditAsset &&
                !ask(QStringLiteral("This asset was placed in service in a prior year. Do you want to update it?"),
                     QStringLiteral("Prior year asset.")))
                return false;
        } else {
            fail(QStringLiteral("In service date is invalid! "), f_.lblInService, f_.txtInService);
        }

        const int year = inService ? inService->year() : 0;
        if (year > 1993 && method == QLatin1String("MACRS") && f_.cboLife->text() == QLatin1String("31.5") &&
            !ask(QStringLiteral("This asset has a life of 31.5 which is only for pre 1994 buildings. Do you want to "
                                "continue?"),
                 QStringLiteral("MACRS 31.5")))
            return false;

        if (f_.txtDescription->text().isEmpty())
            fail(QStringLiteral("Description Missing! "), f_.lblDescription, f_.txtDescription);
        if (val(f_.txtCost->text()) == 0) fail(QStringLiteral("Cost Missing! "), f_.lblCost, f_.txtCost);
        if (method.isEmpty()) fail(QStringLiteral("Method Missing! "), f_.lblMethod, f_.cboMethod);

        if (inServiceText != QLatin1String("__/____")) {
            const double month = val(inServiceText.left(2));
            if (month > 12 || month < 1)
                fail(QStringLiteral("In service date is invalid! "), f_.lblInService, f_.txtInService);
            if (inService &&
                !acceptedIfFuture(*inService,
                                  QStringLiteral("The In Service Date is in the future. Do you want to continue?")))
                return false;
        } else {
            fail(QStringLiteral("In service date is missing! "), f_.lblInService, f_.txtInService);
        }

        const QString life = f_.cboLife->text();
        if (life.isEmpty()) fail(QStringLiteral("Life Missing! "), f_.lblLife, f_.cboLife);
        if (val(life) > 75) fail(QStringLiteral("Life Can't be greater than 75! "), f_.lblLife, f_.cboLife);
        if (method == QLatin1String("MACRS") && !life.isEmpty()) {
            const auto number = vb::parseNumber(life.toStdString());
            if (!number || !assets::isMacrsLife(*number))
                fail(QStringLiteral("Life must be 3,5,7,10,15,20,27.5,31.5,39,50! "), f_.lblLife, f_.cboLife);
        }

        if (f_.txtBusinessPercent->text().isEmpty())
            fail(QStringLiteral("Business % Can't be blank! "), f_.lblAutoBusiness, f_.txtBusinessPercent);
        const double fraction = GetBuisnessPecent(f_);
        // More than the whole of an asset cannot be used in the business.
        if (fraction > 1)
            fail(QStringLiteral("Business % Can't be greater than 100! "), f_.lblAutoBusiness, f_.txtBusinessPercent);
        if (fraction > 0 && (method == QLatin1String("MACRS") || method == QLatin1String("Listed")) && fraction < 0.5)
            message_ += QStringLiteral("Business Percent is 50% or less. ADS S/L will be used");

        if (bCheck179) {
            Do179Deduction(f_);
            if (!CheckUpdated179Totals(f_)) {
                setForeColour(*f_.txt179Amt, assets::kRed);
                // Only Yes goes on: closing the question must not save an asset over the limit.
                const int answer = ui::prompts().msgBox(
                    QStringLiteral("The 179 deduction is over the limit. Do you want to continue?"),
                    ui::mb::YesNoCancel, QStringLiteral("Warning"));
                if (answer != ui::mb::Yes) {
                    f_.state.gblnAssetInvalid = true;
                    // The status line says why nothing was saved.
                    message_ += QStringLiteral("The Net 179 total is over the limit.");
                }
            }
        }

        if (method == QLatin1String("Amortize") && f_.cboClass->listIndex() < 0)
            fail(QStringLiteral("Class can not be blank."), f_.lblClass, f_.cboClass);
        if (method == QLatin1String("Amortize") && f_.txtAmorizeCode->text().isEmpty())
            fail(QStringLiteral("Amortize code can not be blank."), f_.lblAmortize, f_.txtAmorizeCode);

        if (inService) {
            if (f_.chkBonus->isChecked() && *inService < vb::Date(2001, 9, 1))
                fail(QStringLiteral("In Service date needs to be greater then Sept 10 2001."), f_.chkBonus, nullptr);
            if (f_.chk50Bonus->isChecked() && *inService < vb::Date(2003, 5, 1))
                fail(QStringLiteral("In Service date needs to be greater then May 5 2003."), f_.chk50Bonus, nullptr);
        }

        const QString soldText = f_.mskSold->Text();
        if (soldText != QLatin1String("__/____")) {
            if (const auto sold = assets::monthYearDate(soldText)) {
                // A whole date typed into the month box ("02302025" -> "02/3020") is a sale centuries ahead.
                if (!acceptedIfFuture(*sold,
                                      QStringLiteral("The Sold Date is in the future. Do you want to continue?")))
                    return false;
                if (inService && *inService > *sold)
                    fail(QStringLiteral(" Sold date needs to be greater then In Service Date. "), f_.lblSoldDate,
                         f_.mskSold);
                if (f_.txtDispositionAmt->text().isEmpty())
                    fail(QStringLiteral(" Sold amount is missing. "), f_.lblDispositionAmt, f_.txtDispositionAmt);
            } else {
                fail(QStringLiteral(" Sold date is invalid. "), f_.lblSoldDate, f_.mskSold);
            }
        }

        if (val(f_.lblCostBasis->text()) < 0) {
            f_.state.gblnAssetInvalid = true;
            message_ += QStringLiteral("Basis needs to be greater then zero.");
        }
        DisplayMsg(message_, QStringLiteral("255"));
        return true;
    }

private:
    // The "Future Date." question of the in-service date and of the sold date: asked when the date is later than
    // now plus two calendar months. False when declined: the check stops as every question's Cancel stops it.
    bool acceptedIfFuture(const vb::Date& date, const QString& question) {
        const QDate limit = assets::today().addMonths(2);
        return QDate(date.year(), date.month(), date.day()) <= limit || ask(question, QStringLiteral("Future Date."));
    }

    bool ask(const QString& text, const QString& title) {
        if (ui::prompts().msgBox(text, ui::mb::OKCancel, title) == ui::mb::OK) return true;
        f_.state.gblnAssetInvalid = true;
        return false;
    }

    void fail(const QString& text, QWidget* mark, QWidget* focus) {
        f_.state.gblnAssetInvalid = true;
        message_ += text;
        setForeColour(*mark, assets::kRed);
        if (focus) f_.focusQuietly(focus);
    }

    frmAsset& f_;
    QString message_;
};

}  // namespace

void ValidateAsset(frmAsset& f, bool bCheck179) {
    try {
        Validation(f).run(bCheck179);
    } catch (...) {
        // A check that could not finish has not passed: nothing may be saved on it.
        f.state.gblnAssetInvalid = true;
        showError(QStringLiteral("Error in ValidateAsset "), currentError(), ErrorLayout::Blank);
    }
}

}  // namespace tally::desk::Depr
