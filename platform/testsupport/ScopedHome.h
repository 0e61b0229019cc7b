#pragma once
// Gives a test a HOME of its own (a scratch folder) and no XDG_CONFIG_HOME, so per-user settings and documents
// land there; both are restored when the test ends.

#include <stdlib.h>

#include <optional>
#include <string>

#include "ScratchFolder.h"

namespace tally::testing {

class ScopedHome {
public:
    ScopedHome() : savedHome_(read("HOME")), savedConfigHome_(read("XDG_CONFIG_HOME")) {
        ::setenv("HOME", folder_.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
    }
    ~ScopedHome() {
        restore("HOME", savedHome_);
        restore("XDG_CONFIG_HOME", savedConfigHome_);
    }
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

    const std::filesystem::path& path() const { return folder_.path(); }

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
};

}  // namespace tally::testing
