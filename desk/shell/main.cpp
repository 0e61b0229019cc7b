#include <QApplication>

#include "AppIdentity.h"
#include "DeskParts.h"
#include "Prompts.h"
#include "Startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Tallyvane"));
    ui::prompts().setDefaultTitle(QString::fromLatin1(tally::desk::kAppTitle));
    tally::desk::installDeskParts(tally::desk::deskCommands());
    if (!tally::desk::Main()) return 1;
    return app.exec();
}
