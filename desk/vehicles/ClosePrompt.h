#pragma once
// The question a changed vehicle window asks before it closes through its Cancel button.

#include <functional>

namespace tally::desk {

// Unchanged: may close. Otherwise "Save Changes?" (Yes, No, Cancel): Yes saves and may close only when the
// save succeeded, No drops the changes, Cancel stays. `changed` is cleared whenever the window may close.
bool allowClose(bool& changed, const std::function<bool()>& save);

}  // namespace tally::desk
