#include "FileBytes.h"

#include <fstream>

#include "ComError.h"
#include "ReplaceFile.h"

namespace tally::forms {

namespace fs = std::filesystem;

void writeFileBytes(const fs::path& target, std::string_view bytes, const std::string& source) {
    pdf::replaceFile(
        target,
        [&](const fs::path& temporary) {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (!out) {
                throw ComError(vberr::PathFileAccessError, source, "Path/File access error: " + target.string());
            }
        },
        source);
}

}  // namespace tally::forms
