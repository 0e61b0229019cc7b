#include "frmMaint.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

#include "ChildArrangement.h"
#include "ColumnValues.h"
#include "ComError.h"
#include "ComboRoutines.h"
#include "CompanyPersist.h"
#include "Colour.h"
#include "Conversions.h"
#include "DeprSupport.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "FieldRules.h"
#include "Format.h"
#include "ListView.h"
#include "ListViewSort.h"
#include "MaintDatabase.h"
#include "MaskedEdit.h"
#include "Prompts.h"
#include "RecordSql.h"
#include "ShellConversions.h"
#include "StatusLine.h"
#include "Strings.h"
#include "Twips.h"
#include "TypingLimit.h"
#include "frmCompany.h"
#include "mdiMain.h"

namespace tally::desk {

namespace {

constexpr std::int32_t kRed = 255;
constexpr std::int32_t kBlack = 0;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kGrey = 0xE0E0E0;
const QString kRedText = QStringLiteral("255");
const QString kDateMask = QStringLiteral("##/##/####");

// Design sizes in twips.
constexpr int kFormWidth = 8700;
constexpr int kFormHeight = 5845;  // 5500 and the status line's two extra lines, so the list keeps its rows
constexpr int kListLeft = 75;
constexpr int kListTop = 45;
constexpr int kCmdsWidth = 4130;
constexpr int kCmdsHeight = 615;
// Room for three lines: a record failing several checks gets a message for each, and none may be cut off.
constexpr int kStatusHeight = 660;
constexpr int kSmallestList = 600;
// The window is never smaller than this, nor than its edit area needs.
constexpr int kLeastWidth = 7700;
constexpr int kLeastHeight = 5000;

void setBackColour(QWidget& widget, std::int32_t number) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, ui::colourFromNumber(number));
    widget.setPalette(palette);
}

// A stored value as the list shows it: Null as one blank, yes/no as Yes or No whatever wrote it.
QString cellText(const vb::Variant& value, ado::DataType type) {
    if (value.isNull()) return QStringLiteral(" ");
    if (type == ado::DataType::Boolean) return value.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
    return QString::fromStdString(vb::Trim(value.toString()));
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip, int left) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setAutoDefault(false);
    ui::placeTwips(*button, left, 200, 715, 315);
    return button;
}

// Twips a field needs to show its longest text of digits whole (a tax id such as "12-3456789"): the mask's
// places or as many characters as the field takes, with the box's frame and margins.
int shownTextWidth(const ui::MaskedEdit& edit) {
    const qsizetype characters = edit.mask().isEmpty() ? ui::TypingLimit::of(edit) : edit.Text().size();
    const QFontMetrics metrics(edit.font());
    // A line edit's size hint is 17 "x" wide plus its frame and margins: what is beyond the 17 are the margins.
    const int margins = edit.sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    return static_cast<int>(
        ui::toTwips(metrics.horizontalAdvance(QString(characters, QLatin1Char('0'))) + margins));
}

}  // namespace

frmMaint::frmMaint(QWidget* parent)
    : QMdiSubWindow(parent), database_([this] { UpdateMaintStatusBar({}, {}); }) {
    setObjectName(QStringLiteral("frmMaint"));
    setAttribute(Qt::WA_DeleteOnClose);
    body_ = new QWidget;
    body_->setObjectName(QStringLiteral("frmMaintBody"));
    setWidget(body_);

    lvMain_ = new ui::ListView(body_);
    lvMain_->setObjectName(QStringLiteral("lvMain"));
    lvMain_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvMain_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvMain_->setGridLines(true);
    ui::placeTwips(*lvMain_, kListLeft, kListTop, 6135, 2655);

    fraEdit_ = new QFrame(body_);
    fraEdit_->setObjectName(QStringLiteral("fraEdit"));
    fraEdit_->setFrameShape(QFrame::StyledPanel);
    ui::placeTwips(*fraEdit_, 120, 2880, kEditFrameWidth, kEditFrameBaseHeight);

    fraCmds_ = new QFrame(body_);
    fraCmds_->setObjectName(QStringLiteral("fraCmds"));
    ui::placeTwips(*fraCmds_, 2040, 3840, kCmdsWidth, kCmdsHeight);
    cmdNew_ = makeButton(fraCmds_, "cmdNew", QStringLiteral("&New"),
                         QStringLiteral("Clear fields to add a new record."), 240);
    cmdDelete_ = makeButton(fraCmds_, "cmdDelete", QStringLiteral("&Delete"), QStringLiteral("Delete current record."),
                            1200);
    cmdCancel_ = makeButton(fraCmds_, "cmdCancel", QStringLiteral("&UnDo"), QStringLiteral("Undo current changes."),
                            2160);
    cmdSave_ = makeButton(fraCmds_, "cmdSave", QStringLiteral("&Apply"), QStringLiteral("Apply current changes."),
                          3120);

    lblStatusBar_ = new QLabel(body_);
    lblStatusBar_->setObjectName(QStringLiteral("lblStatusBar"));
    lblStatusBar_->setTextFormat(Qt::PlainText);
    lblStatusBar_->setWordWrap(true);
    lblStatusBar_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::placeTwips(*lblStatusBar_, 60, 4680, 8175, kStatusHeight);
    ui::setTextColour(*lblStatusBar_, kStatusGreen);

    // Element 0 of each edit array exists from the start; the others come with the table.
    auto* label = new QLabel(fraEdit_);
    label->setObjectName(QStringLiteral("lblEdit_0"));
    lblEdit_.push_back(label);
    auto* edit = new ui::MaskedEdit(fraEdit_);
    edit->setObjectName(QStringLiteral("mskEdit_0"));
    mskEdit_.push_back(edit);
    const FieldPlace first = fieldPlace(0);
    ui::placeTwips(*label, first.labelLeft, first.labelTop, kLabelWidth, kLabelHeight);
    ui::placeTwips(*edit, first.editLeft, first.editTop, 1215, kEditHeight);
    wireEditField(*edit);
    makeCombo(0)->hide();

    connect(cmdNew_, &QPushButton::clicked, this, guarded(QStringLiteral("cmdNew_Click"), [this] {
        ResetEditMode();
        NewRecord();
    }));
    connect(cmdSave_, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdSave_Click"), [this] { AddSaveRecord(); }));
    connect(cmdDelete_, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdDelete_Click"), [this] { DeleteRecord(); }));
    connect(cmdCancel_, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdCancel_Click"), [this] { CancelCmd(); }));
    connect(lvMain_, &QTreeWidget::itemSelectionChanged, this,
            guarded(QStringLiteral("lvMain_Click"), [this] { selectionChanged(); }));
    // A click on the row that stays highlighted while the fields wait for a new record changes no selection, yet
    // the user asks for that row: it is loaded as any other clicked row is.
    connect(lvMain_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row) {
        guarded(QStringLiteral("lvMain_Click"), [this, row] { rowClicked(row); })();
    });
    connect(lvMain_, &ui::ListView::columnClicked, this, [this](int column) {
        guarded(QStringLiteral("lvMain_ColumnClick"), [this, column] { columnClicked(column); })();
    });

    // Form_Load; the window may not shrink below what its edit area needs.
    resize(ui::toPixels(kFormWidth), ui::toPixels(kFormHeight));
}

frmMaint::~frmMaint() = default;

// ---------------------------------------------------------------------------------------------------------------
// The shared routines' view.

ui::MaskedEdit* frmMaint::mskEdit(int index) {
    return index >= 0 && index < static_cast<int>(mskEdit_.size()) ? mskEdit_[static_cast<std::size_t>(index)]
                                                                    : nullptr;
}

QComboBox* frmMaint::cboEdit(int index) {
    const auto found = cboEdit_.find(index);
    return found == cboEdit_.end() ? nullptr : found->second;
}

QLabel* frmMaint::lblEdit(int index) const {
    return index >= 0 && index < static_cast<int>(lblEdit_.size()) ? lblEdit_[static_cast<std::size_t>(index)]
                                                                    : nullptr;
}

QComboBox* frmMaint::loadCboEdit(int index) {
    if (QComboBox* existing = cboEdit(index)) return existing;
    return makeCombo(index);
}

QComboBox* frmMaint::makeCombo(int index) {
    auto* combo = new QComboBox(fraEdit_);
    combo->setObjectName(QStringLiteral("cboEdit_%1").arg(index));
    cboEdit_[index] = combo;
    // The field beneath always holds the entry shown (what the combo's Validate did on leaving it).
    connect(combo, &QComboBox::currentIndexChanged, this, guarded(QStringLiteral("cboEdit_Click"), [this, index, combo] {
        if (ui::MaskedEdit* field = mskEdit(index)) field->setTextValue(combo->currentText());
    }));
    connect(combo, &QComboBox::activated, this, guarded(QStringLiteral("cboEdit_DropDown"), [this] { fieldEdited(); }));
    return combo;
}

void frmMaint::UpdateMaintStatusBar(const QString& message, const QString& number) {
    trapStep(QStringLiteral("Error in UpdateMaintStatusBar. "), ErrorLayout::ErrorNumber, [&] {
        lblStatusBar_->setText(message);
        ui::setTextColour(*lblStatusBar_, number.isEmpty() ? kStatusGreen : toLong(number));
    });
}

void frmMaint::appendRedStatus(const QString& message) {
    ui::setTextColour(*lblStatusBar_, kRed);
    lblStatusBar_->setText(lblStatusBar_->text() + message);
}

QString frmMaint::fieldText(int index) const { return mskEdit_.at(static_cast<std::size_t>(index))->text(); }

// ---------------------------------------------------------------------------------------------------------------
// Set-up.

void frmMaint::companyChanged() {
    if (state_.gstrMaintTable == QLatin1String("tblMisc4562Data") && listedCompanyId_ != glngCompanyId)
        DisplayInterface(tableKey_);
}

bool frmMaint::DisplayInterface(const QString& key) {
    // Unsaved edits belong to the table shown now: they are saved, dropped or kept before anything is torn down.
    if (!SaveChangesPrompt()) return false;
    const QString prefix = QStringLiteral("Error in DisplayInterface ");
    trapStep(prefix, ErrorLayout::ErrorNumber, [&] { ResetEditFields(); });
    setHelpContextId(*this, kMaintHelpId);
    if (const MaintTable* table = findMaintTable(key)) {
        state_ = MaintState{};
        state_.gstrMaintTable = table->table;
        listedCompanyId_ = glngCompanyId;
        tableKey_ = key;
        setWindowTitle(table->caption);
        setHelpContextId(*this, table->helpContextId);
        try {
            FillListView(table->query());
        } catch (...) {
            showError(QStringLiteral("Error in ") + table->loader + QStringLiteral(". "), currentError(),
                      ErrorLayout::Source);
        }
        trapStep(prefix, ErrorLayout::ErrorNumber, [&] { addFixedLists(*table); });
    }
    trapStep(prefix, ErrorLayout::ErrorNumber, [&] {
        ItializeDataField();
        // No row is loaded until the user picks one: the fields wait for a new record.
        if (!state_.gblnMaintEditing && lvMain_->rowCount() > 0) clearForNewRecord();
        Form_Resize();
    });
    UpdateMaintStatusBar(QString::number(lvMain_->rowCount()) + QStringLiteral(" Items displayed."));
    return true;
}

void frmMaint::addFixedLists(const MaintTable& table) {
    for (const FixedList& list : table.fixedLists) {
        if (list.field > state_.gintMaintFieldCount - 2) continue;
        AddCboBox(*this, static_cast<std::int16_t>(list.field));
        QComboBox* combo = cboEdit(list.field);
        if (!combo) continue;
        const QSignalBlocker quiet(combo);
        for (const FixedEntry& entry : list.entries) {
            combo->addItem(entry.text);
            if (entry.itemData) combo->setItemData(combo->count() - 1, *entry.itemData);
        }
        // Wide enough for its longest entry, which a short field would cut.
        combo->resize(std::max(combo->width(), combo->sizeHint().width()), combo->height());
        combo->setCurrentIndex(0);
        if (ui::MaskedEdit* field = mskEdit(list.field)) {
            // The field beneath holds whichever entry is chosen ("Yes" in a yes/no field two characters long).
            int longest = ui::TypingLimit::of(*field);
            for (const FixedEntry& entry : list.entries)
                longest = std::max(longest, static_cast<int>(entry.text.size()));
            ui::TypingLimit::set(*field, longest);
            field->setTextValue(combo->currentText());
        }
    }
}

void frmMaint::clearForNewRecord() {
    ResetEditMode();
    NewRecord();
    cmdNew_->setEnabled(true);
    cmdCancel_->setEnabled(false);
}

void frmMaint::SaveTableIndexOfRecord() {
    trapStep(QStringLiteral("Error in SaveTableIndexOfRecord "), ErrorLayout::ErrorNumber, [&] {
        QTreeWidgetItem* row = lvMain_->selectedRow();
        if (!row) raiseVbError(vberr::ObjectNotSet);
        state_.gvarMaintKeyValue = ui::ListView::cellText(row, lvMain_->columnCount() - 1);
    });
}

// ---------------------------------------------------------------------------------------------------------------
// List and edit fields.

bool frmMaint::FillListView(const ado::RecordsetPtr& rs) {
    return trapStep(QStringLiteral("Error in FillListView. "), ErrorLayout::ErrorNumber, [&] {
        if (!rs) raiseVbError(vberr::ObjectNotSet);
        state_.grsMaint = rs;
        lvMain_->clear();
        lvMain_->removeAllColumns();
        columnKinds_.clear();
        state_.gintMaintFieldCount = static_cast<std::int16_t>(rs->FieldCount());
        for (long i = 0; i < rs->FieldCount(); ++i) {
            const ado::FieldInfo& info = rs->fieldInfo(i);
            const QString name = QString::fromStdString(info.name);
            const ColumnLayout column =
                columnLayout(static_cast<int>(i), name, static_cast<int>(info.type), info.definedSize);
            lvMain_->addColumn(name, column.width, column.rightAligned ? Qt::AlignRight : Qt::AlignLeft);
            columnKinds_.push_back(column.kind);
            if (i == rs->FieldCount() - 1) {
                lvMain_->setColumnHidden(static_cast<int>(i), true);
                state_.gstrMaintKeyField = name;
                break;
            }
            CreateEditFields(static_cast<int>(i), column.width, name, column.size, column.kind);
        }
        PopulateListView(*rs);
    });
}

void frmMaint::PopulateListView(const ado::Recordset& rs) {
    trapStep(QStringLiteral("Error in PopulateListView. "), ErrorLayout::ErrorNumber, [&] {
        const QSignalBlocker quiet(lvMain_);
        for (const auto& values : rs.rows()) {
            QTreeWidgetItem* row = lvMain_->addRow(cellText(values.at(0), rs.fieldInfo(0).type));
            for (long j = 1; j < rs.FieldCount(); ++j)
                lvMain_->setCell(row, static_cast<int>(j),
                                 cellText(values.at(static_cast<std::size_t>(j)), rs.fieldInfo(j).type));
        }
    });
    // A column is at least as wide as its heading and its widest value, so nothing shows cut short.
    for (int i = 0; i < lvMain_->columnCount(); ++i)
        if (!lvMain_->isColumnHidden(i)) lvMain_->widenToContents(i);
    if (lvMain_->rowCount() == 0) DisableEditFields();
}

void frmMaint::CreateEditFields(int index, int width, const QString& name, int size, ColumnKind kind) {
    trapStep(QStringLiteral("Error in CreateEditFields. "), ErrorLayout::ErrorNumber, [&] {
        lvMain_->setVisible(true);
        fraCmds_->setVisible(true);
        fraEdit_->setVisible(true);
        if (index > 0 && index >= static_cast<int>(mskEdit_.size())) {
            auto* label = new QLabel(fraEdit_);
            label->setObjectName(QStringLiteral("lblEdit_%1").arg(index));
            auto* edit = new ui::MaskedEdit(fraEdit_);
            edit->setObjectName(QStringLiteral("mskEdit_%1").arg(index));
            QWidget::setTabOrder(mskEdit_.back(), edit);
            lblEdit_.push_back(label);
            mskEdit_.push_back(edit);
            wireEditField(*edit);
            label->show();
            edit->show();
        }
        QLabel* label = lblEdit(index);
        ui::MaskedEdit* edit = mskEdit(index);
        const auto position = static_cast<std::size_t>(index);
        if (editWidths_.size() <= position) editWidths_.resize(position + 1);
        editWidths_[position] = width;
        label->setText(TrimBlanks(name) + QStringLiteral(": "));
        label->setToolTip(TrimBlanks(name));
        ui::TypingLimit::set(*edit, editMaxLength(size));
        if (kind == ColumnKind::Date) edit->setMask(kDateMask);
        placeEditFields(index);
    });
}

void frmMaint::placeEditFields(int lastIndex) {
    const QFontMetrics metrics(fraEdit_->font());
    int widest = 0;
    for (int i = 0; i <= lastIndex; ++i)
        widest = std::max(widest, static_cast<int>(ui::toTwips(metrics.horizontalAdvance(lblEdit(i)->text()))) + 30);
    editColumns_ = editColumns(widest);
    for (int i = 0; i <= lastIndex; ++i) {
        const FieldPlace place = fieldPlace(i, editColumns_);
        ui::placeTwips(*lblEdit(i), place.labelLeft, place.labelTop, editColumns_.labelWidth, kLabelHeight);
        ui::MaskedEdit& edit = *mskEdit(i);
        ui::placeTwips(edit, place.editLeft, place.editTop,
                       placedEditWidth(i, editWidths_.at(static_cast<std::size_t>(i)), shownTextWidth(edit)),
                       kEditHeight);
    }
    ui::placeTwips(*fraEdit_, ui::toTwips(fraEdit_->x()), ui::toTwips(fraEdit_->y()), editColumns_.frameWidth,
                   editFrameHeight(lastIndex));
}

void frmMaint::wireEditField(ui::MaskedEdit& edit) {
    edit.installEventFilter(this);
    connect(&edit, &QLineEdit::textEdited, this, guarded(QStringLiteral("mskEdit_KeyUp"), [this] { fieldEdited(); }));
    // Enter saves once Apply is the default button, as in a dialog.
    connect(&edit, &QLineEdit::returnPressed, this, guarded(QStringLiteral("mskEdit_KeyPress"), [this] {
        if (cmdSave_->isEnabled() && cmdSave_->isDefault()) cmdSave_->click();
    }));
}

bool frmMaint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && qobject_cast<ui::MaskedEdit*>(watched)) SelectAllText();
    return QMdiSubWindow::eventFilter(watched, event);
}

void frmMaint::fieldEdited() {
    SetDataChanged();
    cmdSave_->setEnabled(true);
    cmdSave_->setDefault(true);
    cmdCancel_->setEnabled(true);
    UpdateMaintStatusBar({}, {});
}

void frmMaint::ResetEditFields() {
    trapStep(QStringLiteral("Error in ResetEditFields. "), ErrorLayout::ErrorNumber, [&] {
        while (mskEdit_.size() > 1) {
            delete mskEdit_.back();
            mskEdit_.pop_back();
            delete lblEdit_.back();
            lblEdit_.pop_back();
        }
        for (auto it = cboEdit_.begin(); it != cboEdit_.end();) {
            if (it->first == 0) {
                const QSignalBlocker quiet(it->second);
                it->second->clear();
                it->second->hide();
                ++it;
            } else {
                delete it->second;
                it = cboEdit_.erase(it);
            }
        }
        mskEdit_[0]->setTextValue({});
        mskEdit_[0]->setMask({});
        mskEdit_[0]->show();
        lblEdit_[0]->setText({});
        ui::setTextColour(*lblEdit_[0], kBlack);
        lblEdit_[0]->show();
        editColumns_ = editColumns(0);
        editWidths_.clear();
        ui::placeTwips(*fraEdit_, ui::toTwips(fraEdit_->x()), ui::toTwips(fraEdit_->y()), editColumns_.frameWidth,
                       kEditFrameBaseHeight);
    });
    UpdateMaintStatusBar({}, {});
}

void frmMaint::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    Form_Resize();
}

void frmMaint::Form_Resize() {
    if (!body_ || !fraEdit_) return;
    const int editHeight = static_cast<int>(ui::toTwips(fraEdit_->height()));
    // The edit area and the buttons always fit: the window keeps room for them and a few list rows.
    const int frameWidth = static_cast<int>(ui::toTwips(fraEdit_->width()));
    const int bodyMinWidth = frameWidth + 2 * kListLeft + 150;
    const int bodyMinHeight = kListTop + kSmallestList + editHeight + kCmdsHeight + 75 + kStatusHeight + 100;
    body_->setMinimumSize(ui::toPixels(bodyMinWidth), ui::toPixels(bodyMinHeight));
    fitBody();

    const int width = static_cast<int>(ui::toTwips(body_->width()));
    const int height = static_cast<int>(ui::toTwips(body_->height()));
    const int listWidth = width - 250;
    const int listHeight =
        std::max(height - editHeight - kCmdsHeight - kStatusHeight - 400, kSmallestList);
    ui::placeTwips(*lvMain_, kListLeft, kListTop, listWidth, listHeight);
    const int editTop = kListTop + listHeight;
    ui::placeTwips(*fraEdit_, kListLeft + std::max((listWidth - frameWidth) / 2, 0), editTop, frameWidth, editHeight);
    const int cmdsTop = editTop + editHeight;
    ui::placeTwips(*fraCmds_, std::max((width - kCmdsWidth) / 2, 0), cmdsTop, kCmdsWidth, kCmdsHeight);
    ui::placeTwips(*lblStatusBar_, 60, cmdsTop + kCmdsHeight + 75, width - 250, kStatusHeight);
}

// The window grows to hold the edit area of the table shown, its frame and title bar included.
void frmMaint::fitBody() {
    if (!isVisible() || fitting_) return;
    const QScopedValueRollback<bool> fitting(fitting_, true);
    const QSize least = minimumSizeHint().expandedTo(QSize(ui::toPixels(kLeastWidth), ui::toPixels(kLeastHeight)));
    setMinimumSize(least);
    if (width() < least.width() || height() < least.height()) resize(size().expandedTo(least));
}

void frmMaint::ItializeDataField() {
    if (!SaveChangesPrompt()) {
        // The fields keep the row they show, and so does the list.
        restoreLoadedSelection();
        return;
    }
    QTreeWidgetItem* row = lvMain_->selectedRow();
    // Without a selected row nothing is loaded and the fields, the key and the editing state stay together, so a
    // save never writes one row's fields under another row's key.
    if (lvMain_->rowCount() == 0 || !row) return;
    trapStep(QStringLiteral("Error in ItializeDataField. "), ErrorLayout::ErrorNumber, [&] {
        mskEdit_[0]->setTextValue(ui::ListView::cellText(row, 0));
        mskEdit_Change(0);
        for (int j = 1; j <= state_.gintMaintFieldCount - 2; ++j) {
            const QString cell = ui::ListView::cellText(row, j);
            ui::MaskedEdit* edit = mskEdit(j);
            if (cell == QLatin1String(" "))
                edit->setTextValue({});
            else if (edit->mask() == kDateMask)
                edit->setTextValue(QString::fromStdString(vb::Format(vb::CDate(cell.toStdString()), "mm/dd/yyyy")));
            else
                edit->setTextValue(cell);
            mskEdit_Change(j);
        }
        state_.gintMaintRow = ui::ListView::rowKey(row);
        SaveTableIndexOfRecord();
        ResetLabelColors();
        UpdateMaintStatusBar({}, {});
        state_.gblnMaintEditing = true;
        state_.gblnMaintChanged = false;
        for (ui::MaskedEdit* edit : mskEdit_) {
            edit->setFocusPolicy(Qt::StrongFocus);
            setBackColour(*edit, kWhite);
        }
        cmdNew_->setEnabled(true);
        cmdDelete_->setEnabled(true);
        cmdCancel_->setEnabled(false);
        cmdSave_->setEnabled(false);
        cmdSave_->setDefault(false);
    });
}

void frmMaint::restoreLoadedSelection() {
    const QScopedValueRollback<bool> moving(movingSelection_, true);
    QTreeWidgetItem* loaded = state_.gintMaintRow ? lvMain_->rowByKey(state_.gintMaintRow) : nullptr;
    if (loaded)
        lvMain_->selectRow(loaded);
    else
        lvMain_->clearSelection();
}

void frmMaint::mskEdit_Change(int index) {
    QComboBox* combo = cboEdit(index);
    ui::MaskedEdit* edit = mskEdit(index);
    if (!combo || !edit || combo->isHidden()) return;
    trapStep(QStringLiteral("Error in mskEdit_Change. "), ErrorLayout::ErrorNumber, [&] {
        const QString text = edit->text();
        if (combo->count() > 1) combo->setCurrentIndex(1);
        // An empty field shows the list's second entry; a stored value shows as itself.
        if (!text.isEmpty() && text != QLatin1String(" ")) {
            const int found = GetCboIndex(text, *combo);
            if (TrimBlanks(combo->itemText(found)) == text) {
                combo->setCurrentIndex(found);
            } else {
                // A stored value the fixed list lacks joins the list (a class's method with its id), so that
                // saving the row writes back what it held instead of the list's first entry.
                combo->addItem(text);
                if (index == 0 && windowTitle() == kClassCaption) {
                    const QString methodId = QStringLiteral("Select ID from tblDeprMethods where Method = ") +
                                             keyText(text);
                    combo->setItemData(combo->count() - 1, database_.ReturnMaintValue(methodId));
                }
                combo->setCurrentIndex(combo->count() - 1);
            }
        }
        edit->setTextValue(combo->currentText());
    });
}

void frmMaint::NewRecord() {
    trapStep(QStringLiteral("Error in NewRecord. "), ErrorLayout::ErrorNumber, [&] {
        if (!state_.gblnMaintEditing) {
            for (int i = 0; i <= state_.gintMaintFieldCount - 2; ++i) {
                ui::MaskedEdit* edit = mskEdit(i);
                edit->setFocusPolicy(Qt::StrongFocus);
                setBackColour(*edit, kWhite);
                edit->setTextValue({});
                ui::setTextColour(*lblEdit(i), kBlack);
                showFirstEntry(i);
            }
            cmdCancel_->setEnabled(true);
            cmdDelete_->setEnabled(false);
            cmdNew_->setEnabled(false);
        } else {
            cmdDelete_->setEnabled(true);
            cmdNew_->setEnabled(true);
            cmdCancel_->setEnabled(false);
        }
        cmdSave_->setEnabled(false);
        cmdSave_->setDefault(false);
        if (state_.gintMaintFieldCount > 0 && mskEdit_[0]->isVisibleTo(this)) mskEdit_[0]->setFocus();
        state_.gblnMaintChanged = false;
        state_.gblnMaintEditing = false;
    });
}

void frmMaint::fillRowCells(QTreeWidgetItem* row) {
    lvMain_->setCell(row, 0, fieldText(0));
    for (int j = 1; j <= state_.gintMaintFieldCount - 2; ++j) {
        const QString text = fieldText(j);
        lvMain_->setCell(row, j, text.isEmpty() ? QStringLiteral(" ") : text);
    }
}

void frmMaint::ListviewUpdateRow() {
    trapStep(QStringLiteral("Error in ListviewUpdateRow. "), ErrorLayout::ErrorNumber, [&] {
        QTreeWidgetItem* row = lvMain_->rowByKey(state_.gintMaintRow);
        if (!row) raiseVbError(vberr::ObjectNotSet);
        fillRowCells(row);
    });
}

void frmMaint::ListViewAddRow() {
    trapStep(QStringLiteral("Error in ListViewAddRow. "), ErrorLayout::ErrorNumber, [&] {
        const QScopedValueRollback<bool> moving(movingSelection_, true);
        QTreeWidgetItem* row = lvMain_->addRow(fieldText(0));
        fillRowCells(row);
        lvMain_->setCell(row, state_.gintMaintFieldCount - 1, QString::number(RetrieveKey()));
        SortListView(*lvMain_, 0, 129, 1);
    });
}

void frmMaint::ResetLabelColors() {
    for (int i = 0; i <= state_.gintMaintFieldCount - 2 && i < static_cast<int>(lblEdit_.size()); ++i)
        ui::setTextColour(*lblEdit_[static_cast<std::size_t>(i)], kBlack);
}

void frmMaint::selectionChanged() {
    if (movingSelection_) return;
    ItializeDataField();
}

void frmMaint::rowClicked(QTreeWidgetItem* row) {
    if (movingSelection_ || !row || row != lvMain_->selectedRow()) return;
    const bool shown = state_.gblnMaintEditing && ui::ListView::rowKey(row) == state_.gintMaintRow;
    if (!shown) ItializeDataField();
}

void frmMaint::columnClicked(int column) {
    const QScopedValueRollback<bool> moving(movingSelection_, true);
    const bool rightAligned = lvMain_->columnAlignment(column) & Qt::AlignRight;
    if (!rightAligned) {
        SortListView(*lvMain_, column, 200, 0);
        return;
    }
    // A right-aligned column holds numbers or dates: its field's type says which.
    const bool date = column < static_cast<int>(columnKinds_.size()) &&
                      columnKinds_[static_cast<std::size_t>(column)] == ColumnKind::Date;
    SortListView(*lvMain_, column, date ? 7 : 20, 0);
}

void frmMaint::DisableEditFields() {
    cmdNew_->setEnabled(true);
    cmdCancel_->setEnabled(false);
    cmdDelete_->setEnabled(false);
    cmdSave_->setEnabled(false);
    for (int i = 0; i <= state_.gintMaintFieldCount - 2; ++i) {
        ui::MaskedEdit* edit = mskEdit(i);
        if (!edit) continue;
        edit->setTextValue({});
        setBackColour(*edit, kGrey);
        edit->setFocusPolicy(Qt::ClickFocus);
        // A drop-down left on the last row's entry would show what a record typed now does not store.
        showFirstEntry(i);
    }
}

// A field with a drop-down holds the drop-down's first entry, and the drop-down shows it.
void frmMaint::showFirstEntry(int index) {
    QComboBox* combo = cboEdit(index);
    if (!combo || combo->isHidden()) return;
    combo->setCurrentIndex(0);
    mskEdit(index)->setTextValue(combo->currentText());
}

// ---------------------------------------------------------------------------------------------------------------
// Validation and records.

bool frmMaint::bValid() {
    bool valid = false;  // a record whose checks could not run is not valid
    trapStep(QStringLiteral("Error in bValid. "), ErrorLayout::ErrorNumber, [&] {
        std::vector<EditField> fields;
        for (int i = 0; i <= state_.gintMaintFieldCount - 2; ++i)
            fields.push_back({QString::fromStdString(state_.grsMaint->fieldInfo(i).name), fieldText(i),
                              mskEdit(i)->isVisibleTo(this)});
        FieldRules rules(fields);
        const ValidationRun run = rules.bValid(state_.gstrMaintTable);
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].text != fieldText(static_cast<int>(i))) mskEdit_[i]->setTextValue(fields[i].text);
        ResetLabelColors();
        UpdateMaintStatusBar(run.status, run.statusRed ? kRedText : QString());
        for (int i : run.redLabels) ui::setTextColour(*lblEdit(i), kRed);
        if (run.focusField) mskEdit(*run.focusField)->setFocus();
        state_.gblnMaintFocusSet = run.gblnMaintFocusSet;
        valid = run.valid;
    });
    return valid;
}

bool frmMaint::AddSaveRecord() {
    bool saved = false;
    trapStep(QStringLiteral("Error in AddSaveRecord. "), ErrorLayout::ErrorNumber, [&] {
        if (!bValid()) return;
        // The statement's own result: a rejected write keeps the window and its fields as they are.
        saved = state_.gblnMaintEditing ? SaveRecord() : AddRecord();
    });
    return saved;
}

RecordSqlInput frmMaint::recordInput() {
    RecordSqlInput input;
    input.table = state_.gstrMaintTable;
    input.caption = windowTitle();
    for (int i = 0; i <= state_.gintMaintFieldCount - 2; ++i) {
        const ado::FieldInfo& info = state_.grsMaint->fieldInfo(i);
        input.fields.push_back({QString::fromStdString(info.name), static_cast<int>(info.type), fieldText(i)});
    }
    if (QComboBox* methods = cboEdit(0); methods && methods->currentIndex() >= 0) {
        const QVariant id = methods->currentData();
        if (id.isValid()) input.methodId = id.toInt();
    }
    input.keyField = state_.gstrMaintKeyField;
    input.keyValue = state_.gvarMaintKeyValue;
    // The company whose rows the list shows, even when another company was opened since.
    input.companyId = listedCompanyId_;
    return input;
}

bool frmMaint::SaveRecord() {
    bool saved = false;
    trapStep(QStringLiteral("Error in SaveRecord. "), ErrorLayout::ErrorNumber, [&] {
        const std::optional<long> rows = database_.ExecuteMaintSql(CreateUpdateSQL(recordInput()));
        // An update that found no row (deleted meanwhile) did not save anything.
        saved = rows && *rows > 0;
        if (!saved) {
            UpdateMaintStatusBar(QStringLiteral("Update failed."), kRedText);
            return;
        }
        ListviewUpdateRow();
        UpdateMaintStatusBar(QStringLiteral("Record Updated."));
        ResetEditMode();
        NewRecord();
    });
    return saved;
}

bool frmMaint::AddRecord() {
    bool saved = false;
    trapStep(QStringLiteral("Error in AddRecord. "), ErrorLayout::ErrorNumber, [&] {
        const std::optional<long> rows = database_.ExecuteMaintSql(CreateInsertSQL(recordInput()));
        saved = rows && *rows > 0;
        if (!saved) {
            UpdateMaintStatusBar(QStringLiteral("Add failed."), kRedText);
            return;
        }
        ListViewAddRow();
        UpdateMaintStatusBar(QStringLiteral("Record Added."));
        NewRecord();
    });
    return saved;
}

void frmMaint::DeleteRecord() {
    trapStep(QStringLiteral("Error in DeleteRecord. "), ErrorLayout::ErrorNumber, [&] {
        if (!state_.gblnMaintEditing) return;
        const int answer = ui::prompts().msgBox(QStringLiteral("Delete ") + fieldText(0),
                                                ui::mb::OKCancel | ui::mb::Question | ui::mb::DefaultButton2,
                                                QStringLiteral("Confirm Delete"));
        if (answer != ui::mb::OK) return;
        if (windowTitle() == kClassCaption && CheckForClassID(toLong(state_.gvarMaintKeyValue))) return;
        if (state_.gstrMaintTable == kCompanyTable && companyMayNotGo()) return;
        const std::optional<long> rows = database_.ExecuteMaintSql(
            CreateDeleteSQL(state_.gstrMaintTable, state_.gstrMaintKeyField, state_.gvarMaintKeyValue));
        if (!rows) return;
        if (*rows == 0) {
            UpdateMaintStatusBar(QStringLiteral("Delete failed."), kRedText);
            return;
        }
        // The row removed from the list is the row deleted, and its edits are gone with it.
        state_.gblnMaintChanged = false;
        {
            const QScopedValueRollback<bool> moving(movingSelection_, true);
            lvMain_->selectRow(lvMain_->rowByKey(state_.gintMaintRow));
            RemoveSortedItem(*this);
        }
        if (lvMain_->rowCount() == 0) {
            state_.gblnMaintEditing = false;
            DisableEditFields();
        } else if (state_.gblnMaintEditing && !lvMain_->rowByKey(state_.gintMaintRow)) {
            // No row took its place in the fields: they wait for a new record. (A sorted list has already
            // cleared them for one.)
            clearForNewRecord();
        }
    });
}

bool frmMaint::CheckForClassID(std::int32_t id) {
    bool used = false;
    trapStep(QStringLiteral("Error in CheckForClassID. "), ErrorLayout::ErrorNumber, [&] {
        if (engine::DeprSupport().CheckClassId(id) >= 1) {
            appendRedStatus(QStringLiteral(" Can't Delete Class Id is used by an Asset.  "));
            used = true;
        }
    });
    return used;
}

// A company's assets, depreciation and Form 4562 rows hang on its id, and the program works for the open one.
bool frmMaint::companyMayNotGo() {
    const std::int32_t id = toLong(state_.gvarMaintKeyValue);
    if (id == glngCompanyId) {
        appendRedStatus(QStringLiteral(" Can't Delete the open Company/Client.  "));
        return true;
    }
    if (engine::CompanyPersist().GetAssetList(id, 0)->RecordCount() > 0) {
        appendRedStatus(QStringLiteral(" Can't Delete Company has Assets.  "));
        return true;
    }
    return false;
}

std::int32_t frmMaint::RetrieveKey() {
    return database_.ReturnMaintValue(RetrieveKeySQL(state_.gstrMaintTable, state_.gstrMaintKeyField));
}

// ---------------------------------------------------------------------------------------------------------------
// Commands and closing.

bool frmMaint::SaveChangesPrompt() {
    if (!state_.gblnMaintChanged) return true;
    const int answer = ui::prompts().msgBox(QStringLiteral("Save Changes?"), ui::mb::YesNoCancel);
    if (answer == ui::mb::Yes) {
        UpdateEditFields(*this);
        if (!AddSaveRecord()) return false;
        state_.gblnMaintChanged = false;
        return true;
    }
    if (answer == ui::mb::No) {
        state_.gblnMaintChanged = false;
        return true;
    }
    return false;
}

void frmMaint::CancelCmd() {
    trapStep(QStringLiteral("Error in CancelCmd. "), ErrorLayout::ErrorNumber, [&] {
        state_.gblnMaintChanged = false;
        if (lvMain_->selectedRow()) {
            ItializeDataField();
        } else {
            ResetEditMode();
            NewRecord();
        }
        ResetLabelColors();
        cmdCancel_->setEnabled(false);
        UpdateMaintStatusBar({}, {});
    });
}

void frmMaint::closeEvent(QCloseEvent* event) {
    bool mayClose = true;
    trapStep(QStringLiteral("Error in Form_QueryUnload. "), ErrorLayout::ErrorNumber,
             [&] { mayClose = SaveChangesPrompt(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    ReleaseMaintRecordset();
    trapStep(QStringLiteral("Error in Form_Unload. "), ErrorLayout::ErrorNumber, [&] { SaveFormPosition(*this); });
    if (gblnFromCompanyPicker) {
        // The picker opens once this window is gone, not from inside its closing.
        QTimer::singleShot(0, qApp, guarded(QStringLiteral("Form_Unload"), [] { ShowCompanyPicker(); }));
    }
    QMdiSubWindow::closeEvent(event);
}

frmMaint* openMaintenanceWindow() {
    mdiMain* main = mainWindow();
    if (!main) return nullptr;
    for (QMdiSubWindow* window : main->mdiArea().subWindowList())
        if (auto* form = qobject_cast<frmMaint*>(window)) return form;
    return nullptr;
}

void showMaintenanceWindow(const QString& key) {
    mdiMain* main = mainWindow();
    if (!main) return;
    frmMaint* form = openMaintenanceWindow();
    if (!form) {
        form = new frmMaint;
        main->mdiArea().addSubWindow(form);
    }
    const bool shown = form->DisplayInterface(key);
    form->show();
    form->fitBody();
    keepInView(*form);
    main->mdiArea().setActiveSubWindow(form);
    Q_UNUSED(shown);
}

}  // namespace tally::desk
