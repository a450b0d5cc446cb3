#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Failures of the declaration file and its container. Code names the place that raised the
// failure; OuterCode is set by the model object or the file operation it passed through.
class mEPrivBase : public std::runtime_error {
public:
    mEPrivBase(const std::string& message, std::uint16_t code)
        : std::runtime_error(message), Code(code) {}

    std::uint16_t Code = 0;
    std::uint16_t OuterCode = 0;
};

// No memory or no file buffer was obtained.
class mEMemoryAllocate : public mEPrivBase { using mEPrivBase::mEPrivBase; };
// A write to a storage opened for reading, or a value that cannot be written.
class mEWriteStorage : public mEPrivBase { using mEPrivBase::mEPrivBase; };
// The file cannot be read or written, or is not a declaration container.
class mEBadStorage : public mEPrivBase { using mEPrivBase::mEPrivBase; };
// The header was created or read twice.
class mEAlreadyCreated : public mEPrivBase { using mEPrivBase::mEPrivBase; };
// The storage was used before its header was written or read.
class mEObjectAccess : public mEPrivBase { using mEPrivBase::mEPrivBase; };
// A stream name was not found.
class mEOpenStream : public mEPrivBase { using mEPrivBase::mEPrivBase; };

// Passes an exception of the family (or of one kind of it) on with the caller's own number.
template <typename Failure = mEPrivBase, typename Body>
decltype(auto) withOuterCode(std::uint16_t outerCode, Body&& body)
{
    try {
        return body();
    } catch (Failure& e) {
        e.OuterCode = outerCode;
        throw;
    }
}
