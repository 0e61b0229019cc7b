#pragma once
// The main window: the parent of every child window, its menus and the status line. Closing it ends the
// program: child windows first (each may ask to save, and may refuse), then help, the window's place, the last
// company, and the engine's database connection.

#include <QMainWindow>

#include "Twips.h"

class QLabel;
class QMdiArea;
class QMenu;

namespace tally::desk {

class mdiMain : public QMainWindow {
    Q_OBJECT
public:
    mdiMain();
    ~mdiMain() override;

    QMdiArea& mdiArea() { return *mdiArea_; }
    QLabel& lblStatusBar() { return *lblStatusBar_; }
    // Left, Top, Width, Height in twips, as the other windows place themselves by it.
    ui::TwipsRect mainGeometryTwips() const { return ui::windowTwips(*this); }

    // Closes the child windows in the order they were opened; false when one of them stays open.
    bool closeChildWindows();
    // Ends the program even when a child window keeps itself open (an error the program cannot go on from):
    // the children are asked first, so they may save; then the normal shut-down runs.
    void closeAnyway();
    bool isShutDown() const { return shutDown_; }
    // F1 in `window` (a modal one, which keeps the main window's own F1 from it) opens help as F1 elsewhere does.
    void addHelpKey(QWidget& window);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QMenu* addMenu(const char* name, const QString& caption);
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, std::function<void()> handler,
                     bool available = true);
    void rebuildWindowList(QMenu* menu);
    // F1: the help topic of the window at hand, or the contents.
    void showHelp();
    void shutDown();

    QMdiArea* mdiArea_ = nullptr;
    QLabel* lblStatusBar_ = nullptr;
    QList<QAction*> windowListActions_;
    bool shutDown_ = false;
};

// The main window until it has shut down.
mdiMain* mainWindow();

// Ends the program through the normal shut-down (an error the program cannot go on from).
void endProgram();

// The exit status main() returns once the event loop has ended: 1 when an error the program cannot go on from
// ended it, as when it cannot start at all; else 0. Each new main window starts at 0.
int programExitStatus();

}  // namespace tally::desk
