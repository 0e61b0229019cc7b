#pragma once
// Files written whole. A file is written under a temporary name in its target's folder, synced, and renamed over
// the target in one step, so the target is always either the old file or the whole new one: never a half file,
// whatever fails (a full disk, a crash, a killed process). A symbolic link at the target is replaced by the file;
// what it pointed to is never written. Failures raise ComError 75 (path/file access error) with the system's
// reason and the component that writes.

#include <sys/types.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tally::files {

// Who may read the finished file.
enum class FileAccess {
    OwnerOnly,  // 0600: the user's databases, which hold clients' tax ids and figures
    Shared,     // 0666 less the user's umask, as any new file of the user's
};

// What commit() does when the target is already there.
enum class ExistingTarget { Replace, Keep };

class AtomicFile {
public:
    // Creates the temporary file, empty, beside `target` and holds it until commit() or the end of the scope.
    AtomicFile(std::filesystem::path target, FileAccess access, std::string errorSource);
    // Removes the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    const std::filesystem::path& target() const { return target_; }
    // Where the content goes until commit(); another writer (SQLite, a PDF writer) may open it by this name.
    const std::filesystem::path& temporaryPath() const { return temporary_; }

    // Appends `bytes` to the temporary file.
    void write(std::string_view bytes);
    // Appends the whole of the file at `source`.
    void append(const std::filesystem::path& source);

    // Syncs the temporary file, gives it its final mode and renames it over the target, then syncs the folder.
    // With ExistingTarget::Keep an existing target stays and false is returned (the temporary file goes).
    bool commit(ExistingTarget existing = ExistingTarget::Replace);

    // Raises this writer's error: "Path/File access error: <what> '<path>': <the system's reason>".
    [[noreturn]] void fail(const std::string& what, const std::filesystem::path& path, int error) const;

private:
    std::filesystem::path target_;
    FileAccess access_;
    std::string errorSource_;
    std::filesystem::path temporary_;
    int fd_ = -1;
};

// The writes of a library that must not meet an exception from its output (Qt's devices; qpdf's pipelines, which
// finish in destructors): the first failed write is kept and later ones are skipped, and raiseFailure() raises it
// once the library is done, before the file is committed.
class FailureKeepingWriter {
public:
    explicit FailureKeepingWriter(AtomicFile& file) : file_(file) {}
    // Appends `bytes`; false when this or an earlier write failed.
    bool write(std::string_view bytes) noexcept;
    // Raises the first failed write's ComError 75, with the system's reason; nothing when every write went well.
    void raiseFailure() const;

private:
    AtomicFile& file_;
    std::exception_ptr failure_;
};

// Writes `bytes` as `target` in one piece.
void writeFileWhole(const std::filesystem::path& target, std::string_view bytes, FileAccess access,
                    const std::string& errorSource);
// Lets `write` fill the temporary file by its name (a library that writes a file itself), then commits it.
void writeFileWhole(const std::filesystem::path& target,
                    const std::function<void(const std::filesystem::path& temporary)>& write, FileAccess access,
                    const std::string& errorSource);
// Copies the file at `source` as `target` in one piece.
void copyFileWhole(const std::filesystem::path& source, const std::filesystem::path& target, FileAccess access,
                   const std::string& errorSource);

// Removes the temporary files that writers of `name` in `folder` left when they were interrupted (a crash, a
// power cut); a temporary file a writer still holds, or one made within the last seconds, stays. Errors are
// ignored: a leftover file costs disk space, not data.
void removeAbandonedTemporaries(const std::filesystem::path& folder, const std::string& name);

// The mode a new file of the user's gets: 0666 less the umask.
mode_t sharedFileMode();

}  // namespace tally::files
