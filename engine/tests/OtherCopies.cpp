#include "OtherCopies.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include <sqlite3.h>

namespace tally::testing {

namespace fs = std::filesystem;

RegisterReader::RegisterReader(const fs::path& file) {
    sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_busy_timeout(db_, 5000);
}

RegisterReader::~RegisterReader() { sqlite3_close_v2(db_); }

std::vector<std::string> RegisterReader::column(const std::string& sql) const {
    std::vector<std::string> values;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return {std::string("error: ") + sqlite3_errmsg(db_)};
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        values.emplace_back(text ? text : "");
    }
    if (rc != SQLITE_DONE) values.push_back(std::string("error: ") + sqlite3_errmsg(db_));
    sqlite3_finalize(statement);
    return values;
}

std::set<std::string> RegisterReader::writerAssets() const {
    const auto names = column("SELECT Asset_name FROM tblAssets WHERE Asset_name LIKE 'Writer %'");
    return {names.begin(), names.end()};
}

long RegisterReader::incompleteSaves() const {
    return number("SELECT count(*) FROM tblAssets a WHERE Asset_name LIKE 'Writer %' AND (SELECT count(*) FROM "
                  "tblDepr d WHERE d.asset_num = a.Asset_num) <> " + std::to_string(kRowsPerWriterAsset));
}

RegisterWriterProcess::RegisterWriterProcess(const fs::path& file, const char* mode) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const std::string path = file.string();
    char* argv[] = {const_cast<char*>(TALLY_REGISTER_WRITER), const_cast<char*>(path.c_str()),
                    const_cast<char*>(mode), nullptr};
    const int spawned = posix_spawn(&pid_, TALLY_REGISTER_WRITER, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    output_ = out[0];
    if (spawned != 0) throw std::runtime_error("cannot start the writer");
}

RegisterWriterProcess::~RegisterWriterProcess() {
    if (pid_ > 0) killNow();
    ::close(output_);
}

bool RegisterWriterProcess::waitForSaves(std::size_t count) {
    return readUntil([&] { return saved_.size() >= count; });
}

bool RegisterWriterProcess::waitForLine(const std::string& line) {
    return readUntil([&] { return std::find(lines_.begin(), lines_.end(), line) != lines_.end(); });
}

void RegisterWriterProcess::readWhatIsThere() {
    readUntil([this] {
        pollfd ready{output_, POLLIN, 0};
        return ::poll(&ready, 1, 0) <= 0;
    });
}

int RegisterWriterProcess::stop() {
    ::kill(pid_, SIGTERM);
    return waitForExit();
}

int RegisterWriterProcess::waitForExit() {
    if (!readUntil([this] { return ended_; })) {
        killNow();
        return -1;
    }
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void RegisterWriterProcess::killNow() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

std::vector<std::string> RegisterWriterProcess::errors() const {
    std::vector<std::string> found;
    for (const std::string& line : lines_)
        if (line.rfind("error", 0) == 0) found.push_back(line);
    return found;
}

bool RegisterWriterProcess::readUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        pollfd ready{output_, POLLIN, 0};
        if (::poll(&ready, 1, 100) <= 0) continue;
        char buffer[4096];
        const ssize_t got = ::read(output_, buffer, sizeof buffer);
        if (got <= 0) {
            ended_ = true;
            return done();
        }
        pending_.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos; pending_.erase(0, end + 1)) {
            lines_.push_back(pending_.substr(0, end));
            if (lines_.back().rfind("saved ", 0) == 0) saved_.push_back(lines_.back().substr(6));
        }
    }
    return true;
}

}  // namespace tally::testing
