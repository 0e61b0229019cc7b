#pragma once
// The desktop's error boxes: every handler catches what its steps raise and shows "Error in <where>" with the
// error's description and number in one of two layouts, then goes on with its next step or leaves, as the
// routine has it. No exception may leave a handler into Qt's event loop.

#include <exception>
#include <functional>
#include <utility>

#include <QString>

namespace tally::desk {

struct ErrorInfo {
    long number = 0;
    QString description;
    QString source;  // what raised it: the engine's or database's name, else the program's own
};

// Number, description and source of the exception being handled (ComError keeps its own; others get E_FAIL).
ErrorInfo currentError();

enum class ErrorLayout {
    Blank,        // prefix + description + " " + number
    ErrorNumber,  // prefix + description + " Error Number: " + number
    Source,       // prefix + description + "  " + number + "  " + source
};

QString errorText(const QString& prefix, const ErrorInfo& error, ErrorLayout layout);
// Shows the error box (OK only, application title).
void showError(const QString& prefix, const ErrorInfo& error, ErrorLayout layout);

// Runs one step; an exception shows the error box and the step counts as failed.
template <typename Step>
bool trapStep(const QString& prefix, ErrorLayout layout, Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        showError(prefix, currentError(), layout);
        return false;
    }
}

// A handler for a Qt signal (menu item, button): its errors show as "Error in <where> " and go no further, since
// no exception may leave a handler into the event loop.
std::function<void()> guarded(const QString& where, std::function<void()> handler);

// Runs one step whose errors are ignored.
template <typename Step>
bool ignoreErrors(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        return false;
    }
}

// The rule of the combo routines: a new error number is reported and the routine goes on; the same number a
// second time within one call shows "Can not complete operation. Exiting operation." and the routine leaves.
class RepeatErrorGuard {
public:
    explicit RepeatErrorGuard(QString prefix) : prefix_(std::move(prefix)) {}
    // Call from a catch block. Returns true when the routine must leave.
    bool report();

private:
    QString prefix_;
    long lastNumber_ = 0;
};

}  // namespace tally::desk
