#pragma once

// Why a system call failed, as the library's messages tell it: in Russian whatever the locale of
// the process, since the reason stands inside a Russian message.

#include <string>

namespace SystemReason {

// The reason for the errno value: the library's own text for every cause a file, a folder or a
// print job meets (no rights, no space, a read-only disk, a missing file or folder, a disk
// fault, a busy file...), and "Системная ошибка N" for any other.
std::u16string text(int errnum);

} // namespace SystemReason
