#pragma once

// The folder a tool writes into, and only its own outputs there: a folder
// that is new, empty, or marked as the tool's by a small file of its own.
// Anything else is refused before anything is written, and so is a link
// where an output or its subfolder goes, or an output that is one of the
// run's own inputs under another spelling.

#include <string>
#include <vector>

struct OwnedFolder {
    std::string path;                 // UTF-8, as the user gave it
    std::string option;               // the option that named it, for messages
    std::string markName;             // the tool's mark inside it
    std::string markText;             // what the mark says to a person who opens it
    std::vector<std::string> outputs; // paths inside it, "/" between folders
};

struct NamedInput {
    std::string option, path;
};

// Why the outputs may not go there, in one line that says how to proceed; or
// empty. Writes nothing.
std::string ownedFolderProblem(const OwnedFolder& folder, const std::vector<NamedInput>& inputs);
// Makes and marks the folder, then makes the outputs' subfolders and removes
// the outputs a former run left, and the temporary files of one that was
// killed; false with the cause.
bool claimOwnedFolder(const OwnedFolder& folder, std::string& cause);
// An output's path, as messages show it and the system opens it.
std::string outputPath(const OwnedFolder& folder, const std::string& output);
