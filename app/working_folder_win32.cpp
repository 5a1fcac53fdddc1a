// The start's place told to the portable rule, from the command line, the registry and the shell's known folders.
#include "app/working_folder_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "app/locale_text_win32.h"
#include "app/options_win32.h"
#include "storage/working_folder.h"

namespace {

std::string knownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* path = nullptr;
    std::string folder = SHGetKnownFolderPath(id, 0, nullptr, &path) == S_OK ? fromWide(path) : "";
    CoTaskMemFree(path);
    return folder;
}

std::string folderOf(UINT (*get)(LPWSTR, UINT))
{
    wchar_t path[MAX_PATH * 4];
    UINT length = get(path, MAX_PATH * 4);
    return length > 0 && length < MAX_PATH * 4 ? fromWide(path) : "";
}

bool isFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void useWorkingFolder()
{
    int count = 0;
    if (wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count)) LocalFree(arguments);
    wchar_t program[MAX_PATH * 4] = L"";
    DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH * 4);
    if (wchar_t* slash = length < MAX_PATH * 4 ? wcsrchr(program, L'\\') : nullptr) *slash = L'\0';
    std::string recorded = recordedFolder();

    StartPlace place;
    place.withArguments = count > 1;
    place.current = folderOf([](LPWSTR path, UINT size) { return UINT(GetCurrentDirectoryW(size, path)); });
    place.program = fromWide(program);
    place.recorded = isFolder(recorded) ? recorded : "";
    place.documents = knownFolder(FOLDERID_Documents) + "\\Quillory";
    place.launchers = {folderOf(GetWindowsDirectoryW), folderOf(GetSystemDirectoryW), folderOf(GetSystemWow64DirectoryW),
                       knownFolder(FOLDERID_Profile)};
    // Wine names no user's Programs folder; Windows keeps it in LocalAppData.
    place.programRoots = {knownFolder(FOLDERID_ProgramFiles), knownFolder(FOLDERID_ProgramFilesX86),
                          knownFolder(FOLDERID_UserProgramFiles), knownFolder(FOLDERID_LocalAppData) + "\\Programs"};
    std::wstring folder = toWide(workingFolder(place));
    CreateDirectoryW(folder.c_str(), nullptr);
    SetCurrentDirectoryW(folder.c_str());
}
