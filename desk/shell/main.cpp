#include <QApplication>

#include "AppIdentity.h"
#include "DeskParts.h"
#include "ErrorReport.h"
#include "Prompts.h"
#include "Startup.h"
#include "mdiMain.h"

namespace {

// Every handler traps its own errors; this is the net for one that does not, so that an error shows as a box
// and the program goes on instead of an exception leaving Qt's event loop.
class DeskApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            const QString where = receiver->objectName().isEmpty()
                                      ? QString::fromLatin1(receiver->metaObject()->className())
                                      : receiver->objectName();
            tally::desk::showError(QStringLiteral("Error in %1 ").arg(where), tally::desk::currentError(),
                                   tally::desk::ErrorLayout::ErrorNumber);
            return false;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    DeskApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Tallyvane"));
    ui::prompts().setDefaultTitle(QString::fromLatin1(tally::desk::kAppTitle));
    tally::desk::installDeskParts(tally::desk::deskCommands());
    if (!tally::desk::Main()) return 1;
    const int status = app.exec();
    return status != 0 ? status : tally::desk::programExitStatus();
}
