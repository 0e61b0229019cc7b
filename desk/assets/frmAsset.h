#pragma once
// The asset window "Asset Maintenance": finds, edits, saves, deletes and reschedules the current company's assets,
// with the section 179 panel at its foot. The window lays out and owns its controls (each named as the program
// names it) and dispatches the user's actions; the asset procedures live in Depr.h.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "ChildArrangement.h"
#include "MaskedEdit.h"
#include "VbControls.h"

class QMdiSubWindow;

namespace tally::desk {

// What the asset procedures share beyond the controls (one per window).
struct AssetFormState {
    bool gblnAssetInvalid = false;  // the last validation failed or the user stopped it
    bool gblnAssetLoaded = false;   // the loaded asset is sold
    std::int32_t glngLoadedCost = 0;
    std::int32_t glngLoaded179 = 0;
    // What the stored section 179 totals hold of the loaded asset: its share-weighted cost, in its year, only
    // when it was stored as a 179 asset.
    bool loadedType179 = false;
    double loadedBusinessFraction = 1;
    std::int16_t loadedYear = 0;
    // What the last completed save showed ("Asset Added", "Asset Updated").
    QString saveOutcome;
};

class frmAsset : public QWidget, public ArrangedContent {
    Q_OBJECT
public:
    static constexpr double kWidthTwips = 8145;
    static constexpr double kCollapsedTwips = 5055;
    static constexpr double kOpenTwips = 6525;
    // A window taller than this shows the section 179 panel.
    static constexpr double kPanelOpensAboveTwips = 6000;

    explicit frmAsset(QWidget* parent = nullptr);
    ~frmAsset() override;

    // Form height in twips (the MDI frame's outer height when the window sits in the main window).
    double heightTwips() const;
    void setHeightTwips(double twips);

    // An arrangement keeps the window's width and its section 179 panel as it is: it never makes the window
    // taller, nor lower than its collapsed height (6525 twips while the panel is open).
    QSize leastArrangedSize() const override;
    QSize mostArrangedSize() const override;

    // The save prompt; true when the caller may go on. `saved` tells whether it saved the asset.
    bool SaveChanges(bool* saved = nullptr);
    // Field changed: Apply enabled, the window marked changed.
    void fieldChanged();
    // lblAssetId with its change rule (Print and Depr Schedule follow it).
    void setAssetId(const QString& caption);
    // Depr Schedule and Print need a shown asset and the reporting part behind them.
    void enableDeprSchedule(bool on);
    // Sets focus from code without running the leaving field's rule.
    void focusQuietly(QWidget* target);
    void noteDescriptionTyped() { mblnRefreshList = true; }
    // The three special-allowance boxes (30 %, 50 %, 100 %).
    std::array<QCheckBox*, 3> rateBoxes() const { return {chkBonus, chk50Bonus, chk100Bonus}; }

    AssetFormState state;
    bool mblnDirty = false;
    bool mblnShow179 = false;
    bool mblnRefreshList = false;

    // Search.
    QGroupBox* fraSearch;
    QLineEdit* txtYear;
    assets::VbCombo* cboAssets;
    QLineEdit* txtAssetID;
    QPushButton* cmdSearch;
    // Asset.
    QGroupBox* pnl3dDepr;
    QLabel* lblAssetId;
    QLabel* lblDescription;
    QLineEdit* txtDescription;
    QLabel* lblMethod;
    assets::VbCombo* cboMethod;
    QLabel* lblLife;
    assets::VbCombo* cboLife;
    QLabel* lblClass;
    assets::VbCombo* cboClass;
    QLabel* lblInService;
    ui::MaskedEdit* txtInService;
    QLabel* lblCost;
    QLineEdit* txtCost;
    QLabel* lblAutoBusiness;
    QLineEdit* txtBusinessPercent;
    QCheckBox* chk179;
    QLineEdit* txt179Amt;
    QCheckBox* chkBonus;
    QCheckBox* chk50Bonus;
    QCheckBox* chk100Bonus;
    QLabel* lbl30Allowance;
    QLineEdit* txtOtherDeductions;
    QLabel* lblCostBasis;
    QGroupBox* fraConvention;
    std::array<QRadioButton*, 3> optConvention;
    QLabel* lblShowMethod;
    QLabel* lblAmortize;
    QLineEdit* txtAmorizeCode;
    QLabel* lblVehicleNum;
    QLabel* lblAutoNum;
    QLineEdit* txtNotes;
    // Disposition.
    QGroupBox* Frame3;
    QLabel* lblSoldDate;
    ui::MaskedEdit* mskSold;
    QLabel* lblDispositionAmt;
    QLineEdit* txtDispositionAmt;
    QLabel* lblGainLoss;
    // Buttons.
    QGroupBox* Frame2;
    QPushButton* cmdDeprSchedule;
    QPushButton* cmdPrint;
    QPushButton* cmd179;
    QPushButton* cmdMidConvention;
    QPushButton* cmdDelete;
    QPushButton* cmdNew;
    QPushButton* cmdCancel;
    QPushButton* cmdSave;
    // Section 179 panel.
    QGroupBox* fra179;
    assets::FigureLabel* lbl179Limit;
    assets::FigureLabel* lbl179ThresholdCost;
    assets::FigureLabel* lbltotalAssetValue;
    assets::FigureLabel* lbl179Total;
    assets::FigureLabel* lbl179Carryover;
    assets::FigureLabel* lblIncomeLimit;
    assets::FigureLabel* lblAdjusted179;
    assets::FigureLabel* lblRemaining179;

    // Runs a handler of the window's signals: its errors show "Error in frmAsset.<where> " and go no further, since
    // no exception may leave a handler into the event loop.
    void runGuarded(const char* where, const std::function<void()>& handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildLayout();
    void connectRules();
    void onFocusChanged(QWidget* old, QWidget* now);
    // Runs the rule of the field (or of the list around it) being left; false when it has none.
    bool runLeaveRule(QWidget* field);
    // Command buttons.
    void cmdSave_Click();
    void cmdNew_Click();
    void cmdSearch_Click();
    void cmdCancel_Click();
    void cmdDelete_Click();
    void cmdDeprSchedule_Click();
    void cmdPrint_Click();
    void cmd179_Click();
    void cmdMidConvention_Click();
    void onButton(QPushButton* button, const char* where, void (frmAsset::*handler)());

    std::map<QWidget*, std::function<void()>> validateRules_;
    std::set<QWidget*> selectOnFocus_;
    int quietFocus_ = 0;
};

// The window's frame in the main window (nullptr outside it).
QMdiSubWindow* assetSubWindow(const frmAsset& form);

}  // namespace tally::desk
