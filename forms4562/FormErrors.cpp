#include "FormErrors.h"

namespace tally::forms {

ComError templateMissing(int year) {
    return ComError(ErrTemplateMissing, kWriterSource,
                    "The 4562.Pdf file for year " + std::to_string(year) + " is missing.");
}

ComError templateMissing(int year, const ComError& cause) {
    return ComError(ErrTemplateMissing, kWriterSource, templateMissing(year).description() + " " + cause.description());
}

ComError namedFormMissing(const std::filesystem::path& fdf, const std::string& cause) {
    return ComError(ErrTemplateMissing, kWriterSource,
                    "The form " + fdf.filename().string() + " names is missing (" + cause + ").");
}

ComError templateDamaged(int year, const std::string& detail) {
    return ComError(ErrTemplateMissing, kWriterSource,
                    "The 4562 template for year " + std::to_string(year) + " is damaged: " + detail + ".");
}

ComError readerRequired(const ComError& cause) {
    return ComError(ErrReaderRequired, cause.source(),
                    "A PDF viewer such as xpdf is required to Display Form 4562.  It is a free download from "
                    "https://packages.debian.org/bookworm/xpdf.");
}

ComError fiftyYearAssets() {
    return ComError(ErrFiftyYearAssets, kWriterSource,
                    "There are 50 year assets. Print 50 Year Report and include with return.");
}

}  // namespace tally::forms
