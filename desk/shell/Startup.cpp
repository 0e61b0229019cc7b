#include "Startup.h"

#include <QCoreApplication>
#include <QDir>

#include "AppIdentity.h"
#include "DesktopState.h"
#include "HTMLHelp.h"
#include "frmCompany.h"
#include "frmGettingStarted.h"
#include "mdiMain.h"

namespace tally::desk {

bool Main() {
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
        // The closing picker hands the activation to the main window, which would cover Getting Started: it comes
        // back to the front, as it was before the picker opened.
        const frmGettingStarted* help = frmGettingStarted::shared();
        if (help && help->isVisible() && mainWindow()) frmGettingStarted::showShared(main);
    }
    return mainWindow() != nullptr;
}

}  // namespace tally::desk
