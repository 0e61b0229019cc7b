#pragma once
// A disk that fills up: a small tmpfs mounted on a scratch folder while it lives, where a write beyond its size
// fails with "No space left on device" as on a real full disk. Mounting needs root (or a mount namespace of the
// test's own); where it is refused, mounted() is false and the caller falls back to FileSizeLimit.

#include <sys/mount.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "ScratchFolder.h"

namespace tally::testing {

class SmallDisk {
public:
    explicit SmallDisk(std::size_t bytes) {
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
        mounted_ = ::mount("tmpfs", folder_.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::filesystem::path& path() const { return folder_.path(); }

private:
    ScratchFolder folder_;
    bool mounted_ = false;
};

}  // namespace tally::testing
