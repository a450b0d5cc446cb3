#include "shell/HelpBinding.h"

std::unique_ptr<HelpViewer> bindHelpViewer()
{
    // No viewer of compiled help files is bound on this platform yet.
    return nullptr;
}
