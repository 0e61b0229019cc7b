#pragma once
// Gathers one company's Form 4562 figures for one tax year from the engine and works out Part I and the totals.

#include <cstdint>
#include <functional>

#include "FormValues.h"

namespace tally::forms {

// Stores next year's section 179 carry-over (amount, tax year); called at most once, only when line 13 is
// above 0, before the form is written.
using CarryOverStore = std::function<void(std::int32_t amount, std::int16_t year)>;

Form4562Values gatherForm4562(std::int16_t year, std::int32_t companyId, const CarryOverStore& storeCarryOver);

}  // namespace tally::forms
