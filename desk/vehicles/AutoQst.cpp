// The employer questionnaire's routines: opening, loading, validation, writing and deletion of the company's
// answers for the year.

#include <algorithm>

#include <QLabel>

#include "Auto.h"
#include "AutoUseText.h"
#include "Colour.h"
#include "DesktopState.h"
#include "Prompts.h"
#include "StatusLine.h"
#include "VehicleErrors.h"
#include "VehicleUseState.h"
#include "YesNoPair.h"
#include "db.h"
#include "frmAutoQst.h"
#include "mdiMain.h"
#include "modAutoUse.h"

namespace tally::desk::modAutoUse {

namespace {
constexpr const char* kMissing[5] = {
    " All Personal answer is missing! ", " Commute answer is missing! ", " Personal answer is missing! ",
    " Five vehicle answer is missing! ", " Requirements answer is missing! ",
};
}  // namespace

void DoAutoQstForm(std::int16_t intYear) {
    VehicleUseState& s = vehicleUseState();
    s.gintAutoUseYear = intYear;
    s.gblnAutoQstHasYes = false;
    frmAutoQst window(mainWindow());
    window.Form_Load();
    window.exec();
}

void GetAutoQst(frmAutoQst& window) {
    vehicleStep(QStringLiteral("Error in GetAutoQst. "), [&] {
        VehicleUseState& s = vehicleUseState();
        const ado::RecordsetPtr rs = engine::Auto().GetAutoQst(s.gintAutoUseYear, glngCompanyId);
        window.lblTitle().setText(QStringLiteral("Data for ") + gstrCompanyName + QStringLiteral(" for year ") +
                                  QString::number(s.gintAutoUseYear));
        s.gblnAutoQstExists = !rs->EOF_();
        if (!s.gblnAutoQstExists) return;
        for (int i = 0; i < 5; ++i) {
            const vb::Variant& value = (*rs)[i];
            window.answer(i).setAnswer(!value.isNull() && value.toBool());  // Null shows as No
        }
    });
}

bool ValidateAutoQst(frmAutoQst& window) {
    bool result = true;
    const bool checked = vehicleStep(QStringLiteral("Error in ValidateAutoQst. "), [&] {
        DisplayMsg({});
        QString messages;
        for (int i = 0; i < 5; ++i) ui::setTextColour(window.question(i), 0);
        for (int i = 0; i < 5; ++i) {
            if (window.answer(i).answered()) continue;
            result = false;
            ui::setTextColour(window.question(i), 255);
            messages += QLatin1String(kMissing[i]);
        }
        if (!result) DisplayMsg(messages, QStringLiteral("255"));
    });
    // Answers that could not be checked are not valid.
    return checked && result;
}

bool AddUpdateAutoQst(frmAutoQst& window) {
    VehicleUseState& s = vehicleUseState();
    s.gblnAutoQstHasYes = false;
    DisplayMsg({});
    if (!ValidateAutoQst(window)) return false;
    const AutoQstAnswers answers = window.yesAnswers();
    try {
        bool updated = false;
        if (s.gblnAutoQstExists) {
            // A row that went away since loading is added again rather than reported as updated.
            updated = engine::db().ExecuteSqlCount(
                          AutoQstUpdateSql(glngCompanyId, s.gintAutoUseYear, answers).toStdString()) > 0;
        }
        if (updated) {
            DisplayMsg(QStringLiteral("Record updated."));
        } else {
            engine::Auto().AddAutoQst(AutoQstValueList(glngCompanyId, s.gintAutoUseYear, answers).toStdString());
            s.gblnAutoQstExists = true;
            DisplayMsg(QStringLiteral("Record Added."));
        }
    } catch (...) {
        showError(QStringLiteral("Error in AddUpdateAutoQst. "), currentError(), ErrorLayout::Blank);
        return false;
    }
    // Only answers that were stored exempt the company.
    s.gblnAutoQstHasYes = std::find(answers.begin(), answers.end(), true) != answers.end();
    return true;
}

void DeleteAutoQst(frmAutoQst& window) {
    vehicleStep(QStringLiteral("Error in DeleteAutoQst. "), [&] {
        if (ui::prompts().msgBox(QStringLiteral("Do you want to delete this Questionaire?"), ui::mb::YesNo,
                                 QStringLiteral("Delete Questionaire")) != ui::mb::Yes)
            return;
        VehicleUseState& s = vehicleUseState();
        engine::Auto().DeleteAutoQst(s.gintAutoUseYear, glngCompanyId);
        s.gblnAutoQstExists = false;
        // The answers that exempted the company are gone with the row.
        s.gblnAutoQstHasYes = false;
        for (int i = 0; i < 5; ++i) window.answer(i).clear();
    });
}

}  // namespace tally::desk::modAutoUse
