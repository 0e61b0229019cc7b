#pragma once
// What a PDF reader does with an FDF file: find the form it names, put each field's value into the form's field
// of the same name, and keep the filled copy.

#include <filesystem>
#include <string>
#include <vector>

namespace pdf {

struct FdfField {
    std::string name;   // the field's name, decoded (UTF-8)
    std::string value;  // a text value decoded to UTF-8, or a state name without its "/"
};

struct FdfContent {
    std::string form;  // the /F entry: the PDF form the values belong to, as written
    std::vector<FdfField> fields;
};

// Reads an FDF file. Raises ComError 53 when it is missing and kUnreadableForm when it holds no FDF dictionary.
FdfContent readFdf(const std::filesystem::path& fdfPath);

// The form an FDF file names, where a reader looks for it: a relative name is taken from the FDF's folder.
std::filesystem::path namedFormPath(const std::filesystem::path& fdfPath, const FdfContent& content);

// Fills the form the FDF names (a relative name is taken from the FDF's folder) and saves the filled copy as
// `output`. FDF fields that the form lacks are passed over. Returns the number of fields filled. Raises ComError
// 75 when `output` is the named form itself.
int fillFormFromFdf(const std::filesystem::path& fdfPath, const std::filesystem::path& output);

}  // namespace pdf
