// Vehicle-use data: the year's vehicles, their use rows, the questionnaire and the report's scratch table.

#include "ComError.h"
#include "Connection.h"
#include "modDatabase.h"
#include "QueryFixture.h"

namespace tally::testing {
namespace {

class VehicleUse : public QueryTest {
protected:
    void SetUp() override {
        acme = addCompany("Acme Tools");
        addDepreciated({.company = acme, .name = "Sedan", .method = kListed, .business = 0.6, .vehicle = 2}, 100);
        addDepreciated({.company = acme, .name = "Van", .method = kListed, .business = 0.9, .vehicle = 1}, 100);
        // In service, but without a depreciation row in the year.
        const std::int32_t truck = addAsset({.company = acme,
                                             .name = "Truck",
                                             .inService = "01/01/2015",
                                             .method = kListed,
                                             .business = 0.7,
                                             .vehicle = 3});
        addDepr(acme, truck, 2019, 100);
    }

    std::string useValues(int vehicle, const std::string& businessMiles, const std::string& answers) const {
        return std::to_string(acme) + ", 2020, " + std::to_string(vehicle) + ", '" + businessMiles +
               "', '300', '50', " + answers;
    }

    std::int32_t acme = 0;
};

TEST_F(VehicleUse, TheYearsVehiclesAreThoseWithADepreciationRow) {
    EXPECT_EQ(autos.ActiveAutos(acme, kYear), 2);
    EXPECT_EQ(columnText(autos.GetVehicleDescription(acme, kYear), "Asset_name"),
              (std::vector<std::string>{"Van", "Sedan"}));
    EXPECT_EQ(autos.GetNextVehicleNum(1999, acme), 4) << "the year is not looked at";
    EXPECT_EQ(autos.GetNextVehicleNum(kYear, addCompany("Bay Bakery")), 1);
}

TEST_F(VehicleUse, ANewVehicleNumberIsPastTheUseRowsADeletedVehicleLeft) {
    autos.AddAutoUse(useValues(7, "500", "False, False, False"), acme, kYear, 7);
    EXPECT_EQ(autos.GetNextVehicleNum(kYear, acme), 8);
    EXPECT_EQ(autos.GetNextVehicleNum(kYear, addCompany("Bay Bakery")), 1) << "another company's use rows";
}

TEST_F(VehicleUse, UseRowsRoundTripAndReplaceEachOther) {
    autos.AddAutoUse(useValues(2, "800", "False, No, 0"), acme, kYear, 2);
    autos.AddAutoUse(useValues(1, "1200", "True, Yes, 1"), acme, kYear, 1);
    autos.AddAutoUse(useValues(3, "10", "True, True, True"), acme, kYear, 3);
    EXPECT_EQ(autos.CheckAutoUse(acme, kYear, 1), 1);
    EXPECT_EQ(autos.CheckAutoUse(acme, kYear, 0), 2) << "the truck has no depreciation row in the year";

    ado::RecordsetPtr use = autos.GetAutoUse(kYear, acme);
    EXPECT_EQ(columnNumbers(use, "Vehicle #"), (std::vector<double>{1, 2})) << "the order of GetVehicleDescription";
    EXPECT_EQ(columnText(use, "Business Miles"), (std::vector<std::string>{"1200", "800"}));
    use->MoveFirst();
    for (const char* answer : {"Available Personal Use off Hours", "Driver 5 percent Owner", "Another Car Available"}) {
        EXPECT_EQ((*use)[answer].type(), vb::VarType::Boolean) << answer;
        EXPECT_TRUE((*use)[answer].toBool()) << answer;
    }
    use->MoveNext();
    EXPECT_FALSE((*use)["Driver 5 percent Owner"].toBool());

    autos.AddAutoUse(useValues(1, "1500", "False, False, False"), acme, kYear, 1);
    EXPECT_EQ(autos.CheckAutoUse(acme, kYear, 1), 1);
    EXPECT_EQ(columnText(autos.GetAutoUse(kYear, acme), "Business Miles"), (std::vector<std::string>{"1500", "800"}));

    autos.DeleteVehicle(kYear, acme, 1);
    EXPECT_EQ(autos.CheckAutoUse(acme, kYear, 1), 0);
    EXPECT_EQ(autos.CheckAutoUse(acme, kYear, 2), 1);
}

TEST_F(VehicleUse, AFailedReplacementKeepsTheEarlierUseRow) {
    autos.AddAutoUse(useValues(1, "1200", "True, False, False"), acme, kYear, 1);
    try {
        autos.AddAutoUse(std::to_string(acme) + ", 2020, 1, 'malformed'", acme, kYear, 1);
        FAIL() << "a malformed value list must raise";
    } catch (const ComError& e) {
        EXPECT_EQ(e.tagClass(), "Auto");
        EXPECT_EQ(e.tagOperation(), "AddAutoUse");
    }
    EXPECT_EQ(columnText(autos.GetAutoUse(kYear, acme), "Business Miles"), (std::vector<std::string>{"1200"}));
}

TEST_F(VehicleUse, WritesJoinATransactionTheCallerOpened) {
    {
        ado::Transaction caller(engine::modDatabase::SharedConnection());
        autos.AddAutoUse(useValues(1, "1200", "True, False, False"), acme, kYear, 1);
        deprSupport.Save179(100, kYear, acme);
        autos.GetAutoUseReport(kYear, acme);
    }  // rolled back
    EXPECT_EQ(autos.CheckAutoUse(acme, kYear, 1), 0);
    EXPECT_EQ(deprSupport.CheckForMisc4562(kYear, acme), 0);
}

TEST_F(VehicleUse, ReportMarksTheVehiclesWithUseDataAndHoldsOneCompanyOnly) {
    const std::int32_t bay = addCompany("Bay Bakery");
    addDepreciated({.company = bay, .name = "Delivery van", .method = kListed, .vehicle = 1}, 100);
    EXPECT_EQ(autos.GetAutoUseReport(kYear, bay)->RecordCount(), 1);

    autos.AddAutoUse(useValues(1, "1200", "True, False, True"), acme, kYear, 1);
    const ado::RecordsetPtr report = autos.GetAutoUseReport(kYear, acme);
    EXPECT_EQ(columnText(report, "Description"), (std::vector<std::string>{"Van", "Sedan"}));
    EXPECT_EQ(columnText(report, "display_data"), (std::vector<std::string>{"True", "False"}));
    EXPECT_EQ(columnNumbers(report, "Business Miles"), (std::vector<double>{1200, -1}));
    EXPECT_EQ(columnText(report, "Another Car"), (std::vector<std::string>{"True", "<Null>"}));
}

TEST_F(VehicleUse, QuestionnaireAnswersReadAsBooleansWhateverLiteralWroteThem) {
    EXPECT_EQ(autos.GetAutoQst(kYear, acme)->RecordCount(), 0);
    autos.AddAutoQst(std::to_string(acme) + ", 2020, True, Yes, 1, False, No");
    const ado::RecordsetPtr answers = autos.GetAutoQst(kYear, acme);
    ASSERT_EQ(answers->RecordCount(), 1);
    std::vector<bool> values;
    for (long i = 0; i < answers->FieldCount(); ++i) {
        EXPECT_EQ(answers->fieldInfo(i).type, ado::DataType::Boolean);
        values.push_back((*answers)[i].toBool());
    }
    EXPECT_EQ(values, (std::vector<bool>{true, true, true, false, false}));
    autos.DeleteAutoQst(kYear, acme);
    EXPECT_EQ(autos.GetAutoQst(kYear, acme)->RecordCount(), 0);
}

}  // namespace
}  // namespace tally::testing
