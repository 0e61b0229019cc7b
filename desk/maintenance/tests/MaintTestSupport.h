#pragma once
// The maintenance window on the program's main window, driven as a user drives it: typing into the edit fields,
// choosing from the drop-down lists, clicking rows, headers and buttons.

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include "Colour.h"
#include "DeskTestSupport.h"
#include "ListView.h"
#include "MaintenancePart.h"
#include "MaskedEdit.h"
#include "Startup.h"
#include "db.h"
#include "frmMaint.h"

namespace tally::desk::testing {

class MaintTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
        installMaintenancePart(deskCommands());
        ASSERT_TRUE(Main());
        QApplication::setActiveWindow(mainWindow());  // so that the fields can take the cursor
        SetCompanyId(1);
        gstrCompanyName = "Sample Company";
    }

    static frmMaint* window() {
        for (QMdiSubWindow* w : mainWindow()->mdiArea().subWindowList())
            if (auto* form = qobject_cast<frmMaint*>(w)) return form;
        return nullptr;
    }

    static frmMaint& open(const char* key) {
        deskCommands().showMaintenance(QLatin1String(key));
        frmMaint* form = window();
        if (!form) throw std::runtime_error("no maintenance window");
        return *form;
    }

    // Replaces a field's text by typing, as the user does.
    static void type(frmMaint& form, int field, const QString& text) {
        ui::MaskedEdit* edit = form.mskEdit(field);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    static void choose(frmMaint& form, int field, const QString& entry) {
        QComboBox* combo = form.cboEdit(field);
        const int index = combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    static QTreeWidgetItem* rowWithText(frmMaint& form, const QString& first, int column = 0) {
        ui::ListView& list = form.lvMain();
        for (int i = 0; i < list.rowCount(); ++i)
            if (ui::ListView::cellText(list.row(i), column) == first) return list.row(i);
        return nullptr;
    }

    static void clickRow(frmMaint& form, const QString& first, int column = 0) {
        QTreeWidgetItem* row = rowWithText(form, first, column);
        ASSERT_NE(row, nullptr) << first.toStdString();
        form.lvMain().selectRow(row);
    }

    // A click on a column's header section, where the user clicks it.
    static void clickHeader(frmMaint& form, int col) {
        QHeaderView& header = *form.lvMain().header();
        const QPoint at(header.sectionViewportPosition(col) + header.sectionSize(col) / 2, header.height() / 2);
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, at);
    }

    static QStringList column(frmMaint& form, int col) {
        QStringList texts;
        for (int i = 0; i < form.lvMain().rowCount(); ++i) texts << ui::ListView::cellText(form.lvMain().row(i), col);
        return texts;
    }

    static QStringList fieldTexts(frmMaint& form) {
        QStringList texts;
        for (int i = 0; i <= form.fieldCount() - 2; ++i) texts << form.mskEdit(i)->text();
        return texts;
    }

    // Enabled state of New, Delete, UnDo, Apply.
    static std::string buttons(frmMaint& form) {
        std::string s;
        for (QPushButton* b : {&form.cmdNew(), &form.cmdDelete(), &form.cmdCancel(), &form.cmdSave()})
            s += b->isEnabled() ? '1' : '0';
        return s;
    }

    static bool red(QWidget* widget) { return ui::textColour(*widget) == 255; }
    static bool statusRed(frmMaint& form) { return red(&form.lblStatusBar()); }
    static QString status(frmMaint& form) { return form.lblStatusBar().text(); }

    static vb::Variant value(const std::string& sql) { return engine::db().ReturnValue(sql); }
    static long count(const std::string& sql) { return value(sql).toLong(); }
};

}  // namespace tally::desk::testing
