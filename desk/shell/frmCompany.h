#pragma once
// The company/client picker: lists every company from the engine, finds one by its first letters and makes it
// the current company. Modal; each opening loads a fresh list.

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tally::desk {

class frmCompany : public QDialog {
    Q_OBJECT
public:
    explicit frmCompany(QWidget* mainWindow);
    ~frmCompany() override;

    // False when the company list could not be read; the program is then ending.
    bool loaded() const { return loaded_; }

    QLineEdit& txtClientList() { return *txtClientList_; }
    QListWidget& lstPickClient() { return *lstPickClient_; }
    QCheckBox& chkShowOnStart() { return *chkShowOnStart_; }
    QPushButton& cmdOK() { return *cmdOK_; }
    QPushButton& cmdCancel() { return *cmdCancel_; }
    QPushButton& cmdNew() { return *cmdNew_; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool GetListData();
    void searchChanged(const QString& text);
    void chooseSelected();
    void addNewCompany();
    void unload();

    QLineEdit* txtClientList_ = nullptr;
    QListWidget* lstPickClient_ = nullptr;
    QCheckBox* chkShowOnStart_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdNew_ = nullptr;
    QStringList ids_;
    bool showOnStartChanged_ = false;
    bool loaded_ = false;
    bool unloaded_ = false;
};

// Opens the picker modal over the main window and waits for it. The maintenance window calls it (deferred, not
// from inside its own close handling) when it was opened from the picker's New button.
void ShowCompanyPicker();

}  // namespace tally::desk
