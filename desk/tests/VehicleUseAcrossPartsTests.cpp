// Vehicle use as the other parts reach it: a new vehicle saved in the asset window (also after another was
// deleted), the Form 4562 request's gate, and the two vehicle windows opened from the Tools menu through the year
// prompt.

#include <QClipboard>
#include <QRegularExpression>
#include <QTest>

#include "MileageBox.h"
#include "UserFormsFolder.h"
#include "WholeDeskTest.h"
#include "YesNoPair.h"
#include "frmAutoQst.h"
#include "frmAutoUse.h"
#include "modAutoUse.h"
#include "modDatabase.h"

namespace tally::desk::testing {
namespace {

const QString kOwnerQuestion =
    "Is the vehicle used by a sole proprietor, partner or other 'more than 5% owner,' or related person?";
const QString kVehicleQuestion = "Vehicle data is incomplete. Do you want to continue?";
const QString kMiscQuestion =
    "Miscellaneous 4562 data is missing. (Use Menu\\Maintenance\\Miscellaneous 4562 Data, to enter the data.) Do "
    "you want to continue?";

void press(QWidget& window, const char* button) {
    auto* b = window.findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_TRUE(b) << button;
    b->click();
}

// Miles and answers typed into one column of the page, as the user does.
void fillColumn(frmAutoUse& page, int n, const char* business, bool ownerDrives) {
    frmAutoUse::VehicleColumn& c = page.column(n);
    QTest::keyClicks(c.txtBusiness, QString::fromLatin1(business));
    QTest::keyClicks(c.txtCommuting, QStringLiteral("250"));
    QTest::keyClicks(c.txtPersonal, QStringLiteral("1000"));
    c.OptOffDuty->option(1).click();
    c.Opt5Owner->option(ownerDrives ? 0 : 1).click();
    c.optAnother->option(0).click();
}

// The five answers, only the one at `yes` a Yes.
void answerQuestionnaire(frmAutoQst& window, int yes) {
    for (int i = 0; i < 5; ++i) window.answer(i).option(i == yes ? 0 : 1).click();
}

class VehiclesAcrossParts : public WholeDeskTest {
protected:
    // A new vehicle typed into the asset window and saved; returns the vehicle number the window gave it.
    QString saveNewCar(const QString& description, const QString& vehicleClass = QStringLiteral("Automobiles")) {
        type(f->txtDescription, description);
        choose(f->cboMethod, QStringLiteral("Listed"));
        choose(f->cboClass, vehicleClass);
        type(f->txtInService, QStringLiteral("032024"));
        type(f->txtCost, QStringLiteral("20000"));
        leave();
        const QString vehicle = f->lblAutoNum->text();
        click(f->cmdSave);
        return vehicle;
    }
    std::int32_t storedUseRows(const std::string& where) const {
        return count("select count(*) from tblAutoUse where Company_Id = " + std::to_string(glngCompanyId) + " and " +
                     where);
    }
    // The questionnaire rows of the current company for `year` as "YNNNN" answers, "/" between rows.
    static std::string storedQuestionnaire(int year) {
        const ado::RecordsetPtr rs = engine::modDatabase::SharedConnection().Execute(
            "Select [No Personal Use], [Commuting Allowed], [All Personal Use], [More 5 Cars & keep Track], "
            "[Meet Requirements] from tblAutoQuestions where Company_Id = " +
            std::to_string(glngCompanyId) + " and [Year] = " + std::to_string(year));
        std::string rows;
        for (; !rs->EOF_(); rs->MoveNext()) {
            if (!rows.empty()) rows += "/";
            for (long i = 0; i < 5; ++i) rows += (*rs)[i].toBool() ? "Y" : "N";
        }
        return rows;
    }
};

TEST_F(VehiclesAcrossParts, ANewVehicleSavedInTheAssetWindowHasItsUseDocumented) {
    exec("Update tblMaxAuto set [Max Year 1] = 30000 where Year = 2024 and Type = 'Gas'");

    // The owner drives it: the page opens modal at its column, and what is saved there is stored.
    {
        ModalScript script;
        script.expect<frmAutoUse>([this](frmAutoUse& page) {
            EXPECT_EQ(page.lblTitle().text(), "Data for Sample Company for year 2024");
            EXPECT_EQ(page.focusWidget(), page.column(1).txtBusiness);
            EXPECT_FALSE(page.column(2).txtBusiness->isEnabled());
            fillColumn(page, 1, "15000", true);
            press(page, "cmdSave");
            EXPECT_EQ(status(), " Vehicle Data has been updated. ");
            page.close();
        });
        prompts_->answerMessage(ui::mb::Yes);
        EXPECT_EQ(saveNewCar("Owner's sedan"), "1");
        EXPECT_TRUE(script.allShown());
        EXPECT_EQ(script.shown, QStringList{"frmAutoUse"});
    }
    EXPECT_EQ(prompts_->messageTexts(), QStringList{kOwnerQuestion});
    EXPECT_EQ(prompts_->messages[0].title, "Auto Use");
    EXPECT_EQ(prompts_->messages[0].style, ui::mb::YesNo);
    EXPECT_EQ(status(), "Asset Added");
    EXPECT_EQ(storedUseRows("[Year] = 2024 and [Vehicle #] = 1 and [Business Miles] = '15000' and [Commuting Miles] = "
                            "'250' and [Personal Miles] = '1000' and [Available Personal Use off Hours] = False and "
                            "[Driver 5 percent Owner] = True and [Another Car Available] = True"),
              1);

    // An employee drives the next one and the questionnaire is closed unsaved: the page follows.
    {
        prompts_->clearRecords();
        ModalScript script;
        script.expect<frmAutoQst>([](frmAutoQst& window) { window.close(); });
        script.expect<frmAutoUse>([](frmAutoUse& page) {
            EXPECT_EQ(page.focusWidget(), page.column(2).txtBusiness);
            press(page, "cmdCancel");
        });
        prompts_->answerMessage(ui::mb::No);
        EXPECT_EQ(saveNewCar("Pool car"), "2");
        EXPECT_TRUE(script.allShown());
        EXPECT_EQ(script.shown, (QStringList{"frmAutoQst", "frmAutoUse"}));
        EXPECT_EQ(prompts_->messageTexts(), QStringList{kOwnerQuestion});
        EXPECT_EQ(storedUseRows("[Vehicle #] = 2"), 0);
        EXPECT_EQ(storedQuestionnaire(2024), "");
    }

    // The questionnaire saved with a Yes ends the flow: no page.
    {
        prompts_->clearRecords();
        ModalScript script;
        script.expect<frmAutoQst>([](frmAutoQst& window) {
            answerQuestionnaire(window, 2);
            press(window, "cmdSave");
            window.close();
        });
        prompts_->answerMessage(ui::mb::No);
        EXPECT_EQ(saveNewCar("Sales car"), "3");
        EXPECT_TRUE(script.allShown());
        EXPECT_EQ(script.shown, QStringList{"frmAutoQst"});
        EXPECT_EQ(storedQuestionnaire(2024), "NNYNN");
        EXPECT_EQ(status(), "Asset Added");
    }
    EXPECT_EQ(count("select count(*) from tblAssets where Company_Id = 1 and vehicle_num > 0"), 3);
}

TEST_F(VehiclesAcrossParts, AVehicleAddedAfterTheLastOneWasDeletedStartsWithoutItsMiles) {
    const QString vanClass = QStringLiteral("Light trucks and vans");
    exec("Update tblMaxAuto set [Max Year 1] = 30000 where Year = 2024 and Type = 'Truck/Van'");
    exec("INSERT INTO tblMisc4562Data (Company_Id, Year) Values(1, 2024)");
    recordFormsShown();
    {
        ModalScript script;
        script.expect<frmAutoUse>([](frmAutoUse& page) {
            fillColumn(page, 1, "15000", true);
            press(page, "cmdSave");
            page.close();
        });
        prompts_->answerMessage(ui::mb::Yes);
        ASSERT_EQ(saveNewCar("Van A", vanClass), "1");
        ASSERT_TRUE(script.allShown());
    }
    retrieve(QStringLiteral("Van A"));
    prompts_->answerMessage(ui::mb::OK);
    click(f->cmdDelete);
    ASSERT_EQ(count("select count(*) from tblAssets where Asset_name = 'Van A'"), 0);
    EXPECT_EQ(storedUseRows("[Vehicle #] = 1 and [Business Miles] = '15000'"), 1) << "the deleted van's use stays";

    // The truck gets a number of its own, so its use is asked for and the page shows none of the van's miles.
    prompts_->clearRecords();
    {
        ModalScript script;
        script.expect<frmAutoUse>([](frmAutoUse& page) {
            EXPECT_EQ(modAutoUse::GetVehicleDesc(1), "Delivery truck B");
            EXPECT_EQ(page.column(1).txtBusiness->text(), "");
            press(page, "cmdCancel");
        });
        prompts_->answerMessage(ui::mb::Yes);
        EXPECT_EQ(saveNewCar("Delivery truck B", vanClass), "2");
        EXPECT_TRUE(script.allShown());
    }
    EXPECT_EQ(prompts_->messageTexts(), QStringList{kOwnerQuestion});
    EXPECT_EQ(storedUseRows("[Vehicle #] = 2"), 0);

    // Form 4562 finds the truck's use missing and reports none of the van's miles as the truck's.
    prompts_->clearRecords();
    prompts_->answerMessage(ui::mb::Yes);
    menuForYear("mnuForm4562_2", "2024");
    EXPECT_EQ(prompts_->messageTexts(), QStringList{kVehicleQuestion});
    ASSERT_EQ(formsShown(), 1u);
    const QString form = pdfText(lastFormShown().string());
    EXPECT_TRUE(form.contains("Delivery truck B")) << form.toStdString();
    EXPECT_FALSE(form.contains("15,000")) << form.toStdString();
}

TEST_F(VehiclesAcrossParts, Form4562AsksForMissingDataAndVehicleUse) {
    recordFormsShown();
    const std::int32_t acme = addCompany("Acme Tools");
    makeCurrent(acme, "Acme Tools");
    addVehicle(acme, "Van", 1, 2010);
    addVehicle(acme, "Sedan", 2, 2010);
    exec("INSERT INTO tblAutoUse Values(" + std::to_string(acme) + ", 2010, 1, '12000', '0', '0', False, True, False)");

    // No Form 4562 data for the year: asked first; No stops the request before the vehicle check.
    menuForYear("mnuForm4562_2", "2010");
    EXPECT_EQ(prompts_->messageTexts(), QStringList{kMiscQuestion});
    EXPECT_EQ(formsShown(), 0u);

    // The year's data entered in Maintenance > Miscellanous 4562 Data.
    menu("mnuMisc4562Data");
    frmMaint* maint = maintenanceWindow();
    ASSERT_TRUE(maint);
    maint->cmdNew().click();
    QTest::keyClicks(maint->mskEdit(0), QStringLiteral("2010"));
    maint->cmdSave().click();
    EXPECT_EQ(maint->lblStatusBar().text(), "Record Added.");
    EXPECT_EQ(count("select count(*) from tblMisc4562Data where Year = 2010 and Company_Id = " + std::to_string(acme)),
              1);

    // Two vehicles, use stored for one, no questionnaire: the vehicle question; No stops the request.
    prompts_->clearRecords();
    menuForYear("mnuForm4562_2", "2010");
    EXPECT_EQ(prompts_->messageTexts(), QStringList{kVehicleQuestion});
    EXPECT_EQ(prompts_->messages[0].style, ui::mb::YesNo);
    EXPECT_EQ(formsShown(), 0u);

    // The employer's questionnaire with one Yes: no question, the form is written and shown.
    {
        ModalScript script;
        script.expect<frmAutoQst>([](frmAutoQst& window) {
            answerQuestionnaire(window, 4);
            press(window, "cmdSave");
            window.close();
        });
        menuForYear("mnuAutoQstForEmployees", "2010");
        EXPECT_TRUE(script.allShown());
    }
    EXPECT_EQ(storedQuestionnaire(2010), "NNNNY");
    prompts_->clearRecords();
    menuForYear("mnuForm4562_2", "2010");
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join("|").toStdString();
    ASSERT_EQ(formsShown(), 1u);
    EXPECT_EQ(lastFormShown().parent_path(), forms::UserFormsFolder());
    // The stored use reaches the form's vehicle lines.
    const QString form = pdfText(lastFormShown().string());
    EXPECT_TRUE(form.contains(QRegularExpression("Line 30 vehicle 1: Business miles +12,000"))) << form.toStdString();
    EXPECT_TRUE(form.contains(QRegularExpression("Line 33 vehicle 1: Total miles +12,000"))) << form.toStdString();

    // A company without vehicles: no question either.
    const std::int32_t baker = addCompany("Baker Farms");
    makeCurrent(baker, "Baker Farms");
    exec("INSERT INTO tblMisc4562Data (Company_Id, Year) Values(" + std::to_string(baker) + ", 2010)");
    menuForYear("mnuForm4562_2", "2010");
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join("|").toStdString();
    EXPECT_EQ(formsShown(), 2u);
}

TEST_F(VehiclesAcrossParts, ToolsMenuOpensTheVehicleWindowsForTheTypedYear) {
    const std::int32_t acme = addCompany("Acme Tools");
    makeCurrent(acme, "Acme Tools");
    addVehicle(acme, "Van", 1, 2009);
    addVehicle(acme, "Truck", 2, 2010);  // not in service in 2009: no column

    {
        ModalScript script;
        script.expect<frmAutoUse>([](frmAutoUse& page) {
            EXPECT_EQ(page.lblTitle().text(), "Data for Acme Tools for year 2009");
            EXPECT_EQ(modAutoUse::GetVehicleDesc(1), "Van");
            EXPECT_TRUE(page.column(1).txtBusiness->isEnabled());
            EXPECT_FALSE(page.column(2).txtBusiness->isEnabled());
            fillColumn(page, 1, "", false);
            QApplication::clipboard()->setText(QStringLiteral("17,000"));
            page.column(1).txtBusiness->paste();
            press(page, "cmdSave");
            page.close();
        });
        menuForYear("mnuAutoUse", "2009");
        EXPECT_TRUE(script.allShown());
    }
    ASSERT_EQ(prompts_->inputs.size(), 1u);
    EXPECT_EQ(prompts_->inputs[0].title, "Auto Use Form");
    EXPECT_EQ(prompts_->inputs[0].defaultText, "2024");
    EXPECT_EQ(storedUseRows("[Year] = 2009 and [Vehicle #] = 1 and [Business Miles] = '17000'"), 1);

    // Reopened for the year, the page shows what was stored.
    {
        ModalScript script;
        script.expect<frmAutoUse>([](frmAutoUse& page) {
            EXPECT_EQ(page.column(1).txtBusiness->text(), "17000");
            EXPECT_EQ(page.column(1).lblTotal->text(), "18250");
        });
        menuForYear("mnuAutoUse", "2009");
        EXPECT_TRUE(script.allShown());
    }

    // Reports > Auto Use shows what the page stored.
    menuForYear("mnuAutoUseRpt", "2009");
    const std::vector<frmDocument*> reports = reportWindows();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(caption(*reports[0]), "2009 - Auto Use for Acme Tools");
    ASSERT_EQ(rows(*reports[0]).size(), 1);
    EXPECT_TRUE(rows(*reports[0])[0].startsWith("Van|1|" + QString::number(acme) + "|17,000|250|1,000|No|No|Yes"))
        << rows(*reports[0])[0].toStdString();

    {
        ModalScript script;
        script.expect<frmAutoQst>([this](frmAutoQst& window) {
            EXPECT_EQ(window.lblTitle().text(), "Data for Acme Tools for year 2009");
            answerQuestionnaire(window, 0);
            press(window, "cmdSave");
            EXPECT_EQ(status(), "Record Added.");
            window.close();
        });
        menuForYear("mnuAutoQstForEmployees", "2009");
        EXPECT_TRUE(script.allShown());
    }
    EXPECT_EQ(storedQuestionnaire(2009), "YNNNN");
    EXPECT_EQ(storedQuestionnaire(2024), "");
}

}  // namespace
}  // namespace tally::desk::testing
