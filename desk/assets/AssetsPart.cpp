#include "AssetsPart.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "ChildArrangement.h"
#include "DeskCommands.h"
#include "Depr.h"
#include "PartServices.h"
#include "Twips.h"
#include "frmAsset.h"
#include "mdiMain.h"

namespace tally::desk {

namespace {

QPointer<frmAsset>& openWindow() {
    static QPointer<frmAsset> window;
    return window;
}

void showAssetWindow() {
    if (frmAsset* open = openWindow()) {
        if (QMdiSubWindow* sub = assetSubWindow(*open)) sub->mdiArea()->setActiveSubWindow(sub);
        open->activateWindow();
        return;
    }
    mdiMain* main = mainWindow();
    if (!main) return;
    auto* form = new frmAsset;
    openWindow() = form;
    QMdiSubWindow* sub = main->mdiArea().addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(form->windowTitle());
    Depr::ItializeAssetForm(*form);
    sub->show();
    keepInView(*sub);
    form->txtDescription->setFocus();
}

bool closeAssetWindow() {
    frmAsset* open = openWindow();
    if (!open) return true;
    QWidget* outer = assetSubWindow(*open);
    return outer ? outer->close() : open->close();
}

}  // namespace

frmAsset* assetWindow() { return openWindow(); }

void installAssetsPart(DeskCommands& commands) {
    commands.showAssetWindow = showAssetWindow;
    commands.closeAssetWindow = closeAssetWindow;
    partServices().misc4562Ok = [](std::int16_t year, std::int32_t companyId) {
        return Depr::Misc4562OK(year, companyId);
    };
}

}  // namespace tally::desk
