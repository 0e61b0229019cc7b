// The asset window's boxes under the keys and pastes a user gives them on a desktop: Delete as X11 delivers it,
// a click into an empty date box, pasted texts against each box's length, and the buttons' Alt keys.
#include <algorithm>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include "AltKeys.h"
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

TEST_F(AssetKeys, PastingKeepsEveryBoxsLengthAsTypingDoes) {
    macrs();
    const QString digits = QStringLiteral("1234567890").repeated(8);
    const struct {
        QLineEdit* field;
        int length;
    } rows[] = {
        {f->txtDescription, 35}, {f->txtNotes, 75},          {f->txtAssetID, 10},        {f->txtYear, 4},
        {f->txtCost, 9},         {f->txt179Amt, 9},          {f->txtOtherDeductions, 9}, {f->txtDispositionAmt, 9},
        {f->txtBusinessPercent, 4},
    };
    QGuiApplication::clipboard()->setText(digits);
    for (const auto& row : rows) {
        const std::string name = row.field->objectName().toStdString();
        row.field->clear();
        clickInto(row.field);
        pressAsX11(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(row.field->text(), digits.left(row.length)) << name;

        // Shift+Insert in place of the whole text, and again at its end, where nothing more goes in.
        pressAsX11(Qt::Key_A, Qt::ControlModifier);
        pressAsX11(Qt::Key_Insert, Qt::ShiftModifier);
        pressAsX11(Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(row.field->text(), digits.left(row.length)) << name;
    }

    // The context menu's Paste into a box of one word fills it up to its length, and the asset counts as changed.
    type(f->txtDescription, "Copier ");
    f->mblnDirty = false;
    QGuiApplication::clipboard()->setText(QStringLiteral("with a stand, a sorter and a finisher for booklets"));
    const QPoint inside = f->txtDescription->rect().center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, inside, f->txtDescription->mapToGlobal(inside));
    QApplication::sendEvent(f->txtDescription, &menuKey);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> entries = menu->actions();
    const auto paste = std::find_if(entries.begin(), entries.end(),
                                    [](const QAction* a) { return a->text().startsWith(QLatin1String("&Paste")); });
    ASSERT_NE(paste, entries.end());
    (*paste)->trigger();
    menu->close();
    EXPECT_EQ(f->txtDescription->text(), "Copier with a stand, a sorter and a");
    EXPECT_TRUE(f->mblnDirty);
}

TEST_F(AssetKeys, AStoredDescriptionLongerThanTheBoxLoadsAndSavesUnchanged) {
    addMacrsAsset("Copier", "03/2024", "10000");
    const QString stored = QStringLiteral("Copier with a stand, a sorter and a booklet finisher");
    exec("update tblAssets set Asset_name = '" + stored.toStdString() + "'");
    retrieveLast();
    EXPECT_EQ(f->txtDescription->text(), stored);

    // Pasting cannot lengthen it further; the stored text goes back as it was.
    QGuiApplication::clipboard()->setText(QStringLiteral(" and more"));
    clickInto(f->txtDescription);
    pressAsX11(Qt::Key_End);
    pressAsX11(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f->txtDescription->text(), stored);
    type(f->txtCost, "12000");
    leave();
    click(f->cmdSave);
    EXPECT_EQ(value("select Asset_name from tblAssets").toString(), stored.toStdString());
    EXPECT_EQ(value("select Cost from tblAssets").toLong(), 12000);
}

// The keys a user gives the buttons: a new asset saved with Alt+A, then Alt+N for the next one. Alt pressed alone
// in a field counted as an edit, so the window just emptied by the save asked "Save Changes?" of nothing; and Alt
// with the letter of a button that is off typed that letter into the field.
TEST_F(AssetKeys, AssetsEnteredWithTheButtonsAltKeys) {
    ui::refuseAltTyping(*QCoreApplication::instance());
    const auto altAnd = [this](QWidget* field, Qt::Key key) {
        enter(field);
        QTest::keyClick(field, key, Qt::AltModifier);  // Alt goes down first, on its own, as from the keyboard
    };
    type(f->txtDescription, "Router");
    choose(f->cboMethod, "MACRS");
    choose(f->cboLife, "5");
    type(f->txtCost, "7000");
    altAnd(f->txtBusinessPercent, Qt::Key_A);
    // A mnemonic clicks the way a button shows it was pressed: a moment later.
    ASSERT_TRUE(QTest::qWaitFor([this] { return status() == "Asset Added"; }, 2000)) << status().toStdString();
    EXPECT_EQ(count("select count(*) from tblAssets where Asset_name = 'Router' and Cost = 7000"), 1);

    altAnd(f->txtDescription, Qt::Key_N);
    ASSERT_TRUE(QTest::qWaitFor([this] { return status().isEmpty(); }, 2000));
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join(" / ").toStdString();
    EXPECT_FALSE(f->mblnDirty);

    type(f->txtDescription, "Desk");
    ASSERT_FALSE(f->cmdDelete->isEnabled());
    altAnd(f->txtDescription, Qt::Key_D);
    EXPECT_EQ(f->txtDescription->text(), "Desk");
}

}  // namespace
}  // namespace tally::desk::testing
