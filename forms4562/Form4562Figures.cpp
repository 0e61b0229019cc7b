#include "Form4562Figures.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Auto.h"
#include "Conversions.h"
#include "DeprSupport.h"
#include "Format.h"
#include "Recordset.h"
#include "Strings.h"
#include "Tallyform.h"

namespace tally::forms {

namespace {

using engine::Tallyform;

constexpr std::size_t kListedRows = 3;
constexpr std::size_t kAmortizedRows = 2;
constexpr std::size_t kSection179Rows = 2;
constexpr int kVehicleColumns = 6;

// A recordset value as the form holds it: Null as the empty text, yes/no as "Yes"/"No".
std::string textOf(const vb::Variant& value) {
    if (value.isNull() || value.isEmpty()) return {};
    if (value.type() == vb::VarType::Boolean) return value.toBool() ? "Yes" : "No";
    return value.toString();
}

std::string field(const ado::Recordset& rs, std::string_view name) { return textOf(rs[name]); }

bool answer(const ado::Recordset& rs, std::string_view name) {
    const vb::Variant& value = rs[name];
    return !value.isNull() && !value.isEmpty() && value.toBool();
}

std::string yesNo(bool value) { return value ? "Yes" : "No"; }

std::string monthYear(const vb::Variant& value) {
    if (value.isNull() || value.isEmpty()) return {};
    return vb::Format(value, "mm-yyyy");
}

// Whether a set goes on the form as one total row: the engine sent its marker row(s), or it chose detail rows but
// more came back than the form has places, which are then added up so that no amount drops off the totals.
bool usesTotals(ado::Recordset& rs, const char* marker, std::size_t places) {
    if (rs.EOF_()) return false;
    return field(rs, "Asset_name") == marker || static_cast<std::size_t>(rs.RecordCount()) > places;
}

double columnTotal(ado::Recordset& rs, std::string_view column) {
    double sum = 0;
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) sum += vb::Val(field(rs, column));
    return sum;
}

// Lines 26 and 27: listed property used more (">") or not more ("<=") than half for business.
void listedProperty(Form4562Values& v, ado::Recordset& rs, const std::string& line, bool moreThanHalf) {
    if (usesTotals(rs, engine::kTotalListed, kListedRows)) {
        const std::string row = line + ".1";
        v.set(row + "(a)", engine::kTotalListed);
        v.set(row + "(b)", " ");
        v.set(row + "(c)", " ");
        v.set(row + "(f)", "5");
        if (moreThanHalf) {
            v.set(row + "(g)", "200DB ");
            v.set(row + "(i)", vb::NumberText(columnTotal(rs, "179_deduction")));
        }
        v.set(row + "(d)", vb::NumberText(columnTotal(rs, "Cost")));
        v.set(row + "(e)", vb::NumberText(columnTotal(rs, "Basis")));
        v.set(row + "(h)", vb::NumberText(columnTotal(rs, "Depr")));
        return;
    }
    for (std::size_t r = 1; r <= kListedRows && !rs.EOF_(); ++r, rs.MoveNext()) {
        const std::string row = line + "." + std::to_string(r);
        v.set(row + "(a)", field(rs, "Asset_name"));
        v.set(row + "(b)", monthYear(rs["In_Service_date"]));
        v.set(row + "(c)", field(rs, "Bpercent"));
        v.set(row + "(d)", field(rs, "Cost"));
        v.set(row + "(e)", field(rs, "Basis"));
        v.set(row + "(f)", field(rs, "life"));
        if (moreThanHalf) {
            v.set(row + "(g)", field(rs, "Method") + " " + field(rs, "abbreviation"));
            v.set(row + "(i)", field(rs, "179_deduction"));
        } else {
            v.set(row + "(g)", field(rs, "abbreviation"));
        }
        v.set(row + "(h)", field(rs, "Depr"));
    }
}

// Lines 30 to 36: the year's vehicles in columns 1 to 6 (a seventh and later vehicle takes column 6 again), and
// each use row in the column of its vehicle, searched forward from the column after the previous use row's.
void vehicleUse(Form4562Values& v, ado::Recordset& vehicles, ado::Recordset& use) {
    std::array<std::optional<std::int32_t>, kVehicleColumns> columnVehicle;
    for (int column = 0; !vehicles.EOF_(); vehicles.MoveNext()) {
        columnVehicle[static_cast<std::size_t>(column)] = vehicles["vehicle_num"].toLong();
        column = std::min(column + 1, kVehicleColumns - 1);
    }
    int from = 0;
    for (; !use.EOF_(); use.MoveNext()) {
        const std::int32_t vehicle = use["Vehicle #"].toLong();
        int column = from;
        while (column < kVehicleColumns && columnVehicle[static_cast<std::size_t>(column)] != vehicle) ++column;
        if (column == kVehicleColumns) continue;
        from = column + 1;
        const std::string k = "." + std::to_string(column + 1);
        v.set("30" + k, field(use, "Business Miles"));
        v.set("31" + k, field(use, "Commuting Miles"));
        v.set("32" + k, field(use, "Personal Miles"));
        v.set("33" + k, vb::NumberText(v.number("30" + k) + v.number("31" + k) + v.number("32" + k)));
        v.set("34" + k, yesNo(answer(use, "Available Personal Use off Hours")));
        v.set("35" + k, yesNo(answer(use, "Driver 5 percent Owner")));
        v.set("36" + k, yesNo(answer(use, "Another Car Available")));
    }
}

void employerQuestions(Form4562Values& v, ado::Recordset& rs) {
    if (rs.EOF_()) return;
    v.set("37", yesNo(answer(rs, "No Personal Use")));
    v.set("38", yesNo(answer(rs, "Commuting Allowed")));
    v.set("39", yesNo(answer(rs, "All Personal Use")));
    v.set("40", yesNo(answer(rs, "More 5 Cars & keep Track")));
    v.set("41", yesNo(answer(rs, "Meet Requirements")));
}

void amortization(Form4562Values& v, ado::Recordset& rs, std::int32_t priorYears) {
    if (usesTotals(rs, engine::kTotalAmortized, kAmortizedRows)) {
        v.set("42.1(a)", engine::kTotalAmortized);
        v.set("42.1(b)", " ");
        v.set("42.1(c)", vb::NumberText(columnTotal(rs, "Basis")));
        v.set("42.1(d)", " ");
        v.set("42.1(e)", " ");
        v.set("42.1(f)", vb::NumberText(columnTotal(rs, "Depr")));
    } else {
        for (std::size_t r = 1; r <= kAmortizedRows && !rs.EOF_(); ++r, rs.MoveNext()) {
            const std::string row = "42." + std::to_string(r);
            v.set(row + "(a)", field(rs, "Asset_name"));
            v.set(row + "(b)", monthYear(rs["In_Service_date"]));
            v.set(row + "(c)", field(rs, "Basis"));
            v.set(row + "(d)", field(rs, "amortize_Code"));
            v.set(row + "(e)", field(rs, "Periods"));
            v.set(row + "(f)", field(rs, "Depr"));
        }
    }
    v.set("43", std::to_string(priorYears));
    v.set("44", wholeText(v.number("42.1(f)") + v.number("43") + v.number("42.2(f)")));
}

void section179Property(Form4562Values& v, ado::Recordset& rs) {
    if (usesTotals(rs, engine::kTotal179Assets, kSection179Rows)) {
        v.set("6.1(a)", std::string("  ") + engine::kTotal179Assets);
        v.set("6.1(c)", vb::NumberText(columnTotal(rs, "179_deduction")));
        return;
    }
    for (std::size_t r = 1; r <= kSection179Rows && !rs.EOF_(); ++r, rs.MoveNext()) {
        const std::string row = "6." + std::to_string(r);
        v.set(row + "(a)", "  " + field(rs, "Asset_name"));
        v.set(row + "(b)", field(rs, "Cost"));
        v.set(row + "(c)", field(rs, "179_deduction"));
    }
}

// The conventions of a class run together; more than one row's worth shows as "N/A".
void addConvention(Form4562Values& v, const std::string& id, const std::string& convention) {
    std::string joined = v[id] + convention;
    v.set(id, joined.size() > 2 ? "N/A" : joined);
}

void addAmount(Form4562Values& v, const std::string& id, const std::string& amount) {
    v.set(id, vb::NumberText(v.number(id) + vb::Val(amount)));
}

// 50-year property is kept beside the form in whole dollars: each amount is rounded before it is added.
void addWhole(std::int32_t& total, const std::string& amount) {
    total = vb::CLng(total + static_cast<double>(vb::CLng(vb::Val(amount))));
}

void setIfOnForm(Form4562Values& v, const std::string& id, const std::string& text) {
    if (isFormValueId(id)) v.set(id, text);
}

// Line 19: MACRS property placed in service in the year, by recovery period.
void macrsSummary(Form4562Values& v, ado::Recordset& rs) {
    static const std::vector<std::pair<double, std::string>> kClasses = {
        {3, "19a"}, {5, "19b"}, {7, "19c"}, {10, "19d"}, {15, "19e"}, {20, "19f"}, {25, "19g"}, {27.5, "19h"},
        {39, "19i"}};
    for (; !rs.EOF_(); rs.MoveNext()) {
        if (rs[0L].isNull()) continue;
        const double life = vb::Val(field(rs, "life"));
        if (life == 50) {
            addWhole(v.fiftyYearMacrs, field(rs, "Depr"));
            continue;
        }
        auto cls = std::find_if(kClasses.begin(), kClasses.end(), [life](const auto& c) { return c.first == life; });
        if (cls == kClasses.end()) continue;
        const std::string& id = cls->second;
        addAmount(v, id + "(c)", field(rs, "Basis"));
        addAmount(v, id + "(g)", field(rs, "Depr"));
        setIfOnForm(v, id + "(d)", field(rs, "life"));
        setIfOnForm(v, id + "(f)", field(rs, "method"));
        if (isFormValueId(id + "(e)")) addConvention(v, id + "(e)", field(rs, "Convention"));
    }
}

// Line 20: ADS property placed in service in the year; 12 and 40 years have rows of their own.
void adsSummary(Form4562Values& v, ado::Recordset& rs) {
    std::optional<double> firstClassLife;
    for (; !rs.EOF_(); rs.MoveNext()) {
        if (rs[0L].isNull()) continue;
        const double life = vb::Val(field(rs, "life"));
        if (life == 50) {
            addWhole(v.fiftyYearAds, field(rs, "Depr"));
            continue;
        }
        const std::string id = life == 12 ? "20b" : life == 40 ? "20c" : "20a";
        addAmount(v, id + "(c)", field(rs, "Basis"));
        addAmount(v, id + "(g)", field(rs, "Depr"));
        if (id == "20b") addConvention(v, "20b(e)", field(rs, "Convention"));
        if (id != "20a") continue;
        if (!firstClassLife) {
            firstClassLife = life;
            v.set("20a(d)", field(rs, "life"));
        } else if (*firstClassLife != life) {
            v.set("20a(d)", "N/A");
        }
        addConvention(v, "20a(e)", field(rs, "Convention"));
    }
}

// Line 22: the total of lines 12 to 21, less line 12 when the year's data excludes it; 50-year property is added
// and marked with " *".
void totalDepreciation(Form4562Values& v, bool exclude179) {
    double sum = 0;
    for (const char* id : {"12", "14", "15", "16", "17", "19a(g)", "19b(g)", "19c(g)", "19d(g)", "19e(g)", "19f(g)",
                           "19g(g)", "19h(g)", "19i(g)", "20a(g)", "20b(g)", "20c(g)", "21"}) {
        sum += v.number(id);
    }
    if (exclude179) sum -= v.number("12");
    if (v.fiftyYearAds > 0 || v.fiftyYearMacrs > 0) {
        sum += static_cast<double>(v.fiftyYearAds) + v.fiftyYearMacrs;
        v.set("22", vb::Format(sum, "#,###") + " *");
    } else {
        v.set("22", vb::Format(sum, "#,###"));
    }
}

}  // namespace

Form4562Values gatherForm4562(std::int16_t year, std::int32_t companyId, const CarryOverStore& storeCarryOver) {
    Form4562Values v;

    // Part V: listed property.
    {
        Tallyform figures;
        v.set("25", std::to_string(figures.GetAllowances(companyId, year, "Listed")));
        listedProperty(v, *figures.GetListedDepr(companyId, year, ">"), "26", true);
    }
    {
        Tallyform figures;
        listedProperty(v, *figures.GetListedDepr(companyId, year, "<="), "27", false);
    }
    double listedDepreciation = v.number("25");
    for (const char* id : {"26.1(h)", "26.2(h)", "26.3(h)", "27.1(h)", "27.2(h)", "27.3(h)"}) {
        listedDepreciation += v.number(id);
    }
    v.set("28", wholeText(listedDepreciation));
    v.set("29", wholeText(v.number("26.1(i)") + v.number("26.2(i)") + v.number("26.3(i)")));
    v.set("21", v["28"]);
    v.set("7", v["29"]);

    // Part V sections B and C: vehicles and the employer's questions.
    {
        engine::Auto autos;
        ado::RecordsetPtr vehicles = autos.GetVehicleDescription(companyId, year);
        ado::RecordsetPtr use = autos.GetAutoUse(year, companyId);
        vehicleUse(v, *vehicles, *use);
        employerQuestions(v, *autos.GetAutoQst(year, companyId));
    }

    // Part VI, then the heading.
    {
        Tallyform figures;
        ado::RecordsetPtr amortized = figures.GetAmortized(companyId, year);
        amortization(v, *amortized, figures.GetPriorYearAmortization(companyId, year));
        ado::RecordsetPtr company = figures.GetCompanyData(companyId);
        if (!company->EOF_()) {
            v.set("owner", field(*company, "owner"));
            v.set("company name", field(*company, "Company name"));
            v.set("tax id", field(*company, "tax Id"));
        }
    }

    // Part I: the section 179 election.
    engine::DeprSupport support;
    {
        ado::RecordsetPtr limits = support.Get179Limits(year);
        v.set("1", limits->EOF_() ? "Missing" : field(*limits, "Maximum Amount"));
        v.set("3", limits->EOF_() ? "Missing" : field(*limits, "Threshold Cost"));
        ado::RecordsetPtr cost = support.Get179andCostTotal(companyId, year);
        if (!cost->EOF_()) v.set("2", (*cost)[0L].isNull() ? "0" : textOf((*cost)[0L]));
        v.set("4", wholeText(std::max(v.number("2") - v.number("3"), 0.0)));
        v.set("5", wholeText(std::max(v.number("1") - v.number("4"), 0.0)));
        Tallyform figures;
        section179Property(v, *figures.Get179MacrsDeduction(companyId, year));
        v.set("8", wholeText(v.number("6.1(c)") + v.number("6.2(c)") + v.number("7")));
        v.set("9", wholeText(std::min(v.number("8"), v.number("5"))));
    }

    // The year's own data.
    std::string otherDepreciation;
    bool exclude179 = false;
    {
        ado::RecordsetPtr misc = support.GetMisc4562DataForMaint(companyId, year);
        if (!misc->EOF_()) {
            v.set("10", field(*misc, "179 CarryOver"));
            v.set("11", field(*misc, "179 Income Limit"));
            v.set("15", field(*misc, "168 Property"));
            otherDepreciation = field(*misc, "Other Depr");
            v.set("18", field(*misc, "Group Assets"));
            v.set("23", field(*misc, "263A Cost"));
            v.set("24a", field(*misc, "Listed Claim"));
            v.set("24b", field(*misc, "Listed Evidence"));
            exclude179 = field(*misc, "Exclude 179") == "Yes";
        }
    }
    if (v.number("11") < 0) {
        v.set("11", "0");
    } else if (v.number("11") > v.number("5")) {
        v.set("11", v["5"]);
    }
    if (year > 2001 && year < 2006) {
        if (vb::EqualsNoCase(v["18"], "Yes")) v.set("18", "On");
        else if (vb::EqualsNoCase(v["18"], "No")) v.set("18", "Off");
    }
    for (const char* id : {"24a", "24b"}) {
        if (vb::EqualsNoCase(v[id], "Yes")) v.set(id, "Yes");
        else if (vb::EqualsNoCase(v[id], "No")) v.set(id, "No");
    }

    // Lines 12 and 13, and next year's carry-over.
    v.set("12", wholeText(std::min(v.number("9") + v.number("10"), v.number("11"))));
    v.set("13", wholeText(v.number("10") + v.number("9") - v.number("12")));
    const std::int32_t carryOver = vb::CLng(v.number("13"));
    if (carryOver > 0) storeCarryOver(carryOver, static_cast<std::int16_t>(year + 1));

    // Parts II and III.
    {
        Tallyform figures;
        v.set("14", std::to_string(figures.GetAllowances(companyId, year, "MACRS")));
        v.set("16", wholeText(static_cast<double>(vb::CLng(vb::Val(otherDepreciation))) +
                              figures.GetOtherDepr(year, companyId)));
        v.set("17", std::to_string(figures.GetMacrsPriorYears(companyId, year)));
        macrsSummary(v, *figures.GetDeprSummary(companyId, year, "MACRS"));
        adsSummary(v, *figures.GetDeprSummary(companyId, year, "ADS"));
    }
    totalDepreciation(v, exclude179);
    return v;
}

}  // namespace tally::forms
