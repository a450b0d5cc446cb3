#pragma once

// The progress window a job with progress shows: the plugin's window when the calling process
// runs a Qt GUI application and the plugin is beside the library, else none. The library links
// no toolkit: it looks for Qt in the process and loads the plugin only then.

#include "ProgressView.h"

#include <cstdint>
#include <memory>
#include <string>

// A window on the calling thread, modal to `ownerWindow` (a native window id, 0 for none); null
// when none can be shown, and the job then runs without one.
std::unique_ptr<ProgressView> OpenProgressWindow(std::intptr_t ownerWindow);

// The file the plugin is loaded from: "libORVEXPDOCeProgressQt.so" in the library's own folder.
std::string ProgressWindowPluginPath();
