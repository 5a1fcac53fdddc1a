// The one way a file is kept in step with what the window holds, whatever the
// kind of file: the day shown, a directory, a day written from elsewhere in the
// program. Each look asks the keeper (nextKeepStep) and does what it answers;
// a kind of file gives only its bytes, its reading, its merge and its compare.
//
// What a kind gives (DayKind, DirectoryKind), as a small record made for each look:
//   Content, Held           what the window holds; what the file held when last read or written
//   keeper, held, path      this run's record of the file, and where it is
//   folder                  made before a write, or none
//   deleteWhenEmpty         content that composes to no bytes removes the file
//   writtenAtTicks          else a tick compares the window with the file only while a write fails
//   compose(content)        the file's bytes
//   changedHere(content), changedThere(theirs)   against what the file held
//   hold(content)           after a write: the file now holds it
//   read(ini, theirs, window)                    the file as read, in the window's terms
//   merge(window, theirs)   the file's changes with the window's; true when the
//                           file must be kept beside it as an other version
//   takeMerged(window)      the merge becomes the window's content
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "dates/calendar.h"
#include "storage/file_keeper.h"
#include "storage/file_store.h"
#include "storage/ini_file.h"
#include "storage/other_version.h"

// What one question about a file came to, for the window to show.
struct KeepAnswer {
    KeepStep step = KeepStep::nothing;  // takeIn: the window's content is now the merge, to be shown
    SaveOutcome saved = SaveOutcome::skipped;
    bool tell = false;         // the message that the file could not be saved is due now
    std::string otherVersion;  // where the file, or at a log-off the window's content, was kept aside
};

inline void pauseFor(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Who asks and when: an other version is named after the computer and stamped now.
struct KeepContext {
    std::string_view computer;
    SystemTime now;
    void (*pause)(int milliseconds) = pauseFor;  // between looks at a file still moving
};

// A message box opened to tell a tick's answer runs the timer's ticks in its
// own loop: no tick of a kept file starts while another is under way, while
// leaving is never put off.
struct TickGuard {
    explicit TickGuard(KeepOccasion occasion) : ticking(!isLeaving(occasion)), skip(ticking && running)
    {
        if (ticking && !skip) running = true;
    }
    ~TickGuard()
    {
        if (ticking && !skip) running = false;
    }
    TickGuard(const TickGuard&) = delete;
    const bool ticking, skip;
    static inline bool running = false;
};

// The window's content as its file, unless the file could not be read or
// already holds it (a hand-edited file, or one in the old code page, keeps its
// bytes until the user changes the content). The file is replaced only while
// it is as last read or written.
template <class Kind>
WriteOutcome writeKept(Kind& kind, const typename Kind::Content& window)
{
    if (kind.keeper.unreadable || !kind.changedHere(window)) return WriteOutcome::unchanged;
    std::string bytes = kind.compose(window);
    if (kind.folder) createFolder(kind.folder);
    WriteOutcome outcome = writeKeptFile(kind.keeper, kind.path.c_str(), bytes, kind.deleteWhenEmpty);
    if (outcome == WriteOutcome::written) kind.hold(window);
    return outcome;
}

// A take-in that could not read the file, or keep it aside, leaves the
// window's content unsaved: on leaving that is a failed save, and the ticks
// try it again as they try a failed write.
inline KeepAnswer failedOnLeaving(FileKeeper& keeper, bool leaving)
{
    KeepAnswer answer;
    if (!leaving) return answer;
    keeper.saveFailing = true;
    answer.saved = noteSaveOutcome(false, keeper.failureTold);
    return answer;
}

// Reads the file again, merges what another program changed in it since it
// was last read or written into the window's content, and writes the result
// where it differs from the file. A file deleted elsewhere reads as empty; one
// that cannot be read is never taken for an empty one, and counts as a failed
// save when leaving, as does a file that had to be kept aside and could not be.
template <class Kind>
KeepAnswer takeInKept(Kind& kind, typename Kind::Content& window, bool leaving, const KeepContext& context)
{
    KeepAnswer answer;
    FileKeeper& keeper = kind.keeper;
    FileStamp beforeReading = fileStamp(kind.path.c_str());
    IniFile ini;
    ReadResult read = loadIniFile(kind.path.c_str(), ini);
    if (read == ReadResult::unreadable) return failedOnLeaving(keeper, leaving);
    typename Kind::Held theirs{};
    kind.read(ini, theirs, window);
    // A file that could not be read when it was loaded is taken in now, as if just loaded.
    if (keeper.unreadable || kind.changedThere(theirs)) {
        if (kind.merge(window, theirs) && read == ReadResult::read) {
            answer.otherVersion = keepOtherVersion(kind.path, bytesAsRead(ini), context.computer, context.now);
            if (answer.otherVersion.empty()) return failedOnLeaving(keeper, leaving);
        }
        kind.takeMerged(window);
        answer.step = KeepStep::takeIn;
        kind.held = std::move(theirs);
    }
    noteRead(keeper, beforeReading, false);
    answer.saved = saveOutcomeOf(keeper, writeKept(kind, window), leaving);
    return answer;
}

// One look at the file and what the keeper answers to it.
template <class Kind>
KeepAnswer lookAtKept(Kind& kind, typename Kind::Content& window, KeepOccasion occasion, const KeepContext& context)
{
    FileKeeper& keeper = kind.keeper;
    bool leaving = isLeaving(occasion);
    bool changedHere = !keeper.unreadable && (kind.writtenAtTicks || leaving || keeper.saveFailing) &&
                       kind.changedHere(window);
    KeepStep step = nextKeepStep(keeper, kind.path.c_str(), fileStamp(kind.path.c_str()), occasion, changedHere);
    if (step == KeepStep::write) {
        WriteOutcome outcome = writeKept(kind, window);
        // A change that arrived between the look and the write is merged, on leaving at once.
        if (outcome == WriteOutcome::changedMeanwhile && leaving) return lookAtKept(kind, window, occasion, context);
        return {KeepStep::write, saveOutcomeOf(keeper, outcome, leaving), false, {}};
    }
    if (step == KeepStep::takeIn) return takeInKept(kind, window, leaving, context);
    return {step, SaveOutcome::skipped, false, {}};
}

// The one question for a kept file on an occasion. Leaving waits, a moment at
// a time, for a file still being written elsewhere. At a log-off nobody can
// answer a question: content that could not be written is kept beside the
// file as an other version (an emptied day has nothing to keep; its old file
// stays, as after any failed delete).
template <class Kind>
KeepAnswer keepFile(Kind& kind, typename Kind::Content& window, KeepOccasion occasion, const KeepContext& context)
{
    KeepAnswer answer;
    do {
        answer = lookAtKept(kind, window, occasion, context);
        if (answer.step == KeepStep::wait) context.pause(settleWaitMilliseconds);
    } while (answer.step == KeepStep::wait);
    if (occasion == KeepOccasion::logOff && isFailure(answer.saved)) {
        std::string bytes = kind.compose(window);
        if (bytes.empty() && kind.deleteWhenEmpty) return answer;
        if (kind.folder) createFolder(kind.folder);
        answer.otherVersion = keepOtherVersion(kind.path, bytes, context.computer, context.now);
        if (!answer.otherVersion.empty()) return answer;
    }
    answer.tell = isToldNow(answer.saved, occasion);
    return answer;
}

// Whether the file is as this run last read or wrote it: what is brought into
// the window's content from elsewhere (a copy, an other version) waits while a
// change made to the file meanwhile is not yet taken in.
template <class Kind>
bool isInStep(const Kind& kind)
{
    return !kind.keeper.unreadable && fileStamp(kind.path.c_str()) == kind.keeper.watch.taken;
}
