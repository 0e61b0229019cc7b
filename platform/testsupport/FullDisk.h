#pragma once
// A folder on a disk that fills up after `bytes`: a SmallDisk where one can be mounted, else a scratch folder
// under a FileSizeLimit taken by fill(). Either way a write beyond the size fails, with reason() as the system's
// reason; files put there before fill() stay as they are.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "FileSizeLimit.h"
#include "ScratchFolder.h"
#include "SmallDisk.h"

namespace tally::testing {

class FullDisk {
public:
    explicit FullDisk(std::size_t bytes) : bytes_(bytes), disk_(bytes) {}

    const std::filesystem::path& path() const { return disk_.mounted() ? disk_.path() : fallback_.path(); }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path() / name; }
    std::string reason() const { return disk_.mounted() ? "No space left on device" : "File too large"; }

    // From here to empty() or the end of the scope writes beyond the size fail.
    void fill() {
        if (!disk_.mounted()) limit_.emplace(static_cast<rlim_t>(bytes_));
    }
    void empty() { limit_.reset(); }

private:
    std::size_t bytes_;
    SmallDisk disk_;
    ScratchFolder fallback_;
    std::optional<FileSizeLimit> limit_;
};

}  // namespace tally::testing
