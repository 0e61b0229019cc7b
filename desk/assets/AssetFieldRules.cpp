#include "AssetFieldRules.h"

#include <array>
#include <functional>

#include <QKeyEvent>

#include "AssetRules.h"
#include "Conversions.h"
#include "ComboRoutines.h"
#include "DesktopState.h"
#include "Depr.h"
#include "Format.h"
#include "KeyAscii.h"
#include "StatusLine.h"
#include "TypingLimit.h"
#include "Variant.h"
#include "frmAsset.h"

namespace tally::desk {

using namespace assets;

namespace {

bool methodIs(const frmAsset& f, std::initializer_list<const char*> names) { return isOneOf(f.cboMethod->text(), names); }

void enableRateBoxes(frmAsset& f, bool on) {
    for (QCheckBox* box : f.rateBoxes()) box->setEnabled(on);
}

void boxesOn(frmAsset& f) {
    enableRateBoxes(f, true);
    f.chk179->setChecked(true);
}

void boxesOff(frmAsset& f) {
    f.lbl30Allowance->clear();
    for (QCheckBox* box : f.rateBoxes()) {
        box->setChecked(false);
        box->setEnabled(false);
    }
    f.chk179->setChecked(false);
}

void amount179On(frmAsset& f, bool on) {
    if (!on) f.txt179Amt->clear();
    switchField(*f.txt179Amt, on);
}

// Whether the life allows the 179 tick and the allowance boxes: a class life below 26 years, a life chosen in the
// life list below 21.
bool boxesAllowedForLife(frmAsset& f) {
    const double life = Depr::DetermineLife(f);
    return f.cboClass->listIndex() >= 0 ? life < 26 : life < 21;
}

void recomputeAndCheck(frmAsset& f) {
    Depr::Recompute(f);
    if (f.mblnShow179) Depr::Check179Totals(f);
}

// The life as a 16-bit whole number, 0 when the text is no number.
std::int16_t lifeNumber(const QString& text) {
    const auto number = vb::parseNumber(text.toStdString());
    return number ? vb::CInt(*number) : std::int16_t{0};
}

void cboMethodValidate(frmAsset& f) {
    Depr::ConventionOnOff(f, false);
    switchField(*f.cboClass, false);
    const QString method = f.cboMethod->text();
    if (f.cboMethod->listIndex() >= 0 && method != QLatin1String("Straight Line")) {
        Depr::PopulateTypeCbo(f, f.cboMethod->selectedData());
        switchField(*f.cboClass, true);
        Depr::PopulateLifeCbo(f, method);
        if (method == QLatin1String("Listed")) switchField(*f.cboLife, false);
        if (methodIs(f, {"Listed", "MACRS"})) {
            f.chk179->setChecked(true);
            amount179On(f, true);
            enableRateBoxes(f, true);
        } else {
            f.chk179->setChecked(false);
            amount179On(f, false);
            enableRateBoxes(f, false);
        }
        Depr::CalculateCostBasis(f);
    }
    switchField(*f.txtAmorizeCode, method == QLatin1String("Amortize"));
    Depr::ConventionOnOff(f, methodIs(f, {"ADS", "Listed", "MACRS"}));
}

void cboClassValidate(frmAsset& f) {
    if (f.cboClass->listIndex() < 0) return;
    if (methodIs(f, {"ADS", "MACRS"})) Depr::MidMonthOnOff(f, Depr::DetermineLife(f) > 27);
    if (methodIs(f, {"Listed", "MACRS"}) && Depr::DetermineLife(f) < 26)
        boxesOn(f);
    else
        boxesOff(f);
    if (Depr::DetermineAutoType(f) != QLatin1String("N")) {
        if (f.lblAutoNum->text().isEmpty()) f.lblAutoNum->setText(Depr::GetNextVehicleNum(f));
    } else {
        f.lblAutoNum->clear();
    }
    if (f.cboMethod->text() == QLatin1String("Amortize"))
        f.txtAmorizeCode->setText(numberText(Depr::DetermineAmortizeCode(f)));
    else
        f.txtAmorizeCode->clear();
    const double classLife = classLifeValue(f.cboClass->text());
    if (classLife <= 0) {
        f.cboLife->setListIndex(-1);
    } else {
        // A class life the list does not offer is written into the box, so the save stores the class's life.
        const int index = f.cboLife->findText(numberText(classLife));
        if (index >= 0)
            f.cboLife->setListIndex(index);
        else
            f.cboLife->setText(numberText(classLife));
    }
    f.lblShowMethod->setText(Depr::ShowMethod(f.cboMethod->text(), lifeNumber(f.cboLife->text())));
}

void cboLifeValidate(frmAsset& f) {
    DisplayMsg(QString());
    if (methodIs(f, {"Listed", "ADS", "MACRS"})) f.cboClass->setListIndex(-1);
    const double life = val(f.cboLife->text());
    if (methodIs(f, {"ADS", "MACRS"})) Depr::MidMonthOnOff(f, life > 27);
    if (f.cboMethod->text() == QLatin1String("MACRS") && life < 21)
        boxesOn(f);
    else
        boxesOff(f);
    f.lblShowMethod->setText(Depr::ShowMethod(f.cboMethod->text(), lifeNumber(f.cboLife->text())));
}

void businessPercentValidate(frmAsset& f) {
    if (methodIs(f, {"Listed", "MACRS"})) {
        const double fraction = Depr::GetBuisnessPecent(f);
        if (fraction <= 0.5) {
            DisplayMsg(QStringLiteral("If Business Percent is 50% or less.") +
                           QStringLiteral(" ADS will be used instead of MACRS."),
                       QStringLiteral("32768"));
            f.lblShowMethod->setText(QStringLiteral("S/L"));
            f.chk179->setChecked(false);
            amount179On(f, false);
            boxesOff(f);
        } else {
            // The method shown follows the life, as the class and life rules show it.
            f.lblShowMethod->setText(Depr::ShowMethod(f.cboMethod->text(), lifeNumber(f.cboLife->text())));
            // Section 179 and the special allowance stay off for a life the class and life rules keep them off
            // for: a building must not be stored as a 179 asset nor take the allowance.
            if (boxesAllowedForLife(f)) {
                f.chk179->setChecked(true);
                amount179On(f, true);
                enableRateBoxes(f, true);
            }
        }
    }
    Depr::Recompute(f);
}

void inServiceValidate(frmAsset& f) {
    setForeColour(*f.lblInService, kBlack);
    if (!Depr::InServiceYear(f)) return;
    if (f.mblnShow179) {
        f.txtYear->clear();
        Depr::Do179Deduction(f);
    }
    // A vehicle keeps the number it has: its use records are filed under it.
    if (Depr::DetermineAutoType(f) != QLatin1String("N") && f.lblAutoNum->text().isEmpty())
        f.lblAutoNum->setText(Depr::GetNextVehicleNum(f));
}

void yearValidate(frmAsset& f) {
    DisplayMsg(QString());
    setForeColour(*f.txtYear, kBlue);
    const QString year = f.txtYear->text();
    if (!year.isEmpty() && year.size() < 4) {
        DisplayMsg(QStringLiteral("Invalid year."), QStringLiteral("255"));
        setForeColour(*f.txtYear, kRed);
        return;
    }
    Depr::GetAssetList(f, glngCompanyId, vb::CInt(val(year)));
    if (f.mblnShow179) Depr::Do179Deduction(f);
}

bool numericKey(int code) { return code < 32 || code == '.' || (code >= '0' && code <= '9'); }

void echoAmount(const QLineEdit& box) {
    DisplayMsg(QString::fromStdString(vb::Format(vb::Variant(box.text().toStdString()), "###,###,###,###")));
}

// A typed character beyond a box's length is dropped (text put in by the program may be longer).
bool beyondMaxLength(const QWidget* field, int code) {
    const auto* edit = qobject_cast<const QLineEdit*>(field);
    return edit && code >= 32 && ui::TypingLimit::refuses(*edit);
}

}  // namespace

std::map<QWidget*, std::function<void()>> AssetFieldRules::validateRules(frmAsset& f) {
    frmAsset* form = &f;
    return {
        {f.cboMethod, [form] { cboMethodValidate(*form); }},
        {f.cboClass, [form] { cboClassValidate(*form); }},
        {f.cboLife, [form] { cboLifeValidate(*form); }},
        {f.txtCost, [form] { recomputeAndCheck(*form); }},
        {f.txt179Amt, [form] { recomputeAndCheck(*form); }},
        {f.txtOtherDeductions, [form] { recomputeAndCheck(*form); }},
        {f.txtBusinessPercent, [form] { businessPercentValidate(*form); }},
        {f.txtInService, [form] { inServiceValidate(*form); }},
        {f.txtAssetID, [] { DisplayMsg(QString()); }},
        {f.txtYear, [form] { yearValidate(*form); }},
    };
}

std::vector<QWidget*> AssetFieldRules::keyWatched(frmAsset& f) {
    return {f.txtCost, f.txt179Amt, f.txtOtherDeductions, f.txtDispositionAmt, f.txtBusinessPercent,
            f.txtDescription, f.txtNotes, f.mskSold, f.txtInService, f.cboLife, f.txtAssetID, f.txtYear};
}

void AssetFieldRules::connectEdits(frmAsset& f) {
    frmAsset* form = &f;
    const std::array<QLineEdit*, 11> assetFields = {
        f.txtDescription, f.txtCost,          f.txt179Amt,    f.txtOtherDeductions, f.txtBusinessPercent,
        f.txtNotes,       f.txtDispositionAmt, f.txtInService, f.mskSold,            f.txtAmorizeCode,
        f.cboLife->lineEdit()};
    for (QLineEdit* field : assetFields)
        QObject::connect(field, &QLineEdit::textEdited, form, [form] { form->fieldChanged(); });
    QObject::connect(f.txtDescription, &QLineEdit::textEdited, form, [form] { form->noteDescriptionTyped(); });
}

std::vector<QWidget*> AssetFieldRules::selectOnFocus(frmAsset& f) {
    return {f.txtCost, f.txtBusinessPercent, f.txtDescription, f.txtInService};
}

bool AssetFieldRules::onKey(frmAsset& f, QWidget* field, QKeyEvent* event) {
    // Tab moves the focus on: the field it leaves sees no key.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) return false;
    // Shift, Ctrl or Alt pressed on its own (the start of Alt+N for New) edits nothing.
    if (ui::isModifierKey(event->key())) return false;
    const bool down = event->type() == QEvent::KeyPress;
    const int code = down ? ui::keyAscii(*event) : -1;
    const bool press = code >= 0;
    auto filterNumeric = [&] {
        if (numericKey(code)) return false;
        beeper()();
        return true;
    };
    bool drop = press && beyondMaxLength(field, code);

    if (field == f.txtCost) {
        if (down) DisplayMsg(QString());
        if (press) drop = drop || filterNumeric();
        if (!down) {
            echoAmount(*f.txtCost);
            f.fieldChanged();
        }
    } else if (field == f.txt179Amt || field == f.txtOtherDeductions || field == f.txtDispositionAmt) {
        if (press) drop = drop || filterNumeric();
        if (!down) {
            echoAmount(*static_cast<QLineEdit*>(field));
            f.fieldChanged();
        }
    } else if (field == f.txtBusinessPercent) {
        if (down) {
            f.fieldChanged();
            DisplayMsg(QString());
        }
        if (press) {
            drop = drop || filterNumeric();
            f.fieldChanged();
        }
    } else if (field == f.txtDescription) {
        if (down) {
            f.fieldChanged();
            f.noteDescriptionTyped();
        }
    } else if (field == f.txtNotes) {
        if (press) f.fieldChanged();
    } else if (field == f.mskSold) {
        if (press || !down) f.fieldChanged();
    } else if (field == f.txtInService) {
        if (press) {
            DisplayMsg(QString());
            f.fieldChanged();
        }
    } else if (field == f.cboLife) {
        if (press) {
            drop = filterNumeric();
            f.fieldChanged();
        }
        if (!down) {
            DisplayMsg(QString());
            if (methodIs(f, {"Listed", "ADS", "MACRS"})) f.cboClass->setListIndex(-1);
        }
    } else if (field == f.txtAssetID) {
        if (press && code >= '0' && code <= '9' && !drop) {
            f.cboAssets->setListIndex(-1);
            f.txtYear->clear();
        } else if (press && code >= 32 && code != '.' && !(code >= '0' && code <= '9')) {
            beeper()();
            drop = true;
        }
    } else if (field == f.txtYear) {
        if (press && code >= 32 && code != '.') {
            if (!(code >= '0' && code <= '9')) {
                beeper()();
                drop = true;
            }
            f.txtAssetID->clear();
        }
    }
    return drop;
}

void AssetFieldRules::connectClicks(frmAsset& f) {
    frmAsset* form = &f;
    // Each rule runs behind the window's error box: a figure too large for a number raises while it is worked out.
    const auto guardedRule = [form](const char* where, std::function<void()> rule) {
        return [form, where, rule = std::move(rule)] { form->runGuarded(where, rule); };
    };
    const std::array<std::pair<QCheckBox*, double>, 3> rates = {
        std::pair{f.chkBonus, 0.3}, std::pair{f.chk50Bonus, 0.5}, std::pair{f.chk100Bonus, 1.0}};
    for (const auto& [box, rate] : rates) {
        QObject::connect(box, &QCheckBox::toggled, form, [form, guardedRule, box = box, rate = rate](bool ticked) {
            guardedRule("chkBonus_Click", [form, box, rate, ticked] {
                if (ticked) {
                    for (QCheckBox* other : form->rateBoxes())
                        if (other != box) other->setChecked(false);
                    Depr::CalculateAllowance(*form, rate);
                } else {
                    form->lbl30Allowance->clear();
                }
                form->cmdSave->setEnabled(true);
                Depr::CalculateCostBasis(*form);
                form->mblnDirty = true;
            })();
        });
    }
    QObject::connect(f.chk179, &QCheckBox::toggled, form, [form, guardedRule](bool ticked) {
        guardedRule("chk179_Click", [form, ticked] {
            amount179On(*form, ticked);
            form->cmdSave->setEnabled(true);
            Depr::CalculateCostBasis(*form);
            form->mblnDirty = true;
        })();
    });
    for (QRadioButton* option : f.optConvention)
        QObject::connect(option, &QRadioButton::toggled, form, [form, guardedRule](bool on) {
            if (on) guardedRule("optConvention_Click", [form] { form->fieldChanged(); })();
        });
    QObject::connect(f.cboMethod, &VbCombo::dropDown, form, guardedRule("cboMethod_DropDown", [form] {
        switchField(*form->cboLife, true);
        form->cboLife->clear();
        form->cboClass->setListIndex(-1);
        switchField(*form->cboClass, true);
        DisplayMsg(QString());
        form->fieldChanged();
        form->txtAmorizeCode->clear();
        form->lblShowMethod->clear();
    }));
    QObject::connect(f.cboClass, &VbCombo::dropDown, form, guardedRule("cboClass_DropDown", [form] {
        if (methodIs(*form, {"MACRS", "ADS"})) form->cboLife->setText(QString());
        DisplayMsg(QString());
        form->fieldChanged();
    }));
    QObject::connect(f.cboLife, &VbCombo::dropDown, form, guardedRule("cboLife_DropDown", [form] {
        DisplayMsg(QString());
        form->fieldChanged();
    }));
    QObject::connect(f.cboAssets, &VbCombo::dropDown, form, guardedRule("cboAssets_DropDown", [form] {
        form->txtAssetID->clear();
        DisplayMsg(QString());
    }));
}

}  // namespace tally::desk
