#pragma once
// What else may have a register open while a test copies or restores it: a tool that reads it with SQLite alone
// (RegisterReader), and another copy of the program at work on it, the register_writer process
// (RegisterWriterProcess).

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct sqlite3;

namespace tally::testing {

// Rows of depreciation the writer's five-year asset gets.
inline constexpr int kRowsPerWriterAsset = 6;

// A database file read with SQLite alone, as a user's tool would.
class RegisterReader {
public:
    explicit RegisterReader(const std::filesystem::path& file);
    ~RegisterReader();
    RegisterReader(const RegisterReader&) = delete;
    RegisterReader& operator=(const RegisterReader&) = delete;

    // The first column of every row of `sql`; an error shows as one value "error: <SQLite's reason>".
    std::vector<std::string> column(const std::string& sql) const;
    std::string integrity() const { return column("PRAGMA integrity_check").at(0); }
    long number(const std::string& sql) const { return std::stol(column(sql).at(0)); }
    std::set<std::string> writerAssets() const;
    // Writer assets whose schedule is not whole: a save seen in part.
    long incompleteSaves() const;

private:
    sqlite3* db_ = nullptr;
};

// The other copy of the program: register_writer on `file` in `mode` ("saves" or "dies"), its standard output
// read line by line. Killed when the object goes.
class RegisterWriterProcess {
public:
    RegisterWriterProcess(const std::filesystem::path& file, const char* mode);
    ~RegisterWriterProcess();
    RegisterWriterProcess(const RegisterWriterProcess&) = delete;
    RegisterWriterProcess& operator=(const RegisterWriterProcess&) = delete;

    // Reads what the writer told until it has confirmed `count` saves in all, or said `line`; false on timeout.
    bool waitForSaves(std::size_t count);
    bool waitForLine(const std::string& line);
    // Reads what the writer told so far, without waiting.
    void readWhatIsThere();
    // Asks the writer to stop after its current save and reads the rest; its exit status.
    int stop();
    // Reads all the writer tells until it ends by itself; its exit status, -1 when it is still at work after a
    // minute (it is killed then).
    int waitForExit();
    void killNow();

    const std::vector<std::string>& saved() const { return saved_; }
    std::vector<std::string> errors() const;

private:
    // Reads lines until `done` or the end of the output; false when 60 seconds pass first.
    bool readUntil(const std::function<bool()>& done);

    pid_t pid_ = -1;
    int output_ = -1;
    bool ended_ = false;  // its output has ended
    std::string pending_;
    std::vector<std::string> lines_;
    std::vector<std::string> saved_;
};

}  // namespace tally::testing
