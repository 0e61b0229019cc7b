#pragma once
// The maintenance window's way to the engine: every statement runs through a db object of its own, and a failure
// is shown in the window's own box layouts (the duplicate-key box, or description, number and source) and
// reported as no result, never as done.

#include <cstdint>
#include <functional>
#include <optional>

#include <QString>

namespace tally::desk {

class MaintDatabase {
public:
    // `clearStatus` empties the window's status line before an error box.
    explicit MaintDatabase(std::function<void()> clearStatus) : clearStatus_(std::move(clearStatus)) {}

    // The rows the statement changed; nothing when it failed.
    std::optional<long> ExecuteMaintSql(const QString& sql) const;
    // The first field of the first row as a Long (0 for Null); 0 when the query failed.
    std::int32_t ReturnMaintValue(const QString& sql) const;

private:
    void showFailure() const;

    std::function<void()> clearStatus_;
};

}  // namespace tally::desk
