#pragma once

#include <QObject>

#include "controls/DeclModified.h"

// Stands in for the main window: counts the WM_DECL_MODIFIED notifications it receives.
class DeclModifiedCounter : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() != DeclModifiedEvent::EventType)
            return QObject::event(event);
        ++received;
        return true;
    }

    int received = 0;
};
