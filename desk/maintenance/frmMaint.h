#pragma once
// The one table-maintenance window, an MDI child of the main window: the rows of one reference table in a list
// above an edit area of one label and one edit field per column (a drop-down list over the fields that take
// fixed values), four buttons and a status line of its own. It lists, adds, updates and deletes rows, checking
// each record before it is written; closing it with unsaved edits asks "Save Changes?".

#include <map>
#include <optional>
#include <vector>

#include <QMdiSubWindow>

#include "HelpContext.h"
#include "MaintDatabase.h"
#include "MaintHooks.h"
#include "MaintLayout.h"
#include "MaintState.h"
#include "MaintTables.h"
#include "RecordSql.h"

class QFrame;
class QLabel;
class QPushButton;
class QTreeWidgetItem;

namespace tally::desk {

class frmMaint : public QMdiSubWindow, public MaintWindowHooks {
    Q_OBJECT
public:
    explicit frmMaint(QWidget* parent = nullptr);
    ~frmMaint() override;

    // Prepares the window for the table of `key`. False when the user kept unsaved edits of the table shown
    // (Cancel in "Save Changes?"): the window then stays as it was.
    bool DisplayInterface(const QString& key);

    // The shared combo and list routines' view of the window.
    ui::MaskedEdit* mskEdit(int index) override;
    QComboBox* cboEdit(int index) override;
    QComboBox* loadCboEdit(int index) override;
    std::int16_t fieldCount() const override { return state_.gintMaintFieldCount; }
    ui::ListView& lvMain() override { return *lvMain_; }
    void ResetEditMode() override { state_.gblnMaintEditing = false; }
    void NewRecord() override;
    void ItializeDataField() override;
    void UpdateMaintStatusBar(const QString& message, const QString& number = {}) override;

    // Commands (the buttons run these).
    bool AddSaveRecord();
    void CancelCmd();
    void DeleteRecord();
    bool SaveChangesPrompt();
    void DisableEditFields();

    // The open company changed: a list of one company's rows is filled again for the new company (unless the
    // user keeps unsaved edits, which then still go to the company listed).
    void companyChanged();

    // Grows the window to hold the edit area of the table shown.
    void fitBody();

    const MaintState& state() const { return state_; }
    int helpContextId() const { return helpContextOf(this).value_or(0); }
    QLabel* lblEdit(int index) const;
    QLabel& lblStatusBar() const { return *lblStatusBar_; }
    QPushButton& cmdNew() const { return *cmdNew_; }
    QPushButton& cmdDelete() const { return *cmdDelete_; }
    QPushButton& cmdCancel() const { return *cmdCancel_; }
    QPushButton& cmdSave() const { return *cmdSave_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // List and edit fields.
    bool FillListView(const ado::RecordsetPtr& rs);
    void PopulateListView(const ado::Recordset& rs);
    void CreateEditFields(int index, int width, const QString& name, int size, ColumnKind kind);
    void placeEditFields(int lastIndex);
    void ResetEditFields();
    void Form_Resize();
    void mskEdit_Change(int index);
    void SaveTableIndexOfRecord();
    void ListviewUpdateRow();
    void ListViewAddRow();
    void ResetLabelColors();
    void SetDataChanged() { state_.gblnMaintChanged = true; }
    void fieldEdited();
    void fillRowCells(QTreeWidgetItem* row);
    void restoreLoadedSelection();
    void clearForNewRecord();
    void showFirstEntry(int index);
    void addFixedLists(const MaintTable& table);
    void wireEditField(ui::MaskedEdit& edit);
    QComboBox* makeCombo(int index);
    void columnClicked(int column);
    void selectionChanged();
    void rowClicked(QTreeWidgetItem* row);

    // Records.
    bool bValid();
    RecordSqlInput recordInput();
    bool SaveRecord();
    bool AddRecord();
    std::int32_t RetrieveKey();
    bool CheckForClassID(std::int32_t id);
    bool companyMayNotGo();
    void ReleaseMaintRecordset() { state_.grsMaint.reset(); }
    void appendRedStatus(const QString& message);
    QString fieldText(int index) const;

    MaintState state_;
    MaintDatabase database_;
    // The open company when the table was loaded: the Form 4562 data listed are its rows, and rows added go to it.
    std::int32_t listedCompanyId_ = 0;
    QString tableKey_;
    std::vector<ColumnKind> columnKinds_;
    std::vector<int> editWidths_;  // each field's list column width, which sets the field's width
    EditColumns editColumns_ = editColumns(0);
    // While the window itself moves the list's selection, the selection handler stays out.
    bool movingSelection_ = false;
    bool fitting_ = false;

    QWidget* body_ = nullptr;
    ui::ListView* lvMain_ = nullptr;
    QFrame* fraEdit_ = nullptr;
    QFrame* fraCmds_ = nullptr;
    QLabel* lblStatusBar_ = nullptr;
    QPushButton* cmdNew_ = nullptr;
    QPushButton* cmdDelete_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    std::vector<QLabel*> lblEdit_;
    std::vector<ui::MaskedEdit*> mskEdit_;
    std::map<int, QComboBox*> cboEdit_;
};

// Opens the maintenance window for a table key (creating it when it is not open) and shows it.
void showMaintenanceWindow(const QString& key);
// The maintenance window, when one is open.
frmMaint* openMaintenanceWindow();

}  // namespace tally::desk
