#pragma once

#include <QWidget>

// The window takes no command while this lasts, also when it ends by an exception.
class WindowDisabled {
public:
    explicit WindowDisabled(QWidget& window) : window_(window) { window_.setEnabled(false); }
    ~WindowDisabled() { window_.setEnabled(true); }
    WindowDisabled(const WindowDisabled&) = delete;
    WindowDisabled& operator=(const WindowDisabled&) = delete;

private:
    QWidget& window_;
};
