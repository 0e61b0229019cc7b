#pragma once
// The Getting Started window: the first steps, and whether it opens at every start. One modeless window,
// shared by start-up and the Help menu.

#include <QWidget>

class QCheckBox;

namespace tally::desk {

class frmGettingStarted : public QWidget {
    Q_OBJECT
public:
    // Shows the one window (made on first use, over `mainWindow`), or brings it to the front.
    static frmGettingStarted* showShared(QWidget* mainWindow);
    static frmGettingStarted* shared();

    QCheckBox& chkShow() { return *chkShow_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    explicit frmGettingStarted(QWidget* mainWindow);

    QCheckBox* chkShow_ = nullptr;
    bool changed_ = false;
};

}  // namespace tally::desk
