#pragma once
// Which value of the form goes into which field: the FDF name table of the tax years up to 2008 and the PDF
// field-index tables of 2009 and of the later years. The writer fills forms from these tables and the template
// generator builds the year's forms from the same tables, so the two always agree.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FormValues.h"

namespace tally::forms {

// One cell of a table.
struct FieldCell {
    enum class Kind {
        Value,       // a value of the form (id), formatted by tag
        Literal,     // a fixed text; id names the line it stands on
        Blank,       // the text " "
        Empty,       // the empty text
        Unassigned   // a place the table leaves open; it receives " "
    };
    Kind kind = Kind::Unassigned;
    std::string id;
    NumberTag tag = NumberTag::None;
    std::string literal;
    bool withoutSlashes = false;  // the value with every "/" removed

    // Notation: "26.1(d) N", "2 N0", "18 noslash", "=S/L@19f(f)", "=1-1", "blank", "empty", "-".
    static FieldCell parse(std::string_view notation);
};

// The text a cell sends to its field.
std::string cellText(const FieldCell& cell, const Form4562Values& values);

// --- FDF tax years (up to 2008) ---
inline constexpr int kFirstTaxYear = 2001;
// The year's files carry only two digits of it, so a later year would take the files of a year a century earlier.
inline constexpr int kLastTaxYear = 2099;
inline constexpr int kFirstPdfYear = 2009;

struct FdfNameRow {
    std::vector<std::string> names;  // lookup names ("f1-4", "p1-t4")
    FieldCell upTo2005;
    FieldCell from2006;              // tax years 2006 to 2008

    // The cell of the row in a tax year.
    const FieldCell& cellFor(int year) const { return year >= 2006 ? from2006 : upTo2005; }
};
const std::vector<FdfNameRow>& fdfNameTable();

// The cell the name table gives a lookup name in a tax year; nothing when the name is not in the table.
std::optional<FieldCell> fdfCell(std::string_view lookupName, int year);
// The last two digits of a tax year, as the year's file names carry them ("4562_07.fdf").
std::string twoDigitYear(int year);
// How many entries of the template's field list a year's form takes.
int fdfFieldCount(int year);
// Whether the years' templates write names as "f1_4\(0\)" (looked up as "f1-4").
bool fdfUsesSuffixedNames(int year);
// A text field carries "(...)" values, every other field (check box, radio button) a state name.
bool fdfTextStyle(std::string_view lookupName);

// --- PDF tax years (2009 on) ---
// The last field index the year's table fills (203 for 2009, 265 later).
int pdfLastIndex(int year);
// The cell of a 1-based field index; indexes 1 and 2 are never set (Unassigned), indexes past the table are Blank.
FieldCell pdfCell(int index, int year);

}  // namespace tally::forms
