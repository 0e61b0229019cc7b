// Do4562Form end to end: a seeded company's forms of 2008 (FDF), 2009 and 2010 (PDF), read back and compared
// with figures worked out by hand, the carry-over it stores, and every error it raises.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "CalcDepr.h"
#include "ComError.h"
#include "Display4562.h"
#include "FdfFill.h"
#include "FormBuilder.h"
#include "FormErrors.h"
#include "PdfForm.h"
#include "ReadFile.h"
#include "ScopedHome.h"
#include "TestDatabase.h"
#include "UserFormsFolder.h"
#include "modDatabase.h"

namespace fs = std::filesystem;
using namespace tally::forms;

namespace {

constexpr std::int32_t kCompany = 2;

class RecordingOpener : public FormOpener {
public:
    void open(const fs::path& file) override {
        opened.push_back(file);
        if (failWith != 0) throw tally::ComError(failWith, "xdg-open", failText);
    }
    std::vector<fs::path> opened;
    long failWith = 0;
    std::string failText = "File not found";
};

struct Asset {
    int number;
    const char* name;
    const char* inService;  // yyyy-mm-dd
    int method;             // 1 MACRS, 2 ADS, 3 Amortize, 4 S/L, 9 Listed
    double life;
    int convention;         // 1 HY, 2 MQ, 3 MM, 4 none
    double cost;
    double business = 1;
    double allowance = 0;
    double other = 0;
    double section179 = 0;
    int vehicle = 0;
    int amortizeCode = 0;
    const char* actualMethod = "200DB";
};

// The company's assets: section 179, MACRS, ADS, listed and amortized property placed in service in 2008 to
// 2010, and older assets whose depreciation counts as prior years' or other depreciation.
const std::vector<Asset> kAssets = {
    {1, "Press", "2010-02-01", 1, 7, 1, 30000, 1, 0, 0, 20000},
    {2, "Lathe", "2010-03-01", 1, 5, 1, 10000, 1, 0, 0, 10000},
    {3, "Computer", "2010-11-01", 1, 5, 2, 6000, 1, 3000},
    {4, "Building", "2010-06-01", 1, 39, 3, 100000, 1, 0, 0, 0, 0, 0, "S/L"},
    {5, "Barn", "2010-05-01", 2, 9, 1, 9000, 1, 0, 0, 0, 0, 0, "S/L"},
    {6, "Shed", "2010-10-01", 2, 10, 2, 1000, 1, 0, 0, 0, 0, 0, "S/L"},
    {7, "Silo", "2010-04-01", 2, 12, 1, 12000, 1, 0, 0, 0, 0, 0, "S/L"},
    {8, "Store", "2010-07-01", 2, 40, 3, 40000, 1, 0, 0, 0, 0, 0, "S/L"},
    {9, "Car A", "2010-03-15", 9, 5, 1, 30000, 0.8, 1000, 0, 0, 1},
    {10, "Truck B", "2008-07-01", 9, 5, 1, 40000, 0.6, 0, 0, 0, 2},
    {11, "Van C", "2009-05-01", 9, 5, 1, 20000, 0.4, 0, 0, 0, 3},
    {12, "Goodwill", "2010-04-01", 3, 15, 4, 150000, 1, 0, 0, 0, 0, 197, "Amortize"},
    {13, "Startup", "2010-01-01", 3, 15, 4, 5000, 1, 0, 0, 0, 0, 195, "Amortize"},
    {14, "Old license", "2008-01-01", 3, 5, 4, 6000, 1, 0, 0, 0, 0, 195, "Amortize"},
    {15, "Fence", "2005-01-01", 4, 10, 1, 7000, 1, 0, 0, 0, 0, 0, "S/L"},
    {16, "Old truck", "2007-01-01", 1, 5, 1, 20000},
    {17, "Saw", "2008-05-01", 1, 7, 1, 15000, 1, 0, 0, 15000},
    {18, "Drill", "2009-02-01", 1, 5, 1, 8000, 1, 0, 0, 8000},
    {19, "Dam", "2009-01-01", 1, 50, 1, 80000, 1, 0, 0, 0, 0, 0, "S/L"},
    {24, "Rental", "2010-07-01", 1, 27.5, 3, 55000, 1, 0, 0, 0, 0, 0, "S/L"},
    {25, "Dies", "2010-05-01", 1, 3, 1, 4000},
};

// asset, year, depreciation
const std::vector<std::tuple<int, int, double>> kDepreciation = {
    {10, 2008, 4800}, {14, 2008, 1000}, {15, 2008, 700}, {16, 2008, 6400}, {17, 2008, 0},
    {10, 2009, 7680}, {11, 2009, 800},  {14, 2009, 1200}, {15, 2009, 700}, {16, 2009, 3840}, {18, 2009, 0},
    {19, 2009, 800},
    {1, 2010, 1429},  {2, 2010, 0},     {3, 2010, 600},   {4, 2010, 1391}, {5, 2010, 500},  {6, 2010, 25},
    {7, 2010, 500},   {8, 2010, 917},   {9, 2010, 3060},  {10, 2010, 4608}, {11, 2010, 1600}, {12, 2010, 7500},
    {13, 2010, 278},  {14, 2010, 1200}, {15, 2010, 700},  {16, 2010, 4000}, {24, 2010, 917}, {25, 2010, 1333}};

using tally::testing::readFile;

class WriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = scopedHome_.path();
        forms_ = home_ / "Documents" / "Qorv-4562";
        fs::create_directories(forms_);
        fs::copy(fs::path(TALLY_BIN_DIR) / "Files", forms_, fs::copy_options::recursive);
        seed();
    }

    void seed() {
        exec("INSERT INTO tblCompany (id, [Company Name], Owner, [Tax Id]) VALUES (2, 'Acme Tools (West)', 'J. Doe', "
             "'12-3456789')");
        for (const Asset& a : kAssets) addAsset(a);
        for (const auto& [asset, year, depr] : kDepreciation) addDepreciation(asset, year, depr);
        exec("INSERT INTO tblMisc4562Data (Company_Id, Year, [179 Carryover], [179 Income Limit], [Listed Claim], "
             "[Listed Evidence], [Group Assets], [168 Property], [Other Depr], [263A Cost], [Exclude 179]) VALUES "
             "(2, 2010, 5000, 20000, True, True, True, 1000, 301.5, 0, False)");
        exec("INSERT INTO tblMisc4562Data (Company_Id, Year, [179 Carryover], [179 Income Limit], [Listed Claim], "
             "[Listed Evidence], [Group Assets], [168 Property], [Other Depr], [263A Cost], [Exclude 179]) VALUES "
             "(2, 2008, 0, 100000, True, False, True, 0, Null, 0, True)");
        exec("INSERT INTO tblAutoUse VALUES (2, 2010, 1, '15000', '2500', '1200', True, Null, True)");
        exec("INSERT INTO tblAutoUse VALUES (2, 2010, 3, '8000', '0', '4000', False, False, False)");
        exec("INSERT INTO tblAutoQuestions VALUES (2, 2010, True, False, Null, True, False)");
    }

    void addCompany(std::int32_t company, const std::string& name) {
        exec("INSERT INTO tblCompany (id, [Company Name], Owner, [Tax Id]) VALUES (" + std::to_string(company) + ", '" +
             name + "', 'A. Poe', '98-7654321')");
    }

    void addAsset(const Asset& a, std::int32_t company = kCompany) {
        exec("INSERT INTO tblAssets (Asset_num, Company_Id, Asset_name, Cost, [Allowance 30 %], [179_deduction], "
             "In_Service_date, depr_method, life, convention, other_deductions, bussiness_percent, sold_amt, "
             "vehicle_num, amortize_code, actual_method, Type_179) VALUES (" +
             std::to_string(a.number) + ", " + std::to_string(company) + ", '" + a.name + "', " +
             std::to_string(a.cost) + ", " + std::to_string(a.allowance) + ", " + std::to_string(a.section179) +
             ", '" + a.inService + "', " +
             std::to_string(a.method) + ", " + std::to_string(a.life) + ", " + std::to_string(a.convention) + ", " +
             std::to_string(a.other) + ", " + std::to_string(a.business) + ", 0, " + std::to_string(a.vehicle) +
             ", " + std::to_string(a.amortizeCode) + ", '" + a.actualMethod + "', " +
             (a.section179 > 0 ? "True" : "False") + ")");
    }

    void addDepreciation(int asset, int year, double depr, std::int32_t company = kCompany) {
        exec("INSERT INTO tblDepr (client_num, asset_num, year, depr, accum_depr) VALUES (" + std::to_string(company) +
             ", " + std::to_string(asset) + ", " + std::to_string(year) + ", " + std::to_string(depr) + ", 0)");
    }

    void exec(const std::string& sql) { database_.exec(sql); }

    std::int32_t storedCarryOver(int year) {
        return tally::engine::modDatabase::ReturnDbData(
            "SELECT [179 Carryover] FROM tblMisc4562Data WHERE Company_Id = 2 AND Year = " + std::to_string(year));
    }
    std::int32_t yearRows(int year, std::int32_t company = kCompany) {
        return tally::engine::modDatabase::ReturnDbData("SELECT Count(*) FROM tblMisc4562Data WHERE Company_Id = " +
                                                        std::to_string(company) + " AND Year = " +
                                                        std::to_string(year));
    }

    // Runs the writer; returns the number of the error it raised (0 for none) and keeps its description.
    long run(int year, std::int32_t company = kCompany) {
        Display4562 writer(opener_);
        try {
            writer.Do4562Form(static_cast<std::int16_t>(year), company);
        } catch (const tally::ComError& e) {
            description_ = e.description();
            return e.number();
        }
        return 0;
    }

    void expectPdfFields(const fs::path& file, const std::vector<std::pair<int, std::string>>& expected) {
        pdf::PdfForm form;
        form.LoadFromFile(file);
        for (const auto& [index, text] : expected) {
            EXPECT_EQ(form.FieldValue(index), text) << "index " << index << " (" << form.FieldCaption(index) << ")";
        }
    }

    tally::testing::TestDatabase database_;
    tally::testing::ScopedHome scopedHome_;  // a HOME of the test's own, restored with XDG_CONFIG_HOME afterwards
    std::shared_ptr<RecordingOpener> opener_ = std::make_shared<RecordingOpener>();
    std::string description_;
    fs::path home_;
    fs::path forms_;
};

}  // namespace

// 2010: Part I with the income limit and carry-over; MACRS by class with mixed conventions; ADS rows; listed
// property above and below half business use; two vehicles of three with use data; the employer's answers;
// amortization; line 22 built from all of them.
TEST_F(WriterTest, Year2010FillsThePdfFormAndStoresNextYearsCarryOver) {
    ASSERT_EQ(run(2010), 0) << description_;
    const fs::path output = forms_ / "4562_10_2.pdf";
    ASSERT_EQ(opener_->opened, std::vector<fs::path>{output});
    EXPECT_EQ(storedCarryOver(2011), 15000);  // 5,000 + 30,000 - 20,000, stored by INSERT

    expectPdfFields(output, {
        {1, ""}, {2, ""}, {3, "J. Doe"}, {4, "Acme Tools (West)"}, {5, "500000"}, {6, "40,000"}, {7, "2000000"},
        {8, "0"}, {9, "500,000"}, {10, " "}, {11, " "}, {12, "  Press"}, {13, "30,000"}, {14, "20,000"}, {15, " "},
        {16, "  Lathe"}, {17, "10,000"}, {18, "10,000"}, {19, "0"}, {20, "30,000"}, {21, "30,000"}, {22, "5,000"},
        {23, "20,000"}, {24, "20,000"}, {25, "15,000"},                          // lines 7 to 13
        {26, "3,000"}, {27, "1,000"}, {28, "1,002"}, {29, "4,000"}, {30, "Yes"},  // lines 14 to 18
        {31, " "}, {33, "4,000"}, {34, "3"}, {35, "HY"}, {36, "200DB"}, {37, "1,333"},  // 19a
        {39, "3,000"}, {40, "5"}, {41, "N/A"}, {42, "200DB"}, {43, "600"},        // 19b: HY and MQ rows
        {45, "10,000"}, {46, "7"}, {47, "HY"}, {48, "200DB"}, {49, "1,429"},      // 19c
        {66, "S/L"}, {76, "55,000"}, {77, "12,000"}, {78, "27.5"}, {79, "MM"}, {81, "917"},  // 19h
        {92, "100,000"}, {93, "39"}, {94, "MM"}, {95, "S/L"}, {96, "1,391"},      // 19i
        {106, "10,000"}, {107, "N/A"}, {108, "N/A"}, {109, "S/L"}, {110, "525"},  // 20a: lives 9 and 10
        {112, "12,000"}, {113, "12yrs"}, {114, "HY"}, {116, "500"},              // 20b
        {119, "40,000"}, {120, "40yrs"}, {123, "917"},                           // 20c
        {124, "10,268"}, {125, "46,882"}, {126, ""}, {127, "12-3456789"}, {129, "1,000"},
        {132, "Car A"}, {133, "03-2010"}, {134, "80"}, {135, "30,000"}, {136, "24,000"}, {137, "5"},
        {138, "200DB  HY"}, {139, "3,060"}, {140, ""},
        {142, "Truck B"}, {143, "07-2008"}, {144, "60"}, {145, "40,000"}, {146, "24,000"}, {149, "4,608"},
        {152, ""},
        {163, "Van C"}, {164, "05-2009"}, {165, "40"}, {166, "20,000"}, {167, "8,000"}, {168, "5"}, {169, "HY"},
        {170, "1,600"}, {172, ""}, {189, "10,268"}, {190, ""},
        {193, "15,000"}, {194, ""}, {195, "8,000"}, {200, "2,500"}, {202, ""}, {207, "1,200"}, {209, "4,000"},
        {214, "18,700"}, {215, ""}, {216, "12,000"},                             // line 33: sums of the miles
        {222, "Yes"}, {223, "Off"}, {224, "No"}, {229, "No"}, {231, "No"}, {236, "Yes"}, {238, "No"},
        {244, "Goodwill"}, {245, "04-2010"}, {246, "150,000"}, {247, "197"}, {248, "180"}, {249, "7,500"},
        {251, "Startup"}, {252, "01-2010"}, {253, "5,000"}, {254, "195"}, {255, "180"}, {256, "278"},
        {257, "1,200"}, {258, "8,978"},
        {259, "Yes"}, {260, "Yes"}, {261, "Yes"}, {262, "No"}, {263, "No"}, {264, "Yes"}, {265, "No"}});
}

// 2009: no per-year data at all (no error, the carry-over is line 9, stored over next year's figure), and
// 50-year property: line 22 carries it with " *" and the notice comes after the form was written and opened.
TEST_F(WriterTest, Year2009WithoutPerYearDataAndWithFiftyYearProperty) {
    ASSERT_EQ(run(2009), ErrFiftyYearAssets);
    EXPECT_EQ(description_, "There are 50 year assets. Print 50 Year Report and include with return.");
    const fs::path output = forms_ / "4562_09_2.pdf";
    ASSERT_EQ(opener_->opened, std::vector<fs::path>{output});
    EXPECT_EQ(storedCarryOver(2010), 8000);  // replaces the 5,000 of the 2010 row
    EXPECT_EQ(yearRows(2010), 1);

    expectPdfFields(output, {
        {1, ""}, {2, ""}, {3, "J. Doe"}, {4, "Acme Tools (West)"}, {5, "12-3456789"}, {6, "8,000"}, {7, "0"},
        {8, "250,000"}, {9, "  Drill"}, {10, "8,000"}, {11, "8,000"}, {12, ""}, {15, "0"}, {16, "8,000"},
        {17, "8,000"}, {18, ""}, {19, ""}, {20, "0"}, {21, "8,000"}, {22, ""}, {23, ""}, {24, "700"}, {25, "3,840"},
        {26, "Off"}, {32, ""}, {33, "5"}, {34, "HY"}, {35, "200DB"}, {36, ""},
        {83, "8,480"}, {84, "13,820 *"}, {85, ""}, {87, ""},
        {88, "Truck B"}, {89, "07-2008"}, {90, "60"}, {91, "40,000"}, {92, "24,000"}, {93, "5"}, {94, "200DB  HY"},
        {95, "7,680"}, {96, ""},
        {115, "Van C"}, {116, "05-2009"}, {117, "40"}, {118, "20,000"}, {119, "8,000"}, {120, "5"}, {121, "HY"},
        {122, "800"}, {139, "8,480"}, {140, ""}, {141, ""}, {165, ""}, {177, "1,200"}, {178, "1,200"},
        {179, "Off"}, {180, "Off"}, {181, "Off"}, {198, "Off"}, {203, "Off"}});
}

// 2008: the FDF over the year's template, values escaped; "Exclude 179" ticked leaves line 12 out of line 22;
// an empty "Other Depr" counts as 0; line 13 is 0, so nothing is stored. The reader stand-in fills the form.
TEST_F(WriterTest, Year2008WritesTheFdfAndExcludesSection179FromLine22) {
    ASSERT_EQ(run(2008), 0) << description_;
    const fs::path output = forms_ / "4562_08_2.fdf";
    ASSERT_EQ(opener_->opened, std::vector<fs::path>{output});
    EXPECT_EQ(yearRows(2009), 0);

    const std::string bytes = readFile(output);
    EXPECT_TRUE(bytes.starts_with("%FDF-1.2\r\n%\xE2\xE3\xCF\xD3\r\n1 0 obj<</FDF<</F(4562_08.pdf)/Fields["
                                  "<</T(c1_1\\(0\\))/V/Yes>>"));
    EXPECT_NE(bytes.find("<</T(f1_2\\(0\\))/V(Acme Tools \\(West\\))>>"), std::string::npos);
    EXPECT_TRUE(bytes.ends_with("]>>>>\r\nendobj\r\ntrailer\r\n<</Root 1 0 R>>\r\n%%EOF\r\n"));

    std::map<std::string, std::string> fields;
    for (const auto& f : pdf::readFdf(output).fields) fields[f.name] = f.value;
    EXPECT_EQ(fields.size(), 200u);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"c1_1(0)", "Yes"}, {"f1_1(0)", "J. Doe"}, {"f1_2(0)", "Acme Tools (West)"}, {"f1_3(0)", "12-3456789"},
        {"f1_4(0)", "15,000"}, {"f1_5(0)", "0"}, {"f1_6(0)", "250,000"}, {"f1_7(0)", "  Saw"},
        {"f1_8(0)", "15,000"}, {"f1_9(0)", "15,000"}, {"f1_10(0)", ""}, {"f1_13(0)", "0"}, {"f1_14(0)", "15,000"},
        {"f1_15(0)", "15,000"}, {"f1_16(0)", "0"}, {"f1_17(0)", "100,000"}, {"f1_18(0)", "15,000"},
        {"f1_19(0)", "0"}, {"f1_20(0)", ""}, {"f1_21(0)", ""}, {"f1_22(0)", "700"}, {"f1_23(0)", "6,400"},
        {"f1_35(0)", ""}, {"f1_36(0)", "7"}, {"f1_37(0)", "HY"}, {"f1_38(0)", "200DB"}, {"f1_39(0)", ""},
        {"f1_80(0)", "4,800"}, {"f1_81(0)", "11,900"}, {"f1_82(0)", ""}, {"f2_1(0)", ""},
        {"f2_2(0)", "Truck B"}, {"f2_3(0)", "07-2008"}, {"f2_4(0)", "60"}, {"f2_5(0)", "40,000"},
        {"f2_6(0)", "24,000"}, {"f2_7(0)", "5"}, {"f2_8(0)", "200DB  HY"}, {"f2_9(0)", "4,800"}, {"f2_10(0)", ""},
        {"f2_53(0)", "4,800"}, {"f2_80(0)", "Old license"}, {"f2_81(0)", "01-2008"}, {"f2_84(0)", "6,000"},
        {"f2_85(0)", "195"}, {"f2_86(0)", "60"}, {"f2_87(0)", "1,000"}, {"f2_95(0)", ""}, {"f2_96(0)", "1,000"},
        {"c2_1(0)", "Yes"}, {"c2_2(0)", "No"}, {"c2_4(0)", ""}, {"f9_1(0)", " "}};
    for (const auto& [name, value] : expected) {
        ASSERT_TRUE(fields.count(name)) << name;
        EXPECT_EQ(fields[name], value) << name;
    }

    pdf::fillFormFromFdf(output, forms_ / "merged.pdf");
    pdf::PdfForm merged;
    merged.LoadFromFile(forms_ / "merged.pdf");
    EXPECT_EQ(merged.FieldValue(merged.FindField("f1_2(0)")), "Acme Tools (West)");
    EXPECT_EQ(merged.FieldValue(merged.FindField("c1_1(0)")), "Yes");
    EXPECT_EQ(merged.FieldValue(merged.FindField("c2_2(0)")), "No");
}

// A missing or unreadable template stops the run before the carry-over is stored and before any form is written.
TEST_F(WriterTest, TemplateProblemsStopBeforeAnythingIsStored) {
    const std::string missing = "The 4562.Pdf file for year 2010 is missing.";
    const std::vector<std::tuple<std::string, std::function<void()>, std::string>> cases = {
        {"no FDF template", [&] { fs::remove(forms_ / "4562_10.fdf"); }, missing},
        {"no PDF form", [&] { fs::remove(forms_ / "4562_10.pdf"); }, missing},
        {"PDF form unreadable", [&] { std::ofstream(forms_ / "4562_10.pdf") << "not a PDF"; }, missing},
        {"PDF form without fields", [&] { pdf::FormBuilder("printed form").save(forms_ / "4562_10.pdf"); },
         "The 4562 template for year 2010 is damaged: its PDF form has no fields to fill."},
    };
    for (const auto& [what, damage, text] : cases) {
        fs::copy(fs::path(TALLY_BIN_DIR) / "Files", forms_,
                 fs::copy_options::overwrite_existing | fs::copy_options::recursive);
        damage();
        EXPECT_EQ(run(2010), ErrTemplateMissing) << what;
        EXPECT_EQ(description_, text) << what;
        EXPECT_EQ(yearRows(2011), 0) << what;
        EXPECT_TRUE(opener_->opened.empty()) << what;
        EXPECT_FALSE(fs::exists(forms_ / "4562_10_2.pdf")) << what;
    }

    // an FDF year, which only checks that its PDF form is one, since the reader loads it
    fs::copy(fs::path(TALLY_BIN_DIR) / "Files", forms_,
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    std::ofstream(forms_ / "4562_08.pdf") << "not a PDF";
    EXPECT_EQ(run(2008), ErrTemplateMissing);
    EXPECT_EQ(description_, "The 4562.Pdf file for year 2008 is missing.");
    EXPECT_FALSE(fs::exists(forms_ / "4562_08_2.fdf"));
    fs::copy(fs::path(TALLY_BIN_DIR) / "Files" / "4562_08.pdf", forms_ / "4562_08.pdf",
             fs::copy_options::overwrite_existing);

    // an FDF year whose template lists too few fields
    const std::string full = readFile(forms_ / "4562_08.fdf");
    const std::size_t cut = full.find("<</T(f2_");
    std::ofstream(forms_ / "4562_08.fdf", std::ios::binary) << full.substr(0, cut) << "]>>>>\r\nendobj\r\n";
    EXPECT_EQ(run(2008), ErrTemplateMissing);
    EXPECT_NE(description_.find("The 4562 template for year 2008 is damaged"), std::string::npos) << description_;
    EXPECT_FALSE(fs::exists(forms_ / "4562_08_2.fdf"));

    // one whose field list is whole but that names no form to fill
    std::string unnamed = full;
    unnamed.replace(unnamed.find("/F(4562_08.pdf)"), 15, "/F()");
    std::ofstream(forms_ / "4562_08.fdf", std::ios::binary) << unnamed;
    EXPECT_EQ(run(2008), ErrTemplateMissing);
    EXPECT_EQ(description_, "The 4562 template for year 2008 is damaged: the form it names cannot be read from it.");
    EXPECT_FALSE(fs::exists(forms_ / "4562_08_2.fdf"));
}

// The files carry two digits of the year: a year with no template of its own is missing before anything else,
// instead of filling the template of a year a century apart (2101 would fill 2001's sheet as a PDF year).
TEST_F(WriterTest, AYearOutsideTheTemplateSetIsMissing) {
    exec("INSERT INTO tblMisc4562Data (Company_Id, Year, [179 Carryover], [179 Income Limit], [Listed Claim], "
         "[Listed Evidence], [Group Assets], [168 Property], [Other Depr], [263A Cost], [Exclude 179]) VALUES "
         "(2, 2101, 5000, 0, False, False, False, 0, 0, 0, False)");
    const auto storedRows = [] {
        return tally::engine::modDatabase::ReturnDbData("SELECT Count(*) FROM tblMisc4562Data");
    };
    const auto rowsBefore = storedRows();
    for (int year : {1909, 2000, 2100, 2101}) {
        EXPECT_EQ(run(year), ErrTemplateMissing) << year;
        EXPECT_EQ(description_, "The 4562.Pdf file for year " + std::to_string(year) + " is missing.");
        EXPECT_EQ(storedRows(), rowsBefore) << year;  // 2101 would store a carry-over of 5,000 for 2102
    }
    EXPECT_TRUE(opener_->opened.empty());
    EXPECT_FALSE(fs::exists(forms_ / "4562_01_2.pdf"));
    EXPECT_FALSE(fs::exists(forms_ / "4562_09_2.fdf"));
}

// An FDF template may name a form of another name; when that form is not there, the year's template is missing (not
// that a PDF reader must be installed), the file the FDF wanted is told, and it is found before the carry-over is
// stored or the FDF written. A form that goes away after that check is the opener's to find, told the same way.
TEST_F(WriterTest, AFormTheFdfNamesThatIsMissingIsTheTemplateMissing) {
    // an income limit below line 9, so a run that got as far as the figures would store a carry-over for 2009
    exec("UPDATE tblMisc4562Data SET [179 Income Limit] = 5000 WHERE Company_Id = 2 AND Year = 2008");
    const auto rowsBefore = yearRows(2009);
    std::string fdf = readFile(forms_ / "4562_08.fdf");
    const std::size_t named = fdf.find("/F(4562_08.pdf)");
    ASSERT_NE(named, std::string::npos);
    fdf.replace(named, 15, "/F(f4562.pdf)");
    std::ofstream(forms_ / "4562_08.fdf", std::ios::binary) << fdf;

    Display4562 writer(std::make_shared<ReaderOpener>());
    try {
        writer.Do4562Form(2008, kCompany);
        ADD_FAILURE() << "no error";
    } catch (const tally::ComError& e) {
        EXPECT_EQ(e.number(), ErrTemplateMissing);
        EXPECT_EQ(e.description(), "The 4562.Pdf file for year 2008 is missing. The form 4562_08.fdf names is "
                                   "missing (File not found: " + (forms_ / "f4562.pdf").string() + ").");
    }
    EXPECT_EQ(yearRows(2009), rowsBefore);
    EXPECT_FALSE(fs::exists(forms_ / "4562_08_2.fdf"));
    EXPECT_FALSE(fs::exists(forms_ / "4562_08_2.pdf"));

    opener_->failWith = ErrTemplateMissing;
    opener_->failText = "The form 4562_08_2.fdf names is missing (File not found: /gone/4562_08.pdf).";
    fs::copy(fs::path(TALLY_BIN_DIR) / "Files", forms_,
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    EXPECT_EQ(run(2008), ErrTemplateMissing);
    EXPECT_EQ(description_, "The 4562.Pdf file for year 2008 is missing. " + opener_->failText);
}

// A template that is there but cannot be opened is not "missing": permission denied, for the FDF year and for a PDF
// year alike (the FDF template is opened for every year), again before the carry-over is stored or a form written.
TEST_F(WriterTest, AnUnreadableTemplateIsPermissionDenied) {
    for (int year : {2008, 2010}) {
        fs::copy(fs::path(TALLY_BIN_DIR) / "Files", forms_,
                 fs::copy_options::overwrite_existing | fs::copy_options::recursive);
        const fs::path fdf = forms_ / ("4562_" + std::to_string(year).substr(2) + ".fdf");
        fs::permissions(fdf, fs::perms::none);
        if (std::ifstream(fdf)) {
            // The superuser reads any file whatever its permissions; a kernel setting that only takes writes
            // refuses him too.
            if (!fs::exists("/proc/sys/vm/drop_caches")) GTEST_SKIP() << "no write-only kernel setting here";
            fs::remove(fdf);
            fs::create_symlink("/proc/sys/vm/drop_caches", fdf);
        }
        if (std::ifstream(fdf)) GTEST_SKIP() << "no file here refuses to be read";

        EXPECT_EQ(run(year), ErrPermissionDenied) << year;
        EXPECT_EQ(description_, "Permission denied: " + fdf.string()) << year;
        EXPECT_TRUE(opener_->opened.empty()) << year;
        EXPECT_FALSE(fs::exists(forms_ / ("4562_" + std::to_string(year).substr(2) + "_2.fdf"))) << year;
        EXPECT_FALSE(fs::exists(forms_ / ("4562_" + std::to_string(year).substr(2) + "_2.pdf"))) << year;
        fs::remove(fdf);
    }
    EXPECT_EQ(yearRows(2011), 0);  // the 2010 run would have stored 15,000
}

TEST_F(WriterTest, AMissingFolderOrHomeIsPathNotFound) {
    fs::remove_all(forms_);
    EXPECT_EQ(run(2010), ErrPathNotFound);
    ::unsetenv("HOME");
    EXPECT_EQ(run(2010), ErrPathNotFound);
    EXPECT_NE(description_.find("HOME"), std::string::npos);
    EXPECT_FALSE(fs::exists("/Documents/Qorv-4562"));
    EXPECT_EQ(yearRows(2011), 0);
}

// The documents folder named in the user's user-dirs.dirs; $HOME/Documents when it names none or the home itself.
TEST_F(WriterTest, TheFormsFolderLiesInTheDocumentsFolder) {
    const std::vector<std::pair<std::string, fs::path>> cases = {
        {"", home_ / "Documents"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Papers\"", home_ / "Papers"},
        {"XDG_DOCUMENTS_DIR=\"/srv/docs\"", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME\"", home_ / "Documents"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/\"", home_ / "Documents"}};
    fs::create_directories(home_ / ".config");
    for (const auto& [line, documents] : cases) {
        std::ofstream(home_ / ".config" / "user-dirs.dirs") << "# written by xdg-user-dirs-update\n" << line << "\n";
        EXPECT_EQ(UserFormsFolder(), documents / "Qorv-4562") << line;
    }
}

// The form is written, but nothing can show it: the reader error, never success.
TEST_F(WriterTest, AnOpenerThatCannotStartRaisesTheReaderError) {
    opener_->failWith = tally::vberr::FileNotFound;
    for (int year : {2008, 2010}) {
        EXPECT_EQ(run(year), ErrReaderRequired) << year;
        EXPECT_EQ(description_, "A PDF viewer such as xpdf is required to Display Form 4562.  It is a free download "
                                "from https://packages.debian.org/bookworm/xpdf.");
    }
    EXPECT_TRUE(fs::exists(forms_ / "4562_08_2.fdf"));
    EXPECT_TRUE(fs::exists(forms_ / "4562_10_2.pdf"));
}

// A form that cannot be saved leaves the earlier one in place and no partial file beside it.
TEST_F(WriterTest, AFailedSaveLeavesNoHalfWrittenForm) {
    for (const char* name : {"4562_10_2.pdf", "4562_08_2.fdf"}) {
        fs::create_directories(forms_ / name / "in the way");
        EXPECT_EQ(run(std::string(name).starts_with("4562_10") ? 2010 : 2008), tally::vberr::PathFileAccessError)
            << name;
        EXPECT_NE(description_.find("Is a directory"), std::string::npos) << description_;  // the system's reason
        EXPECT_TRUE(opener_->opened.empty());
    }
    for (const auto& entry : fs::directory_iterator(forms_)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();  // no temporary file
    }
}

TEST_F(WriterTest, RunningAgainReplacesTheForm) {
    ASSERT_EQ(run(2008), 0);
    exec("UPDATE tblCompany SET Owner = 'K. Roe' WHERE id = 2");
    ASSERT_EQ(run(2008), 0);
    const std::string bytes = readFile(forms_ / "4562_08_2.fdf");
    EXPECT_NE(bytes.find("(K. Roe)"), std::string::npos);
    EXPECT_EQ(bytes.find("(J. Doe)"), std::string::npos);
}

// The engine picks detail rows by a count whose conditions its detail rows lack; when more rows come back than the
// form has places, they are totalled instead of dropped, so lines 28 and 44 keep every amount.
TEST_F(WriterTest, DetailRowsBeyondTheFormsPlacesAreTotalled) {
    addAsset({20, "Patent", "2010-08-01", 3, 15, 4, 3000, 1, 0, 3000, 0, 0, 197, "Amortize"});
    addDepreciation(20, 2010, 100);
    addAsset({21, "Van D", "2010-09-01", 9, 5, 1, 2000, 0.3, 2000, 0, 0, 4});
    addDepreciation(21, 2010, 50);
    addAsset({22, "Van E", "2010-09-01", 9, 5, 1, 2000, 0.2, 2000, 0, 0, 5});
    addDepreciation(22, 2010, 40);
    addAsset({23, "Van F", "2010-09-01", 9, 5, 1, 2000, 0.1, 2000, 0, 0, 6});
    addDepreciation(23, 2010, 30);
    ASSERT_EQ(run(2010), 0) << description_;
    expectPdfFields(forms_ / "4562_10_2.pdf", {
        {244, "Total Amortized"}, {245, " "}, {246, "158,000"}, {247, " "}, {248, " "}, {249, "7,878"},
        {251, ""}, {257, "1,200"}, {258, "9,078"},
        {163, "Total Listed"}, {164, " "}, {165, " "}, {166, "26,000"}, {167, "9,200"}, {168, "5"}, {169, ""},
        {170, "1,720"}, {172, ""}, {129, "7,000"}, {189, "16,388"}});
}

// Line 6 has two places; a third MACRS asset with a section 179 amount turns the set into one total row, and Part I
// goes on from that total.
TEST_F(WriterTest, AThirdSection179AssetTurnsLine6IntoATotal) {
    addAsset({26, "Mixer", "2010-08-01", 1, 7, 1, 4000, 1, 0, 0, 4000});
    addDepreciation(26, 2010, 0);  // fully expensed: nothing left to depreciate
    ASSERT_EQ(run(2010), 0) << description_;
    // Line 2: Press 30,000 + Lathe 10,000 + Mixer 4,000 = 44,000; line 6: 20,000 + 10,000 + 4,000 = 34,000;
    // line 8 = 34,000 + line 7 0; line 9 = min(34,000, 500,000); line 12 = min(34,000 + 5,000, 20,000) = 20,000;
    // line 13 = 5,000 + 34,000 - 20,000 = 19,000. The Mixer's basis is 4,000 - 4,000 = 0, so 19c and 22 stay.
    EXPECT_EQ(storedCarryOver(2011), 19000);
    expectPdfFields(forms_ / "4562_10_2.pdf", {
        {6, "44,000"}, {12, "  Total 179 Assets"}, {13, ""}, {14, "34,000"}, {16, ""}, {17, ""}, {18, ""},
        {19, "0"}, {20, "34,000"}, {21, "34,000"}, {22, "5,000"}, {23, "20,000"}, {24, "20,000"}, {25, "19,000"},
        {45, "10,000"}, {49, "1,429"}, {125, "46,882"}});
}

// Depreciation the engine computed from the published MACRS table (7-year, half-year: 14.29 %, then 24.49 %)
// reaches line 19 in the year placed in service and line 17 the year after.
TEST_F(WriterTest, DepreciationComputedByTheEngineReachesLines19And17) {
    exec("INSERT INTO tblCompany (id, [Company Name], Owner, [Tax Id]) VALUES (3, 'Mill', 'A. Poe', '98-7654321')");
    exec("INSERT INTO tblAssets (Asset_num, Company_Id, Asset_name, Cost, [Allowance 30 %], [179_deduction], "
         "In_Service_date, depr_method, life, convention, other_deductions, bussiness_percent, sold_amt, vehicle_num, "
         "amortize_code, actual_method, Type_179) VALUES (30, 3, 'Loom', 10000, 0, 0, '2010-03-01', 1, 7, 1, 0, 1, 0, "
         "0, 0, '200DB', False)");
    tally::engine::CalcDepr calc;
    ASSERT_TRUE(calc.DoMacrsDepr(10000, 7, 0, 3, 30, 1, vb::Date(2010, 3, 1), vb::Date(1900, 1, 1), "N", 0, 0, 1));

    ASSERT_EQ(run(2010, 3), 0) << description_;
    expectPdfFields(forms_ / "4562_10_3.pdf", {{45, "10,000"}, {46, "7"}, {47, "HY"}, {49, "1,429"}, {29, ""},
                                              {125, "1,429"}});
    ASSERT_EQ(run(2011, 3), 0) << description_;
    expectPdfFields(forms_ / "4562_11_3.pdf", {{29, "2,449"}, {49, ""}, {125, "2,449"}});
}

// Lines 19d to 19g on the 2010 and 2009 forms and the 2008 FDF: 10-, 15-, 20- and 25-year property placed in service
// in the form's year, depreciated by the engine from the published tables. Each year is a company of its own, so no
// earlier asset reaches line 17. Worked by hand (Pub 946 Appendix A):
//   Kiln, 10-year HY, 20,000 less a 10,000 special allowance: 10,000 x 10.00 % = 1,000
//   Paving, 15-year MQ placed in service in November (4th quarter): 30,000 x 1.25 % = 375
//   Pipeline, 20-year HY: 80,000 x 3.750 % = 3,000
//   Water main, 25-year straight line, HY: 50,000 / 25 x 1/2 = 1,000 (in service in July, where the engine's
//   month count gives the same half year)
//   line 14 = 10,000; line 22 = 10,000 + 1,000 + 375 + 3,000 + 1,000 = 15,375
TEST_F(WriterTest, TenToTwentyFiveYearPropertyFillsLines19dTo19g) {
    const vb::Date notSold(1900, 1, 1);
    for (int year : {2008, 2009, 2010}) {
        const std::int32_t company = year - 2004;
        const int asset = company * 10;
        const std::string y = std::to_string(year);
        addCompany(company, "Works " + y);
        addAsset({asset + 1, "Kiln", (y + "-03-01").c_str(), 1, 10, 1, 20000, 1, 10000}, company);
        addAsset({asset + 2, "Paving", (y + "-11-01").c_str(), 1, 15, 2, 30000, 1, 0, 0, 0, 0, 0, "150DB"}, company);
        addAsset({asset + 3, "Pipeline", (y + "-05-01").c_str(), 1, 20, 1, 80000, 1, 0, 0, 0, 0, 0, "150DB"}, company);
        addAsset({asset + 4, "Water main", (y + "-07-01").c_str(), 1, 25, 1, 50000, 1, 0, 0, 0, 0, 0, "S/L"}, company);
        tally::engine::CalcDepr calc;
        ASSERT_TRUE(calc.DoMacrsDepr(10000, 10, 0, company, asset + 1, 1, vb::Date(year, 3, 1), notSold, "N", 0, 0, 1));
        ASSERT_TRUE(
            calc.DoMacrsDepr(30000, 15, 0, company, asset + 2, 2, vb::Date(year, 11, 1), notSold, "N", 0, 0, 1));
        ASSERT_TRUE(calc.DoMacrsDepr(80000, 20, 0, company, asset + 3, 1, vb::Date(year, 5, 1), notSold, "N", 0, 0, 1));
        ASSERT_TRUE(calc.DoDepr(50000, 25, 1, company, asset + 4, vb::Date(year, 7, 1), notSold, "S/L", 0, "N", 1));
        ASSERT_EQ(run(year, company), 0) << year << ": " << description_;
    }

    // 2010: the index table prints a fixed "S/L" at the method places of 19f and 19g (indexes 66 and 72), so the
    // Pipeline's 150DB shows on the 2009 and 2008 forms only.
    expectPdfFields(forms_ / "4562_10_6.pdf", {
        {26, "10,000"}, {29, ""},
        {51, "10,000"}, {52, "10"}, {53, "HY"}, {54, "200DB"}, {55, "1,000"},
        {57, "30,000"}, {58, "15"}, {59, "MQ"}, {60, "150DB"}, {61, "375"},
        {63, "80,000"}, {64, "20"}, {65, "HY"}, {67, "3,000"},
        {69, "50,000"}, {70, "25"}, {71, "HY"}, {72, "S/L"}, {73, "1,000"},
        {76, ""}, {125, "15,375"}});
    // 2009: 19g has no period or method places.
    expectPdfFields(forms_ / "4562_09_5.pdf", {
        {22, "10,000"}, {25, ""},
        {42, "10,000"}, {43, "10"}, {44, "HY"}, {45, "200DB"}, {46, "1,000"},
        {47, "30,000"}, {48, "15"}, {49, "MQ"}, {50, "150DB"}, {51, "375"},
        {52, "80,000"}, {53, "20"}, {54, "HY"}, {55, "150DB"}, {56, "3,000"},
        {57, "50,000"}, {58, "HY"}, {59, "1,000"}, {61, ""}, {84, "15,375"}});

    std::map<std::string, std::string> fields;
    for (const auto& f : pdf::readFdf(forms_ / "4562_08_4.fdf").fields) fields[f.name] = f.value;
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"f1_20(0)", "10,000"}, {"f1_23(0)", ""},
        {"f1_40(0)", "10,000"}, {"f1_41(0)", "10"}, {"f1_42(0)", "HY"}, {"f1_43(0)", "200DB"}, {"f1_44(0)", "1,000"},
        {"f1_45(0)", "30,000"}, {"f1_46(0)", "15"}, {"f1_47(0)", "MQ"}, {"f1_48(0)", "150DB"}, {"f1_49(0)", "375"},
        {"f1_50(0)", "80,000"}, {"f1_51(0)", "20"}, {"f1_52(0)", "HY"}, {"f1_53(0)", "150DB"},
        {"f1_54(0)", "3,000"}, {"f1_55(0)", "50,000"}, {"f1_56(0)", "HY"}, {"f1_58(0)", "1,000"},
        {"f1_59(0)", ""}, {"f1_81(0)", "15,375"}};
    for (const auto& [name, value] : expected) {
        ASSERT_TRUE(fields.count(name)) << name;
        EXPECT_EQ(fields[name], value) << name;
    }
}

// Listed property used more than half for business, with a section 179 amount: line 26 column (i), line 29, and the
// amount reaching Part I as line 7 beside a MACRS asset's line 6. Worked by hand (company 3, 2010):
//   Laptop: 5,000 x 90 % = 4,500 business basis; (4,500 - 1,500) x 20.00 % (5-year HY) = 600
//   line 2 = Welder 6,000 + Laptop 4,500 = 10,500; line 8 = 6,000 + 1,500 = 7,500; line 9 = min(7,500, 500,000)
//   line 11 = 50,000; line 12 = min(7,500 + 0, 50,000) = 7,500; line 13 = 0, so nothing is stored
//   line 28 = line 21 = 0 + 600; line 22 = 7,500 + 600 (the Welder's basis 6,000 - 6,000 leaves 0) = 8,100
TEST_F(WriterTest, ListedSection179ReachesLines26i29And7) {
    constexpr std::int32_t company = 3;
    addCompany(company, "Print shop");
    addAsset({50, "Welder", "2010-02-01", 1, 5, 1, 6000, 1, 0, 0, 6000}, company);
    addDepreciation(50, 2010, 0, company);
    addAsset({51, "Laptop", "2010-04-01", 9, 5, 1, 5000, 0.9, 0, 0, 1500}, company);
    addDepreciation(51, 2010, 600, company);
    exec("INSERT INTO tblMisc4562Data (Company_Id, Year, [179 Carryover], [179 Income Limit], [Listed Claim], "
         "[Listed Evidence], [Group Assets], [168 Property], [Other Depr], [263A Cost], [Exclude 179]) VALUES "
         "(3, 2010, 0, 50000, True, True, False, 0, 0, 0, False)");

    ASSERT_EQ(run(2010, company), 0) << description_;
    EXPECT_EQ(yearRows(2011, company), 0);
    expectPdfFields(forms_ / "4562_10_3.pdf", {
        {6, "10,500"}, {8, "0"}, {9, "500,000"}, {12, "  Welder"}, {13, "6,000"}, {14, "6,000"}, {16, ""},
        {19, "1,500"}, {20, "7,500"}, {21, "7,500"}, {22, "0"}, {23, "50,000"}, {24, "7,500"}, {25, "0"},
        {124, "600"}, {125, "8,100"}, {129, ""},
        {132, "Laptop"}, {133, "04-2010"}, {134, "90"}, {135, "5,000"}, {136, "4,500"}, {137, "5"},
        {138, "200DB  HY"}, {139, "600"}, {140, "1,500"}, {142, ""}, {163, ""},
        {189, "600"}, {190, "1,500"}});
}

// Line 18 is the first FDF field in every year, rewritten to the check box states "On"/"Off" only for 2002 to 2005;
// 2001 takes 198 fields, the other FDF years 200.
TEST_F(WriterTest, Line18AndTheFieldCountOfTheFdfYears) {
    const std::vector<std::tuple<int, std::string, std::size_t>> cases = {
        {2001, "<</T(c1-1)/V/Yes>>", 198}, {2004, "<</T(c1-1)/V/On>>", 200}, {2007, "<</T(c1_1\\(0\\))/V/Yes>>", 200}};
    for (const auto& [year, firstEntry, count] : cases) {
        exec("INSERT INTO tblMisc4562Data (Company_Id, Year, [Group Assets], [Listed Claim]) VALUES (2, " +
             std::to_string(year) + ", True, True)");
        ASSERT_EQ(run(year), 0) << description_;
        const fs::path output = forms_ / ("4562_" + std::to_string(year).substr(2) + "_2.fdf");
        EXPECT_NE(readFile(output).find("/Fields[" + firstEntry), std::string::npos) << year;
        const auto fields = pdf::readFdf(output).fields;
        EXPECT_EQ(fields.size(), count) << year;
    }
}

// A year without section 179 limits shows "Missing" in lines 1 and 3 and counts them as 0.
TEST_F(WriterTest, AYearWithoutLimitsShowsMissing) {
    exec("DELETE FROM tblMax179 WHERE Year = 2012");
    ASSERT_EQ(run(2012), 0) << description_;
    expectPdfFields(forms_ / "4562_12_2.pdf",
                    {{5, "Missing"}, {6, "0"}, {7, "Missing"}, {8, "0"}, {9, "0"}, {24, "0"}, {25, "0"}});
    EXPECT_EQ(yearRows(2013), 0);
}
