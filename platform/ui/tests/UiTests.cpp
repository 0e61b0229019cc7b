#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <stdexcept>

#include "AltKeys.h"
#include "Colour.h"
#include "ComError.h"
#include "ErrorNumber.h"
#include "FakePrompts.h"
#include "ListView.h"
#include "MaskedEdit.h"
#include "Prompts.h"
#include "Settings.h"
#include "Twips.h"
#include "ScopedHome.h"

namespace {

TEST(Twips, ConvertsAtFifteenPerPixelRoundingHalvesToEven) {
    struct Case {
        double twips;
        int pixels;
    } cases[] = {{10500, 700}, {7500, 500}, {0, 0}, {7.5, 0}, {22.5, 2}, {37.5, 2}, {-15, -1}, {375, 25}};
    for (const auto& c : cases) EXPECT_EQ(ui::toPixels(c.twips), c.pixels) << c.twips;
    EXPECT_EQ(ui::toTwips(700), 10500);
}

TEST(Twips, WindowPlaceRoundTripsThroughTwips) {
    QWidget window;
    window.resize(700, 500);
    ui::setWindowLeft(window, 200);
    ui::setWindowTop(window, 1005);
    const auto rect = ui::windowTwips(window);
    EXPECT_EQ(rect.left, 195);  // 13.33 px -> 13 px
    EXPECT_EQ(rect.top, 1005);
    EXPECT_EQ(rect.width, 10500);
    EXPECT_EQ(rect.height, 7500);
}

TEST(Colour, NumbersAreRedPlus256GreenPlus65536Blue) {
    EXPECT_EQ(ui::colourFromNumber(32768), QColor(0, 128, 0));
    EXPECT_EQ(ui::colourFromNumber(255), QColor(255, 0, 0));
    EXPECT_EQ(ui::colourFromNumber(16711680), QColor(0, 0, 255));
    for (std::int32_t n : {0, 255, 32768, 14737632, 16777215}) EXPECT_EQ(ui::numberFromColour(ui::colourFromNumber(n)), n);
    QLabel label;
    ui::setTextColour(label, 255);
    EXPECT_EQ(ui::textColour(label), 255);
}

class SettingsTest : public ::testing::Test {
protected:
    QString homePath() const { return QString::fromStdString(home_.path().string()); }
    tally::testing::ScopedHome home_;
};

TEST_F(SettingsTest, ReadsDefaultsThenWhatWasSavedUnderTheSameNames) {
    EXPECT_TRUE(ui::settingsFilePath().startsWith(homePath()));
    EXPECT_EQ(ui::GetSetting("Tallyvane V4.5", "Settings", "CompanyId", "1"), "1");
    ASSERT_TRUE(ui::SaveSetting("Tallyvane V4.5", "Settings", "CompanyId", "42"));
    ASSERT_TRUE(ui::SaveSetting("mdiMain", "Settings", "MainLeft", "300"));
    EXPECT_EQ(ui::GetSetting("Tallyvane V4.5", "Settings", "CompanyId", "1"), "42");
    EXPECT_EQ(ui::GetSetting("mdiMain", "Settings", "MainLeft", "200"), "300");
    // Each application name is a group of its own.
    EXPECT_EQ(ui::GetSetting("frmMaint", "Settings", "MainLeft", "200"), "200");
    EXPECT_EQ(ui::GetSetting("Tallyvane V4.5", "Settings", "CompanyName", "Sample Company"), "Sample Company");
}

TEST_F(SettingsTest, AnotherHomeHasItsOwnSettings) {
    ASSERT_TRUE(ui::SaveSetting("Tallyvane V4.5", "Settings", "CompanyName", "O'Brien & Sons"));
    QTemporaryDir other;
    qputenv("HOME", other.path().toLocal8Bit());
    EXPECT_EQ(ui::GetSetting("Tallyvane V4.5", "Settings", "CompanyName", "none"), "none");
    qputenv("HOME", homePath().toLocal8Bit());
    EXPECT_EQ(ui::GetSetting("Tallyvane V4.5", "Settings", "CompanyName", "none"), "O'Brien & Sons");
}

TEST(MaskedEdit, MonthYearBoxReadsPlaceholdersWhenEmpty) {
    ui::MaskedEdit box;
    box.setMask(ui::kMonthYearMask);
    EXPECT_EQ(box.Text(), "__/____");
    box.setTextValue("03/2005");
    EXPECT_EQ(box.Text(), "03/2005");
    box.setTextValue("");
    EXPECT_EQ(box.Text(), "__/____");
    for (const char* blank : {"__/____", "  /    "}) {
        box.setTextValue("03/2005");
        box.setTextValue(blank);
        EXPECT_EQ(box.Text(), "__/____") << blank;
    }
}

// Qt would fit any text in by dropping characters, sometimes into another valid date; the masked box refused it.
TEST(MaskedEdit, ATextThatDoesNotFitTheMaskIsRefusedAndTheBoxKeepsItsText) {
    struct Case {
        const char* mask;
        const char* text;
    } cases[] = {{"##/####", "12/31/2008"}, {"##/####", "01/05/2008"}, {"##/####", "2005"},
                 {"##/##/####", "03/2005"},  {"##/####", "1"},          {"##/####", "03-2005"},
                 {"##/####", "0a/2005"},     {"##/####", "03/2005 "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " <- " + c.text);
        const QString loaded = c.mask == std::string("##/####") ? "11/2004" : "11/30/2004";
        ui::MaskedEdit box;
        box.setMask(c.mask);
        box.setTextValue(loaded);
        std::string description;
        EXPECT_EQ(tally::testing::errorNumberOf([&] { box.setTextValue(c.text); }, &description),
                  tally::vberr::InvalidPropertyValue);
        EXPECT_EQ(description, "Invalid property value");
        EXPECT_EQ(box.Text(), loaded);
    }
    ui::MaskedEdit box;
    box.setMask("##/##/####");
    box.setTextValue("12/31/2008");
    EXPECT_EQ(box.Text(), "12/31/2008");
    box.setMask("\\#>?-&");  // an escaped literal, a case switch taking no place
    box.setTextValue("#b-%");
    EXPECT_EQ(box.Text(), "#B-%");
    EXPECT_THROW(box.setTextValue("xb-%"), tally::ComError);
}

TEST(MaskedEdit, ChangingTheMaskClearsTheText) {
    ui::MaskedEdit box;
    box.setMask(ui::kMonthYearMask);
    box.setTextValue("03/2005");
    box.setMask("##/##/####");
    EXPECT_EQ(box.Text(), "__/__/____");
    box.setTextValue("03/15/2005");
    box.setMask("");
    EXPECT_EQ(box.Text(), "");
}

TEST(MaskedEdit, WithoutMaskIsAPlainBoxAndLiteralsAreEscaped) {
    ui::MaskedEdit box;
    box.setTextValue("Truck/Van");
    EXPECT_EQ(box.Text(), "Truck/Van");
    EXPECT_EQ(ui::MaskedEdit::qtInputMask("##/####"), "99/9999;_");
    EXPECT_EQ(ui::MaskedEdit::qtInputMask("$#X"), "$9\\X;_");
    EXPECT_EQ(ui::MaskedEdit::qtInputMask(""), "");
}

TEST(ListView, ColumnsInTwipsAlignedCellsKeysAndBold) {
    ui::ListView list;
    list.addColumn("Name", 3000);
    list.addColumn("Cost", 1500, Qt::AlignRight);
    EXPECT_EQ(list.columnWidth(0), 200);
    EXPECT_EQ(list.columnWidthTwips(1), 1500);
    // Widths between whole pixels are kept to the twip until the column is resized on screen.
    list.setColumnWidthTwips(1, 800);
    EXPECT_EQ(list.columnWidthTwips(1), 800);
    list.setColumnWidth(1, 60);
    EXPECT_EQ(list.columnWidthTwips(1), 900);
    auto* a = list.addRow("Desk");
    list.setCell(a, 1, "100");
    auto* b = list.addRow("Chair");
    EXPECT_NE(ui::ListView::rowKey(a), ui::ListView::rowKey(b));
    EXPECT_EQ(list.rowByKey(ui::ListView::rowKey(b)), b);
    EXPECT_EQ(a->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    list.setCellBold(a, 1, true);
    EXPECT_TRUE(ui::ListView::cellBold(a, 1));
    EXPECT_FALSE(ui::ListView::cellBold(a, 0));
}

TEST(ListView, SortIsStableKeepsSelectionAndRefillingIsNoticed) {
    ui::ListView list;
    list.addColumn("Name", 3000);
    list.addColumn("Group", 1000);
    const char* rows[][2] = {{"a", "2"}, {"b", "1"}, {"c", "2"}, {"d", "1"}};
    for (const auto& r : rows) list.setCell(list.addRow(r[0]), 1, r[1]);
    list.selectRow(list.row(2));
    list.sortRows([](const QTreeWidgetItem* x, const QTreeWidgetItem* y) { return x->text(1) < y->text(1); });
    QStringList order;
    for (int i = 0; i < list.rowCount(); ++i) order << list.row(i)->text(0);
    EXPECT_EQ(order, QStringList({"b", "d", "a", "c"}));
    EXPECT_EQ(list.selectedRow()->text(0), "c");

    const int generation = list.fillGeneration();
    list.removeRow(list.row(0));
    EXPECT_EQ(list.fillGeneration(), generation);
    list.clear();
    EXPECT_GT(list.fillGeneration(), generation);
}

// A window may load a row on these signals; a header sort that keeps the same row selected must not send them.
TEST(ListView, SortSendsNoSelectionSignalsAndKeepsTheCurrentRow) {
    ui::ListView list;
    list.addColumn("Name", 3000);
    for (const char* name : {"c", "b", "a"}) list.addRow(name);
    list.selectRow(list.row(1));
    int currentChanges = 0;
    int selectionChanges = 0;
    QObject::connect(&list, &QTreeWidget::currentItemChanged, [&] { ++currentChanges; });
    QObject::connect(&list, &QTreeWidget::itemSelectionChanged, [&] { ++selectionChanges; });
    list.sortRows([](const QTreeWidgetItem* x, const QTreeWidgetItem* y) { return x->text(0) < y->text(0); });
    EXPECT_EQ(currentChanges, 0);
    EXPECT_EQ(selectionChanges, 0);
    ASSERT_EQ(list.row(1)->text(0), "b");
    EXPECT_EQ(list.currentItem(), list.row(1));
    EXPECT_EQ(list.selectedItems(), QList<QTreeWidgetItem*>({list.row(1)}));
    list.selectRow(list.row(2));  // the signals flow again after the sort
    EXPECT_EQ(currentChanges, 1);
    EXPECT_EQ(selectionChanges, 1);
    EXPECT_EQ(list.selectedRow()->text(0), "c");
}

TEST(ListView, AComparisonThatRaisesLeavesEveryRowInPlace) {
    ui::ListView list;
    list.addColumn("Name", 3000);
    for (const char* name : {"c", "a", "d", "b"}) list.addRow(name);
    list.selectRow(list.row(2));
    int comparisons = 0;
    EXPECT_THROW(list.sortRows([&](const QTreeWidgetItem* x, const QTreeWidgetItem* y) {
        if (++comparisons == 3) throw std::out_of_range("no sort key for this row");
        return x->text(0) < y->text(0);
    }),
                 std::out_of_range);
    QStringList order;
    for (int i = 0; i < list.rowCount(); ++i) order << list.row(i)->text(0);
    EXPECT_EQ(order, QStringList({"c", "a", "d", "b"}));
    EXPECT_EQ(list.selectedRow()->text(0), "d");
}

TEST(FakePrompts, AnswersInOrderElseTheEscapeButtonAndTitlesDefault) {
    ui::FakePrompts fake;
    fake.setDefaultTitle("Tallyvane ");
    fake.answerMessage(ui::mb::Yes);
    EXPECT_EQ(fake.msgBox("Save Changes?", ui::mb::YesNoCancel), ui::mb::Yes);
    EXPECT_EQ(fake.msgBox("Save Changes?", ui::mb::YesNoCancel), ui::mb::Cancel);
    EXPECT_EQ(fake.msgBox("Delete?", ui::mb::YesNo), ui::mb::No);
    EXPECT_EQ(fake.msgBox("Done", ui::mb::OKOnly, "Restore Database"), ui::mb::OK);
    ASSERT_EQ(fake.messages.size(), 4u);
    EXPECT_EQ(fake.messages[0].title, "Tallyvane ");
    EXPECT_EQ(fake.messages[3].title, "Restore Database");
    EXPECT_EQ(fake.inputBox("Enter Year"), "");
    {
        ui::Hourglass wait(fake);
        EXPECT_EQ(fake.waitDepth, 1);
    }
    EXPECT_EQ(fake.waitDepth, 0);
}

TEST(Prompts, InstallingAFakeKeepsTheDefaultTitleAndPuttingBackRestores) {
    ui::prompts().setDefaultTitle("Tallyvane ");
    auto previous = ui::installPrompts(std::make_unique<ui::FakePrompts>());
    auto* fake = dynamic_cast<ui::FakePrompts*>(&ui::prompts());
    ASSERT_NE(fake, nullptr);
    ui::prompts().msgBox("x");
    EXPECT_EQ(fake->messages.at(0).title, "Tallyvane ");
    ui::installPrompts(std::move(previous));
    EXPECT_EQ(dynamic_cast<ui::FakePrompts*>(&ui::prompts()), nullptr);
}

// The real message box shows data as plain text and maps its buttons to the program's results.
TEST(QtPrompts, MessageBoxIsPlainTextAndReturnsTheClickedButton) {
    Qt::TextFormat format = Qt::RichText;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        format = box->textFormat();
        shown = box->text();
        box->button(QMessageBox::No)->click();
    });
    const int answer = ui::prompts().msgBox("<b>Smith & Co</b>", ui::mb::YesNo | ui::mb::Question, "T");
    EXPECT_EQ(answer, ui::mb::No);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown, "<b>Smith & Co</b>");
}

// A long question wraps inside a box no wider than a readable line, and a short one keeps its long title in view.
TEST(QtPrompts, MessageBoxWrapsALongTextAndIsAsWideAsItsTitle) {
    struct Seen {
        int boxWidth = 0;
        int textLines = 0;
    };
    const auto show = [](const QString& text, const QString& title) {
        Seen seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            seen.boxWidth = box->width();
            seen.textLines = label->height() / label->fontMetrics().lineSpacing();
            box->button(QMessageBox::No)->click();
        });
        ui::prompts().msgBox(text, ui::mb::YesNo, title);
        return seen;
    };
    const QString question = QStringLiteral(
        "Is the vehicle used by a sole proprietor, partner or other 'more than 5% owner,' or related person? Delete "
        "asset 8 and all depreciation for this asset? To keep an audit trail for this asset use the disposition "
        "option instead of deleting it.");
    const Seen wrapped = show(question, QStringLiteral("Auto Use"));
    EXPECT_GE(wrapped.textLines, 2);
    EXPECT_LT(wrapped.boxWidth, 800);

    const QString title = QStringLiteral("Questions for Employers Who Provide Vehicles");
    const Seen titled = show(QStringLiteral("Delete"), title);
    // Room for the title in a bold face and for the title bar's three buttons.
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(titled.boxWidth, QFontMetrics(bold).horizontalAdvance(title) + 3 * 20);
}

TEST(QtPrompts, InputBoxLabelIsPlainTextAndCancelGivesEmpty) {
    Qt::TextFormat format = Qt::RichText;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        format = dialog->findChild<QLabel*>()->textFormat();
        dialog->reject();
    });
    EXPECT_EQ(ui::prompts().inputBox("<i>Enter Year</i>", "", "2009"), "");
    EXPECT_EQ(format, Qt::PlainText);
}

// Under X11 an Alt key no mnemonic took reached the focused box as its letter: Alt+N with New disabled typed "n"
// into the name being entered, and Alt+T in a drop-down picked an entry.
TEST(AltKeys, AnAltKeyNoButtonTakesTypesNothing) {
    ui::refuseAltTyping(*QApplication::instance());
    QWidget window;
    auto* name = new QLineEdit(&window);
    auto* kind = new QComboBox(&window);
    kind->addItems({"Business", "Truck"});
    auto* newButton = new QPushButton(QStringLiteral("&New"), &window);
    newButton->setEnabled(false);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    name->setFocus();
    name->setText("Ridge Farms");
    QTest::keyClick(name, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(name, Qt::Key_N, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(name->text(), "Ridge Farms");
    QTest::keyClick(name, Qt::Key_S);
    EXPECT_EQ(name->text(), "Ridge Farmss");
    kind->setFocus();
    QTest::keyClick(kind, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(kind->currentText(), "Business");
    QTest::keyClick(kind, Qt::Key_T);
    EXPECT_EQ(kind->currentText(), "Truck");
}

}  // namespace
