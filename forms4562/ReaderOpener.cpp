#include "FormOpener.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
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

// Starts the viewer detached (its own session, reaped at once), so it outlives nothing and leaves no zombie.
void startViewer(const fs::path& file) {
    fs::path program = findOnPath("xdg-open");
    if (program.empty()) {
        throw ComError(ErrReaderRequired, kWriterSource, "File not found: xdg-open");
    }
    pid_t child = ::fork();
    if (child < 0) throw ComError(ErrReaderRequired, kWriterSource, "File not found: xdg-open cannot be started");
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            const char* argv[] = {program.c_str(), file.c_str(), nullptr};
            ::execv(program.c_str(), const_cast<char* const*>(argv));
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

}  // namespace

void ReaderOpener::open(const fs::path& file) {
    if (file.extension() == ".fdf") {
        fs::path filled = file;
        filled.replace_extension(".pdf");
        pdf::fillFormFromFdf(file, filled);
        startViewer(filled);
    } else {
        startViewer(file);
    }
}

}  // namespace tally::forms
