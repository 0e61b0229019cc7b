#pragma once
// Writes a finished file in one piece: the writer's FDF forms and the template generator's FDF templates.

#include <filesystem>
#include <string>
#include <string_view>

namespace tally::forms {

// Writes `bytes` as `target` through pdf::replaceFile, so a failed write leaves any earlier file in place and no
// partial file beside it. Raises ComError 75 (path/file access error) with `source` when the file cannot be written.
void writeFileBytes(const std::filesystem::path& target, std::string_view bytes, const std::string& source);

}  // namespace tally::forms
