// The windows as the main window holds them: what the Windows menu's arrangements make of the asset, maintenance
// and report windows, the scroll bars that reach what lies past the area, where a window opened from a menu goes,
// and Getting Started going behind the windows opened after it and closing with them.

#include <algorithm>

#include <QCheckBox>
#include <QScrollBar>
#include <QWindow>

#include "WholeDeskTest.h"
#include "frmGettingStarted.h"

namespace tally::desk::testing {
namespace {

class WindowArrangement : public WholeDeskTest {
protected:
    static QMdiArea& area() { return mainWindow()->mdiArea(); }
    QMdiSubWindow& assetFrame() const { return *assetSubWindow(*f); }
    static QSize twips(int width, int height) { return {ui::toPixels(width), ui::toPixels(height)}; }
    static QRect visibleArea() { return {QPoint(), area().viewport()->size()}; }

    // Closes every window, as Windows > Close All Windows does, and opens them again in the order given.
    void reopen(const std::vector<const char*>& items) {
        menu("mnuCloseWindows");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(area().subWindowList().isEmpty());
        for (const char* item : items) {
            if (item == std::string("mnuAssetMaint")) {
                open();
            } else if (item == std::string("mnuAssetWorkSheet")) {
                menuForYear(item, QStringLiteral("2024"));
            } else {
                menu(item);
            }
        }
    }
};

TEST_F(WindowArrangement, NoArrangementMakesAWindowSmallerThanItNeeds) {
    addVehicle(1, "Van", 1, 2024);
    reopen({"mnuClassMaint", "mnuAssetMaint", "mnuAssetWorkSheet"});
    frmMaint* classes = maintenanceWindow();
    ASSERT_EQ(reportWindows().size(), 1u);
    auto* report = qobject_cast<QMdiSubWindow*>(reportWindows()[0]->parentWidget());
    ASSERT_TRUE(classes && report);
    const QSize assetSize = assetFrame().size();
    ASSERT_EQ(assetSize, twips(8145, 5055));

    // The asset window keeps its size with the section 179 panel closed; the maintenance window keeps its least.
    const auto expectKept = [&] {
        EXPECT_EQ(assetFrame().size(), assetSize);
        EXPECT_FALSE(f->mblnShow179);
        EXPECT_GE(classes->width(), twips(7700, 5000).width());
        EXPECT_GE(classes->height(), twips(7700, 5000).height());
    };

    menu("MnuCascade");
    expectKept();
    EXPECT_LT(classes->y(), assetFrame().y());
    EXPECT_LT(assetFrame().y(), report->y());

    // Tile Horizontal gives the report the height it had, within 1375 to 4000 twips; the two windows above it
    // need more than their 4000 and keep it, so each window below moves down by as much.
    const int reportHeight = ui::toPixels(std::clamp(ui::toTwips(report->height()), 1375.0, 4000.0));
    menu("mnuTileHorizontal");
    expectKept();
    EXPECT_EQ(classes->y(), 0);
    EXPECT_EQ(assetFrame().y(), classes->y() + classes->height());
    EXPECT_EQ(report->y(), assetFrame().y() + assetFrame().height());
    EXPECT_EQ(report->height(), reportHeight);
    // The stack reaches below the area, whose scroll bar reaches the last window.
    QScrollBar& scroll = *area().verticalScrollBar();
    ASSERT_GT(scroll.maximum(), 0);
    scroll.triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_TRUE(visibleArea().contains(report->geometry())) << report->y() << "+" << report->height();

    // Side by side: the asset window keeps its width, so the report moves right of it.
    menu("mnuTileVertical");
    expectKept();
    EXPECT_EQ(classes->pos(), QPoint(0, 0));
    EXPECT_EQ(assetFrame().pos(), QPoint(classes->width(), 0));
    EXPECT_EQ(report->pos(), QPoint(assetFrame().x() + assetFrame().width(), 0));

    // The user cannot make the maintenance window smaller than its least either.
    classes->resize(100, 100);
    EXPECT_GE(classes->width(), twips(7700, 5000).width());
    EXPECT_GE(classes->height(), twips(7700, 5000).height());
}

TEST_F(WindowArrangement, TheAssetWindowOpenedBesideAMaintenanceWindowIsWhollyInView) {
    ASSERT_EQ(mainWindow()->size(), QSize(700, 500));
    reopen({"mnuCompanyMaint", "mnuAssetMaint"});
    EXPECT_TRUE(visibleArea().contains(maintenanceWindow()->geometry()));
    const QRect asset = assetFrame().geometry();
    EXPECT_TRUE(visibleArea().contains(asset)) << asset.x() << "," << asset.y() << " " << asset.width() << "x"
                                                << asset.height();
}

TEST_F(WindowArrangement, WindowsOpenedAfterGettingStartedComeInFrontOfIt) {
    menu("mnuGettingStarted");
    frmGettingStarted* help = frmGettingStarted::shared();
    ASSERT_TRUE(help && help->isVisible());
    menu("mnuCompanyMaint");
    ASSERT_TRUE(maintenanceWindow());
    // A window manager keeps a window above the main window, and so above the windows inside it, when the main
    // window owns it or when it is a dialog window; Getting Started is neither.
    EXPECT_EQ(help->windowType(), Qt::Window);
    EXPECT_EQ(help->parentWidget(), nullptr);
    EXPECT_EQ(help->windowHandle()->transientParent(), nullptr);
}

TEST_F(WindowArrangement, CloseAllWindowsClosesGettingStartedAsItsOwnCloseDoes) {
    menu("mnuGettingStarted");
    const QPointer<frmGettingStarted> help = frmGettingStarted::shared();
    ASSERT_TRUE(help);
    auto* show = help->findChild<QCheckBox*>(QStringLiteral("chkShow"));
    ASSERT_TRUE(show);
    ASSERT_FALSE(show->isChecked());
    show->click();
    menu("mnuCompanyMaint");
    ASSERT_TRUE(maintenanceWindow());

    menu("mnuCloseWindows");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area().subWindowList().isEmpty());
    EXPECT_TRUE(help.isNull());
    EXPECT_TRUE(CheckForStartUpHelp()) << "the ticked box is stored";
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join("|").toStdString();
}

}  // namespace
}  // namespace tally::desk::testing
