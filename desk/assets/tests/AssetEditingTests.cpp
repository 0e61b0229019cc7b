// The asset window's field rules and checks: allowance boxes, amounts, validation questions, vehicles,
// amortization, the keys the fields take.
#include "AssetTestSupport.h"

namespace tally::desk::testing {
namespace {

class AssetEditing : public AssetWindowTest {
protected:
    void macrsFiveYear(const QString& cost) {
        type(f->txtDescription, "Copier");
        choose(f->cboMethod, "MACRS");
        choose(f->cboLife, "5");
        type(f->txtCost, cost);
        leave();
    }
};

TEST_F(AssetEditing, AllowanceBoxesAreAlternativesAndRecomputeTheBasis) {
    macrsFiveYear("10000");
    type(f->txt179Amt, "1000");
    leave();
    EXPECT_EQ(f->lblCostBasis->text(), "9000");
    const struct {
        QCheckBox* box;
        bool tick;
        const char* allowance;
        const char* basis;
    } steps[] = {{f->chkBonus, true, "2700", "6300"},
                 {f->chk50Bonus, true, "4500", "4500"},
                 {f->chk100Bonus, true, "9000", "0"},
                 {f->chk100Bonus, false, "", "9000"}};
    for (const auto& step : steps) {
        step.box->setChecked(step.tick);
        EXPECT_EQ(f->lbl30Allowance->text(), step.allowance) << step.box->objectName().toStdString();
        EXPECT_EQ(f->lblCostBasis->text(), step.basis) << step.box->objectName().toStdString();
        const int ticked = f->chkBonus->isChecked() + f->chk50Bonus->isChecked() + f->chk100Bonus->isChecked();
        EXPECT_EQ(ticked, step.tick ? 1 : 0);
    }
    // With the 100 % box ticked, a new cost recomputes the allowance before the basis.
    f->chk100Bonus->setChecked(true);
    type(f->txtCost, "20000");
    leave();
    EXPECT_EQ(f->lbl30Allowance->text(), "19000");
    EXPECT_EQ(f->lblCostBasis->text(), "0");
}

// A cost too large for a number raises while the allowance is worked out: the box it ticks shows the error and the
// program goes on, instead of the error leaving the click into the event loop.
TEST_F(AssetEditing, AnAllowanceOfACostTooLargeForANumberIsAnErrorBox) {
    macrsFiveYear("10000");
    f->txtCost->setText(QString(400, u'9'));
    prompts_->answerMessage(ui::mb::OK);
    f->chkBonus->setChecked(true);
    ASSERT_FALSE(prompts_->messages.empty());
    EXPECT_TRUE(prompts_->messages.back().text.startsWith("Error in frmAsset.")) << prompts_->messages.back().text.toStdString();
}

TEST_F(AssetEditing, NegativeBasisIsRedAndCannotBeSaved) {
    macrsFiveYear("10000");
    type(f->txtBusinessPercent, "75");
    type(f->txt179Amt, "9000");
    leave();
    EXPECT_EQ(f->lblCostBasis->text(), "-1500");
    EXPECT_EQ(fore(f->lblCostBasis), 255);
    click(f->cmdSave);
    EXPECT_EQ(status(), "Basis needs to be greater then zero.");
    EXPECT_EQ(statusColour(), 255);
    EXPECT_EQ(count("select count(*) from tblAssets"), 0);
    EXPECT_EQ(f->txtDescription->text(), "Copier");
}

TEST_F(AssetEditing, FutureDateAsksAndCancelWritesNothing) {
    macrsFiveYear("10000");
    type(f->txtInService, "102024");
    leave();
    DisplayMsg("before");
    prompts_->answerMessage(ui::mb::Cancel);
    click(f->cmdSave);
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].text, "The In Service Date is in the future. Do you want to continue?");
    EXPECT_EQ(prompts_->messages[0].title, "Future Date.");
    EXPECT_EQ(prompts_->messages[0].style & 7, ui::mb::OKCancel);
    EXPECT_EQ(status(), "before");
    EXPECT_EQ(count("select count(*) from tblAssets"), 0);

    prompts_->clearRecords();
    type(f->txtInService, "092024");
    click(f->cmdSave);
    EXPECT_TRUE(prompts_->messages.empty());
    EXPECT_EQ(count("select count(*) from tblAssets"), 1);
}

// A sold date typed whole, as "02302025", fills the month box as "02/3020": a sale ten centuries ahead gets the
// in-service date's question before anything is compared or stored. Cancel stops the save as that question's Cancel
// does (nothing stored, the status line, the window and the focus left as they were); OK stores the sale.
TEST_F(AssetEditing, ASoldDateFarAheadAsksFirstAndCancelWritesNothing) {
    macrsFiveYear("10000");
    type(f->mskSold, "02302025");
    type(f->txtDispositionAmt, "12000");
    leave();
    ASSERT_EQ(f->mskSold->Text(), "02/3020");
    DisplayMsg("before");
    prompts_->answerMessage(ui::mb::Cancel);
    click(f->cmdSave);
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].text, "The Sold Date is in the future. Do you want to continue?");
    EXPECT_EQ(prompts_->messages[0].title, "Future Date.");
    EXPECT_EQ(prompts_->messages[0].style & 7, ui::mb::OKCancel);
    EXPECT_EQ(status(), "before");
    EXPECT_EQ(count("select count(*) from tblAssets"), 0);
    EXPECT_EQ(f->mskSold->Text(), "02/3020");
    EXPECT_EQ(QApplication::focusWidget(), f->cmdSave);
    EXPECT_TRUE(f->cmdSave->isEnabled());

    prompts_->clearRecords();
    prompts_->answerMessage(ui::mb::OK);
    click(f->cmdSave);
    EXPECT_EQ(prompts_->messageTexts(), QStringList{"The Sold Date is in the future. Do you want to continue?"});
    EXPECT_EQ(status(), "Asset Added");
    EXPECT_EQ(value("select sold_date from tblAssets").toString(), "2/1/3020");
}

TEST_F(AssetEditing, BusinessShareAboveTheWholeFailsAndSevenAndAHalfIsAPercentage) {
    macrsFiveYear("10000");
    type(f->txtBusinessPercent, "150");
    leave();
    click(f->cmdSave);
    EXPECT_EQ(status(), "Business % Can't be greater than 100! ");
    EXPECT_EQ(fore(f->lblAutoBusiness), 255);
    EXPECT_EQ(count("select count(*) from tblAssets"), 0);

    type(f->txtBusinessPercent, "7.5");
    leave();
    EXPECT_EQ(f->lblCostBasis->text(), "750");
    click(f->cmdSave);
    EXPECT_DOUBLE_EQ(value("select bussiness_percent from tblAssets").toDouble(), 0.075);
}

TEST_F(AssetEditing, BusinessShareOfHalfOrLessSwitchesTo179OffAndShowsTheMethodOfTheLife) {
    type(f->txtDescription, "Warehouse fixtures");
    choose(f->cboMethod, "MACRS");
    choose(f->cboLife, "15");
    type(f->txtBusinessPercent, "50");
    leave();
    EXPECT_EQ(status(), "If Business Percent is 50% or less. ADS will be used instead of MACRS.");
    EXPECT_EQ(statusColour(), assets::kGreen);
    EXPECT_EQ(f->lblShowMethod->text(), "S/L");
    EXPECT_FALSE(f->chk179->isChecked());
    EXPECT_FALSE(f->txt179Amt->isEnabled());
    type(f->txtBusinessPercent, "51");
    leave();
    EXPECT_TRUE(f->chk179->isChecked());
    EXPECT_EQ(f->lblShowMethod->text(), "150 DB");  // the method of a 15-year life, not "200 DB"
}

TEST_F(AssetEditing, ABuildingStaysOutOf179AndTheAllowanceWhenItsBusinessShareIsLeft) {
    type(f->txtDescription, "Office building");
    choose(f->cboMethod, "MACRS");
    choose(f->cboLife, "39");
    type(f->txtInService, "012024");
    type(f->txtCost, "390000");
    type(f->txtBusinessPercent, "100");
    leave();
    EXPECT_FALSE(f->chk179->isChecked());
    for (QCheckBox* box : f->rateBoxes()) EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    EXPECT_EQ(f->lblShowMethod->text(), "S/L");
    click(f->cmdSave);
    ASSERT_EQ(status(), "Asset Added");
    // Not a 179 asset: its cost stays out of the year's 179 cost total.
    EXPECT_EQ(value("select Type_179 from tblAssets").toLong(), 0);
    EXPECT_EQ(value("select convention from tblAssets").toLong(), 3);

    // A class of 25 years keeps them, as the class rule gives them.
    exec("Insert into tblDeprClass (Method_ID, Description, Life, [If Auto - Type], [Amortize #]) "
         "values (1, 'Water utility property', 25, 'N/A', 0)");
    type(f->txtDescription, "Water main");
    choose(f->cboMethod, "MACRS");
    choose(f->cboClass, "Water utility");
    type(f->txtBusinessPercent, "40");
    leave();
    EXPECT_FALSE(f->chk179->isChecked());
    type(f->txtBusinessPercent, "60");
    leave();
    EXPECT_TRUE(f->chk179->isChecked());
    EXPECT_TRUE(f->chk50Bonus->isEnabled());
}

TEST_F(AssetEditing, VehicleAllowanceIsCutToTheYearsLimitAndTheVehicleUseCheckFollows) {
    std::vector<std::pair<int, int>> vehicleChecks;
    partServices().vehicleDocsOk = [&](std::int16_t year, std::int16_t vehicle) {
        vehicleChecks.emplace_back(year, vehicle);
        return true;
    };
    exec("Update tblMaxAuto set [Max Year 1] = 3060, [Yr 1 + 50%] = 3060 where Year = 2004 and Type = 'Gas'");
    type(f->txtDescription, "Sedan");
    choose(f->cboMethod, "Listed");
    leave();
    EXPECT_FALSE(f->cboLife->isEnabled());
    EXPECT_EQ(assets::backColour(*f->cboLife), assets::kGrey);
    choose(f->cboClass, "Automobiles");
    leave();
    EXPECT_EQ(f->lblAutoNum->text(), "1");
    EXPECT_EQ(f->cboLife->text(), "5");
    EXPECT_EQ(f->lblShowMethod->text(), "200 DB");
    type(f->txtInService, "062004");
    type(f->txtCost, "11000");
    type(f->txt179Amt, "1000");
    leave();
    f->chk50Bonus->setChecked(true);
    EXPECT_EQ(f->lbl30Allowance->text(), "5000");
    EXPECT_EQ(f->lblCostBasis->text(), "5000");
    prompts_->answerMessage(ui::mb::OK);  // the prior-year question does not come: a new asset
    click(f->cmdSave);
    ASSERT_FALSE(prompts_->messages.empty());
    EXPECT_EQ(prompts_->messages[0].text,
              "The Special Depr Allowance was adjusted to be equal to the (max auto rate x Business %) of 3060");
    EXPECT_EQ(status(), "Asset Added");
    EXPECT_DOUBLE_EQ(value("select [Allowance 30 %] from tblAssets").toDouble(), 2060);
    EXPECT_EQ(value("select vehicle_num from tblAssets").toLong(), 1);
    const std::string asset = value("select Asset_num from tblAssets").toString();
    EXPECT_DOUBLE_EQ(value("select depr from tblDepr where year = 2004 and asset_num = " + asset).toDouble(), 0);
    ASSERT_EQ(vehicleChecks.size(), 1u);
    EXPECT_EQ(vehicleChecks[0], std::make_pair(2004, 1));
}

// Clicking the class list straight after choosing the type: the type's rule runs as the cursor enters the class
// list and must leave it there, or the class chosen next never runs its own rule (no life, no vehicle number).
TEST_F(AssetEditing, ClassChosenRightAfterTheTypeSetsTheLifeAndVehicleNumber) {
    type(f->txtDescription, "Sedan");
    choose(f->cboMethod, "Listed");
    enter(f->cboClass);
    EXPECT_EQ(QApplication::focusWidget(), f->cboClass);
    f->cboClass->showPopup();
    f->cboClass->setCurrentIndex(f->cboClass->findText("Automobiles", Qt::MatchStartsWith));
    f->cboClass->hidePopup();
    leave();
    EXPECT_EQ(f->cboLife->text(), "5");
    EXPECT_EQ(f->lblAutoNum->text(), "1");
    EXPECT_EQ(f->lblShowMethod->text(), "200 DB");
}

TEST_F(AssetEditing, VehicleWithoutLimitsForItsYearIsNotSaved) {
    exec("Delete from tblMaxAuto where Year = 2003");
    type(f->txtDescription, "Sedan");
    choose(f->cboMethod, "Listed");
    choose(f->cboClass, "Automobiles");
    type(f->txtInService, "062003");
    type(f->txtCost, "11000");
    leave();
    click(f->cmdSave);
    EXPECT_EQ(status(),
              "Use menu Maintenance\\Auto Max Limits to enter the maximun vehicle deprication amount for this year.");
    EXPECT_EQ(statusColour(), 255);
    EXPECT_EQ(count("select count(*) from tblAssets"), 0);
    EXPECT_EQ(f->txtCost->text(), "11000");
}

TEST_F(AssetEditing, LoadedVehicleKeepsItsNumberWhenItsDateIsLeft) {
    exec("Insert into tblAssets (Company_Id, Asset_name, Cost, In_Service_date, depr_method, life, convention, "
         "bussiness_percent, depr_class_id, life_id, vehicle_num, actual_method, Type_179, [Allowance 30 %], "
         "179_deduction, other_deductions, sold_amt, amortize_code) select 1, 'Van', 20000, '2024-02-01', 9, 5, 1, 1, "
         "Id, 0, 7, '200 DB', 1, 0, 0, 0, 0, 0 from tblDeprClass where Description = 'Automobiles'");
    retrieveLast();
    EXPECT_EQ(f->lblAutoNum->text(), "7");
    type(f->txtInService, "032024");
    leave();
    EXPECT_EQ(f->lblAutoNum->text(), "7");
}

TEST_F(AssetEditing, AmortizedIntangibleTakesItsCodeAndLifeFromTheClass) {
    type(f->txtDescription, "Goodwill");
    choose(f->cboMethod, "Amortize");
    leave();
    EXPECT_TRUE(f->txtAmorizeCode->isEnabled());
    EXPECT_FALSE(f->fraConvention->isEnabled());
    choose(f->cboClass, "Section 197");
    leave();
    EXPECT_EQ(f->txtAmorizeCode->text(), "197");
    EXPECT_EQ(f->cboLife->text(), "15");
    type(f->txtInService, "012024");
    type(f->txtCost, "15000");
    leave();
    click(f->cmdSave);
    EXPECT_EQ(status(), "Asset Added");
    EXPECT_EQ(value("select convention from tblAssets").toLong(), 4);
    EXPECT_EQ(value("select amortize_code from tblAssets").toLong(), 197);
    const std::string asset = value("select Asset_num from tblAssets").toString();
    EXPECT_EQ(count("select count(*) from tblDepr where asset_num = " + asset), 15);
    EXPECT_EQ(value("select min(year) from tblDepr where asset_num = " + asset).toLong(), 2024);
    EXPECT_EQ(value("select max(year) from tblDepr where asset_num = " + asset).toLong(), 2038);
    EXPECT_DOUBLE_EQ(vb::Round(value("select depr from tblDepr where year = 2030 and asset_num = " + asset).toDouble()),
                     1000);
}

TEST_F(AssetEditing, KeysAreFilteredEchoedAndClearTheOtherSearchField) {
    type(f->txtCost, "12a3");
    EXPECT_EQ(f->txtCost->text(), "123");
    EXPECT_EQ(beeps_, 1);
    type(f->txtCost, "1234567");
    EXPECT_EQ(status(), "1,234,567");
    type(f->txtCost, "1234567890");
    EXPECT_EQ(f->txtCost->text(), "123456789");  // nine characters at most
    // Pasting passes the key filter but not the amount check: one decimal point at most.
    type(f->txtCost, "12");
    f->txtCost->insert(".3.4");
    EXPECT_EQ(f->txtCost->text(), "12");
    EXPECT_EQ(beeps_, 2);

    choose(f->cboMethod, "MACRS");
    type(f->cboLife, "5a");
    EXPECT_EQ(f->cboLife->text(), "5");
    EXPECT_EQ(f->cboLife->listIndex(), -1);
    EXPECT_EQ(beeps_, 3);

    type(f->txtYear, "20");
    enter(f->txtAssetID);
    EXPECT_EQ(status(), "Invalid year.");
    EXPECT_EQ(statusColour(), 255);
    EXPECT_EQ(fore(f->txtYear), 255);

    f->txtYear->clear();
    addMacrsAsset("Copier", "03/2024", "10000");
    choose(f->cboAssets, "Copier");
    type(f->txtYear, "2024");
    type(f->txtAssetID, "1");
    EXPECT_EQ(f->txtYear->text(), "");
    EXPECT_EQ(f->cboAssets->listIndex(), -1);
}

TEST_F(AssetEditing, QuotesInTextsAreStoredAsTyped) {
    type(f->txtDescription, "O'Brien's lathe");
    choose(f->cboMethod, "MACRS");
    choose(f->cboLife, "7");
    type(f->txtCost, "5000");
    type(f->txtNotes, "it's');Delete from tblAssets;--");
    leave();
    click(f->cmdSave);
    EXPECT_EQ(status(), "Asset Added");
    EXPECT_EQ(value("select Asset_name from tblAssets").toString(), "O`Brien`s lathe");
    EXPECT_EQ(value("select notes from tblAssets").toString(), "it`s`);Delete from tblAssets;--");
}

TEST_F(AssetEditing, AccessKeyApplyChecksTheFieldLeftFirst) {
    macrsFiveYear("10000");
    type(f->txtCost, "8000");
    // What Alt+A does: the button is clicked while the focus is still in the cost box.
    ASSERT_EQ(QApplication::focusWidget(), f->txtCost);
    f->cmdSave->click();
    EXPECT_EQ(status(), "Asset Added");
    EXPECT_DOUBLE_EQ(value("select Cost from tblAssets").toDouble(), 8000);
    const std::string asset = value("select Asset_num from tblAssets").toString();
    EXPECT_DOUBLE_EQ(value("select max(accum_depr) from tblDepr where asset_num = " + asset).toDouble(), 8000);
}

TEST_F(AssetEditing, ChkConventionWithoutADateSaysSoInsteadOfFailing) {
    f->txtInService->setTextValue(QString());
    click(f->cmdMidConvention);
    EXPECT_EQ(status(), "Invalid date");
    EXPECT_EQ(statusColour(), 255);
}

}  // namespace
}  // namespace tally::desk::testing
