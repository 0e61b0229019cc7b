#include "frmAsset.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <vector>

#include "ErrorReport.h"
#include "AssetFieldRules.h"
#include "AssetRules.h"
#include "Conversions.h"
#include "Depr.h"
#include "DesktopState.h"
#include "PartServices.h"
#include "Prompts.h"
#include "StatusLine.h"
#include "Twips.h"
#include "TypingLimit.h"
#include "frmMidQtr.h"

namespace tally::desk {

using namespace assets;

namespace {

template <typename T, typename... Args>
T* make(QWidget* parent, const char* name, double left, double top, double width, double height, Args&&... args) {
    auto* widget = new T(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    ui::placeTwips(*widget, left, top, width, height);
    return widget;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, double left, double top, double width) {
    auto* label = make<QLabel>(parent, name, left, top, width, 285, text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A label that shows a value (amounts, numbers): sunken like a read-only field.
QLabel* valueLabel(QWidget* parent, const char* name, double left, double top, double width) {
    auto* label = make<QLabel>(parent, name, left, top, width, 285, QString());
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* textBox(QWidget* parent, const char* name, double left, double top, double width, int maxLength,
                   bool right, bool amount) {
    auto* edit = make<QLineEdit>(parent, name, left, top, width, 300);
    ui::TypingLimit::set(*edit, maxLength);
    if (right) edit->setAlignment(Qt::AlignRight);
    if (amount) {
        // Digits and one decimal point, pasted text included.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*\\.?\\d*")), edit));
        QObject::connect(edit, &QLineEdit::inputRejected, edit, [] { beeper()(); });
    }
    return edit;
}

FigureLabel* figure(QWidget* parent, const char* name, const QString& text, double left, double top) {
    const double captionWidth = left < 1000 ? 2000 : 2550;
    caption(parent, "", text, left, top, captionWidth);
    auto* label = make<FigureLabel>(parent, name, left + captionWidth + 50, top, 1300, 285);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& tip, double left,
                    double width) {
    auto* b = make<QPushButton>(parent, name, left, 45, width, 345, text);
    b->setToolTip(tip);
    return b;
}

}  // namespace

frmAsset::frmAsset(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmAsset"));
    setWindowTitle(QStringLiteral("Asset Maintenance"));
    // The layout's twips were measured for a small dialog font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    buildLayout();
    connectRules();
}

frmAsset::~frmAsset() = default;

void frmAsset::buildLayout() {
    // Search.
    fraSearch = make<QGroupBox>(this, "fraSearch", 60, 0, 7920, 660, QStringLiteral("Search"));
    caption(fraSearch, "lblYear", QStringLiteral("Year:"), 60, 255, 450);
    txtYear = textBox(fraSearch, "txtYear", 540, 250, 600, 4, true, false);
    txtYear->setToolTip(QStringLiteral("Enter year to limit Description list by Year."));
    caption(fraSearch, "lblAssetList", QStringLiteral("Description:"), 1160, 255, 1050);
    cboAssets = make<VbCombo>(fraSearch, "cboAssets", 2230, 240, 2650, 315, false);
    caption(fraSearch, "lblAssetIDSearch", QStringLiteral("or  Asset ID:"), 4900, 255, 1150);
    txtAssetID = textBox(fraSearch, "txtAssetID", 6080, 250, 700, 10, true, false);
    cmdSearch = make<QPushButton>(fraSearch, "cmdSearch", 6820, 225, 1020, 345, QStringLiteral("&Retrieve"));
    cmdSearch->setToolTip(QStringLiteral("Retrieve the selected asset."));

    // Asset.
    pnl3dDepr = make<QGroupBox>(this, "pnl3dDepr", 60, 680, 7920, 2700, QStringLiteral("Asset"));
    QWidget* p = pnl3dDepr;
    caption(p, "lblAssetIdCaption", QStringLiteral("Asset ID:"), 60, 255, 900);
    lblAssetId = valueLabel(p, "lblAssetId", 990, 255, 900);
    lblDescription = caption(p, "lblDescription", QStringLiteral("Description:"), 1930, 255, 1020);
    txtDescription = textBox(p, "txtDescription", 2980, 250, 4800, 35, false, false);

    lblMethod = caption(p, "lblMethod", QStringLiteral("Type:"), 60, 600, 900);
    cboMethod = make<VbCombo>(p, "cboMethod", 990, 585, 1400, 315, false);
    lblLife = caption(p, "lblLife", QStringLiteral("Life:"), 2420, 600, 500);
    cboLife = make<VbCombo>(p, "cboLife", 2950, 585, 950, 315, true);
    lblClass = caption(p, "lblClass", QStringLiteral("or  Class:"), 3950, 600, 850);
    cboClass = make<VbCombo>(p, "cboClass", 4830, 585, 2950, 315, false);

    lblInService = caption(p, "lblInService", QStringLiteral("In Service:"), 60, 945, 900);
    txtInService = make<ui::MaskedEdit>(p, "txtInService", 990, 940, 900, 300);
    txtInService->setMask(QString::fromLatin1(ui::kMonthYearMask));
    lblCost = caption(p, "lblCost", QStringLiteral("Cost:"), 2000, 945, 950);
    txtCost = textBox(p, "txtCost", 2980, 940, 1200, 9, true, true);
    lblAutoBusiness = caption(p, "lblAutoBusiness", QStringLiteral("Business %:"), 4300, 945, 1000);
    txtBusinessPercent = textBox(p, "txtBusinessPercent", 5330, 940, 700, 4, true, true);
    txtBusinessPercent->setText(QStringLiteral("100"));

    chk179 = make<QCheckBox>(p, "chk179", 0, 1285, 1530, 300, QStringLiteral("179 Expense:"));
    chk179->setLayoutDirection(Qt::RightToLeft);
    txt179Amt = textBox(p, "txt179Amt", 1560, 1280, 1100, 9, true, true);
    chkBonus = make<QCheckBox>(p, "chkBonus", 2980, 1285, 600, 300, QStringLiteral("30 "));
    chk50Bonus = make<QCheckBox>(p, "chk50Bonus", 3600, 1285, 600, 300, QStringLiteral("50"));
    chk100Bonus = make<QCheckBox>(p, "chk100Bonus", 4220, 1285, 1250, 300, QStringLiteral("100 % SDA"));
    chk100Bonus->setToolTip(QStringLiteral("Special Depreciation Allowance"));
    lbl30Allowance = valueLabel(p, "lbl30Allowance", 5500, 1285, 1200);

    caption(p, "lblOtherDeductions", QStringLiteral("Salvage:"), 60, 1625, 900);
    txtOtherDeductions = textBox(p, "txtOtherDeductions", 990, 1620, 1200, 9, true, true);
    caption(p, "lblCostBasisCaption", QStringLiteral("Cost Basis:"), 2250, 1625, 900);
    lblCostBasis = valueLabel(p, "lblCostBasis", 3180, 1625, 1100);
    lblAmortize = caption(p, "lblAmortize", QStringLiteral("Amortize #:"), 4300, 1625, 1000);
    txtAmorizeCode = textBox(p, "txtAmorizeCode", 5330, 1620, 700, 0, true, false);
    lblVehicleNum = caption(p, "lblVehicleNum", QStringLiteral("Vehicle #:"), 6050, 1625, 850);
    lblAutoNum = valueLabel(p, "lblAutoNum", 6930, 1625, 850);

    caption(p, "lblConvention", QStringLiteral("Convention:"), 0, 1965, 1050);
    fraConvention = make<QGroupBox>(p, "fraConvention", 1080, 1935, 4150, 345, QString());
    fraConvention->setFlat(true);
    const std::array<const char*, 3> optionCaptions = {"Half Year", "Mid Quarter", "Mid Month"};
    const std::array<double, 3> optionLeft = {60, 1300, 2800};
    const std::array<double, 3> optionWidth = {1200, 1450, 1300};
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = QByteArray("optConvention_") + QByteArray::number(i);
        optConvention[i] = make<QRadioButton>(fraConvention, name.constData(), optionLeft[i], 30, optionWidth[i], 285,
                                              QString::fromLatin1(optionCaptions[i]));
    }
    caption(p, "lblMethodCaption", QStringLiteral("Method:"), 5260, 1965, 700);
    lblShowMethod = valueLabel(p, "lblShowMethod", 5990, 1965, 1100);

    caption(p, "lblNotes", QStringLiteral("Notes:"), 60, 2305, 900);
    txtNotes = textBox(p, "txtNotes", 990, 2300, 6790, 75, false, false);

    // Disposition.
    Frame3 = make<QGroupBox>(this, "Frame3", 60, 3400, 7920, 620, QStringLiteral("Disposition"));
    lblSoldDate = caption(Frame3, "lblSoldDate", QStringLiteral("Disposition Date:"), 0, 255, 1400);
    mskSold = make<ui::MaskedEdit>(Frame3, "mskSold", 1430, 250, 800, 300);
    mskSold->setMask(QString::fromLatin1(ui::kMonthYearMask));
    lblDispositionAmt =
        caption(Frame3, "lblDispositionAmt", QStringLiteral("Disposition Amount:"), 2260, 255, 1700);
    txtDispositionAmt = textBox(Frame3, "txtDispositionAmt", 3990, 250, 1100, 9, true, true);
    caption(Frame3, "lblGainLossCaption", QStringLiteral("Gain/Loss:"), 5150, 255, 850);
    lblGainLoss = valueLabel(Frame3, "lblGainLoss", 6030, 255, 1200);

    // Buttons.
    Frame2 = make<QGroupBox>(this, "Frame2", 60, 4040, 7920, 450, QString());
    Frame2->setFlat(true);
    double left = 0;
    auto next = [&left](double width) {
        const double at = left;
        left += width + 60;
        return at;
    };
    cmdDeprSchedule = button(Frame2, "cmdDeprSchedule", QStringLiteral("&Depr Schedule"),
                             QStringLiteral("Display a depreciation schedule for the current asset."), next(1400), 1400);
    cmdPrint = button(Frame2, "cmdPrint", QStringLiteral("&Print"), QStringLiteral("Print details for the current asset."),
                      next(700), 700);
    cmd179 = button(Frame2, "cmd179", QStringLiteral("Chk &179"), QStringLiteral("Check if 179 limit has been meet."),
                    next(820), 820);
    cmdMidConvention =
        button(Frame2, "cmdMidConvention", QStringLiteral("Chk Con&vention"),
               QStringLiteral("Check if mid quarter convention is required."), next(1400), 1400);
    cmdDelete = button(Frame2, "cmdDelete", QStringLiteral("&Delete"), QString(), next(740), 740);
    cmdDelete->setEnabled(false);
    cmdNew = button(Frame2, "cmdNew", QStringLiteral("&New"), QStringLiteral("Clear fields to add a new asset."),
                    next(700), 700);
    cmdCancel = button(Frame2, "cmdCancel", QStringLiteral("&UnDo"), QStringLiteral("Cancel current changes."),
                       next(720), 720);
    cmdSave = button(Frame2, "cmdSave", QStringLiteral("&Apply"), QStringLiteral("Save changes to the asset."),
                     next(760), 760);

    // Section 179 panel.
    fra179 = make<QGroupBox>(this, "fra179", 60, 4700, 7920, 1400, QStringLiteral("179"));
    lbl179Limit = figure(fra179, "lbl179Limit", QStringLiteral("179 Limit:"), 60, 255);
    lbl179ThresholdCost = figure(fra179, "lbl179ThresholdCost", QStringLiteral(" Threshold Cost:"), 3700, 255);
    lbltotalAssetValue = figure(fra179, "lbltotalAssetValue", QStringLiteral("Assets in service:"), 60, 540);
    lbl179Total = figure(fra179, "lbl179Total", QStringLiteral("Current assigned 179 Assetsl:"), 3700, 540);
    lbl179Carryover = figure(fra179, "lbl179Carryover", QStringLiteral(" Carryover:"), 60, 825);
    lblIncomeLimit = figure(fra179, "lblIncomeLimit", QStringLiteral("Income Limit:"), 3700, 825);
    lblAdjusted179 = figure(fra179, "lblAdjusted179", QStringLiteral(" Adjusted 179:"), 60, 1110);
    lblRemaining179 = figure(fra179, "lblRemaining179", QStringLiteral("Remaining 179 deduction:"), 3700, 1110);

    // Fields switched off until a method switches them on.
    switchField(*txt179Amt, false);
    switchField(*txtAmorizeCode, false);
    fraConvention->setEnabled(false);
    optConvention[2]->setEnabled(false);

    const std::vector<QWidget*> tabOrder = {txtYear, cboAssets, txtAssetID, cmdSearch, txtDescription, cboMethod, cboLife, cboClass,
                 txtInService, txtCost, txtBusinessPercent, chk179, txt179Amt, chkBonus, chk50Bonus, chk100Bonus,
                 txtOtherDeductions, txtAmorizeCode, optConvention[0], optConvention[1], optConvention[2], txtNotes,
                 mskSold, txtDispositionAmt, cmdDeprSchedule, cmdPrint, cmd179, cmdMidConvention, cmdDelete, cmdNew,
                 cmdCancel, cmdSave};
    for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

QMdiSubWindow* assetSubWindow(const frmAsset& form) { return qobject_cast<QMdiSubWindow*>(form.parentWidget()); }

double frmAsset::heightTwips() const {
    const QWidget* outer = assetSubWindow(*this);
    return ui::toTwips(outer ? outer->height() : height());
}

void frmAsset::setHeightTwips(double twips) {
    QWidget* outer = assetSubWindow(*this);
    if (!outer) outer = this;
    outer->resize(ui::toPixels(kWidthTwips), ui::toPixels(twips));
}

QSize frmAsset::leastArrangedSize() const {
    const QWidget* outer = assetSubWindow(*this);
    if (!outer) outer = this;
    return {outer->width(), ui::toPixels(mblnShow179 ? kOpenTwips : kCollapsedTwips)};
}

// A taller window would bare the section 179 frame below its collapsed height, or open the panel.
QSize frmAsset::mostArrangedSize() const {
    const QWidget* outer = assetSubWindow(*this);
    if (!outer) outer = this;
    return outer->size().expandedTo(leastArrangedSize());
}

void frmAsset::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mblnShow179 = heightTwips() > kPanelOpensAboveTwips;
}

void frmAsset::fieldChanged() {
    cmdSave->setEnabled(true);
    mblnDirty = true;
}

void frmAsset::setAssetId(const QString& text) {
    lblAssetId->setText(text);
    enableDeprSchedule(!text.isEmpty());
    cmdPrint->setEnabled(!text.isEmpty() && static_cast<bool>(partServices().printAssetDetail));
}

void frmAsset::enableDeprSchedule(bool on) { cmdDeprSchedule->setEnabled(on && static_cast<bool>(partServices().doReports)); }

void frmAsset::focusQuietly(QWidget* target) {
    ++quietFocus_;
    target->setFocus(Qt::OtherFocusReason);
    --quietFocus_;
}

void frmAsset::runGuarded(const char* where, const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        showError(QStringLiteral("Error in frmAsset.") + QString::fromLatin1(where) + QStringLiteral(" "),
                  currentError(), ErrorLayout::ErrorNumber);
    }
}

bool frmAsset::runLeaveRule(QWidget* field) {
    // Focus coming back from a list's drop-down (a window of its own) has not left the list.
    for (QWidget* w = field; w && w != this && !w->isWindow(); w = w->parentWidget()) {
        const auto rule = validateRules_.find(w);
        if (rule == validateRules_.end()) continue;
        // A rule that moves the focus itself must not start the next field's rule.
        ++quietFocus_;
        runGuarded("Validate", rule->second);
        --quietFocus_;
        return true;
    }
    return false;
}

void frmAsset::onFocusChanged(QWidget* old, QWidget* now) {
    if (quietFocus_ > 0 || !old || !now || !isAncestorOf(now)) return;
    const QPointer<QWidget> entered(now);
    if (!runLeaveRule(old)) return;
    // The rule runs once the cursor is already in the next field. One that switches that field off and on
    // again (the type's rule does so with the class list) has pushed the cursor past it: it goes back, or the
    // field's own rule would never run for what the user picks there.
    QWidget* focus = QApplication::focusWidget();
    if (entered && focus != entered && focus && isAncestorOf(focus) && entered->isEnabled() && entered->isVisible())
        focusQuietly(entered);
}

bool frmAsset::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // Entering a field selects its text, once the click that focused it is handled.
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && selectOnFocus_.count(edit)) QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return QWidget::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    bool drop = false;
    runGuarded("KeyRule", [&] { drop = AssetFieldRules::onKey(*this, widget, static_cast<QKeyEvent*>(event)); });
    return drop;
}

void frmAsset::closeEvent(QCloseEvent* event) {
    bool mayClose = true;
    runGuarded("QueryUnload", [&] { mayClose = SaveChanges(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    DisplayMsg(QString());
    event->accept();
}

bool frmAsset::SaveChanges(bool* saved) {
    if (saved) *saved = false;
    if (!mblnDirty) return true;
    // Closing the window leaves no field, so the one still being typed in (noted before the question takes the
    // focus) is checked before the save: its amounts and basis must be those the save stores.
    QPointer<QWidget> typing = QApplication::focusWidget();
    if (typing && !isAncestorOf(typing)) typing = nullptr;
    const int answer = ui::prompts().msgBox(QStringLiteral("Save Changes?"), ui::mb::YesNoCancel);
    if (answer == ui::mb::Yes) {
        if (typing) runLeaveRule(typing);
        if (!Depr::AddorUpdate(*this, mblnShow179)) return false;
        mblnDirty = false;
        if (saved) *saved = true;
        return true;
    }
    if (answer == ui::mb::No) {
        mblnDirty = false;
        return true;
    }
    return false;
}

void frmAsset::onButton(QPushButton* b, const char* where, void (frmAsset::*handler)()) {
    connect(b, &QPushButton::clicked, this, [this, b, where, handler] {
        // An access key clicks without moving the focus: move it first, so the field left is checked as a mouse
        // click would have it.
        if (QApplication::focusWidget() != b && isActiveWindow()) b->setFocus(Qt::ShortcutFocusReason);
        runGuarded(where, [this, handler] { (this->*handler)(); });
    });
}

void frmAsset::connectRules() {
    connect(qApp, &QApplication::focusChanged, this, &frmAsset::onFocusChanged);
    onButton(cmdSave, "cmdSave_Click", &frmAsset::cmdSave_Click);
    onButton(cmdNew, "cmdNew_Click", &frmAsset::cmdNew_Click);
    onButton(cmdSearch, "cmdSearch_Click", &frmAsset::cmdSearch_Click);
    onButton(cmdCancel, "cmdCancel_Click", &frmAsset::cmdCancel_Click);
    onButton(cmdDelete, "cmdDelete_Click", &frmAsset::cmdDelete_Click);
    onButton(cmdDeprSchedule, "cmdDeprSchedule_Click", &frmAsset::cmdDeprSchedule_Click);
    onButton(cmdPrint, "cmdPrint_Click", &frmAsset::cmdPrint_Click);
    onButton(cmd179, "cmd179_Click", &frmAsset::cmd179_Click);
    onButton(cmdMidConvention, "cmdMidConvention_Click", &frmAsset::cmdMidConvention_Click);
    validateRules_ = AssetFieldRules::validateRules(*this);
    for (QWidget* w : AssetFieldRules::keyWatched(*this)) w->installEventFilter(this);
    for (QWidget* w : AssetFieldRules::selectOnFocus(*this)) selectOnFocus_.insert(w);
    AssetFieldRules::connectClicks(*this);
    AssetFieldRules::connectEdits(*this);
}

void frmAsset::cmdSave_Click() {
    if (Depr::AddorUpdate(*this, mblnShow179)) mblnDirty = false;
    if (mblnRefreshList) {
        Depr::GetAssetList(*this, glngCompanyId, vb::CInt(val(txtYear->text())));
        mblnRefreshList = false;
    }
}

void frmAsset::cmdNew_Click() {
    bool saved = false;
    if (!SaveChanges(&saved)) return;
    Depr::NewAsset(*this);
    SetEditAsset(false);
    mblnDirty = false;
    // The reset clears the status line; the outcome of the save it followed stays on it.
    if (saved) DisplayMsg(state.saveOutcome);
}

void frmAsset::cmdSearch_Click() {
    if (!SaveChanges()) return;
    DisplayMsg(QString());
    Depr::Search(*this);
    cmdSave->setEnabled(false);
    mblnDirty = false;
}

void frmAsset::cmdCancel_Click() {
    Depr::DoCancel(*this, vb::CLng(val(lblAssetId->text())));
    mblnDirty = false;
}

void frmAsset::cmdDelete_Click() {
    if (lblAssetId->text().isEmpty()) return;
    const int answer = ui::prompts().msgBox(
        QStringLiteral("Delete asset ") + lblAssetId->text() +
            QStringLiteral(" and all depreciation for this asset? To keep an audit trail for this asset use the "
                           "disposition option instead of deleting it."),
        ui::mb::OKCancel, QStringLiteral("Delete Asset."));
    if (answer != ui::mb::OK) return;
    if (Depr::DeleteAsset(*this, vb::CLng(val(lblAssetId->text())), glngCompanyId)) mblnDirty = false;
}

void frmAsset::cmdDeprSchedule_Click() {
    if (val(lblCostBasis->text()) == 0) {
        DisplayMsg(QStringLiteral("There is no depreciation. The cost basis is zero."));
        return;
    }
    const auto& doReports = partServices().doReports;
    if (!doReports) return;
    // The whole asset number: a number past 32767 cut to 16 bits would open another asset's schedule.
    doReports(QStringLiteral("Depreciation Schedule"), vb::CLng(val(lblAssetId->text())), txtDescription->text());
}

void frmAsset::cmdPrint_Click() {
    const auto& print = partServices().printAssetDetail;
    if (!print) return;
    AssetDetailFields fields;
    fields.description = txtDescription->text();
    fields.assetId = lblAssetId->text();
    fields.method = cboMethod->text();
    fields.life = cboLife->text();
    fields.amortizeCode = txtAmorizeCode->text();
    fields.cost = txtCost->text();
    fields.actualMethod = lblShowMethod->text();
    fields.businessPercent = txtBusinessPercent->text();
    fields.amount179 = txt179Amt->text();
    fields.otherDeductions = txtOtherDeductions->text();
    fields.allowance = lbl30Allowance->text();
    fields.costBasis = lblCostBasis->text();
    fields.convention = Depr::DetermineConvention(*this);
    fields.inService = txtInService->Text();
    fields.assetClass = cboClass->text();
    fields.vehicleNumber = lblAutoNum->text();
    fields.notes = txtNotes->text();
    fields.soldDate = mskSold->Text();
    fields.soldAmount = txtDispositionAmt->text();
    fields.gainLoss = lblGainLoss->text();
    print(fields);
}

void frmAsset::cmd179_Click() {
    if (heightTwips() != kOpenTwips) {
        // Without a year the panel would show the figures of year 0, after an error box from each of its steps.
        if (!Depr::PanelYearKnown(*this)) return;
        setHeightTwips(kOpenTwips);
        Depr::Do179Deduction(*this);
    } else {
        setHeightTwips(kCollapsedTwips);
    }
}

void frmAsset::cmdMidConvention_Click() {
    if (const auto year = Depr::InServiceYear(*this)) modMidConvention::MidQtrConventionCheck(*year);
}

}  // namespace tally::desk
