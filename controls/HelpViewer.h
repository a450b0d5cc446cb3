#pragma once

class QString;

// The viewer of the program's help file. The main window binds one at start when the machine
// has one; without it every help command is skipped.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;

    // Shows a topic given as the help file's path, "::/" and the page name, optionally followed
    // by ">" and a window type (".../Forv2021.chm::/runprogramm.htm>Main"). False when the
    // viewer could not show it.
    virtual bool displayTopic(const QString& topicPath) = 0;
};
