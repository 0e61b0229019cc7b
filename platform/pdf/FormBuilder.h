#pragma once
// Builds a fillable data-sheet PDF: Letter pages in two columns, one row per visible field with its caption
// printed beside it; the fields are listed in /AcroForm /Fields in the order they were added, which makes that
// order their field index.

#include <filesystem>
#include <string>
#include <vector>

namespace pdf {

enum class SheetFieldKind {
    Text,        // one-line text field
    CheckBox,    // on-state "Yes"
    RadioYesNo,  // a radio group of two buttons, states "Yes" and "No"
    Hidden       // a text field that is neither shown nor printed (a place the sheet does not use)
};

class FormBuilder {
public:
    explicit FormBuilder(std::string title);

    void addField(std::string name, std::string caption, SheetFieldKind kind);
    // Writes the sheet (reproducible bytes for the same fields) under a temporary name, then renames it.
    void save(const std::filesystem::path& path) const;

private:
    struct Field {
        std::string name;
        std::string caption;
        SheetFieldKind kind;
    };
    std::string title_;
    std::vector<Field> fields_;
};

}  // namespace pdf
