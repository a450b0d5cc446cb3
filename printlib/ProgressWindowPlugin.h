#pragma once

// The calls between the library and its progress-window plugin, a separate shared library that
// draws the window with the caller's own toolkit. Plain C, so that the two sides share no C++
// types and nothing may throw across. Texts are UTF-16 with their length.

#include <stddef.h>
#include <stdint.h>

#define ORVEXPDOC_PROGRESS_WINDOW_API_VERSION 1

struct ProgressWindowApi {
    int version;
    // A shown window, modal to the owner's window when the owner is one of the caller's own;
    // null when the calling thread cannot show one (no GUI application, or not its thread).
    void* (*open)(intptr_t ownerWindow);
    void (*showTitle)(void* window, const char16_t* text, size_t length);
    void (*showStatus)(void* window, const char16_t* text, size_t length);
    void (*showCount)(void* window, const char16_t* text, size_t length);
    // Handles the window's pending events; non-zero once the user asked to cancel.
    int (*cancelRequested)(void* window);
    // Closes and frees the window.
    void (*close)(void* window);
};

#define ORVEXPDOC_PROGRESS_WINDOW_ENTRY "ORVEXPDOCeProgressWindowApi"
typedef const struct ProgressWindowApi* (*ProgressWindowEntry)(void);
