#include "ErrorReport.h"

#include "ComError.h"
#include "Prompts.h"

namespace tally::desk {

ErrorInfo currentError() {
    try {
        throw;
    } catch (const ComError& e) {
        return {e.number(), QString::fromStdString(e.description())};
    } catch (const std::exception& e) {
        return {kUnexpectedFailure, QString::fromLocal8Bit(e.what())};
    } catch (...) {
        return {kUnexpectedFailure, QStringLiteral("Unexpected error")};
    }
}

QString errorText(const QString& prefix, const ErrorInfo& error, ErrorLayout layout) {
    const QString separator = layout == ErrorLayout::Blank ? QStringLiteral(" ") : QStringLiteral(" Error Number: ");
    return prefix + error.description + separator + QString::number(error.number);
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
