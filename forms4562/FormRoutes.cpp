#include "FormRoutes.h"

#include "FormTables.h"

namespace tally::forms {

std::string mergeFdfFields(const FdfTemplate& fields, int year, const Form4562Values& values) {
    std::string dictionary = fields.opening;
    for (std::size_t k = 0; k < fields.entries.size(); ++k) {
        const FdfTemplateEntry& entry = fields.entries[k];
        const bool textStyle = fdfTextStyle(entry.lookupName);
        std::string value;
        if (k == 0) {
            value = values["18"];
        } else {
            std::optional<FieldCell> cell = fdfCell(entry.lookupName, year);
            value = cell ? cellText(*cell, values) : " ";
        }
        const std::string encoded = textStyle ? fdfTextValue(value) : fdfStateValue(value);
        if (k == 0) {
            dictionary += encoded + (textStyle ? ")>>" : ">>");
        } else {
            dictionary += fdfEntry(entry.rawName, textStyle, encoded);
        }
    }
    return dictionary + "]>>>>";
}

void fillPdfFields(pdf::PdfForm& form, int year, const Form4562Values& values) {
    const int last = form.FormFieldCount();
    for (int index = 3; index <= last; ++index) {
        form.SetFormFieldValue(index, cellText(pdfCell(index, year), values));
    }
}

}  // namespace tally::forms
