#pragma once
// The text of FDF files: the template's field list as the writer reads it, and the pieces both the writer and the
// template generator write (entries, encoded values, the file's frame).

#include <string>
#include <string_view>
#include <vector>

namespace tally::forms {

struct FdfTemplateEntry {
    std::string rawName;     // the name exactly as the template writes it ("f1_4\(0\)")
    std::string lookupName;  // the name the name table knows ("f1-4")
    // The template opens its value with "/V(" (a text string), not "/V/" (a name). Read for the first entry only,
    // whose opener the opening text already holds; later entries follow fdfTextStyle.
    bool textValue = false;
};

struct FdfTemplate {
    std::string opening;  // the third line through the first entry's value opener ("/V(" or "/V/")
    std::vector<FdfTemplateEntry> entries;  // exactly as many as the year's form takes
};

// Reads the field list from the template's third line. Raises templateDamaged when the line is missing, an
// entry cannot be read, or it holds fewer entries than the year's form takes; later entries are left out.
FdfTemplate parseFdfTemplate(std::string_view fileText, int year);

// A text value as an FDF string body: a PDF text string (PDFDocEncoding when every character has a code there,
// else UTF-16BE with its byte-order mark), with "\", "(", ")" and line breaks escaped.
std::string fdfTextValue(std::string_view utf8);
// A check-box or radio state as an FDF name body: characters outside the regular ones written as #xx.
std::string fdfStateValue(std::string_view utf8);
// "<</T(name)/V(value)>>" for a text field, "<</T(name)/V/value>>" for a button; the value already encoded.
std::string fdfEntry(std::string_view rawName, bool textStyle, std::string_view encodedValue);
// The seven lines of an FDF file around its dictionary line, each ended by CR LF.
std::string fdfFileBytes(std::string_view dictionary);

// The name a year's template writes for a lookup name, and the field name the year's PDF form has for it.
std::string fdfRawName(std::string_view lookupName, int year);
std::string fdfFieldName(std::string_view lookupName, int year);

}  // namespace tally::forms
