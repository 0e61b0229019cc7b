#include "WebAccess.h"

#include "ErrorReport.h"
#include "Prompts.h"

namespace tally::desk {

namespace {
// These two put the error number first.
void openTarget(const QString& target, const char* routine) {
    try {
        ui::prompts().openLink(target);
    } catch (...) {
        const ErrorInfo error = currentError();
        ui::prompts().msgBox(QString::number(error.number) + QStringLiteral(" Error in %1 ").arg(routine) +
                             error.description);
    }
}
}  // namespace

void WebLink(QWidget*, const QString& address) { openTarget(address, "WebLink"); }
void EmailMe(QWidget*, const QString& address) { openTarget(QStringLiteral("mailto:") + address, "EmailMe"); }

}  // namespace tally::desk
