#include "ErrorReport.h"

#include "AppIdentity.h"
#include "ComError.h"
#include "Prompts.h"

namespace tally::desk {

ErrorInfo currentError() {
    try {
        throw;
    } catch (const ComError& e) {
        return {e.number(), QString::fromStdString(e.description()), QString::fromStdString(e.source())};
    } catch (const std::exception& e) {
        return {kUnexpectedFailure, QString::fromLocal8Bit(e.what()), QString::fromLatin1(kErrorSource)};
    } catch (...) {
        return {kUnexpectedFailure, QStringLiteral("Unexpected error"), QString::fromLatin1(kErrorSource)};
    }
}

QString errorText(const QString& prefix, const ErrorInfo& error, ErrorLayout layout) {
    const QString number = QString::number(error.number);
    switch (layout) {
    case ErrorLayout::Blank: return prefix + error.description + QStringLiteral(" ") + number;
    case ErrorLayout::ErrorNumber: return prefix + error.description + QStringLiteral(" Error Number: ") + number;
    case ErrorLayout::Source:
        return prefix + error.description + QStringLiteral("  ") + number + QStringLiteral("  ") + error.source;
    }
    return prefix + error.description;
}

void showError(const QString& prefix, const ErrorInfo& error, ErrorLayout layout) {
    ui::prompts().msgBox(errorText(prefix, error, layout));
}

std::function<void()> guarded(const QString& where, std::function<void()> handler) {
    return [prefix = QStringLiteral("Error in %1 ").arg(where), handler = std::move(handler)] {
        trapStep(prefix, ErrorLayout::ErrorNumber, handler);
    };
}

bool RepeatErrorGuard::report() {
    const ErrorInfo error = currentError();
    if (error.number == lastNumber_) {
        ui::prompts().msgBox(QStringLiteral("Can not complete operation. Exiting operation."));
        return true;
    }
    lastNumber_ = error.number;
    showError(prefix_, error, ErrorLayout::ErrorNumber);
    return false;
}

}  // namespace tally::desk
