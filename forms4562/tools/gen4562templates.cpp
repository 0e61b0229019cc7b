// Builds the Form 4562 template set from the writer's own tables: for every tax year from 2001 to the year
// after the current one, the FDF template "4562_yy.fdf" and a fillable data sheet "4562_yy.pdf" whose fields, in
// field-index order, carry the name of the form line each receives. The sheets are no IRS forms: the user copies
// the figures onto the official form, or puts the official fillable form of a year in the sheet's place.
//
// usage: gen4562templates <output folder> [last tax year]

#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ComError.h"
#include "FdfText.h"
#include "FileBytes.h"
#include "FormBuilder.h"
#include "FormTables.h"
#include "LineCaptions.h"

namespace fs = std::filesystem;
using namespace tally::forms;

namespace {

constexpr const char* kSource = "gen4562templates";

struct SheetField {
    std::string name;
    FieldCell cell;
};

pdf::SheetFieldKind kindOf(const FieldCell& cell) {
    switch (cell.kind) {
        case FieldCell::Kind::Value:
            switch (answerKind(cell.id)) {
                case AnswerKind::CheckBox: return pdf::SheetFieldKind::CheckBox;
                case AnswerKind::YesNo: return pdf::SheetFieldKind::RadioYesNo;
                case AnswerKind::Text: return pdf::SheetFieldKind::Text;
            }
            break;
        case FieldCell::Kind::Literal: return pdf::SheetFieldKind::Text;
        default: break;
    }
    return pdf::SheetFieldKind::Hidden;
}

std::string captionOf(const FieldCell& cell, int year) {
    if (cell.kind == FieldCell::Kind::Value) return lineCaption(cell.id, year);
    if (cell.kind == FieldCell::Kind::Literal && !cell.id.empty())
        return lineCaption(cell.id, year) + ": " + cell.literal;
    return "not used";
}

// The fields of an FDF year in template order: the line 18 box first, then the first name of every table row
// whose value the sheet does not show yet, then spare names up to the count the year's form takes.
std::vector<SheetField> fdfYearFields(int year) {
    std::vector<SheetField> fields = {{"c1-1", FieldCell::parse("18")}};
    std::set<std::string> placed = {"18"};
    for (const auto& row : fdfNameTable()) {
        const FieldCell& cell = row.cellFor(year);
        if (cell.kind != FieldCell::Kind::Value || !placed.insert(cell.id).second) continue;
        fields.push_back({row.names.front(), cell});
    }
    for (int spare = 1; static_cast<int>(fields.size()) < fdfFieldCount(year); ++spare) {
        fields.push_back({"f9-" + std::to_string(spare), FieldCell{}});
    }
    return fields;
}

std::string fieldNameOf(int index, const FieldCell& cell) {
    std::string id = cell.kind == FieldCell::Kind::Value || cell.kind == FieldCell::Kind::Literal ? cell.id : "unused";
    std::string name = "i";
    char number[16];
    std::snprintf(number, sizeof number, "%03d_", index);
    name += number;
    for (char c : id) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
        else if (c == '.' || c == ' ') name += '_';
    }
    return name;
}

void writeYear(const fs::path& folder, int year) {
    const std::string yy = twoDigitYear(year);
    const std::string pdfName = "4562_" + yy + ".pdf";
    pdf::FormBuilder sheet("Form 4562 data sheet, tax year " + std::to_string(year) +
                           " - transfer to the official form");
    std::string fieldList;
    if (year < kFirstPdfYear) {
        for (const auto& field : fdfYearFields(year)) {
            const bool textStyle = fdfTextStyle(field.name);
            fieldList += fdfEntry(fdfRawName(field.name, year), textStyle, textStyle ? "" : "Off");
            sheet.addField(fdfFieldName(field.name, year), captionOf(field.cell, year), kindOf(field.cell));
        }
    } else {
        for (int index = 1; index <= pdfLastIndex(year); ++index) {
            const FieldCell cell = pdfCell(index, year);
            sheet.addField(fieldNameOf(index, cell), captionOf(cell, year), kindOf(cell));
        }
    }
    writeFileBytes(folder / ("4562_" + yy + ".fdf"),
                   fdfFileBytes("1 0 obj<</FDF<</F(" + pdfName + ")/Fields[" + fieldList + "]>>>>"), kSource);
    sheet.save(folder / pdfName);
}

int currentYear() {
    const auto today = std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
    return static_cast<int>(today.year());
}

// The last tax year of the set: the argument when given, else the year after the current one. Nothing when the
// argument is no whole year from kFirstTaxYear to kLastTaxYear, so a mistyped year never builds an empty set.
std::optional<int> lastYearOf(int argc, char** argv) {
    if (argc < 3) return currentYear() + 1;
    const std::string_view text = argv[2];
    const char* end = text.data() + text.size();
    int year = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, year);
    if (error != std::errc() || stop != end || year < kFirstTaxYear || year > kLastTaxYear) return std::nullopt;
    return year;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<int> last = argc >= 2 && argc <= 3 ? lastYearOf(argc, argv) : std::nullopt;
    if (!last) {
        std::cerr << "usage: gen4562templates <output folder> [last tax year, " << kFirstTaxYear << " to "
                  << kLastTaxYear << "]\n";
        return 2;
    }
    try {
        const fs::path folder = argv[1];
        fs::create_directories(folder);
        for (int year = kFirstTaxYear; year <= *last; ++year) writeYear(folder, year);
    } catch (const tally::ComError& e) {
        std::cerr << "gen4562templates: " << e.description() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "gen4562templates: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
