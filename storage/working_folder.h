// Which folder a start of the program keeps its files in: the one it was started in, or the one it last ran in.
#pragma once

#include <string>
#include <vector>

// What start-up knows when it chooses its folder. Folders are whole Windows paths.
struct StartPlace {
    bool withArguments = false;            // a file opened with it, "/add", "-autorun"
    std::string current;                   // the folder it was started in
    std::string program;                   // the folder of the program itself
    std::string recorded;                  // the folder it last ran in, while it exists; empty when none
    std::string documents;                 // Documents\Quillory
    std::vector<std::string> launchers;    // folders a launcher starts programs in: Windows, system, the user's profile
    std::vector<std::string> programRoots; // where installed programs live: Program Files, the user's Programs
};

// A start without arguments in a folder of the user's choosing works there, as
// an unzipped copy started from its own folder always has. Every other start
// (a file opened with it, the logon entry, the Run box, the Start menu, whose
// shortcut starts an installed copy in its own folder) goes to the folder it
// last ran in; with none recorded, an unzipped copy to its own folder and an
// installed one to Documents\Quillory.
std::string workingFolder(const StartPlace& place);
