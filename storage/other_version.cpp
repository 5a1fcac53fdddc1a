// Other versions of a day or directory file: copies kept beside it rather than written over.
#include "storage/other_version.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dates/calendar.h"
#include "storage/file_store.h"
#include "text/numbers.h"

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetterOrDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// File names ignore letter case on Windows, and so do the sync tools' markers here.
bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// Takes the marker off the front of text when it is there.
bool take(std::string_view& text, std::string_view marker)
{
    if (!sameText(text.substr(0, marker.size()), marker)) return false;
    text.remove_prefix(marker.size());
    return true;
}

bool takeNumber(std::string_view& text, size_t digits, uint16_t& value)
{
    int n;
    if (!takeDigits(text, digits, n)) return false;
    value = uint16_t(n);
    return true;
}

bool takeDate(std::string_view& text, SystemTime& time, std::string_view separator)
{
    return takeNumber(text, 4, time.wYear) && take(text, separator) && takeNumber(text, 2, time.wMonth) &&
           take(text, separator) && takeNumber(text, 2, time.wDay) && isValidDate(time);
}

bool takeTimeOfDay(std::string_view& text, SystemTime& time)
{
    return takeNumber(text, 2, time.wHour) && takeNumber(text, 2, time.wMinute) &&
           takeNumber(text, 2, time.wSecond) && time.wHour < 24 && time.wMinute < 60 && time.wSecond < 60;
}

// "YYYYMMDD-HHMMSS"
bool takeStamp(std::string_view& text, SystemTime& time)
{
    return takeDate(text, time, "") && take(text, "-") && takeTimeOfDay(text, time);
}

bool allDigits(std::string_view text)
{
    for (char c : text)
        if (!isDigit(c)) return false;
    return true;
}

// As Windows writes a computer's name: 1 to 15 upper-case letters, digits and
// hyphens, with a letter among them. A name of the user's own, such as
// "directory_contact-old.ini" or "2026_12_07-copy.ini", is no copy.
bool isComputerName(std::string_view text)
{
    if (text.empty() || text.size() > 15) return false;
    bool letter = false;
    for (char c : text) {
        if (!(c >= 'A' && c <= 'Z') && !isDigit(c) && c != '-') return false;
        letter = letter || (c >= 'A' && c <= 'Z');
    }
    return letter;
}

// A name as Windows setup makes one, "DESKTOP-" or "LAPTOP-" and seven letters
// or digits: "DESKTOP-1234567" is one name, whatever its digits look like.
bool isSetupComputerName(std::string_view text)
{
    for (std::string_view start : {"DESKTOP-", "LAPTOP-"}) {
        if (text.size() != start.size() + 7 || text.substr(0, start.size()) != start) continue;
        text.remove_prefix(start.size());
        return std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || (c >= 'A' && c <= 'Z'); });
    }
    return false;
}

// ".conflict-COMPUTER-YYYYMMDD-HHMMSS", or without "COMPUTER-" as copies were
// named before they told where they were kept. The stamp's length finds where
// the computer's name, which may hold hyphens and digits itself, ends.
VersionName quilloryName(std::string_view middle)
{
    constexpr size_t stampLength = std::string_view("YYYYMMDD-HHMMSS").size();
    VersionName name;
    if (!take(middle, ".conflict-") || middle.size() < stampLength) return {};
    std::string_view stamp = middle.substr(middle.size() - stampLength);
    if (middle.size() > stampLength) {
        std::string_view computer = middle.substr(0, middle.size() - stampLength);
        if (computer.back() != '-') return {};
        computer.remove_suffix(1);
        if (!isComputerName(computer)) return {};
        name.who = computer;
    }
    if (!takeStamp(stamp, name.time) || !stamp.empty()) return {};
    name.maker = VersionMaker::quillory;
    name.timed = true;
    return name;
}

VersionName syncthingName(std::string_view middle)
{
    VersionName name;
    if (!take(middle, ".sync-conflict-") || !takeStamp(middle, name.time) || !take(middle, "-")) return {};
    if (middle.size() != 7) return {};
    for (char c : middle)
        if (!isLetterOrDigit(c)) return {};
    name.maker = VersionMaker::syncthing;
    name.who = middle;
    name.timed = true;
    return name;
}

// " (NAME's conflicted copy YYYY-MM-DD)", then perhaps " (N)"
VersionName dropboxName(std::string_view middle)
{
    constexpr std::string_view marker = "'s conflicted copy ";
    VersionName name;
    if (!take(middle, " (")) return {};
    size_t at = std::string_view::npos;
    for (size_t i = 0; i + marker.size() <= middle.size(); ++i)
        if (sameText(middle.substr(i, marker.size()), marker)) at = i;
    if (at == 0 || at == std::string_view::npos) return {};
    name.who = middle.substr(0, at);
    middle.remove_prefix(at + marker.size());
    if (!takeDate(middle, name.time, "-") || !take(middle, ")")) return {};
    if (!middle.empty()) {
        if (!take(middle, " (") || middle.size() < 2 || middle.back() != ')') return {};
        middle.remove_suffix(1);
        if (!allDigits(middle)) return {};
    }
    name.maker = VersionMaker::dropbox;
    return name;
}

// " (conflicted copy YYYY-MM-DD HHMMSS)"
VersionName nextcloudName(std::string_view middle)
{
    VersionName name;
    if (take(middle, " (conflicted copy ") && takeDate(middle, name.time, "-") && take(middle, " ") &&
        takeTimeOfDay(middle, name.time) && take(middle, ")") && middle.empty()) {
        name.maker = VersionMaker::nextcloud;
        name.timed = true;
        return name;
    }
    return {};
}

// "-COMPUTER" or "-COMPUTER-N"; a computer's name may hold hyphens itself, so
// a number behind the last one is taken as OneDrive's count when what stands
// before it is a name, unless the whole is a name as Windows setup makes one.
VersionName onedriveName(std::string_view middle)
{
    VersionName name;
    if (!take(middle, "-")) return {};
    size_t hyphen = middle.rfind('-');
    if (!isSetupComputerName(middle) && hyphen != std::string_view::npos && hyphen + 1 < middle.size() &&
        allDigits(middle.substr(hyphen + 1)) && isComputerName(middle.substr(0, hyphen)))
        middle = middle.substr(0, hyphen);
    else if (!isComputerName(middle))
        return {};
    name.maker = VersionMaker::onedrive;
    name.who = middle;
    return name;
}

constexpr std::string_view iniExtension = ".ini";

bool endsWithIni(std::string_view name)
{
    return name.size() >= iniExtension.size() && sameText(name.substr(name.size() - iniExtension.size()), iniExtension);
}

// A computer's name as this program's copies carry it: Windows allows more in
// a name than the rule of copy names does (lower case, "_", letters of other
// scripts), so those become upper case or "-", a character of other scripts
// one "-" however many bytes it takes, cut to 15; empty when no letter is
// left, and the copy then names no computer.
std::string computerInNames(std::string_view computer)
{
    std::string name;
    for (char c : computer) {
        if ((static_cast<unsigned char>(c) & 0xc0) == 0x80) continue;  // the rest of a character begun
        if (name.size() == 15) break;
        name += c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : (c >= 'A' && c <= 'Z') || isDigit(c) ? c : '-';
    }
    return isComputerName(name) ? name : std::string();
}

// The name a version moved aside takes when its own is taken in that folder:
// "X.ini" the n-th time becomes "X (n).ini" (n from 2).
std::string numberedName(std::string_view fileName, int n)
{
    std::string_view stem = fileName, extension;
    if (endsWithIni(fileName)) {
        stem.remove_suffix(iniExtension.size());
        extension = fileName.substr(stem.size());
    }
    return std::string(stem) + " (" + std::to_string(n) + ")" + std::string(extension);
}

}  // namespace

std::string otherVersionPath(std::string_view path, std::string_view computer, const SystemTime& now)
{
    std::string_view stem = path;
    if (endsWithIni(stem)) stem.remove_suffix(iniExtension.size());
    std::string name = computerInNames(computer);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d.ini", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return std::string(stem) + ".conflict-" + (name.empty() ? "" : name + "-") + stamp;
}

VersionName parseVersionName(std::string_view fileName, std::string_view stem)
{
    if (fileName.size() <= stem.size() + iniExtension.size() || !endsWithIni(fileName) ||
        !sameText(fileName.substr(0, stem.size()), stem))
        return {};
    std::string_view middle = fileName.substr(stem.size(), fileName.size() - stem.size() - iniExtension.size());
    for (VersionName (*parse)(std::string_view) :
         {quilloryName, syncthingName, dropboxName, nextcloudName, onedriveName}) {
        VersionName name = parse(middle);
        if (name.maker != VersionMaker::none) return name;
    }
    return {};
}

std::vector<FoundVersion> findVersions(const std::string& folder, std::string_view stem)
{
    std::vector<FoundVersion> versions;
    for (FolderFile& file : listFolderStartingWith(folder.c_str(), std::string(stem).c_str())) {
        VersionName name = parseVersionName(file.name, stem);
        if (name.maker == VersionMaker::none) continue;
        std::string path = folder + "\\" + file.name;
        versions.push_back({std::move(path), std::move(name), std::move(file)});
    }
    return versions;
}

bool isSettled(const SettledVersions& settled, const FoundVersion& version)
{
    auto it = settled.find(version.path);
    return it != settled.end() && it->second == std::make_pair(version.file.size, version.file.modified);
}

void settle(SettledVersions& settled, const FoundVersion& version)
{
    settled[version.path] = {version.file.size, version.file.modified};
}

std::string_view fileStem(std::string_view path)
{
    size_t slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    if (endsWithIni(path)) path.remove_suffix(iniExtension.size());
    return path;
}

std::string versionLabel(const VersionName& name, std::string_view thisComputer, std::string_view when,
                         VersionRead read)
{
    bool keptHere = name.maker == VersionMaker::quillory &&
                    (name.who.empty() || sameText(name.who, computerInNames(thisComputer)));
    std::string label = "From ";
    label += keptHere ? "this computer" : name.who.empty() ? "another copy" : name.who;
    label += ", ";
    label += when;
    if (read == VersionRead::unreadable) label += ", could not be read";
    if (read == VersionRead::tooLarge) label += ", too large to compare";
    return label;
}

std::string moveAside(std::string_view path)
{
    size_t slash = path.find_last_of('\\');
    size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::string folder = std::string(path.substr(0, nameStart)) + "Other versions";
    std::string_view name = path.substr(nameStart);
    createFolder(folder.c_str());
    std::string source(path);
    // Enough numbers for any folder kept by hand; beyond them the file stays where it is.
    for (int n = 1; n <= 1000; ++n) {
        std::string target = folder + "\\" + (n == 1 ? std::string(name) : numberedName(name, n));
        switch (moveFileWithoutReplacing(source.c_str(), target.c_str())) {
        case MoveResult::moved: return target;
        case MoveResult::taken: continue;
        case MoveResult::failed: return {};
        }
    }
    return {};
}

std::string keepOtherVersion(std::string_view path, std::string_view bytes, std::string_view computer,
                             const SystemTime& now)
{
    SystemTime stamp = now;
    std::string held;
    // Every name tried is one of the last minute: far more than two versions a second never come.
    for (int tries = 0; tries < 60; ++tries, stamp = oneSecondLater(stamp)) {
        std::string kept = otherVersionPath(path, computer, stamp);
        ReadResult there = readWholeFile(kept.c_str(), held);
        if (there == ReadResult::read && held == bytes) return kept;
        if (there != ReadResult::missing) continue;
        return writeFileAtomically(kept.c_str(), bytes.data(), bytes.size()) ? kept : std::string();
    }
    return {};
}
