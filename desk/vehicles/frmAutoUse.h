#pragma once
// The vehicle-use page: up to six vehicles side by side, each with its business, commuting and other personal
// miles of the year, their total and three Yes/No questions; a box and button to delete one column's stored
// use; Save and Cancel. The page shows itself modal through modAutoUse::DoAutoUseForm, which also loads it;
// the routines behind its buttons are in modAutoUse.

#include <array>

#include "VehicleDialog.h"
#include "VehicleUseState.h"

class QLabel;

namespace tally::desk {

class MileageBox;
class YesNoPair;

class frmAutoUse : public VehicleDialog {
    Q_OBJECT
public:
    struct VehicleColumn {
        QLabel* lblVehicle = nullptr;
        MileageBox* txtBusiness = nullptr;
        MileageBox* txtCommuting = nullptr;
        MileageBox* txtPersonal = nullptr;
        QLabel* lblTotal = nullptr;
        YesNoPair* OptOffDuty = nullptr;
        YesNoPair* Opt5Owner = nullptr;
        YesNoPair* optAnother = nullptr;
    };

    explicit frmAutoUse(QWidget* parent);

    // Column 1 to 6.
    VehicleColumn& column(int n) { return columns_.at(static_cast<std::size_t>(n)); }
    QLabel& lblTitle() { return *lblTitle_; }
    QLabel& lblAutoDesc() { return *lblAutoDesc_; }
    QLabel& lblDescription() { return *lblDescription_; }
    QLabel& lblRemove() { return *lblRemove_; }
    MileageBox& txtAutoNum() { return *txtAutoNum_; }
    // The row captions in the order validation turns them black: lblBusiness1 to 3, lblCommute, lblPersonal,
    // lblOffDuty, lbl5Owner, lblAnother.
    enum class Row { Business1, Business2, Business3, Commute, Personal, OffDuty, FiveOwner, Another, Count };
    QLabel& rowLabel(Row row) { return *rowLabels_.at(static_cast<std::size_t>(row)); }

    // Places the window by the main window, clears the cancelled flag and every column's changed flag, loads
    // the stored use and leaves the page unchanged.
    void Form_Load();
    // Puts every control back as a freshly built page has it (all columns enabled and empty), for a reload.
    void resetControls();

    bool changed() const { return changed_; }

    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdCancel_Click() override;
    // "Save Changes?" for a changed page; true when the page may close.
    bool closePrompt();

private:
    void buildColumn(int n, QWidget* grid);
    void markChanged(int n);

    std::array<VehicleColumn, kVehicleColumns + 1> columns_{};
    std::array<QLabel*, static_cast<std::size_t>(Row::Count)> rowLabels_{};
    QLabel* lblTitle_ = nullptr;
    QLabel* lblAutoDesc_ = nullptr;
    QLabel* lblDescription_ = nullptr;
    QLabel* lblRemove_ = nullptr;
    MileageBox* txtAutoNum_ = nullptr;
    bool changed_ = false;
};

}  // namespace tally::desk
