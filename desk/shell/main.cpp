#include <QApplication>

#include "AltKeys.h"
#include "AppIdentity.h"
#include "DeskParts.h"
#include "ErrorReport.h"
#include "Prompts.h"
#include "Startup.h"
#include "mdiMain.h"

namespace {

// The last resort, which should never fire: every handler traps its own errors. An exception that came up through
// Qt's frames may have left Qt's own state unsound, so this only keeps it out of the event loop and shows it; the
// program goes on if it can. Nothing, not even a failure to show the box, may leave notify.
class DeskApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            tally::desk::ignoreErrors([&] {
                const QString where = receiver->objectName().isEmpty()
                                          ? QString::fromLatin1(receiver->metaObject()->className())
                                          : receiver->objectName();
                tally::desk::showError(QStringLiteral("Error in %1 ").arg(where), tally::desk::currentError(),
                                       tally::desk::ErrorLayout::ErrorNumber);
            });
            return false;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    DeskApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::refuseAltTyping(app);
    QApplication::setApplicationName(QStringLiteral("Tallyvane"));
    ui::prompts().setDefaultTitle(QString::fromLatin1(tally::desk::kAppTitle));
    tally::desk::installDeskParts(tally::desk::deskCommands());
    if (!tally::desk::Main()) return 1;
    const int status = app.exec();
    return status != 0 ? status : tally::desk::programExitStatus();
}
