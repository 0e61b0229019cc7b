// Start-up and shut-down of the program as a whole: order, first run, saved places, refusal and fatal errors.

#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "DeskTestSupport.h"
#include "Settings.h"
#include "Startup.h"
#include "Twips.h"
#include "frmAbout.h"
#include "frmCompany.h"
#include "frmGettingStarted.h"
#include "modDatabase.h"

namespace tally::desk::testing {
namespace {

class Startup : public DeskTest {
protected:
    void switches(bool help, bool picker) {
        exec(std::string("Update tblDefaults set StartUp_Help = ") + (help ? "True" : "False") +
             ", ShowCompany = " + (picker ? "True" : "False"));
    }
    static QString setting(const QString& app, const QString& key) {
        return ui::GetSetting(app, QStringLiteral("Settings"), key, QStringLiteral("<none>"));
    }
};

TEST_F(Startup, FirstRunOpensOnTheSampleCompanyAtTheDefaultPlace) {
    switches(false, false);
    exec("Update tblDefaults set DefaultYear = 2009");
    ASSERT_TRUE(Main());
    mdiMain* main = mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->windowTitle(), "Tallyvane  for - Sample Company");
    EXPECT_EQ(glngCompanyId, 1);
    EXPECT_EQ(GetDefaultYear(), 2009);
    EXPECT_EQ(main->geometry(), QRect(13, 67, 700, 500));  // 200, 1000, 10500, 7500 twips
    EXPECT_EQ(frmGettingStarted::shared(), nullptr);
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(Startup, GettingStartedComesFirstThenThePickerModalOverIt) {
    switches(true, true);
    exec("Insert into tblCompany ([Company Name]) values ('Smith Hardware')");
    bool gettingStartedShown = false;
    QString captionDuringPicker;
    onNextModal([&](QDialog& dialog) {
        auto* picker = qobject_cast<frmCompany*>(&dialog);
        ASSERT_NE(picker, nullptr);
        gettingStartedShown = frmGettingStarted::shared() && frmGettingStarted::shared()->isVisible();
        captionDuringPicker = mainWindow()->windowTitle();
        QTest::keyClicks(&picker->txtClientList(), "sm");
        QTest::keyClick(&picker->txtClientList(), Qt::Key_Return);
    });
    ASSERT_TRUE(Main());
    EXPECT_TRUE(gettingStartedShown);
    // Once the picker is gone, Getting Started is in front again.
    EXPECT_TRUE(QTest::qWaitForWindowActive(frmGettingStarted::shared()));
    EXPECT_EQ(captionDuringPicker, "Tallyvane  for - Sample Company");
    EXPECT_EQ(mainWindow()->windowTitle(), "Tallyvane  for - Smith Hardware");
    EXPECT_EQ(gstrCompanyName, "Smith Hardware");
    EXPECT_GT(glngCompanyId, 1);
}

// A first start: Getting Started is up with the picker over it, and the user presses New to enter a first company.
// The Companies/Clients window that opens is the window asked for: it stays in front, and Getting Started stays
// open behind it until Help > Getting Started brings it forward.
TEST_F(Startup, TheWindowThePickersNewOpensStaysInFrontOfGettingStarted) {
    switches(true, true);
    // The Companies/Clients window as the maintenance part opens it: in the main window, made its active one.
    QPointer<QMdiSubWindow> companies;
    deskCommands().showMaintenance = [&](const QString& key) {
        auto* form = new QWidget;
        form->setWindowTitle(key);
        companies = mainWindow()->mdiArea().addSubWindow(form);
        companies->show();
        mainWindow()->mdiArea().setActiveSubWindow(companies);
    };
    onNextModal([](QDialog& picker) {
        auto* cmdNew = picker.findChild<QPushButton*>("cmdNew");
        ASSERT_TRUE(cmdNew && cmdNew->isEnabled());
        QTest::mouseClick(cmdNew, Qt::LeftButton);
    });
    ASSERT_TRUE(Main());
    frmGettingStarted* help = frmGettingStarted::shared();
    ASSERT_TRUE(help && help->isVisible());
    ASSERT_TRUE(companies && companies->isVisible());
    EXPECT_EQ(companies->windowTitle(), "Companies");
    EXPECT_TRUE(QTest::qWaitForWindowActive(mainWindow()));
    QTest::qWait(100);  // no activation comes after it
    EXPECT_EQ(QApplication::activeWindow(), mainWindow());
    EXPECT_EQ(mainWindow()->mdiArea().activeSubWindow(), companies);
    EXPECT_TRUE(help->isVisible());

    auto* item = mainWindow()->findChild<QAction*>("mnuGettingStarted");
    ASSERT_TRUE(item);
    item->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(help));
    EXPECT_TRUE(companies->isVisible());
}

// The program's own icon, which the About window shows, is every window's: the main window's, Getting Started's,
// the About window's and a child window's in the main window, whose title bars and the window manager's list show it.
TEST_F(Startup, EveryWindowCarriesTheProgramsIconThatTheAboutWindowShows) {
    switches(true, false);
    ASSERT_TRUE(Main());
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    frmAbout about(mainWindow());
    const auto* picIcon = about.findChild<QLabel*>("picIcon");
    ASSERT_TRUE(picIcon);
    const QImage shown = picIcon->pixmap().toImage();
    EXPECT_FALSE(shown.isNull());
    EXPECT_TRUE(shown == icon.pixmap(shown.size()).toImage());

    QMdiSubWindow* child = mainWindow()->mdiArea().addSubWindow(new QWidget);
    child->show();
    const QWidget* windows[] = {mainWindow(), frmGettingStarted::shared(), &about, child};
    for (const QWidget* window : windows) {
        ASSERT_TRUE(window);
        EXPECT_EQ(window->windowIcon().cacheKey(), icon.cacheKey()) << window->metaObject()->className();
    }
}

TEST_F(Startup, UnreachableDatabaseGivesYearZeroAndOpensNeitherWindow) {
    engine::modDatabase::UseDatabaseFile((database_.folder() / "missing" / "Depr.mdb").string());
    ASSERT_TRUE(Main());
    EXPECT_EQ(GetDefaultYear(), 0);
    EXPECT_EQ(frmGettingStarted::shared(), nullptr);
    const QStringList texts = prompts_->messageTexts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[0].startsWith("Error in RetrieveDbDefaultYear "));
    EXPECT_TRUE(texts[1].startsWith("Error in CheckForStartUpHelp "));
    EXPECT_TRUE(texts[2].startsWith("Error in CheckForShowCompany "));
}

TEST_F(Startup, ExitSavesPlaceAndCompanyWhichTheNextStartRestores) {
    switches(false, false);
    ASSERT_TRUE(Main());
    mainWindow()->setGeometry(30, 40, 600, 450);
    gstrCompanyName = "O'Neil <b>Farms</b>";
    SetCompanyId(7);
    ASSERT_TRUE(mainWindow()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mainWindow(), nullptr);
    EXPECT_EQ(programExitStatus(), 0);
    EXPECT_EQ(setting("Tallyvane V4.5", "CompanyId"), "7");
    EXPECT_EQ(setting("mdiMain", "MainLeft"), "450");
    EXPECT_EQ(setting("mdiMain", "MainWidth"), "9000");

    resetState();
    ASSERT_TRUE(Main());
    EXPECT_EQ(mainWindow()->windowTitle(), "Tallyvane  for - O'Neil <b>Farms</b>");
    EXPECT_EQ(glngCompanyId, 7);
    EXPECT_EQ(mainWindow()->geometry(), QRect(30, 40, 600, 450));
}

TEST_F(Startup, MaximizedExitAndCompanyZeroWriteNothing) {
    switches(false, false);
    ASSERT_TRUE(ui::SaveSetting("mdiMain", "Settings", "MainLeft", "not a number"));
    ASSERT_TRUE(ui::SaveSetting("Tallyvane V4.5", "Settings", "CompanyId", "3"));
    ASSERT_TRUE(Main());
    EXPECT_EQ(mainWindow()->geometry().topLeft(), QPoint(0, 67));  // the bad Left was skipped, the rest read
    mainWindow()->showMaximized();
    SetCompanyId(0);
    ASSERT_TRUE(mainWindow()->close());
    EXPECT_EQ(setting("mdiMain", "MainLeft"), "not a number");
    EXPECT_EQ(setting("mdiMain", "MainTop"), "<none>");
    EXPECT_EQ(setting("Tallyvane V4.5", "CompanyId"), "3");
}

TEST_F(Startup, StoredPlacesNoScreenCanShowAreNotUsed) {
    switches(false, false);
    // Far beyond any screen (and beyond an int once in pixels): that side stays as it is.
    ASSERT_TRUE(ui::SaveSetting("mdiMain", "Settings", "MainLeft", "1e20"));
    ASSERT_TRUE(ui::SaveSetting("mdiMain", "Settings", "MainWidth", "-1e20"));
    ASSERT_TRUE(Main());
    EXPECT_EQ(mainWindow()->geometry().topLeft(), QPoint(0, 67));
    EXPECT_LT(mainWindow()->width(), 3000);
    EXPECT_EQ(mainWindow()->height(), 500);
    ASSERT_TRUE(mainWindow()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Saved on a monitor right of this one that is no longer attached: back to the default place.
    resetState();
    ASSERT_TRUE(ui::SaveSetting("mdiMain", "Settings", "MainLeft", "45000"));
    ASSERT_TRUE(Main());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_LT(screen.right(), 3000);
    EXPECT_EQ(mainWindow()->geometry().topLeft(), screen.topLeft() + QPoint(13, 67));

    // A place counts only when the strip above the window's top, where its title bar is grabbed, shows.
    const auto reopenAt = [&](int left, int top) {
        EXPECT_TRUE(mainWindow()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        resetState();
        EXPECT_TRUE(ui::SaveSetting("mdiMain", "Settings", "MainLeft", QString::number(ui::toTwips(left))));
        EXPECT_TRUE(ui::SaveSetting("mdiMain", "Settings", "MainTop", QString::number(ui::toTwips(top))));
        EXPECT_TRUE(Main());
        return mainWindow()->geometry().topLeft();
    };
    const QPoint defaultPlace = screen.topLeft() + QPoint(13, 67);
    // The top above the screen with the body showing below it.
    EXPECT_EQ(reopenAt(screen.left() + 100, screen.top() - 133), defaultPlace);
    // The top just inside the screen: the title bar the window manager adds above it would be above the screen.
    EXPECT_EQ(reopenAt(screen.left() + 100, screen.top() + 4), defaultPlace);
    // Room for the lower part of a title bar above it: stays, as a window moved to the screen's top edge is kept.
    EXPECT_EQ(reopenAt(screen.left() + 100, screen.top() + 20), QPoint(screen.left() + 100, screen.top() + 20));
    // Five pixels left showing at the screen's right edge.
    EXPECT_EQ(reopenAt(screen.right() - 4, screen.top() + 67), defaultPlace);
    // Partly off screen but a hundred pixels of its top showing: the user can drag it back, so it stays.
    EXPECT_EQ(reopenAt(screen.right() - 99, screen.top() + 67), QPoint(screen.right() - 99, screen.top() + 67));
}

// A child window that refuses to close (its "Save Changes?" answered Cancel) keeps the program running.
class StubbornChild : public QWidget {
public:
    bool refuse = true;
    void closeEvent(QCloseEvent* event) override { refuse ? event->ignore() : event->accept(); }
};

TEST_F(Startup, ChildThatRefusesToCloseKeepsTheProgramOpen) {
    switches(false, false);
    ASSERT_TRUE(Main());
    auto* child = new StubbornChild;
    mainWindow()->mdiArea().addSubWindow(child)->show();
    EXPECT_FALSE(mainWindow()->close());
    EXPECT_TRUE(mainWindow()->isVisible());
    EXPECT_EQ(setting("mdiMain", "MainLeft"), "<none>");
    child->refuse = false;
    EXPECT_TRUE(mainWindow()->close());
    EXPECT_NE(setting("mdiMain", "MainLeft"), "<none>");
}

TEST_F(Startup, MissingCompanyListEndsTheProgramThroughTheNormalShutDown) {
    switches(false, true);
    exec("Drop table tblCompany");
    EXPECT_FALSE(Main());
    EXPECT_EQ(mainWindow(), nullptr);
    // The engine's error first, then the reason the program ends.
    ASSERT_EQ(prompts_->messages.size(), 2u);
    EXPECT_TRUE(prompts_->messages[0].text.startsWith("Error in GetListData "))
        << prompts_->messages[0].text.toStdString();
    EXPECT_EQ(prompts_->messages[1].text, "Can not connect to the database.");
    EXPECT_EQ(prompts_->messages[1].title, "Get List Data");
    EXPECT_EQ(prompts_->messages[1].style, ui::mb::Critical);
    // The normal shut-down ran: the company and the window's place were saved.
    EXPECT_EQ(setting("Tallyvane V4.5", "CompanyId"), "1");
    EXPECT_NE(setting("mdiMain", "MainWidth"), "<none>");
}

TEST_F(Startup, MissingCompanyListEndsTheProgramEvenWhenAChildWindowStaysOpen) {
    switches(false, false);
    ASSERT_TRUE(Main());
    mainWindow()->mdiArea().addSubWindow(new StubbornChild)->show();
    exec("Drop table tblCompany");
    SetCompanyId(5);
    mainWindow()->findChild<QAction*>("mnuSelectCompany")->trigger();
    EXPECT_EQ(mainWindow(), nullptr);
    EXPECT_EQ(programExitStatus(), 1);  // ended on an error, as when it cannot start
    EXPECT_EQ(setting("Tallyvane V4.5", "CompanyId"), "5");
    EXPECT_NE(setting("mdiMain", "MainWidth"), "<none>");
}

}  // namespace
}  // namespace tally::desk::testing
