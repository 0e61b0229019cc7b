#include "FileBytes.h"

#include "AtomicFile.h"

namespace tally::forms {

void writeFileBytes(const std::filesystem::path& target, std::string_view bytes, const std::string& source) {
    files::writeFileWhole(target, bytes, files::FileAccess::Shared, source);
}

}  // namespace tally::forms
