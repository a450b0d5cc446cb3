#pragma once

#include <string>

// The reason a file operation failed, as the user reads it, in Russian whatever the locale: our
// own text for every cause a file operation meets (no rights, no space, a read-only disk, a
// missing file or folder, a disk fault, a busy file...), the system's text for the rest only
// where it is Russian, else the error's number.
std::string systemErrorText(int errorNumber);

// The reason a path cannot be read or replaced as a file: a folder, or something else that is no
// regular file (a FIFO, a device, a socket).
std::string notRegularFileText(bool folder);
