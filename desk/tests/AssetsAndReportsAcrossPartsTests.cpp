// The asset register as the reports see it: an asset's depreciation schedule and printed detail opened from the
// asset window, and a company added in table maintenance, picked, given an asset and reported on alone.

#include <QLineEdit>
#include <QRegularExpression>

#include "WholeDeskTest.h"
#include "frmCompany.h"
#include "ListView.h"
#include "MaskedEdit.h"

namespace tally::desk::testing {
namespace {

class AssetsAndReports : public WholeDeskTest {};

TEST_F(AssetsAndReports, AnAssetsScheduleAndPrintedDetailComeFromItsWindow) {
    addMacrsAsset(QStringLiteral("Copier"), QStringLiteral("03/2024"), QStringLiteral("10000"));
    ASSERT_EQ(status(), "Asset Added");
    retrieveLast();
    const QString number = f->lblAssetId->text();
    ASSERT_FALSE(number.isEmpty());

    ASSERT_TRUE(f->cmdDeprSchedule->isEnabled());
    click(f->cmdDeprSchedule);
    const std::vector<frmDocument*> reports = reportWindows();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(caption(*reports[0]), "Depreciation Schedule - Copier for Sample Company");
    // MACRS 5-year property, half-year convention: 20 %, 32 %, 19.2 %, 11.52 %, 11.52 %, 5.76 % of 10,000.
    EXPECT_EQ(rows(*reports[0]), (QStringList{"2024|2,000|2,000", "2025|3,200|5,200", "2026|1,920|7,120",
                                              "2027|1,152|8,272", "2028|1,152|9,424", "2029|576|10,000"}));

    ASSERT_TRUE(f->cmdPrint->isEnabled());
    click(f->cmdPrint);
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join("|").toStdString();
    const QString page = pdfText(pdfPath());
    EXPECT_TRUE(page.contains(QRegularExpression("Sample Company +07/15/2024"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QRegularExpression("Description: +Copier +Asset ID: +" + number))) << page.toStdString();
    EXPECT_TRUE(page.contains(QRegularExpression("Cost: +10,000 "))) << page.toStdString();
    EXPECT_TRUE(page.contains(QRegularExpression("Convention: +HY +In Service Date: +03/2024"))) << page.toStdString();
}

TEST_F(AssetsAndReports, ACompanyAddedAndPickedHasItsOwnAssetsReported) {
    addMacrsAsset(QStringLiteral("Copier"), QStringLiteral("03/2024"), QStringLiteral("10000"));
    ASSERT_EQ(status(), "Asset Added");

    // Maintenance > Companies/Clients: a new company.
    menu("mnuCompanyMaint");
    frmMaint* maint = maintenanceWindow();
    ASSERT_TRUE(maint);
    maint->cmdNew().click();
    QTest::keyClicks(maint->mskEdit(0), QStringLiteral("Baker Farms"));
    QTest::keyClicks(maint->mskEdit(1), QStringLiteral("Pat Baker"));
    QTest::keyClicks(maint->mskEdit(7), QStringLiteral("98-7654321"));
    maint->cmdSave().click();
    ASSERT_EQ(maint->lblStatusBar().text(), "Record Added.");
    const std::int32_t baker = count("select id from tblCompany where [Company Name] = 'Baker Farms'");
    ASSERT_GT(baker, 1);

    // Tools > Set Company/Client closes the asset window and the picker takes the new company.
    {
        ModalScript script;
        script.expect<frmCompany>([](frmCompany& picker) {
            picker.txtClientList().setText(QStringLiteral("baker"));
            picker.cmdOK().click();
        });
        menu("mnuSelectCompany");
        EXPECT_TRUE(script.allShown());
    }
    EXPECT_EQ(assetWindow(), nullptr);
    EXPECT_EQ(glngCompanyId, baker);
    EXPECT_EQ(gstrCompanyName, "Baker Farms");
    EXPECT_EQ(mainWindow()->windowTitle(), "Tallyvane  for - Baker Farms");

    open();
    addMacrsAsset(QStringLiteral("Tractor"), QStringLiteral("05/2024"), QStringLiteral("50000"));
    ASSERT_EQ(status(), "Asset Added");
    EXPECT_EQ(count("select Company_Id from tblAssets where Asset_name = 'Tractor'"), baker);

    menuForYear("mnuAssetWorkSheet", "2024");
    const std::vector<frmDocument*> reports = reportWindows();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(caption(*reports[0]), "2024 - Depreciation WorkSheet for Baker Farms");
    // The new company's asset alone, in the subtotal and grand total too.
    const QString tractor = value("select Asset_num from tblAssets where Asset_name = 'Tractor'").toString().c_str();
    EXPECT_EQ(rows(*reports[0]), (QStringList{"MACRS|Tractor|" + tractor + "|05/2024|50,000|100|50,000|HY|5.0|10,000|10,000",
                                              " | | | | | | | | | | ",
                                              " |" + QString(29, u' ') + "Subtotal| | |50,000| |50,000| | |10,000|10,000",
                                              " | | | | | | | | | | ",
                                              " |" + QString(24, u' ') + "Grand Total| | |50,000| |50,000| | |10,000|10,000"}));
}

// The Form 4562 data window lists one company's rows: picking another company while it is open lists that
// company's rows, and a row added then goes to the company shown.
TEST_F(AssetsAndReports, TheForm4562DataWindowFollowsTheCompanyPicked) {
    const std::int32_t baker = addCompany("Baker Farms");
    exec("insert into tblMisc4562Data (Company_Id, [Year], [179 Carryover]) values (1, 2009, 100)");
    exec("insert into tblMisc4562Data (Company_Id, [Year], [179 Carryover]) values (" + std::to_string(baker) +
         ", 2011, 200)");
    menu("mnuMisc4562Data");
    frmMaint* maint = maintenanceWindow();
    ASSERT_TRUE(maint);
    ASSERT_EQ(maint->lvMain().rowCount(), 1);
    EXPECT_EQ(maint->lvMain().row(0)->text(0), "2009");

    {
        ModalScript script;
        script.expect<frmCompany>([](frmCompany& picker) {
            picker.txtClientList().setText(QStringLiteral("baker"));
            picker.cmdOK().click();
        });
        menu("mnuSelectCompany");
        EXPECT_TRUE(script.allShown());
    }
    ASSERT_EQ(glngCompanyId, baker);
    ASSERT_EQ(maintenanceWindow(), maint);
    ASSERT_EQ(maint->lvMain().rowCount(), 1);
    EXPECT_EQ(maint->lvMain().row(0)->text(0), "2011");

    maint->cmdNew().click();
    QTest::keyClicks(maint->mskEdit(0), QStringLiteral("2012"));
    maint->cmdSave().click();
    ASSERT_EQ(maint->lblStatusBar().text(), "Record Added.");
    EXPECT_EQ(count("select Company_Id from tblMisc4562Data where [Year] = 2012"), baker);
}

}  // namespace
}  // namespace tally::desk::testing
