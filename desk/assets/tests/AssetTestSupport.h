#pragma once
// The asset window under test: a fresh database copy with default year 2024 and today July 15, 2024, the main
// window started headless, the asset window opened through Maintenance > Assets, and helpers that act as a user
// does (typing, choosing from a list, leaving a field, clicking a button) and read the window and the database.

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QTest>

#include "AssetClock.h"
#include "AssetsPart.h"
#include "Colour.h"
#include "Conversions.h"
#include "DeskTestSupport.h"
#include "PartServices.h"
#include "Startup.h"
#include "StatusLine.h"
#include "VbControls.h"
#include "db.h"
#include "frmAsset.h"

namespace tally::desk::testing {

class AssetWindowTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        partServices() = PartServices{};
        assets::assetClock() = [] { return QDate(2024, 7, 15); };
        assets::beeper() = [this] { ++beeps_; };
        exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False, DefaultYear = 2024");
        seed();
        installAssetsPart(deskCommands());
        ASSERT_TRUE(Main());
        SetCompanyId(1);
        gstrCompanyName = "Sample Company";
        ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow()));
        open();
    }

    void TearDown() override {
        if (frmAsset* form = assetWindow()) form->mblnDirty = false;
        partServices() = PartServices{};
        assets::assetClock() = [] { return QDate::currentDate(); };
        assets::beeper() = [] {};
        DeskTest::TearDown();
    }

    // Rows a test needs before the window opens.
    virtual void seed() {}

    void open() {
        auto* action = mainWindow()->findChild<QAction*>(QStringLiteral("mnuAssetMaint"));
        ASSERT_TRUE(action);
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
        f = assetWindow();
        ASSERT_TRUE(f);
        QTest::qWait(1);
    }

    template <typename T = QWidget>
    T* w(const char* name) const {
        return f->findChild<T*>(QString::fromLatin1(name));
    }

    // Clicking into a field, as the mouse does (the field left runs its rule).
    void enter(QWidget* field) {
        // Headless, a closed popup or box leaves no window active until one is activated again.
        if (QApplication::activeWindow() != mainWindow()) {
            mainWindow()->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow()));
        }
        field->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }
    void type(QWidget* field, const QString& text, bool replace = true) {
        enter(field);
        if (auto* edit = qobject_cast<QLineEdit*>(field); edit && replace) edit->selectAll();
        if (auto* combo = qobject_cast<QComboBox*>(field); combo && replace && combo->lineEdit())
            combo->lineEdit()->selectAll();
        QTest::keyClicks(field, text);
    }
    void choose(assets::VbCombo* combo, const QString& text) {
        enter(combo);
        combo->showPopup();
        const int index = combo->findText(text, Qt::MatchStartsWith);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        combo->hidePopup();
        QCoreApplication::processEvents();
        enter(combo);
    }
    // Leaves the field that has the focus for the notes box (whose own rule does nothing).
    void leave() { enter(f->txtNotes); }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QString status() const { return mainWindow()->lblStatusBar().text(); }
    std::int32_t statusColour() const { return ui::textColour(mainWindow()->lblStatusBar()); }
    static std::int32_t fore(const QWidget* widget) { return assets::foreColour(*widget); }
    static vb::Variant value(const std::string& sql) { return engine::db().ReturnValue(sql); }
    static int count(const std::string& sql) { return value(sql).toLong(); }

    // A new MACRS 5-year asset typed in and applied.
    void addMacrsAsset(const QString& description, const QString& inService, const QString& cost) {
        type(f->txtDescription, description);
        choose(f->cboMethod, QStringLiteral("MACRS"));
        choose(f->cboLife, QStringLiteral("5"));
        type(f->txtInService, QString(inService).remove(QLatin1Char('/')));
        type(f->txtCost, cost);
        leave();
        click(f->cmdSave);
    }
    void retrieveNumber(const std::string& number) {
        type(f->txtAssetID, QString::fromStdString(number));
        click(f->cmdSearch);
    }
    void retrieveLast() { retrieveNumber(value("select max(Asset_num) from tblAssets").toString()); }
    void retrieve(const QString& description) {
        choose(f->cboAssets, description);
        click(f->cmdSearch);
    }

    frmAsset* f = nullptr;
    int beeps_ = 0;
};

}  // namespace tally::desk::testing
