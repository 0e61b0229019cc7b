#pragma once
// The About window: title, version, the web and support links, the copying notice and the system-information
// button. Shown modal from Help > About.

#include <functional>

#include <QDialog>

class QFrame;
class QLabel;

namespace tally::desk {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* mainWindow);

    // Finds a system-information program on this machine and starts it; tells the user when there is none.
    // `findProgram` looks a program name up on the PATH.
    static void StartSysInfo(const std::function<QString(const QString&)>& findProgram = {});

    static QString versionText();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void centreFrame();
    QFrame* fraAbout_ = nullptr;
};

}  // namespace tally::desk
