#pragma once
// The program's own icon: the About window shows it, and start-up gives it to the application, so every window's
// title bar and the window manager's list of windows carry it.

#include <QIcon>

namespace tally::desk {

// A ledger's blue page with three gold bars falling from left to right, a value written down year by year; drawn
// for each usual icon size, so it stays sharp from a title bar's 16 pixels up. Needs the application.
QIcon programIcon();

}  // namespace tally::desk
