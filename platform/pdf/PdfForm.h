#pragma once
// A fillable PDF form: load it, count its fields, set a field by its 1-based index, save a filled copy.
// The field index is the position of a terminal field in a depth-first walk of /AcroForm /Fields (a node whose
// kids carry no name of their own is one field, its kids being its widgets), so a radio group counts once.
// Text fields take the text (UTF-8); check boxes are ticked by "Yes" or "On" (any case) and cleared by anything
// else; a radio group takes the state whose name matches the text (any case), "Off" when none does.
// Errors are raised as tally::ComError.

#include <filesystem>
#include <memory>
#include <string>

#include "ComError.h"

namespace pdf {

enum class FieldKind { Text, CheckBox, Radio, Other };

class PdfForm {
public:
    PdfForm();
    ~PdfForm();
    PdfForm(const PdfForm&) = delete;
    PdfForm& operator=(const PdfForm&) = delete;

    // Raises ComError 53 (file not found) when the file is missing, kUnreadableForm when it is no readable PDF.
    void LoadFromFile(const std::filesystem::path& path);
    int FormFieldCount() const;
    // Raises ComError 9 (subscript out of range) for an index outside 1..FormFieldCount().
    void SetFormFieldValue(int index, const std::string& value);
    // Generates the appearances of the fields set and writes the form under a temporary name, then renames it.
    void SaveToFile(const std::filesystem::path& path);

    // Reading a form back.
    std::string FieldName(int index) const;     // fully qualified name
    FieldKind FieldKindOf(int index) const;
    std::string FieldValue(int index) const;    // text of a text field; state name (no "/") of a button, "Off"
    std::string FieldCaption(int index) const;  // the field's tool tip (/TU), empty when it has none
    bool FieldHidden(int index) const;
    int FindField(const std::string& name) const;  // 1-based index, 0 when no field has that name

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The number raised for a file that is there but cannot be read as a PDF form.
inline constexpr long kUnreadableForm = tally::kUnexpectedFailure;

}  // namespace pdf
