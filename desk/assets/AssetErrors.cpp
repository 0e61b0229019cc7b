#include "AssetErrors.h"

#include "ComError.h"
#include "Prompts.h"

namespace tally::desk::assets {

namespace {

QString currentSource() {
    try {
        throw;
    } catch (const ComError& e) {
        return QString::fromStdString(e.source());
    } catch (...) {
        return QStringLiteral("Tallyvane");
    }
}

}  // namespace

QString errorBoxText(const QString& prefix, Layout layout) {
    const ErrorInfo error = currentError();
    switch (layout) {
        case Layout::WithSource:
            return prefix + error.description + QStringLiteral("  ") + QString::number(error.number) +
                   QStringLiteral("  ") + currentSource();
        case Layout::Blank: return errorText(prefix, error, ErrorLayout::Blank);
        case Layout::ErrorNumber: return errorText(prefix, error, ErrorLayout::ErrorNumber);
    }
    return {};
}

void showErrorBox(const QString& prefix, Layout layout) { ui::prompts().msgBox(errorBoxText(prefix, layout)); }

}  // namespace tally::desk::assets
