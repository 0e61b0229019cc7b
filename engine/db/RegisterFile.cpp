#include "RegisterFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "AtomicFile.h"
#include "ComError.h"
#include "ProviderError.h"
#include "Recordset.h"
#include "modDatabase.h"

namespace tally::engine {

namespace fs = std::filesystem;

namespace {

constexpr const char* kErrorSource = "Database";
constexpr const char* kFolderName = "tallyvane";

[[noreturn]] void raiseAccessError(const std::string& what, const fs::path& path, int error) {
    throw ComError(vberr::PathFileAccessError, kErrorSource,
                   "Path/File access error: " + what + " '" + path.string() + "': " + std::strerror(error));
}

// The register's folder holds clients' tax ids and figures: it is the user's alone, whatever the umask, also
// when an earlier version made it open to others.
void makePrivateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) raiseAccessError("cannot create the folder", folder, error.value());
    if (!fs::is_directory(folder, error)) raiseAccessError("cannot create the folder", folder, ENOTDIR);
    // A folder of someone else's that the user may write in cannot be made private; the register still works.
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
}

}  // namespace

fs::path UserHomeFolder(const std::string& errorSource) {
    const char* value = std::getenv("HOME");
    const fs::path home = value ? fs::path(value) : fs::path();
    if (home.empty()) throw ComError(vberr::PathNotFound, errorSource, "Path not found: the home folder (HOME) is not set.");
    std::error_code error;
    if (home.is_relative() || !fs::is_directory(home, error)) {
        throw ComError(vberr::PathNotFound, errorSource,
                       "Path not found: the home folder (HOME) '" + home.string() +
                           "' is not the full path of an existing folder.");
    }
    return home;
}

namespace RegisterFile {

fs::path Folder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && fs::path(dataHome).is_absolute()) return fs::path(dataHome) / kFolderName;
    return UserHomeFolder(kErrorSource) / ".local" / "share" / kFolderName;
}

fs::path Path() { return Folder() / kDatabaseFileName; }

fs::path ShippedCopy() { return fs::path(modDatabase::AppPath()) / kDatabaseFileName; }

fs::path Provide() {
    const fs::path folder = Folder();
    const fs::path target = folder / kDatabaseFileName;
    std::error_code error;
    if (fs::is_directory(folder, error)) {
        makePrivateFolder(folder);
        // What an interrupted first start or copy left beside the register; a writer still at work keeps its file.
        files::removeAbandonedTemporaries(folder, kDatabaseFileName);
    }
    if (fs::exists(target, error)) return target;
    const fs::path shipped = ShippedCopy();
    if (!fs::exists(shipped, error)) {
        ado::raiseProviderError(ado::adoerr::CannotOpenDatabase,
                                "Could not find file '" + target.string() + "', nor the shipped copy '" +
                                    shipped.string() + "' to start it from.");
    }
    makePrivateFolder(folder);
    // A register another start put there meanwhile is kept, and this copy goes.
    files::AtomicFile first(target, files::FileAccess::OwnerOnly, kErrorSource);
    first.append(shipped);
    first.commit(files::ExistingTarget::Keep);
    return target;
}

}  // namespace RegisterFile

}  // namespace tally::engine
