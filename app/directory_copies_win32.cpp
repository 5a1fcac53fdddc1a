// Copies of the directory files that sync tools leave beside them: the user is
// asked whether to add the entries a copy holds that the directory does not.
#include "app/directory_copies_win32.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_state_win32.h"
#include "directory/directory_file.h"
#include "directory/directory_merge.h"
#include "storage/other_version.h"

namespace {

// Listing the program's folder is cheap, but every second tick is enough.
constexpr DWORD listingMilliseconds = 1500;

struct Copies {
    HWND window = nullptr;
    DWORD listedAt = 0;
    SettledVersions settled;  // asked about or merged, each until it changes
    SettledVersions seen;     // at the last look: a copy is read once it stays put for a look
    std::vector<std::string> news;  // messages still to give
};

Copies copies;

// A sync tool may still be writing a copy it has just made: it is read only
// once its size and time have stayed put from one look to the next.
bool hasSettled(const FoundVersion& copy)
{
    bool still = isSettled(copies.seen, copy);
    settle(copies.seen, copy);
    return still;
}

struct WatchedDirectory {
    const DirectoryFile& file;
    Directory& entries;
    StoredDirectory& stored;
    const char* what;
    const char* yours;
};

const WatchedDirectory watchedDirectories[] = {
    {contactsFile, appState.contacts, appState.storedContacts, "contacts file", "your contacts"},
    {templatesFile, appState.templates, appState.storedTemplates, "templates file", "your templates"},
    {periodicTasksFile, appState.periodicTasks, appState.storedPeriodicTasks, "periodic tasks file",
     "your periodic tasks"},
};

// A copy's name may be a sync tool's guess: the user decides. No leaves both
// files as they are, and the question comes again at the next start.
bool userAddsEntries(const WatchedDirectory& directory, const FoundVersion& copy, int entries)
{
    std::string text = std::string("Another copy of the ") + directory.what + " was found (" +
                       std::string(copy.path.substr(copy.path.find_last_of('\\') + 1)) + "). It holds " +
                       std::to_string(entries) + (entries == 1 ? " entry that " : " entries that ") + directory.yours +
                       " do not. Add them?";
    return showMessage(appState.mainWindow, text.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// The copy's entries the directory lacks are added, once the user says so,
// and the directory's file written; only then does the copy move aside, so
// that no entry exists only in memory.
void mergeCopy(const WatchedDirectory& directory, const FoundVersion& copy)
{
    IniFile ini;
    if (loadIniFile(copy.path.c_str(), ini) != ReadResult::read) return settle(copies.settled, copy);
    static Directory read;
    static Directory preview;
    readDirectory(ini, directory.file, read);
    std::copy(std::begin(directory.entries), std::end(directory.entries), std::begin(preview));
    EntriesAdded missing = addMissingEntries(preview, read);
    if (missing.added > 0) {
        if (!userAddsEntries(directory, copy, missing.added + missing.leftOut))
            return settle(copies.settled, copy);
        // While the question was open, the file may have changed elsewhere: it
        // is taken in first, and the copy merged at a later look.
        if (!isInStep(directoryKind(directory.file, directory.stored))) return;
    }
    EntriesAdded result = addMissingEntries(directory.entries, read);
    if (result.added > 0) {
        KeepAnswer answer = keepDirectoryFile(directory.file, directory.entries, directory.stored, KeepOccasion::leave,
                                              {appState.computer, toSystemTime(localTime())});
        if (answer.tell) reportSaveFailure();
        if (isFailure(answer.saved)) return settle(copies.settled, copy);
    }
    if (result.leftOut > 0) {
        copies.news.push_back(std::string("Another copy of the ") + directory.what +
                             " holds more entries than fit; it was left in place.");
        return settle(copies.settled, copy);
    }
    if (moveAside(copy.path).empty()) return settle(copies.settled, copy);
}

void mergeCopies()
{
    for (const WatchedDirectory& directory : watchedDirectories) {
        // A file changed since it was read is taken in first: a copy merged into
        // the entries as they were would be written over what arrived.
        if (!isInStep(directoryKind(directory.file, directory.stored))) continue;
        for (const FoundVersion& copy : findVersions(".", fileStem(directory.file.path)))
            if (!isSettled(copies.settled, copy) && hasSettled(copy)) mergeCopy(directory, copy);
    }
}

}  // namespace

void watchDirectoryCopies()
{
    // What was found for an earlier main window (in the tests, one after another) does not count.
    if (copies.window != appState.mainWindow) {
        copies = Copies{};
        copies.window = appState.mainWindow;
    }
    // Not under a dialog of the program's own: a directory list rebuilds its
    // directory when it closes, and a message box must not be stacked on another.
    if (!IsWindowEnabled(appState.mainWindow) || GetTickCount() - copies.listedAt < listingMilliseconds) return;
    copies.listedAt = GetTickCount();
    mergeCopies();
    std::vector<std::string> news;
    news.swap(copies.news);
    for (const std::string& text : news) showMessage(appState.mainWindow, text.c_str(), MB_OK | MB_ICONINFORMATION);
}
