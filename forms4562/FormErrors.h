#pragma once
// The errors the form writer raises itself, with the numbers and texts the desktop tells apart.

#include <filesystem>
#include <string>

#include "ComError.h"

namespace tally::forms {

inline constexpr const char* kWriterSource = "tallyforms";

// The year's template is not in the user's forms folder (the interface error base -2147221504 plus 13).
inline constexpr long ErrTemplateMissing = -2147221491;
// The filled form cannot be shown: no program to open it.
inline constexpr long ErrReaderRequired = 53;
// A notice, raised after the form has been written and opened.
inline constexpr long ErrFiftyYearAssets = 13010;
// VB's "Path not found" and "Permission denied".
inline constexpr long ErrPathNotFound = vberr::PathNotFound;
inline constexpr long ErrPermissionDenied = 70;

ComError templateMissing(int year);
// The same with what is missing told after the year's text ("... is missing. " + the cause's description).
ComError templateMissing(int year, const ComError& cause);
// The form `fdf` names cannot be found; `cause` says which file was looked for.
ComError namedFormMissing(const std::filesystem::path& fdf, const std::string& cause);
// A template that is there but cannot serve the year (too few fields, an entry that cannot be read).
ComError templateDamaged(int year, const std::string& detail);
// The same error (number, source) with the text that tells the user a PDF viewer is needed.
ComError readerRequired(const ComError& cause);
ComError fiftyYearAssets();

}  // namespace tally::forms
