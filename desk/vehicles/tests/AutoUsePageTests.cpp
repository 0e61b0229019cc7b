// The vehicle-use page: opening and loading, typing and totals, validation, saving, deletion and closing.

#include <QClipboard>
#include <QFontMetrics>
#include <QPushButton>

#include "VehicleTestSupport.h"
#include "frmAutoQst.h"
#include "frmAutoUse.h"
#include "modAutoUse.h"

namespace tally::desk::testing {
namespace {

using Row = frmAutoUse::Row;

class AutoUsePage : public VehicleTest {
protected:
    void addThreeVehicles() const {
        addVehicle("Van", 0.9, 1);
        addVehicle("Sedan", 0.6, 2);
        addVehicle("Truck", 0.5, 3);
    }
    static void openPage(std::function<void(frmAutoUse&)> action) {
        whenModal<frmAutoUse>(std::move(action));
        modAutoUse::DoAutoUseForm(kYear, 0);
    }
    static bool changed(int column) { return vehicleUseState().gblnVehicleChanged[column]; }
    static void fill(frmAutoUse::VehicleColumn& c, const char* business, const char* commuting, const char* personal) {
        type(*c.txtBusiness, business);
        type(*c.txtCommuting, commuting);
        type(*c.txtPersonal, personal);
    }
    static void answerAll(frmAutoUse::VehicleColumn& c, bool offDuty, bool owner, bool another) {
        click(*c.OptOffDuty, offDuty);
        click(*c.Opt5Owner, owner);
        click(*c.optAnother, another);
    }
};

TEST_F(AutoUsePage, MileageIsTypedValidatedSavedAndShownAgainOnReopening) {
    addThreeVehicles();
    int beeps = 0;
    openPage([&](frmAutoUse& page) {
        EXPECT_EQ(page.windowTitle(), "Information on Use of Vehicles");
        EXPECT_EQ(page.lblTitle().text(), "Data for Acme Tools for year 2009");
        for (int n = 1; n <= kVehicleColumns; ++n) {
            EXPECT_EQ(page.column(n).txtBusiness->isEnabled(), n <= 3) << n;
            EXPECT_EQ(page.column(n).optAnother->option(1).isEnabled(), n <= 3) << n;
        }
        frmAutoUse::VehicleColumn& c = page.column(1);
        QObject::connect(c.txtBusiness, &MileageBox::refused, [&] { ++beeps; });
        focusIn(*c.txtBusiness);
        EXPECT_EQ(page.lblAutoDesc().text(), "Vehicle 1 Description");
        EXPECT_EQ(page.lblDescription().text(), "Van");

        type(*c.txtBusiness, "12a3");
        EXPECT_EQ(c.txtBusiness->text(), "123");
        EXPECT_EQ(beeps, 1);
        EXPECT_TRUE(changed(1));
        EXPECT_FALSE(changed(2));
        EXPECT_TRUE(page.changed());

        c.txtBusiness->clear();
        type(*c.txtBusiness, "1234567");
        EXPECT_EQ(statusText(), "1,234,567");
        EXPECT_EQ(statusColour(), kStatusGreen);
        type(*c.txtCommuting, "2500");
        type(*c.txtPersonal, "1200");
        focusOut(*c.txtPersonal);
        EXPECT_EQ(c.lblTotal->text(), "1238267");

        page.cmdSave_Click();
        EXPECT_EQ(statusText(),
                  " Off duty answer is missing!  5% Owner answer is missing!  Another Vehicle answer is missing! ");
        EXPECT_EQ(statusColour(), kRed);
        for (Row row : {Row::OffDuty, Row::FiveOwner, Row::Another})
            EXPECT_EQ(ui::textColour(page.rowLabel(row)), kRed);
        EXPECT_EQ(ui::textColour(*c.lblVehicle), kRed);
        EXPECT_EQ(ui::textColour(page.rowLabel(Row::Commute)), kBlack);
        EXPECT_EQ(storedUse(1), "");

        answerAll(c, true, false, true);
        page.cmdSave_Click();
        EXPECT_EQ(statusText(), " Vehicle Data has been updated. ");
        EXPECT_EQ(statusColour(), kStatusGreen);
        EXPECT_EQ(ui::textColour(page.rowLabel(Row::OffDuty)), kBlack);
        EXPECT_EQ(storedUse(1), "1234567|2500|1200|True|False|True");
        EXPECT_FALSE(changed(1));
        EXPECT_FALSE(page.changed());
        page.cmdCancel_Click();  // unchanged: closes without asking
        EXPECT_FALSE(page.isVisible());
    });
    EXPECT_TRUE(vehicleUseState().gblnAutoUseCancelled);
    EXPECT_TRUE(prompts_->messages.empty());
    EXPECT_EQ(statusText(), "");

    openPage([&](frmAutoUse& page) {
        frmAutoUse::VehicleColumn& c = page.column(1);
        EXPECT_EQ(c.txtBusiness->text(), "1234567");
        EXPECT_EQ(c.txtPersonal->text(), "1200");
        EXPECT_EQ(c.lblTotal->text(), "1238267");
        EXPECT_TRUE(c.OptOffDuty->isYes());
        EXPECT_TRUE(c.Opt5Owner->answered());
        EXPECT_FALSE(c.Opt5Owner->isYes());
        EXPECT_FALSE(page.column(2).OptOffDuty->answered());
        EXPECT_FALSE(page.changed());
        EXPECT_FALSE(changed(1));
    });
}

TEST_F(AutoUsePage, OnlyChangedColumnsAreValidatedInColumnOrderAndTheFocusEndsInTheLastEmptyBox) {
    addThreeVehicles();
    addUse(3, "'', '', ''", "False, False, False");  // incomplete, but not changed on this page
    openPage([&](frmAutoUse& page) {
        page.show();
        QApplication::setActiveWindow(&page);
        type(*page.column(1).txtBusiness, "100");
        click(*page.column(2).OptOffDuty, true);
        EXPECT_FALSE(modAutoUse::AddAutoUse(page));
        EXPECT_EQ(statusText(),
                  " Commuting miles missing!  Personal miles missing!  Off duty answer is missing!  5% Owner answer "
                  "is missing!  Another Vehicle answer is missing! "
                  " Business miles missing!  Commuting miles missing!  Personal miles missing!  5% Owner answer is "
                  "missing!  Another Vehicle answer is missing! ");
        EXPECT_EQ(page.focusWidget(), page.column(2).txtPersonal);
        EXPECT_EQ(ui::textColour(*page.column(1).lblVehicle), kRed);
        EXPECT_EQ(ui::textColour(*page.column(2).lblVehicle), kRed);
        EXPECT_EQ(ui::textColour(*page.column(3).lblVehicle), kBlack);
        for (Row row : {Row::Business1, Row::Business2, Row::Business3}) EXPECT_EQ(ui::textColour(page.rowLabel(row)), kRed);
    });
    EXPECT_EQ(storedUse(1), "");
    EXPECT_EQ(storedUse(2), "");
    EXPECT_EQ(storedUse(3), "|||False|False|False");
}

// Backspace, Delete and paste change a column as much as a typed digit does: each edit is stored.
TEST_F(AutoUsePage, BackspaceDeleteAndPasteMarkTheColumnChangedAndPastedMilesAreStoredAsDigits) {
    addThreeVehicles();
    addUse(1, "'15000', '2500', '1200'", "True, False, True");
    openPage([&](frmAutoUse& page) {
        frmAutoUse::VehicleColumn& c = page.column(1);
        EXPECT_EQ(c.lblTotal->text(), "18700");
        EXPECT_FALSE(changed(1));

        c.txtBusiness->end(false);
        QTest::keyClick(c.txtBusiness, Qt::Key_Backspace);
        EXPECT_EQ(c.txtBusiness->text(), "1500");
        EXPECT_TRUE(changed(1));
        page.cmdSave_Click();
        EXPECT_EQ(storedUse(1), "1500|2500|1200|True|False|True");

        // Delete as X11 delivers it (with the text U+007F), after a click into the box.
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
        QTest::mouseClick(c.txtCommuting, Qt::LeftButton);
        c.txtCommuting->home(false);
        pressAsX11(Qt::Key_Delete);
        EXPECT_EQ(c.txtCommuting->text(), "500");
        EXPECT_TRUE(changed(1));
        page.cmdSave_Click();
        EXPECT_EQ(storedUse(1), "1500|500|1200|True|False|True");

        QApplication::clipboard()->setText("17,000");
        c.txtPersonal->selectAll();
        c.txtPersonal->paste();
        EXPECT_EQ(c.txtPersonal->text(), "17000");
        EXPECT_TRUE(changed(1));
        page.cmdSave_Click();
        EXPECT_EQ(statusText(), " Vehicle Data has been updated. ");
        EXPECT_EQ(storedUse(1), "1500|500|17000|True|False|True");
    });
}

TEST_F(AutoUsePage, ClearingAColumnsMilesClearsItsTotal) {
    addThreeVehicles();
    addUse(2, "'100', '20.5', ''", "True, False, True");
    openPage([&](frmAutoUse& page) {
        frmAutoUse::VehicleColumn& c = page.column(2);
        EXPECT_EQ(c.lblTotal->text(), "120");
        for (MileageBox* box : {c.txtBusiness, c.txtCommuting}) {
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
            focusOut(*box);
        }
        EXPECT_EQ(c.lblTotal->text(), "");
    });
}

TEST_F(AutoUsePage, SixColumnsInBusinessShareOrderAndEachUseRowInItsVehiclesColumn) {
    // Shares and numbers give the order A, C, B, D, E, F, then G and H, which get no column.
    const struct {
        const char* name;
        double share;
        int number;
    } vehicles[] = {{"A", 0.9, 5}, {"B", 0.8, 2}, {"C", 0.8, 1}, {"D", 0.7, 3},
                    {"E", 0.6, 4}, {"F", 0.5, 6}, {"G", 0.4, 7}, {"H", 0.3, 8}};
    for (const auto& v : vehicles) addVehicle(v.name, v.share, v.number);
    addUse(2, "'800', '10', '5'", "Null, True, Null");
    addUse(7, "'777', '7', '7'", "True, True, True");
    openPage([&](frmAutoUse& page) {
        const VehicleUseState& s = vehicleUseState();
        const char* names[] = {"", "A", "C", "B", "D", "E", "F"};
        for (int n = 1; n <= kVehicleColumns; ++n) {
            EXPECT_EQ(s.gstrVehicles[n][1], names[n]) << n;
            EXPECT_TRUE(page.column(n).txtBusiness->isEnabled()) << n;
            EXPECT_EQ(page.column(n).txtBusiness->text(), n == 3 ? "800" : "") << n;
            EXPECT_FALSE(changed(n)) << n;
        }
        EXPECT_EQ(s.gstrVehicles[3][2], "2");
        EXPECT_TRUE(page.column(3).OptOffDuty->answered()) << "a stored Null shows as No";
        EXPECT_FALSE(page.column(3).OptOffDuty->isYes());
        EXPECT_TRUE(page.column(3).Opt5Owner->isYes());
        EXPECT_FALSE(page.column(1).OptOffDuty->answered());
        EXPECT_FALSE(page.changed()) << "loading answers does not change the page";
    });
}

TEST_F(AutoUsePage, NothingToSaveAndDeletingOneColumnsUse) {
    addThreeVehicles();
    addUse(1, "'100', '0', '0'", "True, True, True");
    addUse(2, "'200', '0', '0'", "True, True, True");
    addUse(3, "'300', '0', '0'", "True, True, True");
    openPage([&](frmAutoUse& page) {
        page.cmdSave_Click();
        EXPECT_EQ(statusText(), "There is nothing to save.");
        EXPECT_EQ(statusColour(), kStatusGreen);

        const struct {
            const char* typed;
            int answer;
            const char* question;
        } refused[] = {{"7", ui::mb::Yes, "Do you want to delete Vehicle 7 Use?"},
                       {"2.5", ui::mb::No, "Do you want to delete Vehicle 2 Use?"},
                       {"3.5", ui::mb::No, "Do you want to delete Vehicle 4 Use?"},
                       {"", ui::mb::Yes, "Do you want to delete Vehicle 0 Use?"}};
        for (const auto& r : refused) {
            page.txtAutoNum().setText(r.typed);
            prompts_->answerMessage(r.answer);
            page.cmdDelete_Click();
            ASSERT_FALSE(prompts_->messages.empty());
            EXPECT_EQ(prompts_->messages.back().text, r.question);
            EXPECT_EQ(prompts_->messages.back().title, "Delete Vehicle Use");
            EXPECT_EQ(prompts_->messages.back().style, ui::mb::YesNo);
        }
        EXPECT_EQ(statusText(), "Invalid Vehicle Id.");
        EXPECT_EQ(statusColour(), kRed);
        EXPECT_EQ(ui::textColour(page.lblRemove()), kRed);

        page.column(1).txtBusiness->clear();
        type(*page.column(1).txtBusiness, "999");  // not saved: dropped by the fresh load
        page.txtAutoNum().setText("2");
        prompts_->answerMessage(ui::mb::Yes);
        page.cmdDelete_Click();
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(page.column(1).txtBusiness->text(), "100");
        EXPECT_EQ(page.column(2).txtBusiness->text(), "");
        EXPECT_FALSE(page.column(2).OptOffDuty->answered());
        EXPECT_EQ(page.column(2).lblTotal->text(), "");
        EXPECT_EQ(page.column(3).txtBusiness->text(), "300");
        EXPECT_EQ(ui::textColour(page.lblRemove()), kBlack);
        EXPECT_FALSE(page.changed());
        EXPECT_EQ(statusText(), "");
    });
    EXPECT_EQ(storedUse(1), "100|0|0|True|True|True");
    EXPECT_EQ(storedUse(2), "");
    EXPECT_EQ(storedUse(3), "300|0|0|True|True|True");
}

// Every caption of the two windows can be read whole: one-line labels are as wide as their text, wrapped ones as
// high as their lines.
TEST_F(AutoUsePage, EveryCaptionOfTheVehicleWindowsFitsItsLabel) {
    addThreeVehicles();
    const auto expectCaptionsFit = [](QWidget& window) {
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;
            const QFontMetrics metrics(label->font());
            const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 10000),
                                                      label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
            EXPECT_LE(needed.width(), label->width()) << label->objectName().toStdString();
            // The last line's leading may fall a pixel or two outside without cutting a letter.
            EXPECT_LE(needed.height(), label->height() + 2) << label->objectName().toStdString();
        }
    };
    openPage([&](frmAutoUse& page) { expectCaptionsFit(page); });
    whenModal<frmAutoQst>([&](frmAutoQst& window) { expectCaptionsFit(window); });
    modAutoUse::DoAutoQstForm(kYear);
}

// A number too large for any arithmetic typed into Remove Vehicle # is an error shown in a box, not a crash.
TEST_F(AutoUsePage, AHugeVehicleNumberToRemoveIsShownAsAnErrorNotThrownFromTheButton) {
    addThreeVehicles();
    openPage([&](frmAutoUse& page) {
        page.txtAutoNum().setText(QString(400, u'9'));
        auto* remove = page.findChild<QPushButton*>(QStringLiteral("cmdDelete"));
        ASSERT_NE(remove, nullptr);
        EXPECT_NO_THROW(remove->click());
        ASSERT_EQ(prompts_->messages.size(), 1u);
        EXPECT_TRUE(prompts_->messages[0].text.startsWith("Error in cmdDelete_Click "))
            << prompts_->messages[0].text.toStdString();
        EXPECT_TRUE(page.isVisible());
    });
    EXPECT_EQ(storedUse(1), "");
}

// A column the engine refuses stops the save: the columns before it are stored, it and those after keep their
// changes for the next Save, and the page does not say the data was updated.
TEST_F(AutoUsePage, ARefusedColumnStopsTheSaveWithoutLosingItsEarlierRowOrClaimingSuccess) {
    addThreeVehicles();
    addUse(2, "'800', '0', '0'", "False, False, False");
    exec("CREATE TRIGGER refuseVehicle2 BEFORE INSERT ON tblAutoUse WHEN NEW.[Vehicle #] = 2 "
         "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    openPage([&](frmAutoUse& page) {
        for (int n = 1; n <= 3; ++n) {
            frmAutoUse::VehicleColumn& c = page.column(n);
            c.txtBusiness->clear();
            fill(c, "900", "1", "2");
            answerAll(c, true, true, true);
        }
        page.cmdSave_Click();
        ASSERT_EQ(prompts_->messages.size(), 1u);
        EXPECT_TRUE(prompts_->messages[0].text.startsWith("Error in AddAutoUse. ")) << prompts_->messages[0].text.toStdString();
        EXPECT_NE(statusText(), " Vehicle Data has been updated. ");
        EXPECT_FALSE(changed(1));
        EXPECT_TRUE(changed(2));
        EXPECT_TRUE(changed(3));
        EXPECT_TRUE(page.changed());
    });
    EXPECT_EQ(storedUse(1), "900|1|2|True|True|True");
    EXPECT_EQ(storedUse(2), "800|0|0|False|False|False");
    EXPECT_EQ(storedUse(3), "");
}

TEST_F(AutoUsePage, CancelAsksAboutChangesAndCountsAsCancelledTheCloseBoxNeither) {
    addThreeVehicles();
    openPage([&](frmAutoUse& page) {
        type(*page.column(1).txtBusiness, "5");
        prompts_->answerMessage(ui::mb::Cancel);
        page.cmdCancel_Click();
        EXPECT_TRUE(page.isVisible());
        prompts_->answerMessage(ui::mb::Yes);  // saving fails: answers missing
        page.cmdCancel_Click();
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(statusColour(), kRed);
        prompts_->answerMessage(ui::mb::No);
        page.cmdCancel_Click();
        EXPECT_FALSE(page.isVisible());
    });
    EXPECT_EQ(prompts_->messageTexts(), QStringList({"Save Changes?", "Save Changes?", "Save Changes?"}));
    EXPECT_TRUE(vehicleUseState().gblnAutoUseCancelled);
    EXPECT_EQ(storedUse(1), "");

    prompts_->clearRecords();
    openPage([&](frmAutoUse& page) {
        EXPECT_FALSE(changed(1)) << "a change left unsaved on the last showing is not one of this showing";
        type(*page.column(1).txtBusiness, "5");
        page.close();
    });
    EXPECT_TRUE(prompts_->messages.empty());
    EXPECT_FALSE(vehicleUseState().gblnAutoUseCancelled);
    EXPECT_EQ(storedUse(1), "");
}

}  // namespace
}  // namespace tally::desk::testing
