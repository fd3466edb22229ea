#include "platform/FileIdentity.h"

#include <sys/stat.h>

TFileIdentity TFileIdentity::Of(const struct stat& status) noexcept
{
    return {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}
