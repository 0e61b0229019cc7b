#pragma once
// Gives a test a HOME of its own (a scratch folder), no XDG_CONFIG_HOME, and an XDG_DATA_HOME inside that
// scratch folder, so per-user settings, documents and the register land there; all three are restored when the
// test ends.

#include <stdlib.h>

#include <optional>
#include <string>

#include "ScratchFolder.h"

namespace tally::testing {

class ScopedHome {
public:
    ScopedHome()
        : savedHome_(read("HOME")), savedConfigHome_(read("XDG_CONFIG_HOME")), savedDataHome_(read("XDG_DATA_HOME")) {
        ::setenv("HOME", folder_.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("XDG_DATA_HOME", dataHome().c_str(), 1);
    }
    ~ScopedHome() {
        restore("HOME", savedHome_);
        restore("XDG_CONFIG_HOME", savedConfigHome_);
        restore("XDG_DATA_HOME", savedDataHome_);
    }
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

    const std::filesystem::path& path() const { return folder_.path(); }
    // Where XDG_DATA_HOME points (not created).
    std::filesystem::path dataHome() const { return folder_ / "data"; }

private:
    static std::optional<std::string> read(const char* name) {
        const char* value = ::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }

    ScratchFolder folder_;
    std::optional<std::string> savedHome_;
    std::optional<std::string> savedConfigHome_;
    std::optional<std::string> savedDataHome_;
};

}  // namespace tally::testing
