#pragma once

#include <memory>

#include "controls/HelpViewer.h"

class HelpWindow;

// The program's built-in help: one help window, made when help is first asked for and kept to
// the end of the run.
class BuiltInHelp : public HelpViewer {
public:
    BuiltInHelp();
    ~BuiltInHelp() override;

    void displayTopic(const QString& page) override;
    // nullptr until help was first asked for.
    HelpWindow* window() const { return window_.get(); }

private:
    std::unique_ptr<HelpWindow> window_;
};

// The help the main window binds at start.
std::unique_ptr<HelpViewer> bindHelpViewer();
