#include "ReplaceFile.h"

#include <unistd.h>

#include "ComError.h"

namespace pdf {

namespace fs = std::filesystem;

void replaceFile(const fs::path& target, const std::function<void(const fs::path&)>& write, const std::string& source) {
    fs::path temporary = target;
    temporary += ".part" + std::to_string(::getpid());
    try {
        write(temporary);
        fs::rename(temporary, target);
    } catch (const fs::filesystem_error& e) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw tally::ComError(tally::vberr::PathFileAccessError, source,
                              "Path/File access error: " + target.string() + " (" + e.code().message() + ")");
    } catch (...) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

}  // namespace pdf
