#pragma once
// The number of the ComError an action raises, 0 when it raises none; optionally its description too.

#include <functional>
#include <string>

#include "ComError.h"

namespace tally::testing {

inline long errorNumberOf(const std::function<void()>& action, std::string* description = nullptr) {
    try {
        action();
    } catch (const tally::ComError& e) {
        if (description) *description = e.description();
        return e.number();
    }
    return 0;
}

}  // namespace tally::testing
