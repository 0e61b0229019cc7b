#pragma once
// Writes a finished file in one piece: the writer's FDF forms and the template generator's FDF templates.

#include <filesystem>
#include <string>
#include <string_view>

namespace tally::forms {

// Writes `bytes` as `target`, a document the user keeps, as a file written whole: a failed write leaves any
// earlier file in place and nothing beside it, and a link at the target is replaced, not written through.
// Raises ComError 75 (path/file access error) with `source` and the system's reason when it cannot be written.
void writeFileBytes(const std::filesystem::path& target, std::string_view bytes, const std::string& source);

}  // namespace tally::forms
