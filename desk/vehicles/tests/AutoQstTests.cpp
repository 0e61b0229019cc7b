// The employer questionnaire: loading, validation, adding and changing the row, deletion and closing.

#include "VehicleTestSupport.h"
#include "frmAutoQst.h"
#include "modAutoUse.h"

namespace tally::desk::testing {
namespace {

class AutoQst : public VehicleTest {
protected:
    static void openQuestionnaire(std::function<void(frmAutoQst&)> action) {
        whenModal<frmAutoQst>(std::move(action));
        modAutoUse::DoAutoQstForm(kYear);
    }
    static void answer(frmAutoQst& window, const char* yesNo) {
        for (int i = 0; i < 5; ++i) click(window.answer(i), yesNo[i] == 'Y');
    }
    static int answeredCount(frmAutoQst& window) {
        int count = 0;
        for (int i = 0; i < 5; ++i) count += window.answer(i).answered() ? 1 : 0;
        return count;
    }
};

TEST_F(AutoQst, AnsweredAddedChangedDeletedAndAddedAgain) {
    openQuestionnaire([&](frmAutoQst& window) {
        EXPECT_EQ(window.windowTitle(), "Questions for Employers Who Provide Vehicles for Use by their Employees");
        EXPECT_EQ(window.lblTitle().text(), "Data for Acme Tools for year 2009");
        EXPECT_EQ(answeredCount(window), 0);

        window.cmdSave_Click();
        EXPECT_EQ(statusText(),
                  " All Personal answer is missing!  Commute answer is missing!  Personal answer is missing!  Five "
                  "vehicle answer is missing!  Requirements answer is missing! ");
        EXPECT_EQ(statusColour(), kRed);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(ui::textColour(window.question(i)), kRed) << i;
        EXPECT_EQ(storedQuestionnaire(), "");

        answer(window, "YNNYN");
        window.cmdSave_Click();
        EXPECT_EQ(statusText(), "Record Added.");
        EXPECT_EQ(statusColour(), kStatusGreen);
        EXPECT_EQ(ui::textColour(window.question(0)), kBlack);
        EXPECT_EQ(storedQuestionnaire(), "YNNYN");
        EXPECT_FALSE(window.changed());

        click(window.answer(4), true);
        window.cmdSave_Click();
        EXPECT_EQ(statusText(), "Record updated.");
        EXPECT_EQ(storedQuestionnaire(), "YNNYY");

        prompts_->answerMessage(ui::mb::No);
        window.cmdDelete_Click();
        EXPECT_EQ(storedQuestionnaire(), "YNNYY");
        EXPECT_EQ(answeredCount(window), 5);
        prompts_->answerMessage(ui::mb::Yes);
        window.cmdDelete_Click();
        EXPECT_EQ(prompts_->messages.back().text, "Do you want to delete this Questionaire?");
        EXPECT_EQ(prompts_->messages.back().title, "Delete Questionaire");
        EXPECT_EQ(storedQuestionnaire(), "");
        EXPECT_EQ(answeredCount(window), 0);
        EXPECT_TRUE(window.isVisible());

        answer(window, "NNNNN");
        window.cmdSave_Click();
        EXPECT_EQ(statusText(), "Record Added.");
        EXPECT_EQ(storedQuestionnaire(), "NNNNN");
    });
    EXPECT_FALSE(vehicleUseState().gblnAutoQstHasYes);
}

TEST_F(AutoQst, StoredAnswersLoadWithNullAsNoAndLoadingChangesNothing) {
    exec("INSERT INTO tblAutoQuestions Values(" + std::to_string(glngCompanyId) + ", 2009, Null, True, Null, False, "
         "Null)");
    openQuestionnaire([&](frmAutoQst& window) {
        EXPECT_EQ(answeredCount(window), 5);
        EXPECT_TRUE(window.answer(1).isYes());
        EXPECT_FALSE(window.answer(0).isYes());
        EXPECT_FALSE(window.changed());
        window.cmdCancel_Click();  // unchanged: closes without asking
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_TRUE(prompts_->messages.empty());
}

// The row went away after the window loaded it: Save adds it again instead of reporting an update of nothing.
TEST_F(AutoQst, ASaveOverARowThatIsGoneAddsItInsteadOfReportingAnUpdate) {
    exec("INSERT INTO tblAutoQuestions Values(" + std::to_string(glngCompanyId) + ", 2009, True, False, False, False, "
         "False)");
    openQuestionnaire([&](frmAutoQst& window) {
        exec("Delete * from tblAutoQuestions");
        click(window.answer(1), true);
        window.cmdSave_Click();
        EXPECT_EQ(statusText(), "Record Added.");
        EXPECT_EQ(storedQuestionnaire(), "YYNNN");
        window.cmdSave_Click();
        EXPECT_EQ(statusText(), "Record updated.");
        EXPECT_EQ(storedQuestionnaire(), "YYNNN");
    });
}

TEST_F(AutoQst, CancelAsksAboutChangesTheCloseBoxDropsThem) {
    openQuestionnaire([&](frmAutoQst& window) {
        click(window.answer(0), true);
        prompts_->answerMessage(ui::mb::Yes);  // the save fails: four answers missing
        window.cmdCancel_Click();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(ui::textColour(window.question(1)), kRed);
        prompts_->answerMessage(ui::mb::Cancel);
        window.cmdCancel_Click();
        EXPECT_TRUE(window.isVisible());
        answer(window, "YNNNN");
        prompts_->answerMessage(ui::mb::Yes);
        window.cmdCancel_Click();
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(storedQuestionnaire(), "YNNNN");
    EXPECT_TRUE(vehicleUseState().gblnAutoQstHasYes);
    EXPECT_EQ(statusText(), "");

    prompts_->clearRecords();
    openQuestionnaire([&](frmAutoQst& window) {
        EXPECT_FALSE(vehicleUseState().gblnAutoQstHasYes) << "cleared on every opening";
        click(window.answer(1), true);
        window.close();
    });
    EXPECT_TRUE(prompts_->messages.empty());
    EXPECT_EQ(storedQuestionnaire(), "YNNNN");
}

}  // namespace
}  // namespace tally::desk::testing
