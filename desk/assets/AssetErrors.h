#pragma once
// The error boxes of the asset window's routines. Besides the two shell layouts, most asset routines show
// "Error in X. " description, two blanks, number, two blanks, source. `trap` runs one step and reports its
// failure; the caller decides whether to go on or leave.

#include <QString>

#include "ErrorReport.h"

namespace tally::desk::assets {

enum class Layout {
    WithSource,   // description + "  " + number + "  " + source
    Blank,        // description + " " + number
    ErrorNumber,  // description + " Error Number: " + number
};

// The text of the error being handled.
QString errorBoxText(const QString& prefix, Layout layout);
// Shows it (OK only, application title).
void showErrorBox(const QString& prefix, Layout layout);

template <typename Step>
bool trap(const QString& prefix, Layout layout, Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        showErrorBox(prefix, layout);
        return false;
    }
}

}  // namespace tally::desk::assets
