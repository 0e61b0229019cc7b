// The company picker, the menus of the main window and the status line.

#include <stdexcept>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "Colour.h"
#include "ComError.h"
#include "DeskTestSupport.h"
#include "ErrorReport.h"
#include "StatusLine.h"
#include "Startup.h"
#include "db.h"
#include "frmCompany.h"

namespace tally::desk::testing {
namespace {

class Picker : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
        for (const char* name : {"Acme Tools", "Baker & Sons", "bakery <i>Bread</i>", "Carver Inc"})
            exec(std::string("Insert into tblCompany ([Company Name]) values ('") + name + "')");
        ASSERT_TRUE(Main());
    }
    static QString selected(frmCompany& picker) {
        auto* item = picker.lstPickClient().currentItem();
        return item && item->isSelected() ? item->text() : QString();
    }
    static bool showCompanyStored() { return engine::db().ReturnValue("Select ShowCompany from tblDefaults").toBool(); }
};

TEST_F(Picker, FindsByFirstLettersWithoutRegardToCaseOrBlanks) {
    frmCompany picker(mainWindow());
    ASSERT_TRUE(picker.loaded());
    EXPECT_EQ(picker.lstPickClient().count(), 5);
    EXPECT_EQ(selected(picker), "");
    struct Step {
        const char* typed;
        const char* selected;
    } steps[] = {
        {"ba", "Baker & Sons"}, {"BAKERY", "bakery <i>Bread</i>"}, {"  car ", "Carver Inc"},
        {"zz", "Carver Inc"},  // no name begins so: the selection stays
    };
    for (const auto& step : steps) {
        picker.txtClientList().setText(QString::fromLatin1(step.typed));
        EXPECT_EQ(selected(picker), step.selected) << step.typed;
    }
}

TEST_F(Picker, OkWithoutSelectionOrWithAnUnusableIdStaysOpenThenTakesTheChoice) {
    exec("Insert into tblCompany (id, [Company Name]) values (3000000000, 'Zeta Holdings')");  // no Long
    SetCompanyId(1);
    gstrCompanyName = "Sample Company";
    frmCompany picker(mainWindow());
    picker.show();
    picker.cmdOK().click();
    ASSERT_EQ(prompts_->messageTexts(), QStringList{"Please select a company."});
    EXPECT_EQ(prompts_->messages[0].title, "Tallyvane ");
    EXPECT_TRUE(picker.isVisible());

    // The name, the caption and the id change together or not at all.
    prompts_->clearRecords();
    picker.txtClientList().setText("zeta");
    picker.cmdOK().click();
    const QStringList texts = prompts_->messageTexts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith("Error in cmdOK ")) << texts[0].toStdString();
    EXPECT_TRUE(texts[0].endsWith(" 6")) << texts[0].toStdString();
    EXPECT_TRUE(picker.isVisible());
    EXPECT_EQ(glngCompanyId, 1);
    EXPECT_EQ(gstrCompanyName, "Sample Company");
    EXPECT_EQ(mainWindow()->windowTitle(), "Tallyvane  for - Sample Company");
    picker.txtClientList().clear();

    QTest::keyClicks(&picker.txtClientList(), "bakery");
    QTest::keyClick(&picker.txtClientList(), Qt::Key_Return);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(gstrCompanyName, "bakery <i>Bread</i>");
    EXPECT_EQ(mainWindow()->windowTitle(), "Tallyvane  for - bakery <i>Bread</i>");
    const auto id = engine::db().ReturnValue("Select id from tblCompany where [Company Name] = 'bakery <i>Bread</i>'");
    EXPECT_EQ(glngCompanyId, id.toLong());
}

TEST_F(Picker, CancelKeepsTheCompanyButStoresAClickedStartUpSwitch) {
    SetCompanyId(1);
    gstrCompanyName = "Sample Company";
    {
        frmCompany picker(mainWindow());
        EXPECT_FALSE(picker.chkShowOnStart().isChecked());
        picker.show();
        picker.txtClientList().setText("Acme");
        picker.chkShowOnStart().click();
        QTest::keyClick(&picker, Qt::Key_Escape);
        EXPECT_EQ(picker.result(), QDialog::Rejected);
    }
    EXPECT_EQ(glngCompanyId, 1);
    EXPECT_EQ(gstrCompanyName, "Sample Company");
    EXPECT_TRUE(showCompanyStored());

    // The next opening reads the stored switch; closing it untouched stores nothing.
    frmCompany again(mainWindow());
    EXPECT_TRUE(again.chkShowOnStart().isChecked());
    engine::db().ExecuteSql("Update tblDefaults set ShowCompany = False");
    again.reject();
    EXPECT_FALSE(showCompanyStored());
}

// The picker blocks only the main window; when the window manager hands the main window its activation after the
// picker opened (as at start-up), the picker takes it back, so the keys typed go into the picker's box.
TEST_F(Picker, TakesBackTheActivationTheMainWindowIsGivenWhileItIsOpen) {
    QString active;
    onNextModal([&](QDialog& dialog) {
        ASSERT_NE(qobject_cast<frmCompany*>(&dialog), nullptr);
        mainWindow()->activateWindow();
        QTest::qWait(50);
        if (const QWidget* window = QApplication::activeWindow()) active = window->objectName();
        dialog.reject();
    });
    ShowCompanyPicker();
    EXPECT_EQ(active, "frmCompany");
}

TEST_F(Picker, NewOpensCompanyMaintenanceWithThePickerFlagSet) {
    QString table;
    bool flagDuringMaintenance = false;
    deskCommands().showMaintenance = [&](const QString& key) {
        table = key;
        flagDuringMaintenance = gblnFromCompanyPicker;
    };
    frmCompany picker(mainWindow());
    picker.show();
    picker.cmdNew().click();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(table, "Companies");
    EXPECT_TRUE(flagDuringMaintenance);
    EXPECT_TRUE(gblnFromCompanyPicker);
}

TEST_F(Picker, SetCompanyOpensThePickerOnlyOnceTheAssetWindowIsClosed) {
    bool assetWindowCloses = false;
    int closeRequests = 0;
    deskCommands().closeAssetWindow = [&] {
        ++closeRequests;
        return assetWindowCloses;
    };
    // The asset window refuses ("Save Changes?" answered Cancel): no picker, the company stays.
    auto* item = mainWindow()->findChild<QAction*>("mnuSelectCompany");
    ASSERT_NE(item, nullptr);
    SetCompanyId(1);
    item->trigger();
    EXPECT_EQ(closeRequests, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(glngCompanyId, 1);

    assetWindowCloses = true;
    bool pickerShown = false;
    onNextModal([&](QDialog& dialog) {
        pickerShown = qobject_cast<frmCompany*>(&dialog) != nullptr;
        dialog.reject();
    });
    item->trigger();
    EXPECT_EQ(closeRequests, 2);
    EXPECT_TRUE(pickerShown);
}

class Menus : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
    }
    static QStringList captions(const char* menuName) {
        QStringList out;
        for (QAction* a : mainWindow()->findChild<QMenu*>(menuName)->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
};

TEST_F(Menus, CaptionsInTheirOrderAndLaterWorkDisabled) {
    ASSERT_TRUE(Main());
    QStringList tops;
    for (QAction* a : mainWindow()->menuBar()->actions()) tops << a->text();
    EXPECT_EQ(tops, QStringList({"&File", "&Maintenance", "&Reports", "&Tools", "&Windows", "&Help"}));
    EXPECT_EQ(captions("mnuFile"), QStringList({"Backup Database", "Restore Database", "-", "&Exit"}));
    EXPECT_EQ(captions("mnuMaintenance"), QStringList({"179 Limits", "Assets", "Asset Classes", "Auto Maximum Limits",
                                                       "Companies/Clients", "Miscellanous 4562 Data"}));
    EXPECT_EQ(captions("mnuReports"),
              QStringList({"179 Work Sheet", "50 Year Assets", "Auto Use", "Depreciation WorkSheet", "Disposed Assets",
                           "Form 4562 ", "Property Tax Data", "New Assets", "New Assets Worksheet"}));
    EXPECT_EQ(captions("mnuTool"),
              QStringList({"Auto Qst for Employer", "Auto Use", "Set Company/Client", "Set Default Year"}));
    EXPECT_EQ(captions("mnuWindows"),
              QStringList({"&Cascade", "Close &All Windows", "Tile &Horizontal", "Tile &Vertical"}));
    EXPECT_EQ(captions("mnuHelp"), QStringList({"About", "Contents", "Getting Started", "Search", "Support"}));

    for (const char* off : {"mnu179", "mnuAssetMaint", "mnuMisc4562Data", "mnuForm4562_2", "mnuDefaultYear",
                            "mnuAutoUse", "mnuCloseWindows", "mnuTileHorizontal"})
        EXPECT_FALSE(mainWindow()->findChild<QAction*>(off)->isEnabled()) << off;
    for (const char* on : {"mnuBackupDb", "mnuRestoreDb", "mnuExit", "mnuSelectCompany", "MnuCascade",
                           "mnuTileVertical", "mnuAbout", "mnuHelpContents", "mnuSupport"})
        EXPECT_TRUE(mainWindow()->findChild<QAction*>(on)->isEnabled()) << on;
}

TEST_F(Menus, ItemsCallTheirPartsWithTheKeysAndForm4562CopiesTemplatesOnce) {
    QStringList calls;
    bool copied = false;
    deskCommands().getReport = [&](const QString& name) { calls << "report " + name; };
    deskCommands().showMaintenance = [&](const QString& key) { calls << "table " + key; };
    deskCommands().retrieveFilesCopied = [&] { return copied; };
    deskCommands().movePdfFiles = [&] {
        copied = true;
        calls << "copy templates";
    };
    ASSERT_TRUE(Main());
    for (const char* item : {"mnu179WrkSheet", "mnuPropertyTax", "mnuNewAssetWorksheet", "mnuAutoQstForEmployees",
                             "mnuAutoUse", "mnuDefaultYear", "mnu179", "mnuMisc4562Data", "mnuForm4562_2",
                             "mnuForm4562_2"})
        mainWindow()->findChild<QAction*>(item)->trigger();
    EXPECT_EQ(calls, QStringList({"report 179 WorkSheet", "report Property Tax", "report New Assets WorkSheet",
                                  "report Auto Question Form", "report Auto Use Form", "report Default Year",
                                  "table 179Rates", "table Misc4562Data", "copy templates", "report Form 4562",
                                  "report Form 4562"}));
}

TEST_F(Menus, AnErrorInAPartsCommandIsShownNotThrownIntoTheEventLoop) {
    deskCommands().getReport = [](const QString&) { throw ComError(13, "Reports", "Type mismatch"); };
    deskCommands().showMaintenance = [](const QString&) { throw ComError(5, "Maint", "Invalid procedure call"); };
    ASSERT_TRUE(Main());
    mainWindow()->findChild<QAction*>("mnuNewAssets")->trigger();
    frmCompany picker(mainWindow());  // its New button calls the maintenance part as well
    picker.show();
    picker.cmdNew().click();
    EXPECT_EQ(prompts_->messageTexts(), QStringList({"Error in mnuNewAssets Type mismatch Error Number: 13",
                                                     "Error in cmdNew Invalid procedure call Error Number: 5"}));
}

TEST(ErrorBoxes, TheSourceLayoutNamesWhatRaisedTheErrorOrTheProgram) {
    const auto textOf = [](auto&& raise) {
        try {
            raise();
        } catch (...) {
            return errorText(QStringLiteral("Error in GetAutoUse. "), currentError(), ErrorLayout::Source);
        }
        return QString();
    };
    EXPECT_EQ(textOf([] { throw ComError(3021, "Auto", "No current record."); }),
              "Error in GetAutoUse. No current record.  3021  Auto");
    EXPECT_EQ(textOf([] { throw std::runtime_error("bad file"); }),
              "Error in GetAutoUse. bad file  -2147467259  tally_desk");
}

TEST_F(Menus, SupportMailsTheSupportAddress) {
    ASSERT_TRUE(Main());
    mainWindow()->findChild<QAction*>("mnuSupport")->trigger();
    ASSERT_EQ(prompts_->links.size(), 1u);
    EXPECT_TRUE(prompts_->links[0].startsWith("mailto:"));
    EXPECT_GT(prompts_->links[0].size(), 7);
}

class StatusLine : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
        ASSERT_TRUE(Main());
    }
    static QLabel& label() { return mainWindow()->lblStatusBar(); }
};

TEST_F(StatusLine, ShowsInGreenOrTheGivenColourAndMenusClearIt) {
    DisplayMsg("Record Added.");
    EXPECT_EQ(label().text(), "Record Added.");
    EXPECT_EQ(ui::textColour(label()), 32768);
    DisplayMsg("Year must be numeric!", "255");
    EXPECT_EQ(ui::textColour(label()), 255);
    EXPECT_EQ(label().textFormat(), Qt::PlainText);

    emit mainWindow()->findChild<QMenu*>("mnuTool")->aboutToShow();
    EXPECT_EQ(label().text(), "");
    EXPECT_EQ(ui::textColour(label()), 32768);
}

TEST_F(StatusLine, BadColourKeepsTheOldOneAndReportsIt) {
    DisplayMsg("first", "255");
    DisplayMsg("second", "red");
    EXPECT_EQ(label().text(), "second");
    EXPECT_EQ(ui::textColour(label()), 255);
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_TRUE(prompts_->messages[0].text.startsWith("Error in DisplayMsg. "));
    EXPECT_TRUE(prompts_->messages[0].text.endsWith(" Error Number: 13"));
}

TEST_F(StatusLine, DoesNothingOnceTheMainWindowIsGone) {
    ASSERT_TRUE(mainWindow()->close());
    DisplayMsg("after exit", "255");
    setStatusTextOnly(" No data found. ");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DisplayMsg("after delete");
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST(NoQuote, EveryApostropheBecomesABacktick) {
    EXPECT_EQ(NoQuote("O'Brien's"), "O`Brien`s");
    EXPECT_EQ(NoQuote("no quotes"), "no quotes");
    EXPECT_EQ(NoQuote(""), "");
}

}  // namespace
}  // namespace tally::desk::testing
