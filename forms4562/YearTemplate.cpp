#include "YearTemplate.h"

#include <fstream>
#include <iterator>

#include "FdfFill.h"
#include "FormErrors.h"
#include "FormTables.h"

namespace tally::forms {

namespace fs = std::filesystem;

namespace {

// The reader fills the form the FDF names, which may be another file than the year's PDF form. It must be there
// before anything is stored, not found missing by the reader once the carry-over is saved and the FDF written.
void requireFormNamedBy(const fs::path& fdfPath, int year) {
    fs::path form;
    try {
        form = pdf::namedFormPath(fdfPath, pdf::readFdf(fdfPath));
    } catch (const ComError&) {
        throw templateDamaged(year, "the form it names cannot be read from it");
    }
    std::error_code ec;
    if (!fs::is_regular_file(form, ec)) {
        throw templateMissing(year, namedFormMissing(fdfPath, "File not found: " + form.string()));
    }
}

// Whether the file opens as a PDF file does: its header within the first kilobyte. The FDF years check no more
// than that, since loading the form is the reader's work when it merges the FDF file.
bool looksLikePdf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string start(1024, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    return start.find("%PDF-") != std::string::npos;
}

}  // namespace

YearTemplate::YearTemplate(const fs::path& folder, int year)
    : folder_(folder), year_(year), pdf_(std::make_unique<pdf::PdfForm>()) {
    if (year_ < kFirstTaxYear || year_ > kLastTaxYear) throw templateMissing(year_);
    std::error_code ec;
    if (!fs::is_directory(folder_, ec)) {
        throw ComError(ErrPathNotFound, kWriterSource, "Path not found: " + folder_.string());
    }
    const fs::path fdfPath = file(".fdf");
    if (!fs::is_regular_file(fdfPath, ec)) throw templateMissing(year_);
    std::ifstream in(fdfPath, std::ios::binary);
    if (!in) throw ComError(ErrPermissionDenied, kWriterSource, "Permission denied: " + fdfPath.string());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (year_ < kFirstPdfYear) {
        fdf_ = parseFdfTemplate(text, year_);
        requireFormNamedBy(fdfPath, year_);
        if (!fs::is_regular_file(file(".pdf"), ec) || !looksLikePdf(file(".pdf"))) throw templateMissing(year_);
        return;
    }

    try {
        pdf_->LoadFromFile(file(".pdf"));
    } catch (const ComError&) {
        throw templateMissing(year_);
    }
    // A PDF without fields (a printed form put in the sheet's place) would come out blank, as if filled.
    if (pdf_->FormFieldCount() == 0) throw templateDamaged(year_, "its PDF form has no fields to fill");
}

fs::path YearTemplate::file(const std::string& suffix) const {
    return folder_ / ("4562_" + twoDigitYear(year_) + suffix);
}

}  // namespace tally::forms
