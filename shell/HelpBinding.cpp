#include "shell/HelpBinding.h"

#include "shell/HelpWindow.h"

BuiltInHelp::BuiltInHelp() = default;
BuiltInHelp::~BuiltInHelp() = default;

void BuiltInHelp::displayTopic(const QString& page)
{
    if (!window_)
        window_ = std::make_unique<HelpWindow>();
    window_->showPage(page);
}

std::unique_ptr<HelpViewer> bindHelpViewer()
{
    return std::make_unique<BuiltInHelp>();
}
