#pragma once

#include <cstdint>

#include <QString>

#include "model/RegularFile.h"

// Why the file at `path` could not be read, as the user reads it: a folder or another thing that
// is not a file, a file over `maxSize` bytes, or the system's reason in Russian.
QString fileReadFailureText(const QString& path, const RegularFileFailure& failure, std::uint64_t maxSize);
