#pragma once
// The two ways a year's form is written: the FDF merge (tax years up to 2008) and the PDF form fields (2009 on).

#include <string>

#include "FdfText.h"
#include "FormValues.h"
#include "PdfForm.h"

namespace tally::forms {

// The FDF dictionary line: the template's opening text, the first field with line 18 (a text or a state value, as
// the template opens it), every further field with the value the name table gives its name in the year (" " for a
// name the table does not know), then "]>>>>".
std::string mergeFdfFields(const FdfTemplate& fields, int year, const Form4562Values& values);

// Sets every field from index 3 to the form's last with the value its index receives in the year.
void fillPdfFields(pdf::PdfForm& form, int year, const Form4562Values& values);

}  // namespace tally::forms
