#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

struct stat;

// Where a file lives: two paths with the same identity name one file (a hard link, or a folder
// reached twice through a symbolic link).
struct TFileIdentity
{
    uint64_t device = 0;
    uint64_t inode = 0;

    // The identity of the file the status describes.
    static TFileIdentity Of(const struct stat& status) noexcept;

    friend bool operator==(const TFileIdentity&, const TFileIdentity&) = default;
};

// Inodes of one device are mostly small consecutive numbers: the multiplication spreads them over
// the whole word before the device is mixed in, so neighbours land in different buckets.
template <> struct std::hash<TFileIdentity>
{
    size_t operator()(const TFileIdentity& identity) const noexcept
    {
        return static_cast<size_t>(identity.inode * 0x9E3779B97F4A7C15ull ^ identity.device);
    }
};
