#pragma once
// How both vehicle windows close: the close box closes at once without asking (unsaved entries are dropped and
// the page does not count as cancelled), Escape works as the Cancel button, and closing clears the status line.

#include <QDialog>
#include <QString>

class QCloseEvent;

namespace tally::desk {

class VehicleDialog : public QDialog {
    Q_OBJECT
public:
    // A fixed-size window of the given twips in the windows' own face, with a close box only.
    VehicleDialog(QWidget* parent, const QString& name, const QString& title, double widthTwips, double heightTwips);

    virtual void cmdCancel_Click() = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void unload();
};

}  // namespace tally::desk
