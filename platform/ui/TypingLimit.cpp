#include "TypingLimit.h"

#include <algorithm>

#include <QLineEdit>

namespace ui {

TypingLimit::TypingLimit(QLineEdit& edit, int limit)
    : QObject(&edit), edit_(edit), limit_(limit), before_(edit.text()) {
    // textEdited comes before textChanged, so before_ still holds the text the user's change started from.
    connect(&edit, &QLineEdit::textEdited, this, &TypingLimit::cutExcess);
    // The box's text as it stands, not the signal's: a cut made while the change was reported has replaced it.
    connect(&edit, &QLineEdit::textChanged, this, [this] { before_ = edit_.text(); });
}

TypingLimit* TypingLimit::find(const QLineEdit& edit) {
    return edit.findChild<TypingLimit*>(QString(), Qt::FindDirectChildrenOnly);
}

void TypingLimit::set(QLineEdit& edit, int limit) {
    if (TypingLimit* existing = find(edit))
        existing->limit_ = limit;
    else
        new TypingLimit(edit, limit);
}

int TypingLimit::of(const QLineEdit& edit) {
    const TypingLimit* limit = find(edit);
    return limit && limit->limit_ > 0 ? limit->limit_ : 0;
}

bool TypingLimit::refuses(const QLineEdit& edit, int added) {
    const int limit = of(edit);
    if (limit <= 0 || !edit.inputMask().isEmpty()) return false;
    return edit.text().size() - edit.selectedText().size() + added > limit;
}

void TypingLimit::cutExcess() {
    if (limit_ <= 0 || !edit_.inputMask().isEmpty()) return;
    const qsizetype length = edit_.text().size();
    // A text already longer than the limit may keep its length but not grow.
    const qsizetype allowed = std::max<qsizetype>(limit_, before_.size());
    if (length <= allowed) return;
    // The cursor stands at the end of what was inserted; the excess is no longer than the insertion.
    const int end = edit_.cursorPosition();
    const int excess = static_cast<int>(length - allowed);
    const int start = std::max(0, end - excess);
    edit_.setSelection(start, end - start);
    edit_.del();
}

}  // namespace ui
