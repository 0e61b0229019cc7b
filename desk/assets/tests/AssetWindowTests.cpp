// The asset window as a user works it: opening, adding, retrieving, saving changes, deleting.
#include "AssetTestSupport.h"

namespace tally::desk::testing {
namespace {

using AssetWindow = AssetWindowTest;

TEST_F(AssetWindow, OpensEmptyWithTheCommandsThatNeedAnAssetDisabled) {
    EXPECT_EQ(f->windowTitle(), "Asset Maintenance");
    EXPECT_EQ(f->heightTwips(), frmAsset::kCollapsedTwips);
    EXPECT_FALSE(f->mblnShow179);
    for (QPushButton* b : {f->cmdSave, f->cmdPrint, f->cmdDeprSchedule, f->cmdDelete}) EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(f->txtInService->Text(), "07/2024");
    EXPECT_EQ(f->txtBusinessPercent->text(), "100");
    QStringList methods;
    for (int i = 0; i < f->cboMethod->count(); ++i) methods << f->cboMethod->itemText(i);
    EXPECT_EQ(methods, (QStringList{"ADS", "Amortize", "Listed", "MACRS", "S/L"}));
    EXPECT_EQ(status(), "");
    EXPECT_EQ(f->optConvention[0]->objectName(), "optConvention_0");
}

TEST_F(AssetWindow, ApplyOnAnEmptyWindowNamesEveryMissingFieldAndWritesNothing) {
    type(f->txtDescription, "x");
    QTest::keyClick(f->txtDescription, Qt::Key_Backspace);
    EXPECT_TRUE(f->cmdSave->isEnabled());
    click(f->cmdSave);
    EXPECT_EQ(status(), "Description Missing! Cost Missing! Method Missing! Life Missing! ");
    EXPECT_EQ(statusColour(), 255);
    for (QLabel* label : {f->lblDescription, f->lblCost, f->lblMethod, f->lblLife}) EXPECT_EQ(fore(label), 255);
    EXPECT_EQ(fore(f->lblInService), 0);
    EXPECT_EQ(QApplication::focusWidget(), f->cboLife);
    EXPECT_EQ(count("select count(*) from tblAssets"), 0);
}

TEST_F(AssetWindow, NewMacrsAssetIsStoredWithItsScheduleAndTheOutcomeStaysShown) {
    type(f->txtDescription, "Copier");
    choose(f->cboMethod, "MACRS");
    leave();
    EXPECT_TRUE(f->cboClass->count() > 0);
    EXPECT_TRUE(f->chk179->isChecked());
    EXPECT_TRUE(f->txt179Amt->isEnabled());
    EXPECT_EQ(assets::backColour(*f->txt179Amt), assets::kWhite);
    EXPECT_TRUE(f->chkBonus->isEnabled());
    EXPECT_TRUE(f->optConvention[0]->isChecked());
    choose(f->cboLife, "5");
    leave();
    EXPECT_EQ(f->lblShowMethod->text(), "200 DB");
    type(f->txtInService, "032024");
    type(f->txtCost, "10000");
    EXPECT_EQ(status(), "10,000");
    leave();
    EXPECT_EQ(f->lblCostBasis->text(), "10000");
    EXPECT_EQ(fore(f->lblCostBasis), assets::kGreen);
    click(f->cmdSave);

    EXPECT_EQ(status(), "Asset Added");
    EXPECT_EQ(statusColour(), assets::kGreen);
    EXPECT_EQ(f->txtDescription->text(), "");
    EXPECT_EQ(f->txtBusinessPercent->text(), "100");
    EXPECT_EQ(f->txtInService->Text(), "07/2024");
    EXPECT_EQ(QApplication::focusWidget(), f->txtDescription);
    EXPECT_GE(f->cboAssets->findText("Copier"), 0);
    EXPECT_FALSE(gblnEditAsset);
    const auto row = "select %1 from tblAssets where Asset_name = 'Copier'";
    auto field = [&](const char* column) { return value(QString::fromLatin1(row).arg(column).toStdString()); };
    EXPECT_EQ(field("Cost").toDouble(), 10000);
    EXPECT_EQ(field("life").toDouble(), 5);
    EXPECT_EQ(field("convention").toLong(), 1);
    EXPECT_EQ(field("bussiness_percent").toDouble(), 1);
    EXPECT_TRUE(field("Type_179").toBool());
    EXPECT_EQ(field("actual_method").toString(), "200 DB");
    EXPECT_EQ(field("life_id").toLong(), 1);
    EXPECT_EQ(field("vehicle_num").toLong(), 0);
    EXPECT_EQ(field("In_Service_date").toDate(), vb::Date(2024, 3, 1));
}

TEST_F(AssetWindow, RetrievedAssetShowsAsSavedAndOpensItsScheduleThroughReporting) {
    struct Call {
        QString name;
        std::int16_t number;
        QString text;
    };
    std::vector<Call> calls;
    partServices().doReports = [&](const QString& name, std::int16_t number, const QString& text) {
        calls.push_back({name, number, text});
    };
    addMacrsAsset("Copier", "03/2024", "10000");
    retrieve("Copier");
    EXPECT_EQ(f->txtDescription->text(), "Copier");
    EXPECT_EQ(f->cboMethod->text(), "MACRS");
    EXPECT_EQ(f->cboLife->text(), "5");
    EXPECT_EQ(f->txtCost->text(), "10000");
    EXPECT_EQ(f->txtInService->Text(), "03/2024");
    EXPECT_EQ(f->lblCostBasis->text(), "10000");
    EXPECT_TRUE(f->optConvention[0]->isChecked());
    EXPECT_FALSE(f->cmdSave->isEnabled());
    EXPECT_FALSE(f->mblnDirty);
    EXPECT_TRUE(f->cmdDelete->isEnabled());
    EXPECT_TRUE(f->cmdDeprSchedule->isEnabled());
    EXPECT_FALSE(f->cmdPrint->isEnabled());  // no printing part behind it
    EXPECT_TRUE(gblnEditAsset);

    click(f->cmdDeprSchedule);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, "Depreciation Schedule");
    EXPECT_EQ(QString::number(calls[0].number), f->lblAssetId->text());
    EXPECT_EQ(calls[0].text, "Copier");

    // The schedule to the dollar: 5-year property, half-year convention.
    const int asset = f->lblAssetId->text().toInt();
    const std::vector<std::array<double, 3>> expected = {{2024, 2000, 2000}, {2025, 3200, 5200}, {2026, 1920, 7120},
                                                         {2027, 1152, 8272}, {2028, 1152, 9424}, {2029, 576, 10000}};
    EXPECT_EQ(count("select count(*) from tblDepr where asset_num = " + std::to_string(asset)), 6);
    for (const auto& [year, depr, accum] : expected) {
        const std::string where = " from tblDepr where asset_num = " + std::to_string(asset) +
                                  " and year = " + std::to_string(static_cast<int>(year));
        EXPECT_DOUBLE_EQ(vb::Round(value("select depr" + where).toDouble()), depr) << year;
        EXPECT_DOUBLE_EQ(vb::Round(value("select accum_depr" + where).toDouble()), accum) << year;
    }
}

TEST_F(AssetWindow, PrintHandsOverTheFieldsAsShown) {
    std::vector<AssetDetailFields> printed;
    partServices().printAssetDetail = [&](const AssetDetailFields& fields) { printed.push_back(fields); };
    addMacrsAsset("Copier", "03/2024", "10000");
    retrieve("Copier");
    ASSERT_TRUE(f->cmdPrint->isEnabled());
    type(f->txtNotes, "not yet saved");
    click(f->cmdPrint);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].description, "Copier");
    EXPECT_EQ(printed[0].notes, "not yet saved");
    EXPECT_EQ(printed[0].convention, 1);
    EXPECT_EQ(printed[0].soldDate, "__/____");
    EXPECT_EQ(printed[0].costBasis, "10000");
}

TEST_F(AssetWindow, SavePromptCancelKeepsNoDiscardsYesSavesNotesWithBacktick) {
    addMacrsAsset("Copier", "03/2024", "10000");
    retrieve("Copier");
    const std::string id = f->lblAssetId->text().toStdString();
    type(f->txtNotes, "Bob's desk");

    prompts_->answerMessage(ui::mb::Cancel);
    click(f->cmdNew);
    EXPECT_EQ(prompts_->messages.back().text, "Save Changes?");
    EXPECT_EQ(prompts_->messages.back().style & 7, ui::mb::YesNoCancel);
    EXPECT_EQ(prompts_->messages.back().title, "Tallyvane ");
    EXPECT_EQ(f->txtDescription->text(), "Copier");

    prompts_->answerMessage(ui::mb::No);
    click(f->cmdNew);
    EXPECT_EQ(f->txtDescription->text(), "");
    EXPECT_EQ(value("select notes from tblAssets where Asset_num = " + id).toString(), "");

    retrieve("Copier");
    type(f->txtNotes, "Bob's desk");
    prompts_->answerMessage(ui::mb::Yes);
    click(f->cmdNew);
    EXPECT_EQ(value("select notes from tblAssets where Asset_num = " + id).toString(), "Bob`s desk ");
    // The outcome of the save stays shown after the window is cleared.
    EXPECT_EQ(status(), "Asset Updated");
    EXPECT_FALSE(gblnEditAsset);
}

TEST_F(AssetWindow, DeleteAsksThenRemovesTheAssetItsScheduleAndItsListEntry) {
    addMacrsAsset("Copier", "03/2024", "10000");
    retrieve("Copier");
    const QString id = f->lblAssetId->text();
    const std::string where = " where asset_num = " + id.toStdString();

    prompts_->answerMessage(ui::mb::Cancel);
    click(f->cmdDelete);
    EXPECT_EQ(prompts_->messages.back().text,
              "Delete asset " + id +
                  " and all depreciation for this asset? To keep an audit trail for this asset use the disposition "
                  "option instead of deleting it.");
    EXPECT_EQ(prompts_->messages.back().title, "Delete Asset.");
    EXPECT_EQ(count("select count(*) from tblAssets" + where), 1);

    prompts_->answerMessage(ui::mb::OK);
    click(f->cmdDelete);
    EXPECT_EQ(count("select count(*) from tblAssets" + where), 0);
    EXPECT_EQ(count("select count(*) from tblDepr" + where), 0);
    EXPECT_EQ(f->cboAssets->findText("Copier"), -1);
    EXPECT_EQ(f->txtDescription->text(), "");
    for (QPushButton* b : {f->cmdDelete, f->cmdPrint, f->cmdDeprSchedule}) EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(gblnEditAsset);
}

TEST_F(AssetWindow, DeleteRemovesTheListEntryOfItsOwnNumberWhenNamesRepeat) {
    addMacrsAsset("Copier", "03/2024", "10000");
    addMacrsAsset("Copier", "04/2024", "20000");
    ASSERT_EQ(f->cboAssets->count(), 2);
    const int second = f->cboAssets->itemData(1).toInt();
    const int first = f->cboAssets->itemData(0).toInt();
    type(f->txtAssetID, QString::number(second));
    click(f->cmdSearch);
    ASSERT_EQ(f->txtCost->text(), "20000");
    type(f->txtDescription, "Copier (old)");  // an edited name must not matter
    prompts_->answerMessage(ui::mb::OK);
    click(f->cmdDelete);
    ASSERT_EQ(f->cboAssets->count(), 1);
    EXPECT_EQ(f->cboAssets->itemData(0).toInt(), first);
}

TEST_F(AssetWindow, UndoReloadsTheStoredAssetOrClearsANewOne) {
    addMacrsAsset("Copier", "03/2024", "10000");
    retrieve("Copier");
    type(f->txtCost, "99");
    click(f->cmdCancel);
    EXPECT_EQ(f->txtCost->text(), "10000");
    EXPECT_FALSE(f->mblnDirty);
    click(f->cmdNew);
    type(f->txtDescription, "Draft");
    click(f->cmdCancel);
    EXPECT_EQ(f->txtDescription->text(), "");
}

TEST_F(AssetWindow, ClosingWithChangesAsksAndMayStayOpen) {
    type(f->txtDescription, "Draft");
    prompts_->answerMessage(ui::mb::Cancel);
    EXPECT_FALSE(deskCommands().closeAssetWindow());
    EXPECT_TRUE(assetWindow());
    prompts_->answerMessage(ui::mb::No);
    EXPECT_TRUE(deskCommands().closeAssetWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(assetWindow());
}

TEST_F(AssetWindow, ClosingRightAfterTypingACostSavesTheScheduleOfThatCost) {
    addMacrsAsset("Copier", "03/2024", "10000");
    retrieve("Copier");
    // The cursor stays in the cost box when the window is closed: no other field was entered.
    type(f->txtCost, "20000");
    prompts_->answerMessage(ui::mb::Yes);
    EXPECT_TRUE(deskCommands().closeAssetWindow());
    EXPECT_EQ(prompts_->messageTexts(), QStringList{"Save Changes?"});
    EXPECT_EQ(value("select Cost from tblAssets").toDouble(), 20000);
    EXPECT_EQ(value("select max(accum_depr) from tblDepr").toDouble(), 20000);
}

TEST_F(AssetWindow, SetCompanyLeavesTheCompanyAloneWhileTheWindowStaysOpen) {
    type(f->txtDescription, "Draft");
    bool pickerShown = false;
    QTimer::singleShot(300, [&pickerShown] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            pickerShown = true;
            dialog->reject();
        }
    });
    prompts_->answerMessage(ui::mb::Cancel);
    auto* setCompany = mainWindow()->findChild<QAction*>(QStringLiteral("mnuSelectCompany"));
    ASSERT_TRUE(setCompany);
    setCompany->trigger();
    QTest::qWait(400);
    EXPECT_FALSE(pickerShown);
    EXPECT_EQ(prompts_->messageTexts(), QStringList{"Save Changes?"});
    EXPECT_TRUE(assetWindow());
}

TEST_F(AssetWindow, ReportingAsksWhetherTheYearHasForm4562Inputs) {
    ASSERT_TRUE(partServices().misc4562Ok);
    EXPECT_FALSE(partServices().misc4562Ok(2024, 1));
    exec("Insert into tblMisc4562Data (Company_Id, Year, [179 Carryover], [179 Income Limit]) values (1, 2024, 0, 0)");
    EXPECT_TRUE(partServices().misc4562Ok(2024, 1));
}

}  // namespace
}  // namespace tally::desk::testing
