#include "FormOpener.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>  // close_range, CLOSE_RANGE_CLOEXEC (glibc 2.34 on)

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "FdfFill.h"
#include "FormErrors.h"

namespace tally::forms {

namespace fs = std::filesystem;

namespace {

fs::path findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty()) continue;
        fs::path candidate = fs::path(folder) / program;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

// Starts the viewer detached (its own session, reaped at once), so it outlives nothing and leaves no zombie. A
// close-on-exec pipe tells whether the viewer program really started: it closes unread when exec succeeds and
// carries the exec's errno when it fails.
void startViewer(const fs::path& file) {
    fs::path program = findOnPath("xdg-open");
    if (program.empty()) {
        throw ComError(ErrReaderRequired, kWriterSource, "File not found: xdg-open");
    }
    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0) {
        throw ComError(ErrReaderRequired, kWriterSource, "File not found: xdg-open cannot be started");
    }
    pid_t child = ::fork();
    if (child == 0) {
        ::close(status[0]);
        ::setsid();
        const pid_t viewer = ::fork();
        if (viewer == 0) {
#ifdef CLOSE_RANGE_CLOEXEC
            // The viewer may run long after the form is written: it keeps none of the program's open files (the
            // template PDF among them). The status pipe is close-on-exec already, so the exec report still works;
            // a kernel without close_range only leaves the descriptors open, as before.
            ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
#endif
            const char* argv[] = {program.c_str(), file.c_str(), nullptr};
            ::execv(program.c_str(), const_cast<char* const*>(argv));
        }
        if (viewer <= 0) {  // exec or the second fork failed
            const int error = errno;
            [[maybe_unused]] ssize_t written = ::write(status[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(status[1]);
    int execError = 0;
    ssize_t got = 0;
    if (child > 0) {
        ::waitpid(child, nullptr, 0);
        do {
            got = ::read(status[0], &execError, sizeof execError);
        } while (got < 0 && errno == EINTR);
    }
    ::close(status[0]);
    if (child < 0 || got > 0) {
        throw ComError(ErrReaderRequired, kWriterSource,
                       "File not found: " + program.string() + " cannot be started" +
                           (got > 0 ? std::string(" (") + std::strerror(execError) + ")" : std::string()));
    }
}

}  // namespace

void ReaderOpener::open(const fs::path& file) {
    if (file.extension() == ".fdf") {
        fs::path filled = file;
        filled.replace_extension(".pdf");
        try {
            pdf::fillFormFromFdf(file, filled);
        } catch (const ComError& e) {
            // A missing form (or FDF) is no missing viewer: 53 is kept for "the viewer cannot start".
            if (e.number() != vberr::FileNotFound) throw;
            throw namedFormMissing(file, e.description());
        }
        startViewer(filled);
    } else {
        startViewer(file);
    }
}

}  // namespace tally::forms
