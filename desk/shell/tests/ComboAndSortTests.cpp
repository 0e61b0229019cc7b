// The shared combo-box routines and the list sort.

#include <QAbstractItemView>
#include <QComboBox>

#include "ComboRoutines.h"
#include "DeskTestSupport.h"
#include "ListView.h"
#include "ListViewSort.h"
#include "MaintHooks.h"
#include "MaskedEdit.h"
#include "Recordset.h"

namespace tally::desk::testing {
namespace {

QComboBox* comboOf(std::initializer_list<const char*> items) {
    auto* combo = new QComboBox;
    for (const char* item : items) combo->addItem(QString::fromLatin1(item));
    return combo;
}

class Combo : public DeskTest {};

TEST_F(Combo, FindsByTrimmedItemTextWithCaseCounting) {
    std::unique_ptr<QComboBox> combo(comboOf({"ADS", "MACRS  ", "SL", "macrs", "AMORT"}));
    combo->setCurrentIndex(2);
    EXPECT_EQ(GetCboIndex(" ", *combo), 4);
    EXPECT_EQ(combo->currentIndex(), 2);  // untouched
    EXPECT_EQ(GetCboIndex("MACRS", *combo), 1);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(GetCboIndex("macrs", *combo), 3);
    EXPECT_EQ(GetCboIndex("SL ", *combo), 0);  // the text searched for is not trimmed: no match
    EXPECT_EQ(combo->currentIndex(), 4);
    QComboBox empty;
    EXPECT_EQ(GetCboIndex(" ", empty), -1);
    EXPECT_EQ(GetCboIndex("x", empty), 0);
}

TEST_F(Combo, FindsByIdAndZeroMeansTheLastPosition) {
    std::unique_ptr<QComboBox> combo(comboOf({"a", "b", "c"}));
    for (int i = 0; i < 3; ++i) combo->setItemData(i, (i + 1) * 10);
    EXPECT_EQ(GetCboIndexFromItemData(20, *combo), 1);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(GetCboIndexFromItemData(0, *combo), 2);
    EXPECT_EQ(GetCboIndexFromItemData(99, *combo), 0);
    EXPECT_EQ(combo->currentIndex(), 2);
}

ado::RecordsetPtr rows(std::vector<std::vector<vb::Variant>> values, int fields = 2) {
    std::vector<ado::FieldInfo> info{{"Name", ado::DataType::VarWChar, 50}, {"id", ado::DataType::Integer, 4}};
    info.resize(static_cast<std::size_t>(fields));
    return std::make_shared<ado::Recordset>(info, std::move(values));
}

TEST_F(Combo, FillsTrimmedTextsWithIdsAndEmptiesTheCallersRecordset) {
    QComboBox combo;
    combo.addItem("old");
    auto rs = rows({{vb::Variant("  Gas "), vb::Variant(std::int32_t{3})}, {vb::Variant("Truck/Van"), vb::Variant("7")}});
    FillCboBox(rs, combo, true);
    EXPECT_EQ(rs, nullptr);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "Gas");
    EXPECT_EQ(combo.itemData(1).toInt(), 7);

    auto none = rows({});
    FillCboBox(none, combo, false);
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(none, nullptr);
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(Combo, TheSameErrorTwiceInOneCallEndsIt) {
    QComboBox combo;
    ado::RecordsetPtr missing;
    FillCboBox(missing, combo, false);
    QStringList texts = prompts_->messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].startsWith("Error in FillCboBox. ") && texts[0].endsWith(" Error Number: 91"));
    EXPECT_EQ(texts[1], "Can not complete operation. Exiting operation.");

    // Ids asked of a one-field recordset: the first row reports, the second ends the fill.
    prompts_->clearRecords();
    auto oneField = rows({{vb::Variant("a")}, {vb::Variant("b")}, {vb::Variant("c")}}, 1);
    FillCboBox(oneField, combo, true);
    texts = prompts_->messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].endsWith(" Error Number: 3265"));
    EXPECT_EQ(texts[1], "Can not complete operation. Exiting operation.");
    EXPECT_EQ(combo.count(), 2);
}

TEST_F(Combo, DropDownWidensOnlyForAnEntryWiderThanTheCombo) {
    QWidget window;
    auto* combo = new QComboBox(&window);
    combo->resize(200, 24);  // 3000 twips
    combo->addItem("short");
    combo->addItem("a rather long entry");
    const int before = combo->view()->minimumWidth();
    ComboMetrics metrics{[](const QString& text, const QWidget&) { return text.size() * 100.0; }, [] { return 17; }};
    std::int16_t width = 2300;
    SetCboWidth(*combo, window, width, metrics);
    EXPECT_EQ(width, 2300 + 15 * 25);  // every entry is narrower than the floor
    EXPECT_EQ(combo->view()->minimumWidth(), before);

    combo->addItem(QString(60, 'w'));  // 6000 twips -> 2800 above the floor of 2300
    width = 2300;
    SetCboWidth(*combo, window, width, metrics);
    EXPECT_EQ(width, 2800 + 375);
    EXPECT_EQ(combo->view()->minimumWidth(), 3175 / 15);
}

// A maintenance window reduced to what the routines use.
class FakeMaint : public MaintWindowHooks {
public:
    ui::ListView list;
    QStringList calls;
    ui::MaskedEdit* mskEdit(int) override { return nullptr; }
    QComboBox* cboEdit(int) override { return nullptr; }
    QComboBox* loadCboEdit(int) override { return nullptr; }
    std::int16_t fieldCount() const override { return 0; }
    ui::ListView& lvMain() override { return list; }
    void ResetEditMode() override { calls << "ResetEditMode"; }
    void NewRecord() override { calls << "NewRecord"; }
    void ItializeDataField() override { calls << "ItializeDataField"; }
    void UpdateMaintStatusBar(const QString& message, const QString&) override { calls << message; }
};

class Sort : public DeskTest {
protected:
    void fill(std::initializer_list<std::pair<const char*, const char*>> cells) {
        maint_->list.clear();
        if (maint_->list.columnCount() == 0) {
            maint_->list.addColumn("Name", 2000);
            maint_->list.addColumn("Value", 2000, Qt::AlignRight);
        }
        for (const auto& [name, value] : cells) maint_->list.setCell(maint_->list.addRow(name), 1, value);
    }
    QStringList names() {
        QStringList out;
        for (int i = 0; i < maint_->list.rowCount(); ++i) out << maint_->list.row(i)->text(0);
        return out;
    }
    void TearDown() override {
        maint_.reset();
        DeskTest::TearDown();
    }
    std::unique_ptr<FakeMaint> maint_ = std::make_unique<FakeMaint>();
};

TEST_F(Sort, NumbersDatesAndTextsSortByTheirKind) {
    fill({{"a", "100"}, {"b", "9"}, {"c", "10"}});
    SortListView(maint_->list, 1, 20, 0);
    EXPECT_EQ(names(), QStringList({"b", "c", "a"}));

    fill({{"late", "01/15/2010"}, {"early", "12/31/2009"}});
    SortListView(maint_->list, 1, 7, 0);
    EXPECT_EQ(names(), QStringList({"early", "late"}));

    fill({{"Beta", ""}, {"abc", ""}, {"ABC", ""}, {"alpha", ""}});
    SortListView(maint_->list, 0, 200, 0);
    EXPECT_EQ(names(), QStringList({"abc", "ABC", "alpha", "Beta"}));  // abc and ABC equal: kept in order
}

TEST_F(Sort, OnlyThirtyOneCharactersCountAndEmptiesTakeNoPart) {
    const QString same(31, 'x');
    fill({{"1", qPrintable(same + "b")}, {"2", qPrintable(same + "a")}});
    SortListView(maint_->list, 1, 200, 0);
    EXPECT_EQ(names(), QStringList({"1", "2"}));

    fill({{"a", "30"}, {"empty", ""}, {"b", "10"}, {"zero", "0"}, {"c", "20"}});
    SortListView(maint_->list, 1, 3, 0);
    EXPECT_EQ(names(), QStringList({"b", "empty", "c", "zero", "a"}));
}

TEST_F(Sort, ClicksToggleOnOneColumnAndStartAscendingOnAnother) {
    fill({{"b", "1"}, {"a", "2"}, {"c", "3"}});
    SortListView(maint_->list, 1, 20, 0);
    EXPECT_EQ(sortState().gintSortOrder, 1);
    SortListView(maint_->list, 1, 20, 0);
    EXPECT_EQ(sortState().gintSortOrder, 2);
    EXPECT_EQ(names(), QStringList({"c", "a", "b"}));
    SortListView(maint_->list, 0, 200, 0);
    EXPECT_EQ(sortState().gintSortOrder, 1);
    EXPECT_EQ(names(), QStringList({"a", "b", "c"}));
}

TEST_F(Sort, ARefilledListStartsWithoutTheOldSort) {
    fill({{"b", "1"}, {"a", "2"}});
    SortListView(maint_->list, 1, 20, 0);
    fill({{"x", "5"}, {"y", "4"}});  // another table shown
    SortListView(maint_->list, 1, 20, 0);
    EXPECT_EQ(sortState().gintSortOrder, 1);
    EXPECT_EQ(names(), QStringList({"y", "x"}));
}

TEST_F(Sort, DeletingFromADescendingListKeepsItDescending) {
    fill({{"a", "1"}, {"b", "3"}, {"c", "2"}, {"d", "4"}});
    SortListView(maint_->list, 1, 20, 2);
    maint_->list.selectRow(maint_->list.row(1));
    const QString removed = maint_->list.selectedRow()->text(0);
    maint_->list.setCell(maint_->list.addRow("e"), 1, "5");  // added at the end after the sort
    RemoveSortedItem(*maint_);
    EXPECT_EQ(removed, "b");
    EXPECT_EQ(names(), QStringList({"e", "d", "c", "a"}));
    EXPECT_EQ(maint_->calls, QStringList({"ResetEditMode", "NewRecord", "Record Deleted"}));

    fill({{"p", "1"}, {"q", "2"}});  // refilled, never sorted
    maint_->calls.clear();
    maint_->list.selectRow(maint_->list.row(0));
    RemoveSortedItem(*maint_);
    EXPECT_EQ(names(), QStringList({"q"}));
    EXPECT_EQ(maint_->calls, QStringList({"ItializeDataField", "Record Deleted"}));
}

// A conversion error is reported once for the whole run (an earlier test may already have met it), and the
// rows it hit take no part in the order.
TEST_F(Sort, AConversionErrorIsReportedOncePerRun) {
    const bool metBefore = sortState().glngLastSortError == 13;
    fill({{"a", "5"}, {"truck", "Truck/Van"}, {"c", "3"}, {"van", "Van"}});
    SortListView(maint_->list, 1, 20, 0);
    SortListView(maint_->list, 1, 20, 0);
    EXPECT_EQ(prompts_->messageTexts(),
              metBefore ? QStringList() : QStringList{"Error in ComparisonCallback Type mismatch Error Number: 13"});
    EXPECT_EQ(sortState().glngLastSortError, 13);
    EXPECT_EQ(names(), QStringList({"a", "truck", "c", "van"}));
}

}  // namespace
}  // namespace tally::desk::testing
