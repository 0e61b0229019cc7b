#include "ClosePrompt.h"

#include "Prompts.h"

namespace tally::desk {

bool allowClose(bool& changed, const std::function<bool()>& save) {
    if (!changed) return true;
    switch (ui::prompts().msgBox(QStringLiteral("Save Changes?"), ui::mb::YesNoCancel)) {
    case ui::mb::Yes:
        if (!save()) return false;
        changed = false;
        return true;
    case ui::mb::No:
        changed = false;
        return true;
    default:
        return false;
    }
}

}  // namespace tally::desk
