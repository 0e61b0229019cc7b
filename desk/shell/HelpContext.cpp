#include "HelpContext.h"

#include <QVariant>
#include <QWidget>

#include "DesktopState.h"

namespace tally::desk {

namespace {

constexpr char kHelpContextProperty[] = "HelpContextID";

}  // namespace

void setHelpContextId(QWidget& widget, std::int32_t id) { widget.setProperty(kHelpContextProperty, id); }

std::optional<std::int32_t> helpContextOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant id = widget->property(kHelpContextProperty);
        if (id.isValid()) return id.toInt();
    }
    return std::nullopt;
}

void showHelpFor(const QWidget* subject, QWidget* owner) {
    if (!gobjHTMLHelp) return;
    if (const std::optional<std::int32_t> id = helpContextOf(subject)) {
        gobjHTMLHelp->setHHTopicID(*id);
        gobjHTMLHelp->HHDisplayTopicID(owner);
    } else {
        gobjHTMLHelp->HHDisplayContents(owner);
    }
}

}  // namespace tally::desk
