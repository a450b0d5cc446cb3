#pragma once

#include <memory>

#include "controls/HelpViewer.h"

// Binds the viewer of the program's help file; nullptr when this machine has none, and every
// help command is then skipped.
std::unique_ptr<HelpViewer> bindHelpViewer();
