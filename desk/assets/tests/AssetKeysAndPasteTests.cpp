// The asset window's boxes under the keys and pastes a user gives them on a desktop: Delete as X11 delivers it,
// a click into an empty date box, and pasted texts against each box's length.
#include "AssetTestSupport.h"

namespace tally::desk::testing {
namespace {

class AssetKeys : public AssetWindowTest {
protected:
    // A click into the box, as the mouse gives it (at `at`, or the box's middle).
    static void clickInto(QWidget* field, std::optional<QPoint> at = std::nullopt) {
        if (auto* combo = qobject_cast<QComboBox*>(field)) field = combo->lineEdit();
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, at.value_or(field->rect().center()));
        QCoreApplication::processEvents();
    }
    static QLineEdit* editOf(QWidget* field) {
        if (auto* combo = qobject_cast<QComboBox*>(field)) return combo->lineEdit();
        return qobject_cast<QLineEdit*>(field);
    }
    // A five-year MACRS asset: the 179 amount and the life box are switched on.
    void macrs() {
        choose(f->cboMethod, "MACRS");
        choose(f->cboLife, "5");
        leave();
    }
};

TEST_F(AssetKeys, DeleteDeletesWhereverBackspaceDoes) {
    macrs();
    const QString fullDescription(35, QLatin1Char('d'));
    const struct {
        QWidget* field;
        QString text;
        bool ofTheAsset;  // an edit marks the asset changed
    } rows[] = {
        {f->txtCost, "123", true},           {f->txt179Amt, "123", true},     {f->txtOtherDeductions, "123", true},
        {f->txtDispositionAmt, "123", true}, {f->txtBusinessPercent, "100", true}, {f->cboLife, "123", true},
        {f->txtDescription, fullDescription, true}, {f->txtNotes, "abc", true},    {f->txtAssetID, "123", false},
        {f->txtYear, "2024", false},
    };
    for (const auto& row : rows) {
        const QString name = row.field->objectName();
        type(row.field, row.text);
        beeps_ = 0;
        clickInto(row.field);
        pressAsX11(Qt::Key_Home);
        f->mblnDirty = false;
        pressAsX11(Qt::Key_Delete);
        EXPECT_EQ(editOf(row.field)->text(), row.text.mid(1)) << name.toStdString();
        EXPECT_EQ(f->mblnDirty, row.ofTheAsset) << name.toStdString();
        pressAsX11(Qt::Key_End);
        pressAsX11(Qt::Key_Backspace);
        EXPECT_EQ(editOf(row.field)->text(), row.text.mid(1).chopped(1)) << name.toStdString();
        EXPECT_EQ(beeps_, 0) << name.toStdString();
    }

    // Business % selects its "100" when clicked; Delete empties it and the asset counts as changed.
    type(f->txtBusinessPercent, "100");
    leave();
    f->mblnDirty = false;
    clickInto(f->txtBusinessPercent);
    ASSERT_EQ(f->txtBusinessPercent->selectedText(), "100");
    pressAsX11(Qt::Key_Delete);
    EXPECT_EQ(f->txtBusinessPercent->text(), "");
    EXPECT_TRUE(f->mblnDirty);
    EXPECT_EQ(beeps_, 0);
}

TEST_F(AssetKeys, AClickOrTabIntoAnEmptyDateBoxTypesFromItsFirstPlace) {
    for (ui::MaskedEdit* date : {f->txtInService, f->mskSold}) {
        const std::string name = date->objectName().toStdString();
        date->clear();
        clickInto(date, QPoint(date->width() - 4, date->height() / 2));
        QTest::keyClicks(date, "08/2025");
        EXPECT_EQ(date->Text(), "08/2025") << name;

        date->clear();
        leave();
        QWidget* before = date->previousInFocusChain();
        while (!(before->focusPolicy() & Qt::TabFocus) || !before->isEnabled() || !before->isVisible())
            before = before->previousInFocusChain();
        enter(before);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), date) << name;
        QTest::keyClicks(date, "082025");
        EXPECT_EQ(date->Text(), "08/2025") << name;
    }
    // A box that holds a typed character keeps the cursor where the click fell.
    f->mskSold->setTextValue("08/2025");
    clickInto(f->mskSold, QPoint(f->mskSold->width() - 4, f->mskSold->height() / 2));
    EXPECT_EQ(f->mskSold->cursorPosition(), 7);
}

}  // namespace
}  // namespace tally::desk::testing
