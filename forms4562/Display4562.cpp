#include "Display4562.h"

#include "DeprSupport.h"
#include "FileBytes.h"
#include "FormErrors.h"
#include "FormRoutes.h"
#include "FormTables.h"
#include "Form4562Figures.h"
#include "UserFormsFolder.h"
#include "YearTemplate.h"

namespace tally::forms {

namespace fs = std::filesystem;

namespace {

// The opener's 53 means only that no viewer starts. A form the FDF names that is not there (YearTemplate checks
// it first; this is for one that went away since) is the year's template missing: the year's text first, then the
// opener's own, which names the file the FDF wanted.
void show(FormOpener& opener, const fs::path& file, int year) {
    try {
        opener.open(file);
    } catch (const ComError& e) {
        if (e.number() == ErrReaderRequired) throw readerRequired(e);
        if (e.number() == ErrTemplateMissing) throw templateMissing(year, e);
        throw;
    }
}

}  // namespace

Display4562::Display4562() : Display4562(std::make_shared<ReaderOpener>()) {}

Display4562::Display4562(std::shared_ptr<FormOpener> opener) : opener_(std::move(opener)) {}

Display4562::~Display4562() = default;

void Display4562::Do4562Form(std::int16_t intYear, std::int32_t lngCompanyId) {
    try {
        YearTemplate templates(UserFormsFolder(), intYear);
        const Form4562Values values = gatherForm4562(intYear, lngCompanyId, [&](std::int32_t amount, std::int16_t year) {
            Save179CarryOver(amount, year, lngCompanyId);
        });

        const std::string output = "_" + std::to_string(lngCompanyId);
        if (intYear >= kFirstPdfYear) {
            fillPdfFields(templates.pdfForm(), intYear, values);
            const fs::path filled = templates.file(output + ".pdf");
            templates.pdfForm().SaveToFile(filled);
            show(*opener_, filled, intYear);
        } else {
            const fs::path filled = templates.file(output + ".fdf");
            writeFileBytes(filled, fdfFileBytes(mergeFdfFields(templates.fdfFields(), intYear, values)), kWriterSource);
            show(*opener_, filled, intYear);
        }

        if (values.fiftyYearAds > 0 || values.fiftyYearMacrs > 0) throw fiftyYearAssets();
    } catch (const ComError&) {
        throw;
    } catch (const std::exception& e) {
        throw ComError(kUnexpectedFailure, kWriterSource, e.what());
    }
}

void Display4562::Save179CarryOver(std::int32_t lngAmount, std::int16_t intYear, std::int32_t lngCompanyId) {
    engine::DeprSupport support;
    support.Save179(lngAmount, intYear, lngCompanyId);
}

}  // namespace tally::forms
