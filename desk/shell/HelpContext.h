#pragma once
// Help topics of windows. A window, or a control in it, may carry the context id of its help topic (the help
// file maps each id to a page); F1 opens the topic of the control with the cursor or of the nearest window around
// it that carries an id, and the help contents where none does.

#include <cstdint>
#include <optional>

class QWidget;

namespace tally::desk {

void setHelpContextId(QWidget& widget, std::int32_t id);
// The id `widget` carries, else the one of the nearest window around it; none for no widget.
std::optional<std::int32_t> helpContextOf(const QWidget* widget);

// F1 seen from `subject`: its topic, or the contents, in the program's help window, placed by `owner`.
void showHelpFor(const QWidget* subject, QWidget* owner);

}  // namespace tally::desk
