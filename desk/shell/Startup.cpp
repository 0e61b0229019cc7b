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
    if (CheckForShowCompany()) ShowCompanyPicker();
    return mainWindow() != nullptr;
}

}  // namespace tally::desk
