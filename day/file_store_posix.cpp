// File operations on POSIX systems, used by the native build and its tests.
#include "day/file_store.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string nativePath(const char* path)
{
    std::string p(path);
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

bool writeAll(int fd, const char* bytes, size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= size_t(n);
    }
    return true;
}

}  // namespace

// POSIX has no sharing modes, so nothing holds a file against reading and there
// is nothing to wait for.
// A day file fits one chunk, so it is read with one read and one copy.
ReadResult readWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    int fd = ::open(nativePath(path).c_str(), O_RDONLY);
    if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::missing : ReadResult::unreadable;
    char chunk[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.append(chunk, size_t(n));
    }
    ::close(fd);
    if (!ok) bytes.clear();
    return ok ? ReadResult::read : ReadResult::unreadable;
}

bool writeFileAtomically(const char* path, const char* bytes, size_t size)
{
    std::string target = nativePath(path);
    std::string temporary = target + ".tmp";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes, size) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

bool deleteFile(const char* path)
{
    return std::remove(nativePath(path).c_str()) == 0 || errno == ENOENT;
}

bool createFolder(const char* path)
{
    return ::mkdir(nativePath(path).c_str(), 0755) == 0 || errno == EEXIST;
}
