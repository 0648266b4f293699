// The native build's counterpart of file_bytes_win.cpp, for the portable tests and the fuzzer.
#ifndef _WIN32
#include "common/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return fsync(fd) == 0;
}

} // namespace

FileRead ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return FileRead::Missing;
    Descriptor file(open(path.c_str(), O_RDONLY));
    if (file.get() < 0 || S_ISDIR(status.st_mode))
        return FileRead::Unreadable;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(file.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FileRead::Unreadable;
        if (n == 0)
            return FileRead::Ok;
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes, FileAccess access)
{
    // As on Windows: a name no one else has, created exclusively, never a planted file or link.
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        temporary = path + "." + std::to_string(getpid()) + "-"
                    + std::to_string(static_cast<unsigned long long>(now.tv_nsec) * 0x9E3779B97F4A7C15ull + attempt)
                    + ".tmp";
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW,
                  access == FileAccess::AdministratorsOnly ? 0600 : 0644);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    bool written = false;
    {
        Descriptor file(fd);
        written = file.get() >= 0 && WriteAll(file.get(), bytes);
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    if (fd >= 0)
        std::remove(temporary.c_str());
    return false;
}
#endif
