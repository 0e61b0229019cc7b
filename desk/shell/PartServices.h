#pragma once
// What the desktop's parts offer one another beyond the menus: the asset window asks vehicle use about a new
// vehicle and prints through reporting; the report launcher asks the asset register and vehicle use before a
// Form 4562 request and opens the vehicle-use windows. Each part fills in its own entries in its installer
// (the same one that fills DeskCommands), so no part links another; a caller whose entry is empty leaves the
// control that leads there disabled, or says that the step could not run, and never pretends it did.

#include <cstdint>
#include <functional>

#include <QString>

namespace tally::desk {

// The asset window's fields as they stand on screen, saved or not, for the printed asset detail.
struct AssetDetailFields {
    QString description;      // txtDescription
    QString assetId;          // lblAssetId: empty for an asset not yet saved
    QString method;           // cboMethod
    QString life;             // cboLife
    QString amortizeCode;     // txtAmorizeCode
    QString cost;             // txtCost
    QString actualMethod;     // lblShowMethod
    QString businessPercent;  // txtBusinessPercent (0 to 100)
    QString amount179;        // txt179Amt
    QString otherDeductions;  // txtOtherDeductions
    QString allowance;        // lbl30Allowance
    QString costBasis;        // lblCostBasis
    std::int16_t convention = 0;  // DetermineConvention: 1 HY, 2 MQ, 3 MM, 4 none, 0 none chosen
    QString inService;        // txtInService text, "mm/yyyy"
    QString assetClass;       // cboClass
    QString vehicleNumber;    // lblAutoNum
    QString notes;            // txtNotes
    QString soldDate;         // mskSold text: "__/____" while empty
    QString soldAmount;       // txtDispositionAmt
    QString gainLoss;         // lblGainLoss
};

struct PartServices {
    // Vehicle use.
    std::function<bool(std::int16_t year, std::int16_t vehicleNumber)> vehicleDocsOk;
    std::function<bool(std::int16_t year)> vehicleUseOk;
    std::function<void(std::int16_t year, std::int16_t vehicleNumber)> doAutoUseForm;
    std::function<void(std::int16_t year)> doAutoQstForm;

    // Asset register.
    std::function<bool(std::int16_t year, std::int32_t companyId)> misc4562Ok;

    // Reporting.
    // number: the tax year, or the asset number of "Depreciation Schedule" (32-bit, as asset numbers are).
    std::function<void(const QString& reportName, std::int32_t number, const QString& text)> doReports;
    std::function<void(const AssetDetailFields& asset)> printAssetDetail;
};

PartServices& partServices();

}  // namespace tally::desk
