#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "ComError.h"

namespace tally::files {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTemporaryMark = ".new-";
// A temporary file younger than this may belong to a writer that has made it but not yet locked it.
constexpr auto kAbandonedAfter = std::chrono::seconds(10);

// "." + name + ".new-": temporary files are hidden, and named after their target so that they can be told apart.
std::string temporaryPrefix(const std::string& name) { return "." + name + kTemporaryMark; }

// A descriptor closed at the end of the scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

void syncFolder(const fs::path& folder) {
    const Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.get() >= 0) ::fsync(handle.get());
}

}  // namespace

mode_t sharedFileMode() {
    // The umask is read from the process's status rather than set and put back, which would race other threads.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(0666 & ~std::stoul(line.substr(6), nullptr, 8));
    }
    return 0644;
}

AtomicFile::AtomicFile(fs::path target, FileAccess access, std::string errorSource)
    : target_(std::move(target)), access_(access), errorSource_(std::move(errorSource)) {
    const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    std::string pattern = (folder / (temporaryPrefix(target_.filename().string()) + "XXXXXX")).string();
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) fail("cannot write in the folder", folder, errno);
    temporary_ = pattern;
    // Held until the file is renamed or removed: a start that clears abandoned files leaves a locked one alone.
    ::flock(fd_, LOCK_EX);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::fail(const std::string& what, const fs::path& path, int error) const {
    throw ComError(vberr::PathFileAccessError, errorSource_,
                   "Path/File access error: " + what + " '" + path.string() + "': " + std::strerror(error));
}

void AtomicFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) fail("cannot write", target_, errno);
        bytes.remove_prefix(static_cast<size_t>(put));
    }
}

void AtomicFile::append(const fs::path& source) {
    const Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0) fail("cannot read", source, errno);
    struct stat info {};
    if (::fstat(in.get(), &info) != 0) fail("cannot read", source, errno);
    if (!S_ISREG(info.st_mode)) fail("cannot read", source, EINVAL);
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail("cannot read", source, errno);
        if (got == 0) return;
        write(std::string_view(buffer.data(), static_cast<size_t>(got)));
    }
}

bool AtomicFile::commit(ExistingTarget existing) {
    if (::fsync(fd_) != 0) fail("cannot write", target_, errno);
    const mode_t mode = access_ == FileAccess::OwnerOnly ? 0600 : sharedFileMode();
    if (::fchmod(fd_, mode) != 0) fail("cannot write", target_, errno);
    if (existing == ExistingTarget::Keep) {
        if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) != 0) {
            const int error = errno;
            if (error == EEXIST) return false;  // the destructor removes the temporary file
            if (error != EINVAL && error != ENOSYS) fail("cannot create", target_, error);
            // A file system that cannot refuse to replace: the plain rename is still all or nothing.
            if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail("cannot create", target_, errno);
        }
    } else if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        fail("cannot replace", target_, errno);
    }
    temporary_.clear();
    syncFolder(target_.has_parent_path() ? target_.parent_path() : fs::path("."));
    return true;
}

bool FailureKeepingWriter::write(std::string_view bytes) noexcept {
    if (failure_) return false;
    try {
        file_.write(bytes);
        return true;
    } catch (...) {
        failure_ = std::current_exception();
        return false;
    }
}

void FailureKeepingWriter::raiseFailure() const {
    if (failure_) std::rethrow_exception(failure_);
}

void writeFileWhole(const fs::path& target, std::string_view bytes, FileAccess access, const std::string& errorSource) {
    AtomicFile file(target, access, errorSource);
    file.write(bytes);
    file.commit();
}

void writeFileWhole(const fs::path& target, const std::function<void(const fs::path&)>& write, FileAccess access,
                    const std::string& errorSource) {
    AtomicFile file(target, access, errorSource);
    write(file.temporaryPath());
    file.commit();
}

void copyFileWhole(const fs::path& source, const fs::path& target, FileAccess access, const std::string& errorSource) {
    AtomicFile file(target, access, errorSource);
    file.append(source);
    file.commit();
}

void removeAbandonedTemporaries(const fs::path& folder, const std::string& name) {
    const std::string prefix = "." + name;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string file = entry->path().filename().string();
        if (file.rfind(prefix, 0) != 0 || file.find(kTemporaryMark, prefix.size()) == std::string::npos) continue;
        const Descriptor handle(::open(entry->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (handle.get() < 0 || ::fstat(handle.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        const auto modified = std::chrono::system_clock::from_time_t(info.st_mtim.tv_sec);
        if (std::chrono::system_clock::now() - modified < kAbandonedAfter) continue;
        // A writer that still runs holds its lock: the file is its own.
        if (::flock(handle.get(), LOCK_EX | LOCK_NB) != 0) continue;
        ::unlink(entry->path().c_str());
    }
}

}  // namespace tally::files
