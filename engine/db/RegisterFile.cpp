#include "RegisterFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

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

// A file descriptor closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// The new register under a temporary name beside where it will lie; removed when the scope ends unless it was
// given the register's name.
class PendingRegister {
public:
    explicit PendingRegister(const fs::path& folder) {
        std::string pattern = (folder / ".Depr.mdb.new-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) raiseAccessError("cannot write in the folder", folder, errno);
        path_ = pattern;
        file_ = std::make_unique<FileHandle>(fd);
    }
    ~PendingRegister() {
        file_.reset();
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    PendingRegister(const PendingRegister&) = delete;
    PendingRegister& operator=(const PendingRegister&) = delete;

    // Writes the whole of `source` and flushes it to the disk.
    void fillFrom(const fs::path& source) {
        const FileHandle in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
        if (!in.valid()) raiseAccessError("cannot read the shipped copy", source, errno);
        std::array<char, 1 << 16> buffer{};
        for (;;) {
            const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) raiseAccessError("cannot read the shipped copy", source, errno);
            if (got == 0) break;
            for (ssize_t written = 0; written < got;) {
                const ssize_t put = ::write(file_->get(), buffer.data() + written, static_cast<size_t>(got - written));
                if (put < 0 && errno == EINTR) continue;
                if (put < 0) raiseAccessError("cannot write", path_, errno);
                written += put;
            }
        }
        if (::fsync(file_->get()) != 0) raiseAccessError("cannot write", path_, errno);
    }

    // Gives the file the register's name, unless a register is there already (another start made it first: it
    // is kept, and this copy goes).
    void settleAs(const fs::path& target) {
        file_.reset();
        if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
            const int error = errno;
            if (error == EEXIST) return;  // the destructor removes this copy
            if (error != EINVAL && error != ENOSYS) raiseAccessError("cannot create", target, error);
            // A file system that cannot refuse to replace: the plain rename is still all or nothing.
            if (::rename(path_.c_str(), target.c_str()) != 0) raiseAccessError("cannot create", target, errno);
        }
        path_.clear();
    }

private:
    fs::path path_;
    std::unique_ptr<FileHandle> file_;
};

// Makes the rename in `folder` durable.
void flushFolder(const fs::path& folder) {
    const FileHandle handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.valid()) ::fsync(handle.get());
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
    if (fs::exists(target, error)) return target;
    const fs::path shipped = ShippedCopy();
    if (!fs::exists(shipped, error)) {
        ado::raiseProviderError(ado::adoerr::CannotOpenDatabase,
                                "Could not find file '" + target.string() + "', nor the shipped copy '" +
                                    shipped.string() + "' to start it from.");
    }
    fs::create_directories(folder, error);
    if (error) raiseAccessError("cannot create the folder", folder, error.value());
    if (!fs::is_directory(folder, error)) raiseAccessError("cannot create the folder", folder, ENOTDIR);
    PendingRegister pending(folder);
    pending.fillFrom(shipped);
    pending.settleAs(target);
    flushFolder(folder);
    return target;
}

}  // namespace RegisterFile

}  // namespace tally::engine
