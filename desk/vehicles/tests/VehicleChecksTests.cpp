// The vehicle checks: after a new vehicle asset is saved (VehicleDocsOk) and before Form 4562 (VehicleUseOk).

#include "VehicleTestSupport.h"
#include "frmAutoQst.h"
#include "frmAutoUse.h"
#include "modAutoUse.h"

namespace tally::desk::testing {
namespace {

const QString kOwnerQuestion =
    "Is the vehicle used by a sole proprietor, partner or other 'more than 5% owner,' or related person?";

class VehicleChecks : public VehicleTest {
protected:
    void SetUp() override {
        VehicleTest::SetUp();
        addVehicle("Van", 0.9, 1);
        addVehicle("Sedan", 0.6, 2);
    }
    void addQuestionnaire(const std::string& answers) const {
        exec("INSERT INTO tblAutoQuestions Values(" + std::to_string(glngCompanyId) + ", 2009, " + answers + ")");
    }
    static void fillAndSave(frmAutoUse& page, int n) {
        frmAutoUse::VehicleColumn& c = page.column(n);
        type(*c.txtBusiness, "100");
        type(*c.txtCommuting, "0");
        type(*c.txtPersonal, "0");
        click(*c.OptOffDuty, false);
        click(*c.Opt5Owner, true);
        click(*c.optAnother, false);
        page.cmdSave_Click();
    }
};

TEST_F(VehicleChecks, ANewVehicleWithItsUseAlreadyStoredAsksNothing) {
    addUse(2, "'1', '1', '1'", "True, True, True");
    EXPECT_TRUE(modAutoUse::VehicleDocsOk(kYear, 2));
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(VehicleChecks, AnOwnersVehicleOpensThePageAtItsColumnAndCancelLeavesItUndocumented) {
    prompts_->answerMessage(ui::mb::Yes);
    whenModal<frmAutoUse>([&](frmAutoUse& page) {
        EXPECT_EQ(page.focusWidget(), page.column(2).txtBusiness);
        page.cmdCancel_Click();
    });
    EXPECT_FALSE(modAutoUse::VehicleDocsOk(kYear, 2));
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].text, kOwnerQuestion);
    EXPECT_EQ(prompts_->messages[0].title, "Auto Use");
    EXPECT_EQ(prompts_->messages[0].style, ui::mb::YesNo);

    prompts_->answerMessage(ui::mb::Yes);
    whenModal<frmAutoUse>([&](frmAutoUse& page) {
        fillAndSave(page, 2);
        page.close();
    });
    EXPECT_TRUE(modAutoUse::VehicleDocsOk(kYear, 2));
    EXPECT_EQ(storedUse(2), "100|0|0|False|True|False");
}

TEST_F(VehicleChecks, AnEmployeesVehicleLeadsToTheQuestionnaireWhoseYesEndsTheCheck) {
    prompts_->answerMessage(ui::mb::No);
    whenModal<frmAutoQst>([&](frmAutoQst& window) {
        for (int i = 0; i < 5; ++i) click(window.answer(i), i == 2);
        window.cmdSave_Click();
        window.close();
    });
    EXPECT_TRUE(modAutoUse::VehicleDocsOk(kYear, 1));
    EXPECT_EQ(storedQuestionnaire(), "NNYNN");
    EXPECT_EQ(prompts_->messageTexts(), QStringList{kOwnerQuestion});
}

// A Yes that could not be stored exempts nothing: the page follows.
TEST_F(VehicleChecks, AQuestionnaireWhoseSaveFailedLeadsOnToThePage) {
    exec("CREATE TRIGGER refuseQuestionnaire BEFORE INSERT ON tblAutoQuestions BEGIN SELECT RAISE(ABORT, 'disk full'); "
         "END");
    prompts_->answerMessage(ui::mb::No);
    bool pageShown = false;
    whenModal<frmAutoQst>([&](frmAutoQst& window) {
        for (int i = 0; i < 5; ++i) click(window.answer(i), true);
        window.cmdSave_Click();
        EXPECT_TRUE(window.changed());
        window.close();
    });
    whenModal<frmAutoUse>([&](frmAutoUse& page) {
        pageShown = true;
        page.cmdCancel_Click();
    });
    EXPECT_FALSE(modAutoUse::VehicleDocsOk(kYear, 1));
    EXPECT_TRUE(pageShown);
    ASSERT_EQ(prompts_->messages.size(), 2u);
    EXPECT_TRUE(prompts_->messages[1].text.startsWith("Error in AddUpdateAutoQst. disk full"))
        << prompts_->messages[1].text.toStdString();
}

// A Yes deleted again before the questionnaire is closed exempts nothing either.
TEST_F(VehicleChecks, AQuestionnaireSavedWithAYesAndThenDeletedLeadsOnToThePage) {
    prompts_->answerMessage(ui::mb::No);
    prompts_->answerMessage(ui::mb::Yes);  // "Do you want to delete this Questionaire?"
    bool pageShown = false;
    whenModal<frmAutoQst>([&](frmAutoQst& window) {
        for (int i = 0; i < 5; ++i) click(window.answer(i), true);
        window.cmdSave_Click();
        window.cmdDelete_Click();
        window.close();
    });
    whenModal<frmAutoUse>([&](frmAutoUse& page) {
        pageShown = true;
        page.cmdCancel_Click();
    });
    EXPECT_FALSE(modAutoUse::VehicleDocsOk(kYear, 1));
    EXPECT_TRUE(pageShown);
    EXPECT_EQ(storedQuestionnaire(), "");
}

TEST_F(VehicleChecks, AQuestionnaireClosedUnsavedOrAllNoLeadsOnToThePage) {
    prompts_->answerMessage(ui::mb::No);
    bool pageShown = false;
    whenModal<frmAutoQst>([&](frmAutoQst& window) { window.close(); });
    whenModal<frmAutoUse>([&](frmAutoUse& page) {
        pageShown = true;
        EXPECT_EQ(page.focusWidget(), page.column(1).txtBusiness);
        page.close();  // the close box: completed, not cancelled
    });
    EXPECT_TRUE(modAutoUse::VehicleDocsOk(kYear, 1));
    EXPECT_TRUE(pageShown);

    addQuestionnaire("False, False, Null, False, False");
    prompts_->answerMessage(ui::mb::No);
    pageShown = false;
    whenModal<frmAutoUse>([&](frmAutoUse& page) {
        pageShown = true;
        page.cmdCancel_Click();
    });
    EXPECT_FALSE(modAutoUse::VehicleDocsOk(kYear, 1));
    EXPECT_TRUE(pageShown);
}

TEST_F(VehicleChecks, AStoredQuestionnaireYesDocumentsAnEmployeesVehicleWithoutAWindow) {
    addQuestionnaire("False, False, False, True, False");
    prompts_->answerMessage(ui::mb::No);
    EXPECT_TRUE(modAutoUse::VehicleDocsOk(kYear, 1));
    EXPECT_EQ(prompts_->messageTexts(), QStringList{kOwnerQuestion});
}

TEST_F(VehicleChecks, Form4562NeedsEveryActiveVehiclesUseOrAQuestionnaireYes) {
    addUse(1, "'1', '1', '1'", "True, True, True");
    EXPECT_FALSE(modAutoUse::VehicleUseOk(kYear)) << "two vehicles, one use row";
    addQuestionnaire("False, Null, False, False, False");
    EXPECT_FALSE(modAutoUse::VehicleUseOk(kYear)) << "a questionnaire without a Yes exempts nothing";
    exec("Update tblAutoQuestions set [Meet Requirements] = True");
    EXPECT_TRUE(modAutoUse::VehicleUseOk(kYear));
    exec("Delete * from tblAutoQuestions");
    addUse(2, "'1', '1', '1'", "True, True, True");
    EXPECT_TRUE(modAutoUse::VehicleUseOk(kYear));
    EXPECT_TRUE(modAutoUse::VehicleUseOk(2004)) << "no vehicle in the year";
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(VehicleChecks, AFailedStepIsShownAndNeverPassesForm4562) {
    exec("Drop table tblAutoQuestions");
    EXPECT_FALSE(modAutoUse::VehicleUseOk(2004));
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_TRUE(prompts_->messages[0].text.startsWith("Error in VehicleUseOk. ")) << prompts_->messages[0].text.toStdString();
    EXPECT_TRUE(prompts_->messages[0].text.contains("  ")) << "description, number and source two blanks apart";
}

}  // namespace
}  // namespace tally::desk::testing
