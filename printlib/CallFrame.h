#pragma once

// The frame every exported function runs its work in: the module's one last-error text, the
// catching of failures into it, and the shared argument checks and text copying.

#include "SSError.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace CallFrame {

std::u16string lastError();
std::size_t lastErrorLength() noexcept;
void clearLastError() noexcept;
// Replaces the last-error text by the error's one-line report.
void storeError(const SSError::CError& error) noexcept;
// Replaces the last-error text by the report of an unknown failure (error 0xC002000D).
void storeUnknownError(int line) noexcept;

enum class OnEntry { ClearLastError, KeepLastError };

// Runs an export's work; on any failure stores its one-line report and returns 0. An SSError
// keeps its own report; anything else becomes "Неизвестная ошибка".
template <class Work>
int32_t run(OnEntry onEntry, Work&& work) noexcept
{
    try {
        if (onEntry == OnEntry::ClearLastError)
            clearLastError();
        return work();
    } catch (const SSError::CError& error) {
        storeError(error);
    } catch (...) {
        storeUnknownError(__LINE__);
    }
    return 0;
}

// Raises argument error 0xC0020043 "Недопустимые параметры." of the exports.
[[noreturn]] void raiseInvalidParameters(int line);

// Copies a text out to a caller's buffer. On entry *size is the capacity in characters without
// the terminating zero; it receives the text's full length. A null buffer or a capacity below 1
// only reports the length. size must not be null.
void copyTextOut(std::u16string_view text, char16_t* buffer, int32_t* size);

} // namespace CallFrame
