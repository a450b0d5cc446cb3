#pragma once

class QString;

// Shows the program's help. The main window binds the help window at start.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;

    // Shows the help page `page` ("EditSOUN.htm", without a window type); a page the help does not
    // have is shown as a message saying so.
    virtual void displayTopic(const QString& page) = 0;
};
