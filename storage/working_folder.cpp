// The choice of the folder a start works in.
#include "storage/working_folder.h"

#include <algorithm>

namespace {

// Windows compares paths without regard to letter case, and a folder named
// with its last backslash is the same folder.
std::string folderKey(std::string path)
{
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    for (char& c : path)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        else if (c == '/') c = '\\';
    return path;
}

bool sameFolder(const std::string& a, const std::string& b)
{
    return !b.empty() && folderKey(a) == folderKey(b);
}

bool inside(const std::string& path, const std::string& root)
{
    if (root.empty()) return false;
    std::string folder = folderKey(path) + '\\', under = folderKey(root);
    if (under.back() != '\\') under += '\\';
    return folder.compare(0, under.size(), under) == 0;
}

bool insideAny(const std::string& path, const std::vector<std::string>& roots)
{
    return std::any_of(roots.begin(), roots.end(), [&](const std::string& root) { return inside(path, root); });
}

}  // namespace

std::string workingFolder(const StartPlace& place)
{
    bool chosen = std::none_of(place.launchers.begin(), place.launchers.end(),
                               [&](const std::string& launcher) { return sameFolder(place.current, launcher); });
    if (!place.withArguments && chosen && !insideAny(place.current, place.programRoots)) return place.current;
    if (!place.recorded.empty()) return place.recorded;
    if (!insideAny(place.program, place.programRoots)) return place.program;
    return place.documents;
}
