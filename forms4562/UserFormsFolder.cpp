#include "UserFormsFolder.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "FormErrors.h"
#include "RegisterFile.h"

namespace tally::forms {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" from the user's user-dirs.dirs; empty when it names none.
fs::path xdgDocumentsFolder(const fs::path& home) {
    fs::path config = environment("XDG_CONFIG_HOME");
    if (config.empty() || config.is_relative()) config = home / ".config";
    std::ifstream in(config / "user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = "XDG_DOCUMENTS_DIR=\"";
        if (!line.starts_with(key) || !line.ends_with('"')) continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.starts_with("$HOME")) {
            const fs::path below = fs::path(value.substr(5)).relative_path();
            return below.empty() ? home : home / below;  // "$HOME" alone: no documents folder of its own
        }
        if (fs::path(value).is_absolute()) return value;
    }
    return {};
}

}  // namespace

fs::path UserDocumentsFolder() {
    const fs::path home = engine::UserHomeFolder(kWriterSource);
    fs::path documents = xdgDocumentsFolder(home);
    if (documents.empty() || documents == home) documents = home / "Documents";
    return documents;
}

fs::path UserFormsFolder() { return UserDocumentsFolder() / "Qorv-4562"; }

}  // namespace tally::forms
