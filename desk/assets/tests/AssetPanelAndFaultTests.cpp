// The section 179 panel, the mid-quarter test, and the faults the window mends: a saved asset stores the same
// row when saved again, the row and its schedule land together, a delete is all or nothing, 16-bit slots and
// stopped questions stop.
#include "AssetTestSupport.h"
#include "Depr.h"
#include "Strings.h"
#include "frmMidQtr.h"

namespace tally::desk::testing {
namespace {

// A stored asset row of company 1 (method MACRS unless given).
std::string assetInsert(const std::string& name, double cost, const std::string& inService, double amount179,
                        bool type179, const std::string& extra = {}) {
    return "Insert into tblAssets (Company_Id, Asset_name, Cost, In_Service_date, depr_method, life, convention, "
           "bussiness_percent, depr_class_id, life_id, vehicle_num, actual_method, Type_179, [Allowance 30 %], "
           "179_deduction, other_deductions, sold_amt, amortize_code" +
           std::string(extra.empty() ? "" : ", Asset_num") + ") values (1, '" + name + "', " + std::to_string(cost) +
           ", '" + inService + "', 1, 5, 1, 1, 0, 1, 0, '200 DB', " + (type179 ? "1" : "0") + ", 0, " +
           std::to_string(amount179) + ", 0, 0, 0" + (extra.empty() ? "" : ", " + extra) + ")";
}

class Section179Panel : public AssetWindowTest {
protected:
    void seed() override {
        exec("Update tblMax179 set [Maximum Amount] = 25000, [Threshold Cost] = 200000 where Year = 2024");
        exec("Insert into tblMisc4562Data (Company_Id, Year, [179 Carryover], [179 Income Limit]) values (1, 2024, "
             "5000, 0)");
        exec(assetInsert("Press", 210000, "2024-02-01", 16000, true));
    }
    void newSection179Asset(const QString& inService) {
        type(f->txtDescription, "Lathe");
        choose(f->cboMethod, "MACRS");
        choose(f->cboLife, "7");
        type(f->txtInService, inService);
        type(f->txtCost, "5000");
        type(f->txt179Amt, "1000");
        leave();
    }
};

TEST_F(Section179Panel, ShowsTheYearsFiguresAndWarnsOverTheLimit) {
    click(f->cmd179);
    EXPECT_EQ(f->heightTwips(), frmAsset::kOpenTwips);
    EXPECT_TRUE(f->mblnShow179);
    EXPECT_EQ(f->fra179->title(), "179 Deduction for 2024");
    const std::vector<std::pair<assets::FigureLabel*, const char*>> shown = {
        {f->lbl179Limit, "$25,000"},        {f->lbl179ThresholdCost, "$200,000"}, {f->lbltotalAssetValue, "$210,000"},
        {f->lbl179Total, "$16,000"},        {f->lbl179Carryover, "$5,000"},      {f->lblIncomeLimit, "$0"},
        {f->lblAdjusted179, "$15,000"},     {f->lblRemaining179, "-$1,000"}};
    for (const auto& [label, text] : shown) EXPECT_EQ(label->text(), text) << label->objectName().toStdString();
    EXPECT_EQ(fore(f->lblRemaining179), 255);
    EXPECT_EQ(status(), "The Net 179 total is over the limit.");
    EXPECT_EQ(statusColour(), 255);
    click(f->cmd179);
    EXPECT_EQ(f->heightTwips(), frmAsset::kCollapsedTwips);
    EXPECT_FALSE(f->mblnShow179);
}

TEST_F(Section179Panel, OverTheLimitSavesOnlyOnYes) {
    click(f->cmd179);
    newSection179Asset("032024");
    for (int answer : {ui::mb::No, ui::mb::Cancel}) {
        prompts_->clearRecords();
        prompts_->answerMessage(answer);
        click(f->cmdSave);
        ASSERT_EQ(prompts_->messages.size(), 1u);
        EXPECT_EQ(prompts_->messages[0].text, "The 179 deduction is over the limit. Do you want to continue?");
        EXPECT_EQ(prompts_->messages[0].title, "Warning");
        EXPECT_EQ(prompts_->messages[0].style & 7, ui::mb::YesNoCancel);
        EXPECT_EQ(count("select count(*) from tblAssets where Asset_name = 'Lathe'"), 0) << answer;
        EXPECT_EQ(fore(f->txt179Amt), 255);
        EXPECT_EQ(status(), "The Net 179 total is over the limit.");
    }
    prompts_->answerMessage(ui::mb::Yes);
    click(f->cmdSave);
    EXPECT_EQ(count("select count(*) from tblAssets where Asset_name = 'Lathe'"), 1);
}

TEST_F(Section179Panel, TheWindowsAssetCountsAtItsBusinessShare) {
    click(f->cmd179);
    newSection179Asset("032024");
    type(f->txtCost, "20000");
    type(f->txtBusinessPercent, "60");
    leave();
    ASSERT_TRUE(f->chk179->isChecked());
    EXPECT_FALSE(Depr::CheckUpdated179Totals(*f));
    EXPECT_DOUBLE_EQ(f->lbltotalAssetValue->figure(), 222000);
    EXPECT_DOUBLE_EQ(f->lbl179Total->figure(), 17000);
}

TEST_F(Section179Panel, AStoredAssetIsNotCountedTwiceAndUntickingTakesItOut) {
    retrieve("Press");
    click(f->cmd179);
    EXPECT_FALSE(Depr::CheckUpdated179Totals(*f));
    EXPECT_DOUBLE_EQ(f->lbltotalAssetValue->figure(), 210000);
    EXPECT_DOUBLE_EQ(f->lbl179Total->figure(), 16000);
    f->chk179->setChecked(false);
    EXPECT_TRUE(Depr::CheckUpdated179Totals(*f));
    EXPECT_DOUBLE_EQ(f->lbl179Total->figure(), 0);
}

TEST_F(Section179Panel, AYearWithoutLimitsPassesInsteadOfReadingAnEarlierResult) {
    exec("Delete from tblMax179 where Year = 2023");
    click(f->cmd179);
    ASSERT_EQ(f->lblRemaining179->text(), "-$1,000");
    newSection179Asset("032023");
    prompts_->clearRecords();
    click(f->cmdSave);
    EXPECT_TRUE(prompts_->messageTexts().contains(
        "179 rates missing for year 2023. Please input the data before continuing."));
    for (const QString& text : prompts_->messageTexts()) EXPECT_FALSE(text.startsWith("The 179 deduction"));
    EXPECT_EQ(count("select count(*) from tblAssets where Asset_name = 'Lathe'"), 1);
}

TEST_F(Section179Panel, AnInServiceDateThatIsNoDateIsSaidOnceAsChkConventionSaysIt) {
    for (QPushButton* button : {f->cmdMidConvention, f->cmd179}) {
        prompts_->clearRecords();
        DisplayMsg(QString());
        type(f->txtInService, "132025");
        click(button);
        const std::string name = button->objectName().toStdString();
        EXPECT_TRUE(prompts_->messages.empty()) << name << ": " << prompts_->messageTexts().join("|").toStdString();
        EXPECT_EQ(status(), "Invalid date") << name;
        EXPECT_EQ(statusColour(), 255) << name;
        EXPECT_EQ(fore(f->lblInService), 255) << name;
    }
    // The panel stays closed instead of showing year 0.
    EXPECT_EQ(f->heightTwips(), frmAsset::kCollapsedTwips);
    EXPECT_FALSE(f->mblnShow179);
    EXPECT_EQ(f->lbl179Limit->text(), "");
}

class MidQuarter : public AssetWindowTest {
protected:
    void seed() override {
        exec(assetInsert("Spring", 60000, "2024-03-01", 0, false));
        exec(assetInsert("Autumn", 40000, "2024-11-01", 0, false));
    }
    QStringList runTest() {
        QStringList shown;
        onNextModal([&shown](QDialog& dialog) {
            auto* test = qobject_cast<frmMidQtr*>(&dialog);
            shown << dialog.windowTitle() << test->lblTotalCost->text() << test->lbl4thQtrCost->text()
                  << test->lbl4thQtrPercent->text() << test->lblWarning->text()
                  << QString::number(assets::foreColour(*test->lblWarning));
            dialog.reject();
        });
        click(f->cmdMidConvention);
        return shown;
    }
};

TEST_F(MidQuarter, FortyPercentInTheLastQuarterIsNotNeededOneDollarMoreIs) {
    EXPECT_EQ(runTest(), (QStringList{"Mid Qtr Convention Check for 2024", "$100,000", "$40,000", "40.0 %",
                                      "Mid Qtr Convention is not needed.", "32768"}));
    exec("Update tblAssets set Cost = 40001 where Asset_name = 'Autumn'");
    EXPECT_EQ(runTest(), (QStringList{"Mid Qtr Convention Check for 2024", "$100,001", "$40,001", "40.0 %",
                                      "Mid Qtr Convention is required.", "255"}));
}

class SavedAgain : public AssetWindowTest {
protected:
    // Every stored column of the asset, for comparing a row before and after a save. An updated row's notes end
    // in one blank, as stored notes always have: that blank is not compared.
    static std::string row(const std::string& asset) {
        std::string all;
        auto text = [&](const char* column) {
            const std::string stored =
                value(std::string("select ") + column + " from tblAssets where Asset_num = " + asset).toString();
            return std::string(column) == "notes" ? vb::RTrim(stored) : stored;
        };
        for (const char* column :
             {"Asset_name", "Cost", "[Allowance 30 %]", "179_deduction", "In_Service_date", "depr_method", "life",
              "convention", "other_deductions", "bussiness_percent", "sold_date", "sold_amt", "notes", "depr_class_id",
              "life_id", "amortize_code", "vehicle_num", "actual_method", "Type_179"})
            all += std::string(column) + "=" + text(column) + ";";
        return all;
    }
    static std::string schedule(const std::string& asset) {
        std::string all;
        for (int year = 2000; year < 2080; ++year) {
            const std::string where = " from tblDepr where asset_num = " + asset + " and year = " + std::to_string(year);
            if (count("select count(*)" + where) == 0) continue;
            all += std::to_string(year) + ":" + value("select depr" + where).toString() + ";";
        }
        return all;
    }
    // Loads the asset and applies it unchanged.
    void saveUnchanged(const std::string& asset) {
        retrieveNumber(asset);
        f->fieldChanged();
        click(f->cmdSave);
        ASSERT_EQ(status(), "Asset Updated");
    }
};

TEST_F(SavedAgain, RealPropertyKeepsItsMidMonthConventionAndSchedule) {
    struct Case {
        const char* method;
        const char* pick;  // class or life
        bool byClass;
    } cases[] = {{"MACRS", "Nonresidential", true}, {"ADS", "40", false}, {"MACRS", "Residential", true}};
    for (const Case& c : cases) {
        type(f->txtDescription, "Building");
        choose(f->cboMethod, c.method);
        choose(c.byClass ? f->cboClass : f->cboLife, c.pick);
        leave();
        ASSERT_TRUE(f->optConvention[2]->isChecked()) << c.method << c.pick;
        type(f->txtInService, "032024");
        type(f->txtCost, "400000");
        leave();
        click(f->cmdSave);
        ASSERT_EQ(status(), "Asset Added");
        const std::string asset = value("select max(Asset_num) from tblAssets").toString();
        ASSERT_EQ(value("select convention from tblAssets where Asset_num = " + asset).toLong(), 3);
        const std::string before = row(asset) + schedule(asset);
        saveUnchanged(asset);
        EXPECT_EQ(row(asset) + schedule(asset), before) << c.method << " " << c.pick;
    }
}

TEST_F(SavedAgain, ASmallBusinessShareAndAListedLifeStayAsStored) {
    exec(assetInsert("Tiny share", 10000, "2024-02-01", 0, false));
    exec("Update tblAssets set bussiness_percent = 0.005, actual_method = 'S/L', Type_179 = 0");
    const std::string asset = value("select max(Asset_num) from tblAssets").toString();
    saveUnchanged(asset);
    EXPECT_DOUBLE_EQ(value("select bussiness_percent from tblAssets where Asset_num = " + asset).toDouble(), 0.005);

    click(f->cmdNew);
    type(f->txtDescription, "Shelving");
    choose(f->cboMethod, "S/L");
    choose(f->cboLife, "7");
    type(f->txtInService, "032024");
    type(f->txtCost, "7000");
    leave();
    click(f->cmdSave);
    const std::string shelving = value("select max(Asset_num) from tblAssets").toString();
    const std::string before = row(shelving) + schedule(shelving);
    saveUnchanged(shelving);
    EXPECT_EQ(row(shelving) + schedule(shelving), before);
}

TEST_F(SavedAgain, AStraightLineAssetLoadedAfterAnotherMethodKeepsItsLifeEntry) {
    type(f->txtDescription, "Shelving");
    choose(f->cboMethod, "S/L");
    choose(f->cboLife, "7");
    type(f->txtInService, "032024");
    type(f->txtCost, "7000");
    leave();
    click(f->cmdSave);
    ASSERT_EQ(status(), "Asset Added");
    const std::string shelving = value("select max(Asset_num) from tblAssets").toString();
    const std::string before = row(shelving) + schedule(shelving);
    // The life list now holds the MACRS lives, where 7 stands at another position.
    addMacrsAsset("Copier", "03/2024", "10000");
    ASSERT_EQ(status(), "Asset Added");
    retrieveLast();
    saveUnchanged(shelving);
    EXPECT_EQ(row(shelving) + schedule(shelving), before);
}

TEST_F(SavedAgain, VehiclesWithAllowanceAndAmortizedAssetsStayAsStored) {
    exec("Update tblMaxAuto set [Max Year 1] = 12400, [Yr 1 + 50%] = 20400 where Year = 2024 and Type = 'Gas'");
    type(f->txtDescription, "Sedan");
    choose(f->cboMethod, "Listed");
    choose(f->cboClass, "Automobiles");
    type(f->txtInService, "032024");
    type(f->txtCost, "30000");
    type(f->txtBusinessPercent, "80");
    leave();
    f->chk50Bonus->setChecked(true);
    click(f->cmdSave);
    ASSERT_EQ(status(), "Asset Added");
    const std::string sedan = value("select max(Asset_num) from tblAssets").toString();
    std::string before = row(sedan) + schedule(sedan);
    saveUnchanged(sedan);
    EXPECT_EQ(row(sedan) + schedule(sedan), before);

    click(f->cmdNew);
    type(f->txtDescription, "Goodwill");
    choose(f->cboMethod, "Amortize");
    choose(f->cboClass, "Section 197");
    type(f->txtInService, "012024");
    type(f->txtCost, "15000");
    leave();
    click(f->cmdSave);
    ASSERT_EQ(status(), "Asset Added");
    const std::string goodwill = value("select max(Asset_num) from tblAssets").toString();
    before = row(goodwill) + schedule(goodwill);
    saveUnchanged(goodwill);
    EXPECT_EQ(row(goodwill) + schedule(goodwill), before);
}

class SaveTogether : public AssetWindowTest {};

TEST_F(SaveTogether, AScheduleThatCannotBeWrittenLeavesNoAssetAndTheWindowAsTyped) {
    exec("CREATE TRIGGER noSchedule BEFORE INSERT ON tblDepr BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    type(f->txtDescription, "Copier");
    choose(f->cboMethod, "MACRS");
    choose(f->cboLife, "5");
    type(f->txtInService, "032024");
    type(f->txtCost, "10000");
    leave();
    click(f->cmdSave);
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_TRUE(prompts_->messages[0].text.startsWith("Error in AddorUpdate. ")) << prompts_->messages[0].text.toStdString();
    EXPECT_EQ(count("select count(*) from tblAssets"), 0);
    EXPECT_EQ(f->txtDescription->text(), "Copier");
    EXPECT_EQ(f->lblAssetId->text(), "");
    EXPECT_FALSE(gblnEditAsset);
    EXPECT_EQ(f->cboAssets->findText("Copier"), -1);

    exec("DROP TRIGGER noSchedule");
    click(f->cmdSave);
    EXPECT_EQ(status(), "Asset Added");
    EXPECT_EQ(count("select count(*) from tblAssets"), 1);
    EXPECT_EQ(count("select count(*) from tblDepr"), 6);
}

TEST_F(SaveTogether, AFailedUpdateKeepsTheStoredRowAndTheEdits) {
    addMacrsAsset("Copier", "03/2024", "10000");
    retrieve("Copier");
    exec("CREATE TRIGGER noSchedule BEFORE INSERT ON tblDepr BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    type(f->txtCost, "12000");
    leave();
    click(f->cmdSave);
    EXPECT_DOUBLE_EQ(value("select Cost from tblAssets").toDouble(), 10000);
    EXPECT_EQ(count("select count(*) from tblDepr"), 6);
    EXPECT_EQ(f->txtCost->text(), "12000");
    EXPECT_TRUE(gblnEditAsset);
}

TEST_F(SaveTogether, ADeleteThatFailsDeletesNothingAndKeepsTheAsset) {
    addMacrsAsset("Copier", "03/2024", "10000");
    retrieve("Copier");
    exec("CREATE TRIGGER keepSchedule BEFORE DELETE ON tblDepr BEGIN SELECT RAISE(ABORT, 'locked'); END");
    prompts_->answerMessage(ui::mb::OK);
    click(f->cmdDelete);
    ASSERT_EQ(prompts_->messages.size(), 2u);
    EXPECT_TRUE(prompts_->messages[1].text.startsWith("Error in DeleteAsset ")) << prompts_->messages[1].text.toStdString();
    EXPECT_EQ(count("select count(*) from tblAssets"), 1);
    EXPECT_EQ(count("select count(*) from tblDepr"), 6);
    EXPECT_EQ(f->txtDescription->text(), "Copier");
    EXPECT_GE(f->cboAssets->findText("Copier"), 0);
}

TEST_F(SaveTogether, ScheduleOfAnAssetNumberPast16BitsOpensThatAssetsSchedule) {
    std::vector<std::int32_t> numbers;
    partServices().doReports = [&](const QString& name, std::int32_t number, const QString& text) {
        EXPECT_EQ(name, "Depreciation Schedule");
        EXPECT_EQ(text, "Far");
        numbers.push_back(number);
    };
    exec(assetInsert("Far", 10000, "2024-02-01", 0, false, "40000"));
    retrieveNumber("40000");
    ASSERT_EQ(f->lblAssetId->text(), "40000");
    click(f->cmdDeprSchedule);
    EXPECT_EQ(numbers, std::vector<std::int32_t>{40000});
}

TEST_F(SaveTogether, ANewVehicleIsCheckedForItsInServiceYearAfterItsLifeWasTyped) {
    exec("Insert into tblDeprClass (Method_ID, Description, Life, [If Auto - Type], [Amortize #]) values (1, "
         "'Company cars', 5, 'Gas', 0)");
    std::vector<std::pair<int, int>> checks;
    partServices().vehicleDocsOk = [&](std::int16_t year, std::int16_t vehicle) {
        checks.emplace_back(year, vehicle);
        return true;
    };
    type(f->txtDescription, "Car");
    choose(f->cboMethod, "MACRS");
    choose(f->cboClass, "Company cars");
    leave();
    ASSERT_EQ(f->lblAutoNum->text(), "1");
    type(f->cboLife, "5");
    leave();
    EXPECT_EQ(f->cboClass->listIndex(), -1);
    type(f->txtInService, "032024");
    type(f->txtCost, "20000");
    leave();
    click(f->cmdSave);
    ASSERT_EQ(status(), "Asset Added");
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(checks[0], std::make_pair(2024, 1));
}

TEST_F(SaveTogether, WithoutTheVehiclePartANewVehicleIsStillSaved) {
    exec("Update tblMaxAuto set [Max Year 1] = 30000 where Year = 2024 and Type = 'Gas'");
    type(f->txtDescription, "Sedan");
    choose(f->cboMethod, "Listed");
    choose(f->cboClass, "Automobiles");
    type(f->txtInService, "032024");
    type(f->txtCost, "20000");
    leave();
    click(f->cmdSave);
    EXPECT_EQ(status(), "Asset Added");
    EXPECT_EQ(count("select count(*) from tblAssets"), 1);
}

}  // namespace
}  // namespace tally::desk::testing
