#pragma once
// The ComError an action raises (number 0 when it raises none), or just its number and description.

#include <functional>
#include <string>

#include "ComError.h"

namespace tally::testing {

inline tally::ComError errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const tally::ComError& e) {
        return e;
    }
    return tally::ComError(0, "", "no error");
}

inline long errorNumberOf(const std::function<void()>& action, std::string* description = nullptr) {
    const tally::ComError e = errorOf(action);
    if (description && e.number() != 0) *description = e.description();
    return e.number();
}

}  // namespace tally::testing
