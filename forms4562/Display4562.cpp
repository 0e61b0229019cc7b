#include "Display4562.h"

#include <fstream>

#include "DeprSupport.h"
#include "FormErrors.h"
#include "FormRoutes.h"
#include "FormTables.h"
#include "Form4562Figures.h"
#include "ReplaceFile.h"
#include "UserFormsFolder.h"
#include "YearTemplate.h"

namespace tally::forms {

namespace fs = std::filesystem;

namespace {

void writeBytes(const fs::path& target, const std::string& bytes) {
    pdf::replaceFile(target, [&bytes](const fs::path& temporary) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) throw ComError(75, kWriterSource, "Path/File access error: " + temporary.string());
    });
}

void show(FormOpener& opener, const fs::path& file) {
    try {
        opener.open(file);
    } catch (const ComError& e) {
        if (e.number() == ErrReaderRequired) throw readerRequired(e);
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
            show(*opener_, filled);
        } else {
            const fs::path filled = templates.file(output + ".fdf");
            writeBytes(filled, fdfFileBytes(mergeFdfFields(templates.fdfFields(), intYear, values)));
            show(*opener_, filled);
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
