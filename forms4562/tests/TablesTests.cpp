// The name and index tables, and the template set the build generated from them.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "FdfText.h"
#include "FormTables.h"
#include "LineCaptions.h"
#include "PdfForm.h"
#include "ReadFile.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;
using namespace tally::forms;

namespace {

std::string notationOf(const FieldCell& cell) {
    switch (cell.kind) {
        case FieldCell::Kind::Value:
            return cell.id + (cell.tag == NumberTag::N0 ? " N0" : cell.tag == NumberTag::N ? " N" : "") +
                   (cell.withoutSlashes ? " noslash" : "");
        case FieldCell::Kind::Literal: return "=" + cell.literal;
        case FieldCell::Kind::Blank: return "blank";
        case FieldCell::Kind::Empty: return "empty";
        case FieldCell::Kind::Unassigned: return "-";
    }
    return "?";
}

fs::path templateFile(const std::string& name) { return fs::path(TALLY_BIN_DIR) / "Files" / name; }

// The generator's exit code for the given arguments (each quoted for the shell).
int runGenerator(const std::vector<std::string>& arguments) {
    std::string command = std::string("'") + GEN4562_PROGRAM + "'";
    for (const auto& argument : arguments) command += " '" + argument + "'";
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

using tally::testing::readFile;

}  // namespace

TEST(IndexTables, PlacesThatTheFormsBindStayWhereTheyAre) {
    EXPECT_EQ(pdfLastIndex(2009), 203);
    EXPECT_EQ(pdfLastIndex(2010), 265);
    EXPECT_EQ(pdfLastIndex(2031), 265);
    const std::vector<std::tuple<int, int, std::string>> cases = {
        {2009, 1, "-"},         {2009, 2, "-"},          {2009, 3, "owner"},     {2009, 5, "tax id"},
        {2009, 6, "2 N0"},      {2009, 26, "18"},        {2009, 60, "empty"},    {2009, 84, "22 N"},
        {2009, 179, "24a"},     {2009, 202, "35.2"},     {2009, 203, "39"},      {2009, 204, "blank"},
        {2010, 5, "1"},         {2010, 7, "3"},          {2010, 10, "-"},        {2010, 11, "-"},
        {2010, 15, "-"},        {2010, 30, "18 noslash"}, {2010, 66, "=S/L"},    {2010, 75, "-"},
        {2010, 77, "20b(c) N"}, {2010, 78, "=27.5"},     {2010, 91, "-"},        {2010, 113, "=12yrs"},
        {2010, 120, "=40yrs"},  {2010, 125, "22 N"},     {2010, 127, "tax id"},  {2010, 265, "41"},
        {2012, 266, "blank"}};
    for (const auto& [year, index, expected] : cases) {
        EXPECT_EQ(notationOf(pdfCell(index, year)), expected) << year << " index " << index;
    }
}

TEST(IndexTables, OpenPlacesSendABlankAndEveryValueHasACaption) {
    Form4562Values values;
    for (int year : {2009, 2010}) {
        for (int index = 1; index <= pdfLastIndex(year); ++index) {
            const FieldCell cell = pdfCell(index, year);
            if (cell.kind == FieldCell::Kind::Unassigned) {
                EXPECT_EQ(cellText(cell, values), " ");
            }
            if (cell.kind == FieldCell::Kind::Value || cell.kind == FieldCell::Kind::Literal) {
                EXPECT_FALSE(lineCaption(cell.id, year).empty()) << index;
            }
        }
    }
}

// Line 6(a) holds the asset's name: a name that looks like a number is printed as typed, not as a made-up amount.
TEST(IndexTables, Line6DescriptionsPrintAsTyped) {
    Form4562Values values;
    values.set("6.1(a)", "  2010");
    values.set("6.2(a)", "  (5)");
    const std::vector<std::pair<FieldCell, std::string>> cells = {
        {pdfCell(9, 2009), "  2010"}, {pdfCell(12, 2009), "  (5)"}, {pdfCell(12, 2010), "  2010"},
        {pdfCell(16, 2010), "  (5)"}, {*fdfCell("f1-7", 2004), "  2010"}, {*fdfCell("p1-t10", 2007), "  (5)"}};
    for (const auto& [cell, expected] : cells) EXPECT_EQ(cellText(cell, values), expected) << cell.id;
}

TEST(NameTable, YearColumnsAsTheFormsOfThoseYearsUseThem) {
    EXPECT_EQ(fdfNameTable().size(), 207u);
    EXPECT_EQ(fdfFieldCount(2001), 198);
    EXPECT_EQ(fdfFieldCount(2002), 200);
    EXPECT_EQ(fdfFieldCount(2008), 200);
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"c2-1", 2004, "24a"},      {"p2-rb1", 2007, "24a"},   {"c2-3", 2005, "34.1"},   {"c2-3", 2006, "24b"},
        {"c2-9", 2007, "34.3"},     {"p2-rb11", 2008, "34.5"}, {"c2-13", 2007, "-"},     {"c2-15", 2006, "-"},
        {"f1-4", 2001, "2 N0"},     {"p1-t4", 2007, "2 N0"},   {"f1-24", 2004, "19a(c) N"}, {"f1-24", 2007, "=1-1"},
        {"f1-60", 2003, "-"},       {"f1-63", 2005, "empty"},  {"f1-63", 2006, "-"},     {"f2-96", 2008, "44 N"},
        {"f2-79", 2005, "42.1(a)"}, {"f2-79", 2006, "empty"}};
    for (const auto& [name, year, expected] : cases) {
        auto cell = fdfCell(name, year);
        ASSERT_TRUE(cell) << name;
        EXPECT_EQ(notationOf(*cell), expected) << name << " " << year;
    }
    EXPECT_FALSE(fdfCell("f9-1", 2004));
    EXPECT_FALSE(fdfCell("c1-1", 2004));
}

TEST(NameTable, FieldStyleFollowsTheName) {
    EXPECT_TRUE(fdfTextStyle("f1-4"));
    EXPECT_TRUE(fdfTextStyle("p1-t4"));
    EXPECT_FALSE(fdfTextStyle("c2-1"));
    EXPECT_FALSE(fdfTextStyle("p2-rb1"));
    EXPECT_FALSE(fdfTextStyle("c1-1"));
}

// From tax year 2018 the form's line 20 reads 20a class life, 20b 12-year, 20c 30-year, 20d 40-year: the sheets of
// those years caption the ADS 40-year fields 20d, so their figures are not copied onto the 30-year row; a sheet up to
// 2017 keeps 20c. Every caption keeps the words of what its line holds.
TEST(GeneratedTemplates, Line20RowsAreNumberedAsTheFormOfTheYear) {
    const std::vector<std::tuple<int, int, std::string>> cases = {
        {2017, 119, "Line 20c (c) ADS 40-year, basis"},
        {2017, 120, "Line 20c (d) ADS 40-year, recovery period: 40yrs"},
        {2017, 122, "Line 20c (f) ADS 40-year, method: S/L"},
        {2017, 123, "Line 20c (g) ADS 40-year, deduction"},
        {2025, 119, "Line 20d (c) ADS 40-year, basis"},
        {2025, 120, "Line 20d (d) ADS 40-year, recovery period: 40yrs"},
        {2025, 122, "Line 20d (f) ADS 40-year, method: S/L"},
        {2025, 123, "Line 20d (g) ADS 40-year, deduction"},
        {2025, 106, "Line 20a (c) ADS class life, basis"},
        {2025, 112, "Line 20b (c) ADS 12-year, basis"},
        {2025, 29, "Line 17 MACRS, assets of prior years"},
        {2025, 76, "Line 19h (c) residential rental, basis"}};
    for (const auto& [year, index, caption] : cases) {
        pdf::PdfForm form;
        form.LoadFromFile(templateFile("4562_" + twoDigitYear(year) + ".pdf"));
        EXPECT_EQ(form.FieldCaption(index), caption) << year << " index " << index;
    }
}

// Every tax year from 2001 to next year has its FDF template and its PDF form; the FDF years' templates list
// exactly the fields their form takes, each one a field of the PDF form, in the same order; the PDF years' forms
// have one field per index, captioned with the line the index receives.
TEST(GeneratedTemplates, AgreeWithTheTables) {
    const auto today = std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
    const int nextYear = static_cast<int>(today.year()) + 1;
    for (int year = kFirstTaxYear; year <= nextYear; ++year) {
        const std::string yy = twoDigitYear(year);
        const fs::path fdfPath = templateFile("4562_" + yy + ".fdf");
        ASSERT_TRUE(fs::exists(fdfPath)) << year;
        const std::string fdf = readFile(fdfPath);
        EXPECT_NE(fdf.find("/F(4562_" + yy + ".pdf)"), std::string::npos);
        pdf::PdfForm form;
        form.LoadFromFile(templateFile("4562_" + yy + ".pdf"));
        if (year < kFirstPdfYear) {
            const FdfTemplate fields = parseFdfTemplate(fdf, year);
            ASSERT_EQ(static_cast<int>(fields.entries.size()), fdfFieldCount(year));
            ASSERT_EQ(form.FormFieldCount(), fdfFieldCount(year)) << year;
            EXPECT_EQ(fields.entries[0].lookupName, "c1-1");
            EXPECT_EQ(form.FieldKindOf(1), pdf::FieldKind::CheckBox);
            for (std::size_t k = 0; k < fields.entries.size(); ++k) {
                const std::string& name = fields.entries[k].lookupName;
                EXPECT_EQ(form.FieldName(static_cast<int>(k) + 1), fdfFieldName(name, year)) << year << " " << name;
                auto cell = fdfCell(name, year);
                if (k > 0 && cell) {
                    EXPECT_EQ(cell->kind, FieldCell::Kind::Value) << name;
                    EXPECT_EQ(form.FieldCaption(static_cast<int>(k) + 1), lineCaption(cell->id, year));
                }
            }
        } else {
            ASSERT_EQ(form.FormFieldCount(), pdfLastIndex(year)) << year;
            for (int index = 1; index <= form.FormFieldCount(); ++index) {
                const FieldCell cell = pdfCell(index, year);
                if (cell.kind == FieldCell::Kind::Value) {
                    EXPECT_EQ(form.FieldCaption(index), lineCaption(cell.id, year)) << year << " index " << index;
                    const auto kind = answerKind(cell.id);
                    EXPECT_EQ(form.FieldKindOf(index), kind == AnswerKind::YesNo      ? pdf::FieldKind::Radio
                                                       : kind == AnswerKind::CheckBox ? pdf::FieldKind::CheckBox
                                                                                      : pdf::FieldKind::Text);
                } else if (cell.kind != FieldCell::Kind::Literal) {
                    EXPECT_TRUE(form.FieldHidden(index)) << year << " index " << index;
                }
            }
        }
    }
}

// The FDF years show every value their name table writes, once: 2006-2008 also the answers 34.3 and 34.5.
TEST(GeneratedTemplates, FdfYearsCarryEveryValueOfTheirColumn) {
    for (int year : {2004, 2007}) {
        const FdfTemplate fields = parseFdfTemplate(readFile(templateFile("4562_" + twoDigitYear(year) + ".fdf")), year);
        std::set<std::string> shown;
        for (const auto& entry : fields.entries) {
            if (auto cell = fdfCell(entry.lookupName, year)) shown.insert(cell->id);
        }
        for (const auto& row : fdfNameTable()) {
            const FieldCell& cell = year >= 2006 ? row.from2006 : row.upTo2005;
            if (cell.kind == FieldCell::Kind::Value) {
                EXPECT_TRUE(shown.count(cell.id)) << year << " " << cell.id;
            }
        }
        EXPECT_EQ(shown.count("34.3"), 1u);
        EXPECT_EQ(shown.count("34.5"), 1u);
    }
}

// A last year that is no whole year of the set stops the build with the usage, instead of an empty set and success.
TEST(GeneratedTemplates, TheGeneratorRejectsABadLastYear) {
    tally::testing::ScratchFolder scratch;
    const fs::path folder = scratch / "Files";
    for (const char* year : {"x", "", "20x9", "2010x", " 2010", "-2010", "2000", "2100", "99999999999"}) {
        EXPECT_EQ(runGenerator({folder.string(), year}), 2) << "\"" << year << "\"";
        EXPECT_FALSE(fs::exists(folder)) << year;
    }
    EXPECT_EQ(runGenerator({}), 2);
    ASSERT_EQ(runGenerator({folder.string(), "2002"}), 0);
    EXPECT_TRUE(fs::exists(folder / "4562_01.fdf"));
    EXPECT_TRUE(fs::exists(folder / "4562_02.pdf"));
    EXPECT_FALSE(fs::exists(folder / "4562_03.fdf"));
}
