#pragma once
// Form 4562 (Depreciation and Amortization) for one company/client and one tax year: the figures come from the
// engine, the filled form is written into the user's forms folder and shown. Tax years up to 2008 are written as
// an FDF file over the year's template, later years as a filled copy of the year's PDF form.

#include <cstdint>
#include <memory>

#include "FormOpener.h"

namespace tally::forms {

class Display4562 {
public:
    Display4562();  // shows finished forms through the desktop's viewer
    explicit Display4562(std::shared_ptr<FormOpener> opener);
    ~Display4562();
    Display4562(const Display4562&) = delete;
    Display4562& operator=(const Display4562&) = delete;

    // Raises every failure as a ComError with its number, source and description, and stores nothing before the
    // templates are checked: ErrTemplateMissing when the year has no template (a year outside kFirstTaxYear to
    // kLastTaxYear, a missing FDF template or PDF form, a PDF year's form that cannot be read or has no fields, an
    // FDF field list that is short, or a form the FDF template names that is not there, whose file the description
    // tells after the year's text), ErrPermissionDenied (70) when the FDF template cannot be opened,
    // ErrPathNotFound (76) when the forms folder or HOME is missing, 75 when the filled form cannot be saved,
    // ErrReaderRequired (53) when no viewer can be started, and ErrFiftyYearAssets (13010) as a notice after the
    // form was written and shown.
    void Do4562Form(std::int16_t intYear, std::int32_t lngCompanyId);

private:
    void Save179CarryOver(std::int32_t lngAmount, std::int16_t intYear, std::int32_t lngCompanyId);

    std::shared_ptr<FormOpener> opener_;
};

}  // namespace tally::forms
