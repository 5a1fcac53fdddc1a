// File operations on Windows.
#include "storage/file_store.h"

#include <windows.h>

#include <algorithm>

namespace {

// A sync client, backup or virus scanner holds a file only briefly.
constexpr int retryMilliseconds = 1000;
constexpr int retryStepMilliseconds = 50;

bool isHeldByAnotherProgram(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

ReadResult readFileInto(const char* path, std::string& buffer, size_t& length)
{
    length = 0;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int waited = 0;; waited += retryStepMilliseconds) {
        file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) break;
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ReadResult::missing;
        if (!isHeldByAnotherProgram(error) || waited >= retryMilliseconds) return ReadResult::unreadable;
        Sleep(retryStepMilliseconds);
    }
    if (buffer.size() < firstReadSize) buffer.resize(firstReadSize);
    // A file read gives less than it was asked for only at the end of the file.
    bool ok;
    for (;;) {
        if (length == buffer.size()) buffer.resize(buffer.size() * 2);
        DWORD n = 0;
        DWORD wanted = DWORD(std::min<size_t>(buffer.size() - length, 1u << 30));
        ok = ReadFile(file, buffer.data() + length, wanted, &n, nullptr);
        length += n;
        if (!ok || n < wanted) break;
    }
    CloseHandle(file);
    if (!ok) length = 0;
    return ok ? ReadResult::read : ReadResult::unreadable;
}

namespace {

// The temporary file is always a new one, never taken over: another copy of
// the program on a shared folder may be writing its own there this moment,
// and one taken over would be renamed half written. Where the usual name is
// taken (by such a copy, or left by an earlier failure) a fresh one beside it serves.
HANDLE createTemporaryFile(const std::string& path, std::string& temporary)
{
    temporary = path + ".tmp";
    HANDLE file =
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    std::string folder = path.substr(0, path.find_last_of('\\') + 1);
    char fresh[MAX_PATH];
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "qly", 0, fresh)) return INVALID_HANDLE_VALUE;
    temporary = fresh;
    return CreateFileA(fresh, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Whether a failed replace or delete of path may be another program holding
// it, worth trying again: a read-only file or a folder never lets go.
bool mayBeHeld(const char* path, DWORD error)
{
    if (isHeldByAnotherProgram(error)) return true;
    if (error != ERROR_ACCESS_DENIED) return false;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

// Runs the operation until it succeeds, fails for good, or about a second has
// passed with the file held by another program.
template <typename Operation>
bool retryWhileHeld(const char* path, Operation operation)
{
    for (ULONGLONG start = GetTickCount64();;) {
        if (operation()) return true;
        if (!mayBeHeld(path, GetLastError()) || GetTickCount64() - start >= retryMilliseconds) return false;
        Sleep(retryStepMilliseconds);
    }
}

}  // namespace

ReplaceResult replaceFile(const char* path, const char* bytes, size_t size, const FileStamp* expected)
{
    std::string temporary;
    HANDLE file = createTemporaryFile(path, temporary);
    if (file == INVALID_HANDLE_VALUE) return ReplaceResult::failed;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes, DWORD(size), &written, nullptr) && written == size &&
              FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok && expected && !(fileStamp(path) == *expected)) {
        DeleteFileA(temporary.c_str());
        return ReplaceResult::changed;
    }
    if (ok) ok = retryWhileHeld(path, [&] {
        return MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
    if (!ok) {
        // The caller may tell the user why.
        DWORD error = GetLastError();
        DeleteFileA(temporary.c_str());
        SetLastError(error);
    }
    return ok ? ReplaceResult::replaced : ReplaceResult::failed;
}

bool deleteFile(const char* path)
{
    return retryWhileHeld(path, [&] {
        return DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    });
}

bool createFolder(const char* path)
{
    return CreateDirectoryA(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

MoveResult moveFileWithoutReplacing(const char* from, const char* to)
{
    if (MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH)) return MoveResult::moved;
    DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? MoveResult::taken : MoveResult::failed;
}
