#pragma once
// The stored values of one asset as the save derives them from the window, and the two write formats of an asset
// row built from them: the value list the engine's AddAsset pastes into its INSERT, and the UPDATE statement.
// Every value is written canonically from the validated value (numbers as the program's number text, dates as
// #m/1/yyyy#, texts through NoQuote between quotes), never from what was typed.

#include <cstdint>

#include <QString>

#include "VbDate.h"

namespace tally::desk::assets {

struct AssetRecord {
    std::int32_t companyId = 0;
    QString description;  // as typed; NoQuote is applied when written
    double cost = 0;
    double allowance = 0;
    double amount179 = 0;
    vb::Date inService;
    std::int32_t methodId = 0;
    double life = 0;
    std::int16_t convention = 0;
    double otherDeductions = 0;
    double businessFraction = 1;
    vb::Date soldDate = vb::notSoldDate();
    double soldAmount = 0;
    QString notes;  // trimmed; NoQuote is applied when written
    std::int32_t classId = 0;
    std::int32_t lifeId = 0;
    double amortizeCode = 0;
    double vehicleNumber = 0;
    QString actualMethod;
    bool type179 = false;
};

// The twenty values in the INSERT's column order, for DeprSupport::AddAsset.
QString assetValueList(const AssetRecord& record);
// The UPDATE of the asset's row (company and gain/loss stay); the stored notes end in one blank.
QString assetUpdateStatement(const AssetRecord& record, std::int32_t assetNumber);
// A date as a statement literal: #m/d/yyyy#.
QString dateLiteral(const vb::Date& date);

}  // namespace tally::desk::assets
