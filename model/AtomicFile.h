#pragma once

#include <optional>
#include <string>
#include <string_view>

// A path as its folder ("." for a bare name, "/" for one in the root) and the name in it.
struct PathParts {
    std::string folder;
    std::string name;
};
PathParts splitPath(const std::string& path);

// Where replacing a file stopped, and the system's error number at that point.
struct ReplaceFailure {
    enum Stage { Create, Write, Sync, Rename, SyncFolder };
    Stage stage;
    int error;
};

// Writes `bytes` to `target` through a temporary file in the same folder: the temporary file is
// written, synced and renamed over the target, then the folder is synced. Before the rename any
// failure removes the temporary file and leaves the target as it was; a failure of the last step
// leaves the new content in place. A replaced file keeps its permissions; a new one is readable
// by its owner only, since the program's files hold personal data.
std::optional<ReplaceFailure> replaceFileAtomically(const std::string& target, std::string_view bytes);
