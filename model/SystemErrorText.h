#pragma once

#include <string>

// The reason a file operation failed, as the user reads it: our own Russian text for the causes
// a user can act on (no rights, no space, a read-only disk, a missing file or folder, a name or a
// file too long), the system's text for the rest.
std::string systemErrorText(int errorNumber);

// The reason a path cannot be read or replaced as a file: a folder, or something else that is no
// regular file (a FIFO, a device, a socket).
std::string notRegularFileText(bool folder);
