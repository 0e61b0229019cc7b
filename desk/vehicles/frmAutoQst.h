#pragma once
// The employer questionnaire: five Yes/No questions an employer answers about the vehicles it provides to its
// employees, one row per company and tax year. Shown modal through modAutoUse::DoAutoQstForm, which also loads
// it; the routines behind its buttons are in modAutoUse.

#include <array>

#include "AutoUseText.h"
#include "VehicleDialog.h"

class QLabel;

namespace tally::desk {

class YesNoPair;

class frmAutoQst : public VehicleDialog {
    Q_OBJECT
public:
    explicit frmAutoQst(QWidget* parent);

    QLabel& lblTitle() { return *lblTitle_; }
    // Question 0 to 4 in the table's column order: its label and its answer.
    QLabel& question(int index) { return *questions_.at(static_cast<std::size_t>(index)); }
    YesNoPair& answer(int index) { return *answers_.at(static_cast<std::size_t>(index)); }
    // The Yes buttons of the five answers.
    AutoQstAnswers yesAnswers() const;

    // Places the window by the main window, loads the stored answers and leaves the window unchanged.
    void Form_Load();

    bool changed() const { return changed_; }

    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdCancel_Click() override;

private:
    QLabel* lblTitle_ = nullptr;
    std::array<QLabel*, 5> questions_{};
    std::array<YesNoPair*, 5> answers_{};
    bool changed_ = false;
};

}  // namespace tally::desk
