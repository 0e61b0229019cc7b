// The maintenance window as the user meets it: listing, adding, editing and deleting rows of the five tables,
// the checks before a save, the "Save Changes?" question, sorting, and the way back to the company picker.

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>

#include "HelpViewer.h"
#include "MaintTestSupport.h"
#include "TypingLimit.h"
#include "frmCompany.h"

namespace tally::desk::testing {
namespace {

constexpr int kConfirmDeleteStyle = 289;

class MaintWindow : public MaintTest {
protected:
    void closeWindow(frmMaint& form) {
        form.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static std::int32_t classId(const char* description) {
        return static_cast<std::int32_t>(
            count(std::string("select ID from tblDeprClass where Description = '") + description + "'"));
    }
    void addAsset(std::int32_t companyId, std::int32_t classId) {
        exec("insert into tblAssets (Company_Id, Asset_name, Cost, In_Service_date, depr_class_id) values (" +
             std::to_string(companyId) + ", 'Desk', 100, #01/02/2009#, " + std::to_string(classId) + ")");
    }
};

TEST_F(MaintWindow, S1S2_AddingACompanyChecksTheRequiredFieldsStoresItAndListsItInNameOrder) {
    frmMaint& form = open("Companies");
    EXPECT_EQ(form.windowTitle(), "Companies/Clients");
    EXPECT_EQ(status(form), "1 Items displayed.");
    EXPECT_FALSE(statusRed(form));
    EXPECT_EQ(form.helpContextId(), 600);
    EXPECT_EQ(form.lblEdit(2)->text(), "Address: ");
    EXPECT_EQ(ui::TypingLimit::of(*form.mskEdit(1)), 50);
    EXPECT_TRUE(form.lvMain().isColumnHidden(8));
    EXPECT_EQ(buttons(form), "1000");

    form.cmdNew().click();
    EXPECT_EQ(buttons(form), "0010");
    type(form, 0, "O'Hara Farms");
    EXPECT_EQ(buttons(form), "0011");
    EXPECT_TRUE(form.cmdSave().isDefault());

    form.cmdSave().click();
    EXPECT_EQ(status(form), "Owner is required.  Tax Id is required.  ");
    EXPECT_TRUE(statusRed(form));
    EXPECT_TRUE(red(form.lblEdit(1)));
    EXPECT_TRUE(red(form.lblEdit(7)));
    EXPECT_FALSE(red(form.lblEdit(0)));
    EXPECT_EQ(QApplication::focusWidget(), form.mskEdit(1));
    EXPECT_TRUE(form.cmdSave().isEnabled());
    EXPECT_EQ(count("select count(*) from tblCompany"), 1);

    type(form, 1, "Pat");
    type(form, 7, "12-345");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Added.");
    EXPECT_FALSE(statusRed(form));
    EXPECT_FALSE(red(form.lblEdit(1)));
    EXPECT_EQ(column(form, 0), QStringList({"O'Hara Farms", "Sample Company"}));
    EXPECT_EQ(column(form, 8).first(), QString::number(count("select max(id) from tblCompany")));
    EXPECT_EQ(fieldTexts(form).join(""), "");
    EXPECT_EQ(buttons(form), "0010");
    EXPECT_EQ(value("select [Company Name] from tblCompany where Owner = 'Pat'").toString(), "O`Hara Farms");

    closeWindow(form);
    EXPECT_EQ(column(open("Companies"), 0), QStringList({"O`Hara Farms", "Sample Company"}));
}

TEST_F(MaintWindow, S3_EditingAClassChecksItsLifeAndWritesTheMethodId) {
    frmMaint& form = open("AssetClasses");
    QComboBox* methods = form.cboEdit(0);
    ASSERT_NE(methods, nullptr);
    QStringList entries;
    QList<int> ids;
    for (int i = 0; i < methods->count(); ++i) {
        entries << methods->itemText(i);
        ids << methods->itemData(i).toInt();
    }
    EXPECT_EQ(entries, QStringList({"ADS", "Amortize", "Listed", "MACRS"}));
    EXPECT_EQ(ids, QList<int>({2, 3, 9, 1}));

    clickRow(form, "Office furniture and fixtures", 1);
    EXPECT_EQ(fieldTexts(form), QStringList({"MACRS", "Office furniture and fixtures", "7", "N/A", "0"}));
    EXPECT_EQ(methods->currentText(), "MACRS");
    EXPECT_EQ(buttons(form), "1100");
    EXPECT_EQ(form.state().gvarMaintKeyValue, QString::number(classId("Office furniture and fixtures")));

    type(form, 2, "6");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Life must be equal to 3,5,7,10,15,20,27.5,31.5,39,50. ");
    EXPECT_TRUE(statusRed(form));
    EXPECT_TRUE(red(form.lblEdit(2)));

    type(form, 2, "10");
    choose(form, 0, "ADS");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Updated.");
    QTreeWidgetItem* row = rowWithText(form, "Office furniture and fixtures", 1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(ui::ListView::cellText(row, 0), "ADS");
    EXPECT_EQ(ui::ListView::cellText(row, 2), "10");
    EXPECT_EQ(fieldTexts(form), QStringList({"ADS", "", "", "N/A", ""}));
    EXPECT_EQ(count("select Method_ID from tblDeprClass where Description = 'Office furniture and fixtures'"), 2);
    EXPECT_EQ(value("select Life from tblDeprClass where Description = 'Office furniture and fixtures'").toDouble(),
              10.0);
}

TEST_F(MaintWindow, S4_AVehicleClassMustBeListedAndOnlyAmortizedClassesKeepACode) {
    frmMaint& form = open("AssetClasses");
    form.cmdNew().click();
    choose(form, 0, "MACRS");
    type(form, 1, "Company cars");
    type(form, 2, "5");
    choose(form, 3, "Gas");
    form.cmdSave().click();
    EXPECT_EQ(status(form), " Method must be Listed if it's an Auto. ");
    EXPECT_TRUE(statusRed(form));
    EXPECT_TRUE(red(form.lblEdit(3)));

    choose(form, 0, "Listed");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Added.");
    EXPECT_EQ(count("select Method_ID from tblDeprClass where Description = 'Company cars'"), 9);
    EXPECT_EQ(value("select [If Auto - Type] from tblDeprClass where Description = 'Company cars'").toString(), "Gas");

    form.cmdNew().click();
    choose(form, 0, "Amortize");
    type(form, 1, "Patents");
    type(form, 2, "15");
    type(form, 4, "0");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Amortize # is missing. ");

    choose(form, 0, "ADS");
    type(form, 4, "12");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Added.");
    EXPECT_EQ(count("select [Amortize #] from tblDeprClass where Description = 'Patents'"), 0);
    EXPECT_EQ(count("select Method_ID from tblDeprClass where Description = 'Patents'"), 2);
}

TEST_F(MaintWindow, S5_DeleteAsksFirstRefusesAClassInUseAndEndsEmptyWhenTheLastRowGoes) {
    addAsset(1, classId("Automobiles"));
    frmMaint& form = open("AssetClasses");
    const long classes = count("select count(*) from tblDeprClass");

    clickRow(form, "Automobiles", 1);
    form.cmdDelete().click();  // no answer given: the box's default, Cancel
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].text, "Delete Listed");
    EXPECT_EQ(prompts_->messages[0].title, "Confirm Delete");
    EXPECT_EQ(prompts_->messages[0].style, kConfirmDeleteStyle);
    EXPECT_EQ(count("select count(*) from tblDeprClass"), classes);

    prompts_->answerMessage(ui::mb::OK);
    form.cmdDelete().click();
    EXPECT_EQ(status(form), " Can't Delete Class Id is used by an Asset.  ");
    EXPECT_TRUE(statusRed(form));
    EXPECT_NE(rowWithText(form, "Automobiles", 1), nullptr);
    EXPECT_EQ(count("select count(*) from tblDeprClass"), classes);

    clickRow(form, "Land improvements", 1);
    prompts_->answerMessage(ui::mb::OK);
    form.cmdDelete().click();
    EXPECT_EQ(status(form), "Record Deleted");
    EXPECT_FALSE(statusRed(form));
    EXPECT_EQ(rowWithText(form, "Land improvements", 1), nullptr);
    EXPECT_EQ(count("select count(*) from tblDeprClass"), classes - 1);

    // The last row of a table: grey fields that Tab skips, only New.
    exec("delete from tblMax179 where [Year] <> 2009");
    frmMaint& limits = open("179Rates");
    ASSERT_EQ(limits.lvMain().rowCount(), 1);
    clickRow(limits, "2009");
    prompts_->answerMessage(ui::mb::OK);
    limits.cmdDelete().click();
    EXPECT_EQ(limits.lvMain().rowCount(), 0);
    EXPECT_EQ(buttons(limits), "1000");
    EXPECT_EQ(limits.mskEdit(0)->palette().color(QPalette::Base), ui::colourFromNumber(0xE0E0E0));
    EXPECT_FALSE(limits.mskEdit(0)->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(count("select count(*) from tblMax179"), 0);
}

// Once the last row is deleted, a record typed into the empty window stores what its drop-downs show: they had
// kept the deleted row's entries over fields that no longer held them.
TEST_F(MaintWindow, AfterTheLastRowGoesTheDropDownsShowWhatApplyStores) {
    struct Case {
        const char* key;
        std::string leaveOneRow;
        QString row;  // the one row, by its text in `column`
        int column;
        std::vector<std::pair<int, QString>> typed;
        std::vector<int> lists;  // the fields with drop-downs
    };
    const Case cases[] = {
        {"Misc4562Data",
         "insert into tblMisc4562Data (Company_Id, [Year], [Listed Claim], [Group Assets]) values (1, 2010, 1, 1)",
         "2010", 0, {{0, "2012"}}, {3, 4, 5, 9}},
        {"AssetClasses", "delete from tblDeprClass where Description <> 'Automobiles'", "Automobiles", 1,
         {{1, "Boats"}, {2, "10"}}, {0, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        exec(c.leaveOneRow);
        frmMaint& form = open(c.key);
        clickRow(form, c.row, c.column);
        prompts_->answerMessage(ui::mb::OK);
        form.cmdDelete().click();
        ASSERT_EQ(form.lvMain().rowCount(), 0);
        QStringList shown;
        for (int field : c.lists) {
            shown << form.cboEdit(field)->currentText();
            EXPECT_EQ(shown.back().toStdString(), form.mskEdit(field)->text().toStdString()) << "field " << field;
        }

        for (const auto& [field, text] : c.typed) type(form, field, text);
        form.cmdSave().click();
        ASSERT_EQ(status(form), "Record Added.");

        // The row as stored, read back into the window.
        clickRow(open(c.key), c.typed.front().second, c.column);
        QStringList stored;
        for (int field : c.lists) stored << form.cboEdit(field)->currentText();
        EXPECT_EQ(stored.join('|').toStdString(), shown.join('|').toStdString());
    }
}

// F1 opens the help topic of the table the window shows; a table shown before leaves no topic behind.
TEST_F(MaintWindow, F1OpensTheHelpTopicOfTheTableShown) {
    gobjHTMLHelp->setCHMFile(QStringLiteral(TALLY_BIN_DIR "/Tallyform.qch"));
    const std::pair<const char*, const char*> tables[] = {{"Misc4562Data", "/misc4562.html"},
                                                          {"Companies", "/maintenance.html"}};
    for (const auto& [key, page] : tables) {
        frmMaint& form = open(key);
        // The help window of the first F1 took the focus; the user comes back to the field.
        QApplication::setActiveWindow(mainWindow());
        form.mskEdit(0)->setFocus();
        QTest::keyClick(form.mskEdit(0), Qt::Key_F1);
        auto* help = qobject_cast<HelpViewer*>(gobjHTMLHelp->HHWndHandle());
        ASSERT_NE(help, nullptr) << key;
        EXPECT_TRUE(help->isVisible()) << key;
        EXPECT_TRUE(help->currentPage().toString().endsWith(QLatin1String(page)))
            << key << " " << help->currentPage().toString().toStdString();
    }
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join("|").toStdString();
}

TEST_F(MaintWindow, S6S7_RangesShowInTheirColoursAndADuplicateYearKeepsTheWindowAndItsFields) {
    frmMaint& form = open("179Rates");
    form.cmdNew().click();
    type(form, 0, "2051");
    type(form, 1, "1000");
    type(form, 2, "2000");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Year be < 2051.  ");
    EXPECT_FALSE(statusRed(form));
    EXPECT_TRUE(red(form.lblEdit(0)));

    const long rows = count("select count(*) from tblMax179");
    type(form, 0, "2009");
    form.cmdSave().click();
    EXPECT_EQ(prompts_->messageTexts(), QStringList{"Can't add record. Duplicate Key field."});
    EXPECT_EQ(status(form), "Add failed.");
    EXPECT_TRUE(statusRed(form));
    EXPECT_EQ(fieldTexts(form), QStringList({"2009", "1000", "2000"}));
    EXPECT_EQ(count("select count(*) from tblMax179"), rows);

    // Closing with the rejected record: Yes tries to save it, fails, and the window and its edits stay (the
    // failed statement no longer counts as saved).
    prompts_->clearRecords();
    prompts_->answerMessage(ui::mb::Yes);
    EXPECT_FALSE(form.close());
    EXPECT_EQ(prompts_->messageTexts(), QStringList({"Save Changes?", "Can't add record. Duplicate Key field."}));
    EXPECT_EQ(window(), &form);
    EXPECT_EQ(fieldTexts(form), QStringList({"2009", "1000", "2000"}));
    EXPECT_EQ(count("select count(*) from tblMax179"), rows);

    type(form, 0, "1976");
    prompts_->answerMessage(ui::mb::Yes);
    EXPECT_TRUE(form.close());
    EXPECT_EQ(count("select [Maximum Amount] from tblMax179 where [Year] = 1976"), 1000);
}

TEST_F(MaintWindow, S8_Form4562DataBelongsToTheOpenCompanyAndYesNoValuesSurviveASave) {
    exec("insert into tblCompany (id, [Company Name]) values (2, 'Baker')");
    frmMaint& form = open("Misc4562Data");
    EXPECT_EQ(form.windowTitle(), "Miscellanous 4562 Data");
    EXPECT_EQ(form.helpContextId(), 590);
    EXPECT_EQ(status(form), "0 Items displayed.");
    EXPECT_EQ(buttons(form), "1000");

    form.cmdNew().click();
    EXPECT_EQ(fieldTexts(form), QStringList({"", "", "", "No", "No", "No", "", "", "", "No"}));
    type(form, 0, "2009");
    type(form, 2, "50000");
    choose(form, 3, "Yes");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Added.");
    EXPECT_EQ(column(form, 3), QStringList{"Yes"});
    EXPECT_EQ(count("select Company_Id from tblMisc4562Data where [Year] = 2009"), 1);
    EXPECT_TRUE(value("select [Listed Claim] from tblMisc4562Data where [Year] = 2009").toBool());

    // A value the database refuses (a carry-over that is no whole number): its error box, then "Add failed.".
    form.cmdNew().click();
    type(form, 0, "2011");
    type(form, 1, "1.5");
    form.cmdSave().click();
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_TRUE(prompts_->messages[0].text.endsWith("  -2147217900  Microsoft JET Database Engine"))
        << prompts_->messages[0].text.toStdString();
    EXPECT_EQ(status(form), "Add failed.");
    EXPECT_TRUE(statusRed(form));
    EXPECT_EQ(count("select count(*) from tblMisc4562Data"), 1);
    form.cmdCancel().click();

    // Another company's rows: stored as 1 by another writer, listed and loaded as Yes, and saved back as Yes.
    exec("insert into tblMisc4562Data (Company_Id, [Year], [Group Assets], [Exclude 179]) values (2, 2010, 1, 1)");
    SetCompanyId(2);
    open("Misc4562Data");
    EXPECT_EQ(column(form, 0), QStringList{"2010"});
    EXPECT_EQ(column(form, 5), QStringList{"Yes"});
    clickRow(form, "2010");
    EXPECT_EQ(form.cboEdit(5)->currentText(), "Yes");
    EXPECT_EQ(form.cboEdit(9)->currentText(), "Yes");
    type(form, 1, "700");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Updated.");
    EXPECT_TRUE(value("select [Group Assets] from tblMisc4562Data where Company_Id = 2").toBool());
    EXPECT_TRUE(value("select [Exclude 179] from tblMisc4562Data where Company_Id = 2").toBool());
    EXPECT_EQ(count("select [179 Carryover] from tblMisc4562Data where Company_Id = 2"), 700);
}

// The window lists one company's Form 4562 data; opening another company meanwhile does not send a row added
// among those rows to the other company.
TEST_F(MaintWindow, AForm4562RowIsAddedForTheCompanyWhoseRowsTheWindowLists) {
    exec("insert into tblCompany (id, [Company Name]) values (2, 'Baker')");
    frmMaint& form = open("Misc4562Data");
    SetCompanyId(2);  // Tools > Set Company/Client while the window stays open
    form.cmdNew().click();
    type(form, 0, "2011");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Added.");
    EXPECT_EQ(column(form, 0), QStringList{"2011"});
    EXPECT_EQ(count("select Company_Id from tblMisc4562Data where [Year] = 2011"), 1);
}

TEST_F(MaintWindow, S9_UnsavedEditsAskBeforeAnotherRowIsLoadedAndCancelKeepsRowAndSelectionTogether) {
    frmMaint& form = open("179Rates");
    clickRow(form, "2009");
    type(form, 1, "260000");

    clickRow(form, "2010");  // Cancel (the box's default)
    EXPECT_EQ(prompts_->messageTexts(), QStringList{"Save Changes?"});
    EXPECT_EQ(fieldTexts(form).first(), "2009");
    EXPECT_EQ(form.mskEdit(1)->text(), "260000");
    EXPECT_EQ(ui::ListView::cellText(form.lvMain().selectedRow(), 0), "2009");

    // Delete now removes the row the fields show, in the database and in the list alike.
    prompts_->answerMessage(ui::mb::OK);
    form.cmdDelete().click();
    EXPECT_EQ(count("select count(*) from tblMax179 where [Year] = 2009"), 0);
    EXPECT_EQ(count("select count(*) from tblMax179 where [Year] = 2010"), 1);
    EXPECT_EQ(rowWithText(form, "2009"), nullptr);
    EXPECT_NE(rowWithText(form, "2010"), nullptr);

    clickRow(form, "2011");
    type(form, 2, "x");
    prompts_->answerMessage(ui::mb::Yes);  // save the invalid record: it stays
    clickRow(form, "2012");
    EXPECT_EQ(status(form), "Threshold Cost must be numeric.  ");
    EXPECT_EQ(fieldTexts(form).first(), "2011");
    EXPECT_EQ(ui::ListView::cellText(form.lvMain().selectedRow(), 0), "2011");

    prompts_->answerMessage(ui::mb::No);
    clickRow(form, "2012");
    EXPECT_EQ(fieldTexts(form).first(), "2012");
    EXPECT_NE(count("select [Threshold Cost] from tblMax179 where [Year] = 2011"), 0);

    // UnDo puts the row back as stored.
    type(form, 1, "1");
    form.cmdCancel().click();
    EXPECT_EQ(form.mskEdit(1)->text(), ui::ListView::cellText(rowWithText(form, "2012"), 1));
    EXPECT_EQ(buttons(form), "1100");

    // Closing asks the same: Cancel keeps the window, No closes it unsaved.
    type(form, 1, "1");
    prompts_->clearRecords();
    EXPECT_FALSE(form.close());
    EXPECT_EQ(prompts_->messageTexts(), QStringList{"Save Changes?"});
    prompts_->answerMessage(ui::mb::No);
    EXPECT_TRUE(form.close());
    EXPECT_NE(count("select [Maximum Amount] from tblMax179 where [Year] = 2012"), 1);
}

TEST_F(MaintWindow, S10_HeadersSortEachWayAndASaveAfterSortingWritesTheRowThatWasLoaded) {
    frmMaint& form = open("179Rates");
    const QStringList years = column(form, 0);
    QStringList descending = years;
    std::reverse(descending.begin(), descending.end());
    clickHeader(form, 0);
    EXPECT_EQ(column(form, 0), years);
    clickHeader(form, 0);
    EXPECT_EQ(column(form, 0), descending);

    clickRow(form, "2005");
    const QString before2006 = ui::ListView::cellText(rowWithText(form, "2006"), 2);
    clickHeader(form, 2);  // a number column: numeric order
    QStringList thresholds = column(form, 2);
    EXPECT_TRUE(std::is_sorted(thresholds.begin(), thresholds.end(),
                               [](const QString& a, const QString& b) { return a.toDouble() < b.toDouble(); }));
    type(form, 2, "123456");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Updated.");
    EXPECT_EQ(ui::ListView::cellText(rowWithText(form, "2005"), 2), "123456");
    EXPECT_EQ(ui::ListView::cellText(rowWithText(form, "2006"), 2), before2006);
    EXPECT_EQ(count("select [Threshold Cost] from tblMax179 where [Year] = 2005"), 123456);
}

// The headers keep sorting however often they are clicked and after an insert, an update and a delete: the same
// header again reverses the order, another header starts ascending.
TEST_F(MaintWindow, HeadersKeepSortingThroughRepeatedClicksAndAfterEachWrite) {
    frmMaint& form = open("179Rates");
    // +1 ascending, -1 descending, 0 neither, by the column's numbers.
    const auto order = [&](int col) {
        std::vector<double> numbers;
        for (const QString& text : column(form, col)) numbers.push_back(QString(text).remove(',').toDouble());
        const bool ascending = std::is_sorted(numbers.begin(), numbers.end());
        const bool descending = std::is_sorted(numbers.rbegin(), numbers.rend());
        return ascending == descending ? 0 : ascending ? 1 : -1;
    };
    struct Click {
        int column;
        int order;
    };
    const auto clickThrough = [&](std::initializer_list<Click> clicks) {
        for (const Click& click : clicks) {
            clickHeader(form, click.column);
            EXPECT_EQ(order(click.column), click.order) << "column " << click.column;
        }
    };
    clickThrough({{0, 1}, {0, -1}, {0, 1}, {2, 1}, {2, -1}, {0, 1}});

    form.cmdNew().click();
    type(form, 0, "1980");
    type(form, 1, "10");
    type(form, 2, "20");
    form.cmdSave().click();
    ASSERT_EQ(status(form), "Record Added.");
    EXPECT_EQ(column(form, 0).first(), "1980");  // an insert sorts by the first column, ascending
    clickThrough({{0, -1}, {2, 1}, {2, -1}});

    clickRow(form, "2009");
    type(form, 1, "11");
    form.cmdSave().click();
    ASSERT_EQ(status(form), "Record Updated.");
    clickThrough({{1, 1}, {1, -1}});

    clickRow(form, "1980");
    prompts_->answerMessage(ui::mb::OK);
    form.cmdDelete().click();
    ASSERT_EQ(status(form), "Record Deleted");
    EXPECT_EQ(rowWithText(form, "1980"), nullptr);
    EXPECT_EQ(order(1), -1);  // still sorted as it was
    EXPECT_EQ(buttons(form), "0010");  // the fields wait for a new record
    EXPECT_EQ(fieldTexts(form).join(""), "");
    clickThrough({{1, 1}, {0, 1}, {0, -1}});
}

TEST_F(MaintWindow, AClickOnTheRowStillHighlightedAfterASaveOrNewLoadsIt) {
    frmMaint& form = open("179Rates");
    const auto mouseClick = [&](const QString& year) {
        QTreeWidgetItem* row = rowWithText(form, year);
        ASSERT_NE(row, nullptr);
        QTest::mouseClick(form.lvMain().viewport(), Qt::LeftButton, {},
                          form.lvMain().visualItemRect(row).center());
    };
    mouseClick("2009");
    EXPECT_EQ(fieldTexts(form).first(), "2009");
    type(form, 1, "250001");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Updated.");
    EXPECT_EQ(fieldTexts(form).first(), "");
    ASSERT_NE(form.lvMain().selectedRow(), nullptr);  // the saved row stays highlighted

    mouseClick("2009");
    EXPECT_EQ(fieldTexts(form).first(), "2009");
    EXPECT_EQ(form.mskEdit(1)->text(), "250001");
    EXPECT_EQ(buttons(form), "1100");

    form.cmdNew().click();
    EXPECT_EQ(fieldTexts(form).first(), "");
    mouseClick("2009");
    EXPECT_EQ(fieldTexts(form).first(), "2009");
    EXPECT_EQ(buttons(form), "1100");
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(MaintWindow, EveryMessageOfAFailedCheckCanBeReadOnTheStatusLine) {
    frmMaint& form = open("AutoRates");
    form.show();
    form.cmdNew().click();
    type(form, 0, "20x9");
    type(form, 2, "1,000");
    form.cmdSave().click();
    const QLabel& line = form.lblStatusBar();
    EXPECT_EQ(line.text(), "Year must be numeric.  Yr 1 + 30% must be numeric.  Max Year 1 is required.  "
                           "Max Year 2 is required.  Max Year 3 is required.  Max Year 4 is required.  ");
    const QRect needed = QFontMetrics(line.font()).boundingRect(QRect(0, 0, line.width(), 10000),
                                                                 Qt::TextWordWrap, line.text());
    EXPECT_TRUE(line.wordWrap());
    EXPECT_LE(needed.height(), line.height());
    EXPECT_GE(line.geometry().bottom(), form.cmdSave().parentWidget()->geometry().bottom());
    EXPECT_LE(line.geometry().bottom(), line.parentWidget()->height());
}

TEST_F(MaintWindow, F2_AnUpdateOrDeleteThatFindsNoRowIsAFailure) {
    frmMaint& form = open("179Rates");
    clickRow(form, "2009");
    exec("delete from tblMax179 where [Year] = 2009");  // gone behind the window's back
    type(form, 1, "5");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Update failed.");
    EXPECT_TRUE(statusRed(form));
    EXPECT_EQ(fieldTexts(form).first(), "2009");
    EXPECT_EQ(ui::ListView::cellText(rowWithText(form, "2009"), 1), "250000");

    form.cmdCancel().click();
    prompts_->answerMessage(ui::mb::OK);
    form.cmdDelete().click();
    EXPECT_EQ(status(form), "Delete failed.");
    EXPECT_TRUE(statusRed(form));
    EXPECT_NE(rowWithText(form, "2009"), nullptr);
}

TEST_F(MaintWindow, F3F5_ATableSwitchAsksAboutUnsavedEditsAndForgetsTheRowLoadedBefore) {
    frmMaint& form = open("AssetClasses");
    clickRow(form, "Automobiles", 1);
    const QString classKey = form.state().gvarMaintKeyValue;
    type(form, 1, "Cars");

    open("179Rates");  // Cancel: the class stays with its edit
    EXPECT_EQ(prompts_->messageTexts(), QStringList{"Save Changes?"});
    EXPECT_EQ(form.windowTitle(), "Asset Classes");
    EXPECT_EQ(form.mskEdit(1)->text(), "Cars");

    prompts_->answerMessage(ui::mb::No);
    open("179Rates");
    EXPECT_EQ(form.windowTitle(), "179 Limits");
    EXPECT_FALSE(form.state().gblnMaintEditing);
    EXPECT_TRUE(form.state().gvarMaintKeyValue.isEmpty());
    EXPECT_EQ(count("select count(*) from tblDeprClass where Description = 'Cars'"), 0);

    // Typing straight away adds a row; nothing is written over the row whose key the class had.
    const std::string sameKey = "select count(*) from tblMax179 where ID = " + classKey.toStdString();
    const long rows = count("select count(*) from tblMax179");
    const vb::Variant yearWithKey = value("select [Year] from tblMax179 where ID = " + classKey.toStdString());
    type(form, 0, "1980");
    type(form, 1, "10");
    type(form, 2, "20");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Added.");
    EXPECT_EQ(count("select count(*) from tblMax179"), rows + 1);
    EXPECT_EQ(value("select [Year] from tblMax179 where ID = " + classKey.toStdString()), yearWithKey);
    EXPECT_EQ(count(sameKey), 1);
}

TEST_F(MaintWindow, F6_AStoredValueMissingFromAFixedListIsKeptWithItsId) {
    exec("insert into tblDeprClass (Method_ID, Description, Life, [If Auto - Type], [Amortize #]) select ID, "
         "'Old straight line', 10, 'Boat', 0 from tblDeprMethods where Method = 'S/L'");
    const long straightLine = count("select ID from tblDeprMethods where Method = 'S/L'");
    frmMaint& form = open("AssetClasses");
    clickRow(form, "Old straight line", 1);
    EXPECT_EQ(form.cboEdit(0)->currentText(), "S/L");
    EXPECT_EQ(form.cboEdit(0)->currentData().toInt(), straightLine);
    EXPECT_EQ(form.cboEdit(3)->currentText(), "Boat");
    type(form, 1, "Old straight-line class");
    form.cmdSave().click();
    EXPECT_EQ(status(form), " Method must be Listed if it's an Auto. ");  // a type other than N/A is a vehicle
    choose(form, 3, "N/A");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Updated.");
    EXPECT_EQ(count("select Method_ID from tblDeprClass where Description = 'Old straight-line class'"), straightLine);
}

TEST_F(MaintWindow, F15_TheOpenCompanyAndACompanyWithAssetsCannotBeDeleted) {
    exec("insert into tblCompany (id, [Company Name], Owner, [Tax Id]) values (2, 'Baker', 'B', '1')");
    exec("insert into tblCompany (id, [Company Name], Owner, [Tax Id]) values (3, 'Carver', 'C', '2')");
    addAsset(2, classId("Automobiles"));
    frmMaint& form = open("Companies");

    const std::pair<const char*, const char*> refused[] = {
        {"Sample Company", " Can't Delete the open Company/Client.  "},
        {"Baker", " Can't Delete Company has Assets.  "},
    };
    for (const auto& [name, message] : refused) {
        clickRow(form, name);
        prompts_->answerMessage(ui::mb::OK);
        form.cmdDelete().click();
        EXPECT_EQ(status(form), message) << name;
        EXPECT_TRUE(statusRed(form)) << name;
        EXPECT_NE(rowWithText(form, name), nullptr) << name;
    }
    EXPECT_EQ(count("select count(*) from tblCompany"), 3);

    clickRow(form, "Carver");
    prompts_->answerMessage(ui::mb::OK);
    form.cmdDelete().click();
    EXPECT_EQ(status(form), "Record Deleted");
    EXPECT_EQ(count("select count(*) from tblCompany where id = 3"), 0);
}

TEST_F(MaintWindow, OpenedFromThePickersNewButtonClosingReturnsToThePicker) {
    frmMaint& fromMenu = open("Companies");
    closeWindow(fromMenu);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    {
        frmCompany picker(mainWindow());
        picker.show();
        picker.cmdNew().click();
    }
    frmMaint* form = window();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Companies/Clients");
    EXPECT_TRUE(gblnFromCompanyPicker);

    bool pickerShown = false;
    onNextModal([&](QDialog& dialog) {
        pickerShown = qobject_cast<frmCompany*>(&dialog) != nullptr;
        dialog.reject();
    });
    form->close();
    QTRY_VERIFY(pickerShown);
    EXPECT_FALSE(gblnFromCompanyPicker);
}

TEST_F(MaintWindow, TheMaintenanceMenuItemsOpenTheirTables) {
    const std::pair<const char*, const char*> items[] = {
        {"mnu179", "179 Limits"}, {"mnuClassMaint", "Asset Classes"}, {"MnuAutoMax", "Automobile Maximum Limits"},
        {"mnuCompanyMaint", "Companies/Clients"}, {"mnuMisc4562Data", "Miscellanous 4562 Data"}};
    for (const auto& [name, caption] : items) {
        auto* item = mainWindow()->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_TRUE(item->isEnabled()) << name;
        item->trigger();
        ASSERT_NE(window(), nullptr);
        EXPECT_EQ(window()->windowTitle(), caption);
        EXPECT_TRUE(window()->isVisible());
    }
    EXPECT_EQ(mainWindow()->mdiArea().subWindowList().size(), 1);
}

}  // namespace
}  // namespace tally::desk::testing
