// The few file operations the portable code needs, one implementation per platform.
// Paths are given the Windows way (".\Data\2026_12_06.ini"); other platforms
// read the backslashes as folder separators.
#pragma once

#include <cstddef>
#include <string>

#include "storage/file_stamp.h"

enum class ReadResult { read, missing, unreadable };

// The first read asks for more than any day file holds.
constexpr size_t firstReadSize = 65536;

// Only a file or folder that does not exist is missing; a file that exists but
// cannot be read (held by another program, no permission, a read error) is
// unreadable, so that no caller takes it for an empty one and saves over it.
// The file is opened sharing read, write and delete, as the platform's own
// INI reader opens it, and the open is retried for about a second while
// another program holds the file.
//
// For a reader of many files in a row, the file is read straight into
// buffer, whose size only ever grows (so that it is not cleared again for
// each file): the file's bytes are its first `length`.
ReadResult readFileInto(const char* path, std::string& buffer, size_t& length);

inline ReadResult readWholeFile(const char* path, std::string& bytes)
{
    size_t length = 0;
    ReadResult result = readFileInto(path, bytes, length);
    bytes.resize(length);
    return result;
}

enum class ReplaceResult { replaced, failed, changed };

// Replaces the file in one step: the bytes go to a temporary file beside it,
// which is flushed and then renamed over the old one. On any failure the old
// file stays as it was, the temporary file is removed and failed is returned.
// A file held by another program is tried again for about a second, as for
// reading; a temporary file an earlier failure left behind is no obstacle.
// On Windows the last error tells why a write failed. With a stamp expected,
// the old file is replaced only while it still has that stamp, looked at just
// before the new file takes its place: a change another program made
// meanwhile gives changed, and is left as it is.
ReplaceResult replaceFile(const char* path, const char* bytes, size_t size, const FileStamp* expected);

inline bool writeFileAtomically(const char* path, const char* bytes, size_t size)
{
    return replaceFile(path, bytes, size, nullptr) == ReplaceResult::replaced;
}

inline ReplaceResult replaceFileIfUnchanged(const char* path, const char* bytes, size_t size,
                                            const FileStamp& expected)
{
    return replaceFile(path, bytes, size, &expected);
}

// A missing file is no error; a held one is tried again as above.
bool deleteFile(const char* path);

// An existing folder is no error.
bool createFolder(const char* path);

enum class MoveResult { moved, taken, failed };

// Renames a file within its volume, never over another file: a target that
// exists already gives taken, and both files stay as they were.
MoveResult moveFileWithoutReplacing(const char* from, const char* to);
