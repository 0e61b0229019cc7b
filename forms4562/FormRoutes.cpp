#include "FormRoutes.h"

#include "FormTables.h"

namespace tally::forms {

std::string mergeFdfFields(const FdfTemplate& fields, int year, const Form4562Values& values) {
    std::string dictionary = fields.opening;
    for (std::size_t k = 0; k < fields.entries.size(); ++k) {
        const FdfTemplateEntry& entry = fields.entries[k];
        if (k == 0) {
            // The opening text ends in the template's own value opener, so line 18 and its closer follow that
            // opener, whatever the field's name suggests.
            const std::string& line18 = values["18"];
            dictionary += entry.textValue ? fdfTextValue(line18) + ")>>" : fdfStateValue(line18) + ">>";
        } else {
            const bool textStyle = fdfTextStyle(entry.lookupName);
            std::optional<FieldCell> cell = fdfCell(entry.lookupName, year);
            const std::string value = cell ? cellText(*cell, values) : " ";
            dictionary += fdfEntry(entry.rawName, textStyle, textStyle ? fdfTextValue(value) : fdfStateValue(value));
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
