#pragma once
// The year's templates in the user's forms folder, checked before the writer does anything else: the FDF
// template every year has, its field list for the years written as FDF, and the year's PDF form (loaded for the
// years filled as a PDF form; for the FDF years, which the reader merges into it, it need only be there).

#include <filesystem>
#include <memory>
#include <string>

#include "FdfText.h"
#include "PdfForm.h"

namespace tally::forms {

class YearTemplate {
public:
    // Raises ErrTemplateMissing for a year outside kFirstTaxYear to kLastTaxYear (no template is made for it),
    // ErrPathNotFound when the folder is missing, ErrTemplateMissing when the FDF template or the PDF form is
    // missing or a PDF year's form cannot be read, ErrTemplateMissing naming the file when the form an FDF year's
    // template names is not beside it, ErrPermissionDenied when the FDF template cannot be opened, and
    // templateDamaged (ErrTemplateMissing) when an FDF year's field list is short or its form name unreadable, or
    // a PDF year's form has no fields.
    YearTemplate(const std::filesystem::path& folder, int year);

    const FdfTemplate& fdfFields() const { return fdf_; }  // FDF years only
    pdf::PdfForm& pdfForm() { return *pdf_; }             // PDF years only: loaded and checked

    // "4562_yy" + suffix: the templates and the filled forms of the year.
    std::filesystem::path file(const std::string& suffix) const;

private:
    std::filesystem::path folder_;
    int year_;
    FdfTemplate fdf_;
    std::unique_ptr<pdf::PdfForm> pdf_;
};

}  // namespace tally::forms
