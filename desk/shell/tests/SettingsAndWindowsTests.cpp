// tblDefaults routines, the Getting Started and About windows and the link routines.

#include <QCheckBox>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>

#include "DeskTestSupport.h"
#include "WebAccess.h"
#include "db.h"
#include "frmAbout.h"
#include "frmGettingStarted.h"
#include "modDatabase.h"

namespace tally::desk::testing {
namespace {

class Defaults : public DeskTest {
protected:
    static vb::Variant stored(const char* sql) { return engine::db().ReturnValue(sql); }
};

TEST_F(Defaults, DefaultYearIsStoredAsTheSameWholeYearItKeeps) {
    struct Case {
        vb::Variant typed;
        std::int16_t year;
    } cases[] = {{vb::Variant(2010.5), 2010}, {vb::Variant(2011.5), 2012}, {vb::Variant("2009"), 2009}};
    for (const auto& c : cases) {
        SetDefaultYear(c.typed);
        EXPECT_EQ(GetDefaultYear(), c.year);
        EXPECT_EQ(stored("Select typeof(DefaultYear) from tblDefaults").toString(), "integer");
        EXPECT_EQ(stored("Select DefaultYear from tblDefaults").toInt(), c.year);
        gintDefaultYear = 0;
        RetrieveDbDefaultYear();
        EXPECT_EQ(GetDefaultYear(), c.year);
    }
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(Defaults, AYearThatIsNoNumberChangesNothing) {
    SetDefaultYear(vb::Variant(2008));
    SetDefaultYear(vb::Variant("next year"));
    EXPECT_EQ(GetDefaultYear(), 2008);
    EXPECT_EQ(stored("Select DefaultYear from tblDefaults").toInt(), 2008);
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_TRUE(prompts_->messages[0].text.startsWith("Error in SetDefaultYear "));
    EXPECT_TRUE(prompts_->messages[0].text.endsWith(" 13"));
}

TEST_F(Defaults, StartUpSwitchesRoundTrip) {
    for (bool value : {false, true, false}) {
        SetStartUpHelp(value);
        SetShowCompany(!value);
        EXPECT_EQ(CheckForStartUpHelp(), value);
        EXPECT_EQ(CheckForShowCompany(), !value);
    }
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(Defaults, GettingStartedWritesItsSwitchOnlyWhenClicked) {
    exec("Update tblDefaults set StartUp_Help = False");
    auto* window = frmGettingStarted::showShared(nullptr);
    EXPECT_FALSE(window->chkShow().isChecked());
    EXPECT_EQ(frmGettingStarted::showShared(nullptr), window);  // one shared window
    exec("Update tblDefaults set StartUp_Help = True");
    window->close();  // untouched: the value stored meanwhile stays
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(CheckForStartUpHelp());

    window = frmGettingStarted::showShared(nullptr);
    EXPECT_TRUE(window->chkShow().isChecked());
    window->chkShow().click();
    window->close();
    EXPECT_FALSE(CheckForStartUpHelp());
}

TEST_F(Defaults, GettingStartedOpensOverTheMainWindowAndOnItsScreen) {
    QWidget main;
    main.show();
    const auto openOver = [&](const QRect& mainPlace) {
        main.setGeometry(mainPlace);
        auto* window = frmGettingStarted::showShared(&main);
        const QRect place = window->frameGeometry();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return place;
    };
    const QRect room = main.screen()->availableGeometry();
    ASSERT_GE(room.width(), 750);
    ASSERT_GE(room.height(), 560);
    // A main window with room around it: Getting Started sits at its centre.
    const QRect centred = openOver(QRect(room.topLeft() + QPoint(100, 80), QSize(650, 480)));
    EXPECT_LE((centred.center() - main.frameGeometry().center()).manhattanLength(), 2);

    // A main window smaller than Getting Started in a corner of the screen: centring alone would put the title
    // bar above or left of the screen, or the window past its far edges.
    for (const QPoint corner : {room.topLeft(), room.bottomRight() - QPoint(399, 299)}) {
        const QRect place = openOver(QRect(corner, QSize(400, 300)));
        EXPECT_TRUE(room.contains(place)) << place.x() << "," << place.y();
        EXPECT_TRUE(place.contains(main.frameGeometry().center()));
    }
}

TEST_F(Defaults, LinksOpenThroughTheDesktopAndMailWithoutAnAddressStillOpens) {
    WebLink(nullptr, "https://example.org/");
    EmailMe(nullptr, "");
    EmailMe(nullptr, "help@example.org");
    EXPECT_EQ(prompts_->links, (std::vector<QString>{"https://example.org/", "mailto:", "mailto:help@example.org"}));
}

TEST_F(Defaults, AboutShowsVersionAndStartsASystemInformationProgramWhenThereIsOne) {
    frmAbout about(nullptr);
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "Version 4.5.0");
    EXPECT_EQ(about.findChild<QLabel*>("lblTitle")->text(), "Tallyvane ");

    frmAbout::StartSysInfo([](const QString&) { return QString(); });
    EXPECT_EQ(prompts_->messageTexts(), QStringList{"System Information Is Unavailable At This Time"});
    EXPECT_TRUE(prompts_->programs.empty());

    frmAbout::StartSysInfo([](const QString& name) { return name == "hardinfo2" ? "/usr/bin/hardinfo2" : ""; });
    ASSERT_EQ(prompts_->programs.size(), 1u);
    EXPECT_EQ(prompts_->programs[0].program, "/usr/bin/hardinfo2");

    prompts_->setProgramsStart(false);
    frmAbout::StartSysInfo([](const QString& name) { return "/usr/bin/" + name; });
    EXPECT_EQ(prompts_->messageTexts().size(), 2);
}

}  // namespace
}  // namespace tally::desk::testing
