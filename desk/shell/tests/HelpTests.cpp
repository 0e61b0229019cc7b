// The help object and its window over the compiled help file beside the program.

#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QLineEdit>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include "DeskTestSupport.h"
#include "HTMLHelp.h"
#include "HelpViewer.h"
#include "ScreenPlace.h"
#include "Startup.h"
#include "frmCompany.h"

namespace tally::desk::testing {
namespace {

const QString kShippedHelp = QStringLiteral(TALLY_BIN_DIR "/Tallyform.qch");

class Help : public DeskTest {
protected:
    HTMLHelp help_;
    void TearDown() override {
        help_.HHClose();
        DeskTest::TearDown();
    }
    HelpViewer* viewer() { return qobject_cast<HelpViewer*>(help_.HHWndHandle()); }
};

TEST_F(Help, AMissingFileOrAnotherKindOfFileIsRefusedWithAWarning) {
    const QString missing = QStringLiteral("/nowhere/Tallyform.QCH");
    help_.setCHMFile(missing);
    help_.HHDisplayContents(nullptr);
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].text,
              "The file /nowhere/Tallyform.QCH does not exist.\n"
              "Please make sure the correct path and file name have been specified.");
    EXPECT_EQ(prompts_->messages[0].title, "HTML Help Class");
    EXPECT_EQ(prompts_->messages[0].style, ui::mb::Exclamation);

    help_.setCHMFile("/tmp/notes.txt");
    help_.HHDisplayIndex(nullptr);
    ASSERT_EQ(prompts_->messages.size(), 2u);
    EXPECT_EQ(prompts_->messages[1].text, "/tmp/notes.txt is not a valid HTML Help file.");
    EXPECT_EQ(help_.HHWndHandle(), nullptr);
}

TEST_F(Help, ClosingWithNothingOpenIsSilent) {
    help_.HHClose();
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(Help, ContentsThenIndexShowTheSameWindowWhichCloseShuts) {
    help_.setCHMFile(kShippedHelp);
    help_.HHDisplayContents(nullptr);
    ASSERT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join("|").toStdString();
    QPointer<HelpViewer> shown = viewer();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->tabs().currentIndex(), 0);
    QHelpContentModel* contents = shown->engine().contentModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return contents->rowCount() > 0; }, 5000));
    const QModelIndex top = contents->index(0, 0);
    EXPECT_EQ(contents->data(top, Qt::DisplayRole).toString(), "Tallyvane");
    EXPECT_GE(contents->rowCount(top), 9);
    EXPECT_TRUE(shown->currentPage().toString().endsWith("/index.html"));
    EXPECT_TRUE(shown->browser().toPlainText().contains("register of fixed assets"));

    help_.HHDisplayIndex(nullptr);
    EXPECT_EQ(viewer(), shown);
    EXPECT_EQ(shown->tabs().currentIndex(), 1);
    QHelpIndexModel* index = shown->engine().indexModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return index->rowCount() > 0; }, 5000));
    EXPECT_FALSE(index->match(index->index(0, 0), Qt::DisplayRole, "Backup", 1, Qt::MatchExactly).isEmpty());

    help_.HHClose();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shown, nullptr);
}

TEST_F(Help, ContextTopicsOfTheMaintenanceWindow) {
    help_.setCHMFile(kShippedHelp);
    struct Case {
        std::int32_t id;
        const char* page;
    } cases[] = {{600, "/maintenance.html"}, {590, "/misc4562.html"}, {12345, "/index.html"}};
    for (const auto& c : cases) {
        help_.setHHTopicID(c.id);
        help_.HHDisplayTopicID(nullptr);
        ASSERT_NE(viewer(), nullptr);
        EXPECT_TRUE(viewer()->currentPage().toString().endsWith(c.page)) << c.id;
    }
}

TEST_F(Help, ClosingTheMainWindowClosesTheHelpWindows) {
    exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
    ASSERT_TRUE(Main());
    gobjHTMLHelp->setCHMFile(kShippedHelp);
    gobjHTMLHelp->HHDisplayContents(mainWindow());
    QPointer<QWidget> shown = gobjHTMLHelp->HHWndHandle();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->parentWidget(), nullptr);  // help windows stand alone
    ASSERT_TRUE(mainWindow()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shown, nullptr);
    EXPECT_EQ(gobjHTMLHelp, nullptr);
}

// A 1280 x 900 screen with a panel along its top: a help window opened under the window manager's own placement
// came out with its bottom edge at 915.
TEST(ScreenPlace, ANewWindowOpensCentredInsideTheRoomAndShrinksToIt) {
    const QRect room(0, 24, 1280, 876);
    const QRect help = centredInside(QSize(808, 567), room);
    EXPECT_TRUE(room.contains(help));
    EXPECT_EQ(help.size(), QSize(808, 567));
    EXPECT_LE((help.center() - room.center()).manhattanLength(), 1);

    const QRect tall = centredInside(QSize(600, 1200), room);
    EXPECT_EQ(tall, QRect(340, 24, 600, 876));

    // A window pushed past the room's far edges comes back; one larger than the room keeps its top-left corner in.
    EXPECT_EQ(keptInside(QRect(1000, 700, 400, 300), room), QRect(880, 600, 400, 300));
    EXPECT_EQ(keptInside(QRect(-50, -50, 1400, 1000), room).topLeft(), room.topLeft());
}

TEST_F(Help, TheHelpWindowOpensCentredOnTheScreenOfItsOwner) {
    QWidget owner;
    owner.setGeometry(20, 40, 300, 200);
    owner.show();
    help_.setCHMFile(kShippedHelp);
    help_.HHDisplayContents(&owner);
    ASSERT_NE(viewer(), nullptr);
    const QRect room = owner.screen()->availableGeometry();
    const QRect place = viewer()->frameGeometry();
    EXPECT_TRUE(room.contains(place)) << place.x() << "," << place.y() << " " << place.width() << "x" << place.height();
    // Centred but for the frame the window manager has still to add.
    EXPECT_LE((place.center() - room.center()).manhattanLength(), 40);
}

// The picker is modal, which kept F1 away from the main window; its own F1 opens the help, which stays usable.
TEST_F(Help, F1WorksWhileTheCompanyPickerIsOpen) {
    exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
    ASSERT_TRUE(Main());
    gobjHTMLHelp->setCHMFile(kShippedHelp);
    QPointer<HelpViewer> shown;
    bool indexTabReached = false;
    onNextModal([&](QDialog& dialog) {
        auto* picker = qobject_cast<frmCompany*>(&dialog);
        ASSERT_NE(picker, nullptr);
        // A window's shortcut answers only once the window is active, which a loaded machine may not have made
        // it yet when it first shows.
        picker->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(picker));
        QTest::keyClick(&picker->txtClientList(), Qt::Key_F1);
        shown = qobject_cast<HelpViewer*>(gobjHTMLHelp->HHWndHandle());
        if (shown) {
            EXPECT_TRUE(shown->isVisible());
            // A click the window system delivers reaches the help window: no modal window blocks it.
            QTabBar* tabs = shown->tabs().tabBar();
            const QPoint onIndexTab = tabs->mapTo(shown, tabs->tabRect(1).center());
            QTest::mouseClick(shown->windowHandle(), Qt::LeftButton, {}, onIndexTab);
            indexTabReached = shown->tabs().currentIndex() == 1;
        }
        dialog.reject();
    });
    ShowCompanyPicker();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(indexTabReached);
}

}  // namespace
}  // namespace tally::desk::testing
