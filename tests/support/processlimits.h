#pragma once

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

// Lowers the file size limit of this process for its life: a write past it
// fails with EFBIG part way through the file, as a disk that fills up fails
// with ENOSPC.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

// Runs as the user nobody for its life when the test runs as root, to whom
// no file permission applies.
class AsUnprivileged
{
public:
    AsUnprivileged()
    {
        if (::geteuid() == 0)
            switched_ = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    }
    ~AsUnprivileged()
    {
        if (switched_ && ::seteuid(0) == 0)
            ::setegid(0);
    }

private:
    bool switched_ = false;
};
