#pragma once

#include <sys/fsuid.h>
#include <sys/types.h>

// While it lives, this thread's file accesses are checked as an ordinary user's, also when the
// suite runs as root, whose rights read and change any file: a test of what permissions refuse
// then holds for every user. As root the accesses become those of "nobody", so the files a test
// makes must let others reach them (a temporary folder is private to its owner); as anyone else
// nothing changes.
class OrdinaryFileAccess
{
public:
    static constexpr uid_t kNobody = 65534;

    // Only root may change its file-system identity; for anyone else the calls change nothing.
    OrdinaryFileAccess()
        : m_user(static_cast<uid_t>(::setfsuid(kNobody))),
          m_group(static_cast<gid_t>(::setfsgid(kNobody)))
    {}
    ~OrdinaryFileAccess()
    {
        ::setfsgid(m_group);
        ::setfsuid(m_user);
    }
    OrdinaryFileAccess(const OrdinaryFileAccess&) = delete;
    OrdinaryFileAccess& operator=(const OrdinaryFileAccess&) = delete;

private:
    uid_t m_user;
    gid_t m_group;
};
