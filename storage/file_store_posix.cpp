// File operations on POSIX systems, used by the native build and its tests.
#include "storage/file_store.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/file_faults.h"

StepFault (*fileStepFault)(FileStep step) = nullptr;

bool stepFails(FileStep step)
{
    StepFault fault = fileStepFault ? fileStepFault(step) : StepFault::none;
    if (fault == StepFault::none) return false;
    errno = fault == StepFault::diskFull ? ENOSPC : fault == StepFault::heldElsewhere ? EACCES : EIO;
    return true;
}

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
        ssize_t n = stepFails(FileStep::write) ? -1 : ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= size_t(n);
    }
    return true;
}

}  // namespace

// POSIX has no sharing modes, so nothing holds a file against reading and there
// is nothing to wait for. A day file fits the first read: a file read gives
// less than it was asked for only at the end of the file.
ReadResult readFileInto(const char* path, std::string& buffer, size_t& length)
{
    length = 0;
    int fd = stepFails(FileStep::open) ? -1 : ::open(nativePath(path).c_str(), O_RDONLY);
    if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::missing : ReadResult::unreadable;
    if (buffer.size() < firstReadSize) buffer.resize(firstReadSize);
    bool ok = true;
    for (;;) {
        if (length == buffer.size()) buffer.resize(buffer.size() * 2);
        ssize_t n = stepFails(FileStep::read) ? -1 : ::read(fd, buffer.data() + length, buffer.size() - length);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        length += size_t(n);
        if (length < buffer.size()) break;
    }
    ::close(fd);
    if (!ok) length = 0;
    return ok ? ReadResult::read : ReadResult::unreadable;
}

namespace {

// The temporary file is always a new one: another writer of the same file may
// be writing its own this moment. Where the usual name is taken, a fresh one beside it serves.
int createTemporaryFile(const std::string& target, std::string& temporary)
{
    if (stepFails(FileStep::open)) return -1;
    temporary = target + ".tmp";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd >= 0) return fd;
    temporary = target.substr(0, target.find_last_of('/') + 1) + "qlyXXXXXX";
    fd = ::mkstemp(temporary.data());
    if (fd >= 0) ::fchmod(fd, 0644);
    return fd;
}

}  // namespace

ReplaceResult replaceFile(const char* path, const char* bytes, size_t size, const FileStamp* expected)
{
    std::string target = nativePath(path);
    std::string temporary;
    int fd = createTemporaryFile(target, temporary);
    if (fd < 0) return ReplaceResult::failed;
    bool ok = writeAll(fd, bytes, size) && !stepFails(FileStep::flush) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && expected && !(fileStamp(path) == *expected)) {
        std::remove(temporary.c_str());
        return ReplaceResult::changed;
    }
    if (ok) ok = !stepFails(FileStep::rename) && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok ? ReplaceResult::replaced : ReplaceResult::failed;
}

bool deleteFile(const char* path)
{
    if (stepFails(FileStep::remove)) return false;
    return std::remove(nativePath(path).c_str()) == 0 || errno == ENOENT;
}

bool createFolder(const char* path)
{
    return ::mkdir(nativePath(path).c_str(), 0755) == 0 || errno == EEXIST;
}

// A hard link cannot replace a file, so the name is claimed before the old one goes.
MoveResult moveFileWithoutReplacing(const char* from, const char* to)
{
    std::string source = nativePath(from), target = nativePath(to);
    if (stepFails(FileStep::rename) || ::link(source.c_str(), target.c_str()) != 0)
        return errno == EEXIST ? MoveResult::taken : MoveResult::failed;
    ::unlink(source.c_str());
    return MoveResult::moved;
}
