#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/FileIdentity.h"

// A path as its folder ("." for a bare name, "/" for one in the root) and the name in it.
struct PathParts {
    std::string folder;
    std::string name;
};
PathParts splitPath(const std::string& path);

// The file `path` stands for once symbolic links in its last part are followed: the link's
// target (in turn followed), whether or not that target exists yet. Sets `error` (errno) and
// gives nothing when a link cannot be read or the chain is too long.
std::optional<std::string> followLinks(const std::string& path, int& error);

// Where replacing a file stopped, and the system's error number at that point (0 where the
// system reported nothing: a target that is no regular file, a check that refused; EISDIR for a
// folder in the target's place). KeepOwner: the replaced file belongs to another user and a
// group that this process cannot give the new file, so they would lose the rights they had
// (EPERM).
struct ReplaceFailure {
    enum Stage { Resolve, NotRegular, Create, KeepOwner, Write, Sync, Verify, Rename, SyncFolder };
    Stage stage;
    int error;
};

// Judges the bytes read back from the written file before it takes the target's place.
using WrittenBytesCheck = std::function<bool(std::string_view written)>;

// What a replacement that succeeded did: the file now in the target's place, and what of the
// replaced file's access could not be carried over. Where its access list (ACL) could not be,
// the new file is open to its owner only, never wider than the old one.
struct ReplacedFile {
    FileIdentity identity;
    bool accessListDropped = false;
    bool extendedAttributesDropped = false;
};

// Prefix of the names of temporary files that may be left from an interrupted replacement in
// the target's folder; each replacement removes such leftovers of earlier ones that no running
// replacement holds locked and that are older than a minute.
inline constexpr std::string_view TemporaryNamePrefix = ".forv-";

// Writes `bytes` to `target` without a moment where the target is missing or incomplete:
// - a symbolic link stays and the file it points to is replaced, in that file's folder;
// - the new content goes to an unnamed file of the target's folder where the file system has
//   them (else to a short temporary name), is synced, read back, compared, given to `check`,
//   and only then put in the target's place; the folder is synced last;
// - the replaced file's permissions, access list (ACL) and user extended attributes are kept, and
//   so are its owner and group where the process may set them; where only the group can be
//   kept, it is, and where neither can although they had rights to the file, the replacement is
//   refused. A new file is readable by its owner only, since the program's files hold personal
//   data. Other hard links of the replaced file keep the old content.
// Before the target is replaced any failure leaves it as it was and removes the temporary
// file; a failure of the last step leaves the new content in place. Termination requests wait
// until the replacement is over (SaveSignals.h).
std::optional<ReplaceFailure> replaceFileAtomically(const std::string& target, std::string_view bytes,
                                                    const WrittenBytesCheck& check = {},
                                                    ReplacedFile* replacedFile = nullptr);
