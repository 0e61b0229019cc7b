// Routines that work on windows: combos laid over edit fields, select-all on focus, the Windows menu.

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

#include "ComboRoutines.h"
#include "DeskTestSupport.h"
#include "ListView.h"
#include "MaintHooks.h"
#include "MaskedEdit.h"
#include "Startup.h"
#include "StatusLine.h"
#include "Twips.h"
#include "frmCompany.h"

namespace tally::desk::testing {
namespace {

// The edit area of a maintenance window: mskEdit(0..3) and cboEdit(0), further combos loaded on demand.
class EditArea : public QWidget, public MaintWindowHooks {
public:
    EditArea() {
        for (int i = 0; i < 4; ++i) {
            auto* edit = new ui::MaskedEdit(this);
            edit->setGeometry(100, 10 + 30 * i, 150, 22);
            msk.push_back(edit);
        }
        cbo[0] = new QComboBox(this);
        cbo[0]->hide();
    }
    std::vector<ui::MaskedEdit*> msk;
    std::map<int, QComboBox*> cbo;
    ui::ListView list;

    ui::MaskedEdit* mskEdit(int i) override { return i < static_cast<int>(msk.size()) ? msk[i] : nullptr; }
    QComboBox* cboEdit(int i) override { return cbo.count(i) ? cbo[i] : nullptr; }
    QComboBox* loadCboEdit(int i) override { return cbo[i] = new QComboBox(this); }
    std::int16_t fieldCount() const override { return 5; }  // four edit fields and the key
    ui::ListView& lvMain() override { return list; }
    void ResetEditMode() override {}
    void NewRecord() override {}
    void ItializeDataField() override {}
    void UpdateMaintStatusBar(const QString&, const QString&) override {}
};

class WindowRoutines : public DeskTest {};

TEST_F(WindowRoutines, AComboLaidOverAnEditFieldTakesItsPlaceAndHandsBackItsValue) {
    EditArea area;
    area.show();
    AddCboBox(area, 2);
    QComboBox* combo = area.cboEdit(2);
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_TRUE(area.msk[2]->isHidden());
    EXPECT_EQ(combo->x(), 100);
    EXPECT_EQ(combo->y(), 70 - 2);       // 25 twips higher
    EXPECT_EQ(combo->width(), 150 + 3);  // 50 twips wider
    combo->addItems({"Gas", "Truck/Van"});
    combo->setCurrentIndex(1);
    area.cbo[0]->addItem("hidden");
    area.msk[0]->setTextValue("typed");

    UpdateEditFields(area);
    EXPECT_EQ(area.msk[2]->Text(), "Truck/Van");
    EXPECT_EQ(area.msk[0]->Text(), "typed");  // the hidden first combo does not count
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(WindowRoutines, SelectAllTextSelectsTheFocusedFieldOnceTheClickIsDone) {
    QWidget window;
    auto* edit = new QLineEdit("1,250.00", &window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }, 1000));
    edit->deselect();
    SelectAllText();
    EXPECT_FALSE(edit->hasSelectedText());  // deferred until the event that focused it is over
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->selectedText(), "1,250.00");
}

TEST_F(WindowRoutines, TileVerticalPutsTheWindowsSideBySideAndTheMenuListsThem) {
    exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
    ASSERT_TRUE(Main());
    QMdiArea& area = mainWindow()->mdiArea();
    for (const char* title : {"Report A", "Baker & Sons", "Report C"}) {
        auto* child = new QWidget;
        child->setWindowTitle(title);
        area.addSubWindow(child)->show();
    }
    mainWindow()->findChild<QAction*>("mnuTileVertical")->trigger();
    const auto windows = area.subWindowList(QMdiArea::CreationOrder);
    const int width = area.viewport()->width() / 3;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(windows[i]->geometry(), QRect(i * width, 0, width, area.viewport()->height())) << i;
    }
    auto* menu = mainWindow()->findChild<QMenu*>("mnuWindows");
    emit menu->aboutToShow();
    QStringList entries;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) entries << a->text();
    EXPECT_EQ(entries.mid(4), QStringList({"Report A", "Baker && Sons", "Report C"}));  // shown as "Baker & Sons"
    emit menu->aboutToShow();  // rebuilt, not added twice
    EXPECT_EQ(menu->actions().size(), 4 + 1 + 3);
}

TEST_F(WindowRoutines, TheStatusLineTextStaysInsideItsStrip) {
    exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
    ASSERT_TRUE(Main());
    DisplayMsg("Year must be numeric!", "255");
    QCoreApplication::processEvents();
    const auto* strip = mainWindow()->findChild<QFrame*>("pictStatusBar");
    ASSERT_TRUE(strip);
    const QRect text = mainWindow()->lblStatusBar().geometry();
    EXPECT_TRUE(strip->contentsRect().contains(text))
        << text.y() << "+" << text.height() << " in " << strip->contentsRect().y() << "+"
        << strip->contentsRect().height();
    EXPECT_GE(strip->height(), ui::toPixels(375));
}

TEST_F(WindowRoutines, ReleasingTheMouseOverThePickerListEmptiesTheSearch) {
    exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
    ASSERT_TRUE(Main());
    frmCompany picker(mainWindow());
    picker.show();
    picker.txtClientList().setText("sam");
    ASSERT_EQ(picker.lstPickClient().currentRow(), 0);
    const QRect first = picker.lstPickClient().visualItemRect(picker.lstPickClient().item(0));
    QTest::mouseClick(picker.lstPickClient().viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(picker.txtClientList().text(), "");
    EXPECT_EQ(picker.lstPickClient().currentRow(), 0);
}

}  // namespace
}  // namespace tally::desk::testing
