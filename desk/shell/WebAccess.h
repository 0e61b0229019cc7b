#pragma once
// Hands a web address or an e-mail address to the desktop, which opens the browser or the mail program. Whether
// that worked is not looked at.

#include <QString>

class QWidget;

namespace tally::desk {

void WebLink(QWidget* owner, const QString& address);
void EmailMe(QWidget* owner, const QString& address);

}  // namespace tally::desk
