#include "CallFrame.h"

#include <algorithm>
#include <limits>
#include <mutex>

namespace CallFrame {

namespace {

// A job's worker thread may store its failure while the caller's thread waits for it.
std::mutex lastErrorMutex;
std::u16string lastErrorText;

void setLastError(std::u16string text)
{
    std::lock_guard lock(lastErrorMutex);
    lastErrorText = std::move(text);
}

} // namespace

std::u16string lastError()
{
    std::lock_guard lock(lastErrorMutex);
    return lastErrorText;
}

std::size_t lastErrorLength() noexcept
{
    std::lock_guard lock(lastErrorMutex);
    return lastErrorText.size();
}

void clearLastError() noexcept
{
    std::lock_guard lock(lastErrorMutex);
    lastErrorText.clear();
}

void storeError(const SSError::CError& error) noexcept
{
    try {
        setLastError(error.oneLineReport());
    } catch (...) {
        storeUnknownError(__LINE__);
    }
}

void storeUnknownError(int line) noexcept
{
    try {
        setLastError(SSError::CPrgError(SSError::kSourceExports, line, SSError::kErrUnknown).exception().oneLineReport());
    } catch (...) {
        // Out of memory even for the report: the short message still tells the caller it failed.
        try {
            setLastError(u"Неизвестная ошибка");
        } catch (...) {
        }
    }
}

void raiseInvalidParameters(int line)
{
    SSError::CPrgError(SSError::kSourceExports, line, SSError::kErrInvalidParameters).raise();
}

void copyTextOut(std::u16string_view text, char16_t* buffer, int32_t* size)
{
    const int32_t capacity = *size;
    *size = static_cast<int32_t>(std::min<std::size_t>(text.size(), std::numeric_limits<int32_t>::max()));
    if (buffer == nullptr || capacity < 1)
        return;
    const auto copied = std::min<std::size_t>(static_cast<std::size_t>(capacity), text.size());
    std::copy_n(text.data(), copied, buffer);
    buffer[copied] = u'\0';
}

} // namespace CallFrame
