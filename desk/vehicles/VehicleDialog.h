#pragma once
// How both vehicle windows close: the close box closes at once without asking (unsaved entries are dropped and
// the page does not count as cancelled), Escape works as the Cancel button, and closing clears the status line.

#include <QDialog>

class QCloseEvent;

namespace tally::desk {

class VehicleDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    virtual void cmdCancel_Click() = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void unload();
};

}  // namespace tally::desk
