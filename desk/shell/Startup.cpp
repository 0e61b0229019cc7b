#include "Startup.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>

#include "AppIdentity.h"
#include "DesktopState.h"
#include "HTMLHelp.h"
#include "ProgramIcon.h"
#include "frmCompany.h"
#include "frmGettingStarted.h"
#include "mdiMain.h"

namespace tally::desk {

bool Main() {
    // Every window, dialog and the window manager's list of windows carry the program's icon.
    QApplication::setWindowIcon(programIcon());
    const QString helpFile = QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(kHelpFileName));
    gobjHTMLHelp = std::make_unique<HTMLHelp>();
    gobjHTMLHelp->setCHMFile(helpFile);

    auto* main = new mdiMain;
    main->show();
    RetrieveDbDefaultYear();
    GetLastCompany(*main);
    if (CheckForStartUpHelp()) frmGettingStarted::showShared(main);
    if (CheckForShowCompany()) {
        ShowCompanyPicker();
        // The closing picker hands the activation to a window of the window manager's choosing, often the main
        // window, which would cover Getting Started: it comes back to the front, as it was before the picker opened.
        // Not when the picker opened a window in the main window (New opens Companies/Clients): the window the user
        // asked for is in front, and Getting Started stays open behind it.
        const frmGettingStarted* help = frmGettingStarted::shared();
        if (help && help->isVisible() && mainWindow()) {
            if (main->mdiArea().subWindowList().isEmpty()) {
                frmGettingStarted::showShared(main);
            } else {
                main->raise();
                main->activateWindow();
            }
        }
    }
    return mainWindow() != nullptr;
}

}  // namespace tally::desk
