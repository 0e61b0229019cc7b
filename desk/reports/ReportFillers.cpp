#include "ReportFillers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "Conversions.h"
#include "ErrorReport.h"
#include "Format.h"
#include "ListModel.h"
#include "StatusLine.h"
#include "Strings.h"

namespace tally::desk {

namespace {

using ado::DataType;

// How a filler shows a right-aligned (number) cell; the three families differ only there.
enum class CellStyle {
    Plain,     // the depreciation schedule
    AutoUse,   // the vehicle-use report
    Totals,    // the worksheets and the totals fillers
};

const QString kBlank = QStringLiteral(" ");

// The steps of one filler call under the list routines' error rule.
class FillerSteps {
public:
    explicit FillerSteps(const char* routine) : guard_(QStringLiteral("Error in %1. ").arg(QLatin1String(routine))) {}

    // Runs one step; a failed step is skipped. False when it failed.
    template <typename Step>
    bool run(Step&& step) {
        if (leaving_) return false;
        try {
            step();
            return true;
        } catch (...) {
            leaving_ = guard_.report();
            return false;
        }
    }
    // The same error came twice: the routine ends with 0 rows.
    bool leaving() const { return leaving_; }

private:
    RepeatErrorGuard guard_;
    bool leaving_ = false;
};

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

QString trimmedText(const vb::Variant& value) {
    return value.isNull() ? QString() : TrimBlanks(fromStd(value.toString()));
}

QString formatted(const vb::Variant& value, const char* pattern) { return fromStd(vb::Format(value, pattern)); }

bool isTrue(const vb::Variant& value) { return trimmedText(value) == QLatin1String("True"); }

// The text of a right-aligned cell by the field's type and the filler's family.
QString numberCellText(const ado::Recordset& rs, long field, const QString& heading, CellStyle style) {
    const vb::Variant& value = rs[field];
    switch (rs.fieldInfo(field).type) {
    case DataType::SmallInt:
    case DataType::Integer:
    case DataType::Double:
        if (style == CellStyle::AutoUse) return value.toDouble() > 0 ? formatted(value, "###,##0") : kBlank;
        if (style == CellStyle::Totals && rs.fieldInfo(field).type == DataType::Double &&
            heading == QLatin1String("Life"))
            return formatted(value, "###,##0.0");
        return formatted(value, "###,##0");
    case DataType::Date: return formatted(value, "mm/yyyy");
    case DataType::Boolean:
        if (style == CellStyle::Plain) return isTrue(value) ? QStringLiteral("Yes") : QStringLiteral("No");
        if (style == CellStyle::AutoUse) {
            if (!isTrue(rs["Display_data"])) return kBlank;
            return isTrue(value) ? QStringLiteral("Yes") : QStringLiteral("No");
        }
        return formatted(value, "###,##0.00");
    default: return formatted(value, "###,##0.00");
    }
}

// Sets sub item `field` of `row` by the cell rules; a Null leaves the cell as it is. Returns the cell's text.
QString fillCell(ListModel& list, int row, const ado::Recordset& rs, long field, CellStyle style) {
    const int column = static_cast<int>(field);
    if (rs[field].isNull()) return list.cell(row, column).text;
    const ListColumn& heading = list.column(column);
    const QString text = heading.rightAligned ? numberCellText(rs, field, heading.heading, style)
                                              : trimmedText(rs[field]);
    list.setCell(row, column, text);
    return text;
}

// Sums add the value as shown and stay whole numbers, each addition rounded half to even. An empty cell (a Null
// in the data) adds nothing.
class WholeSum {
public:
    void add(const QString& shown) {
        const std::optional<double> number = vb::parseNumber(shown.toStdString());
        value_ = vb::Round(value_ + number.value_or(0.0));
    }
    void add(const WholeSum& other) { value_ = vb::Round(value_ + other.value_); }
    double value() const { return value_; }
    void reset() { value_ = 0; }
    QString text(const char* pattern = "#,##0") const { return fromStd(vb::Format(value_, pattern)); }

private:
    double value_ = 0;
};

// Fills sub items 1 .. n-1 of `row`, each as a step; `afterField` runs after every field, also a Null one, with
// the cell's shown text.
template <typename AfterField>
void fillRow(ListModel& list, int row, ado::Recordset& rs, CellStyle style, FillerSteps& steps,
             AfterField&& afterField) {
    for (long j = 1; j < rs.FieldCount() && !steps.leaving(); ++j) {
        QString shown;
        steps.run([&] { shown = fillCell(list, row, rs, j, style); });
        steps.run([&] { afterField(j, shown); });
    }
}

void fillRow(ListModel& list, int row, ado::Recordset& rs, CellStyle style, FillerSteps& steps) {
    fillRow(list, row, rs, style, steps, [](long, const QString&) {});
}

// A row of blanks whose cells `labelColumn` and the sums' columns carry a bold label and bold amounts.
int addTotalRow(ListModel& list, int labelColumn, const QString& label,
                const std::vector<std::pair<int, QString>>& amounts) {
    const int row = list.addBlankRow();
    list.setCell(row, labelColumn, label, true);
    for (const auto& [column, text] : amounts) list.setCell(row, column, text, true);
    return row;
}

QString padded(int blanks, const char* words) { return QString(blanks, QLatin1Char(' ')) + QLatin1String(words); }

}  // namespace

int fieldColumnWidth(const ado::FieldInfo& field) {
    const std::int64_t nameWidth = static_cast<std::int64_t>(fromStd(field.name).size()) * 113;
    std::int64_t size = field.definedSize;
    if (size < 8) size *= 2;
    const std::int64_t dataWidth = size * (field.type == DataType::Double ? 60 : 72);
    return static_cast<int>(std::min<std::int64_t>(std::max(nameWidth, dataWidth), 7500));
}

bool fieldRightAligned(const ado::FieldInfo& field, long position) {
    const int type = static_cast<int>(field.type);
    return position >= 1 && (type < 129 || type == 131 || type == 132);
}

long CreateListview(ListModel& list, ado::Recordset& rs, const QString& reportName) {
    if (rs.BOF() && rs.EOF_()) return 0;
    FillerSteps steps("CreateListview");
    for (long i = 0; i < rs.FieldCount() && !steps.leaving(); ++i) {
        steps.run([&] {
            const ado::FieldInfo& field = rs.fieldInfo(i);
            list.addColumn(fromStd(field.name), fieldColumnWidth(field), fieldRightAligned(field, i));
        });
    }
    if (steps.leaving()) return 0;
    if (reportName == QLatin1String("Property Tax")) return PopLVPropertyTax(list, rs, 1);
    if (reportName == QLatin1String("ADS 50Year Assets")) return PopLVTotalLastField(list, rs, 2);
    if (reportName == QLatin1String("179 WorkSheet")) return PopLVTotalLastField(list, rs, 2);
    if (reportName == QLatin1String("New Assets")) return PopLVTotalLastField(list, rs, 4);
    if (reportName == QLatin1String("Depreciation WorkSheet") || reportName == QLatin1String("New Assets WorkSheet"))
        return PopulateDeprWrkSheet(list, rs);
    if (reportName == QLatin1String("Depreciation Schedule")) return PopulateLV(list, rs);
    if (reportName == QLatin1String("Disposed Assets")) return PopLVTotalLastField(list, rs, 3);
    if (reportName == QLatin1String("Auto Use")) return PopulateLVAutoUseRpt(list, rs);
    return 0;
}

namespace {

// One list row a record, cells by `style`; with `numberRows` the second column numbers the rows in the order the
// engine gives them.
long fillRecordRows(ListModel& list, ado::Recordset& rs, CellStyle style, const char* routine, bool numberRows) {
    FillerSteps steps(routine);
    long rows = 0;
    while (!rs.EOF_()) {
        int row = -1;
        steps.run([&] { row = list.addRow(trimmedText(rs[0L])); });
        if (row >= 0) fillRow(list, row, rs, style, steps);
        steps.run([&] { rs.MoveNext(); });
        if (steps.leaving()) return 0;
        ++rows;
        if (numberRows) {
            steps.run([&] { list.setCell(row, 1, QString::number(rows)); });
            if (steps.leaving()) return 0;
        }
    }
    return rows;
}

}  // namespace

long PopulateLV(ListModel& list, ado::Recordset& rs) {
    return fillRecordRows(list, rs, CellStyle::Plain, "PopulateLV", false);
}

long PopulateLVAutoUseRpt(ListModel& list, ado::Recordset& rs) {
    return fillRecordRows(list, rs, CellStyle::AutoUse, "PopulateLVAutoUseRpt", true);
}

long PopulateDeprWrkSheet(ListModel& list, ado::Recordset& rs) {
    FillerSteps steps("PopulateDeprWrkSheet");
    constexpr std::array<int, 4> kSummed{4, 6, 9, 10};
    std::array<WholeSum, 4> groupSums;
    std::array<WholeSum, 4> grandSums;

    auto sumRow = [&](const char* label, int blanks, const std::array<WholeSum, 4>& sums) {
        std::vector<std::pair<int, QString>> amounts;
        for (std::size_t k = 0; k < kSummed.size(); ++k) amounts.emplace_back(kSummed[k], sums[k].text());
        addTotalRow(list, 1, padded(blanks, label), amounts);
    };
    auto closeGroup = [&] {
        steps.run([&] {
            list.addBlankRow();
            sumRow("Subtotal", 29, groupSums);
        });
        steps.run([&] {
            for (std::size_t k = 0; k < kSummed.size(); ++k) {
                grandSums[k].add(groupSums[k]);
                groupSums[k].reset();
            }
        });
    };

    bool first = true;
    QString currentMethod;
    QString firstColumn;
    while (!rs.EOF_()) {
        steps.run([&] {
            const QString method = rs[0L].isNull() ? QString() : fromStd(rs[0L].toString());
            if (first) {
                currentMethod = firstColumn = method;
                first = false;
            } else if (method != currentMethod) {
                currentMethod = firstColumn = method;
                closeGroup();
                list.addBlankRow();
            }
        });
        int row = -1;
        steps.run([&] { row = list.addRow(firstColumn); });
        firstColumn = kBlank;
        if (row >= 0) {
            fillRow(list, row, rs, CellStyle::Totals, steps, [&](long field, const QString& shown) {
                const auto at = std::find(kSummed.begin(), kSummed.end(), static_cast<int>(field));
                if (at != kSummed.end()) groupSums[static_cast<std::size_t>(at - kSummed.begin())].add(shown);
            });
        }
        steps.run([&] { rs.MoveNext(); });
        if (steps.leaving()) return 0;
    }
    closeGroup();
    steps.run([&] {
        list.addBlankRow();
        sumRow("Grand Total", 24, grandSums);
    });
    if (steps.leaving()) return 0;
    return list.rowCount();
}

long PopLVTotalLastField(ListModel& list, ado::Recordset& rs, std::int16_t summedColumns) {
    FillerSteps steps("PopLVTotalLastField");
    const long fields = rs.FieldCount();
    const long firstSummed = fields - summedColumns;
    std::vector<WholeSum> sums(static_cast<std::size_t>(std::max<std::int16_t>(summedColumns, 0)));
    long rows = 0;
    while (!rs.EOF_()) {
        int row = -1;
        steps.run([&] { row = list.addRow(trimmedText(rs[0L])); });
        if (row >= 0) {
            fillRow(list, row, rs, CellStyle::Totals, steps, [&](long field, const QString& shown) {
                if (field >= firstSummed) sums.at(static_cast<std::size_t>(field - firstSummed)).add(shown);
            });
        }
        steps.run([&] { rs.MoveNext(); });
        if (steps.leaving()) return 0;
        ++rows;
    }
    if (rows <= 1) return rows;
    steps.run([&] {
        list.addBlankRow();
        const int total = list.addBlankRow();
        list.setCell(total, 0, padded(31, "Total"), true);
        for (std::size_t k = 0; k < sums.size(); ++k)
            list.setCell(total, static_cast<int>(firstSummed) + static_cast<int>(k), sums[k].text(), true);
    });
    if (steps.leaving()) return 0;
    return rows + 2;
}

long PopLVPropertyTax(ListModel& list, ado::Recordset& rs, std::int16_t summedColumns) {
    FillerSteps steps("PopLVPropertyTax");
    constexpr int kLabelColumn = 3;
    constexpr int kAmountColumn = 4;
    const long fields = rs.FieldCount();
    const long firstSummed = fields - summedColumns;
    std::vector<WholeSum> sums(static_cast<std::size_t>(std::max<std::int16_t>(summedColumns, 0)));
    QString currentYear;
    QString currentCategory;
    WholeSum yearSum;
    WholeSum categorySum;
    long rows = 0;

    auto yearTotal = [&] {
        list.addBlankRow();
        addTotalRow(list, kLabelColumn, padded(17, "Total for ") + currentYear,
                    {{kAmountColumn, yearSum.text("#,###")}});
        list.addBlankRow();
        rows += 3;
    };
    auto categoryTotal = [&] {
        addTotalRow(list, kLabelColumn, padded(17, "Category Total"), {{kAmountColumn, categorySum.text("#,###")}});
    };

    while (!rs.EOF_()) {
        QString category;
        QString year;
        steps.run([&] {
            category = trimmedText(rs[0L]);
            year = formatted(rs[1L], "yyyy");
        });
        steps.run([&] {
            if (year != currentYear || category != currentCategory) {
                if (yearSum.value() > 0) yearTotal();
                // A group whose sum is not above 0 has no total row; its sum is not carried into the next group.
                yearSum.reset();
                currentYear = year;
            }
        });
        int row = -1;
        steps.run([&] {
            if (category != currentCategory) {
                if (categorySum.value() > 0) {
                    categoryTotal();
                    list.addBlankRow();
                    list.addBlankRow();
                    rows += 3;
                }
                categorySum.reset();
                currentCategory = category;
                row = list.addRow(currentCategory);
                list.setBold(row, 0);
            } else {
                row = list.addRow(kBlank);
            }
        });
        if (row >= 0) {
            fillRow(list, row, rs, CellStyle::Totals, steps, [&](long field, const QString& shown) {
                if (field >= firstSummed) sums.at(static_cast<std::size_t>(field - firstSummed)).add(shown);
                if (field == fields - 1) {
                    categorySum.add(shown);
                    yearSum.add(shown);
                }
            });
        }
        steps.run([&] { rs.MoveNext(); });
        if (steps.leaving()) return 0;
        ++rows;
    }
    steps.run([&] {
        if (yearSum.value() > 0) yearTotal();
        if (categorySum.value() > 0) {
            categoryTotal();
            categorySum.reset();
            ++rows;
        }
    });
    if (steps.leaving()) return 0;
    if (rows <= 1) return rows;
    steps.run([&] {
        list.addBlankRow();
        std::vector<std::pair<int, QString>> amounts;
        for (std::size_t k = 0; k < sums.size(); ++k)
            amounts.emplace_back(static_cast<int>(firstSummed) + static_cast<int>(k), sums[k].text());
        addTotalRow(list, kLabelColumn, padded(17, "Grand Total"), amounts);
    });
    if (steps.leaving()) return 0;
    return rows + 2;
}

}  // namespace tally::desk
